// At rest each overlay that the editor draws over the drawing must not show: composite it
// over the drawing the way the editor does and compare with the drawing alone.

#include "ArtFiles.h"
#include <gtest/gtest.h>

using namespace artfiles;
using Rect = juce::Rectangle<float>;

namespace
{
// The drawing with the named pictures stretched over their rectangles, in order, moved by
// an offset in pixels. An eye's pupil is clipped by the eye picture's alpha, as the editor
// does. Over a transparent base it gives the layers' coverage.
juce::Image composite (const juce::Image& base, const juce::StringArray& layers, int scale, juce::Point<float> offset = {})
{
    auto out = base.createCopy();
    juce::Graphics g (out);
    g.addTransform (juce::AffineTransform::translation (offset));
    juce::Image lastEye;
    Rect lastEyeArea;
    for (auto& name : layers)
    {
        auto image = load (name, scale);
        EXPECT_TRUE (image.isValid()) << name;
        auto area = sizingRect (name) * (float) scale;
        juce::Graphics::ScopedSaveState state (g);
        if (name.startsWith ("pupil") && lastEye.isValid())
            g.reduceClipRegion (lastEye, juce::AffineTransform::scale (lastEyeArea.getWidth() / (float) lastEye.getWidth(),
                                                                       lastEyeArea.getHeight() / (float) lastEye.getHeight())
                                             .translated (lastEyeArea.getX(), lastEyeArea.getY()));
        g.drawImage (image, area, juce::RectanglePlacement::stretchToFit);
        if (name.startsWith ("eye"))
        {
            lastEye = image;
            lastEyeArea = area;
        }
    }
    return out;
}

double restError (const juce::String& page, const juce::StringArray& layers, const juce::String& areaKey, int scale)
{
    const auto& base = drawing (page, scale);
    auto area = (rect (areaKey) * (float) scale).getSmallestIntegerContainer();
    return meanError (composite (base, layers, scale), base, area);
}

// Pixels whose whole 3 x 3 neighbourhood the layers cover fully: their antialiased edges
// aside, where the picture's alpha and the drawing's own edge round differently.
bool coveredAround (const juce::Image::BitmapData& coverage, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
        {
            int px = x + dx, py = y + dy;
            if (px < 0 || py < 0 || px >= coverage.width || py >= coverage.height || coverage.getPixelColour (px, py).getAlpha() < 255)
                return false;
        }
    return true;
}

struct LargestError
{
    int channels = 0;        // the largest difference of a colour channel, 0 to 255
    int pixels = 0;          // how many pixels were compared
    juce::Point<int> at;     // where it is
};

int channelError (const juce::Image::BitmapData& a, const juce::Image::BitmapData& b, int x, int y)
{
    auto pa = a.getPixelColour (x, y), pb = b.getPixelColour (x, y);
    return std::max ({ std::abs (pa.getRed() - pb.getRed()), std::abs (pa.getGreen() - pb.getGreen()), std::abs (pa.getBlue() - pb.getBlue()) });
}

// The largest colour difference between the composite and the drawing that three
// neighbouring opaque pixels of a row share, inside the area. A notch, a seam or a piece
// out of place spans a run of pixels; a lone pixel where a small disc or a highlight
// rounds differently in the picture than in the drawing does not count.
LargestError largestOpaqueError (const juce::String& page, const juce::StringArray& layers, const juce::String& areaKey, int scale,
                                 juce::Point<float> offset = {})
{
    const auto& base = drawing (page, scale);
    auto area = (rect (areaKey) * (float) scale).getSmallestIntegerContainer().getIntersection (base.getBounds());
    auto shown = composite (base, layers, scale, offset);
    auto cover = composite (juce::Image (juce::Image::ARGB, base.getWidth(), base.getHeight(), true), layers, scale, offset);
    juce::Image::BitmapData a (shown, juce::Image::BitmapData::readOnly), b (base, juce::Image::BitmapData::readOnly),
        coverage (cover, juce::Image::BitmapData::readOnly);
    LargestError worst;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX() + 1; x < area.getRight() - 1; ++x)
        {
            if (! (coveredAround (coverage, x - 1, y) && coveredAround (coverage, x, y) && coveredAround (coverage, x + 1, y)))
                continue;
            int e = std::min ({ channelError (a, b, x - 1, y), channelError (a, b, x, y), channelError (a, b, x + 1, y) });
            if (e > worst.channels)
            {
                worst.channels = e;
                worst.at = { x, y };
            }
            ++worst.pixels;
        }
    return worst;
}

