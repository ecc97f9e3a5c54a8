#include "ArtName.h"
#include "TorvaneEditor.h"

#include "TorvaneProcessor.h"

#include "TorvaneArtSource.h"

#include <cmath>

namespace
{
const char* const wordDescriptions[3] = {
    "Rare: the soft, compressive circuit. It warms up as you play and cools off after.",
    "Medium: the valve. It has a turn partway up the knob, and a hard hit makes it gulp.",
    "Well: the wall. It hits it early, and past it only gets dirtier."
};

// A control's help text is also its tooltip: the framework's handlers hand the tooltip to
// screen readers as the help, and the editor's tooltip window shows it to the pointer.
template <typename Control>
void setHelp (Control& control, const juce::String& text)
{
    control.setHelpText (text);
    control.setTooltip (text);
}
} // namespace

TorvaneEditor::TorvaneEditor (TorvaneProcessor& p) : TorvaneEditor (p, torvaneArtSource())
{
}

TorvaneEditor::TorvaneEditor (TorvaneProcessor& p, const zem::ArtSource& artSource)
    : zem::EditorBase (p, artSource, 560, 560),
      processor (p),
      driveKnob (p.apvts, "drive", "Drive"),
      blendKnob (p.apvts, "blend", "Blend"),
      pageSelector ("Page", 1),
      pageAttachment (*p.apvts.getParameter ("page"),
                      [this] (float v)
                      {
                          for (int i = 0; i < 3; ++i)
                              wordButtons[(size_t) i].setToggleState (juce::roundToInt (v) == i,
                                                                      juce::dontSendNotification);
                      },
                      nullptr),
      heatLight (p)
{
    if (auto* choice = dynamic_cast<juce::AudioParameterChoice*> (p.apvts.getParameter ("page")))
        pageSelector.addItemList (choice->choices, 1);
    pageSelectorAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ComboBoxAttachment> (
        p.apvts, "page", pageSelector);

    setHelp (driveKnob.slider, "How hard the stage is pushed. The character changes across the sweep, "
                               "not just the amount - and the output level does not. Double-click to reset.");
    driveKnob.setArt (&kit, "knob");
    setHelp (pageSelector, "Which circuit is in the path. Rare is soft and compressive, Medium has a turn "
                           "partway up, Well hits a wall early. Click to advance.");
    pageSelector.setArt (&kit, "selector");
    heatLight.setKit (&kit);
    heatLight.setTitle ("Heat");
    heatLight.setDescription ("How much the stage is currently adding.");
    setHelp (blendKnob.slider, "How much of the driven signal you keep. The dry side is delayed to match, "
                               "so there is no phase cancellation. Double-click to reset.");
    blendKnob.setArt (&kit, "blend");

    addAndMakeVisible (driveKnob);
    addAndMakeVisible (blendKnob);

    if (hasPageArt())
    {
        driveKnob.setShowValueOnHover (false);
        for (int j = 0; j < 3; ++j)
        {
            auto& button = wordButtons[(size_t) j];
            button.setName (pageWord (j));
            button.setTitle (pageWord (j));
            button.setDescription (wordDescriptions[j]);
            button.setTooltip (wordDescriptions[j]);
            button.setRadioGroupId (3342, juce::sendNotification);
            button.setMouseCursor (juce::MouseCursor::PointingHandCursor);
            button.onClick = [this, j] { pageAttachment.setValueAsCompleteGesture ((float) j); };
            addAndMakeVisible (button);
        }
        pageAttachment.sendInitialUpdate();
        shownPage = leavingPage = pageIndex();
        lastDrive = driveAmount();
        mouthPos = lastMouth = 0.8f * lastDrive;
        countArtAndLayout();
        buildNoiseField();
        lastCounter = processor.blockCounter.load();
        animator.callback = [this] { tick(); };
        animator.startTimerHz (60);
    }
    else
    {
        addAndMakeVisible (pageSelector);
        addAndMakeVisible (heatLight);
    }

    finishSetup();
}

TorvaneEditor::~TorvaneEditor()
{
    // No tick may run once the members start to go.
    animator.stopTimer();
}

TorvaneEditor::Animator::~Animator()
{
    stopTimer();
    callback = nullptr;
}

void TorvaneEditor::Animator::timerCallback()
{
    if (callback)
        callback();
}

const juce::String& TorvaneEditor::pageWord (int page)
{
    static const juce::String words[3] = { "Rare", "Medium", "Well" };
    return words[juce::jlimit (0, 2, page)];
}

const zem::ArtEntry* TorvaneEditor::art (const juce::String& name) const
{
    auto* entry = kit.find (name);
    return zem::isPresent (entry) ? entry : nullptr;
}

juce::Rectangle<float> TorvaneEditor::rect (const juce::String& name) const
{
    return kit.docs.layoutRect (name, {});
}

