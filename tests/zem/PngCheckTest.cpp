#include "DamagedPngs.h"
#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace
{
    juce::MemoryBlock samplePng()
    {
        auto image = solidImage (24, 16, juce::Colours::orange);
        image.setPixelAt (3, 4, juce::Colours::blue.withAlpha (0.5f));
        return pngOf (image);
    }

    bool check (const juce::MemoryBlock& bytes) { return zem::isCompletePng (bytes.getData(), bytes.getSize()); }

    TEST (PngCheck, SoundFilesPass)
    {
        EXPECT_TRUE (check (samplePng()));
        EXPECT_TRUE (check (pngOf (solidImage (1, 1, juce::Colours::red))));
        EXPECT_TRUE (check (withChunkAfterHeader (samplePng(), pngChunk ("tEXt", "Comment\0fine"))));

        const auto source = fixtureSource();
        int size = 0;
        const char* logo = source.lookup ("logo3x_png", size);
        EXPECT_TRUE (zem::isCompletePng (logo, (size_t) size));
    }

    TEST (PngCheck, EveryTruncationFails)
    {
        const auto png = samplePng();

        for (size_t length = 0; length < png.getSize(); ++length)
            EXPECT_FALSE (zem::isCompletePng (png.getData(), length)) << length;
    }

    TEST (PngCheck, EveryFlippedByteFailsOrStillDecodes)
    {
        const auto png = samplePng();

        for (size_t i = 0; i < png.getSize(); ++i)
        {
            auto damaged = png;
            damaged[i] = (char) (damaged[i] ^ 0x5a);

            if (zem::isCompletePng (damaged.getData(), damaged.getSize()))
            {
                EXPECT_TRUE (juce::ImageFileFormat::loadFrom (damaged.getData(), damaged.getSize()).isValid()) << i;
            }
        }
    }

    // The damaged files other tests feed the art store and the editor, each one refused:
    // among them chunks with a correct checksum that the check must still refuse, an
    // unknown critical chunk and chunk types that are not four ASCII letters (the decoder
    // aborts on those, whatever case their first byte has).
    TEST (PngCheck, DamagedFilesFail)
    {
        for (const auto& damaged : damagedPngs (samplePng()))
            EXPECT_FALSE (check (damaged.bytes)) << damaged.what;
    }

    TEST (PngCheck, BadInputFails)
    {
        EXPECT_FALSE (zem::isCompletePng (nullptr, 100));
        EXPECT_FALSE (check (juce::MemoryBlock ("\x89PNG\r\n\x1a\n", 8)));

        juce::MemoryBlock random (4096);
        juce::Random generator (7);
        for (size_t i = 0; i < random.getSize(); ++i)
            random[i] = (char) generator.nextInt (256);
        EXPECT_FALSE (check (random));

        // A random body behind a real signature.
        random.copyFrom ("\x89PNG\r\n\x1a\n", 0, 8);
        EXPECT_FALSE (check (random));
    }
}
