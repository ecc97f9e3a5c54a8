#pragma once

#include <juce_graphics/juce_graphics.h>

#include <array>

// Copies of large pictures resampled once to the size they are drawn at, for displays
// where no embedded scale matches (a 1120 window on a 2x display draws the 3x drawings
// at 4x). Drawing the copy is a plain copy of pixels; the copy is what the framework's
// own stretch would draw on the same whole-pixel grid, so the result is unchanged.
// A copy is remade when its picture or its size changes; a few are kept, enough for
// the two drawings of a dissolve and the third page.
class ScaledCopies
{
public:
    static constexpr int capacity = 3;

    // The picture resampled to width x height.
    const juce::Image& copyOf (const juce::Image& picture, int width, int height);

    // How many copies have been made (for tests).
    int copiesMade() const { return made; }

private:
    struct Copy
    {
        juce::Image source;   // keeps the source's pixels, and so the key, alive
        juce::Image scaled;
        juce::uint32 lastUse = 0;
    };
    std::array<Copy, capacity> copies;
    juce::uint32 uses = 0;
    int made = 0;
};
