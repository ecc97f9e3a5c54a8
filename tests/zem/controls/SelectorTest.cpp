#include "ControlsFixture.h"

using namespace controls_test;

namespace
{
struct SelectorTest : ::testing::Test
{

    static void fill (zem::Selector& s, int items)
    {
        for (int i = 0; i < items; ++i)
            s.addItem ("Item " + juce::String (i + 1), i + 1);
    }
};

struct ClickCase
{
    const char* name;
    int mode, items, selected;
    bool rightButton;
    int expectedIndex;
    bool opensList;   // the press went to the combo box's own handling
    bool disabled = false;
};

const ClickCase clickCases[] = {
    { "modeOneSteps", 1, 3, 0, false, 1, false },
    { "modeOneWrapsFromLast", 1, 3, 2, false, 0, false },
    { "modeOneFromNothingSelected", 1, 3, -1, false, 0, false },
    { "modeOneNoItems", 1, 0, -1, false, -1, true },
    { "modeOneRightButton", 1, 3, 1, true, 1, false },
    { "modeZeroOpensTheList", 0, 3, 1, false, 1, true },
    { "modeTwoOpensTheList", 2, 3, 1, false, 1, true },
    { "modeOneDisabledStaysPut", 1, 3, 1, false, 1, false, true },
};

struct SelectorClickTest : SelectorTest, ::testing::WithParamInterface<ClickCase> {};

TEST_P (SelectorClickTest, PressStepsOrGoesToTheComboBox)
{
    const auto& c = GetParam();
    {
        zem::Selector selector ("Page", c.mode);
        selector.setBounds (0, 0, 120, 30);
        fill (selector, c.items);
        if (c.selected >= 0)
            selector.setSelectedItemIndex (c.selected, juce::dontSendNotification);
        selector.setEnabled (! c.disabled);

        const auto mods = c.rightButton ? juce::ModifierKeys::rightButtonModifier : juce::ModifierKeys::leftButtonModifier;
        selector.mouseDown (mouseEventOn (selector, juce::ModifierKeys (mods)));

        EXPECT_EQ (selector.getSelectedItemIndex(), c.expectedIndex);
        EXPECT_EQ (selector.isPopupActive(), c.opensList);
    }
    // The list would open asynchronously; with the selector gone, nothing is left to show.
    pumpMessages();
}

INSTANTIATE_TEST_SUITE_P (Cases, SelectorClickTest, ::testing::ValuesIn (clickCases),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST_F (SelectorTest, ClickReachesTheAttachmentBeforeReturning)
{
    FixtureProcessor processor;
    zem::Selector selector ("Mode", 1);
    selector.setBounds (0, 0, 120, 30);
    selector.addItemList (processor.parameter ("mode").getAllValueStrings(), 1);
    juce::AudioProcessorValueTreeState::ComboBoxAttachment attachment (processor.store, "mode", selector);
    EXPECT_EQ (selector.getSelectedItemIndex(), 1);

    selector.mouseDown (mouseEventOn (selector));
    EXPECT_EQ (processor.plainValue ("mode"), 2.0f);
    selector.mouseDown (mouseEventOn (selector));
    EXPECT_EQ (processor.plainValue ("mode"), 0.0f);

    processor.hostSets ("mode", 1.0f);
    EXPECT_EQ (selector.getSelectedItemIndex(), 1);
}

TEST_F (SelectorTest, TitleAndDescriptionNameTheSelector)
{
    zem::Selector selector ("Page", 1);
    EXPECT_EQ (selector.getTitle(), "Page");
    EXPECT_EQ (selector.getDescription(), "Page");
    EXPECT_TRUE (selector.getName().isEmpty());
    EXPECT_TRUE (selector.getWantsKeyboardFocus());
}

struct FrameCase
{
    const char* name;
    const char* common;   // layout documents
    int items, selected, expectedFrame;
};

const FrameCase frameCases[] = {
    { "framesKeyLimitsTheIndex", R"({"frames":{"selector":3}})", 5, 4, 2 },
    { "itemCountWithoutKey", R"({})", 4, 3, 3 },
    { "noItemsOneFrame", R"({})", 0, -1, 0 },
    { "nothingSelectedFirstFrame", R"({"frames":{"selector":3}})", 3, -1, 0 },
};

struct SelectorFrameTest : SelectorTest, ::testing::WithParamInterface<FrameCase> {};

TEST_P (SelectorFrameTest, ChoosesTheFrameOfTheSelection)
{
    const auto& c = GetParam();
    ArtFixture art;
    auto& kit = art.picture ("selector", strip ({ juce::Colours::red, juce::Colours::green, juce::Colours::blue }))
                    .json ("common", c.common)
                    .build();
    zem::Selector selector ("Page", 1);
    fill (selector, c.items);
    if (c.selected >= 0)
        selector.setSelectedItemIndex (c.selected, juce::dontSendNotification);
    selector.setArt (&kit, "selector");
    EXPECT_EQ (selector.frameToDraw(), c.expectedFrame);
}

INSTANTIATE_TEST_SUITE_P (Cases, SelectorFrameTest, ::testing::ValuesIn (frameCases),
                          [] (const auto& info) { return std::string (info.param.name); });

TEST_F (SelectorTest, ArtShowsOnlyThePicture)
{
    ArtFixture art;
    auto& kit = art.picture ("dial", strip ({ juce::Colours::red, juce::Colours::green, juce::Colours::blue }))
                    .build();
    zem::Selector selector ("Page", 1);
    selector.setBounds (0, 0, 60, 20);
    fill (selector, 3);
    selector.setSelectedItemIndex (1, juce::dontSendNotification);
    selector.setArt (&kit, "dial");

    EXPECT_TRUE (selector.hasArt());
    EXPECT_EQ (selector.findColour (juce::ComboBox::textColourId), juce::Colours::transparentBlack);
    const auto image = render (selector);
    EXPECT_TRUE (near (image.getPixelAt (5, 5), juce::Colours::green));
    EXPECT_TRUE (near (image.getPixelAt (55, 15), juce::Colours::green));
}

TEST_F (SelectorTest, WithoutArtTheBoxPaintsItselfInCream)
{
    ArtFixture art;
    auto& kit = art.picture ("panel", strip ({ juce::Colours::grey })).build();
    zem::Selector selector ("Page", 1);
    selector.setArt (&kit, "selector");
    EXPECT_FALSE (selector.hasArt());
    EXPECT_EQ (selector.findColour (juce::ComboBox::textColourId), zem::palette::cream);

    selector.setArt (nullptr, "selector");
    EXPECT_FALSE (selector.hasArt());
}
}
