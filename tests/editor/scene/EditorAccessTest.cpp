// The product's editor from the keyboard, through a screen reader and under a resting
// pointer: focus traversal reaches the knobs and the word buttons, keys sweep the knobs
// in whole gestures with a focus ring showing, their accessibility handlers announce
// title and value and act on them, tooltips show the help texts, and the About panel
// keeps the focus to itself. The framework gives a component its handler (and the window
// its focus) only while it is in a desktop window, so the editor is put on the (virtual)
// desktop.
#include "SceneFixture.h"

#include "../../zem/controls/ControlsFixture.h"

#include <algorithm>

using controls_test::keep;
using controls_test::pumpMessages;

namespace
{
juce::AccessibilityHandler* handlerOf (juce::Component& c)
{
    return c.getAccessibilityHandler();
}

// A key press as the focused component receives it.
bool press (juce::Component& c, int keyCode)
{
    return c.keyPressed (juce::KeyPress (keyCode));
}

class EditorAccess : public SceneTest
{
protected:
    void SetUp() override
    {
        SceneTest::SetUp();
        editor->addToDesktop (0);
        editor->setVisible (true);
        pumpMessages();
    }

    std::vector<juce::Component*> reachable()
    {
        editor->setFocusContainerType (juce::Component::FocusContainerType::keyboardFocusContainer);
        return editor->createKeyboardFocusTraverser()->getAllComponents (editor.get());
    }

    static bool contains (const std::vector<juce::Component*>& list, juce::Component* c)
    {
        return std::find (list.begin(), list.end(), c) != list.end();
    }

    // Every component a screen reader can reach from a handler, walking its children.
    static std::vector<juce::Component*> reachableFrom (juce::AccessibilityHandler* handler)
    {
        std::vector<juce::Component*> found;
        std::vector<juce::AccessibilityHandler*> open { handler };
        while (! open.empty())
        {
            auto* h = open.back();
            open.pop_back();
            for (auto* child : h->getChildren())
            {
                found.push_back (&child->getComponent());
                open.push_back (child);
            }
        }
        return found;
    }

    float raw (const char* id) { return processor.apvts.getRawParameterValue (id)->load(); }

    // Gives a component the keyboard focus as a click or Tab would; false when the display
    // gives the window no focus at all.
    bool focus (juce::Component& c)
    {
        c.grabKeyboardFocus();
        pumpMessages();
        return c.hasKeyboardFocus (false);
    }

    // A key as the window receives it: to the focused component, then up its parents, with
    // Tab moving the focus when nobody takes it.
    bool type (const juce::KeyPress& key)
    {
        const bool used = editor->getPeer()->handleKeyPress (key);
        pumpMessages();
        return used;
    }

    // The editor as the window shows it.
    juce::Image paintOf()
    {
        return editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
    }

    // Runs the message loop, timers included, for a while.
    static void runFor (double ms)
    {
        const auto end = juce::Time::getMillisecondCounterHiRes() + ms;
        while (juce::Time::getMillisecondCounterHiRes() < end)
        {
            pumpMessages();
            juce::Thread::sleep (5);
        }
    }
};

// What the host hears from the processor: gestures and values of one parameter, in order.
struct HostLog : juce::AudioProcessorListener
{
    HostLog (juce::AudioProcessor& p, int index) : processor (p), parameterIndex (index) { processor.addListener (this); }
    ~HostLog() override { processor.removeListener (this); }

    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float) override { note (index, "value"); }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int index) override { note (index, "begin"); }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int index) override { note (index, "end"); }

    void note (int index, const char* what)
    {
        if (index == parameterIndex)
            events.add (what);
    }

    juce::AudioProcessor& processor;
    int parameterIndex;
    juce::StringArray events;
};

TEST_F (EditorAccess, KeyboardTraversalReachesKnobsAndWords)
{
    ASSERT_TRUE (editor->hasPageArt());
    const auto list = reachable();
    EXPECT_TRUE (contains (list, &editor->driveKnob.slider));
    EXPECT_TRUE (contains (list, &editor->blendKnob.slider));
    for (auto& button : editor->wordButtons)
        EXPECT_TRUE (contains (list, &button)) << button.getName();
    EXPECT_FALSE (contains (list, &editor->pageSelector)) << "the selector is not shown with the scene";

    // Tab from the first control walks through every one of them in turn.
    auto traverser = editor->createKeyboardFocusTraverser();
    std::vector<juce::Component*> walked;
    for (auto* c = traverser->getDefaultComponent (editor.get()); c != nullptr && walked.size() < 32;
         c = traverser->getNextComponent (c))
        walked.push_back (c);
    EXPECT_EQ (walked, list);
}

