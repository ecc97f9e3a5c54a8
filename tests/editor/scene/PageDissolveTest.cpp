#include "PageDissolve.h"
#include "PixelDistance.h"

#include <gtest/gtest.h>

namespace
{
juce::Image filled (juce::Image::PixelFormat format, int side, juce::Colour colour)
{
    juce::Image image (format, side, side, true);
    juce::Graphics g (image);
    g.fillAll (colour);
    return image;
}

juce::Image maskOf (int n, std::function<int (int x, int y)> value)
{
    juce::Image mask (juce::Image::SingleChannel, n, n, true);
    juce::Image::BitmapData bits (mask, juce::Image::BitmapData::writeOnly);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            bits.getLinePointer (y)[x * bits.pixelStride] = (juce::uint8) value (x, y);
    return mask;
}
} // namespace

// Mixed in the scene's loop, the dissolve is what the framework draws when the incoming
// drawing goes through the mask stretched over the square as a clip, to within 2 levels:
// on a 1x and a 2x display, with a soft edge across the square.
TEST (PageDissolve, MatchesTheDrawingThroughTheMaskClip)
{
    const auto leaving = filled (juce::Image::RGB, 300, juce::Colours::darkgreen);
    auto shown = filled (juce::Image::RGB, 300, juce::Colours::orange);
    {
        juce::Graphics g (shown);
        g.setColour (juce::Colours::navy);
        g.fillRect (40, 60, 150, 20);
    }
    const auto mask = maskOf (30, [] (int x, int y) { return juce::jlimit (0, 255, (x - 8) * 20 + y); });
    for (float scale : { 1.0f, 2.0f })
    {
        const int side = (int) (300 / scale);
        const int canvas = 320;
        juce::Image ours (juce::Image::ARGB, canvas, canvas, true), theirs (juce::Image::ARGB, canvas, canvas, true);
        const juce::Point<int> corner (10, 10);
        {
            juce::Graphics g (ours);
            g.addTransform (juce::AffineTransform::scale (scale));
            PageDissolve dissolve;
            EXPECT_TRUE (dissolve.draw (g, leaving, shown, mask, corner, scale));
        }
        {
            juce::Graphics g (theirs);
            g.addTransform (juce::AffineTransform::scale (scale));
            const auto origin = corner.toFloat() / scale;
            g.drawImage (leaving, { origin.x, origin.y, (float) side, (float) side }, juce::RectanglePlacement::stretchToFit);
            const float k = (float) side / (float) mask.getWidth();
            g.reduceClipRegion (mask, juce::AffineTransform::scale (k, k).translated (origin.x, origin.y));
            g.drawImage (shown, { origin.x, origin.y, (float) side, (float) side }, juce::RectanglePlacement::stretchToFit);
        }
        int worst = 0;
        for (int y = 10; y < 310; ++y)
            for (int x = 10; x < 310; ++x)
                worst = std::max (worst, channelDistance (ours.getPixelAt (x, y), theirs.getPixelAt (x, y)));
        EXPECT_LE (worst, 2) << "at " << scale;
        EXPECT_EQ (ours.getPixelAt (5, 5), juce::Colour()) << "nothing outside the square";
    }
}

// Drawings that are not both the square's size in one format are left to the caller.
TEST (PageDissolve, DeclinesDrawingsThatDoNotMatch)
{
    const auto mask = maskOf (10, [] (int, int) { return 128; });
    const auto rgb = filled (juce::Image::RGB, 50, juce::Colours::red);
    juce::Image target (juce::Image::ARGB, 60, 60, true);
    juce::Graphics g (target);
    PageDissolve dissolve;
    EXPECT_FALSE (dissolve.draw (g, rgb, filled (juce::Image::ARGB, 50, juce::Colours::blue), mask, {}, 1.0f));
    EXPECT_FALSE (dissolve.draw (g, rgb, filled (juce::Image::RGB, 40, juce::Colours::blue), mask, {}, 1.0f));
    EXPECT_FALSE (dissolve.draw (g, rgb, rgb, juce::Image(), {}, 1.0f));
    EXPECT_EQ (target.getPixelAt (20, 20), juce::Colour());
}
