// At rest each overlay that the editor draws over the drawing must not show: composite it
// over the drawing the way the editor does and compare with the drawing alone.

#include "ArtFiles.h"
#include <gtest/gtest.h>

using namespace artfiles;
using Rect = juce::Rectangle<float>;

namespace
{
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
