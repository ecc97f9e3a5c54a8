#pragma once

#include "BackdropPainter.h"
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
    explicit ScenePainter (const Scene& s) : backdrop (s), face (s), machine (s), fire (s), scene (s) {}

    void paintPage (juce::Graphics& g, const Pose& pose) const;
    void paintGlisten (juce::Graphics& g, int group) const;
    void paintWarmGlow (juce::Graphics& g) const;
    void paintMouthWarm (juce::Graphics& g, int frame) const;

    const BackdropPainter backdrop;
    const FacePainter face;
    const MachinePainter machine;
    const FirePainter fire;

private:
    const Scene& scene;
};
} // namespace torvane::art
