#pragma once

namespace zem
{
// Small art helpers shared by the toolkit's controls.
namespace controlArt
{
    // The drawing scale of a control: the context's physical pixel scale times the kit's
    // content scale, or 1 for a control that has no kit.
    float drawScale (juce::Graphics& g, const ArtKit* kit);

    // A kit with no store and no entries, for controls drawn before they get art.
    const ArtKit& emptyKit();

    // The readout box shared by the value window and the lane: the "bezel" picture
    // stretched over the bounds, or, when there is no panel art either, a dark rounded box.
    void drawBox (juce::Graphics& g, const ArtKit* kit, juce::Rectangle<float> bounds, float scale, float corner);

    // Sets a component's accessible description and tells assistive technology that its
    // value changed; the caller has already checked that something changed.
    void announce (juce::Component& component, const juce::String& description);
}
}
