#pragma once

#include <zem/zem.h>

/** A processor with no audio work, to carry a toolkit editor in tests. */
class FixtureProcessor : public juce::AudioProcessor
{
public:
    FixtureProcessor();

    const juce::String getName() const override { return "Fixture"; }
    void prepareToPlay (double, int) override {}
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override {}
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override { return nullptr; }
    bool hasEditor() const override { return false; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return {}; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock&) override {}
    void setStateInformation (const void*, int) override {}
};

/** The toolkit's base editor as a product would use it, recording its layout calls. */
class FixtureEditor : public zem::EditorBase
{
public:
    FixtureEditor (juce::AudioProcessor& processor, const zem::ArtSource& source, int width = 560, int height = 560);

    void layoutContent (juce::Rectangle<int> contentArea) override;

    juce::Rectangle<int> lastContent;
    int layoutCalls = 0;
};
