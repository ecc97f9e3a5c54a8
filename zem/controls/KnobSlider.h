#pragma once

namespace zem
{
// The knob's rotary slider, with keys a user can sweep it with: the arrows move by 1 % of
// the range (by the slider's own step with Shift held), Page Up and Page Down by 10 %,
// Home and End to the ends. Each key press is one complete gesture for the host; while a
// gesture of the slider's own is open (a mouse drag), the knob's keys are taken and
// ignored, so that the host never sees one gesture inside another. Its accessibility
// handler steps by the same 1 % and follows the same rule.
//
// The look-and-feel rings the knob while showsFocusRing(): it has keyboard focus that
// came from the keyboard (Tab, or a key pressed since), or from a direct grab. A click
// gives it the focus, so that keys work after it, but no ring until a key is pressed.
class KnobSlider : public juce::Slider
{
public:
    KnobSlider() = default;

    double arrowStep() const;
    double fineStep() const;
    double pageStep() const;

    // Sets the value, clamped to the range, as one gesture of its own; does nothing while
    // a gesture is open or when the value would not change.
    void setValueAsGesture (double newValue);
    bool isGestureOpen() const noexcept { return openGestures > 0; }
    bool showsFocusRing() const;

    bool keyPressed (const juce::KeyPress&) override;
    void focusGained (FocusChangeType) override;
    void focusLost (FocusChangeType) override;
    void startedDragging() override;
    void stoppedDragging() override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    // The value a key asks for, or nothing when the key is not one of the knob's.
    std::optional<double> targetFor (const juce::KeyPress&) const;
    bool ringOnFocusFrom (FocusChangeType) const;
    void setRingWanted (bool);

    int openGestures = 0;
    bool ringWanted = false;
    bool awayWithWindow = false;
};
}