struct RestCase
{
    juce::String page, areaKey;
    juce::StringArray layers;
};

std::vector<RestCase> restCases()
{
    std::vector<RestCase> cases;
    for (auto page : pages)
    {
        juce::String P (page);
        cases.push_back ({ P, "mouth" + P, { "mouth" + P + "0" } });
        cases.push_back ({ P, "behind" + P, { "behind" + P, "cable" + P, "transformer" + P } });
        cases.push_back ({ P, "cone" + P, { "cone" + P } });
        for (int k = 0; k < 2; ++k)
            cases.push_back ({ P, "eye" + P + juce::String (k), { "eye" + P + juce::String (k), "pupil" + P + juce::String (k) } });
        for (int k = 0; k < 6; ++k)
            cases.push_back ({ P, "flap" + P + juce::String (k), { "flap" + P + juce::String (k) } });
        int drips = P == "Rare" ? 7 : P == "Medium" ? 11 : 0;
        for (int k = 0; k < drips; ++k)
            cases.push_back ({ P, "dripBehind" + P + juce::String (k), { "dripBehind" + P + juce::String (k), "drip" + P + juce::String (k) } });
    }
    for (int v = 0; v < 3; ++v)
        cases.push_back ({ "Well", "flameWell" + juce::String (v), { "flameWell" + juce::String (v) } });
    return cases;
}

// Resampling a picture onto a fractional rectangle softens its edges a little; anything
// misplaced, missing or of another pose shows as a far larger error.
constexpr double restTolerance = 3.0;

// Inside their opaque pixels the pictures are the drawing itself, up to the rounding of
// premultiplied colour: a piece one row out of place, a notch or a seam is far above it.
constexpr int opaqueTolerance = 6;
} // namespace

TEST (ArtRestMatch, OverlaysAtRestMatchTheDrawingAtEveryScale)
{
    for (auto& c : restCases())
        for (int s = 1; s <= 3; ++s)
        {
            auto what = c.layers.joinIntoString ("+") + " @" + juce::String (s);
            EXPECT_LT (restError (c.page, c.layers, c.areaKey, s), restTolerance) << what;
            auto worst = largestOpaqueError (c.page, c.layers, c.areaKey, s);
            EXPECT_GT (worst.pixels, 0) << what;
            EXPECT_LE (worst.channels, opaqueTolerance) << what << " at " << worst.at.toString() << " over " << worst.pixels << " opaque pixels";
        }
}

TEST (ArtRestMatch, TheMeasureSeesAPoseOtherThanRest)
{
    // The same comparison must fail for pictures that are not the rest pose.
    for (auto page : pages)
    {
        juce::String P (page);
        EXPECT_GT (restError (P, { "mouth" + P + "11" }, "mouth" + P, 1), 2 * restTolerance) << P;
        EXPECT_GT (restError (P, { "behind" + P }, "behind" + P, 1), 4 * restTolerance) << P;
        EXPECT_GT (restError (P, { "eye" + P + "0" }, "eye" + P + "0", 1), restTolerance) << "pupil hidden " << P;
    }
    EXPECT_GT (restError ("Rare", { "dripBehindRare3" }, "dripBehindRare3", 2), restTolerance);
}

TEST (ArtRestMatch, TheLargestErrorSeesAPieceOneRowOutOfPlace)
{
    // The same pictures one row higher: the largest error over their opaque pixels shows it.
    struct Case { const char* page; juce::StringArray layers; const char* areaKey; };
    const Case cases[] = {
        { "Rare", { "mouthRare0" }, "mouthRare" },
        { "Medium", { "transformerMedium" }, "transformerMedium" },
        { "Well", { "flapWell4" }, "flapWell4" },
    };
    for (auto& c : cases)
        for (int s = 1; s <= 3; ++s)
        {
            auto what = c.layers.joinIntoString ("+") + " @" + juce::String (s);
            EXPECT_GT (largestOpaqueError (c.page, c.layers, c.areaKey, s, { 0.0f, -(float) s }).channels, 4 * opaqueTolerance) << what;
        }
}
