#include "FixtureEditor.h"

FixtureProcessor::FixtureProcessor()
    : IdleProcessor (BusesProperties().withInput ("Input", juce::AudioChannelSet::stereo())
                                    .withOutput ("Output", juce::AudioChannelSet::stereo()))
{
}

FixtureEditor::FixtureEditor (juce::AudioProcessor& processor, const zem::ArtSource& source, int width, int height)
    : zem::EditorBase (processor, source, width, height)
{
    finishSetup();
}

void FixtureEditor::layoutContent (juce::Rectangle<int> contentArea)
{
    lastContent = contentArea;
    ++layoutCalls;
}
