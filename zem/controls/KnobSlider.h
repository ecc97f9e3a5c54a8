#pragma once

namespace zem
{
// The knob's rotary slider, with keys a user can sweep it with: the arrows move by 1 % of
// the range (by the slider's own step with Shift held), Page Up and Page Down by 10 %,
// Home and End to the ends. Each key press is one complete gesture for the host. It
// repaints when it gains or loses keyboard focus, so that the look-and-feel can show the
// focus, and its accessibility handler steps by the same 1 %.
class KnobSlider : public juce::Slider
{
public:
    KnobSlider() = default;

    double arrowStep() const;
    double fineStep() const;
    double pageStep() const;

    bool keyPressed (const juce::KeyPress&) override;
    void focusGained (FocusChangeType) override;
    void focusLost (FocusChangeType) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    // The value a key asks for, or nothing when the key is not one of the knob's.
    std::optional<double> targetFor (const juce::KeyPress&) const;
    void setValueAsGesture (double newValue);
};
}
