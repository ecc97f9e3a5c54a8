#pragma once

#include "TorvaneProcessor.h"

#include <optional>

// Read-only access to the processor's fade and page bookkeeping, for the tests that
// cannot see it in the audio alone.
class TorvaneProcessorProbe
{
public:
    explicit TorvaneProcessorProbe (const TorvaneProcessor& p) : processor (p) {}

    int pageCrossfadeLength() const { return processor.pageCrossfadeLength; }
    int pageCrossfadeRemaining() const { return processor.pageCrossfadeRemaining; }
    int inputFadeLength() const { return processor.inputFadeLength; }
    int inputFadeRemaining() const { return processor.inputFadeRemaining; }
    int resetFadeRemaining() const { return processor.resetFadeRemaining; }
    int currentPage() const { return processor.currentPage; }
    int previousPage() const { return processor.previousPage; }
    int driveRampLength() const { return rampLength (processor.driveSmoothed); }
    const DriveStage& stage (int page) const { return processor.stages[(size_t) page]; }
    int blendRampLength() const { return rampLength (processor.blendSmoothed); }

private:
    // Steps a copy of the smoother through a fresh ramp and counts them.
    template <typename Smoother>
    static int rampLength (Smoother smoother)
    {
        smoother.setTargetValue (smoother.getTargetValue() + 0.5f);
        int steps = 0;
        for (; smoother.isSmoothing() && steps < 1000000; ++steps)
            smoother.getNextValue();
        return steps;
    }

    const TorvaneProcessor& processor;
};

// A host position whose time in samples the test sets; empty means "no time".
class FakePlayHead : public juce::AudioPlayHead
{
public:
    juce::Optional<PositionInfo> getPosition() const override
    {
        PositionInfo info;
        if (time.has_value())
            info.setTimeInSamples (*time);
        return info;
    }

    std::optional<juce::int64> time;
};

// One processor as a host drives it: layout, parameters in their own units, and
// whole signals cut into blocks.
class ProcessorHarness
{
public:
    explicit ProcessorHarness (int channels = 2);

    void set (const juce::String& id, float value);
    void prepare (double sampleRate, int maximumBlockSize);
    // Runs the signal through in blocks of the given length (the last one shorter)
    // and returns the output.
    juce::AudioBuffer<float> run (const juce::AudioBuffer<float>& input, int blockSize, bool bypassed = false);
    void processInPlace (juce::AudioBuffer<float>& block, bool bypassed = false);

    int channels;
    TorvaneProcessor processor;

private:
    juce::MidiBuffer midi;
};

// Uniform noise in -amplitude..amplitude, the same for a given seed.
juce::AudioBuffer<float> makeNoise (int channels, int samples, int seed, float amplitude = 0.5f);

// The signal after an oversampler of the processor's design, built here on its own:
// what Blend mixes in as the dry signal.
juce::AudioBuffer<float> phaseMatched (const juce::AudioBuffer<float>& input, int blockSize);

// Channels samples [start, start + length) of a buffer, as a new buffer.
juce::AudioBuffer<float> slice (const juce::AudioBuffer<float>& buffer, int start, int length);

// The largest absolute difference between two buffers of the same shape.
float maxDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b);
