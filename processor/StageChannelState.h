#pragma once

#include "Biquad.h"
#include "OnePole.h"

#include <juce_core/juce_core.h>

// Everything one channel of a drive stage carries from sample to sample.
struct StageChannelState
{
    OnePole preHp;          // after the pre-gain, base rate
    OnePole postHp;         // after the DC blocker, base rate
    OnePole interstageHp;   // between the shapers, oversampled rate (Rare)
    OnePole outputLp;       // last filter of the chain, base rate
    OnePole dcBlock;        // right after the downsampler, base rate
    OnePole hissLp;         // shapes the hiss, base rate
    Biquad peak1;
    Biquad peak2;
    float envelope = 0.0f;
    float envelopeCoef = 0.0f;
    float adaa1Input = 0.0f, adaa1Antiderivative = 0.0f;
    float adaa2Input = 0.0f, adaa2Antiderivative = 0.0f;
    juce::Random hissRandom;
    float detune = 1.0f;    // factor on every cut-off of this channel
    float gridState = 0.0f; // grid charge, 0 to gridMax
    float slewPrev = 0.0f;
};
