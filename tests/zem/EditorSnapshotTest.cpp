#include "EditorSnapshot.h"
#include "FixtureEditor.h"
#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

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

    TEST_F (EditorSnapshotTest, DesignSizeAtScaleOne)
    {
        const auto image = snapshot (560, 560, 1.0f, "toolkit-560x560@1x.png");
        ASSERT_EQ (image.getWidth(), 560);
        ASSERT_EQ (image.getHeight(), 560);

        EXPECT_EQ (image.getPixelAt (280, 400), palette::ink);
        EXPECT_EQ (image.getPixelAt (5, 5), palette::ink);
        EXPECT_EQ (image.getPixelAt (300, 30), palette::slate);
        EXPECT_TRUE (near (image.getPixelAt (536, 15), palette::accent, 30));
        EXPECT_TRUE (headerHasCreamText (image, 200, 30));
    }

    TEST_F (EditorSnapshotTest, DoubleSizeAtScaleTwo)
    {
        const auto image = snapshot (1120, 1120, 2.0f, "toolkit-1120x1120@2x.png");
        ASSERT_EQ (image.getWidth(), 2240);
        ASSERT_EQ (image.getHeight(), 2240);

        // Content scale 2 on a 2x display: the header is 60 window pixels, 120 device pixels.
        EXPECT_EQ (image.getPixelAt (1120, 1600), palette::ink);
        EXPECT_EQ (image.getPixelAt (600, 121), palette::slate);
        EXPECT_EQ (image.getPixelAt (600, 110), palette::ink);
        EXPECT_TRUE (near (image.getPixelAt (2144, 60), palette::accent, 30));
        EXPECT_TRUE (headerHasCreamText (image, 600, 120));
        EXPECT_FLOAT_EQ (editor.kit.contentScale, 2.0f);
    }

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