bool TorvaneEditor::hasPageArt() const
{
    auto* medium = kit.find ("pageMedium");
    auto* well = kit.find ("pageWell");
    return zem::isPresent (kit.panel) && zem::isPresent (medium) && zem::isPresent (well);
}

int TorvaneEditor::pageIndex() const
{
    const float raw = processor.apvts.getRawParameterValue ("page")->load();
    return juce::jlimit (0, 2, juce::roundToInt (raw));
}

float TorvaneEditor::driveAmount() const
{
    const float raw = processor.apvts.getRawParameterValue ("drive")->load();
    return juce::jlimit (0.0f, 1.0f, raw * 0.01f);
}

juce::Rectangle<float> TorvaneEditor::designToPixels (juce::Rectangle<float> r) const
{
    const auto origin = fittedArea().getPosition().toFloat();
    const float s = contentScale();
    return { r.getX() * s + origin.x, r.getY() * s + origin.y, r.getWidth() * s, r.getHeight() * s };
}

juce::Point<float> TorvaneEditor::designPoint (juce::Point<float> p) const
{
    const auto origin = fittedArea().getPosition().toFloat();
    const float s = contentScale();
    return { origin.x + p.x * s, origin.y + p.y * s };
}

// Counts run from 0 up to the first missing number, so numbering must be contiguous.
void TorvaneEditor::countArtAndLayout()
{
    auto countWhile = [] (auto exists)
    {
        int n = 0;
        while (exists (n))
            ++n;
        return n;
    };
    mouthFrameCount = countWhile ([this] (int n) { return art (artName ("mouth", "Rare", n)) != nullptr; });
    for (int p = 0; p < 3; ++p)
    {
        const auto& w = pageWord (p);
        sizzleSpotCount[(size_t) p] = countWhile ([&] (int n)
                                                  { return kit.docs.hasLayoutRect (artName ("sizzleSpot", w, n)); });
        emberSpotCount[(size_t) p] = countWhile ([&] (int n)
                                                 { return kit.docs.hasLayoutRect (artName ("emberSpot", w, n)); });
        dripCount[(size_t) p] = countWhile ([&] (int n) { return art (artName ("drip", w, n)) != nullptr; });
    }
}

void TorvaneEditor::layoutContent (juce::Rectangle<int>)
{
    if (hasPageArt())
        layoutFace();
    else
        layoutFallback();
}

void TorvaneEditor::layoutFace()
{
    driveKnob.setBounds (layoutBounds ("knob", { 234.0f, 89.3f, 71.5f, 71.5f }));
    blendKnob.setBounds (layoutBounds ("blend", { 329.1f, 254.6f, 35.7f, 35.7f }));
    wordButtons[0].setBounds (layoutBounds ("rareHit", {}));
    wordButtons[1].setBounds (layoutBounds ("mediumHit", {}));
    wordButtons[2].setBounds (layoutBounds ("wellHit", {}));
}

void TorvaneEditor::layoutFallback()
{
    driveKnob.setBounds (layoutBounds ("knob", { 130.0f, 56.0f, 260.0f, 260.0f }));
    blendKnob.setBounds (layoutBounds ("blend", { 400.0f, 232.0f, 96.0f, 96.0f }));
    heatLight.setBounds (layoutBounds ("light", { 256.0f, 352.0f, 48.0f, 48.0f }));
    pageSelector.setBounds (layoutBounds ("selector", { 60.0f, 424.0f, 440.0f, 50.0f }));
}

void TorvaneEditor::paint (juce::Graphics& g)
{
    if (! hasPageArt())
    {
        zem::EditorBase::paint (g);
        return;
    }
    {
        // Where the page drawing covers the face square with opaque whole pixels, the ink
        // beneath it would never show: fill only around the square.
        juce::Graphics::ScopedSaveState state (g);
        if (pageCoversFace (g))
            g.excludeClipRegion (fittedArea());
        g.fillAll (juce::Colour (zem::palette::ink));
    }
    paintFace (g);
}

// The drawing painted first over the whole square (the leaving one during a dissolve)
// is opaque, and the square's edges fall on whole device pixels, so the drawing
// replaces every pixel of the square.
bool TorvaneEditor::pageCoversFace (juce::Graphics& g) const
{
    if (! PictureStretcher::onWholeDevicePixels (g, fittedArea().toFloat()))
        return false;
    const bool dissolving = dissolve < 1.0f && leavingPage != shownPage;
    const auto* entry = pageArt (dissolving ? leavingPage : shownPage);
    if (entry == nullptr)
        return false;
    const auto& image = entry->imageFor (kit.imageScale (g));
    return image.isValid() && ! image.hasAlphaChannel();
}

const zem::ArtEntry* TorvaneEditor::pageArt (int pageNumber) const
{
    return pageNumber == 0 ? art ("panel") : art ("page" + pageWord (pageNumber));
}
