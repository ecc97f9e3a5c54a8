#include "ProcessorHarness.h"

namespace
{
void initialiseJuce()
{
    static juce::ScopedJuceInitialiser_GUI juce;
}
} // namespace

ProcessorHarness::ProcessorHarness (int channelCount) : channels (channelCount)
{
    initialiseJuce();
    const auto set = juce::AudioChannelSet::canonicalChannelSet (channels);
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add (set);
    layout.outputBuses.add (set);
    processor.setBusesLayout (layout);
}

void ProcessorHarness::set (const juce::String& id, float value)
{
    auto* parameter = processor.apvts.getParameter (id);
    parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
}

void ProcessorHarness::prepare (double sampleRate, int maximumBlockSize)
{
    processor.setRateAndBufferSizeDetails (sampleRate, maximumBlockSize);
    processor.prepareToPlay (sampleRate, maximumBlockSize);
}

void ProcessorHarness::processInPlace (juce::AudioBuffer<float>& block, bool bypassed)
{
    if (bypassed)
        processor.processBlockBypassed (block, midi);
    else
        processor.processBlock (block, midi);
}

juce::AudioBuffer<float> ProcessorHarness::run (const juce::AudioBuffer<float>& input, int blockSize, bool bypassed)
{
    juce::AudioBuffer<float> output (input.getNumChannels(), input.getNumSamples());
    for (int start = 0; start < input.getNumSamples(); start += blockSize)
    {
        const int length = juce::jmin (blockSize, input.getNumSamples() - start);
        auto block = slice (input, start, length);
        processInPlace (block, bypassed);
        for (int ch = 0; ch < input.getNumChannels(); ++ch)
            output.copyFrom (ch, start, block, ch, 0, length);
    }
    return output;
}

juce::AudioBuffer<float> makeNoise (int channels, int samples, int seed, float amplitude)
{
    juce::Random random (seed);
    juce::AudioBuffer<float> buffer (channels, samples);
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < samples; ++i)
            buffer.setSample (ch, i, amplitude * (2.0f * random.nextFloat() - 1.0f));
    return buffer;
}

juce::AudioBuffer<float> phaseMatched (const juce::AudioBuffer<float>& input, int blockSize)
{
    juce::dsp::Oversampling<float> oversampler ((size_t) input.getNumChannels(), 1,
                                                juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
    oversampler.initProcessing ((size_t) blockSize);
    juce::AudioBuffer<float> output (input);
    for (int start = 0; start < output.getNumSamples(); start += blockSize)
    {
        const int length = juce::jmin (blockSize, output.getNumSamples() - start);
        juce::dsp::AudioBlock<float> block (output.getArrayOfWritePointers(), (size_t) output.getNumChannels(),
                                            (size_t) start, (size_t) length);
        oversampler.processSamplesUp (block);
        oversampler.processSamplesDown (block);
    }
    return output;
}

juce::AudioBuffer<float> slice (const juce::AudioBuffer<float>& buffer, int start, int length)
{
    juce::AudioBuffer<float> result (buffer.getNumChannels(), length);
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        result.copyFrom (ch, 0, buffer, ch, start, length);
    return result;
}

float maxDifference (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    float largest = 0.0f;
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        for (int i = 0; i < a.getNumSamples(); ++i)
            largest = juce::jmax (largest, std::abs (a.getSample (ch, i) - b.getSample (ch, i)));
    return largest;
}
