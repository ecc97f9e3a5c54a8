#include "TestImages.h"

#include <gtest/gtest.h>
#include <zem/zem.h>

#include <cmath>
#include <limits>

namespace
{
    // Entries point at bytes they do not own, so the test keeps its PNG bytes here.
    struct PictureSet
    {
        juce::MemoryBlock scale1 = pngOf (solidImage (10, 10, juce::Colours::red));
        juce::MemoryBlock scale2 = pngOf (solidImage (20, 20, juce::Colours::green));
        juce::MemoryBlock scale3 = pngOf (solidImage (30, 30, juce::Colours::blue));

        const juce::MemoryBlock& forScale (int scale) const
        {
            return scale == 1 ? scale1 : scale == 2 ? scale2 : scale3;
        }
    };

    zem::ArtEntry entryWith (const PictureSet& pictures, std::initializer_list<int> scales)
    {
        zem::ArtEntry entry;

        for (int scale : scales)
            entry.addScale (scale, pictures.forScale (scale).getData(), (int) pictures.forScale (scale).getSize());

        return entry;
    }

    struct ScaleCase
    {
        float scale;
        int slot;
    };

    TEST (ArtEntryScale, AllThreeScalesPresent)
    {
        PictureSet pictures;
        const auto entry = entryWith (pictures, { 1, 2, 3 });
        const ScaleCase cases[] = { { 1.0f, 1 }, { 1.0009f, 1 }, { 1.0011f, 2 }, { 2.0f, 2 }, { 2.0011f, 3 },
                                    { 3.0f, 3 }, { 7.5f, 3 }, { 0.5f, 1 }, { 0.0f, 1 }, { -2.0f, 1 },
                                    { std::numeric_limits<float>::quiet_NaN(), 1 } };

        for (const auto& c : cases)
        {
            EXPECT_EQ (entry.chooseSlot (c.scale), c.slot) << "scale " << c.scale;
            EXPECT_EQ (entry.imageFor (c.scale).getWidth(), 10 * c.slot) << "scale " << c.scale;
        }
    }

    TEST (ArtEntryScale, MissingScalesPreferLargerFiles)
    {
        PictureSet pictures;
        EXPECT_EQ (entryWith (pictures, { 1, 3 }).chooseSlot (2.0f), 3);
        EXPECT_EQ (entryWith (pictures, { 1 }).chooseSlot (3.0f), 1);
        EXPECT_EQ (entryWith (pictures, { 2 }).chooseSlot (1.0f), 2);
        EXPECT_EQ (entryWith (pictures, { 1, 2 }).chooseSlot (3.0f), 2);

        const zem::ArtEntry empty;
        EXPECT_EQ (empty.chooseSlot (1.0f), 0);
        EXPECT_TRUE (empty.imageFor (1.0f).isNull());
        EXPECT_EQ (&empty.imageFor (1.0f), &zem::nullImage());
    }

    TEST (ArtEntryBuild, AddScaleIgnoresBadInput)
    {
        PictureSet pictures;
        zem::ArtEntry entry;
        entry.addScale (0, pictures.scale1.getData(), 10);
        entry.addScale (4, pictures.scale1.getData(), 10);
        entry.addScale (1, nullptr, 10);
        entry.addScale (1, pictures.scale1.getData(), 0);
        EXPECT_EQ (entry.maxScale, 0);

        entry.addScale (2, pictures.scale2.getData(), (int) pictures.scale2.getSize());
        entry.addScale (1, pictures.scale1.getData(), (int) pictures.scale1.getSize());
        EXPECT_EQ (entry.maxScale, 2) << "maxScale only rises";
    }

    TEST (ArtEntryDecode, DecodesOnceAndOnlyTheChosenSlot)
    {
        PictureSet pictures;
        const auto entry = entryWith (pictures, { 1, 2, 3 });
        const int before = zem::ArtEntry::decodeCount();

        EXPECT_EQ (zem::ArtEntry::decodeCount(), before) << "nothing decoded while building";
        EXPECT_TRUE (entry.imageFor (2.0f).isValid());
        EXPECT_TRUE (entry.imageFor (1.5f).isValid());
        EXPECT_EQ (zem::ArtEntry::decodeCount(), before + 1);
        EXPECT_TRUE (entry.slots[1].image.isNull());
        EXPECT_TRUE (entry.slots[3].image.isNull());
    }

