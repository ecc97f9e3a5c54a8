#pragma once

#include <juce_audio_basics/juce_audio_basics.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <memory>

// Placeholder stage: passes audio through its oversampler unchanged.
// Interface as the processor uses it; the real stage replaces this file.
class DriveStage
{
public:
    void prepare (int modeIndex, double sampleRate, int maximumBlockSize, int channelCount);
    void reset();
    void process (juce::AudioBuffer<float>& buffer, float drive, bool analyse);
    void analyseIdle (const juce::AudioBuffer<float>& input, int channelCount, int sampleCount);

    struct ChannelState { float gridState = 0.0f; };

    int mode = 0;
    int numChannels = 2;
    float gridDepth = 0.0f;
    float heat = 0.0f;
    int biteCount = 0;
    int sampleCount = 0;
    std::array<ChannelState, 2> channels {};
    std::unique_ptr<juce::dsp::Oversampling<float>> oversampler;
    std::array<float, 48> compensationDb {};
};
