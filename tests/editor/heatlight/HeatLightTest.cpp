#include "HeatLight.h"

#include "../../zem/controls/ControlsFixture.h"

using namespace controls_test;

namespace
{
struct HeatLightTest : ::testing::Test
{
    void SetUp() override
    {
        light.setBounds (0, 0, 50, 50);
        light.setVisible (true);
    }

    // Ticks until the lamp stops moving; returns the number of ticks that moved it.
    int settle()
    {
        int moves = 0;
        for (int i = 0; i < 200; ++i)
        {
            const float before = light.getLevel();
            light.timerCallback();
            if (light.getLevel() == before)
                break;
            ++moves;
        }
        return moves;
    }

    // The centre shows the first colour with no effort and the last once settled at full effort.
    void expectCentreGoesFromTo (juce::Colour cold, juce::Colour hot)
    {
        EXPECT_TRUE (near (render (light).getPixelAt (25, 25), cold));
        processor.effort.store (1.0f);
        settle();
        EXPECT_TRUE (near (render (light).getPixelAt (25, 25), hot));
    }

    TorvaneProcessor processor;
    HeatLight light { processor };
};

TEST_F (HeatLightTest, StartsDarkAndPollsAtThirtyHertz)
{
    EXPECT_EQ (light.getLevel(), 0.0f);
    EXPECT_TRUE (light.isTimerRunning());
    EXPECT_EQ (light.getTimerInterval(), 1000 / 30);
    EXPECT_EQ (clickFlags (light), std::make_pair (false, false));
    EXPECT_FALSE (light.isOpaque());
}

TEST_F (HeatLightTest, MovesAFixedShareOfTheWayTowardsEffort)
{
    processor.effort.store (0.5f);
    light.timerCallback();
    EXPECT_NEAR (light.getLevel(), 0.175f, 1e-6);
    light.timerCallback();
    EXPECT_NEAR (light.getLevel(), 0.28875f, 1e-6);

    // The gap shrinks to 0.65 of itself per tick until it is at most 0.001.
    float expected = 0.28875f;
    int expectedMoves = 0;
    while (std::abs (0.5f - expected) > 0.001f)
    {
        expected += (0.5f - expected) * 0.35f;
        ++expectedMoves;
    }
    EXPECT_EQ (settle(), expectedMoves);
    EXPECT_NEAR (light.getLevel(), expected, 1e-5);
    EXPECT_LE (std::abs (0.5f - light.getLevel()), 0.001f);

    light.timerCallback();
    EXPECT_NEAR (light.getLevel(), expected, 1e-5);
}

TEST_F (HeatLightTest, RepaintsOnlyWhileMoving)
{
    auto& repaints = countRepaints (light);
    light.timerCallback();                  // effort 0, level 0: nothing to do
    EXPECT_EQ (repaints.count, 0);

    processor.effort.store (0.5f);
    const int moves = settle();
    EXPECT_EQ (repaints.count, moves);
    for (int i = 0; i < 10; ++i)
        light.timerCallback();
    EXPECT_EQ (repaints.count, moves);
}

TEST_F (HeatLightTest, HiddenLampKeepsItsLevel)
{
    processor.effort.store (1.0f);
    light.timerCallback();
    const float shown = light.getLevel();

    light.setVisible (false);
    for (int i = 0; i < 5; ++i)
        light.timerCallback();
    EXPECT_EQ (light.getLevel(), shown);

    light.setVisible (true);
    light.timerCallback();
    EXPECT_NEAR (light.getLevel(), shown + (1.0f - shown) * 0.35f, 1e-6);
}

TEST_F (HeatLightTest, FallsBackWhenEffortDrops)
{
    processor.effort.store (1.0f);
    settle();
    processor.effort.store (0.0f);
    light.timerCallback();
    EXPECT_LT (light.getLevel(), 0.7f);
    settle();
    EXPECT_LE (light.getLevel(), 0.001f);
}

TEST (HeatLightFrames, NearestFrameTiesToEven)
{
    struct Case { float level; int count; int frame; };
    const Case cases[] = { { 0.5f, 8, 4 }, { 0.0f, 8, 0 }, { 1.0f, 8, 7 }, { 1.0f, 2, 1 }, { 0.0f, 2, 0 }, { 0.25f, 2, 0 },
                           { 0.75f, 2, 1 }, { 1.5f, 8, 7 } };
    for (const auto& c : cases)
        EXPECT_EQ (HeatLight::frameFor (c.level, c.count), c.frame) << c.level << " of " << c.count;
}

// Source-over of a colour onto black at alpha 0.35, computed in the test.
juce::Colour overSocket (float r, float g, float b, float a)
{
    const float socket = 0.35f;
    const float alpha = a + socket * (1.0f - a);
    return juce::Colour::fromFloatRGBA (r * a / alpha, g * a / alpha, b * a / alpha, alpha);
}

TEST_F (HeatLightTest, DrawnLampWithoutArt)
{
    auto image = render (light);
    EXPECT_TRUE (near (image.getPixelAt (25, 25), overSocket (1.0f, 0.7f, 0.2f, 0.15f)));
    // Inside the socket, outside the inner disc (inset 0.18 of 48 on each side).
    EXPECT_NEAR (image.getPixelAt (4, 25).getAlpha(), 89, 2);
    EXPECT_TRUE (near (image.getPixelAt (4, 25), juce::Colours::black.withAlpha (0.35f)));
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);

