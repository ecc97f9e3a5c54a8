#include "ControlsFixture.h"

using namespace controls_test;

namespace
{
// Counts what a host sees of one parameter: gestures and value changes.
struct HostView : juce::AudioProcessorParameter::Listener
{
    void parameterValueChanged (int, float) override { ++values; }
    void parameterGestureChanged (int, bool starting) override { ++(starting ? begins : ends); }
    int values = 0, begins = 0, ends = 0;
};

struct ButtonGroupTest : ::testing::Test
{
    void SetUp() override
    {
        processor.parameter ("mode").addListener (&host);
    }
    void TearDown() override { processor.parameter ("mode").removeListener (&host); }

    std::vector<bool> states() const
    {
        std::vector<bool> s;
        for (int i = 0; i < group.getNumButtons(); ++i)
            s.push_back (group.getButton (i)->getToggleState());
        return s;
    }

    float mode() { return processor.plainValue ("mode"); }

    void click (int index)
    {
        group.getButton (index)->triggerClick();
        pumpMessages();
    }

    FixtureProcessor processor;
    HostView host;
    zem::ButtonGroup group { processor.store, "mode", "Mode" };
};

TEST_F (ButtonGroupTest, OneButtonPerChoiceWithTheCurrentOneOn)
{
    ASSERT_EQ (group.getNumButtons(), 3);
    const char* names[] = { "A", "B", "C" };
    for (int i = 0; i < 3; ++i)
    {
        auto* b = group.getButton (i);
        EXPECT_EQ (b->getButtonText(), names[i]);
        EXPECT_EQ (b->getTitle(), names[i]);
        EXPECT_EQ (b->getDescription(), juce::String ("Mode: ") + names[i]);
        EXPECT_TRUE (b->getClickingTogglesState());
        EXPECT_TRUE (b->getWantsKeyboardFocus());
    }
    EXPECT_EQ (states(), (std::vector<bool> { false, true, false }));
    EXPECT_EQ (group.getTitle(), "Mode");
    EXPECT_TRUE (group.isFocusContainer());
}

TEST_F (ButtonGroupTest, EdgesConnectNeighbours)
{
    EXPECT_EQ (group.getButton (0)->getConnectedEdgeFlags(), juce::Button::ConnectedOnRight);
    EXPECT_EQ (group.getButton (1)->getConnectedEdgeFlags(), juce::Button::ConnectedOnRight | juce::Button::ConnectedOnLeft);
    EXPECT_EQ (group.getButton (2)->getConnectedEdgeFlags(), juce::Button::ConnectedOnLeft);
}

TEST_F (ButtonGroupTest, ClickSetsTheParameterAsOneCompleteGesture)
{
    click (2);
    EXPECT_EQ (mode(), 2.0f);
    EXPECT_EQ (host.begins, 1);
    EXPECT_EQ (host.ends, 1);
    EXPECT_EQ (host.values, 1);
    EXPECT_EQ (states(), (std::vector<bool> { false, false, true }));
}

TEST_F (ButtonGroupTest, ClickOnTheButtonAlreadyOnChangesNothing)
{
    click (1);
    EXPECT_EQ (mode(), 1.0f);
    EXPECT_EQ (host.begins + host.ends + host.values, 0);
    EXPECT_TRUE (group.getButton (1)->getToggleState());
}

TEST_F (ButtonGroupTest, KeyboardReturnClicksTheFocusedButton)
{
    EXPECT_TRUE (static_cast<juce::Component*> (group.getButton (0))->keyPressed (juce::KeyPress (juce::KeyPress::returnKey)));
    pumpMessages();
    EXPECT_EQ (mode(), 0.0f);
}

TEST_F (ButtonGroupTest, FollowsHostAutomation)
{
    processor.hostSets ("mode", 2.0f);
    EXPECT_EQ (states(), (std::vector<bool> { false, false, true }));
    processor.hostSets ("mode", 0.0f);
    EXPECT_EQ (states(), (std::vector<bool> { true, false, false }));
}

TEST_F (ButtonGroupTest, FollowsUndoOfTheStoredValue)
{
    auto node = processor.store.state.getChildWithProperty ("id", "mode");
    ASSERT_TRUE (node.isValid());
    processor.undo.beginNewTransaction();
    node.setProperty ("value", 2.0f, &processor.undo);
    EXPECT_EQ (states(), (std::vector<bool> { false, false, true }));

    processor.undo.undo();
    EXPECT_EQ (mode(), 1.0f);
    EXPECT_EQ (states(), (std::vector<bool> { false, true, false }));
}

TEST_F (ButtonGroupTest, FollowsARestoredState)
{
    auto saved = processor.store.copyState();
    saved.getChildWithProperty ("id", "mode").setProperty ("value", 0.0f, nullptr);
    processor.store.replaceState (saved);
    EXPECT_EQ (mode(), 0.0f);
    EXPECT_EQ (states(), (std::vector<bool> { true, false, false }));
}

struct ShowCase
{
    float value;
    std::vector<bool> on;
};

TEST_F (ButtonGroupTest, ShowValueRoundsHalvesToEven)
{
    const ShowCase cases[] = {
        { 0.5f, { true, false, false } },  { 1.5f, { false, false, true } }, { 2.5f, { false, false, true } },
        { -1.0f, { false, false, false } }, { 3.0f, { false, false, false } }, { 1.0f, { false, true, false } },
    };
    for (const auto& c : cases)
    {
        group.showValue (c.value);
        EXPECT_EQ (states(), c.on) << "value " << c.value;
    }
}

TEST_F (ButtonGroupTest, RadioIdsAreTakenOncePerGroup)
{
    const int before = zem::nextRadioGroupId();
    zem::ButtonGroup first (processor.store, "mode", "First");
    zem::ButtonGroup missing (processor.store, "absent", "Missing");
    zem::ButtonGroup second (processor.store, "mode", "Second");
    const int after = zem::nextRadioGroupId();

    EXPECT_EQ (first.getButton (0)->getRadioGroupId(), before + 1);
    EXPECT_EQ (first.getButton (2)->getRadioGroupId(), before + 1);
    EXPECT_EQ (second.getButton (0)->getRadioGroupId(), before + 2);
    EXPECT_EQ (after, before + 3);
    EXPECT_EQ (missing.getNumButtons(), 0);
    missing.setBounds (0, 0, 50, 50);   // an empty group lays out nothing
}

TEST_F (ButtonGroupTest, FirstIdOfTheProcess)
{
    // Ids start at 39680 for the first group of the process and only grow.
    EXPECT_GE (group.getButton (0)->getRadioGroupId(), 39680);
}

struct LayoutCase
{
    const char* name;
    int width, height;
    bool vertical;
    std::vector<juce::Rectangle<int>> cells;
};

const LayoutCase layoutCases[] = {
    { "narrowRow", 10, 5, false, { { 0, 0, 3, 5 }, { 3, 0, 3, 5 }, { 6, 0, 4, 5 } } },
    { "tallStacks", 30, 40, false, { { 0, 0, 30, 13 }, { 0, 13, 30, 13 }, { 0, 26, 30, 14 } } },
    { "squareRow", 30, 30, false, { { 0, 0, 10, 30 }, { 10, 0, 10, 30 }, { 20, 0, 10, 30 } } },
    { "verticalWhenAsked", 90, 30, true, { { 0, 0, 90, 10 }, { 0, 10, 90, 10 }, { 0, 20, 90, 10 } } },
};

struct ButtonGroupLayoutTest : ButtonGroupTest, ::testing::WithParamInterface<LayoutCase> {};

TEST_P (ButtonGroupLayoutTest, CellsShareTheRemainder)
{
    const auto& c = GetParam();
    group.setVertical (c.vertical);
    group.setBounds (0, 0, c.width, c.height);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ (group.getButton (i)->getBounds(), c.cells[(size_t) i]) << "button " << i;
}

INSTANTIATE_TEST_SUITE_P (Cases, ButtonGroupLayoutTest, ::testing::ValuesIn (layoutCases),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST_F (ButtonGroupTest, HelpTextAndArtReachEveryButton)
{
    ArtFixture art;
    auto& kit = art.picture ("button", strip ({ juce::Colours::red, juce::Colours::green })).build();
    group.setHelpText ("Pick one.");
    group.setArt (&kit);
    group.setBounds (0, 0, 90, 30);
    EXPECT_EQ (group.getHelpText(), "Pick one.");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ (group.getButton (i)->getHelpText(), "Pick one.");

    // Button 1 is on: its frame is the "on" frame.
    const auto image = render (group);
    EXPECT_TRUE (near (image.getPixelAt (2, 2), juce::Colours::red));
    EXPECT_TRUE (near (image.getPixelAt (32, 2), juce::Colours::green));
}

// The art button alone.

struct FrameCase
{
    int count;
    bool on, highlighted;
    int frame;
};

TEST (ArtButtonFrames, ChosenByStateAndStripLength)
{
    const FrameCase cases[] = {
        { 2, false, false, 0 }, { 2, true, false, 1 }, { 2, false, true, 0 }, { 2, true, true, 1 },
        { 3, false, false, 0 }, { 3, false, true, 2 }, { 3, true, true, 1 }, { 3, true, false, 1 },
        { 1, true, false, 0 },  { 1, false, true, 0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ (zem::ArtButton::backgroundFrame (c.count, c.on, c.highlighted), c.frame)
            << c.count << " frames, on " << c.on << ", highlighted " << c.highlighted;
}

struct ArtButtonTest : ::testing::Test
{
    void SetUp() override
    {
        button.setBounds (0, 0, 200, 100);
    }

    juce::Image paintButton (bool highlighted, bool down)
    {
        juce::Image image (juce::Image::ARGB, button.getWidth(), button.getHeight(), true);
        juce::Graphics g (image);
        button.paintButton (g, highlighted, down);
        return image;
    }

    static int countNear (const juce::Image& image, juce::Colour colour)
    {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                n += near (image.getPixelAt (x, y), colour, 10) ? 1 : 0;
        return n;
    }

    ArtFixture art;
    zem::ArtButton button { "Go" };
};

TEST_F (ArtButtonTest, PaintsTheFrameOfItsState)
{
    auto& kit = art.picture ("button", strip ({ juce::Colours::red, juce::Colours::green, juce::Colours::blue }))
                    .json ("common", R"({"frames":{"button":3}})")
                    .build();
    button.setArt (&kit);

    EXPECT_TRUE (near (paintButton (false, false).getPixelAt (2, 2), juce::Colours::red));
    EXPECT_TRUE (near (paintButton (false, true).getPixelAt (2, 2), juce::Colours::green));
    EXPECT_TRUE (near (paintButton (true, false).getPixelAt (2, 2), juce::Colours::blue));
    button.setToggleState (true, juce::dontSendNotification);
    EXPECT_TRUE (near (paintButton (true, false).getPixelAt (2, 2), juce::Colours::green));
}

TEST_F (ArtButtonTest, TextIsCreamWhenOffEvenPressedAndInkWhenOn)
{
    auto& kit = art.picture ("button", strip ({ juce::Colours::red, juce::Colours::green })).build();
    button.setArt (&kit);
    button.setWordFrame (1, 2);   // no "words" art: the text is drawn instead

    const auto pressed = paintButton (false, true);
    EXPECT_GT (countNear (pressed, zem::palette::cream), 0);
    EXPECT_EQ (countNear (pressed, zem::palette::ink), 0);

    button.setToggleState (true, juce::dontSendNotification);
    const auto on = paintButton (false, false);
    EXPECT_GT (countNear (on, zem::palette::ink), 0);
    EXPECT_EQ (countNear (on, zem::palette::cream), 0);
}

TEST_F (ArtButtonTest, WordFrameCoversTheText)
{
    auto& kit = art.picture ("button", strip ({ juce::Colours::red, juce::Colours::green }))
                    .picture ("words", strip ({ juce::Colours::yellow, juce::Colours::cyan }))
                    .build();
    button.setArt (&kit);
    button.setWordFrame (1, 2);
    const auto image = paintButton (false, false);
    EXPECT_TRUE (near (image.getPixelAt (2, 2), juce::Colours::cyan));
    EXPECT_EQ (countNear (image, zem::palette::cream), 0);
}

TEST_F (ArtButtonTest, WithoutArtPaintsAsATextButton)
{
    ArtFixture empty;
    button.setArt (&empty.build());
    const auto image = paintButton (false, false);
    // The framework's text button with the default look: something is drawn, none of it red.
    EXPECT_EQ (countNear (image, juce::Colours::red), 0);
    EXPECT_GT (image.getPixelAt (100, 50).getAlpha(), 0);
    EXPECT_EQ (button.getTitle(), "Go");
    EXPECT_EQ (button.getDescription(), "Go");
}
}
