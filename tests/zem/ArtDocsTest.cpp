#include <gtest/gtest.h>
#include <zem/zem.h>

#include <cmath>
#include <string>

namespace
{
    const std::string commonText = R"({
        "frames": { "toggle": 2, "button": 2, "lamp": 3, "selector": 3 },
        "glyphs": { "order": "0123456789.-+% ABCDEFGHIJKLMNOPQRSTUVWXYZ" },
        "knob": { "startDegrees": -150, "endDegrees": 150 },
        "layout": { "shared": [1, 2, 3, 4] }
    })";

    const std::string artText = R"({
        "design": { "width": 560, "height": 560 },
        "frames": { "button": 5, "lamp": null, "zero": 0, "negative": -3, "one": 1, "decimal": 2.9,
                    "text": "7 frames", "flag": true },
        "layout": {
            "logo": [510, 510, 44, 44],
            "shared": null,
            "three": [1, 2, 3],
            "five": [1, 2, 3, 4, 5],
            "odd": ["10", true, null, {}],
            "negative": [5, 6, -7, 0],
            "notArray": "1, 2, 3, 4",
            "group": { "inner": [7, 8, 9, 10] }
        }
    })";

    void add (zem::ArtDocs& docs, const std::string& text)
    {
        docs.addDocument (text.data(), (int) text.size());
    }

    class ArtDocsTest : public ::testing::Test
    {
    protected:
        void SetUp() override
        {
            add (docs, commonText);
            add (docs, artText);
        }

        zem::ArtDocs docs;
        const juce::Rectangle<float> fallback { -1.0f, -2.0f, -3.0f, -4.0f };
    };

    TEST_F (ArtDocsTest, LastDocumentWinsAndNullDoesNotHide)
    {
        ASSERT_EQ (docs.documents.size(), 2);
        EXPECT_EQ (docs.frameCount ("button", 99), 5);
        EXPECT_EQ (docs.frameCount ("toggle", 99), 2);
        EXPECT_EQ (docs.frameCount ("lamp", 99), 3);
        EXPECT_EQ (docs.layoutRect ("shared", fallback), juce::Rectangle<float> (1, 2, 3, 4));
        EXPECT_EQ (docs.glyphOrder ("x"), "0123456789.-+% ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        EXPECT_EQ (docs.layoutRect ("logo", fallback), juce::Rectangle<float> (510, 510, 44, 44));
    }

    TEST_F (ArtDocsTest, WrongTypeInLastDocumentHidesEarlierValue)
    {
        zem::ArtDocs wrong;
        add (wrong, R"({"layout": {"box": [1, 2, 3, 4]}, "frames": {"lamp": 4}})");
        add (wrong, R"({"layout": {"box": "elsewhere"}, "frames": {"lamp": []}})");
        EXPECT_EQ (wrong.layoutRect ("box", fallback), fallback);
        EXPECT_FALSE (wrong.hasLayoutRect ("box"));
        EXPECT_EQ (wrong.frameCount ("lamp", 9), 1);
    }

    TEST_F (ArtDocsTest, LayoutRectanglesNeedFourEntries)
    {
        EXPECT_EQ (docs.layoutRect ("three", fallback), fallback);
        EXPECT_FALSE (docs.hasLayoutRect ("three"));
        EXPECT_EQ (docs.layoutRect ("five", fallback), juce::Rectangle<float> (1, 2, 3, 4));
        EXPECT_TRUE (docs.hasLayoutRect ("five"));
        EXPECT_EQ (docs.layoutRect ("notArray", fallback), fallback);
        EXPECT_EQ (docs.layoutRect ("missing", fallback), fallback);
        EXPECT_FALSE (docs.hasLayoutRect ("missing"));
    }

    TEST_F (ArtDocsTest, OddLayoutValuesConvertLikeVars)
    {
        const auto odd = docs.layoutRect ("odd", fallback);
        EXPECT_FLOAT_EQ (odd.getX(), 10.0f);
        EXPECT_FLOAT_EQ (odd.getY(), 1.0f);
        EXPECT_FLOAT_EQ (odd.getWidth(), 0.0f);
        EXPECT_FLOAT_EQ (odd.getHeight(), 0.0f);
        EXPECT_TRUE (docs.hasLayoutRect ("odd"));

        // Negative and zero sizes come back unchanged.
        const auto negative = docs.layoutRect ("negative", fallback);
        EXPECT_FLOAT_EQ (negative.getWidth(), -7.0f);
        EXPECT_FLOAT_EQ (negative.getHeight(), 0.0f);
    }

    TEST_F (ArtDocsTest, DottedNameStepsIntoNestedObject)
    {
        EXPECT_EQ (docs.layoutRect ("group.inner", fallback), juce::Rectangle<float> (7, 8, 9, 10));
        EXPECT_FALSE (docs.hasLayoutRect ("group"));
        EXPECT_TRUE (docs.lookupPath ("layout..logo").isVoid());
        EXPECT_TRUE (docs.lookupPath ("layout.logo.0").isVoid()) << "arrays are never indexed";
    }

    TEST_F (ArtDocsTest, EmptyPathGivesLastDocument)
    {
        const auto whole = docs.lookupPath ("");
        ASSERT_NE (whole.getDynamicObject(), nullptr);
        EXPECT_TRUE (whole.hasProperty ("design"));
    }

    struct FrameCase
    {
        const char* name;
        int expected;
    };

    TEST_F (ArtDocsTest, FrameCountsClampAndConvert)
    {
        const FrameCase cases[] = { { "zero", 1 }, { "negative", 1 }, { "one", 1 }, { "decimal", 2 },
                                    { "text", 7 }, { "flag", 1 }, { "absent", 42 } };

        for (const auto& c : cases)
            EXPECT_EQ (docs.frameCount (c.name, 42), c.expected) << c.name;
    }

    TEST_F (ArtDocsTest, KnobRangeInRadians)
    {
        const auto range = docs.knobRange ({ 0.0f, 1.0f });
        EXPECT_FLOAT_EQ (range.first, -150.0f * 0.017453292f);
        EXPECT_FLOAT_EQ (range.second, 150.0f * 0.017453292f);
    }

    TEST (ArtDocs, KnobRangeRaisesEndToStartAndNeedsBothKeys)
    {
        zem::ArtDocs reversed;
        add (reversed, R"({"knob": {"startDegrees": 90, "endDegrees": 30}})");
        const auto range = reversed.knobRange ({ 0.0f, 1.0f });
        EXPECT_NEAR (range.first, juce::MathConstants<float>::halfPi, 1e-6);
        EXPECT_FLOAT_EQ (range.second, range.first);

        zem::ArtDocs half;
        add (half, R"({"knob": {"startDegrees": 90}})");
        EXPECT_EQ (half.knobRange ({ 0.25f, 0.5f }), std::make_pair (0.25f, 0.5f));
    }

    TEST_F (ArtDocsTest, DesignSizeAndGlyphOrderFallbacks)
    {
        EXPECT_EQ (docs.designSize ({ 1, 2 }), std::make_pair (560, 560));

        zem::ArtDocs empty;
        EXPECT_EQ (empty.designSize ({ 1, 2 }), std::make_pair (1, 2));
        EXPECT_EQ (empty.glyphOrder ("abc"), "abc");

        zem::ArtDocs numeric;
        add (numeric, R"({"glyphs": {"order": 123}, "design": {"width": 300.7}})");
        EXPECT_EQ (numeric.glyphOrder ("abc"), "123");
        EXPECT_EQ (numeric.designSize ({ 1, 2 }), std::make_pair (1, 2));
    }

    TEST (ArtDocs, BadDocumentsAreSkipped)
    {
        zem::ArtDocs docs;
        add (docs, "{ not json");
        add (docs, "[1, 2, 3]");
        add (docs, "\"text\"");
        add (docs, "42");
        add (docs, "");
        docs.addDocument (nullptr, 10);
        docs.addDocument ("{}", 0);
        docs.addDocument ("{}", -1);
        EXPECT_EQ (docs.documents.size(), 0);
        EXPECT_EQ (docs.frameCount ("button", 2), 2);
        EXPECT_TRUE (docs.lookupPath ("anything").isVoid());

        add (docs, R"({"frames": {"button": 3}})");
        add (docs, "{ broken");
        EXPECT_EQ (docs.documents.size(), 1);
        EXPECT_EQ (docs.frameCount ("button", 2), 3) << "the other file still serves";
    }

    TEST (ArtDocs, ZeroByteEndsTheText)
    {
        const char bytes[] = "{\"frames\": {\"lamp\": 6}}\0garbage that is not json";
        zem::ArtDocs docs;
        docs.addDocument (bytes, (int) sizeof (bytes) - 1);
        ASSERT_EQ (docs.documents.size(), 1);
        EXPECT_EQ (docs.frameCount ("lamp", 3), 6);
    }

    TEST (ArtDocs, CopiesShareParsedObjects)
    {
        zem::ArtDocs docs;
        add (docs, R"({"frames": {"lamp": 6}})");
        const auto copy = docs;
        ASSERT_EQ (copy.documents.size(), 1);
        EXPECT_EQ (copy.documents[0].getDynamicObject(), docs.documents[0].getDynamicObject());
    }
}
