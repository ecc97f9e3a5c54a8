// The editor's fallback view: the product's editor built over art sets without the
// scene's page art, on the real processor. Its pictures are kept under snapshots/ in the
// test's working directory.
#include "TorvaneEditor.h"
#include "TorvaneProcessor.h"

#include "../../zem/controls/ControlsFixture.h"

#include <TorvaneBundle.h>

#include <cmath>

using namespace controls_test;

namespace
{
// The product's bundle without the Well drawing: every other picture and the layout file
// are there, but the scene cannot be shown.
bool isWellDrawing (const char* identifier)
{
    return juce::String (identifier).startsWith ("pageWell");
}

const char* lookupWithoutWell (const char* identifier, int& size)
{
    if (isWellDrawing (identifier))
    {
        size = 0;
        return nullptr;
    }
    return TorvaneBundle::getNamedResource (identifier, size);
}

zem::ArtSource productWithoutWell()
{
    static const std::vector<const char*> names = []
    {
        std::vector<const char*> kept;
        for (int i = 0; i < TorvaneBundle::namedResourceListSize; ++i)
            if (! isWellDrawing (TorvaneBundle::namedResourceList[i]))
                kept.push_back (TorvaneBundle::namedResourceList[i]);
        return kept;
    }();
    return { const_cast<const char**> (names.data()), (int) names.size(), &lookupWithoutWell };
}

// A child's design rectangle scaled by s, each value rounded by itself.
juce::Rectangle<int> scaled (juce::Rectangle<float> design, double s)
{
    auto r = [s] (float v) { return (int) std::lround ((double) v * s); };
    return { r (design.getX()), r (design.getY()), r (design.getWidth()), r (design.getHeight()) };
}

int channelDistance (juce::Colour a, juce::Colour b)
{
    return std::max ({ std::abs ((int) a.getRed() - (int) b.getRed()), std::abs ((int) a.getGreen() - (int) b.getGreen()),
                       std::abs ((int) a.getBlue() - (int) b.getBlue()) });
}

// Source over destination for one channel, alpha in 0..1.
float over (float source, float alpha, float destination)
{
    return source * alpha + destination * (1.0f - alpha);
}

const juce::Label* textBoxOf (const juce::Slider& slider)
{
    for (auto* child : slider.getChildren())
        if (auto* label = dynamic_cast<const juce::Label*> (child))
            return label;
    return nullptr;
}

class FallbackView : public ::testing::Test
{
protected:
    void open (const zem::ArtSource& source) { editor = std::make_unique<TorvaneEditor> (processor, source); }
    void TearDown() override { editor.reset(); }

    float raw (const char* id) { return processor.apvts.getRawParameterValue (id)->load(); }

    void hostSets (const char* id, float value)
    {
        auto* parameter = processor.apvts.getParameter (id);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
    }

