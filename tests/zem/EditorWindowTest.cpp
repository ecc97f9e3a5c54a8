// The toolkit's editor in a real window on an X display: opened, resized, painted
// through its window, given keyboard focus and closed.

#include "FixtureEditor.h"
#include "TestBundle.h"
#include "TestImages.h"

#include <gtest/gtest.h>

namespace
{
    class EditorWindowTest : public ::testing::Test
    {
    protected:
        FixtureProcessor processor;
        std::unique_ptr<FixtureEditor> editor = std::make_unique<FixtureEditor> (processor, fixtureSource());

        void SetUp() override
        {
            editor->addToDesktop (juce::ComponentPeer::windowHasTitleBar | juce::ComponentPeer::windowIsResizable);
            editor->setVisible (true);
        }

        void TearDown() override
        {
            if (editor != nullptr)
                editor->removeFromDesktop();
        }

        void paintThroughWindow()
        {
            editor->repaint();
            ASSERT_NE (editor->getPeer(), nullptr);
            editor->getPeer()->performAnyPendingRepaintsNow();
        }
    };

    TEST_F (EditorWindowTest, OpensResizesAndCloses)
    {
        ASSERT_NE (editor->getPeer(), nullptr);
        EXPECT_TRUE (editor->isShowing());
        paintThroughWindow();

        editor->setSize (1120, 560);
        paintThroughWindow();
        EXPECT_EQ (editor->fittedArea(), juce::Rectangle<int> (280, 0, 560, 560));
        EXPECT_EQ (editor->lastContent, juce::Rectangle<int> (292, 42, 536, 506));

        editor->setSize (1200, 1200);
        paintThroughWindow();
        EXPECT_FLOAT_EQ (editor->kit.contentScale, 1200.0f / 560.0f);

        editor->removeFromDesktop();
        editor.reset();
    }

    TEST_F (EditorWindowTest, AboutPanelInTheWindow)
    {
        editor->showAbout();
        paintThroughWindow();
        ASSERT_NE (editor->getAboutPanel(), nullptr);
        EXPECT_TRUE (editor->getAboutPanel()->isShowing());

        editor->getAboutPanel()->closeButton.onClick();
        paintThroughWindow();
        EXPECT_FALSE (editor->getAboutPanel()->isShowing());
    }

    // In a window the editor has its tooltip window, inside itself and above every child,
    // and it goes with the editor.
    TEST_F (EditorWindowTest, TooltipWindowComesWithTheWindow)
    {
        auto* tips = editor->getTooltipWindow();
        ASSERT_NE (tips, nullptr);
        EXPECT_EQ (tips->getParentComponent(), editor.get());
        EXPECT_TRUE (tips->isAlwaysOnTop());
        EXPECT_FALSE (tips->isVisible());

        editor->showAbout();
        paintThroughWindow();
        EXPECT_GT (editor->getIndexOfChildComponent (tips), editor->getIndexOfChildComponent (editor->getAboutPanel()))
            << "a tip shows over the About panel too";

        juce::Component::SafePointer<juce::Component> watch (tips);
        editor->removeFromDesktop();
        editor->addToDesktop (0);
        EXPECT_EQ (editor->getTooltipWindow(), tips) << "one for the editor's life";
        editor->removeFromDesktop();
        editor.reset();
        EXPECT_EQ (watch.getComponent(), nullptr);
    }

    TEST_F (EditorWindowTest, FocusedBadgeDrawsTheAccentRing)
    {
        auto& badge = editor->getLogoBadge();
        auto paintBadge = [&badge]
        {
            auto image = canvas (40, 40);
            juce::Graphics g (image);
            badge.setBounds (0, 0, 40, 40);
            badge.paintButton (g, false, false);
            return image;
        };

        EXPECT_FALSE (near (paintBadge().getPixelAt (20, 1), zem::palette::accent, 40)) << "no ring without focus";
        badge.grabKeyboardFocus();

        if (! badge.hasKeyboardFocus (false))
            GTEST_SKIP() << "the display gave the window no keyboard focus";

        // The ring runs one pixel inside the badge's edge, over the logo's own rim.
        EXPECT_TRUE (near (paintBadge().getPixelAt (20, 1), zem::palette::accent, 40));
    }
}
