#pragma once

namespace zem
{
// A rotary control for one continuous parameter: the slider (bound through the framework's
// slider attachment), a name label and a hover readout. The look-and-feel draws the slider
// from the picture named by the slider property "zemKnobArt", turned over the rotary range
// read from the layout documents, and rings it in the focus colour while its keyboard
// focus came from the keyboard; the slider's keys sweep it (see KnobSlider).
class Knob : public juce::Component
{
public:
    Knob (juce::AudioProcessorValueTreeState& store, const juce::String& parameterId, const juce::String& name);
    ~Knob() override;

    void setArt (const ArtKit* newKit, const juce::String& artName);
    void setShowValueOnHover (bool show);
    void setLabelVisible (bool shouldBeVisible);
    bool hasArt() const;
    void updateReadout();

    bool isReadoutActive() const noexcept { return readoutActive; }

    void resized() override;
    void mouseEnter (const juce::MouseEvent&) override;
    void mouseExit (const juce::MouseEvent&) override;

    KnobSlider slider;
    juce::Label label;
    ValueWindow readout { "Value" };

    static constexpr const char* artProperty = "zemKnobArt";

private:
    void applyRotaryRange();
    void setTextBelow();

    const ArtKit* kit = nullptr;
    bool readoutActive = false;
    bool showValueOnHover = true;
    std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment> attachment;
};
}
