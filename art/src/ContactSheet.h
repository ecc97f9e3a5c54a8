#pragma once

#include "PictureCatalog.h"

namespace torvane::art
{
// Review sheets at one scale: per character the drawing alone, the drawing with every
// overlay at full strength and the drawing with its layout marked, and one labelled grid
// of all pictures.
bool writeContactSheets (const PictureCatalog& catalog, const juce::File& folder, int scale);
} // namespace torvane::art
