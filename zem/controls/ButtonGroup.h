#pragma once

namespace zem
{
// Takes a radio-group id: the counter's value, then the counter goes up by one, in one
// atomic step. Ids are never reused while the module stays loaded.
int nextRadioGroupId();

// A choice parameter shown as a row (or column) of radio art buttons, one per choice, kept
// in step with the parameter both ways: a click sets it as one complete gesture, and every
// change of the parameter (automation, undo, restored state) turns on the matching button.
class ButtonGroup : public juce::Component
{
public:
    ButtonGroup (juce::AudioProcessorValueTreeState& store, const juce::String& parameterId, const juce::String& name);
    ~ButtonGroup() override;

    void setVertical (bool shouldStack);
    void setArt (const ArtKit* kit);
    void setHelpText (const juce::String& text);
    void showValue (float value);

    int getNumButtons() const noexcept { return buttons.size(); }
    ArtButton* getButton (int index) const noexcept { return buttons[index]; }

    void resized() override;

private:
    void clicked (int index);

    juce::RangedAudioParameter* parameter = nullptr;
    juce::OwnedArray<ArtButton> buttons;
    std::unique_ptr<juce::ParameterAttachment> attachment;
    bool vertical = false;
};
}
