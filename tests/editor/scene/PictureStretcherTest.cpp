#include "PictureStretcher.h"

#include <gtest/gtest.h>

namespace
{
// A picture with soft and hard detail: a gradient disc on transparency with a hard
// opaque bar, so that sampling errors show at edges, in gradients and in alpha.
juce::Image testPicture (int width, int height)
{
    juce::Image picture (juce::Image::ARGB, width, height, true);
    juce::Graphics g (picture);
    g.setGradientFill (juce::ColourGradient (juce::Colours::orange, (float) width * 0.3f, (float) height * 0.3f,
                                             juce::Colours::darkred.withAlpha (0.4f), (float) width, (float) height, true));
    g.fillEllipse (picture.getBounds().toFloat().reduced (2.0f));
    g.setColour (juce::Colours::white);
    g.fillRect (width / 4, height / 2, width / 2, 3);
    return picture;
}

juce::Image canvas (int side)
{
    juce::Image image (juce::Image::ARGB, side, side, true);
    juce::Graphics g (image);
    g.fillAll (juce::Colours::darkslategrey);
    return image;
}

int largestDifference (const juce::Image& a, const juce::Image& b)
{
    int worst = 0;
    for (int y = 0; y < a.getHeight(); ++y)
        for (int x = 0; x < a.getWidth(); ++x)
        {
            const auto p = a.getPixelAt (x, y), q = b.getPixelAt (x, y);
            worst = std::max ({ worst, std::abs ((int) p.getRed() - (int) q.getRed()),
                                std::abs ((int) p.getGreen() - (int) q.getGreen()),
                                std::abs ((int) p.getBlue() - (int) q.getBlue()) });
        }
    return worst;
}

struct Case
{
    const char* what;
    int pictureWidth, pictureHeight;
    juce::Rectangle<float> area;   // in units of the context
    float displayScale;
    float opacity;
};

const Case cases[] = {
    { "grown by a third at a fractional place", 60, 40, { 10.3f, 7.6f, 80.0f, 53.3f }, 1.0f, 1.0f },
    { "shrunk", 90, 90, { 20.0f, 15.0f, 61.5f, 47.2f }, 1.0f, 1.0f },
    { "same size, half a pixel off", 50, 30, { 12.5f, 20.5f, 50.0f, 30.0f }, 1.0f, 1.0f },
    { "faded", 60, 40, { 5.2f, 9.9f, 71.0f, 44.0f }, 1.0f, 0.45f },
    { "on a 2x display", 80, 60, { 10.25f, 6.4f, 47.0f, 35.1f }, 2.0f, 1.0f },
    { "partly outside the canvas", 60, 40, { -12.7f, 70.2f, 80.0f, 53.3f }, 1.0f, 1.0f },
    { "on a 1.5x display", 80, 60, { 10.3f, 6.4f, 47.0f, 35.1f }, 1.5f, 0.8f },
    { "on a 1.25x display", 80, 60, { 3.0f, 16.8f, 61.0f, 52.7f }, 1.25f, 1.0f },
    { "a large picture with empty corners, shrunk", 300, 220, { 4.3f, 7.1f, 101.0f, 74.2f }, 1.0f, 1.0f },
    { "a large picture with empty corners on a 2x display", 300, 220, { 4.3f, 7.1f, 101.0f, 74.2f }, 2.0f, 0.6f },
};

juce::Image drawnWith (const Case& c, const std::function<void (juce::Graphics&, const juce::Image&)>& draw)
{
    const auto picture = testPicture (c.pictureWidth, c.pictureHeight);
    auto image = canvas ((int) (110 * c.displayScale));
    juce::Graphics g (image);
    g.addTransform (juce::AffineTransform::scale (c.displayScale));
    g.setOpacity (c.opacity);
    draw (g, picture);
    return image;
}
} // namespace

// Drawn by the stretcher and by the framework's own stretched drawImage, the results agree
// to within a few levels of rounding everywhere, edges included.
TEST (PictureStretcher, MatchesTheFrameworksStretch)
{
    for (const auto& c : cases)
    {
        const auto picture = testPicture (c.pictureWidth, c.pictureHeight);
        const int side = (int) (110 * c.displayScale);
        auto ours = canvas (side), theirs = canvas (side);
        PictureStretcher stretcher;
        {
            juce::Graphics g (ours);
            g.addTransform (juce::AffineTransform::scale (c.displayScale));
            g.setOpacity (c.opacity);
            EXPECT_TRUE (stretcher.draw (g, picture, c.area)) << c.what;
        }
        {
            juce::Graphics g (theirs);
            g.addTransform (juce::AffineTransform::scale (c.displayScale));
            g.setOpacity (c.opacity);
            g.drawImage (picture, c.area, juce::RectanglePlacement::stretchToFit);
        }
        EXPECT_GT (largestDifference (ours, canvas (side)), 40) << c.what << ": the picture shows";
        EXPECT_LE (largestDifference (ours, theirs), 3) << c.what;
    }
}

