#pragma once

#include "CopyBudget.h"

#include <juce_graphics/juce_graphics.h>

#include <functional>
#include <list>

// Copies of large pictures resampled once to the size they are drawn at, for displays
// where no embedded scale matches (a 1120 window on a 2x display draws the 3x drawings
// at 4x). Drawing the copy is a plain copy of pixels; the copy is what the framework's
// own stretch would draw on the same whole-pixel grid, so the result is unchanged.
// A picture has at most one copy, remade when its size changes; the copies count
// against a byte budget shared with the scene's other copies.
class ScaledCopies : private CopyBudget::Holder
{
public:
    explicit ScaledCopies (CopyBudget&);
    ~ScaledCopies() override;

    // The picture resampled to width x height, to be drawn in the current frame; null when
    // the budget cannot hold it (the caller then draws the picture itself).
    const juce::Image* copyOf (const juce::Image& picture, int width, int height);

    // Keeps a copy of the picture made ahead elsewhere (off the message thread), if the
    // budget has the room free.
    void adopt (const juce::Image& picture, const juce::Image& scaled);

    void clear();

    // The picture stretched to width x height by the framework, as every copy is made. A
    // stop request is looked at between bands of rows; a stopped stretch gives a null image.
    static juce::Image stretched (const juce::Image& picture, int width, int height,
                                  const std::function<bool()>& shouldStop = {});

    // The bytes of pixels an image of this format and size holds.
    static size_t bytesFor (juce::Image::PixelFormat, int width, int height);

    // How many copies have been made (for tests).
    int copiesMade() const { return made; }

    // The bytes of pixels the copies hold.
    size_t bytesHeld() const;

private:
    struct Copy
    {
        juce::Image source;   // keeps the source's pixels, and so the key, alive
        juce::Image scaled;
        size_t bytes = 0;
        juce::uint32 lastUse = 0;
    };
    std::list<Copy>::iterator find (const juce::Image& picture);
    void erase (std::list<Copy>::iterator);
    void keep (const juce::Image& picture, juce::Image scaled, size_t bytes);
    size_t bytesBefore (juce::uint32 keepFrom) const override;
    bool dropOldest (juce::uint32 keepFrom) override;

    CopyBudget& budget;
    std::list<Copy> copies;   // a list: a copy drawn stays where it is while others come and go
    int made = 0;
};