TEST_F (EditorAccess, KnobsAnnounceTitleAndValueAndTakeValues)
{
    struct KnobCase
    {
        zem::Knob* knob;
        const char* id;
        const char* title;
        const char* initial;
    };
    const KnobCase cases[] = { { &editor->driveKnob, "drive", "Drive", "0.0" },
                               { &editor->blendKnob, "blend", "Blend", "100.0" } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.title);
        auto* handler = handlerOf (c.knob->slider);
        ASSERT_NE (handler, nullptr);
        EXPECT_EQ (handler->getRole(), juce::AccessibilityRole::slider);
        EXPECT_EQ (handler->getTitle(), c.title);
        auto* value = handler->getValueInterface();
        ASSERT_NE (value, nullptr);
        EXPECT_EQ (value->getCurrentValueAsString(), c.initial);

        value->setValueAsString ("37.5");
        EXPECT_FLOAT_EQ (raw (c.id), 37.5f) << "a screen reader's value reaches the parameter";
        setParameter (c.id, 12.0f);
        EXPECT_EQ (value->getCurrentValueAsString(), "12.0");
    }
}

// Keys typed into the window reach the focused knob: each press moves it by its step and
// is one complete gesture for the host.
TEST_F (EditorAccess, KeysSweepTheKnobsOneGestureAPress)
{
    struct Press
    {
        int keyCode;
        int modifiers;
        float expected;
    };
    const Press presses[] = {
        { juce::KeyPress::upKey, 0, 51.0f },
        { juce::KeyPress::rightKey, 0, 52.0f },
        { juce::KeyPress::downKey, juce::ModifierKeys::shiftModifier, 51.9f },
        { juce::KeyPress::pageUpKey, 0, 61.9f },
        { juce::KeyPress::pageDownKey, 0, 51.9f },
        { juce::KeyPress::endKey, 0, 100.0f },
        { juce::KeyPress::homeKey, 0, 0.0f },
        { juce::KeyPress::leftKey, juce::ModifierKeys::shiftModifier, 0.0f },
    };
    for (auto* knob : { &editor->driveKnob, &editor->blendKnob })
    {
        auto& slider = knob->slider;
        SCOPED_TRACE (slider.getTitle().toStdString());
        const char* id = knob == &editor->driveKnob ? "drive" : "blend";
        setParameter (id, 50.0f);
        if (! focus (slider))
            GTEST_SKIP() << "the display gave the window no keyboard focus";

        HostLog host (processor, processor.apvts.getParameter (id)->getParameterIndex());
        for (const auto& p : presses)
        {
            host.events.clear();
            const float before = raw (id);
            EXPECT_TRUE (type (juce::KeyPress (p.keyCode, juce::ModifierKeys (p.modifiers), 0)));
            EXPECT_NEAR (raw (id), p.expected, 1e-3) << "key " << p.keyCode;
            const juce::StringArray oneGesture { "begin", "value", "end" };
            // Shift-left at 0 moves nothing and tells the host nothing.
            EXPECT_EQ (host.events, std::abs (before - p.expected) < 1e-4f ? juce::StringArray() : oneGesture)
                << "key " << p.keyCode << ": " << host.events.joinIntoString (" ");
        }

        auto* value = slider.getAccessibilityHandler()->getValueInterface();
        EXPECT_DOUBLE_EQ (value->getRange().getInterval(), 1.0) << "a screen reader steps as the arrows do";
    }
}

// While a knob has keyboard focus a ring in the accent colour runs round it, on the
// drawing's own knob pictures and at every size of the window; it goes when the focus does.
TEST_F (EditorAccess, FocusedKnobShowsTheAccentRing)
{
    for (int side : { 560, 1120, 1680 })
    {
        editor->setSize (side, side);
        pumpMessages();
        for (auto* knob : { &editor->driveKnob, &editor->blendKnob })
        {
            auto& slider = knob->slider;
            SCOPED_TRACE (slider.getTitle().toStdString() + " at " + std::to_string (side));
            // The middle of the ring's top: the knob's square lies 6 inside the slider, and
            // the ring, 4 wide per content scale, ends 5.5 beyond it.
            const auto bounds = slider.getBounds().translated (knob->getX(), knob->getY());
            const auto area = bounds.toFloat().reduced (6.0f);
            const float square = juce::jmin (area.getWidth(), area.getHeight());
            const float ring = 5.5f - 2.0f * (float) side / 560.0f;
            const auto top = juce::Point<float> (area.getCentreX(), area.getCentreY() - square / 2.0f - ring).toInt();

            ASSERT_TRUE (focus (editor->wordButtons[0]));
            const auto without = paintOf();
            if (! focus (slider))
                GTEST_SKIP() << "the display gave the window no keyboard focus";
            const auto with = paintOf();
            EXPECT_TRUE (near (with.getPixelAt (top.x, top.y), zem::palette::accent, 40))
                << with.getPixelAt (top.x, top.y).toDisplayString (true);
            EXPECT_FALSE (near (without.getPixelAt (top.x, top.y), zem::palette::accent, 40))
                << without.getPixelAt (top.x, top.y).toDisplayString (true);
            const auto crop = bounds.expanded (bounds.getWidth() / 4);
            keep (with.getClippedImage (crop), "focus-" + slider.getTitle() + "-" + juce::String (side) + ".png");
            keep (without.getClippedImage (crop), "nofocus-" + slider.getTitle() + "-" + juce::String (side) + ".png");

            ASSERT_TRUE (focus (editor->wordButtons[0]));
            EXPECT_EQ (paintOf().getPixelAt (top.x, top.y), without.getPixelAt (top.x, top.y))
                << "the ring goes with the focus";
        }
    }
}

