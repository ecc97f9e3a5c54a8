// The product's editor from the keyboard and through a screen reader: focus traversal
// reaches the knobs and the word buttons, and their accessibility handlers announce
// title and value and act on them. The framework gives a component its handler only
// while it is in a desktop window, so the editor is put on the (virtual) desktop.
#include "SceneFixture.h"

#include "../../zem/controls/ControlsFixture.h"

#include <algorithm>

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

    float raw (const char* id) { return processor.apvts.getRawParameterValue (id)->load(); }
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

TEST_F (EditorAccess, ArrowKeysTurnTheDriveKnob)
{
    auto& slider = editor->driveKnob.slider;
    EXPECT_TRUE (slider.getWantsKeyboardFocus());
    setParameter ("drive", 50.0f);
    EXPECT_TRUE (press (slider, juce::KeyPress::upKey));
    EXPECT_GT (raw ("drive"), 50.0f);
    EXPECT_TRUE (press (slider, juce::KeyPress::downKey));
    EXPECT_TRUE (press (slider, juce::KeyPress::downKey));
    EXPECT_LT (raw ("drive"), 50.0f);
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
} // namespace
