#include "OpaqueTiles.h"

#include <gtest/gtest.h>

namespace
{
juce::Image pictureWithDots (const std::vector<juce::Point<int>>& dots)
{
    juce::Image image (juce::Image::ARGB, 100, 70, true);
    for (auto p : dots)
        image.setPixelAt (p.x, p.y, juce::Colours::white.withAlpha ((juce::uint8) 1));
    return image;
}
} // namespace

TEST (OpaqueTiles, TilesHoldEveryVisiblePixelAndNoEmptyTile)
{
    const std::vector<juce::Point<int>> dots { { 0, 0 }, { 17, 3 }, { 99, 69 }, { 50, 40 } };
    const auto tiles = OpaqueTiles::findTiles (pictureWithDots (dots));
    for (auto p : dots)
        EXPECT_TRUE (tiles.containsPoint (p)) << p.toString();
    // Four dots in four different 16-pixel tiles: four tiles' worth of area at most.
    int area = 0;
    for (const auto& r : tiles)
        area += r.getWidth() * r.getHeight();
    EXPECT_LE (area, 4 * 16 * 16);
    EXPECT_FALSE (tiles.containsPoint ({ 70, 10 }));
}

TEST (OpaqueTiles, EdgeCases)
{
    EXPECT_TRUE (OpaqueTiles::findTiles (pictureWithDots ({})).isEmpty());
    EXPECT_TRUE (OpaqueTiles::findTiles (juce::Image()).isEmpty());
    const juce::Image opaque (juce::Image::RGB, 30, 20, true);
    EXPECT_EQ (OpaqueTiles::findTiles (opaque).getBounds(), juce::Rectangle<int> (0, 0, 30, 20));
}

// A picture stretched to twice its size: each tile maps to twice its size, grown by one.
TEST (OpaqueTiles, ClipFollowsTheStretchIntoTheArea)
{
    OpaqueTiles tiles;
    const auto picture = pictureWithDots ({ { 20, 20 } });
    const auto clip = tiles.clipFor (picture, { 10.0f, 5.0f, 200.0f, 140.0f });
    EXPECT_EQ (clip.getBounds(), juce::Rectangle<int> (10 + 32 - 1, 5 + 32 - 1, 32 + 2, 32 + 2));
    EXPECT_EQ (&tiles.tilesFor (picture), &tiles.tilesFor (picture)) << "found once, then cached";
}
