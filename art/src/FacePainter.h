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

    void paintNose (juce::Graphics& g) const;
    void paintNamePlate (juce::Graphics& g) const;
    void paintSocket (juce::Graphics& g, Rect r) const;
    void paintIndicatorLens (juce::Graphics& g) const;
};
} // namespace torvane::art