    juce::ScopedJuceInitialiser_GUI gui;
    TorvaneProcessor processor;
    std::unique_ptr<TorvaneEditor> editor;
};

struct ChildCase
{
    const char* name;
    juce::Component* (*child) (TorvaneEditor&);
    juce::Rectangle<float> design;
};

// The fallback defaults, in design pixels.
const ChildCase defaultPlaces[] = {
    { "drive knob", [] (TorvaneEditor& e) -> juce::Component* { return &e.driveKnob; }, { 130, 56, 260, 260 } },
    { "blend knob", [] (TorvaneEditor& e) -> juce::Component* { return &e.blendKnob; }, { 400, 232, 96, 96 } },
    { "heat lamp", [] (TorvaneEditor& e) -> juce::Component* { return &e.heatLight; }, { 256, 352, 48, 48 } },
    { "selector", [] (TorvaneEditor& e) -> juce::Component* { return &e.pageSelector; }, { 60, 424, 440, 50 } },
};

TEST_F (FallbackView, WithoutArtShowsKnobsSelectorAndLampAndNoScene)
{
    open ({});
    EXPECT_FALSE (editor->hasPageArt());
    for (const auto& c : defaultPlaces)
    {
        auto* child = c.child (*editor);
        EXPECT_EQ (child->getParentComponent(), editor.get()) << c.name;
        EXPECT_TRUE (child->isVisible()) << c.name;
    }
    for (auto& button : editor->wordButtons)
        EXPECT_EQ (button.getParentComponent(), nullptr) << "the words are the scene's";
    EXPECT_FALSE (editor->animator.isTimerRunning());
    EXPECT_TRUE (editor->noiseImage.isNull());
    EXPECT_TRUE (editor->heatLight.isTimerRunning());
    EXPECT_EQ (editor->heatLight.getTitle(), "Heat");
    EXPECT_EQ (editor->heatLight.getDescription(), "How much the stage is currently adding.");

    // The help texts are the tooltips too, which the framework hands to screen readers.
    EXPECT_TRUE (editor->pageSelector.getTooltip().startsWith ("Which circuit is in the path."));
    EXPECT_EQ (editor->pageSelector.getTooltip(), editor->pageSelector.getHelpText());
    EXPECT_EQ (editor->driveKnob.slider.getTooltip(), editor->driveKnob.slider.getHelpText());
}

TEST_F (FallbackView, ChildrenTakeTheirDefaultPlacesAtEverySize)
{
    open ({});
    for (int side : { 560, 1120, 1200 })
    {
        editor->setSize (side, side);
        for (const auto& c : defaultPlaces)
            EXPECT_EQ (c.child (*editor)->getBounds(), scaled (c.design, side / 560.0)) << c.name << " at " << side;
    }
}

TEST_F (FallbackView, ProductLayoutPlacesTheKnobsAndLeavesLampAndSelectorAtDefaults)
{
    open (productWithoutWell());
    ASSERT_FALSE (editor->hasPageArt());
    const auto knob = editor->kit.docs.layoutRect ("knob", {});
    const auto blend = editor->kit.docs.layoutRect ("blend", {});
    ASSERT_FALSE (knob.isEmpty());
    ASSERT_FALSE (blend.isEmpty());
    ASSERT_FALSE (editor->kit.docs.hasLayoutRect ("light"));
    ASSERT_FALSE (editor->kit.docs.hasLayoutRect ("selector"));

    for (int side : { 560, 1120 })
    {
        editor->setSize (side, side);
        const double s = side / 560.0;
        EXPECT_EQ (editor->driveKnob.getBounds(), scaled (knob, s)) << side;
        EXPECT_EQ (editor->blendKnob.getBounds(), scaled (blend, s)) << side;
        EXPECT_EQ (editor->heatLight.getBounds(), scaled (defaultPlaces[2].design, s)) << side;
        EXPECT_EQ (editor->pageSelector.getBounds(), scaled (defaultPlaces[3].design, s)) << side;
    }
}

TEST_F (FallbackView, DrawnKnobsShowLabelAndTheToolkitsTextBox)
{
    open ({});
    for (auto* knob : { &editor->driveKnob, &editor->blendKnob })
    {
        EXPECT_FALSE (knob->hasArt());
        EXPECT_TRUE (knob->label.isVisible());
        EXPECT_EQ (knob->slider.getTextBoxPosition(), juce::Slider::TextBoxBelow);
        const auto* textBox = textBoxOf (knob->slider);
        ASSERT_NE (textBox, nullptr);
        // The knobs were made before the editor was their parent: the text box must still
        // come from the toolkit's look, in its font and colour.
        EXPECT_FLOAT_EQ (textBox->getFont().getHeight(), 14.0f);
        EXPECT_EQ (textBox->findColour (juce::Label::textColourId), zem::palette::cream);
    }
}

TEST_F (FallbackView, KnobsAndSelectorAreBoundToTheParameters)
{
    open ({});
    editor->driveKnob.slider.setValue (40.0, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (raw ("drive"), 40.0f);
    editor->blendKnob.slider.setValue (25.0, juce::sendNotificationSync);
    EXPECT_FLOAT_EQ (raw ("blend"), 25.0f);

    hostSets ("drive", 72.5f);
    EXPECT_DOUBLE_EQ (editor->driveKnob.slider.getValue(), 72.5);
    hostSets ("blend", 10.0f);
    EXPECT_DOUBLE_EQ (editor->blendKnob.slider.getValue(), 10.0);

    // The selector holds the three characters and steps through them on clicks.
    ASSERT_EQ (editor->pageSelector.getNumItems(), 3);
    EXPECT_EQ (editor->pageSelector.getItemText (2), "Well");
    EXPECT_EQ (editor->pageSelector.getSelectedItemIndex(), 0);
    const int expectedPages[] = { 1, 2, 0 };
    for (int page : expectedPages)
    {
        editor->pageSelector.mouseDown (mouseEventOn (editor->pageSelector));
        EXPECT_EQ (raw ("page"), (float) page);
    }

    hostSets ("page", 2.0f);
    EXPECT_EQ (editor->pageSelector.getSelectedItemIndex(), 2);
    EXPECT_EQ (editor->pageSelector.getText(), "Well");
}

TEST_F (FallbackView, HeatLampFollowsEffortWhileShown)
{
    open ({});
    processor.effort.store (1.0f);
    editor->heatLight.timerCallback();
    EXPECT_NEAR (editor->heatLight.getLevel(), 0.35f, 1e-6);
}

// A window side and display scale the view is rendered at.
struct View
{
    int side;
    float scale;
    float pixelsPerDesign() const { return scale * (float) side / 560.0f; }
    juce::String name() const { return juce::String (side) + "x" + juce::String (scale, 0); }
};

class FallbackPicture : public FallbackView, public ::testing::WithParamInterface<View>
{
protected:
    juce::Image render (const juce::String& name)
    {
        const auto view = GetParam();
        auto image = renderEditorSnapshot (*editor, view.side, view.side, view.scale);
        writeSnapshotPng (image, juce::File::getCurrentWorkingDirectory()
                                     .getChildFile ("snapshots")
                                     .getChildFile (name + "-" + view.name() + ".png"));
        return image;
    }

    static juce::Colour at (const juce::Image& image, float x, float y)
    {
        const float k = GetParam().pixelsPerDesign();
        return image.getPixelAt ((int) (x * k), (int) (y * k));
    }
};

TEST_P (FallbackPicture, DrawnViewShowsHeaderKnobsSelectorAndLamp)
{
    open ({});
    const auto image = render ("fallback");
    const auto view = GetParam();
    ASSERT_EQ (image.getWidth(), (int) std::lround (view.side * view.scale));

    // Away from every child the window is ink.
    for (auto p : { juce::Point<float> (20, 520), juce::Point<float> (540, 200), juce::Point<float> (30, 300) })
        EXPECT_LE (channelDistance (at (image, p.x, p.y), zem::palette::ink), 2) << p.toString();

    // The dark lamp: a black veil at alpha 0.35 over ink, then the inner disc (1, 0.7, 0.2)
    // at alpha 0.15.
    const auto ink = zem::palette::ink;
    auto lampChannel = [] (float disc, juce::uint8 background)
    { return over (disc * 255.0f, 0.15f, over (0.0f, 0.35f, (float) background)); };
    const auto lamp = juce::Colour ((juce::uint8) std::lround (lampChannel (1.0f, ink.getRed())),
                                    (juce::uint8) std::lround (lampChannel (0.7f, ink.getGreen())),
                                    (juce::uint8) std::lround (lampChannel (0.2f, ink.getBlue())));
    EXPECT_LE (channelDistance (at (image, 280, 376), lamp), 3) << at (image, 280, 376).toString();
    // Between the lamp's outer ring and its inner disc only the veil shows.
    const auto veil = juce::Colour ((juce::uint8) std::lround (0.65f * ink.getRed()),
                                    (juce::uint8) std::lround (0.65f * ink.getGreen()),
                                    (juce::uint8) std::lround (0.65f * ink.getBlue()));
    EXPECT_LE (channelDistance (at (image, 280, 356), veil), 3) << at (image, 280, 356).toString();

    // The selector's box in charcoal.
    EXPECT_LE (channelDistance (at (image, 300, 468), zem::palette::charcoal), 3) << at (image, 300, 468).toString();
}

TEST_P (FallbackPicture, ProductArtWithoutTheSceneShowsPanelKnobsSelectorAndLamp)
{
    open (productWithoutWell());
    const auto image = render ("fallback-panel");

    // The lamp sits on the panel picture at its default place: its centre is the inner
    // disc of the dark lamp over the veiled panel, darker than the panel beside the lamp.
    const auto beside = at (image, 240, 376);
    const auto centre = at (image, 280, 376);
    EXPECT_LT (centre.getBrightness(), beside.getBrightness()) << centre.toString() << " " << beside.toString();
    EXPECT_GT (centre.getRed(), centre.getBlue()) << "the disc is orange";
    // The selector's box in charcoal.
    EXPECT_LE (channelDistance (at (image, 300, 468), zem::palette::charcoal), 3) << at (image, 300, 468).toString();
}

INSTANTIATE_TEST_SUITE_P (Views, FallbackPicture,
                          ::testing::Values (View { 560, 1.0f }, View { 1120, 2.0f }, View { 1120, 1.0f }),
                          [] (const auto& info) { return (info.param.name().replace ("x", "_")).toStdString(); });
} // namespace