    TEST (ArtEntryDecode, EmptyAreaDecodesNothing)
    {
        PictureSet pictures;
        const auto entry = entryWith (pictures, { 1 });
        auto image = canvas (20, 20);
        juce::Graphics g (image);
        const int before = zem::ArtEntry::decodeCount();

        EXPECT_FALSE (entry.draw (g, { 0, 0, 0, 10 }, 1.0f, juce::RectanglePlacement::stretchToFit));
        EXPECT_FALSE (entry.drawFrame (g, { 0, 0, 10, 0 }, 1.0f, 0, 1));
        EXPECT_FALSE (entry.drawRotated (g, { 0, 0, -1, 10 }, 1.0f, 0.0f));
        EXPECT_EQ (zem::ArtEntry::decodeCount(), before);
        EXPECT_EQ (image.getPixelAt (5, 5), juce::Colour (0x00000000));
    }

    struct BadBytes
    {
        const char* what;
        juce::MemoryBlock bytes;
    };

    std::vector<BadBytes> badPngs()
    {
        const auto good = pngOf (solidImage (16, 16, juce::Colours::red));
        juce::MemoryBlock random (512);
        juce::Random generator (42);

        for (size_t i = 0; i < random.getSize(); ++i)
            random[i] = (char) generator.nextInt (256);

        return { { "truncated", juce::MemoryBlock (good.getData(), 20) },
                 { "signature only", juce::MemoryBlock (good.getData(), 8) },
                 { "random", random },
                 { "text", juce::MemoryBlock ("not a png at all", 16) } };
    }

    TEST (ArtEntryDecode, UndecodableBytesDrawNothingAndRetry)
    {
        for (auto& bad : badPngs())
        {
            zem::ArtEntry entry;
            entry.addScale (1, bad.bytes.getData(), (int) bad.bytes.getSize());
            ASSERT_EQ (entry.maxScale, 1) << bad.what;

            auto image = canvas (20, 20);
            juce::Graphics g (image);
            const juce::Rectangle<float> area (0, 0, 20, 20);
            const int before = zem::ArtEntry::decodeCount();

            EXPECT_FALSE (entry.draw (g, area, 1.0f, juce::RectanglePlacement::stretchToFit)) << bad.what;
            EXPECT_FALSE (entry.drawFrame (g, area, 1.0f, 0, 2)) << bad.what;
            EXPECT_FALSE (entry.drawRotated (g, area, 1.0f, 0.5f)) << bad.what;
            EXPECT_EQ (entry.naturalSize(), std::make_pair (0, 0)) << bad.what;
            EXPECT_TRUE (entry.imageFor (1.0f).isNull());
            EXPECT_GE (zem::ArtEntry::decodeCount() - before, 5) << "each request tries again";
            EXPECT_EQ (image.getPixelAt (10, 10), juce::Colour (0x00000000)) << bad.what;
        }
    }

    class ArtEntryFrames : public ::testing::Test
    {
    protected:
        // Three 66-pixel cells and two extra columns that must never show.
        const std::vector<juce::Colour> cells { juce::Colours::red, juce::Colours::green, juce::Colours::blue };
        juce::MemoryBlock bytes = pngOf (stripImage (66, 10, cells, 2, juce::Colours::magenta));
        zem::ArtEntry entry;
        juce::Image target = canvas (30, 30);

        void SetUp() override { entry.addScale (1, bytes.getData(), (int) bytes.getSize()); }

        juce::Colour drawnFrame (int index, int count)
        {
            target.clear (target.getBounds());
            juce::Graphics g (target);
            EXPECT_TRUE (entry.drawFrame (g, { 0, 0, 30, 30 }, 1.0f, index, count));
            return target.getPixelAt (15, 15);
        }
    };

