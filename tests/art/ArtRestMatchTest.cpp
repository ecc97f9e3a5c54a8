// At rest each overlay that the editor draws over the drawing must not show: composite it
// over the drawing the way the editor does and compare with the drawing alone.

#include "ArtFiles.h"
#include <gtest/gtest.h>
#include <map>

using namespace artfiles;
using Rect = juce::Rectangle<float>;

namespace
{
const juce::Image& drawing (const juce::String& page, int scale)
{
    static std::map<juce::String, juce::Image> cache;
    auto name = page == "Rare" ? juce::String ("panel") : "page" + page;
    auto key = name + juce::String (scale);
    if (! cache.count (key))
        cache[key] = load (name, scale).convertedToFormat (juce::Image::ARGB);
    return cache[key];
}

// The drawing with the named pictures stretched over their rectangles, in order. An eye's
// pupil is clipped by the eye picture's alpha, as the editor does.
juce::Image composite (const juce::Image& base, const juce::StringArray& layers, int scale)
{
    auto out = base.createCopy();
    juce::Graphics g (out);
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

// Mean absolute difference of the colour channels over the area, 0 to 255.
double meanError (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    area = area.getIntersection (a.getBounds());
    juce::Image::BitmapData da (a, juce::Image::BitmapData::readOnly), db (b, juce::Image::BitmapData::readOnly);
    double sum = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            auto pa = da.getPixelColour (x, y), pb = db.getPixelColour (x, y);
            sum += std::abs (pa.getRed() - pb.getRed()) + std::abs (pa.getGreen() - pb.getGreen())
                 + std::abs (pa.getBlue() - pb.getBlue());
        }
    return sum / (3.0 * std::max (1, area.getWidth() * area.getHeight()));
}

double restError (const juce::String& page, const juce::StringArray& layers, const juce::String& areaKey, int scale)
{
    const auto& base = drawing (page, scale);
    auto area = (rect (areaKey) * (float) scale).getSmallestIntegerContainer();
    return meanError (composite (base, layers, scale), base, area);
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
} // namespace

TEST (ArtRestMatch, OverlaysAtRestMatchTheDrawingAtEveryScale)
{
    for (auto& c : restCases())
        for (int s = 1; s <= 3; ++s)
            EXPECT_LT (restError (c.page, c.layers, c.areaKey, s), restTolerance) << c.layers.joinIntoString ("+") << " @" << s;
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

TEST (ArtRestMatch, KnobCapsAreRoundOpaqueDiscsWithTransparentCorners)
{
    for (auto name : { "knob", "blend" })
        for (int s = 1; s <= 3; ++s)
        {
            auto image = load (name, s);
            ASSERT_TRUE (image.isValid());
            int w = image.getWidth(), h = image.getHeight();
            EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0) << name;
            EXPECT_EQ (image.getPixelAt (w - 1, h - 1).getAlpha(), 0) << name;
            EXPECT_EQ (image.getPixelAt (w / 2, h / 2).getAlpha(), 255) << name;
            EXPECT_EQ (image.getPixelAt (w / 2, h / 5).getAlpha(), 255) << name;
            // The pointer is up: the top half of the centre line is brighter than the bottom.
            auto up = image.getPixelAt (w / 2, h * 3 / 10), down = image.getPixelAt (w / 2, h * 7 / 10);
            EXPECT_GT (up.getBrightness(), down.getBrightness() + 0.2f) << name << " @" << s;
        }
}

TEST (ArtRestMatch, GlowsAndWispsFadeOutBeforeTheirEdges)
{
    // Each of these is drawn stretched over its rectangle (and the indicator grown by 7 %):
    // a visible alpha at the border would show as a cut edge.
    juce::StringArray names { "warmRare", "spark0", "spark1", "spark2", "spark3" };
    for (auto page : pages)
    {
        juce::String P (page);
        names.addArray ({ "indicator" + P, "valveHot" + P, "coalsA" + P, "coalsB" + P, "coalsC" + P,
                          "glistenA" + P, "glistenB" + P, "glistenC" + P });
    }
    for (int v = 0; v < 4; ++v)
        names.add ("smokeMedium" + juce::String (v));
    for (int v = 0; v < 5; ++v)
        names.add ("smokeWell" + juce::String (v));

    for (auto& name : names)
        for (int s = 1; s <= 3; ++s)
        {
            auto image = load (name, s);
            ASSERT_TRUE (image.isValid()) << name;
            int w = image.getWidth(), h = image.getHeight(), edge = 0, inside = 0;
            for (int x = 0; x < w; ++x)
                edge = std::max ({ edge, (int) image.getPixelAt (x, 0).getAlpha(), (int) image.getPixelAt (x, h - 1).getAlpha() });
            for (int y = 0; y < h; ++y)
                edge = std::max ({ edge, (int) image.getPixelAt (0, y).getAlpha(), (int) image.getPixelAt (w - 1, y).getAlpha() });
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    inside = std::max (inside, (int) image.getPixelAt (x, y).getAlpha());
            EXPECT_LE (edge, 10) << name << " @" << s;
            EXPECT_GE (inside, 60) << name << " @" << s;
        }
}
