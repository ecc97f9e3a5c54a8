#pragma once

#include "FacePainter.h"
#include "FirePainter.h"
#include "MachinePainter.h"
#include "Pose.h"

namespace torvane::art
{
// Paints one character's scene in design pixels: the whole page in a pose, and the
// scene-wide overlays. Its parts paint their pieces on their own (over transparency)
// exactly as the page draws them, so every overlay registers with the page.
class ScenePainter
{
public:
    explicit ScenePainter (const Scene& s) : face (s), machine (s), fire (s), scene (s), look (s.look) {}

    void paintPage (juce::Graphics& g, const Pose& pose) const;
    void paintGlisten (juce::Graphics& g, int group) const;
    void paintWarmGlow (juce::Graphics& g) const;
    void paintMouthWarm (juce::Graphics& g, int frame) const;

    const FacePainter face;
    const MachinePainter machine;
    const FirePainter fire;

private:
    const Scene& scene;
    const Look& look;

    void paintBackground (juce::Graphics& g) const;
    void paintSign (juce::Graphics& g) const;
};
} // namespace torvane::art
