#include "TestBundle.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
    struct Resource
    {
        const char* data;
        int size;
    };

    Resource look (const char* identifier)
    {
        int size = -1;
        const char* data = fixtureSource().lookup (identifier, size);
        return { data, size };
    }

    TEST (BundleLookup, FindsTheToolkitsSharedFiles)
    {
        const auto common = look ("common_json");
        ASSERT_NE (common.data, nullptr);
        EXPECT_EQ (common.size, 662);
        EXPECT_EQ (common.data[0], '{');

        const auto charset = look ("charset_json");
        ASSERT_NE (charset.data, nullptr);
        EXPECT_EQ (charset.size, 1016);

        const auto art = look ("art_json");
        ASSERT_NE (art.data, nullptr);
        EXPECT_EQ (art.data[0], '{');
        // A zero byte follows every block, so a text resource is also NUL-terminated.
        EXPECT_EQ (art.data[art.size], 0);
    }

    TEST (BundleLookup, LogoComesAtThreeScalesAsPngSquares)
    {
        const unsigned char signature[] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n' };

        for (int scale = 1; scale <= 3; ++scale)
        {
            const auto identifier = "logo" + std::to_string (scale) + "x_png";
            const auto logo = look (identifier.c_str());
            ASSERT_NE (logo.data, nullptr) << identifier;
            ASSERT_GT (logo.size, 8);
            EXPECT_EQ (std::memcmp (logo.data, signature, sizeof (signature)), 0);

            const auto image = juce::ImageFileFormat::loadFrom (logo.data, (size_t) logo.size);
            EXPECT_EQ (image.getWidth(), 44 * scale);
            EXPECT_EQ (image.getHeight(), 44 * scale);
            EXPECT_TRUE (image.hasAlphaChannel());
        }
    }

    TEST (BundleLookup, MissesGiveNullAndZeroSize)
    {
        for (const char* identifier : { "art.json", "", "nothing_png", static_cast<const char*> (nullptr) })
        {
            const auto miss = look (identifier);
            EXPECT_EQ (miss.data, nullptr);
            EXPECT_EQ (miss.size, 0);
        }
    }

    TEST (BundleLookup, TableListsProductFilesThenToolkitFiles)
    {
        const auto source = fixtureSource();
        ASSERT_EQ (source.count, 6);
        const char* expected[] = { "art_json", "charset_json", "common_json", "logo1x_png", "logo2x_png", "logo3x_png" };

        for (int i = 0; i < source.count; ++i)
            EXPECT_STREQ (source.names[i], expected[i]);
    }
}
