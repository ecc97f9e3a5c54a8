#pragma once

#include "IdleProcessor.h"

/** A stereo processor with no audio work, to carry a toolkit editor in tests. */
class FixtureProcessor : public IdleProcessor
{
public:
    FixtureProcessor();
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
