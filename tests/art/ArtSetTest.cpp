// The generated art set: which files exist, their pixel sizes and channels, the resource
// identifiers they become, and the layout file's shape.

#include "ArtFiles.h"
#include <gtest/gtest.h>
#include <set>

using namespace artfiles;

TEST (ArtSet, HoldsEveryNameAtThreeScalesAndNothingElse)
{
    std::set<juce::String> expected { "art.json" };
    for (auto& name : productNames())
        for (int s = 1; s <= 3; ++s)
            expected.insert (name + "@" + juce::String (s) + "x.png");
    ASSERT_EQ (expected.size(), 175u * 3 + 1);

    std::set<juce::String> found;
    for (auto& f : folder().findChildFiles (juce::File::findFiles, false))
        found.insert (f.getFileName());
    EXPECT_EQ (found, expected);
}

TEST (ArtSet, NoNameExtendsACountTheSceneReads)
{
    for (auto name : { "mouthRare12", "dripRare7", "dripMedium11", "dripWell0", "flameWell3", "smokeMedium4", "smokeWell5" })
        for (int s = 1; s <= 3; ++s)
            EXPECT_FALSE (picture (name, s).exists()) << name;
    for (auto key : { "sizzleSpotRare40", "sizzleSpotMedium40", "sizzleSpotWell40", "emberSpotRare36",
                      "emberSpotMedium36", "emberSpotWell36", "dripWell0", "flameWell3", "smokeMedium4", "smokeWell5" })
        EXPECT_FALSE (has (key)) << key;
}

TEST (ArtSet, PixelSizeIsTheRectangleTimesTheScaleRounded)
{
    for (auto& name : productNames())
    {
        auto r = sizingRect (name);
        for (int s = 1; s <= 3; ++s)
        {
            auto h = readHeader (picture (name, s));
            ASSERT_TRUE (h.valid) << name << " @" << s;
            EXPECT_EQ (h.width, (int) std::lround (r.getWidth() * s)) << name << " @" << s;
            EXPECT_EQ (h.height, (int) std::lround (r.getHeight() * s)) << name << " @" << s;
            EXPECT_EQ (h.bitDepth, 8) << name;
            // No side lands on a half pixel, where rounding conventions disagree.
            for (float side : { r.getWidth() * s, r.getHeight() * s })
                EXPECT_GT (std::abs (side - std::floor (side) - 0.5f), 0.01f) << name << " @" << s;
        }
    }
}

TEST (ArtSet, KnownSizesOfDrawingsKnobsAndMouths)
{
    struct Case { const char* name; int scale, w, h; };
    const Case cases[] = {
        { "panel", 1, 560, 560 }, { "pageMedium", 2, 1120, 1120 }, { "pageWell", 3, 1680, 1680 },
        { "knob", 1, 71, 71 },    { "knob", 2, 143, 143 },         { "knob", 3, 214, 214 },
        { "blend", 1, 62, 62 },   { "blend", 2, 125, 125 },        { "blend", 3, 187, 187 },
        { "mouthRare0", 1, 155, 117 }, { "mouthWarm11", 1, 155, 117 },
    };
    for (auto& c : cases)
    {
        auto h = readHeader (picture (c.name, c.scale));
        EXPECT_EQ (h.width, c.w) << c.name << " @" << c.scale;
        EXPECT_EQ (h.height, c.h) << c.name << " @" << c.scale;
    }
}

TEST (ArtSet, DrawingsAreRgbAndEveryOtherPictureRgba)
{
    const std::set<juce::String> drawings { "panel", "pageMedium", "pageWell" };
    for (auto& name : productNames())
        for (int s = 1; s <= 3; ++s)
            EXPECT_EQ (readHeader (picture (name, s)).colourType, drawings.count (name) ? 2 : 6) << name << " @" << s;
}

TEST (ArtSet, EveryResourceIdentifierHashIsDistinct)
{
    juce::StringArray ids { "art_json", "common_json", "charset_json" };
    for (auto& name : lines ("art-names.txt"))
        for (int s = 1; s <= 3; ++s)
            ids.add (identifierFor (name + "@" + juce::String (s) + "x.png"));
    ASSERT_EQ (ids.size(), 531);
    EXPECT_EQ (ids[3], "behindMedium1x_png");
    std::set<juce::uint32> hashes;
    for (auto& id : ids)
        hashes.insert (resourceHash (id));
    EXPECT_EQ (hashes.size(), 531u);
}

TEST (ArtSet, HashFollowsTheGeneratorsRule)
{
    EXPECT_EQ (resourceHash ("a"), 97u);
    EXPECT_EQ (resourceHash ("ab"), 97u * 31 + 98);
    EXPECT_EQ (identifierFor ("knob@2x.png"), "knob2x_png");
    EXPECT_EQ (identifierFor ("art.json"), "art_json");
}

TEST (LayoutFile, IsCrlfAsciiOfTheBundlesSize)
{
    juce::MemoryBlock bytes;
    ASSERT_TRUE (folder().getChildFile ("art.json").loadFileAsData (bytes));
    EXPECT_EQ (bytes.getSize(), 37181u);
    auto* data = static_cast<const unsigned char*> (bytes.getData());
    EXPECT_EQ (data[0], '{');
    int lf = 0, crlf = 0;
    for (size_t i = 0; i < bytes.getSize(); ++i)
    {
        EXPECT_LT (data[i], 128u);
        if (data[i] == '\n')
        {
            ++lf;
            crlf += i > 0 && data[i - 1] == '\r';
        }
    }
    EXPECT_GT (lf, 400);
    EXPECT_EQ (lf, crlf);
}

TEST (LayoutFile, HasCommentDesignAndEveryKeyTheCodeReads)
{
    auto doc = juce::JSON::parse (folder().getChildFile ("art.json"));
    ASSERT_TRUE (doc.isObject());
    EXPECT_EQ (doc["_comment"].size(), 47);
    EXPECT_EQ ((int) doc["design"]["width"], 560);
    EXPECT_EQ ((int) doc["design"]["height"], 560);
    EXPECT_EQ (doc.getDynamicObject()->getProperties().size(), 3);
    EXPECT_EQ (layout().getDynamicObject()->getProperties().size(), 398);

    auto keys = lines ("layout-keys.txt");
    ASSERT_EQ (keys.size(), 397);
    for (auto& key : keys)
        EXPECT_TRUE (has (key)) << key;
    EXPECT_EQ (rect ("content"), juce::Rectangle<float> (0, 0, 560, 560));
    EXPECT_EQ (rect ("logo"), juce::Rectangle<float> (510, 510, 44, 44));
    EXPECT_EQ (rect ("knob"), juce::Rectangle<float> (234.0f, 89.31f, 71.45f, 71.45f));
    EXPECT_EQ (rect ("blend"), juce::Rectangle<float> (341.15f, 257.15f, 62.3f, 62.3f));
}
