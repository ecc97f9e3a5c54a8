#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace
{
    const std::string order = "0123456789.-+% ABCDEFGHIJKLMNOPQRSTUVWXYZ";

    juce::Colour cellColour (int index) { return juce::Colour ((juce::uint8) (index * 6), 80, 160); }

    bool anyPixelNear (const juce::Image& image, juce::Colour colour)
    {
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                if (near (image.getPixelAt (x, y), colour, 40))
                    return true;

        return false;
    }

    class GlyphTextTest : public ::testing::Test
    {
    protected:
        TestBundle bundle;
        std::unique_ptr<zem::ArtStore> store;
        std::unique_ptr<zem::ArtKit> kit;
        juce::Image target = canvas (120, 40);

        void makeKit (const juce::Image& strip, const std::string& commonText)
        {
            bundle.addText ("common_json", commonText);
            bundle.add ("glyphs_png", pngOf (strip));
            store = std::make_unique<zem::ArtStore> (bundle.source());
            kit = std::make_unique<zem::ArtKit> (store.get());
        }

        void makeStandardKit()
        {
            std::vector<juce::Colour> cells;
            for (int i = 0; i < (int) order.size(); ++i)
                cells.push_back (cellColour (i));

            makeKit (stripImage (10, 20, cells), R"({"glyphs": {"order": ")" + order + R"("}})");
        }

        float draw (const juce::String& text, juce::Rectangle<float> area, int justification = juce::Justification::centred)
        {
            target.clear (target.getBounds());
            juce::Graphics g (target);
            return zem::drawGlyphText (g, *kit, text, area, justification, 1.0f, juce::Colours::yellow);
        }

        juce::Colour at (int x, int y = 20) const { return target.getPixelAt (x, y); }
    };

    TEST_F (GlyphTextTest, CentredRowOfCellsAtTheAreasHeight)
    {
        makeStandardKit();
        EXPECT_FLOAT_EQ (draw ("12.5", { 0, 0, 100, 40 }), 80.0f);
        EXPECT_EQ (at (5).getAlpha(), 0);
        EXPECT_TRUE (near (at (20), cellColour (1)));
        EXPECT_TRUE (near (at (40), cellColour (2)));
        EXPECT_TRUE (near (at (60), cellColour (10)));
        EXPECT_TRUE (near (at (80), cellColour (5)));
        EXPECT_EQ (at (95).getAlpha(), 0);
    }

    TEST_F (GlyphTextTest, LeftAndRightJustification)
    {
        makeStandardKit();
        draw ("1", { 0, 0, 100, 40 }, juce::Justification::left);
        EXPECT_TRUE (near (at (10), cellColour (1)));
        EXPECT_EQ (at (30).getAlpha(), 0);

        draw ("1", { 0, 0, 100, 40 }, juce::Justification::right);
        EXPECT_TRUE (near (at (90), cellColour (1)));
        EXPECT_EQ (at (70).getAlpha(), 0);
    }

    TEST_F (GlyphTextTest, LowerCaseUsesUpperCaseCellsAndUnknownLeavesGap)
    {
        makeStandardKit();
        EXPECT_FLOAT_EQ (draw ("d:b", { 0, 0, 100, 40 }), 60.0f);
        EXPECT_TRUE (near (at (30), cellColour ((int) order.find ('D'))));
        EXPECT_EQ (at (50).getAlpha(), 0) << "':' is not in the order";
        EXPECT_TRUE (near (at (70), cellColour ((int) order.find ('B'))));
    }

    TEST_F (GlyphTextTest, WideTextRunsOutOfTheAreaBothWays)
    {
        makeStandardKit();
        // Six cells of 20 in an area 60 wide at x 30: starts 30 left of the area.
        EXPECT_FLOAT_EQ (draw ("000000", { 30, 0, 60, 40 }), 120.0f);
        EXPECT_TRUE (near (at (5), cellColour (0)));
        EXPECT_TRUE (near (at (115), cellColour (0)));
    }

    TEST_F (GlyphTextTest, EmptyTextReturnsAreaWidth)
    {
        makeStandardKit();
        EXPECT_FLOAT_EQ (draw ("", { 0, 0, 100, 40 }), 100.0f);
        EXPECT_FALSE (anyPixelNear (target, juce::Colours::yellow));
    }

    struct FallbackCase
    {
        const char* what;
        int stripWidth;
        const char* common;
    };

    TEST_F (GlyphTextTest, FallsBackToTheFont)
    {
        const FallbackCase cases[] = {
            { "strip narrower than the order", 40, R"({"glyphs": {"order": ")" "0123456789.-+% ABCDEFGHIJKLMNOPQRSTUVWXYZ" R"("}})" },
            { "empty order", 410, R"({"glyphs": {"order": ""}})" },
        };

        for (const auto& c : cases)
        {
            TestBundle local;
            local.addText ("common_json", c.common);
            local.add ("glyphs_png", pngOf (solidImage (c.stripWidth, 20, juce::Colours::red)));
            zem::ArtStore localStore (local.source());
            zem::ArtKit localKit (&localStore);

            target.clear (target.getBounds());
            juce::Graphics g (target);
            EXPECT_FLOAT_EQ (zem::drawGlyphText (g, localKit, "HI", { 0, 0, 100, 40 }, juce::Justification::centred,
                                                 1.0f, juce::Colours::yellow), 100.0f) << c.what;
            EXPECT_TRUE (anyPixelNear (target, juce::Colours::yellow)) << c.what;
            EXPECT_FALSE (anyPixelNear (target, juce::Colours::red)) << c.what;
        }
    }

    TEST_F (GlyphTextTest, UndecodableStripOrNoStripUsesTheFont)
    {
        bundle.add ("glyphs_png", juce::MemoryBlock ("garbage", 7));
        store = std::make_unique<zem::ArtStore> (bundle.source());
        kit = std::make_unique<zem::ArtKit> (store.get());
        ASSERT_NE (kit->glyphs, nullptr);
        EXPECT_FLOAT_EQ (draw ("HI", { 0, 0, 100, 40 }), 100.0f);
        EXPECT_TRUE (anyPixelNear (target, juce::Colours::yellow));

        kit = std::make_unique<zem::ArtKit>();
        EXPECT_FLOAT_EQ (draw ("HI", { 0, 0, 100, 40 }), 100.0f);
        EXPECT_TRUE (anyPixelNear (target, juce::Colours::yellow));
    }

    TEST (Fonts, BoldAndPlainAtTheirHeights)
    {
        EXPECT_FLOAT_EQ (zem::boldFont (26.0f).getHeight(), 26.0f);
        EXPECT_TRUE (zem::boldFont (26.0f).isBold());
        EXPECT_FLOAT_EQ (zem::plainFont (13.0f).getHeight(), 13.0f);
        EXPECT_FALSE (zem::plainFont (13.0f).isBold());
        EXPECT_FALSE (zem::plainFont (13.0f).isItalic());
    }
}