    TEST_F (ArtEntryFrames, IndexIsClampedToTheStrip)
    {
        EXPECT_EQ (drawnFrame (-1, 3), juce::Colours::red);
        EXPECT_EQ (drawnFrame (1, 3), juce::Colours::green);
        EXPECT_EQ (drawnFrame (9, 3), juce::Colours::blue);
    }

    TEST_F (ArtEntryFrames, ColumnsRightOfTheLastCellNeverDraw)
    {
        drawnFrame (2, 3);
        for (int x = 0; x < 30; ++x)
            EXPECT_NE (target.getPixelAt (x, 15), juce::Colours::magenta) << x;
    }

    TEST_F (ArtEntryFrames, NoCountOrNarrowPictureDrawsNothing)
    {
        juce::Graphics g (target);
        target.clear (target.getBounds());
        EXPECT_FALSE (entry.drawFrame (g, { 0, 0, 30, 30 }, 1.0f, 0, 0));
        EXPECT_FALSE (entry.drawFrame (g, { 0, 0, 30, 30 }, 1.0f, 0, 201));
        EXPECT_EQ (target.getPixelAt (15, 15), juce::Colour (0x00000000));
    }

    TEST (ArtEntryDraw, DrawRotatedFitsWidthAndCentres)
    {
        const auto bytes = pngOf (solidImage (100, 50, juce::Colours::red));
        zem::ArtEntry entry;
        entry.addScale (1, bytes.getData(), (int) bytes.getSize());

        auto image = canvas (200, 200);
        {
            juce::Graphics g (image);
            ASSERT_TRUE (entry.drawRotated (g, { 0, 0, 200, 200 }, 1.0f, 0.0f));
        }
        // 200 by 100, centred: rows 50 to 149 covered, rows above and below clear.
        EXPECT_EQ (image.getPixelAt (100, 100), juce::Colours::red);
        EXPECT_EQ (image.getPixelAt (2, 52), juce::Colours::red);
        EXPECT_EQ (image.getPixelAt (197, 147), juce::Colours::red);
        EXPECT_EQ (image.getPixelAt (100, 45).getAlpha(), 0);
        EXPECT_EQ (image.getPixelAt (100, 155).getAlpha(), 0);

        // A quarter turn stands it upright: 100 wide, 200 high.
        image.clear (image.getBounds());
        {
            juce::Graphics g (image);
            ASSERT_TRUE (entry.drawRotated (g, { 0, 0, 200, 200 }, 1.0f, juce::MathConstants<float>::halfPi));
        }
        EXPECT_EQ (image.getPixelAt (100, 5), juce::Colours::red);
        EXPECT_EQ (image.getPixelAt (45, 100).getAlpha(), 0);
    }

    TEST (ArtEntryDraw, DrawStretchesOverTheArea)
    {
        PictureSet pictures;
        const auto entry = entryWith (pictures, { 1, 2 });
        auto image = canvas (40, 40);
        juce::Graphics g (image);

        ASSERT_TRUE (entry.draw (g, { 10, 10, 20, 20 }, 2.0f, juce::RectanglePlacement::stretchToFit));
        EXPECT_EQ (image.getPixelAt (15, 15), juce::Colours::green);
        EXPECT_EQ (image.getPixelAt (5, 5).getAlpha(), 0);
    }

    TEST (ArtEntrySize, NaturalSizeComesFromTheLargestScale)
    {
        const auto bytes = pngOf (solidImage (300, 150, juce::Colours::red));
        zem::ArtEntry entry;
        entry.addScale (3, bytes.getData(), (int) bytes.getSize());
        EXPECT_EQ (entry.naturalSize(), std::make_pair (100, 50));
        EXPECT_EQ (zem::ArtEntry().naturalSize(), std::make_pair (0, 0));
    }

    TEST (ArtEntrySize, DecodedImageBySlot)
    {
        PictureSet pictures;
        const auto entry = entryWith (pictures, { 2 });
        EXPECT_TRUE (entry.decodedImage (0).isNull());
        EXPECT_TRUE (entry.decodedImage (1).isNull());
        EXPECT_EQ (entry.decodedImage (2).getWidth(), 20);
    }
}
