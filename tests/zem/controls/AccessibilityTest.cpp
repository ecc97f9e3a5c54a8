// The controls in a real window (run under a virtual X server): reached from the keyboard,
// announced through the framework's accessibility handlers.
#include "ControlsFixture.h"

using namespace controls_test;

namespace
{
struct Panel : juce::Component
{
    explicit Panel (FixtureProcessor& p)
        : knob (p.store, "level", "Level"), group (p.store, "mode", "Mode")
    {
        selector.addItemList (p.parameter ("mode").getAllValueStrings(), 1);
        selectorAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ComboBoxAttachment> (p.store, "mode", selector);
        for (auto* c : std::initializer_list<juce::Component*> { &knob, &selector, &group, &lamp, &lane, &window, &readout })
            addAndMakeVisible (c);
        readout.setVisible (false);
        setSize (400, 300);
    }

    void resized() override
    {
        knob.setBounds (0, 0, 100, 118);
        selector.setBounds (110, 0, 120, 30);
        group.setBounds (110, 40, 150, 30);
        lamp.setBounds (270, 0, 30, 30);
        lane.setBounds (0, 130, 200, 20);
        window.setBounds (0, 160, 100, 24);
    }

    zem::Knob knob;
    zem::Selector selector { "Mode", 1 };
    std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment> selectorAttachment;
    zem::ButtonGroup group;
    zem::Lamp lamp { "Status" };
    zem::Lane lane { "Meter" };
    zem::ValueWindow window { "Gain" };
    zem::DevReadout readout;
};

struct AccessibilityTest : ::testing::Test
{
    void SetUp() override
    {
        panel = std::make_unique<Panel> (processor);
        panel->setVisible (true);
        panel->addToDesktop (0);
        flush();
    }

    void TearDown() override
    {
        panel.reset();
        pumpMessages();
    }

    void flush()
    {
        pumpMessages();
        if (auto* peer = panel->getPeer())
            peer->performAnyPendingRepaintsNow();
    }

    float value (const char* id) { return processor.plainValue (id); }

