#pragma once

#include "PaintTools.h"

namespace torvane::art
{
// What stands behind the machine: each character's wall, the haze and vignette, and the
// sign with the three words, the character's own one lit.
class BackdropPainter
{
public:
    explicit BackdropPainter (const Scene& s) : scene (s), look (s.look) {}

    void paintWall (juce::Graphics& g) const;
    void paintSign (juce::Graphics& g) const;

private:
    const Scene& scene;
    const Look& look;

    void paintBrickWall (juce::Graphics& g) const;
    void paintPlateWall (juce::Graphics& g) const;
    void paintDusk (juce::Graphics& g) const;
    void paintBoard (juce::Graphics& g) const;
    void paintLitWord (juce::Graphics& g, int page) const;
    void paintCarvedWord (juce::Graphics& g, int page) const;
};
} // namespace torvane::art
