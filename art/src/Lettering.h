#pragma once

#include <juce_graphics/juce_graphics.h>

namespace torvane::art
{
// Text as outlines, from the DejaVu faces that the set-up installs, so the painted words
// come out the same on every build machine.
juce::Path letteringPath (const juce::String& text, juce::Rectangle<float> box);

// A plain face for the contact sheet's labels.
juce::Font labelFont (float height);
} // namespace torvane::art
