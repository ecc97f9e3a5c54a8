#include "ControlsFixture.h"

using namespace controls_test;

namespace
{
struct ValueWindowTest : ::testing::Test
{
    void SetUp() override
    {
        window.setBounds (0, 0, 80, 20);
    }

    ArtFixture art;
    zem::ValueWindow window { "Gain" };
};

TEST_F (ValueWindowTest, StartsEmptyAndTitled)
{
    EXPECT_EQ (window.getTitle(), "Gain");
    EXPECT_TRUE (window.getText().isEmpty());
    EXPECT_TRUE (window.getDescription().isEmpty());
    EXPECT_FALSE (window.isDim());
}

TEST_F (ValueWindowTest, DescriptionUsesTheAccessibleTextWhenGiven)
{
    window.setText ("-3.0", {});
    EXPECT_EQ (window.getText(), "-3.0");
    EXPECT_EQ (window.getDescription(), "Gain: -3.0");

    window.setText ("-3.0", "minus three decibels");
    EXPECT_EQ (window.getText(), "-3.0");
    EXPECT_EQ (window.getDescription(), "Gain: minus three decibels");
}

TEST_F (ValueWindowTest, SameTextRestoresADescriptionChangedElsewhere)
{
    window.setText ("1", {});
    window.setDescription ("stale");
    window.setText ("1", {});
    EXPECT_EQ (window.getDescription(), "Gain: 1");
}

TEST_F (ValueWindowTest, RepaintsOnlyWhenTextOrDimChanges)
{
    auto& repaints = countRepaints (window);
    window.setText ("1.0", {});
    EXPECT_EQ (repaints.count, 1);
    window.setText ("1.0", {});
    EXPECT_EQ (repaints.count, 1);
    window.setText ("1.0", "one");
    EXPECT_EQ (repaints.count, 2);
    window.setText ("2.0", "one");
    EXPECT_EQ (repaints.count, 3);

    window.setDim (true);
    EXPECT_EQ (repaints.count, 4);
    window.setDim (true);
    EXPECT_EQ (repaints.count, 4);
    window.setDim (false);
    EXPECT_EQ (repaints.count, 5);
}

TEST_F (ValueWindowTest, DrawnBoxWithoutKit)
{
    const auto image = render (window);
    // Inside the outline, away from any text: the dark box.
    EXPECT_TRUE (near (image.getPixelAt (3, 10), zem::palette::ink.darker (0.4f)));
    // The one-pixel outline.
    EXPECT_TRUE (near (image.getPixelAt (40, 0), zem::palette::slate, 40));
}

TEST_F (ValueWindowTest, BezelPictureStretchesOverTheBox)
{
    auto& kit = art.picture ("bezel", strip ({ juce::Colours::blue })).build();
    window.setArt (&kit);
    const auto image = render (window);
    EXPECT_TRUE (near (image.getPixelAt (1, 1), juce::Colours::blue));
    EXPECT_TRUE (near (image.getPixelAt (78, 18), juce::Colours::blue));
}

TEST_F (ValueWindowTest, PanelArtWithoutBezelDrawsNoBox)
{
    auto& kit = art.picture ("panel", strip ({ juce::Colours::grey })).build();
    window.setArt (&kit);
    const auto image = render (window);
    EXPECT_EQ (image.getPixelAt (3, 10).getAlpha(), 0);
    EXPECT_EQ (image.getPixelAt (40, 0).getAlpha(), 0);
}

TEST_F (ValueWindowTest, TextIsCreamOrAshWhenDim)
{
    window.setBounds (0, 0, 200, 60);
    window.setText ("8888", {});

    auto countNear = [] (const juce::Image& image, juce::Colour colour)
    {
        int n = 0;
        for (int y = 0; y < image.getHeight(); ++y)
            for (int x = 0; x < image.getWidth(); ++x)
                n += near (image.getPixelAt (x, y), colour, 8) ? 1 : 0;
        return n;
    };

    const auto bright = render (window);
    EXPECT_GT (countNear (bright, zem::palette::cream), 10);

    window.setDim (true);
    const auto dim = render (window);
    EXPECT_GT (countNear (dim, zem::palette::ash), 10);
    EXPECT_EQ (countNear (dim, zem::palette::cream), 0);
}

TEST_F (ValueWindowTest, ZeroSizedWindowDrawsNothingAndSurvives)
{
    window.setBounds (0, 0, 0, 0);
    window.setText ("1.0", {});
    juce::Image image (juce::Image::ARGB, 4, 4, true);
    juce::Graphics g (image);
    window.paint (g);
    EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0);
}
}
