#pragma once

#include "PaintTools.h"

namespace torvane::art
{
// Pictures shared by all characters, drawn into their rectangles: the four spark sprites
// and the knob caps (round, opaque, pointer straight up).
void paintSpark (juce::Graphics& g, Rect r, int i);
void paintKnobCap (juce::Graphics& g, Rect r, bool brass);
} // namespace torvane::art
