#pragma once

#include "Scene.h"

namespace torvane::art
{
// What the page shows beyond its rest pose: the mouth frame, and the pieces left out of the
// patches that the editor draws behind moving parts.
struct Pose
{
    int mouthFrame = 0;
    bool transformer = true;   // body and valve
    bool cable = true;
    int hiddenDrip = -1;
    bool pupils = true;
};

// Paints one character's scene in design pixels: the whole page, or one of its pieces on
// its own (over transparency) exactly as the page draws it, so overlays register with it.
class ScenePainter
{
public:
    explicit ScenePainter (const Scene& sceneToPaint) : scene (sceneToPaint), look (sceneToPaint.look) {}

    void paintPage (juce::Graphics& g, const Pose& pose) const;

    // Pieces at rest, as the page draws them.
    void paintCable (juce::Graphics& g) const;
    void paintTransformer (juce::Graphics& g) const;
    void paintCone (juce::Graphics& g) const;
    void paintFlap (juce::Graphics& g, int k) const;
    void paintFlame (juce::Graphics& g, int v) const;
    void paintDrip (juce::Graphics& g, int k) const;
    void paintPupil (juce::Graphics& g, int k) const;

    // Overlays with the lit, hot or moving look.
    void paintLitCoals (juce::Graphics& g, int group) const;
    void paintGlisten (juce::Graphics& g, int group) const;
    void paintIndicatorGlow (juce::Graphics& g) const;
    void paintValveHot (juce::Graphics& g) const;
    void paintValveDim (juce::Graphics& g) const;
    void paintWarmGlow (juce::Graphics& g) const;
    void paintMouthWarm (juce::Graphics& g, int frame) const;
    void paintSmoke (juce::Graphics& g, int v) const;

    // Shared sprites and knob caps, drawn into their rectangles.
    static void paintSpark (juce::Graphics& g, Rect r, int i);
    static void paintKnobCap (juce::Graphics& g, Rect r, bool brass);

    static constexpr int mouthFrames = 12;

private:
    const Scene& scene;
    const Look& look;

    void paintBackground (juce::Graphics& g) const;
    void paintSign (juce::Graphics& g) const;
    void paintShelf (juce::Graphics& g) const;
    void paintCabinet (juce::Graphics& g) const;
    void paintHead (juce::Graphics& g) const;
    void paintSocket (juce::Graphics& g, Rect r) const;
    void paintIndicatorLens (juce::Graphics& g) const;
    void paintEye (juce::Graphics& g, int k, bool withPupil) const;
    void paintMouth (juce::Graphics& g, int frame) const;
    void paintGrill (juce::Graphics& g, const Pose& pose) const;
    void paintCoal (juce::Graphics& g, const Coal& coal) const;
    void paintValve (juce::Graphics& g) const;

    juce::Path mouthOpening (float openness) const;
    juce::Path mouthLine (float openness, bool upper) const;
    juce::Path cablePath() const;
};
} // namespace torvane::art
