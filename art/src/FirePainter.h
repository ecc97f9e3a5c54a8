#pragma once

#include "PaintTools.h"

namespace torvane::art
{
// The grill under the head: legs, tray, the coal bed cold or lit, the rail with its
// hanging drips, Well's flames, and the smoke.
class FirePainter
{
public:
    explicit FirePainter (const Scene& s) : scene (s), look (s.look) {}

    void paintGrill (juce::Graphics& g, int hiddenDrip) const;
    void paintLitCoals (juce::Graphics& g, int group) const;
    void paintFlame (juce::Graphics& g, int v) const;
    void paintDrip (juce::Graphics& g, int k) const;
    void paintSmoke (juce::Graphics& g, int v) const;

private:
    const Scene& scene;
    const Look& look;
    static constexpr float dropBulb = 4.2f;   // the half width of a drop's bulb

    void paintTray (juce::Graphics& g) const;
    void paintTrayLip (juce::Graphics& g) const;
    void paintRail (juce::Graphics& g) const;
    void paintScorch (juce::Graphics& g) const;
    void paintCoal (juce::Graphics& g, const Coal& coal) const;
    juce::Path dropPath (int k) const;
};
} // namespace torvane::art
