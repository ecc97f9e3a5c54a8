#pragma once

#include "KWeightingFilter.h"
#include "LoudnessMatcher.h"
#include "StageChannelState.h"
#include "StageMode.h"
#include "StageVoicing.h"

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// One character of the saturation effect: pre-gain and highpass, 2x
// oversampling, level-dependent bias, grid blocking, two antialiased
// waveshapers, slew limiting, tone filters and equalisers, loudness-matched
// output gain and hiss. Works in place, in chunks of at most maxChunk samples.
class DriveStage
{
public:
    static constexpr int tableSize = 48;
    static constexpr int calibrationLength = 6144;

    DriveStage();
    ~DriveStage();

    void prepare (int modeIndex, double newSampleRate, int maxBlockSize, int channelCount);
    void reset() noexcept;
    void process (juce::AudioBuffer<float>& buffer, float drive, bool analyse) noexcept;
    void processChunk (juce::AudioBuffer<float>& chunk, float drive, bool analyse) noexcept;
    void updateFilters (float drive, float level) noexcept;
    void shapeRare (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept;
    void shapeMedium (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept;
    void shapeWell (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept;
    float compensationGain (float drive) const noexcept;

    // Loudness compensation: the calibration that fills compensationDb, and the
    // idle analysis that keeps the matcher of a stage that is not playing warm.
    void calibrate();
    static float kWeightedRms (KWeightingFilter& filter, const juce::AudioBuffer<float>& buffer, int start, int length) noexcept;
    void analyseIdle (const juce::AudioBuffer<float>& buffer, int channelCount, int numSamples) noexcept;

    StageMode mode = StageMode::Rare;
    StageVoicing voicing;
    double sampleRate = 44100.0;
    double oversampledRate = 88200.0;
    int numChannels = 2;
    int maxChunk = 512;
    float shapedDrive = 0.0f;
    float gridDepth = 0.0f;
    const float gridThreshold = 0.3f, gridCharge = 0.02f, gridRelease = 0.9998f, gridMax = 1.2f;
    float slewRate = 0.0f;
    float heat = 0.0f;
    int biteCount = 0;
    int sampleCount = 0;
    std::array<StageChannelState, 2> channels;
    std::unique_ptr<juce::dsp::Oversampling<float>> oversampler;
    std::array<float, tableSize> compensationDb {};
    LoudnessMatcher matcher;
    std::uint32_t idleCounter = 0; // unsigned: counts every block for the life of the stage
    std::vector<float> gainRamp;

private:
    // The drive-dependent values of one chunk for one lane. In normal
    // processing both lanes (channels) hold the same; the calibration runs two
    // drive steps side by side, one per lane.
    struct LaneSettings
    {
        float biasDepth = 0.0f, gridDepth = 0.0f, slewRate = 0.0f, preGain = 0.0f, outScale = 0.0f;
    };

    LaneSettings laneSettings (float shaped, float previousHeat) const noexcept;
    float nextHeat (float current, float shaped, float level, int length) const noexcept;
    static float toneAmount (float drive, float level) noexcept;
    void tuneChannel (StageChannelState& st, float tone, float stageHeat) const noexcept;
    static void clearChannel (StageChannelState& st) noexcept;

    void runSignalPath (float* const* data, int n, int length, StageChannelState* states,
                        const LaneSettings* settings, juce::dsp::Oversampling<float>& os) noexcept;
    template <int NC>
    void applyPreGain (float* const* data, int length, StageChannelState* states, const LaneSettings* settings) noexcept;
    template <typename Curve>
    void shapeBlock (juce::dsp::AudioBlock<float>& block, int n, StageChannelState* states, const LaneSettings* settings) noexcept;
    template <int NC>
    void shapeInputs (juce::dsp::AudioBlock<float>& block, int length, StageChannelState* states, const LaneSettings* settings) noexcept;
    template <int NC>
    void prepareSecondShaper (juce::dsp::AudioBlock<float>& block, int length, StageChannelState* states) noexcept;
    template <int NC>
    void limitSlew (juce::dsp::AudioBlock<float>& block, int length, StageChannelState* states, const LaneSettings* settings) noexcept;
    template <int NC>
    void applyOutputChain (float* const* data, int length, StageChannelState* states, const LaneSettings* settings) noexcept;
    void applyGainAndHiss (juce::AudioBuffer<float>& chunk, int channelCount, float drive) noexcept;
    template <int NC>
    void applyHiss (juce::AudioBuffer<float>& chunk, float hissGain) noexcept;

    void calibratePair (juce::AudioBuffer<float>& pair, const float* drives, StageChannelState* states,
                        juce::dsp::Oversampling<float>& os) noexcept;
    void applyCalibration();

    LaneSettings lanes[2];

    // Per-chunk scratch at the oversampled rate, sized by prepare: the shapers'
    // inputs, their antiderivatives and the bias, one row per channel.
    std::vector<float> scratch;
    float* shaperInput[2] {};
    float* antiderivative[2] {};
    float* biasRow[2] {};
};
