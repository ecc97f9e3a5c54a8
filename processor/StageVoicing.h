#pragma once

#include "StageMode.h"

// The 25 constants that make one character out of the common drive-stage code.
// A feature whose constant is 0 is switched off.
struct StageVoicing
{
    float inputGain = 0.0f;            // linear pre-gain at drive 0
    float driveRangeDb = 0.0f;         // dB added to the pre-gain at shaped drive 1
    float driveCurve = 0.0f;           // exponent of the shaped drive
    float biasAmount = 0.0f;           // depth of the level-dependent bias
    float envelopeHz = 0.0f;           // bias envelope cut-off (oversampled rate)
    float rareDcHz = 0.0f;             // interstage highpass cut-off; 0 = off
    float preHighpassBaseHz = 0.0f;
    float preHighpassSlopeHz = 0.0f;
    float postHighpassBaseHz = 0.0f;
    float postHighpassSlopeHz = 0.0f;
    float lowpassBaseHz = 0.0f;
    float lowpassSlopeHz = 0.0f;
    float peak2Hz = 0.0f;
    float peak2Db = 0.0f;              // 0 or less = off
    float peak2Q = 0.0f;
    float peak1Hz = 0.0f;
    float peak1Q = 0.0f;
    float peak1Db = 0.0f;              // gain at tone amount 1; 0 or less = off
    float noiseFloorDb = 0.0f;         // hiss level at drive 0
    float noiseTopDb = 0.0f;           // hiss level at drive 1
    float noiseLowpassHz = 0.0f;
    float thermalAmount = 0.0f;        // 0 = no thermal memory
    float gridAmount = 0.0f;           // 0 = no grid blocking
    float slewAmount = 0.0f;           // 0 = no slew limiter
    float calibrationOffsetDb = 0.0f;  // added to the whole compensation table

    static StageVoicing forMode (StageMode mode) noexcept;
};
