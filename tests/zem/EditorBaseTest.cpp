#include "FixtureEditor.h"
#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace
{
    namespace palette = zem::palette;

    juce::Image paintOf (juce::Component& editor)
    {
        return editor.createComponentSnapshot (editor.getLocalBounds(), true, 1.0f);
    }

    struct FitCase
    {
        int width, height;
        juce::Rectangle<int> fitted;
        float scale;
    };

    class EditorBaseTest : public ::testing::Test
    {
    protected:
        FixtureProcessor processor;
        TestBundle bundle;
        const juce::MemoryBlock logo = pngOf (solidImage (44, 44, palette::accent));

        // A bundle with panel art, a layout file and (optionally) a logo.
        zem::ArtSource panelSource (bool withLogo, const std::string& layout)
        {
            bundle.addText ("art_json", R"({"layout": {)" + layout + "}}");
            bundle.add ("panel_png", pngOf (solidImage (56, 56, juce::Colours::green)));

            if (withLogo)
                bundle.add ("logo_png", logo);

            return bundle.source();
        }
    };

    TEST_F (EditorBaseTest, FitsTheDesignSquareCentred)
    {
        FixtureEditor editor (processor, fixtureSource());
        const FitCase cases[] = {
            { 560, 560, { 0, 0, 560, 560 }, 1.0f },
            { 1120, 560, { 280, 0, 560, 560 }, 1.0f },
            { 1200, 1200, { 0, 0, 1200, 1200 }, 1200.0f / 560.0f },
            { 700, 1000, { 0, 150, 700, 700 }, 1.25f },
            { 561, 560, { 0, 0, 560, 560 }, 1.0f },
        };

        for (const auto& c : cases)
        {
            editor.setSize (c.width, c.height);
            EXPECT_EQ (editor.fittedArea(), c.fitted) << c.width << "x" << c.height;
            EXPECT_FLOAT_EQ (editor.contentScale(), c.scale);
            EXPECT_FLOAT_EQ (editor.kit.contentScale, c.scale) << "resized stores the scale";
        }
    }

    TEST_F (EditorBaseTest, FinishSetupGivesDesignSizeAndLimits)
    {
        FixtureEditor editor (processor, fixtureSource());
        EXPECT_EQ (editor.getWidth(), 560);
        EXPECT_EQ (editor.getHeight(), 560);
        EXPECT_TRUE (editor.isResizable());
        ASSERT_NE (editor.getConstrainer(), nullptr);
        EXPECT_EQ (editor.getConstrainer()->getMinimumWidth(), 560);
        EXPECT_EQ (editor.getConstrainer()->getMinimumHeight(), 560);
        EXPECT_EQ (editor.getConstrainer()->getMaximumWidth(), 6000);
        EXPECT_EQ (editor.getConstrainer()->getMaximumHeight(), 6000);
        EXPECT_TRUE (editor.isOpaque());
        EXPECT_GE (editor.layoutCalls, 1);
    }

    // The text box a slider made before it had the editor as parent.
    const juce::Label* textBoxOf (const juce::Slider& slider)
    {
        for (auto* child : slider.getChildren())
            if (auto* label = dynamic_cast<const juce::Label*> (child))
                return label;
        return nullptr;
    }

    TEST_F (EditorBaseTest, ChildrenMadeBeforeFinishSetupTakeTheToolkitLook)
    {
        // A product builds its controls first and adds them to the editor afterwards.
        juce::Slider slider (juce::Slider::RotaryHorizontalVerticalDrag, juce::Slider::TextBoxBelow);
        zem::EditorBase editor (processor, fixtureSource(), 560, 560);
        editor.addAndMakeVisible (slider);
        editor.finishSetup();

        const auto* textBox = textBoxOf (slider);
        ASSERT_NE (textBox, nullptr);
        EXPECT_FLOAT_EQ (textBox->getFont().getHeight(), 14.0f) << "the toolkit's plain font";
        EXPECT_EQ (textBox->findColour (juce::Label::textColourId), palette::cream);
        EXPECT_EQ (textBox->getJustificationType(), juce::Justification::centred);
    }

    TEST_F (EditorBaseTest, HeaderFallbackContentAndBadgeCorner)
    {
        FixtureEditor editor (processor, fixtureSource());
        EXPECT_EQ (editor.contentBounds(), juce::Rectangle<int> (12, 42, 536, 506));
        EXPECT_EQ (editor.lastContent, editor.contentBounds());
        EXPECT_EQ (editor.logoBounds(), juce::Rectangle<int> (524, 3, 24, 24)) << "no panel: the logo rectangle is not used";
        EXPECT_TRUE (editor.getLogoBadge().isVisible());
        EXPECT_EQ (editor.getLogoBadge().getBounds(), editor.logoBounds());

        editor.setSize (1200, 1200);
        EXPECT_EQ (editor.contentBounds(), juce::Rectangle<int> (26, 90, 1148, 1084));
        EXPECT_EQ (editor.logoBounds(), juce::Rectangle<int> (1123, 6, 51, 51));

        editor.setSize (1120, 560);
        EXPECT_EQ (editor.contentBounds(), juce::Rectangle<int> (292, 42, 536, 506));
        EXPECT_EQ (editor.lastContent, editor.contentBounds());
    }

    TEST_F (EditorBaseTest, PanelArtUsesLayoutRectangles)
    {
        FixtureEditor editor (processor, panelSource (true, R"("content": [0, 0, 560, 560], "logo": [510, 510, 44, 44])"));
        EXPECT_EQ (editor.contentBounds(), juce::Rectangle<int> (0, 0, 560, 560));
        EXPECT_EQ (editor.logoBounds(), juce::Rectangle<int> (510, 510, 44, 44));

        editor.setSize (1200, 1200);
        EXPECT_EQ (editor.logoBounds(), juce::Rectangle<int> (1093, 1093, 94, 94));
        EXPECT_EQ (editor.contentBounds(), juce::Rectangle<int> (0, 0, 1200, 1200));

        editor.setSize (1120, 560);
        EXPECT_EQ (editor.logoBounds(), juce::Rectangle<int> (790, 510, 44, 44));
        EXPECT_EQ (editor.layoutBounds ("missing", { 1.4f, 2.6f, 10.6f, 3.0f }), juce::Rectangle<int> (281, 3, 11, 3));
    }

    TEST_F (EditorBaseTest, PanelWithoutRectanglesTakesDefaults)
    {
        FixtureEditor editor (processor, panelSource (true, R"("other": [1, 2, 3, 4])"));
        EXPECT_EQ (editor.contentBounds(), juce::Rectangle<int> (12, 30, 536, 518));
        EXPECT_EQ (editor.logoBounds(), juce::Rectangle<int> (524, 3, 24, 24));
    }

    TEST_F (EditorBaseTest, ContentRectangleWithoutPanelIsUsed)
    {
        bundle.addText ("art_json", R"({"layout": {"content": [20, 40, 100, 50]}})");
        FixtureEditor editor (processor, bundle.source());
        EXPECT_EQ (editor.contentBounds(), juce::Rectangle<int> (20, 40, 100, 50));
    }

    TEST_F (EditorBaseTest, BadgeHiddenWithoutLogoArt)
    {
        FixtureEditor editor (processor, panelSource (false, R"("logo": [510, 510, 44, 44])"));
        EXPECT_FALSE (editor.getLogoBadge().isVisible());

        FixtureEditor bare (processor, zem::ArtSource());
        EXPECT_FALSE (bare.getLogoBadge().isVisible());
        EXPECT_EQ (bare.kit.store->entries.size(), 0u);
    }

    TEST_F (EditorBaseTest, NoDesignSizeFitsTheWholeWindow)
    {
        FixtureEditor editor (processor, fixtureSource(), 0, 0);
        editor.setSize (300, 200);
        EXPECT_EQ (editor.fittedArea(), juce::Rectangle<int> (0, 0, 300, 200));
        EXPECT_FLOAT_EQ (editor.contentScale(), 1.0f);
    }

    TEST_F (EditorBaseTest, BadgeOpensAboutAndCloseHidesIt)
    {
        FixtureEditor editor (processor, fixtureSource());
        EXPECT_EQ (editor.getAboutPanel(), nullptr);

        editor.getLogoBadge().onClick();
        auto* panel = editor.getAboutPanel();
        ASSERT_NE (panel, nullptr);
        EXPECT_TRUE (panel->isVisible());
        EXPECT_EQ (panel->getBounds(), editor.getLocalBounds());
        EXPECT_GT (editor.getIndexOfChildComponent (panel), editor.getIndexOfChildComponent (&editor.getLogoBadge()))
            << "above the badge and the product's children";

        EXPECT_TRUE (panel->isKeyboardFocusContainer()) << "Tab stays among its buttons";
        EXPECT_FALSE (editor.getLogoBadge().isAccessible()) << "hidden under the panel from screen readers";

        panel->closeButton.onClick();
        EXPECT_FALSE (panel->isVisible());
        EXPECT_EQ (panel->getParentComponent(), &editor);
        EXPECT_TRUE (editor.getLogoBadge().isAccessible());

        // Escape closes it as Close does; other keys are left to the panel's parents.
        editor.getLogoBadge().onClick();
        EXPECT_FALSE (panel->keyPressed (juce::KeyPress ('a')));
        EXPECT_TRUE (panel->isVisible());
        EXPECT_TRUE (panel->keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)));
        EXPECT_FALSE (panel->isVisible());
        EXPECT_TRUE (editor.getLogoBadge().isAccessible());

        editor.setSize (800, 700);
        EXPECT_EQ (panel->getBounds(), editor.getLocalBounds()) << "kept at the editor's size";
        editor.getLogoBadge().onClick();
        EXPECT_EQ (editor.getAboutPanel(), panel) << "the same panel again";
        EXPECT_TRUE (panel->isVisible());
    }

    // A control that was already out of the accessibility tree stays out when the panel closes.
    TEST_F (EditorBaseTest, ClosingAboutGivesBackOnlyWhatItTook)
    {
        FixtureEditor editor (processor, fixtureSource());
        juce::Slider shown, silent;
        silent.setAccessible (false);
        editor.addAndMakeVisible (shown);
        editor.addAndMakeVisible (silent);

        editor.showAbout();
        editor.showAbout();
        EXPECT_FALSE (shown.isAccessible());
        EXPECT_FALSE (silent.isAccessible());
        EXPECT_TRUE (editor.getAboutPanel()->isAccessible()) << "the panel itself stays";

        editor.getAboutPanel()->close();
        EXPECT_TRUE (shown.isAccessible());
        EXPECT_FALSE (silent.isAccessible());
        editor.removeChildComponent (&shown);
        editor.removeChildComponent (&silent);
    }

    TEST_F (EditorBaseTest, NoTooltipWindowWithoutAWindow)
    {
        FixtureEditor editor (processor, fixtureSource());
        EXPECT_EQ (editor.getTooltipWindow(), nullptr) << "nothing asks a display for the pointer";
        EXPECT_EQ (zem::EditorBase::tooltipDelayMs, 700);
    }

    TEST_F (EditorBaseTest, AboutPanelTextsAndTitles)
    {
        FixtureEditor editor (processor, fixtureSource());
        editor.showAbout();
        auto& panel = *editor.getAboutPanel();

        EXPECT_EQ (panel.nameLabel.getText(), "Fixture");
        EXPECT_EQ (panel.versionLabel.getText(), "Version 0.1.1");
        EXPECT_EQ (panel.taglineLabel.getText(), "Free, from Quillmoor Audio.");
        EXPECT_TRUE (panel.nameLabel.getFont().isBold());
        EXPECT_FLOAT_EQ (panel.nameLabel.getFont().getHeight(), 26.0f);
        EXPECT_EQ (panel.nameLabel.findColour (juce::Label::textColourId), palette::cream);
        EXPECT_EQ (panel.versionLabel.findColour (juce::Label::textColourId), palette::ash);
        EXPECT_EQ (panel.siteButton.getButtonText(), "quillmoor.example");
        EXPECT_EQ (panel.siteButton.getTitle(), "Open quillmoor.example");
        EXPECT_EQ (panel.closeButton.getButtonText(), "Close");
        EXPECT_TRUE (panel.isOpaque());

        auto& badge = editor.getLogoBadge();
        EXPECT_EQ (badge.getTitle(), "Quillmoor Audio");
        EXPECT_EQ (badge.getName(), "Quillmoor Audio");
        EXPECT_EQ (badge.getMouseCursor(), juce::MouseCursor (juce::MouseCursor::PointingHandCursor));
    }

    TEST_F (EditorBaseTest, SiteButtonOpensTheMakersSite)
    {
        FixtureEditor editor (processor, fixtureSource());
        editor.showAbout();
        auto& panel = *editor.getAboutPanel();
        juce::StringArray opened;
        panel.openUrl = [&opened] (const juce::URL& url) { opened.add (url.toString (false)); };

        panel.siteButton.onClick();
        EXPECT_EQ (opened, juce::StringArray ("https://quillmoor.example"));
        EXPECT_TRUE (panel.isVisible());

        panel.openUrl = nullptr;
        panel.siteButton.onClick();
        EXPECT_TRUE (panel.isVisible()) << "no way to open a browser does nothing";
    }

    TEST_F (EditorBaseTest, AboutColumnIsCentred)
    {
        FixtureEditor editor (processor, fixtureSource());
        editor.showAbout();
        auto& panel = *editor.getAboutPanel();

        EXPECT_EQ (panel.nameLabel.getBounds(), juce::Rectangle<int> (130, 197, 300, 38));
        EXPECT_EQ (panel.versionLabel.getBounds(), juce::Rectangle<int> (130, 235, 300, 28));
        EXPECT_EQ (panel.taglineLabel.getBounds(), juce::Rectangle<int> (130, 263, 300, 28));
        EXPECT_EQ (panel.siteButton.getBounds(), juce::Rectangle<int> (130, 303, 300, 28));
        EXPECT_EQ (panel.closeButton.getBounds(), juce::Rectangle<int> (130, 335, 300, 28));

        panel.setSize (200, 100);
        EXPECT_EQ (panel.nameLabel.getBounds(), juce::Rectangle<int> (12, -33, 176, 38));
    }

    TEST_F (EditorBaseTest, TwoEditorsShareOneStoreAndTheLastFreesIt)
    {
        const int before = zem::ArtEntry::decodeCount();
        {
            FixtureEditor first (processor, fixtureSource());
            FixtureEditor second (processor, fixtureSource());
            EXPECT_EQ (first.kit.store, second.kit.store);
            EXPECT_EQ (zem::ArtEntry::decodeCount(), before) << "nothing decoded before painting";

            paintOf (first);
            paintOf (second);
            EXPECT_EQ (zem::ArtEntry::decodeCount(), before + 1) << "the logo is decoded once for both";

            {
                FixtureEditor third (processor, fixtureSource());
                paintOf (third);
            }
            paintOf (first);
            EXPECT_EQ (zem::ArtEntry::decodeCount(), before + 1) << "closing one editor keeps the store";
        }

        FixtureEditor again (processor, fixtureSource());
        paintOf (again);
        EXPECT_EQ (zem::ArtEntry::decodeCount(), before + 2) << "the last editor freed the decoded pictures";
    }

    TEST_F (EditorBaseTest, HeaderPaintStopsShortOfTheBadge)
    {
        FixtureEditor editor (processor, fixtureSource());
        const auto image = paintOf (editor);
        EXPECT_EQ (image.getPixelAt (5, 300), palette::ink);
        EXPECT_EQ (image.getPixelAt (100, 30), palette::slate) << "header rule";
        EXPECT_EQ (image.getPixelAt (515, 30), palette::slate);
        EXPECT_EQ (image.getPixelAt (520, 30), palette::ink) << "rule ends 6 short of the badge";
        EXPECT_TRUE (near (image.getPixelAt (536, 15), palette::accent, 30)) << "logo";

        FixtureEditor bare (processor, zem::ArtSource());
        const auto bareImage = paintOf (bare);
        EXPECT_EQ (bareImage.getPixelAt (545, 30), palette::slate) << "no badge: the rule runs to the margin";
        EXPECT_EQ (bareImage.getPixelAt (536, 15).getARGB(), palette::ink.getARGB());
    }

    TEST_F (EditorBaseTest, PanelPaintAndBackdropVignette)
    {
        bundle.add ("backdrop_png", pngOf (solidImage (8, 8, juce::Colours::red)));
        FixtureEditor editor (processor, panelSource (true, R"("content": [0, 0, 560, 560])"));
        editor.setSize (1120, 560);
        const auto image = paintOf (editor);

        EXPECT_EQ (image.getPixelAt (560, 280), juce::Colours::green) << "panel over the fitted square";
        EXPECT_EQ (image.getPixelAt (270, 280), juce::Colours::red) << "clear inside the content circle";
        const auto corner = image.getPixelAt (2, 2);
        EXPECT_LT (corner.getRed(), 220) << "darkened towards the corners";
        EXPECT_GT (corner.getRed(), 150);
        EXPECT_EQ (corner.getGreen(), 0);
    }

    TEST_F (EditorBaseTest, PanelWithoutBackdropLeavesInkBands)
    {
        FixtureEditor editor (processor, panelSource (true, R"("content": [0, 0, 560, 560])"));
        editor.setSize (1120, 560);
        const auto image = paintOf (editor);
        EXPECT_EQ (image.getPixelAt (100, 280), palette::ink);
        EXPECT_EQ (image.getPixelAt (2, 2), palette::ink);
        EXPECT_EQ (image.getPixelAt (700, 100), juce::Colours::green);
    }

    TEST_F (EditorBaseTest, BadgePaintStates)
    {
        FixtureEditor editor (processor, panelSource (true, R"("logo": [0, 0, 100, 100])"));
        auto& badge = editor.getLogoBadge();
        badge.setBounds (0, 0, 100, 100);

        auto paintBadge = [&badge] (bool highlighted, bool down)
        {
            auto image = canvas (100, 100);
            juce::Graphics g (image);
            badge.paintButton (g, highlighted, down);
            return image;
        };

        const auto plain = paintBadge (false, false);
        EXPECT_TRUE (near (plain.getPixelAt (1, 50), palette::accent, 2));

        const auto pressed = paintBadge (false, true);
        EXPECT_EQ (pressed.getPixelAt (2, 50).getAlpha(), 0) << "shrunk by 4 on every side";
        EXPECT_TRUE (near (pressed.getPixelAt (5, 50), palette::accent, 2));

        const auto hovered = paintBadge (true, false);
        EXPECT_TRUE (near (hovered.getPixelAt (50, 50), palette::accent.overlaidWith (juce::Colours::white.withAlpha (0.08f)), 2));
        EXPECT_TRUE (near (hovered.getPixelAt (1, 1), palette::accent, 1)) << "the wash is elliptical";

        badge.kit = nullptr;
        EXPECT_EQ (paintBadge (true, false).getPixelAt (50, 50).getAlpha(), 0);
    }
}