    processor.effort.store (1.0f);
    settle();
    image = render (light);
    const float l = light.getLevel();
    EXPECT_TRUE (near (image.getPixelAt (25, 25), overSocket (1.0f, 0.45f + 0.25f * (1.0f - l), 0.2f, 0.15f + 0.85f * l)));
    EXPECT_TRUE (near (image.getPixelAt (25, 25), juce::Colour::fromFloatRGBA (1.0f, 0.45f, 0.2f, 1.0f)));
}

TEST_F (HeatLightTest, TinyLampDrawsNothing)
{
    light.setBounds (0, 0, 2, 2);
    const auto image = render (light);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ (image.getPixelAt (x, y).getAlpha(), 0);
}

std::vector<juce::Colour> eightColours()
{
    std::vector<juce::Colour> colours;
    for (int i = 0; i < 8; ++i)
        colours.push_back (juce::Colour ((juce::uint8) (30 * i), (juce::uint8) (200 - 20 * i), 90));
    return colours;
}

TEST_F (HeatLightTest, ArtFilmstripOfEightFramesByDefault)
{
    const auto colours = eightColours();
    ArtFixture art;
    auto& kit = art.picture ("light", strip (colours)).build();
    light.setKit (&kit);

    expectCentreGoesFromTo (colours[0], colours[7]);
    // The strip is stretched over the bounds less one pixel on each side.
    EXPECT_TRUE (near (render (light).getPixelAt (1, 1), colours[7]));
    EXPECT_EQ (render (light).getPixelAt (0, 0).getAlpha(), 0);
}

TEST_F (HeatLightTest, FrameCountBelowTwoCountsAsTwo)
{
    const auto colours = eightColours();
    ArtFixture art;
    auto& kit = art.picture ("light", strip ({ colours[0], colours[7] })).json ("common", R"({"frames":{"light":1}})").build();
    light.setKit (&kit);
    expectCentreGoesFromTo (colours[0], colours[7]);
}

TEST_F (HeatLightTest, UndrawableArtGivesTheDrawnLamp)
{
    ArtFixture art;
    // Four pixels cannot be cut into eight frames.
    auto& kit = art.picture ("light", strip ({ juce::Colours::blue }, 4, 4)).build();
    light.setKit (&kit);
    EXPECT_TRUE (near (render (light).getPixelAt (25, 25), overSocket (1.0f, 0.7f, 0.2f, 0.15f)));
}
}

namespace
{
// Three lamps settled at effort 0, 0.5 and 1 on the toolkit's ground colour.
struct LampRow : juce::Component
{
    LampRow()
    {
        for (auto* p : { &cold, &warm, &hot })
            lights.push_back (std::make_unique<HeatLight> (*p));
        for (size_t i = 0; i < lights.size(); ++i)
        {
            addAndMakeVisible (*lights[i]);
            lights[i]->setBounds (16 + 64 * (int) i, 16, 48, 48);
        }
        warm.effort.store (0.5f);
        hot.effort.store (1.0f);
        for (int tick = 0; tick < 60; ++tick)
            for (auto& l : lights)
                l->timerCallback();
        setSize (208, 80);
    }
    void paint (juce::Graphics& g) override { g.fillAll (zem::palette::ink); }

    TorvaneProcessor cold, warm, hot;
    std::vector<std::unique_ptr<HeatLight>> lights;
};

TEST (HeatLightPicture, BrightensAndReddensWithEffort)
{
    LampRow row;
    for (const float scale : { 1.0f, 2.0f })
    {
        const auto image = renderAt (row, scale);
        keep (image, "heatlight-" + juce::String ((int) scale) + "x.png");
        auto centre = [&] (int i) { return image.getPixelAt (juce::roundToInt ((40.0f + 64.0f * (float) i) * scale), juce::roundToInt (40.0f * scale)); };
        // Brighter with effort, and less green (towards red) as it rises.
        EXPECT_LT (centre (0).getRed(), centre (1).getRed());
        EXPECT_LT (centre (1).getRed(), centre (2).getRed());
        EXPECT_GT ((float) centre (1).getGreen() / (float) centre (1).getRed(),
                   (float) centre (2).getGreen() / (float) centre (2).getRed());
        EXPECT_TRUE (near (centre (2), juce::Colour::fromFloatRGBA (1.0f, 0.45f, 0.2f, 1.0f)));
    }
}
}
