#include "PixelDistance.h"
#include "SceneFixture.h"

#include "EditorSnapshot.h"

#include <cmath>

// The Blend knob's hover readout over each character's face: its text line tall enough to
// read, and the cream text standing out from the cap behind it at every turn of the cap.
// Crops of each case are kept under snapshots/ in the test's working directory.

namespace
{
struct View
{
    int side;
    float scale;
    juce::String name() const { return juce::String (side) + "x" + juce::String (scale, 0); }
};

// The design size on a 1x display, the same on a 2x display, and a window of twice the
// size on a 2x display.
const View views[] = { { 560, 1.0f }, { 560, 2.0f }, { 1120, 2.0f } };

double linear (int channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow ((c + 0.055) / 1.055, 2.4);
}

// Relative luminance, as the contrast ratio of the accessibility guidelines defines it.
double luminance (juce::Colour c)
{
    return 0.2126 * linear (c.getRed()) + 0.7152 * linear (c.getGreen()) + 0.0722 * linear (c.getBlue());
}

double contrast (double a, double b)
{
    return (std::max (a, b) + 0.05) / (std::min (a, b) + 0.05);
}

// What the readout adds to the picture: the pixels it changes clearly, their box, and the
// brightest of them (the text's own colour, away from its antialiased edges).
struct Ink
{
    juce::Rectangle<int> box;
    double textLuminance = 0;
    int count = 0;
};

Ink findInk (const juce::Image& shown, const juce::Image& hidden, juce::Rectangle<int> area)
{
    Ink ink;
    int x0 = area.getRight(), y0 = area.getBottom(), x1 = area.getX(), y1 = area.getY();
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            const auto s = shown.getPixelAt (x, y);
            if (channelDistance (s, hidden.getPixelAt (x, y)) < 48)
                continue;
            ++ink.count;
            x0 = std::min (x0, x); x1 = std::max (x1, x + 1);
            y0 = std::min (y0, y); y1 = std::max (y1, y + 1);
            ink.textLuminance = std::max (ink.textLuminance, luminance (s));
        }
    if (ink.count > 0)
        ink.box = { x0, y0, x1 - x0, y1 - y0 };
    return ink;
}

// The lightest the cap gets behind the text: the hidden picture over the ink's box.
double lightestBehind (const juce::Image& hidden, juce::Rectangle<int> box)
{
    double lightest = 0;
    for (int y = box.getY(); y < box.getBottom(); ++y)
        for (int x = box.getX(); x < box.getRight(); ++x)
            lightest = std::max (lightest, luminance (hidden.getPixelAt (x, y)));
    return lightest;
}
} // namespace

class BlendReadout : public SceneTest
{
protected:
    void keep (const juce::Image& shot, juce::Rectangle<int> area, const juce::String& name)
    {
        writeSnapshotPng (shot.getClippedImage (area.getIntersection (shot.getBounds())),
                          juce::File::getCurrentWorkingDirectory().getChildFile ("snapshots").getChildFile (name + ".png"));
    }
};

TEST_F (BlendReadout, TextIsTallAndStandsOutFromTheCapOnEveryFace)
{
    for (int page = 0; page < 3; ++page)
        for (float blend : { 0.0f, 50.0f, 100.0f })
        {
            setParameter ("page", (float) page);
            setParameter ("blend", blend);
            openEditor();
            tick();
            auto& knob = editor->blendKnob;
            ASSERT_TRUE (knob.isReadoutActive());
            for (const auto& view : views)
            {
                const auto what = TorvaneEditor::pageWord (page) + " blend " + juce::String (blend, 0) + " " + view.name();
                knob.readout.setVisible (false);
                const auto hidden = renderEditorSnapshot (*editor, view.side, view.side, view.scale);
                knob.updateReadout();
                knob.readout.setVisible (true);
                const auto shown = renderEditorSnapshot (*editor, view.side, view.side, view.scale);
                knob.readout.setVisible (false);

                // The text line is 0.62 of the readout's height (in device pixels).
                const auto readout = (knob.readout.getBounds() + knob.getPosition()).toFloat() * view.scale;
                const float lineHeight = 0.62f * readout.getHeight();
                EXPECT_GE (lineHeight, 8.0f * view.scale * (float) view.side / 560.0f) << what;

                const auto ink = findInk (shown, hidden, readout.getSmallestIntegerContainer());
                ASSERT_GT (ink.count, 10) << what;
                // Digits stand over half the line: the text is drawn at the line's size.
                EXPECT_GE ((float) ink.box.getHeight(), 0.5f * lineHeight) << what;
                const double ratio = contrast (ink.textLuminance, lightestBehind (hidden, ink.box));
                EXPECT_GE (ratio, 4.5) << what << " text " << ink.textLuminance;

                const auto crop = (knob.getBounds().toFloat() * view.scale).getSmallestIntegerContainer().expanded ((int) (12 * view.scale));
                keep (shown, crop, "blend-readout-" + TorvaneEditor::pageWord (page) + "-" + juce::String (blend, 0) + "-" + view.name());
                std::printf ("%s: line %.1f px, digits %d px, contrast %.1f\n", what.toRawUTF8(), lineHeight, ink.box.getHeight(), ratio);
            }
        }
}