    FixtureProcessor processor;
    std::unique_ptr<Panel> panel;
};

TEST_F (AccessibilityTest, KnobAnnouncesTitleAndValueAndTakesValues)
{
    auto* handler = panel->knob.slider.getAccessibilityHandler();
    ASSERT_NE (handler, nullptr);
    EXPECT_EQ (handler->getRole(), juce::AccessibilityRole::slider);
    EXPECT_EQ (handler->getTitle(), "Level");
    ASSERT_NE (handler->getValueInterface(), nullptr);
    EXPECT_EQ (handler->getValueInterface()->getCurrentValueAsString(), "25.0");

    handler->getValueInterface()->setValueAsString ("40");
    EXPECT_NEAR (value ("level"), 40.0f, 1e-4);
    processor.hostSets ("level", 12.5f);
    EXPECT_EQ (handler->getValueInterface()->getCurrentValueAsString(), "12.5");
}

TEST_F (AccessibilityTest, SelectorAnnouncesItsChoice)
{
    auto* handler = panel->selector.getAccessibilityHandler();
    ASSERT_NE (handler, nullptr);
    EXPECT_EQ (handler->getRole(), juce::AccessibilityRole::comboBox);
    // The framework's combo box announces its text as the title; the name goes in the description.
    EXPECT_EQ (handler->getTitle(), "B");
    EXPECT_EQ (handler->getDescription(), "Mode");
    ASSERT_NE (handler->getValueInterface(), nullptr);
    EXPECT_EQ (handler->getValueInterface()->getCurrentValueAsString(), "B");

    // Arrow keys step through the choices like clicks do.
    EXPECT_TRUE (panel->selector.keyPressed (juce::KeyPress (juce::KeyPress::downKey)));
    pumpMessages();
    EXPECT_EQ (value ("mode"), 2.0f);
    EXPECT_EQ (handler->getValueInterface()->getCurrentValueAsString(), "C");
}

TEST_F (AccessibilityTest, ModeZeroPressOpensTheDropDownList)
{
    zem::Selector plain ("Plain", 0);
    plain.addItemList ({ "One", "Two" }, 1);
    plain.setBounds (0, 200, 120, 30);
    panel->addAndMakeVisible (plain);

    plain.mouseDown (mouseEventOn (plain));
    pumpMessages();
    EXPECT_TRUE (plain.isPopupActive());
    EXPECT_TRUE (juce::PopupMenu::dismissAllActiveMenus());
    pumpMessages();
    EXPECT_FALSE (plain.isPopupActive());
    EXPECT_EQ (plain.getSelectedItemIndex(), -1);
}

TEST_F (AccessibilityTest, GroupButtonsAnnounceAndPress)
{
    auto* b = panel->group.getButton (2);
    auto* handler = b->getAccessibilityHandler();
    ASSERT_NE (handler, nullptr);
    EXPECT_EQ (handler->getTitle(), "C");
    EXPECT_EQ (handler->getDescription(), "Mode: C");
    EXPECT_FALSE (handler->getCurrentState().isChecked());
    EXPECT_TRUE (handler->getActions().invoke (juce::AccessibilityActionType::press));
    pumpMessages();
    EXPECT_EQ (value ("mode"), 2.0f);
    EXPECT_TRUE (handler->getCurrentState().isChecked());
}

TEST_F (AccessibilityTest, StaticControlsAnnounceTheirDescriptions)
{
    auto* lamp = panel->lamp.getAccessibilityHandler();
    ASSERT_NE (lamp, nullptr);
    EXPECT_EQ (lamp->getRole(), juce::AccessibilityRole::staticText);
    EXPECT_EQ (lamp->getTitle(), "Status");
    EXPECT_EQ (lamp->getDescription(), "Status: off");
    panel->lamp.setState (2, "ready");
    EXPECT_EQ (lamp->getDescription(), "Status: ready");
    EXPECT_FALSE (lamp->getActions().contains (juce::AccessibilityActionType::press));

    auto* lane = panel->lane.getAccessibilityHandler();
    ASSERT_NE (lane, nullptr);
    EXPECT_EQ (lane->getRole(), juce::AccessibilityRole::staticText);
    panel->lane.setValue (0.3f, "30 %");
    EXPECT_EQ (lane->getDescription(), "Meter: 30 %");

    auto* window = panel->window.getAccessibilityHandler();
    ASSERT_NE (window, nullptr);
    EXPECT_EQ (window->getRole(), juce::AccessibilityRole::staticText);
    panel->window.setText ("-6.0", "minus six");
    EXPECT_EQ (window->getDescription(), "Gain: minus six");

    EXPECT_EQ (panel->readout.getAccessibilityHandler(), nullptr);
}

TEST_F (AccessibilityTest, KeyboardReachesEveryOperableControl)
{
    panel->setFocusContainerType (juce::Component::FocusContainerType::keyboardFocusContainer);
    auto traverser = panel->createKeyboardFocusTraverser();
    const auto reachable = traverser->getAllComponents (panel.get());
    auto reaches = [&] (juce::Component* c) { return std::find (reachable.begin(), reachable.end(), c) != reachable.end(); };

    EXPECT_TRUE (reaches (&panel->knob.slider));
    EXPECT_TRUE (reaches (&panel->selector));
    for (int i = 0; i < panel->group.getNumButtons(); ++i)
        EXPECT_TRUE (reaches (panel->group.getButton (i))) << "button " << i;
    EXPECT_FALSE (reaches (&panel->lamp));
}

// The middle of the ring round the panel's drawn knob, in the panel: the ring is 4 wide
// and ends 5.5 beyond the knob's square.
juce::Point<int> ringTop (Panel& panel)
{
    auto& slider = panel.knob.slider;
    const auto area = slider.getBoundsInParent().translated (panel.knob.getX(), panel.knob.getY());
    const auto knobArea = slider.getLookAndFeel().getSliderLayout (slider).sliderBounds.translated (area.getX(), area.getY())
                              .toFloat().reduced (6.0f);
    const float side = juce::jmin (knobArea.getWidth(), knobArea.getHeight());
    return juce::Point<float> (knobArea.getCentreX(), knobArea.getCentreY() - side / 2.0f - 3.5f).toInt();
}

// A drawn knob (no art) in the toolkit's look: a ring in the accent colour round it while
// it has keyboard focus, gone without.
TEST_F (AccessibilityTest, FocusedDrawnKnobShowsTheAccentRing)
{
    zem::LookAndFeel look;
    panel->setLookAndFeel (&look);
    auto& slider = panel->knob.slider;
    flush();

    const auto top = ringTop (*panel);
    auto pixel = [&] { return render (*panel).getPixelAt (top.x, top.y); };

    const auto without = pixel();
    slider.grabKeyboardFocus();
    flush();
    if (! slider.hasKeyboardFocus (false))
    {
        panel->setLookAndFeel (nullptr);
        GTEST_SKIP() << "the display gave the window no keyboard focus";
    }
    EXPECT_TRUE (near (pixel(), zem::palette::accent, 40)) << pixel().toDisplayString (true);
    EXPECT_FALSE (near (without, zem::palette::accent, 40)) << without.toDisplayString (true);

    panel->selector.grabKeyboardFocus();
    flush();
    EXPECT_EQ (pixel(), without) << "the ring goes with the focus";
    panel->setLookAndFeel (nullptr);
}

// How the knob comes by the keyboard focus, as the window delivers it: a click of the
// mouse on it, a key, Shift-Tab back from the selector, a direct grab, or the window
// losing its focus to another and getting it back.
enum class Act { click, arrowKey, tabBack, grab, windowAway };

struct RingCase
{
    const char* name;
    std::vector<Act> acts;
    bool ring;
};

const RingCase ringCases[] = {
    { "click", { Act::click }, false },
    { "clickThenKey", { Act::click, Act::arrowKey }, true },
    { "tab", { Act::tabBack }, true },
    { "tabThenClick", { Act::tabBack, Act::click }, true },
    { "grab", { Act::grab }, true },
    { "clickThenWindowAway", { Act::click, Act::windowAway }, false },
    { "tabThenWindowAway", { Act::tabBack, Act::windowAway }, true },
    { "clickKeyThenWindowAway", { Act::click, Act::arrowKey, Act::windowAway }, true },
};

struct KnobRing : AccessibilityTest
{
    void SetUp() override
    {
        AccessibilityTest::SetUp();
        // Without its text box (as on art) the knob comes right before the selector in
        // the Tab order.
        panel->knob.slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        panel->setLookAndFeel (&look);
        flush();
    }

