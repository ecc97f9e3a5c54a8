#pragma once

#include "PaintTools.h"

namespace torvane::art
{
// The electrics around the head: the transformer with its valve on a wall shelf, the lead
// into the head's jack, and the speaker cabinet with its cone and grille flaps.
class MachinePainter
{
public:
    explicit MachinePainter (const Scene& s) : scene (s), look (s.look) {}

    void paintShelf (juce::Graphics& g) const;
    void paintCabinet (juce::Graphics& g) const;   // with the cone and flaps at rest
    void paintCone (juce::Graphics& g) const;
    void paintFlap (juce::Graphics& g, int k) const;
    void paintCable (juce::Graphics& g) const;
    void paintTransformer (juce::Graphics& g) const;   // with the cold valve on it
    void paintValveHot (juce::Graphics& g) const;
    void paintValveDim (juce::Graphics& g) const;

private:
    const Scene& scene;
    const Look& look;

    static constexpr juce::Point<float> flapShadow { 0.8f, 1.2f };

    void paintValve (juce::Graphics& g) const;
    juce::Path flapTab (int k) const;
    juce::Path flapSweep (int k) const;
    juce::Path cablePath() const;
};
} // namespace torvane::art
