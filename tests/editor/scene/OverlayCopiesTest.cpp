#include "OverlayCopies.h"

#include <gtest/gtest.h>

namespace
{
// A soft disc on transparency.
juce::Image disc (int side, juce::Colour colour)
{
    juce::Image image (juce::Image::ARGB, side, side, true);
    juce::Graphics g (image);
    g.setColour (colour);
    g.fillEllipse (image.getBounds().toFloat().reduced (3.0f));
    return image;
}
} // namespace

// A copy is made once per picture and device rectangle and then only found again; a new
// rectangle, a new display scale or a new picture makes another.
TEST (OverlayCopies, MadeOncePerPictureAndDeviceRectangle)
{
    OverlayCopies copies (64u << 20);
    OpaqueTiles tiles;
    PictureStretcher stretcher;
    const auto red = disc (90, juce::Colours::red), blue = disc (90, juce::Colours::blue);
    const juce::Rectangle<float> area (10.3f, 4.6f, 120.0f, 120.0f);
    const auto* first = copies.piecesFor (red, area, 1.0f, tiles, stretcher);
    ASSERT_NE (first, nullptr);
    EXPECT_EQ (copies.piecesFor (red, area, 1.0f, tiles, stretcher), first);
    EXPECT_EQ (copies.copiesMade(), 1);
    copies.piecesFor (red, area.translated (1.0f, 0.0f), 1.0f, tiles, stretcher);
    copies.piecesFor (red, area, 2.0f, tiles, stretcher);
    copies.piecesFor (blue, area, 1.0f, tiles, stretcher);
    EXPECT_EQ (copies.copiesMade(), 4);
    EXPECT_GT (copies.bytesHeld(), 0u);
    copies.clear();
    EXPECT_EQ (copies.bytesHeld(), 0u);
}

// Past the budget the least recently used copies go; views of a picture drawn at its own
// size hold no bytes; an opaque picture is not one the copies handle.
TEST (OverlayCopies, BudgetViewsAndDeclinedPictures)
{
    OpaqueTiles tiles;
    PictureStretcher stretcher;
    const auto red = disc (100, juce::Colours::red), blue = disc (100, juce::Colours::blue);
    const juce::Rectangle<float> area (0.5f, 0.5f, 150.0f, 150.0f);

    OverlayCopies unbounded (64u << 20);
    unbounded.piecesFor (red, area, 1.0f, tiles, stretcher);
    const auto one = unbounded.bytesHeld();
    ASSERT_GT (one, 0u);

    OverlayCopies copies (one + one / 2);
    copies.piecesFor (red, area, 1.0f, tiles, stretcher);
    copies.piecesFor (blue, area, 1.0f, tiles, stretcher);   // red goes
    EXPECT_LE (copies.bytesHeld(), one + one / 2);
    copies.piecesFor (blue, area, 1.0f, tiles, stretcher);
    EXPECT_EQ (copies.copiesMade(), 2) << "blue stayed";
    copies.piecesFor (red, area, 1.0f, tiles, stretcher);
    EXPECT_EQ (copies.copiesMade(), 3) << "red was made again";

    OverlayCopies views (64u << 20);
    const auto* unscaled = views.piecesFor (red, { 7.0f, 9.0f, 100.0f, 100.0f }, 1.0f, tiles, stretcher);
    ASSERT_NE (unscaled, nullptr);
    EXPECT_FALSE (unscaled->empty());
    EXPECT_EQ (views.bytesHeld(), 0u);

    const juce::Image opaque (juce::Image::RGB, 50, 50, true);
    EXPECT_EQ (views.piecesFor (opaque, area, 1.0f, tiles, stretcher), nullptr);
    EXPECT_EQ (views.piecesFor (red, area, 0.0f, tiles, stretcher), nullptr);
}
