#include <gtest/gtest.h>
#include <zem/zem.h>

namespace
{
    struct ParseCase
    {
        const char* identifier;
        bool accepted;
        const char* base;
        int scale;
        const char* extension;
    };

    class ResourceIdParse : public ::testing::TestWithParam<ParseCase> {};

    TEST_P (ResourceIdParse, SplitsBaseScaleAndExtension)
    {
        const auto& c = GetParam();
        juce::String base ("untouched"), extension ("untouched");
        int scale = 1;

        EXPECT_EQ (zem::parseResourceId (c.identifier, base, scale, extension), c.accepted);
        EXPECT_EQ (base, juce::String (c.base));
        EXPECT_EQ (scale, c.scale);
        EXPECT_EQ (extension, juce::String (c.extension));
    }

    INSTANTIATE_TEST_SUITE_P (Table, ResourceIdParse, ::testing::Values (
        ParseCase { "art_json", true, "art", 1, "json" },
        ParseCase { "knob2x_png", true, "knob", 2, "png" },
        ParseCase { "logo3x_png", true, "logo", 3, "png" },
        ParseCase { "logo1x_png", true, "logo", 1, "png" },
        ParseCase { "panel_2x_png", true, "panel", 2, "png" },
        ParseCase { "coals_A_1x_png", true, "coals_A", 1, "png" },
        ParseCase { "2x_png", true, "2x", 1, "png" },
        ParseCase { "x1x_png", true, "x", 1, "png" },
        ParseCase { "knob4x_png", true, "knob4x", 1, "png" },
        ParseCase { "knob0x_png", true, "knob0x", 1, "png" },
        ParseCase { "knob2X_png", true, "knob2X", 1, "png" },
        ParseCase { "knob2_png", true, "knob2", 1, "png" },
        ParseCase { "knob_PNG", true, "knob", 1, "png" },
        ParseCase { "knob2x_", true, "knob", 2, "" },
        // An empty base is rejected, but the outputs are written all the same.
        ParseCase { "_2x_png", false, "", 2, "png" },
        // No underscore after the first character: outputs left untouched.
        ParseCase { "png", false, "untouched", 1, "untouched" },
        ParseCase { "_png", false, "untouched", 1, "untouched" },
        ParseCase { "", false, "untouched", 1, "untouched" }));

    TEST (ResourceIdParse, RejectedIdentifierLeavesScaleUntouched)
    {
        juce::String base, extension;
        int scale = 7;
        EXPECT_FALSE (zem::parseResourceId ("png", base, scale, extension));
        EXPECT_EQ (scale, 7);
    }
}