TEST_F (EditorAccess, WordButtonsAnnounceTheirCharacterAndWhichIsOn)
{
    setParameter ("page", 1.0f);
    const char* const titles[] = { "Rare", "Medium", "Well" };
    for (int j = 0; j < 3; ++j)
    {
        auto* handler = handlerOf (editor->wordButtons[(size_t) j]);
        ASSERT_NE (handler, nullptr);
        EXPECT_EQ (handler->getTitle(), titles[j]);
        EXPECT_TRUE (handler->getDescription().startsWith (juce::String (titles[j]) + ": ")) << handler->getDescription();
        EXPECT_EQ (handler->getRole(), juce::AccessibilityRole::radioButton);
        EXPECT_TRUE (handler->getCurrentState().isCheckable()) << titles[j];
        EXPECT_EQ (handler->getCurrentState().isChecked(), j == 1) << titles[j];
        ASSERT_NE (handler->getValueInterface(), nullptr);
        EXPECT_EQ (handler->getValueInterface()->getCurrentValueAsString(), j == 1 ? "On" : "Off");
        EXPECT_TRUE (handler->getActions().contains (juce::AccessibilityActionType::press));
    }

    // Pressing Well through its handler selects that character.
    auto* well = handlerOf (editor->wordButtons[2]);
    EXPECT_TRUE (well->getActions().invoke (juce::AccessibilityActionType::press));
    pumpMessages();
    EXPECT_EQ (raw ("page"), 2.0f);
    EXPECT_TRUE (well->getCurrentState().isChecked());

    // A screen reader may toggle a radio button instead of pressing it: that selects too.
    auto* rare = handlerOf (editor->wordButtons[0]);
    EXPECT_TRUE (rare->getActions().invoke (juce::AccessibilityActionType::toggle));
    pumpMessages();
    EXPECT_EQ (raw ("page"), 0.0f);
    EXPECT_TRUE (rare->getCurrentState().isChecked());
    EXPECT_FALSE (well->getCurrentState().isChecked());
}

TEST_F (EditorAccess, ReturnKeyPressesAWordButton)
{
    auto& medium = editor->wordButtons[1];
    EXPECT_TRUE (medium.getWantsKeyboardFocus());
    EXPECT_TRUE (press (medium, juce::KeyPress::returnKey));
    pumpMessages();
    EXPECT_EQ (raw ("page"), 1.0f);
}
// Resting the pointer on a control shows its help text after the usual delay.
TEST_F (EditorAccess, TooltipShowsTheHelpTextOfTheControlUnderThePointer)
{
    auto* tips = editor->getTooltipWindow();
    ASSERT_NE (tips, nullptr) << "the editor in a window has its tooltip window";
    // Tips show only while the plug-in's window is the active one.
    if (! focus (editor->wordButtons[0]))
        GTEST_SKIP() << "the display gave the window no keyboard focus";
    runFor (50);
    EXPECT_EQ (tips->getParentComponent(), editor.get());

    auto& drive = editor->driveKnob.slider;
    auto& blend = editor->blendKnob.slider;
    EXPECT_EQ (tips->getTipFor (drive), drive.getHelpText());
    EXPECT_TRUE (tips->getTipFor (blend).startsWith ("How much of the driven signal you keep."));
    for (auto& button : editor->wordButtons)
        EXPECT_EQ (tips->getTipFor (button), button.getDescription()) << button.getName();

    // The pointer comes to rest on the Blend knob, as the window hears of it.
    const auto centre = editor->getLocalPoint (&blend, blend.getLocalBounds().getCentre()).toFloat();
    juce::Desktop::getInstance().setMousePosition (blend.getScreenBounds().getCentre());
    editor->getPeer()->handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, centre, {},
                                         juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                                         juce::Time::currentTimeMillis());
    runFor (200);
    if (juce::Desktop::getInstance().getMainMouseSource().getComponentUnderMouse() != &blend)
        GTEST_SKIP() << "the display moved no pointer into the window";
    const auto rested = juce::Time::getMillisecondCounterHiRes() - 200;
    EXPECT_FALSE (tips->isVisible()) << "not at once";

    const auto end = juce::Time::getMillisecondCounterHiRes() + 5000;
    while (! tips->isVisible() && juce::Time::getMillisecondCounterHiRes() < end)
        runFor (20);
    ASSERT_TRUE (tips->isVisible());
    EXPECT_GE (juce::Time::getMillisecondCounterHiRes() - rested, zem::EditorBase::tooltipDelayMs - 150);
    EXPECT_TRUE (editor->getLocalBounds().contains (tips->getBounds())) << "inside the editor";
    EXPECT_EQ (tips->getBounds(), editor->getLookAndFeel().getTooltipBounds (blend.getHelpText(),
                                                                               editor->getMouseXYRelative(),
                                                                               editor->getLocalBounds()))
        << "sized for the Blend help text";
    keep (paintOf().getClippedImage (tips->getBounds().getUnion (blend.getBoundsInParent()).expanded (20)), "tooltip-blend.png");
}

