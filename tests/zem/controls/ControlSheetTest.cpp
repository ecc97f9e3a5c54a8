// Every control on one sheet, drawn through the toolkit's look-and-feel at display scales
// 1 and 2. Chosen pixels are checked here; with TORVANE_SNAPSHOT_DIR set, the sheets are
// also written there as PNG files for a person to look at.
#include "ControlsFixture.h"

using namespace controls_test;

namespace
{
// A knob picture: a cream disc with a dark pointer towards 12 o'clock.
juce::Image knobPicture (int size)
{
    juce::Image image (juce::Image::ARGB, size, size, true);
    juce::Graphics g (image);
    const auto r = image.getBounds().toFloat().reduced (size * 0.05f);
    g.setColour (zem::palette::cream);
    g.fillEllipse (r);
    g.setColour (zem::palette::ink);
    g.fillRoundedRectangle (r.getCentreX() - size * 0.04f, r.getY() + size * 0.06f, size * 0.08f, size * 0.36f, size * 0.04f);
    return image;
}

// A filmstrip of word plates, one per text.
juce::Image plates (const juce::StringArray& words, int cellWidth, int height, juce::Colour fill)
{
    juce::Image image (juce::Image::ARGB, cellWidth * words.size(), height, true);
    juce::Graphics g (image);
    for (int i = 0; i < words.size(); ++i)
    {
        const juce::Rectangle<float> cell ((float) (i * cellWidth), 0.0f, (float) cellWidth, (float) height);
        g.setColour (fill.withRotatedHue (0.08f * (float) i));
        g.fillRoundedRectangle (cell.reduced (2.0f), 6.0f);
        g.setColour (zem::palette::ink);
        g.setFont ((float) height * 0.5f);
        g.drawText (words[i], cell, juce::Justification::centred);
    }
    return image;
}

struct Sheet : juce::Component
{
    explicit Sheet (FixtureProcessor& p, zem::ArtKit& kit)
        : drawnKnob (p.store, "level", "Level"), artKnob (p.store, "level", "Art level"),
          plainGroup (p.store, "mode", "Mode"), artGroup (p.store, "mode", "Mode")
    {
        drawnKnob.setArt (&kit, "level");   // no such picture: the drawn knob
        artKnob.setArt (&kit, "knob");
        for (auto* s : { &plainSelector, &artSelector })
            s->addItemList (p.parameter ("mode").getAllValueStrings(), 1);
        plainSelector.setSelectedItemIndex (1, juce::dontSendNotification);
        artSelector.setSelectedItemIndex (2, juce::dontSendNotification);
        artSelector.setArt (&kit, "selector");
        artGroup.setArt (&kit);

        for (int i = 0; i < 4; ++i)
        {
            lamps[(size_t) i].setState (i, {});
            addAndMakeVisible (lamps[(size_t) i]);
        }
        leftLane.setValue (0.6f, {});
        centreLane.setBipolar (true);
        centreLane.setValue (0.3f, {});
        centreLane.setMarker (0, 0.5f, zem::palette::cream, "centre");
        centreLane.setMarker (1, 0.8f, zem::palette::amber, "limit");
        window.setText ("-3.5", {});
        dimWindow.setText ("12.0", {});
        dimWindow.setDim (true);

        for (auto* c : std::initializer_list<juce::Component*> { &drawnKnob, &artKnob, &plainSelector, &artSelector,
                                                                 &plainGroup, &artGroup, &leftLane, &centreLane,
                                                                 &window, &dimWindow })
            addAndMakeVisible (c);
        setSize (560, 420);
        // Installed after the children exist, so their text boxes are made by it too.
        lookAndFeel.kit = &kit;
        setLookAndFeel (&lookAndFeel);
        p.hostSets ("level", 62.0f);
        artKnob.mouseEnter (mouseEventOn (artKnob.slider));   // shows the hover readout
    }

    ~Sheet() override { setLookAndFeel (nullptr); }

    void paint (juce::Graphics& g) override { g.fillAll (zem::palette::ink); }

