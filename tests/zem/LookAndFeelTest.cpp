#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
    namespace palette = zem::palette;
    constexpr float pi = juce::MathConstants<float>::pi;

    TEST (Palette, NineColours)
    {
        EXPECT_EQ (palette::ink.getARGB(), 0xff1f1d1bu);
        EXPECT_EQ (palette::charcoal.getARGB(), 0xff2a2724u);
        EXPECT_EQ (palette::slate.getARGB(), 0xff4a453fu);
        EXPECT_EQ (palette::cream.getARGB(), 0xfff2e9dcu);
        EXPECT_EQ (palette::ash.getARGB(), 0xff9a918au);
        EXPECT_EQ (palette::accent.getARGB(), 0xffff7a3du);
        EXPECT_EQ (palette::rust.getARGB(), 0xff8a4a2au);
        EXPECT_EQ (palette::green.getARGB(), 0xff7ed07eu);
        EXPECT_EQ (palette::amber.getARGB(), 0xffffc857u);
    }

    TEST (LookAndFeelColours, FrameworkColoursTakeThePalette)
    {
        const zem::LookAndFeel lf;
        const std::pair<int, juce::Colour> table[] = {
            { 0x1005700, palette::ink },      { 0x1001311, palette::accent },  { 0x1001312, palette::rust },
            { 0x1001300, palette::cream },    { 0x1001400, palette::cream },   { 0x1001500, juce::Colours::transparentBlack },
            { 0x1001700, juce::Colours::transparentBlack },                    { 0x1000281, palette::cream },
            { 0x1000100, palette::charcoal }, { 0x1000101, palette::accent },  { 0x1000102, palette::cream },
            { 0x1000103, palette::ink },      { 0x1006501, palette::cream },   { 0x1006502, palette::accent },
            { 0x1000b00, palette::charcoal }, { 0x1000a00, palette::cream },   { 0x1000c00, palette::slate },
            { 0x1000700, palette::charcoal }, { 0x1000600, palette::cream },   { 0x1000900, palette::accent },
            { 0x1000800, palette::ink } };

        for (const auto& [id, colour] : table)
            EXPECT_EQ (lf.findColour (id), colour) << std::hex << id;

        EXPECT_EQ (lf.kit, nullptr);
    }

    TEST (LookAndFeelFonts, LabelKeepsItsFontAndTextBoxIsCentred)
    {
        zem::LookAndFeel lf;
        juce::Label label;
        label.setFont (juce::Font (31.0f, juce::Font::italic));
        EXPECT_EQ (lf.getLabelFont (label), label.getFont());

        juce::Slider slider;
        std::unique_ptr<juce::Label> box (lf.createSliderTextBox (slider));
        EXPECT_FLOAT_EQ (box->getFont().getHeight(), 14.0f);
        EXPECT_EQ (box->getJustificationType().getFlags(), juce::Justification::centred);
    }

    // A point on a circle about (50, 50), angle clockwise from 12 o'clock.
    juce::Point<int> onCircle (float radius, float angle)
    {
        return { juce::roundToInt (50.0f + radius * std::sin (angle)), juce::roundToInt (50.0f - radius * std::cos (angle)) };
    }

    class LookAndFeelDraw : public ::testing::Test
    {
    protected:
        TestBundle bundle;
        std::unique_ptr<zem::ArtStore> store;
        zem::ArtKit kit;
        zem::LookAndFeel lf;
        juce::Slider slider;
        juce::Image target = canvas (100, 100);

        // The drawn knob in a 100 by 100 box: track radius 40.92, stroke 6.16.
        const float trackRadius = 44.0f - 0.14f * 44.0f / 2.0f;

        void useBundle()
        {
            store = std::make_unique<zem::ArtStore> (bundle.source());
            kit = zem::ArtKit (store.get());
            lf.kit = &kit;
        }

        void drawKnob (float position, float start = -2.5f, float end = 2.5f, int size = 100)
        {
            target.clear (target.getBounds());
            juce::Graphics g (target);
            lf.drawRotarySlider (g, 0, 0, size, size, position, start, end, slider);
        }

        juce::Colour at (juce::Point<int> p) const { return target.getPixelAt (p.x, p.y); }
    };

    TEST_F (LookAndFeelDraw, DrawnKnobAtZeroShowsOnlyTheTrack)
    {
        drawKnob (0.0f);
        EXPECT_TRUE (near (at (onCircle (trackRadius, 0.0f)), palette::rust));
        EXPECT_TRUE (near (at (onCircle (trackRadius, -2.0f)), palette::rust));
        EXPECT_TRUE (near (at ({ 50, 50 }), palette::charcoal));
    }

    TEST_F (LookAndFeelDraw, DrawnKnobValueArcAndPointer)
    {
        drawKnob (0.5f);
        EXPECT_TRUE (near (at (onCircle (trackRadius, -1.0f)), palette::accent));
        EXPECT_TRUE (near (at (onCircle (trackRadius, 1.0f)), palette::rust));
        EXPECT_TRUE (near (at (onCircle (20.0f, 0.0f)), palette::cream)) << "pointer at 12 o'clock";
        EXPECT_TRUE (near (at (onCircle (20.0f, pi)), palette::charcoal));
    }

    TEST_F (LookAndFeelDraw, DisabledDrawnKnobUsesSlateAndAsh)
    {
        slider.setEnabled (false);
        drawKnob (0.5f);
        EXPECT_TRUE (near (at (onCircle (trackRadius, -1.0f)), palette::ash));
        EXPECT_TRUE (near (at (onCircle (trackRadius, 1.0f)), palette::slate));
    }

    TEST_F (LookAndFeelDraw, MissingArtOrNoKitDrawsTheDrawnKnob)
    {
        bundle.add ("knob_png", pngOf (solidImage (10, 10, juce::Colours::red)));
        useBundle();
        slider.getProperties().set ("zemKnobArt", "absent");
        drawKnob (0.0f);
        EXPECT_TRUE (near (at ({ 50, 50 }), palette::charcoal));

        lf.kit = nullptr;
        slider.getProperties().remove ("zemKnobArt");
        drawKnob (0.0f);
        EXPECT_TRUE (near (at ({ 50, 50 }), palette::charcoal));
    }

    TEST_F (LookAndFeelDraw, ArtKnobTurnsItsPicture)
    {
        // Top half red, bottom half blue: the pointer is the red half.
        auto picture = solidImage (20, 20, juce::Colours::blue);
        picture.clear ({ 0, 0, 20, 10 }, juce::Colours::red);
        bundle.add ("knob_png", pngOf (picture));
        useBundle();

        drawKnob (0.5f, -pi, pi);
        EXPECT_EQ (at ({ 50, 20 }), juce::Colours::red);
        EXPECT_EQ (at ({ 50, 80 }), juce::Colours::blue);
        EXPECT_EQ (at ({ 3, 50 }).getAlpha(), 0) << "outside the inset area";

        drawKnob (0.0f, -pi, pi);
        EXPECT_EQ (at ({ 50, 20 }), juce::Colours::blue);
    }

    TEST_F (LookAndFeelDraw, FilmstripKnobPicksFrameByPosition)
    {
        bundle.addText ("common_json", R"({"frames": {"dial": 5}})");
        bundle.add ("dial_png", pngOf (stripImage (4, 4, { juce::Colours::red, juce::Colours::green, juce::Colours::blue,
                                                           juce::Colours::yellow, juce::Colours::cyan })));
        useBundle();
        slider.getProperties().set ("zemKnobArt", "dial");

        const std::pair<float, juce::Colour> cases[] = { { 0.0f, juce::Colours::red }, { 0.5f, juce::Colours::blue },
                                                          { 1.0f, juce::Colours::cyan }, { 0.2f, juce::Colours::green } };
        for (const auto& [position, colour] : cases)
        {
            drawKnob (position);
            EXPECT_EQ (at ({ 50, 50 }), colour) << position;
        }
    }

    TEST_F (LookAndFeelDraw, DisabledArtKnobGetsTheInkVeil)
    {
        bundle.add ("knob_png", pngOf (solidImage (10, 10, juce::Colours::red)));
        useBundle();
        slider.setEnabled (false);
        drawKnob (0.5f);

        const auto veiled = juce::Colours::red.overlaidWith (palette::ink.withAlpha (0.55f));
        EXPECT_TRUE (near (at ({ 50, 50 }), veiled));
    }

    TEST_F (LookAndFeelDraw, TinyKnobFallsBackToTheDrawnKnob)
    {
        bundle.add ("knob_png", pngOf (solidImage (10, 10, juce::Colours::red)));
        useBundle();
        drawKnob (0.5f, -2.5f, 2.5f, 12);

        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_NE (target.getPixelAt (x, y), juce::Colours::red);
    }

    class LookAndFeelButtons : public LookAndFeelDraw
    {
    protected:
        juce::TextButton button { "Go" };
        juce::ToggleButton toggle { "On" };

        void SetUp() override
        {
            button.setBounds (0, 0, 100, 100);
            toggle.setBounds (0, 0, 100, 100);
        }

        juce::Colour drawButton (bool on, bool highlighted, bool down)
        {
            button.setToggleState (on, juce::dontSendNotification);
            target.clear (target.getBounds());
            juce::Graphics g (target);
            lf.drawButtonBackground (g, button, juce::Colours::white, highlighted, down);
            return target.getPixelAt (50, 50);
        }

        // Frame colours of the button strips: red, green, blue.
        static std::vector<juce::Colour> stripColours() { return { juce::Colours::red, juce::Colours::green, juce::Colours::blue }; }

        void addButtonStrip (int frames)
        {
            const auto colours = stripColours();
            bundle.addText ("common_json", R"({"frames": {"button": )" + std::to_string (frames) + "}}");
            bundle.add ("button_png", pngOf (stripImage (4, 4, { colours.begin(), colours.begin() + frames })));
            useBundle();
        }
    };

    TEST_F (LookAndFeelButtons, DrawnButtonColours)
    {
        EXPECT_TRUE (near (drawButton (false, false, false), palette::charcoal, 1));
        EXPECT_TRUE (near (drawButton (true, false, false), palette::accent, 1));
        EXPECT_TRUE (near (drawButton (false, false, true), palette::charcoal.darker (0.2f), 1));
        EXPECT_TRUE (near (drawButton (false, true, false), palette::charcoal.brighter (0.08f), 1));
        EXPECT_TRUE (near (target.getPixelAt (1, 50), palette::slate, 40)) << "slate outline";
    }

    // A button state and the strip frame it must show.
    struct FramePick
    {
        bool on, highlighted, down;
        int frame;
    };

    struct FrameCase
    {
        const char* name;
        int frames;
        std::vector<FramePick> picks;
    };

    class LookAndFeelButtonFrames : public LookAndFeelButtons, public ::testing::WithParamInterface<FrameCase>
    {
    };

    TEST_P (LookAndFeelButtonFrames, StateShowsItsFrame)
    {
        const auto& c = GetParam();
        addButtonStrip (c.frames);
        for (const auto& p : c.picks)
            EXPECT_EQ (drawButton (p.on, p.highlighted, p.down), stripColours()[(size_t) p.frame])
                << "on " << p.on << ", highlighted " << p.highlighted << ", down " << p.down;
    }

    INSTANTIATE_TEST_SUITE_P (Strips, LookAndFeelButtonFrames,
        ::testing::Values (
            FrameCase { "TwoFrameArtHasNoHoverFrame", 2,
                        { { false, false, false, 0 }, { false, true, false, 0 }, { false, false, true, 1 }, { true, false, false, 1 } } },
            FrameCase { "ThreeFrameArtShowsHover", 3, { { false, true, false, 2 }, { true, true, false, 1 } } },
            FrameCase { "OneFrameArtAlwaysShowsFrameZero", 1, { { true, false, true, 0 } } }),
        [] (const auto& info) { return std::string (info.param.name); });

    TEST_F (LookAndFeelButtons, DrawnToggleColours)
    {
        for (bool on : { false, true })
        {
            toggle.setToggleState (on, juce::dontSendNotification);
            target.clear (target.getBounds());
            juce::Graphics g (target);
            lf.drawToggleButton (g, toggle, false, false);
            EXPECT_TRUE (near (target.getPixelAt (10, 50), on ? palette::accent : palette::charcoal, 1)) << on;
        }
    }

    TEST_F (LookAndFeelButtons, ToggleArtDrawsTextOnlyWithoutPanel)
    {
        bundle.add ("toggle_png", pngOf (stripImage (4, 4, { juce::Colours::red, juce::Colours::green })));
        useBundle();
        toggle.setButtonText ("II");

        auto drawToggle = [this]
        {
            target.clear (target.getBounds());
            juce::Graphics g (target);
            lf.drawToggleButton (g, toggle, false, false);
        };

        drawToggle();
        EXPECT_TRUE (near (target.getPixelAt (50, 20), juce::Colours::red));
        EXPECT_TRUE (near (target.getPixelAt (3, 50), juce::Colours::red)) << "text stays in its inset band";
        bool cream = false;
        for (int x = 0; x < 100; ++x)
            cream = cream || near (target.getPixelAt (x, 50), palette::cream, 30);
        EXPECT_TRUE (cream);

        bundle.add ("panel_png", pngOf (solidImage (4, 4, juce::Colours::black)));
        useBundle();
        drawToggle();
        for (int x = 15; x < 85; ++x)
            EXPECT_TRUE (near (target.getPixelAt (x, 50), juce::Colours::red)) << x;
    }
}
