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

    juce::uint32 crcOf (const juce::uint8* p, size_t n)
    {
        juce::uint32 crc = 0xffffffffu;
        for (size_t i = 0; i < n; ++i)
        {
            crc ^= p[i];
            for (int k = 0; k < 8; ++k)
                crc = (crc & 1) != 0 ? 0xedb88320u ^ (crc >> 1) : crc >> 1;
        }
        return crc ^ 0xffffffffu;
    }

    // A chunk with a correct checksum, to insert after the header.
    juce::MemoryBlock chunk (const char* type, const std::string& body)
    {
        juce::MemoryBlock block;
        const auto length = (juce::uint32) body.size();
        const juce::uint8 lengthBytes[] = { (juce::uint8) (length >> 24), (juce::uint8) (length >> 16),
                                            (juce::uint8) (length >> 8), (juce::uint8) length };
        block.append (lengthBytes, 4);
        block.append (type, 4);
        block.append (body.data(), body.size());
        const auto crc = crcOf (static_cast<const juce::uint8*> (block.getData()) + 4, body.size() + 4);
        const juce::uint8 crcBytes[] = { (juce::uint8) (crc >> 24), (juce::uint8) (crc >> 16), (juce::uint8) (crc >> 8), (juce::uint8) crc };
        block.append (crcBytes, 4);
        return block;
    }

    juce::MemoryBlock withChunkAfterHeader (const juce::MemoryBlock& png, const juce::MemoryBlock& extra)
    {
        juce::MemoryBlock result (png.getData(), 8 + 25);
        result.append (extra.getData(), extra.getSize());
        result.append (static_cast<const char*> (png.getData()) + 33, png.getSize() - 33);
        return result;
    }

    TEST (PngCheck, SoundFilesPass)
    {
        EXPECT_TRUE (check (samplePng()));
        EXPECT_TRUE (check (pngOf (solidImage (1, 1, juce::Colours::red))));
        EXPECT_TRUE (check (withChunkAfterHeader (samplePng(), chunk ("tEXt", "Comment\0fine"))));

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

    // Chunks with a correct checksum that the check must still refuse: an unknown critical
    // chunk, and chunk types that are not four ASCII letters (the decoder aborts on those,
    // whatever case their first byte has).
    struct BadChunk
    {
        const char* type;
        const char* why;
    };

    const BadChunk badChunks[] = {
        { "ZZZZ", "unknown critical chunk" },
        { "a1bc", "digit in an ancillary-looking type" },
        { "ab c", "space" },
        { "abc\x7f", "control character" },
        { "\xe1" "bcd", "byte above ASCII with the ancillary bit" },
        { "A_BC", "punctuation in a critical-looking type" },
    };

    TEST (PngCheck, BadChunksFail)
    {
        for (const auto& c : badChunks)
            EXPECT_FALSE (check (withChunkAfterHeader (samplePng(), chunk (c.type, "abc")))) << c.why;
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