    void TearDown() override
    {
        panel->setLookAndFeel (nullptr);
        AccessibilityTest::TearDown();
    }

    void act (Act a)
    {
        auto* peer = panel->getPeer();
        const auto centre = panel->getLocalPoint (&panel->knob.slider, panel->knob.slider.getLocalBounds().getCentre()).toFloat();
        switch (a)
        {
            case Act::click:
                mouse (*peer, centre, juce::ModifierKeys::leftButtonModifier);
                mouse (*peer, centre, {});
                break;
            case Act::arrowKey: peer->handleKeyPress (juce::KeyPress (juce::KeyPress::upKey)); break;
            case Act::tabBack:
                panel->selector.grabKeyboardFocus();
                peer->handleKeyPress (juce::KeyPress (juce::KeyPress::tabKey, juce::ModifierKeys::shiftModifier, 0));
                break;
            case Act::grab: panel->knob.slider.grabKeyboardFocus(); break;
            case Act::windowAway:
                peer->handleFocusLoss();
                peer->handleFocusGain();
                break;
        }
        flush();
    }

    static void mouse (juce::ComponentPeer& peer, juce::Point<float> at, juce::ModifierKeys buttons)
    {
        peer.handleMouseEvent (juce::MouseInputSource::InputSourceType::mouse, at, buttons,
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                               juce::Time::currentTimeMillis());
    }

    bool ringDrawn()
    {
        const auto top = ringTop (*panel);
        return near (render (*panel).getPixelAt (top.x, top.y), zem::palette::accent, 40);
    }

    zem::LookAndFeel look;
};

struct KnobRingTest : KnobRing, ::testing::WithParamInterface<RingCase> {};

// A click gives the knob the focus, so that keys work after it, but shows no ring; Tab, a
// key press and a direct grab show one, and the window's return keeps what was there.
// The ring goes whenever the focus does.
TEST_P (KnobRingTest, RingShowsOnlyForKeyboardFocus)
{
    auto& slider = panel->knob.slider;
    for (auto a : GetParam().acts)
        act (a);
    if (! slider.hasKeyboardFocus (false))
        GTEST_SKIP() << "the display gave the window no keyboard focus";

    EXPECT_EQ (slider.showsFocusRing(), GetParam().ring);
    EXPECT_EQ (ringDrawn(), GetParam().ring);

    panel->selector.grabKeyboardFocus();
    flush();
    EXPECT_FALSE (slider.showsFocusRing());
    EXPECT_FALSE (ringDrawn()) << "the ring goes with the focus";
}

INSTANTIATE_TEST_SUITE_P (Cases, KnobRingTest, ::testing::ValuesIn (ringCases),
                          [] (const auto& info) { return std::string (info.param.name); });

// The first key after a click brings the ring at once: the knob asks to be drawn again. A
// shortcut held with Command is the host's and brings none.
TEST_F (KnobRing, FirstKeyAfterClickRepaintsTheKnob)
{
    auto& slider = panel->knob.slider;
    act (Act::click);
    if (! slider.hasKeyboardFocus (false))
        GTEST_SKIP() << "the display gave the window no keyboard focus";

    auto& repaints = countRepaints (slider);
    EXPECT_FALSE (slider.keyPressed (juce::KeyPress ('z', juce::ModifierKeys::commandModifier, 0)));
    EXPECT_FALSE (slider.showsFocusRing());
    EXPECT_EQ (repaints.count, 0);

    EXPECT_FALSE (slider.keyPressed (juce::KeyPress ('a'))) << "not the knob's key, but a key all the same";
    EXPECT_TRUE (slider.showsFocusRing());
    EXPECT_GE (repaints.count, 1);
}
}
