#pragma once

#include "Picture.h"

namespace torvane::art
{
// The pixel size of a picture at a scale: its rectangle times the scale, each side rounded.
juce::Point<int> pixelSize (Rect rect, int scale);

// Draws a picture at a scale: the scene is mapped so that its rectangle exactly fills the
// image, the way the editor stretches the picture back over that rectangle.
juce::Image renderPicture (const Picture& picture, int scale);

// "name@2x.png" in the given folder.
juce::File pictureFile (const juce::File& folder, const juce::String& name, int scale);

bool writePng (const juce::Image& image, const juce::File& file);

// Renders every picture at scales 1 to 3 into the folder, on all cores; false on a failure.
bool renderAll (const std::vector<Picture>& pictures, const juce::File& folder);
} // namespace torvane::art
