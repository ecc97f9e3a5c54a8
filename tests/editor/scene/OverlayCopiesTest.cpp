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
    CopyBudget budget (64u << 20);
    OverlayCopies copies (budget);
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
    EXPECT_EQ (budget.held(), copies.bytesHeld());
    copies.clear();
    EXPECT_EQ (copies.bytesHeld(), 0u);
    EXPECT_EQ (budget.held(), 0u);
}

// Past the budget the copies least recently drawn go, never one drawn in this frame or
// the one before; a copy that found no room is drawn without one for half a second of
// frames, then tried again. Views of a picture drawn at its own size hold no bytes; an
// opaque picture is not one the copies handle.
TEST (OverlayCopies, BudgetViewsAndDeclinedPictures)
{
    OpaqueTiles tiles;
    PictureStretcher stretcher;
    const auto red = disc (100, juce::Colours::red), blue = disc (100, juce::Colours::blue);
    const juce::Rectangle<float> area (0.5f, 0.5f, 150.0f, 150.0f);

    CopyBudget unbounded (64u << 20);
    OverlayCopies measure (unbounded);
    measure.piecesFor (red, area, 1.0f, tiles, stretcher);
    const auto one = measure.bytesHeld();
    ASSERT_GT (one, 0u);

    CopyBudget budget (one + one / 2);
    OverlayCopies copies (budget);
    auto draw = [&] (const juce::Image& picture) { return copies.piecesFor (picture, area, 1.0f, tiles, stretcher); };
    budget.beginFrame();
    EXPECT_NE (draw (red), nullptr);
    budget.beginFrame();
    EXPECT_EQ (draw (blue), nullptr) << "red was drawn in the frame before";
    EXPECT_TRUE (copies.has (blue, area, 1.0f)) << "declined for now";
    for (int frame = 0; frame < 29; ++frame)
    {
        budget.beginFrame();
        EXPECT_EQ (draw (blue), nullptr) << frame;
    }
    budget.beginFrame();
    EXPECT_NE (draw (blue), nullptr) << "tried again, in red's room";
    EXPECT_EQ (copies.copiesMade(), 2);
    EXPECT_LE (copies.bytesHeld(), one + one / 2);
    EXPECT_EQ (budget.held(), copies.bytesHeld());
    EXPECT_FALSE (copies.has (red, area, 1.0f));

    copies.adopt (red, area, 1.0f, stretcher.piecesFor (red, area, 1.0f, tiles.gridFor (red)));
    EXPECT_FALSE (copies.has (red, area, 1.0f)) << "made ahead, it takes only free room";

    OverlayCopies views (unbounded);
    const auto* unscaled = views.piecesFor (red, { 7.0f, 9.0f, 100.0f, 100.0f }, 1.0f, tiles, stretcher);
    ASSERT_NE (unscaled, nullptr);
    EXPECT_FALSE (unscaled->empty());
    EXPECT_EQ (views.bytesHeld(), 0u);

    const juce::Image opaque (juce::Image::RGB, 50, 50, true);
    EXPECT_EQ (views.piecesFor (opaque, area, 1.0f, tiles, stretcher), nullptr);
    EXPECT_EQ (views.piecesFor (red, area, 0.0f, tiles, stretcher), nullptr);
}