    void resized() override
    {
        drawnKnob.setBounds (20, 20, 130, 160);
        artKnob.setBounds (170, 20, 130, 160);
        plainSelector.setBounds (320, 30, 220, 36);
        artSelector.setBounds (320, 90, 220, 44);
        plainGroup.setBounds (20, 200, 250, 40);
        artGroup.setBounds (290, 200, 250, 40);
        for (int i = 0; i < 4; ++i)
            lamps[(size_t) i].setBounds (20 + 60 * i, 270, 44, 44);
        leftLane.setBounds (270, 270, 270, 20);
        centreLane.setBounds (270, 300, 270, 20);
        window.setBounds (20, 340, 120, 36);
        dimWindow.setBounds (160, 340, 120, 36);
    }

    zem::LookAndFeel lookAndFeel;
    zem::Knob drawnKnob, artKnob;
    zem::Selector plainSelector { "Mode", 1 }, artSelector { "Mode", 1 };
    zem::ButtonGroup plainGroup, artGroup;
    std::array<zem::Lamp, 4> lamps { zem::Lamp ("Lamp"), zem::Lamp ("Lamp"), zem::Lamp ("Lamp"), zem::Lamp ("Lamp") };
    zem::Lane leftLane { "Lane" }, centreLane { "Lane" };
    zem::ValueWindow window { "Gain" }, dimWindow { "Gain" };
};

struct SheetCase
{
    const char* name;
    bool withArt;
};

struct ControlSheet : ::testing::TestWithParam<SheetCase> {};

TEST_P (ControlSheet, EveryControlDrawsThroughTheLookAndFeel)
{
    FixtureProcessor processor;
    ArtFixture art;
    art.json ("common", R"({"frames":{"selector":3,"button":2},"knob":{"startDegrees":-150,"endDegrees":150}})");
    if (GetParam().withArt)
        art.picture ("knob", knobPicture (96))
            .picture ("selector", plates ({ "A", "B", "C" }, 110, 44, zem::palette::amber))
            .picture ("button", strip ({ zem::palette::charcoal, zem::palette::rust }, 60, 30));
    Sheet sheet (processor, art.build());

    for (const float scale : { 1.0f, 2.0f })
    {
        const auto image = renderAt (sheet, scale);
        keep (image, juce::String ("controls-") + GetParam().name + "-" + juce::String ((int) scale) + "x.png");
        auto at = [&] (int x, int y) { return image.getPixelAt (juce::roundToInt ((float) x * scale), juce::roundToInt ((float) y * scale)); };

        // The lamps' centres in their state colours.
        EXPECT_TRUE (near (at (42, 292), zem::palette::slate)) << scale;
        EXPECT_TRUE (near (at (102, 292), zem::palette::amber)) << scale;
        EXPECT_TRUE (near (at (162, 292), zem::palette::green)) << scale;
        EXPECT_TRUE (near (at (222, 292), zem::palette::accent)) << scale;
        // The lane from the left is lit near its start; the centred one left of its middle.
        EXPECT_TRUE (near (at (290, 280), zem::palette::accent)) << scale;
        EXPECT_TRUE (near (at (380, 310), zem::palette::accent)) << scale;
        EXPECT_FALSE (near (at (290, 310), zem::palette::accent)) << scale;

        if (GetParam().withArt)
        {
            // The third plate of the selector; the art group's "B" button on its "on" frame.
            EXPECT_TRUE (near (at (325, 112), zem::palette::amber.withRotatedHue (0.16f), 6)) << scale;
            EXPECT_TRUE (near (at (380, 205), zem::palette::rust)) << scale;
            // The art knob's cream disc.
            EXPECT_TRUE (near (at (235, 75), zem::palette::cream)) << scale;
        }
        else
        {
            // The drawn group's "B" button is lit in the accent colour.
            EXPECT_TRUE (near (at (120, 205), zem::palette::accent)) << scale;
            // The drawn knob's body.
            EXPECT_TRUE (near (at (235, 125), zem::palette::charcoal)) << scale;
        }
    }
}

INSTANTIATE_TEST_SUITE_P (Sheets, ControlSheet, ::testing::Values (SheetCase { "drawn", false }, SheetCase { "art", true }),
                          [] (const auto& info) { return std::string (info.param.name); });
}