// The About panel keeps Tab among its own two buttons, hides the controls under it from
// screen readers, and Escape closes it with the focus back on the badge.
TEST_F (EditorAccess, AboutPanelHoldsTheFocusUntilEscape)
{
    auto& badge = editor->getLogoBadge();
    ASSERT_TRUE (badge.isShowing());
    if (! focus (badge))
        GTEST_SKIP() << "the display gave the window no keyboard focus";
    EXPECT_TRUE (type (juce::KeyPress (juce::KeyPress::returnKey)));
    auto* panel = editor->getAboutPanel();
    ASSERT_NE (panel, nullptr);
    ASSERT_TRUE (panel->isShowing());
    keep (paintOf(), "about.png");

    // Tab and Shift-Tab go round the link and Close only.
    EXPECT_TRUE (panel->siteButton.hasKeyboardFocus (false));
    const juce::KeyPress tab (juce::KeyPress::tabKey), backTab (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0);
    std::vector<juce::Component*> walked;
    for (int i = 0; i < 4; ++i)
    {
        type (tab);
        walked.push_back (juce::Component::getCurrentlyFocusedComponent());
    }
    const std::vector<juce::Component*> round { &panel->closeButton, &panel->siteButton, &panel->closeButton,
                                                &panel->siteButton };
    EXPECT_EQ (walked, round);
    type (backTab);
    EXPECT_TRUE (panel->closeButton.hasKeyboardFocus (false));

    // An arrow key turns nothing hidden under the panel.
    const float drive = raw ("drive");
    type (juce::KeyPress (juce::KeyPress::upKey));
    EXPECT_EQ (raw ("drive"), drive);

    // A screen reader finds only the panel's own controls.
    auto* root = editor->getAccessibilityHandler();
    ASSERT_NE (root, nullptr);
    std::vector<juce::Component*> hidden { &editor->driveKnob.slider, &editor->blendKnob.slider, &badge };
    for (auto& button : editor->wordButtons)
        hidden.push_back (&button);
    for (auto* c : hidden)
    {
        EXPECT_EQ (c->getAccessibilityHandler(), nullptr) << c->getTitle();
        EXPECT_FALSE (contains (reachableFrom (root), c)) << c->getTitle();
    }
    EXPECT_TRUE (contains (reachableFrom (root), &panel->closeButton));

    // Escape closes it like Close, and the badge has the focus again.
    EXPECT_TRUE (type (juce::KeyPress (juce::KeyPress::escapeKey)));
    EXPECT_FALSE (panel->isVisible());
    EXPECT_TRUE (badge.hasKeyboardFocus (false));
    for (auto* c : hidden)
        EXPECT_NE (c->getAccessibilityHandler(), nullptr) << c->getTitle() << " is back for screen readers";
    EXPECT_TRUE (contains (reachableFrom (root), &editor->driveKnob.slider));

    // Close by a click does the same.
    badge.onClick();
    ASSERT_TRUE (panel->isVisible());
    panel->closeButton.onClick();
    EXPECT_FALSE (panel->isVisible());
    EXPECT_TRUE (badge.hasKeyboardFocus (false));
}
} // namespace
