#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>

// Where a picture has any visible pixel, as a list of square tiles in the picture's own
// pixels. Many overlays are large and mostly transparent; clipping a draw to these tiles
// gives the same result (a transparent pixel drawn source-over changes nothing) while
// the renderer skips the empty parts. Tiles are found once per decoded picture.
class OpaqueTiles
{
public:
    static constexpr int tileSize = 16;

    // The tiles of the picture; an empty list when the picture is fully transparent.
    const juce::RectangleList<int>& tilesFor (const juce::Image& image);

    // The tiles mapped onto the area the whole picture is stretched into, each grown by
    // one unit so that resampling at the tiles' edges still reads only drawn pixels.
    juce::RectangleList<int> clipFor (const juce::Image& image, juce::Rectangle<float> area);

    static juce::RectangleList<int> findTiles (const juce::Image& image);

private:
    struct Entry
    {
        juce::Image image;   // keeps the pixels, and so the key, alive
        juce::RectangleList<int> tiles;
    };
    std::map<const juce::ImagePixelData*, Entry> cache;
};
