#pragma once

#include "TorvaneProcessor.h"

#include <zem/zem.h>

// The fallback view's heat lamp: shows how much the drive stage is currently adding (the
// processor's published effort), polled at 30 Hz on the message thread and eased towards.
class HeatLight : public juce::Component,
                  public juce::Timer
{
public:
    explicit HeatLight (TorvaneProcessor& processorToShow);
    ~HeatLight() override;

    void setKit (zem::ArtKit* newKit);
    float getLevel() const noexcept { return level; }

    // The filmstrip frame of n frames shown for a level.
    static int frameFor (float level, int frameCount);

    void paint (juce::Graphics& g) override;
    void timerCallback() override;

private:
    bool paintArt (juce::Graphics& g, juce::Rectangle<float> r) const;
    void paintDrawn (juce::Graphics& g, juce::Rectangle<float> r) const;

    TorvaneProcessor& processor;
    zem::ArtKit* kit = nullptr;
    float level = 0.0f;
};
