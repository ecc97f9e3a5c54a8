#include "ControlsFixture.h"

using namespace controls_test;

namespace
{
constexpr double pi = 3.14159265358979323846;

// A rotary range computed independently: degrees to radians, raised by whole turns until
// the start is not negative.
std::pair<double, double> expectedRange (double startDegrees, double endDegrees)
{
    double start = startDegrees * pi / 180.0;
    double end = std::max (endDegrees * pi / 180.0, start);
    while (start < 0.0)
    {
        start += 2.0 * pi;
        end += 2.0 * pi;
    }
    return { start, end };
}

struct KnobTest : ::testing::Test
{

    zem::ArtKit& kitWith (bool withPanel, const juce::String& common = R"({"knob":{"startDegrees":-150,"endDegrees":150}})")
    {
        art.picture ("knob", strip ({ juce::Colours::red })).json ("common", common);
        if (withPanel)
            art.picture ("panel", strip ({ juce::Colours::grey }));
        return art.build();
    }

    FixtureProcessor processor;
    ArtFixture art;
    zem::Knob knob { processor.store, "level", "Level" };
};

struct RangeCase
{
    const char* name;
    const char* common;
    const char* product;   // the product's file, or null
    bool changes;          // false: the slider keeps its previous angles
    double startDegrees, endDegrees;
};

const RangeCase rangeCases[] = {
    { "commonFile", R"({"knob":{"startDegrees":-150,"endDegrees":150}})", nullptr, true, -150, 150 },
    { "raisedTwice", R"({"knob":{"startDegrees":-400,"endDegrees":-100}})", nullptr, true, -400, -100 },
    { "positive", R"({"knob":{"startDegrees":0,"endDegrees":270}})", nullptr, true, 0, 270 },
    { "productWins", R"({"knob":{"startDegrees":-150,"endDegrees":150}})", R"({"knob":{"startDegrees":30,"endDegrees":90}})", true, 30, 90 },
    { "endBelowStart", R"({"knob":{"startDegrees":100,"endDegrees":50}})", nullptr, false, 0, 0 },
    { "startAlone", R"({"knob":{"startDegrees":-150}})", nullptr, false, 0, 0 },
    { "noKeys", R"({"frames":{"lamp":3}})", nullptr, false, 0, 0 },
};

struct RotaryRangeTest : KnobTest, ::testing::WithParamInterface<RangeCase> {};

TEST_P (RotaryRangeTest, TakesTheRangeFromTheLayoutDocuments)
{
    const auto& c = GetParam();
    art.picture ("knob", strip ({ juce::Colours::red })).json ("common", c.common);
    if (c.product != nullptr)
        art.json ("art", c.product);
    auto& kit = art.build();

    const auto before = knob.slider.getRotaryParameters();
    knob.setArt (&kit, "knob");
    const auto after = knob.slider.getRotaryParameters();

    if (c.changes)
    {
        const auto [start, end] = expectedRange (c.startDegrees, c.endDegrees);
        EXPECT_NEAR (after.startAngleRadians, start, 1e-5);
        EXPECT_NEAR (after.endAngleRadians, end, 1e-5);
    }
    else
    {
        EXPECT_FLOAT_EQ (after.startAngleRadians, before.startAngleRadians);
        EXPECT_FLOAT_EQ (after.endAngleRadians, before.endAngleRadians);
    }
    EXPECT_TRUE (after.stopAtEnd);
}

INSTANTIATE_TEST_SUITE_P (Cases, RotaryRangeTest, ::testing::ValuesIn (rangeCases),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST_F (KnobTest, CommonFileGivesTheDocumentedRadians)
{
    knob.setArt (&kitWith (false), "knob");
    EXPECT_NEAR (knob.slider.getRotaryParameters().startAngleRadians, 3.6651917, 1e-6);
    EXPECT_NEAR (knob.slider.getRotaryParameters().endAngleRadians, 8.901179, 1e-6);
}

TEST_F (KnobTest, DrawnKnobHasLabelAndTextBoxBelow)
{
    knob.setArt (nullptr, "knob");
    knob.setBounds (0, 0, 100, 118);
    EXPECT_FALSE (knob.hasArt());
    EXPECT_TRUE (knob.label.isVisible());
    EXPECT_EQ (knob.slider.getTextBoxPosition(), juce::Slider::TextBoxBelow);
    EXPECT_EQ (knob.slider.getTextBoxWidth(), 72);
    EXPECT_EQ (knob.slider.getTextBoxHeight(), 18);
    EXPECT_EQ (knob.label.getBounds(), juce::Rectangle<int> (0, 0, 100, 18));
    EXPECT_EQ (knob.slider.getBounds(), juce::Rectangle<int> (0, 18, 100, 100));
}

TEST_F (KnobTest, ArtKnobOnPanelArtFillsTheKnob)
{
    knob.setArt (&kitWith (true), "knob");
    knob.setBounds (0, 0, 80, 90);
    EXPECT_TRUE (knob.hasArt());
    EXPECT_FALSE (knob.label.isVisible());
    EXPECT_EQ (knob.slider.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ (knob.slider.getBounds(), knob.getLocalBounds());
}

TEST_F (KnobTest, ArtKnobWithoutPanelArtKeepsItsLabelStrip)
{
    knob.setArt (&kitWith (false), "knob");
    knob.setBounds (0, 0, 100, 118);
    EXPECT_TRUE (knob.label.isVisible());
    EXPECT_EQ (knob.slider.getTextBoxPosition(), juce::Slider::NoTextBox);
    EXPECT_EQ (knob.label.getBounds(), juce::Rectangle<int> (0, 0, 100, 18));
    EXPECT_EQ (knob.slider.getBounds(), juce::Rectangle<int> (0, 18, 100, 100));
    // The readout: 62 % by 24 % of the slider's area, centred and moved down by 22 %.
    EXPECT_EQ (knob.readout.getBounds(), juce::Rectangle<int> (19, 18 + 38 + 22, 62, 24));
}

TEST_F (KnobTest, TenPixelKnobGivesEverythingToTheLabel)
{
    knob.setArt (&kitWith (false), "knob");
    knob.setBounds (0, 0, 40, 10);
    EXPECT_EQ (knob.label.getHeight(), 10);
    EXPECT_EQ (knob.slider.getHeight(), 0);
    EXPECT_EQ (knob.readout.getHeight(), 0);
}

TEST_F (KnobTest, HidingTheLabelRelaysTheKnob)
{
    knob.setBounds (0, 0, 60, 60);
    knob.setLabelVisible (false);
    EXPECT_EQ (knob.slider.getBounds(), knob.getLocalBounds());
}

TEST_F (KnobTest, ArtNameMissingFromTheStoreGivesADrawnKnob)
{
    auto& kit = kitWith (true);
    knob.setArt (&kit, "blend");
    EXPECT_EQ (knob.slider.getProperties()["zemKnobArt"].toString(), "blend");
    EXPECT_FALSE (knob.hasArt());
    EXPECT_TRUE (knob.label.isVisible());
    EXPECT_EQ (knob.slider.getTextBoxPosition(), juce::Slider::TextBoxBelow);
}

TEST_F (KnobTest, HoverReadoutOnlyOnArtKnobs)
{
    knob.setShowValueOnHover (true);
    EXPECT_FALSE (knob.isReadoutActive());

    knob.setArt (&kitWith (false), "knob");
    EXPECT_TRUE (knob.isReadoutActive());

    knob.setShowValueOnHover (false);
    EXPECT_FALSE (knob.isReadoutActive());
    knob.setArt (art.kit.get(), "knob");
    EXPECT_FALSE (knob.isReadoutActive());
}

TEST_F (KnobTest, ReadoutShowsOnEnterAndHidesOnExit)
{
    knob.setArt (&kitWith (false), "knob");
    knob.setBounds (0, 0, 100, 118);

    knob.mouseEnter (mouseEventOn (knob.slider));
    EXPECT_TRUE (knob.readout.isVisible());
    EXPECT_EQ (knob.readout.getText(), "25.0");
    EXPECT_EQ (knob.readout.getDescription(), "Level: 25.0");

    knob.mouseExit (mouseEventOn (knob.slider));
    EXPECT_FALSE (knob.readout.isVisible());
}

TEST_F (KnobTest, ReadoutFollowsHostChanges)
{
    knob.setArt (&kitWith (false), "knob");
    processor.hostSets ("level", 42.3f);
    EXPECT_NEAR (knob.slider.getValue(), 42.3, 1e-4);
    EXPECT_EQ (knob.readout.getText(), "42.3");
    EXPECT_EQ (knob.readout.getDescription(), "Level: 42.3");
}

TEST_F (KnobTest, SameReadoutTextRepaintsNothing)
{
    knob.setArt (&kitWith (false), "knob");
    auto& repaints = countRepaints (knob.readout);
    processor.hostSets ("level", 42.3f);
    const int once = repaints.count;
    EXPECT_GE (once, 1);
    knob.updateReadout();
    knob.updateReadout();
    EXPECT_EQ (repaints.count, once);
    processor.hostSets ("level", 42.4f);
    EXPECT_GT (repaints.count, once);
    EXPECT_EQ (knob.readout.getDescription(), "Level: 42.4");
}

TEST_F (KnobTest, InactiveReadoutKeepsItsLastText)
{
    knob.setArt (&kitWith (false), "knob");
    processor.hostSets ("level", 10.0f);
    knob.setShowValueOnHover (false);
    processor.hostSets ("level", 20.0f);
    EXPECT_EQ (knob.readout.getText(), "10.0");
    knob.mouseEnter (mouseEventOn (knob.slider));
    EXPECT_FALSE (knob.readout.isVisible());
}

TEST_F (KnobTest, SliderAndParameterStayInStep)
{
    EXPECT_NEAR (knob.slider.getValue(), 25.0, 1e-6);
    EXPECT_EQ (knob.slider.getMaximum(), 100.0);

    knob.slider.setValue (60.0, juce::sendNotificationSync);
    EXPECT_NEAR (processor.plainValue ("level"), 60.0f, 1e-4);

    processor.hostSets ("level", 75.5f);
    EXPECT_NEAR (knob.slider.getValue(), 75.5, 1e-4);
}

// What the parameter tells its listeners, in order: "begin", "value", "end".
struct GestureLog : juce::AudioProcessorParameter::Listener
{
    explicit GestureLog (juce::AudioProcessorParameter& p) : parameter (p) { parameter.addListener (this); }
    ~GestureLog() override { parameter.removeListener (this); }

    void parameterValueChanged (int, float) override { events.add ("value"); }
    void parameterGestureChanged (int, bool starting) override { events.add (starting ? "begin" : "end"); }

    juce::AudioProcessorParameter& parameter;
    juce::StringArray events;
};

struct KeyCase
{
    const char* name;
    int keyCode;
    int modifiers;
    float from, to;
    bool handled;
};

// On a range of 0 to 100 in steps of 0.1: arrows by 1 % (1.0), with Shift by the step,
// pages by 10 %, Home and End to the ends; keys with other modifiers are left alone.
const KeyCase keyCases[] = {
    { "upByOnePercent", juce::KeyPress::upKey, 0, 25.0f, 26.0f, true },
    { "rightByOnePercent", juce::KeyPress::rightKey, 0, 25.0f, 26.0f, true },
    { "downByOnePercent", juce::KeyPress::downKey, 0, 25.0f, 24.0f, true },
    { "leftByOnePercent", juce::KeyPress::leftKey, 0, 25.0f, 24.0f, true },
    { "shiftUpByTheStep", juce::KeyPress::upKey, juce::ModifierKeys::shiftModifier, 25.0f, 25.1f, true },
    { "shiftLeftByTheStep", juce::KeyPress::leftKey, juce::ModifierKeys::shiftModifier, 25.0f, 24.9f, true },
    { "pageUpByTenPercent", juce::KeyPress::pageUpKey, 0, 25.0f, 35.0f, true },
    { "pageDownByTenPercent", juce::KeyPress::pageDownKey, 0, 25.0f, 15.0f, true },
    { "homeToTheStart", juce::KeyPress::homeKey, 0, 25.0f, 0.0f, true },
    { "endToTheEnd", juce::KeyPress::endKey, 0, 25.0f, 100.0f, true },
    { "upStopsAtTheEnd", juce::KeyPress::upKey, 0, 99.5f, 100.0f, true },
    { "pageDownStopsAtTheStart", juce::KeyPress::pageDownKey, 0, 4.0f, 0.0f, true },
    { "ctrlUpIsTheHosts", juce::KeyPress::upKey, juce::ModifierKeys::ctrlModifier, 25.0f, 25.0f, false },
    { "altHomeIsTheHosts", juce::KeyPress::homeKey, juce::ModifierKeys::altModifier, 25.0f, 25.0f, false },
    { "shiftPageUpIsTheHosts", juce::KeyPress::pageUpKey, juce::ModifierKeys::shiftModifier, 25.0f, 25.0f, false },
    { "letterIsNotTheKnobs", 'a', 0, 25.0f, 25.0f, false },
};

struct KnobKeyTest : KnobTest, ::testing::WithParamInterface<KeyCase> {};

TEST_P (KnobKeyTest, KeyMovesTheKnobAsOneGesture)
{
    const auto& c = GetParam();
    processor.hostSets ("level", c.from);
    GestureLog log (processor.parameter ("level"));

    EXPECT_EQ (knob.slider.keyPressed (juce::KeyPress (c.keyCode, juce::ModifierKeys (c.modifiers), 0)), c.handled);
    EXPECT_NEAR (processor.plainValue ("level"), c.to, 1e-4);
    const juce::StringArray oneGesture { "begin", "value", "end" };
    EXPECT_EQ (log.events, c.handled ? oneGesture : juce::StringArray()) << log.events.joinIntoString (" ");
}

INSTANTIATE_TEST_SUITE_P (Cases, KnobKeyTest, ::testing::ValuesIn (keyCases),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST_F (KnobTest, KeyAtTheEndSendsNoGesture)
{
    processor.hostSets ("level", 100.0f);
    GestureLog log (processor.parameter ("level"));
    EXPECT_TRUE (knob.slider.keyPressed (juce::KeyPress (juce::KeyPress::endKey)));
    EXPECT_TRUE (knob.slider.keyPressed (juce::KeyPress (juce::KeyPress::upKey)));
    EXPECT_TRUE (log.events.isEmpty()) << log.events.joinIntoString (" ");
}

TEST_F (KnobTest, AccessibilityStepsLikeTheArrows)
{
    EXPECT_TRUE (knob.slider.getWantsKeyboardFocus());
    auto handler = knob.slider.createAccessibilityHandler();
    ASSERT_NE (handler, nullptr);
    EXPECT_EQ (handler->getRole(), juce::AccessibilityRole::slider);
    auto* value = handler->getValueInterface();
    ASSERT_NE (value, nullptr);
    EXPECT_DOUBLE_EQ (value->getRange().getInterval(), knob.slider.arrowStep());
    EXPECT_DOUBLE_EQ (value->getRange().getInterval(), 1.0);
    EXPECT_EQ (value->getRange().getMinimumValue(), 0.0);
    EXPECT_EQ (value->getRange().getMaximumValue(), 100.0);
    EXPECT_EQ (value->getCurrentValueAsString(), "25.0");

    // A screen reader's value is one gesture too.
    GestureLog log (processor.parameter ("level"));
    value->setValueAsString ("40");
    EXPECT_NEAR (processor.plainValue ("level"), 40.0f, 1e-4);
    EXPECT_EQ (log.events, juce::StringArray ({ "begin", "value", "end" }));

    knob.slider.setTooltip ("Turn me.");
    EXPECT_EQ (handler->getHelp(), "Turn me.");
}

TEST_F (KnobTest, DragUpTurnsTheKnobAsOneGesture)
{
    knob.setBounds (0, 0, 100, 118);
    auto& s = knob.slider;
    GestureLog log (processor.parameter ("level"));
    s.mouseDown (mouseEventOn (s));
    s.mouseDrag (mouseEventOn (s, juce::ModifierKeys::leftButtonModifier, { 0.0f, -40.0f }, true));
    s.mouseUp (mouseEventOn (s, {}, { 0.0f, -40.0f }, true));

    EXPECT_GT (processor.plainValue ("level"), 25.0f);
    EXPECT_NEAR (s.getValue(), processor.plainValue ("level"), 1e-4);
    EXPECT_EQ (log.events.indexOf ("begin"), 0) << log.events.joinIntoString (" ");
    EXPECT_EQ (log.events.indexOf ("end"), log.events.size() - 1);
    log.events.removeString ("value");
    EXPECT_EQ (log.events, juce::StringArray ({ "begin", "end" })) << "one gesture";
}

// What a user does to the knob, in the order of a case's steps: the mouse goes down, moves
// 20 pixels further up with each drag, and comes up; an arrow key or a screen reader asks
// for a new value at any point between.
enum class Step { press, drag, release, arrowUp, screenReaderSets };

struct GestureCase
{
    const char* name;
    std::vector<Step> steps;
    int gestures;   // the complete begin/end pairs the host sees
};

const GestureCase gestureCases[] = {
    { "dragOnly", { Step::press, Step::drag, Step::drag, Step::release }, 1 },
    { "keyDuringDrag", { Step::press, Step::drag, Step::arrowUp, Step::drag, Step::release }, 1 },
    { "keysRightAfterPress", { Step::press, Step::arrowUp, Step::arrowUp, Step::drag, Step::release }, 1 },
    { "keyAfterDrag", { Step::press, Step::drag, Step::release, Step::arrowUp }, 2 },
    { "keysAlone", { Step::arrowUp, Step::arrowUp }, 2 },
    { "screenReaderDuringDrag", { Step::press, Step::drag, Step::screenReaderSets, Step::drag, Step::release }, 1 },
    { "screenReaderAfterDrag", { Step::press, Step::drag, Step::release, Step::screenReaderSets }, 2 },
};

struct KnobGestureTest : KnobTest, ::testing::WithParamInterface<GestureCase> {};

// While the mouse holds the knob's gesture open, keys and a screen reader move nothing and
// open no gesture of their own; the drag goes on turning the knob. Outside a drag each of
// them is a gesture of its own. The host sees whole gestures, one after another.
TEST_P (KnobGestureTest, HostSeesWholeGesturesOneAfterAnother)
{
    knob.setBounds (0, 0, 100, 118);
    auto& s = knob.slider;
    auto handler = s.createAccessibilityHandler();
    GestureLog log (processor.parameter ("level"));
    bool down = false;
    float up = 0.0f;

    for (auto step : GetParam().steps)
    {
        const float before = processor.plainValue ("level");
        const float asked = step == Step::arrowUp ? before + 1.0f : before + 10.0f;
        SCOPED_TRACE (log.events.joinIntoString (" ").toStdString());
        switch (step)
        {
            case Step::press:
                s.mouseDown (mouseEventOn (s));
                down = true;
                break;
            case Step::drag:
                up += 20.0f;
                s.mouseDrag (mouseEventOn (s, juce::ModifierKeys::leftButtonModifier, { 0.0f, -up }, true));
                break;
            case Step::release:
                s.mouseUp (mouseEventOn (s, {}, { 0.0f, -up }, true));
                down = false;
                break;
            case Step::arrowUp:
                EXPECT_TRUE (s.keyPressed (juce::KeyPress (juce::KeyPress::upKey))) << "the key is the knob's";
                break;
            case Step::screenReaderSets:
                handler->getValueInterface()->setValue (asked);
                break;
        }

        const float after = processor.plainValue ("level");
        if (step == Step::drag)
            EXPECT_GT (after, before) << "the drag turns the knob";
        else if (step == Step::arrowUp || step == Step::screenReaderSets)
            EXPECT_NEAR (after, down ? before : asked, 1e-3) << (down ? "ignored during the drag" : "a gesture of its own");
    }

    EXPECT_FALSE (s.isGestureOpen());
    log.events.removeString ("value");
    juce::StringArray whole;
    for (int i = 0; i < GetParam().gestures; ++i)
        whole.addArray ({ "begin", "end" });
    EXPECT_EQ (log.events, whole) << log.events.joinIntoString (" ");
}

INSTANTIATE_TEST_SUITE_P (Cases, KnobGestureTest, ::testing::ValuesIn (gestureCases),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST_F (KnobTest, MissingParameterLeavesTheSliderUnbound)
{
    zem::Knob loose (processor.store, "absent", "Loose");
    loose.slider.setValue (5.0, juce::sendNotificationSync);
    EXPECT_EQ (loose.slider.getValue(), 5.0);
    EXPECT_EQ (loose.label.getText(), "Loose");
}

TEST_F (KnobTest, TitlesNameTheControl)
{
    EXPECT_EQ (knob.slider.getTitle(), "Level");
    EXPECT_EQ (knob.slider.getDescription(), "Level");
    EXPECT_EQ (knob.readout.getTitle(), "Level");
    EXPECT_EQ (knob.label.getText(), "Level");
    EXPECT_FALSE (knob.readout.isVisible());
}
}