// Only the clip's part of the area is worked out and drawn.
TEST (PictureStretcher, KeepsToTheClip)
{
    const auto picture = testPicture (40, 40);
    auto ours = canvas (100), theirs = canvas (100);
    PictureStretcher stretcher;
    {
        juce::Graphics g (ours);
        g.reduceClipRegion (30, 30, 20, 25);
        EXPECT_TRUE (stretcher.draw (g, picture, { 10.4f, 12.0f, 70.0f, 66.0f }));
    }
    {
        juce::Graphics g (theirs);
        g.reduceClipRegion (30, 30, 20, 25);
        g.drawImage (picture, { 10.4f, 12.0f, 70.0f, 66.0f }, juce::RectanglePlacement::stretchToFit);
    }
    EXPECT_LE (largestDifference (ours, theirs), 3);
    EXPECT_EQ (ours.getPixelAt (20, 20), canvas (1).getPixelAt (0, 0)) << "outside the clip nothing is drawn";
}

// Left to the framework: what it copies without resampling and what has no alpha.
TEST (PictureStretcher, DeclinesWhatItDoesNotHandle)
{
    struct Declined
    {
        const char* what;
        juce::Image picture;
        juce::Rectangle<float> area;
        float displayScale;
    };
    const Declined cases[] = {
        { "same size on whole pixels", testPicture (30, 20), { 5.0f, 6.0f, 30.0f, 20.0f }, 1.0f },
        { "same size on a 2x display", testPicture (30, 20), { 5.5f, 6.0f, 15.0f, 10.0f }, 2.0f },
        { "opaque picture", juce::Image (juce::Image::RGB, 30, 20, true), { 5.0f, 6.0f, 45.0f, 30.0f }, 1.0f },
        { "no picture", juce::Image(), { 5.0f, 6.0f, 45.0f, 30.0f }, 1.0f },
    };
    for (const auto& c : cases)
    {
        auto image = canvas (100);
        const auto before = image.createCopy();
        PictureStretcher stretcher;
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (c.displayScale));
        EXPECT_FALSE (stretcher.draw (g, c.picture, c.area)) << c.what;
        EXPECT_EQ (largestDifference (image, before), 0) << c.what;
    }
}

// Worked out only where the picture's tiles hold pixels, or laid onto the device pixels
// once as pieces and copied, the picture lands as the whole stretch draws it.
TEST (PictureStretcher, TileLimitedAndLaidOnPiecesMatchTheWholeStretch)
{
    for (const auto& c : cases)
    {
        PictureStretcher stretcher;
        const auto whole = drawnWith (c, [&] (auto& g, auto& picture) { stretcher.draw (g, picture, c.area); });
        const auto limited = drawnWith (c, [&] (auto& g, auto& picture)
                                        {
                                            const auto grid = OpaqueTiles::findGrid (picture);
                                            EXPECT_TRUE (stretcher.draw (g, picture, c.area, &grid)) << c.what;
                                        });
        const auto laidOn = drawnWith (c, [&] (auto& g, auto& picture)
                                       {
                                           const auto pieces = stretcher.piecesFor (picture, c.area, c.displayScale,
                                                                                    OpaqueTiles::findGrid (picture));
                                           EXPECT_FALSE (pieces.empty()) << c.what;
                                           PictureStretcher::drawPieces (g, pieces, c.displayScale);
                                       });
        // The same samples; the framework's blend of a narrower run may round one level apart.
        EXPECT_LE (largestDifference (limited, whole), 1) << c.what;
        EXPECT_LE (largestDifference (laidOn, whole), 1) << c.what;
    }
}

// A picture the framework copies unscaled is laid on as views of its own pixels, and
// lands where the framework puts it; a picture without pixels gives no piece.
TEST (PictureStretcher, UnscaledPiecesAreViewsWhereTheFrameworkCopies)
{
    const Case c { "same size, a little past whole pixels", 40, 30, { 12.05f, 20.1f, 40.0f, 30.0f }, 1.0f, 0.7f };
    PictureStretcher stretcher;
    const auto framework = drawnWith (c, [&] (auto& g, auto& picture)
                                      { g.drawImage (picture, c.area, juce::RectanglePlacement::stretchToFit); });
    const auto laidOn = drawnWith (c, [&] (auto& g, auto& picture)
                                   {
                                       const auto pieces = stretcher.piecesFor (picture, c.area, 1.0f,
                                                                                OpaqueTiles::findGrid (picture));
                                       ASSERT_FALSE (pieces.empty());
                                       for (const auto& piece : pieces)
                                           EXPECT_TRUE (piece.view);
                                       PictureStretcher::drawPieces (g, pieces, 1.0f);
                                   });
    EXPECT_EQ (largestDifference (laidOn, framework), 0);

    const juce::Image empty (juce::Image::ARGB, 40, 30, true);
    EXPECT_TRUE (stretcher.piecesFor (empty, { 3.0f, 4.0f, 70.0f, 50.0f }, 1.0f, OpaqueTiles::findGrid (empty)).empty());
}
