#include "TorvaneProcessor.h"

#include "TorvaneEditor.h"

TorvaneProcessor::TorvaneProcessor()
    : AudioProcessor (BusesProperties()
                          .withInput ("Input", juce::AudioChannelSet::stereo(), true)
                          .withOutput ("Output", juce::AudioChannelSet::stereo(), true)),
      apvts (*this, nullptr, "STATE", createParameterLayout())
{
}

juce::AudioProcessorValueTreeState::ParameterLayout TorvaneProcessor::createParameterLayout()
{
    auto percent = [] (const char* id, const char* name, float def)
    {
        return std::make_unique<juce::AudioParameterFloat> (
            juce::ParameterID { id, 1 }, name, juce::NormalisableRange<float> (0.0f, 100.0f, 0.1f, 1.0f), def,
            juce::AudioParameterFloatAttributes().withLabel ("%"));
    };
    juce::AudioProcessorValueTreeState::ParameterLayout layout;
    layout.add (percent ("drive", "Drive", 0.0f));
    layout.add (percent ("blend", "Blend", 100.0f));
    layout.add (std::make_unique<juce::AudioParameterChoice> (
        juce::ParameterID { "page", 1 }, "Page", juce::StringArray { "Rare", "Medium", "Well" }, 0));
    return layout;
}

void TorvaneProcessor::prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock)
{
    for (int i = 0; i < 3; ++i)
        stages[(size_t) i].prepare (i, sampleRate, maximumExpectedSamplesPerBlock, juce::jmax (1, getTotalNumOutputChannels()));
}

void TorvaneProcessor::processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&)
{
    blockCounter.fetch_add (1);
}

juce::AudioProcessorEditor* TorvaneProcessor::createEditor()
{
    return new TorvaneEditor (*this);
}

void TorvaneProcessor::getStateInformation (juce::MemoryBlock& destData)
{
    if (auto xml = apvts.copyState().createXml())
        copyXmlToBinary (*xml, destData);
}

void TorvaneProcessor::setStateInformation (const void* data, int sizeInBytes)
{
    if (auto xml = getXmlFromBinary (data, sizeInBytes))
        if (xml->hasTagName (apvts.state.getType()))
            apvts.replaceState (juce::ValueTree::fromXml (*xml));
}

bool TorvaneProcessor::isBusesLayoutSupported (const BusesLayout& layouts) const
{
    const auto out = layouts.getMainOutputChannelSet();
    if (out != juce::AudioChannelSet::mono() && out != juce::AudioChannelSet::stereo())
        return false;
    return layouts.getMainInputChannelSet() == out;
}

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TorvaneProcessor();
}
