#pragma once

#include "PaintTools.h"

namespace torvane::art
{
// The head: enamel, rim, cheeks or char, nose, name plate, knob sockets, the pilot light,
// the eyes with their pupils and the mouth in any of its frames.
class FacePainter
{
public:
    explicit FacePainter (const Scene& s) : scene (s), look (s.look) {}

    static constexpr int mouthFrames = 12;

    void paintHead (juce::Graphics& g) const;
    void paintEye (juce::Graphics& g, int k, bool withPupil) const;
    void paintPupil (juce::Graphics& g, int k) const;
    void paintMouth (juce::Graphics& g, int frame) const;
    void paintIndicatorGlow (juce::Graphics& g) const;

    // The lips' line (upper or lower) and the opening between them, for an openness 0..1.
    juce::Path mouthLine (float openness, bool upper) const;
    juce::Path mouthOpening (float openness) const;

private:
    const Scene& scene;
    const Look& look;

    void paintSurface (juce::Graphics& g) const;
    void paintCheeks (juce::Graphics& g) const;
    void paintBrassBand (juce::Graphics& g) const;
    void paintCharring (juce::Graphics& g) const;
    void paintRim (juce::Graphics& g) const;
    void paintJack (juce::Graphics& g) const;
    void paintNose (juce::Graphics& g) const;
    void paintLid (juce::Graphics& g, const Eye& e) const;
    void paintLashes (juce::Graphics& g, const Eye& e) const;
    void paintBrow (juce::Graphics& g, const Eye& e) const;
    void paintThroat (juce::Graphics& g, float openness) const;
    void paintTeeth (juce::Graphics& g, float openness, Rect opening) const;
    void paintLips (juce::Graphics& g, float openness) const;
    void paintPlates (juce::Graphics& g) const;   // the name plate and the knobs' word plates
    void paintLetteredPlate (juce::Graphics& g, Rect plate, const juce::Path& text) const;
    void paintSocket (juce::Graphics& g, Rect r) const;
    void paintIndicatorLens (juce::Graphics& g) const;
};
} // namespace torvane::art
