#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Copies of large pictures resampled once to the size they are drawn at, for displays
// where no embedded scale matches (a 1120 window on a 2x display draws the 3x drawings
// at 4x). Drawing the copy is a plain copy of pixels; the copy is what the framework's
// own stretch would draw on the same whole-pixel grid, so the result is unchanged.
// A copy is remade when its picture or its size changes.
class ScaledCopies
{
public:
    // Keeps at most this many copies; the least recently used one goes first.
    explicit ScaledCopies (int capacity) : copies ((size_t) std::max (capacity, 1)) {}

    // The picture resampled to width x height.
    const juce::Image& copyOf (const juce::Image& picture, int width, int height);

    // Takes a copy of the picture made elsewhere (off the message thread).
    void adopt (const juce::Image& picture, const juce::Image& scaled);

    // The picture stretched to width x height by the framework, as every copy is made.
    static juce::Image stretched (const juce::Image& picture, int width, int height);

    // How many copies have been made (for tests).
    int copiesMade() const { return made; }

    // The bytes of pixels the copies hold.
    size_t bytesHeld() const;

private:
    struct Copy
    {
        juce::Image source;   // keeps the source's pixels, and so the key, alive
        juce::Image scaled;
        juce::uint32 lastUse = 0;
    };
    Copy& slotFor (const juce::Image& picture);

    std::vector<Copy> copies;
    juce::uint32 uses = 0;
    int made = 0;
};
