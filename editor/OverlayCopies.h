#pragma once

#include "OpaqueTiles.h"
#include "PictureStretcher.h"

#include <juce_graphics/juce_graphics.h>

#include <map>
#include <tuple>
#include <vector>

// Overlay pictures that the scene draws into rectangles that stay put from frame to
// frame, kept as they land on the device pixels (PictureStretcher::piecesFor), so that a
// frame only copies their pixels instead of resampling them. A copy belongs to one
// picture and one device rectangle; once the copies hold more bytes than the budget,
// the least recently used go first.
class OverlayCopies
{
public:
    explicit OverlayCopies (size_t budgetBytes) : budget (budgetBytes) {}

    using Pieces = std::vector<PictureStretcher::Piece>;

    // The pieces of the picture drawn into the area of a context with "physical" device
    // pixels per unit; null when the picture is not one the stretcher handles. A grid
    // given here replaces the picture's own for a copy made now.
    const Pieces* piecesFor (const juce::Image& picture, juce::Rectangle<float> area, float physical,
                             OpaqueTiles& tiles, PictureStretcher& stretcher, const OpaqueTiles::Grid* grid = nullptr);

    // Takes the pieces of the picture in the area made elsewhere (off the message thread).
    void adopt (const juce::Image& picture, juce::Rectangle<float> area, float physical, Pieces pieces);

    void clear();

    // The bytes of pixels the copies hold of their own (views of a picture hold none).
    size_t bytesHeld() const { return held; }
    int copiesMade() const { return made; }

private:
    using Key = std::tuple<const juce::ImagePixelData*, float, float, float, float>;
    struct Copy
    {
        juce::Image source;   // keeps the source's pixels, and so the key, alive
        Pieces pieces;
        size_t bytes = 0;
        juce::uint32 lastUse = 0;
    };
    void trimTo (size_t bytes, const Key& keep);
    Copy& insert (const Key& key, Copy copy);
    static Key keyFor (const juce::Image& picture, juce::Rectangle<float> area, float physical);

    std::map<Key, Copy> copies;
    size_t budget;
    size_t held = 0;
    juce::uint32 uses = 0;
    int made = 0;
};
