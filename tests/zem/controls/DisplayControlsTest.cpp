#include "ControlsFixture.h"

#include <cmath>
#include <limits>

using namespace controls_test;

namespace
{
struct DisplayTest : ::testing::Test
{
    ArtFixture art;
};

// Lamp

struct LampCase
{
    int state;
    int frame;
    juce::Colour colour;
    bool halo;
};

TEST_F (DisplayTest, LampDrawsTheColourAndHaloOfItsState)
{
    const LampCase cases[] = {
        { 0, 0, zem::palette::slate, false }, { 1, 1, zem::palette::amber, true },  { 2, 2, zem::palette::green, true },
        { 3, 3, zem::palette::accent, true }, { 7, 3, zem::palette::accent, true }, { -1, 3, zem::palette::accent, true },
    };
    for (const auto& c : cases)
    {
        zem::Lamp lamp ("Status");
        lamp.setBounds (0, 0, 50, 50);
        lamp.setState (c.state, {});
        EXPECT_EQ (zem::Lamp::frameFor (c.state), c.frame);

        const auto image = render (lamp);
        EXPECT_TRUE (near (image.getPixelAt (25, 25), c.colour)) << "state " << c.state;
        // Between the disc (radius 19 about the centre) and the halo's edge (radius 26).
        const auto haloPixel = image.getPixelAt (2, 25);
        if (c.halo)
            EXPECT_NEAR (haloPixel.getAlpha(), 64, 4) << "state " << c.state;
        else
            EXPECT_EQ (haloPixel.getAlpha(), 0) << "state " << c.state;
    }
}

TEST_F (DisplayTest, LampDescriptionCarriesTheStateText)
{
    zem::Lamp lamp ("Status");
    EXPECT_EQ (lamp.getTitle(), "Status");
    EXPECT_EQ (lamp.getDescription(), "Status: off");
    EXPECT_EQ (clickFlags (lamp), std::make_pair (false, false));

    lamp.setState (1, {});
    EXPECT_EQ (lamp.getState(), 1);
    EXPECT_EQ (lamp.getDescription(), "Status: off");

    lamp.setState (2, "ready");
    EXPECT_EQ (lamp.getDescription(), "Status: ready");
}

TEST_F (DisplayTest, LampRepaintsOnlyOnAChange)
{
    zem::Lamp lamp ("Status");
    auto& repaints = countRepaints (lamp);
    lamp.setState (0, {});                 // already off, already "Status: off"
    EXPECT_EQ (repaints.count, 0);
    lamp.setState (1, "warm");
    EXPECT_EQ (repaints.count, 1);
    lamp.setState (1, "warm");
    EXPECT_EQ (repaints.count, 1);
    lamp.setState (1, "hot");
    EXPECT_EQ (repaints.count, 2);
    lamp.setState (2, "hot");
    EXPECT_EQ (repaints.count, 3);
}

TEST_F (DisplayTest, LaneRepaintsOnlyOnAVisibleMove)
{
    zem::Lane lane ("Lane");
    auto& repaints = countRepaints (lane);
    lane.setValue (0.001f, {});
    EXPECT_EQ (repaints.count, 0);
    lane.setValue (0.5f, {});
    EXPECT_EQ (repaints.count, 1);
    lane.setValue (0.5f, "half");
    EXPECT_EQ (repaints.count, 2);
}

struct LampArtCase
{
    const char* name;
    const char* common;
    int frames;   // frames in the picture
    int state;
    int expectedFrame;
};

TEST_F (DisplayTest, LampArtShowsTheFrameOfItsState)
{
    const std::vector<juce::Colour> colours { juce::Colours::red, juce::Colours::green, juce::Colours::blue,
                                              juce::Colours::yellow };
    const LampArtCase cases[] = {
        { "fourFrames", R"({"frames":{"lamp":4}})", 4, 3, 3 },
        { "twoFramesStateThree", R"({"frames":{"lamp":2}})", 2, 3, 1 },
        { "defaultThreeFrames", R"({})", 3, 7, 2 },
        { "offIsFirst", R"({})", 3, 0, 0 },
    };
    for (const auto& c : cases)
    {
        ArtFixture lampArt;
        auto& kit = lampArt.picture ("lamp", strip ({ colours.begin(), colours.begin() + c.frames }))
                        .json ("common", c.common)
                        .build();
        zem::Lamp lamp ("Status");
        lamp.setBounds (0, 0, 20, 20);
        lamp.setArt (&kit);
        lamp.setState (c.state, "on");
        const auto image = render (lamp);
        EXPECT_TRUE (near (image.getPixelAt (1, 1), colours[(size_t) c.expectedFrame])) << c.name;
        EXPECT_TRUE (near (image.getPixelAt (18, 18), colours[(size_t) c.expectedFrame])) << c.name;
    }
}

// Lane

TEST_F (DisplayTest, LaneStartsEmptyFromTheLeft)
{
    zem::Lane lane ("Lane");
    EXPECT_EQ (lane.getTitle(), "Lane");
    EXPECT_EQ (lane.getValue(), 0.0f);
    EXPECT_EQ (clickFlags (lane), std::make_pair (true, false));
    for (int i = 0; i < zem::Lane::maxMarkers; ++i)
        EXPECT_FALSE (lane.getMarker (i).shown);
}

TEST_F (DisplayTest, LaneValueIsClampedAndSmallMovesNeedAText)
{
    zem::Lane lane ("Lane");
    lane.setValue (-0.5f, {});
    EXPECT_EQ (lane.getValue(), 0.0f);
    lane.setValue (1.5f, {});
    EXPECT_EQ (lane.getValue(), 1.0f);

    lane.setValue (0.5f, {});
    lane.setValue (0.5005f, {});
    EXPECT_EQ (lane.getValue(), 0.5f);
    EXPECT_TRUE (lane.getDescription().isEmpty());

    lane.setValue (0.5005f, "half");
    EXPECT_EQ (lane.getValue(), 0.5005f);
    EXPECT_EQ (lane.getDescription(), "Lane: half");

    lane.setValue (0.9f, {});
    EXPECT_EQ (lane.getDescription(), "Lane: half");   // an empty text keeps the description
}

// Values and marker positions outside 0 to 1, including ones that are not numbers,
// come out within it; a value that is not a number counts as 0.
TEST_F (DisplayTest, LaneClampsValuesAndPositionsToTheUnitRange)
{
    struct ClampCase
    {
        const char* name;
        float in, out;
    };
    const float inf = std::numeric_limits<float>::infinity();
    const ClampCase cases[] = {
        { "notANumber", std::numeric_limits<float>::quiet_NaN(), 0.0f },
        { "minusInfinity", -inf, 0.0f },
        { "plusInfinity", inf, 1.0f },
        { "below", -0.5f, 0.0f },
        { "above", 1.5f, 1.0f },
        { "inside", 0.25f, 0.25f },
    };
    for (const auto& c : cases)
    {
        zem::Lane lane ("Lane");
        lane.setBounds (0, 0, 100, 10);
        lane.setValue (0.7f, {});
        lane.setValue (c.in, "moved");
        EXPECT_EQ (lane.getValue(), c.out) << c.name;
        lane.setMarker (0, c.in, juce::Colours::white, {});
        EXPECT_EQ (lane.getMarker (0).position, c.out) << c.name;

        const auto bar = lane.barArea (zem::Lane::innerArea (lane.getLocalBounds().toFloat()));
        EXPECT_TRUE (std::isfinite (bar.getWidth())) << c.name;
    }
}

TEST_F (DisplayTest, LaneInnerAreaAndBar)
{
    const auto inner = zem::Lane::innerArea ({ 0.0f, 0.0f, 100.0f, 10.0f });
    EXPECT_FLOAT_EQ (inner.getX(), 2.2f);
    EXPECT_FLOAT_EQ (inner.getY(), 2.2f);
    EXPECT_FLOAT_EQ (inner.getWidth(), 95.6f);
    EXPECT_FLOAT_EQ (inner.getHeight(), 5.6f);

    zem::Lane lane ("Lane");
    lane.setValue (0.5f, {});
    EXPECT_NEAR (lane.barArea (inner).getWidth(), 47.8f, 1e-4);
    EXPECT_FLOAT_EQ (lane.barArea (inner).getX(), 2.2f);

    lane.setBipolar (true);
    EXPECT_FLOAT_EQ (lane.barArea (inner).getWidth(), 0.0f);

    lane.setValue (0.25f, {});
    const auto bar = lane.barArea ({ 0.0f, 0.0f, 100.0f, 4.0f });
    EXPECT_FLOAT_EQ (bar.getX(), 25.0f);
    EXPECT_FLOAT_EQ (bar.getRight(), 50.0f);

    lane.setValue (0.75f, {});
    const auto right = lane.barArea ({ 0.0f, 0.0f, 100.0f, 4.0f });
    EXPECT_FLOAT_EQ (right.getX(), 50.0f);
    EXPECT_FLOAT_EQ (right.getRight(), 75.0f);
}

TEST_F (DisplayTest, LanePaintsItsBarFromTheLeftOrTheCentre)
{
    zem::Lane lane ("Lane");
    lane.setBounds (0, 0, 100, 20);   // inner area x 4.4 .. 95.6, y 4.4 .. 15.6
    lane.setValue (0.25f, {});
    auto image = render (lane);
    EXPECT_TRUE (near (image.getPixelAt (10, 10), zem::palette::accent));
    EXPECT_TRUE (near (image.getPixelAt (40, 10), zem::palette::ink.darker (0.4f)));

    lane.setBipolar (true);
    image = render (lane);
    EXPECT_TRUE (near (image.getPixelAt (10, 10), zem::palette::ink.darker (0.4f)));
    EXPECT_TRUE (near (image.getPixelAt (40, 10), zem::palette::accent));
    EXPECT_TRUE (near (image.getPixelAt (60, 10), zem::palette::ink.darker (0.4f)));
}

TEST_F (DisplayTest, LaneMarkersSpanTheFullHeight)
{
    zem::Lane lane ("Lane");
    lane.setBounds (0, 0, 100, 20);
    lane.setMarker (4, 0.5f, juce::Colours::white, "ignored");
    lane.setMarker (-1, 0.5f, juce::Colours::white, "ignored");
    for (int i = 0; i < zem::Lane::maxMarkers; ++i)
        EXPECT_FALSE (lane.getMarker (i).shown);

    lane.setMarker (0, 1.5f, juce::Colours::white, "end");
    EXPECT_EQ (lane.getMarker (0).position, 1.0f);
    EXPECT_EQ (lane.getMarker (0).label, "end");

    // Position 1: a 2-pixel line centred on the inner right edge (95.6), over the box too.
    const auto image = render (lane);
    EXPECT_TRUE (near (image.getPixelAt (95, 0), juce::Colours::white, 90));
    EXPECT_TRUE (near (image.getPixelAt (95, 10), juce::Colours::white, 90));
    EXPECT_TRUE (near (image.getPixelAt (95, 19), juce::Colours::white, 90));

    lane.clearMarkers();
    EXPECT_FALSE (lane.getMarker (0).shown);
    EXPECT_EQ (lane.getMarker (0).colour, juce::Colours::transparentBlack);
    EXPECT_TRUE (lane.getMarker (0).label.isEmpty());
}

TEST_F (DisplayTest, LaneTooNarrowDrawsOnlyItsBox)
{
    zem::Lane lane ("Lane");
    lane.setBounds (0, 0, 10, 30);
    lane.setValue (1.0f, {});
    lane.setMarker (0, 0.5f, juce::Colours::white, {});
    const auto image = render (lane);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 10; ++x)
        {
            EXPECT_FALSE (near (image.getPixelAt (x, y), zem::palette::accent, 20));
            EXPECT_FALSE (near (image.getPixelAt (x, y), juce::Colours::white, 20));
        }
}

TEST_F (DisplayTest, LaneUsesTheBezelPicture)
{
    auto& kit = art.picture ("bezel", strip ({ juce::Colours::blue })).build();
    zem::Lane lane ("Lane");
    lane.setBounds (0, 0, 100, 20);
    lane.setArt (&kit);
    lane.setBarColour (juce::Colours::red);
    lane.setValue (0.5f, {});
    const auto image = render (lane);
    EXPECT_TRUE (near (image.getPixelAt (1, 1), juce::Colours::blue));
    EXPECT_TRUE (near (image.getPixelAt (10, 10), juce::Colours::red));
}

// Development readout

TEST_F (DisplayTest, DevReadoutStaysHiddenAndSilent)
{
    zem::DevReadout readout;
    EXPECT_FALSE (readout.isVisible());
    EXPECT_FALSE (readout.isAccessible());
    EXPECT_TRUE (readout.getText().isEmpty());
    EXPECT_EQ (clickFlags (readout), std::make_pair (false, false));

    readout.setBounds (0, 0, 10, 10);
    juce::Image image (juce::Image::ARGB, 10, 10, true);
    juce::Graphics g (image);
    readout.paint (g);
    EXPECT_EQ (image.getPixelAt (5, 5).getAlpha(), 0);
}
}
