#include "EditorSnapshot.h"
#include "FixtureEditor.h"
#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
    namespace palette = zem::palette;

    // Renders the toolkit's editor over the fixture bundle and keeps the PNG for a person to look at.
    class EditorSnapshotTest : public ::testing::Test
    {
    protected:
        FixtureProcessor processor;
        FixtureEditor editor { processor, fixtureSource() };

        juce::Image snapshot (int width, int height, float scale, const char* fileName)
        {
            auto image = renderEditorSnapshot (editor, width, height, scale);
            writeSnapshotPng (image, juce::File (ZEM_SNAPSHOT_DIR).getChildFile (fileName));
            return image;
        }

        static bool headerHasCreamText (const juce::Image& image, int right, int bottom)
        {
            for (int y = 0; y < bottom; ++y)
                for (int x = 0; x < right; ++x)
                    if (near (image.getPixelAt (x, y), palette::cream, 12))
                        return true;

            return false;
        }
    };

    // A pixel that must be exactly one palette colour.
    struct Probe
    {
        int x, y;
        const juce::Colour* colour;
    };

    // A window size and display scale, with what the picture must show there: the body and
    // header colours, the badge's accent, cream text in the header and the content scale.
    struct ScaleCase
    {
        const char* name;
        int window;
        float scale;
        const char* fileName;
        int device;
        std::vector<Probe> exact;
        juce::Point<int> accent;
        juce::Point<int> creamArea;
        float contentScale;
    };

    class EditorSnapshotScales : public EditorSnapshotTest, public ::testing::WithParamInterface<ScaleCase>
    {
    };

    TEST_P (EditorSnapshotScales, ShowsTheBaseEditor)
    {
        const auto& c = GetParam();
        const auto image = snapshot (c.window, c.window, c.scale, c.fileName);
        ASSERT_EQ (image.getWidth(), c.device);
        ASSERT_EQ (image.getHeight(), c.device);

        for (const auto& p : c.exact)
            EXPECT_EQ (image.getPixelAt (p.x, p.y), *p.colour) << p.x << "," << p.y;
        EXPECT_TRUE (near (image.getPixelAt (c.accent.x, c.accent.y), palette::accent, 30));
        EXPECT_TRUE (headerHasCreamText (image, c.creamArea.x, c.creamArea.y));
        EXPECT_FLOAT_EQ (editor.kit.contentScale, c.contentScale);
    }

    INSTANTIATE_TEST_SUITE_P (Sizes, EditorSnapshotScales,
        ::testing::Values (
            ScaleCase { "DesignSizeAtScaleOne", 560, 1.0f, "toolkit-560x560@1x.png", 560,
                        { { 280, 400, &palette::ink }, { 5, 5, &palette::ink }, { 300, 30, &palette::slate } },
                        { 536, 15 }, { 200, 30 }, 1.0f },
            // Content scale 2 on a 2x display: the header is 60 window pixels, 120 device pixels.
            ScaleCase { "DoubleSizeAtScaleTwo", 1120, 2.0f, "toolkit-1120x1120@2x.png", 2240,
                        { { 1120, 1600, &palette::ink }, { 600, 121, &palette::slate }, { 600, 110, &palette::ink } },
                        { 2144, 60 }, { 600, 120 }, 2.0f }),
        [] (const auto& info) { return std::string (info.param.name); });

    TEST_F (EditorSnapshotTest, AboutPanelOverTheEditor)
    {
        editor.showAbout();
        const auto image = snapshot (560, 560, 1.0f, "toolkit-about-560x560@1x.png");

        EXPECT_EQ (image.getPixelAt (280, 1), palette::rust) << "top strip";
        EXPECT_EQ (image.getPixelAt (280, 3), palette::ink);
        EXPECT_EQ (image.getPixelAt (20, 300), palette::ink);
        EXPECT_EQ (image.getPixelAt (140, 317), palette::charcoal) << "site button";
        EXPECT_EQ (image.getPixelAt (140, 349), palette::charcoal) << "close button";
        EXPECT_TRUE (headerHasCreamText (image, 560, 235)) << "product name";
    }
}
