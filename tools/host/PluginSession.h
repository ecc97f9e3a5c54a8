#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// One hosted instance of a VST3 plug-in loaded by path, with the few host chores the
// commands share: pumping the message loop, choosing a layout, preparing, processing
// and finding parameters by their VST3 ID.
class PluginSession
{
public:
    static std::unique_ptr<PluginSession> load (const juce::File& bundle, juce::String& error);
    // Loads the bundle, or says on stderr why it could not be loaded.
    static std::unique_ptr<PluginSession> loadOrReport (const juce::File& bundle);

    juce::AudioPluginInstance& plugin() { return *instance; }

    // JUCE's hosted VST3 takes up latency and parameter changes from the message loop.
    static void pumpMessages (int milliseconds);

    static juce::AudioProcessor::BusesLayout layout (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out);
    bool accepts (const juce::AudioChannelSet& in, const juce::AudioChannelSet& out);
    bool prepare (int channels, double sampleRate, int blockSize);
    void process (juce::AudioBuffer<float>& buffer);

    juce::AudioProcessorParameter* findParameter (const juce::String& vst3Id);
    static juce::String parameterId (juce::AudioProcessorParameter& parameter);
    void setParameter (const juce::String& vst3Id, float normalisedValue);
    void setBypass (bool on);

private:
    explicit PluginSession (std::unique_ptr<juce::AudioPluginInstance> pluginInstance);

    std::unique_ptr<juce::AudioPluginInstance> instance;
    juce::MidiBuffer midi;
};
