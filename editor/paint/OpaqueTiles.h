#pragma once

#include <juce_graphics/juce_graphics.h>

#include <map>
#include <vector>

// Where a picture has any visible pixel, as a grid of square tiles in the picture's own
// pixels. Many overlays are large and mostly transparent; drawing only the tiles that
// hold pixels gives the same result (a transparent pixel drawn source-over changes
// nothing) while the empty parts are skipped. Tiles are found once per decoded picture.
class OpaqueTiles
{
public:
    static constexpr int tileSize = 16;

    // Which tiles of a picture hold a visible pixel, row by row.
    struct Grid
    {
        int columns = 0, rows = 0;
        std::vector<bool> filled;

        bool at (int column, int row) const { return filled[(size_t) (row * columns + column)]; }
    };

    // The tiles of the picture; an empty list when the picture is fully transparent.
    const juce::RectangleList<int>& tilesFor (const juce::Image& image);

    // The grid of the picture, found on first use unless it was handed over already.
    const Grid& gridFor (const juce::Image& image);

    // Takes a grid found elsewhere (off the message thread) for this picture.
    void adopt (const juce::Image& image, Grid grid);

    // The tiles mapped onto the area the whole picture is stretched into, each grown by
    // one unit so that resampling at the tiles' edges still reads only drawn pixels.
    juce::RectangleList<int> clipFor (const juce::Image& image, juce::Rectangle<float> area);

    static Grid findGrid (const juce::Image& image);
    // A grid with every tile of the picture filled: the whole picture at once.
    static Grid filledGrid (const juce::Image& image);
    static juce::RectangleList<int> findTiles (const juce::Image& image);

private:
    static Grid uniformGrid (const juce::Image& image, bool filled);
    static juce::RectangleList<int> tilesOf (const juce::Image& image, const Grid& grid);

    struct Entry
    {
        juce::Image image;   // keeps the pixels, and so the key, alive
        Grid grid;
        bool hasTiles = false;
        juce::RectangleList<int> tiles;
    };
    Entry& entryFor (const juce::Image& image);
    std::map<const juce::ImagePixelData*, Entry> cache;
};
