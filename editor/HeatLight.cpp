#include "HeatLight.h"

namespace
{
    constexpr int pollHz = 30;
    constexpr float easing = 0.35f;      // share of the remaining gap closed per tick
    constexpr float stillGap = 0.001f;   // below this the lamp stops moving and repainting
    constexpr int defaultFrames = 8;
}

HeatLight::HeatLight (TorvaneProcessor& processorToShow)
    : processor (processorToShow)
{
    setInterceptsMouseClicks (false, false);
    setOpaque (false);
    startTimerHz (pollHz);
}

HeatLight::~HeatLight()
{
    stopTimer();
}

void HeatLight::setKit (zem::ArtKit* newKit)
{
    kit = newKit;
    repaint();
}

void HeatLight::timerCallback()
{
    // The component's own flag: a hidden lamp keeps its level.
    if (! isVisible())
        return;

    const float effort = processor.effort.load();
    const float gap = effort - level;
    if (std::abs (gap) > stillGap)
    {
        level += gap * easing;
        repaint();
    }
}

int HeatLight::frameFor (float shownLevel, int frameCount)
{
    return juce::jlimit (0, frameCount - 1, juce::roundToInt ((float) (frameCount - 1) * shownLevel));
}

void HeatLight::paint (juce::Graphics& g)
{
    const juce::Rectangle<float> r (1.0f, 1.0f, juce::jmax ((float) getWidth() - 2.0f, 0.0f),
                                    juce::jmax ((float) getHeight() - 2.0f, 0.0f));
    if (! paintArt (g, r))
        paintDrawn (g, r);
}

bool HeatLight::paintArt (juce::Graphics& g, juce::Rectangle<float> r) const
{
    if (kit == nullptr)
        return false;
    auto* entry = kit->find ("light");
    if (! zem::isPresent (entry))
        return false;

    const int count = juce::jmax (kit->docs.frameCount ("light", defaultFrames), 2);
    return entry->drawFrame (g, r, kit->imageScale (g), frameFor (level, count), count);
}

// A dark socket with an inner disc that brightens and turns from orange towards red.
void HeatLight::paintDrawn (juce::Graphics& g, juce::Rectangle<float> r) const
{
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillEllipse (r);

    g.setColour (juce::Colour::fromFloatRGBA (1.0f, 0.45f + 0.25f * (1.0f - level), 0.2f, 0.15f + 0.85f * level));
    const float k = 0.18f * r.getWidth();
    g.fillEllipse (r.getX() + k, r.getY() + k, juce::jmax (r.getWidth() - 2.0f * k, 0.0f),
                   juce::jmax (r.getHeight() - 2.0f * k, 0.0f));
}
