#pragma once

namespace zem
{

/** The toolkit's look-and-feel: the palette on the framework's controls, and knobs,
    buttons and toggles drawn from the kit's art when it has it. */
class LookAndFeel : public juce::LookAndFeel_V4
{
public:
    LookAndFeel();
    ~LookAndFeel() override = default;

    void drawButtonBackground (juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                               bool highlighted, bool down) override;
    void drawToggleButton (juce::Graphics&, juce::ToggleButton&, bool highlighted, bool down) override;
    juce::Font getLabelFont (juce::Label&) override;
    void drawRotarySlider (juce::Graphics&, int x, int y, int width, int height, float position,
                           float startAngle, float endAngle, juce::Slider&) override;
    juce::Label* createSliderTextBox (juce::Slider&) override;

    ArtKit* kit = nullptr;

private:
    bool drawKnobArt (juce::Graphics&, juce::Rectangle<float> area, float position, float angle, juce::Slider&);
    void drawKnobShape (juce::Graphics&, juce::Rectangle<float> area, float position,
                        float startAngle, float endAngle, float angle, bool enabled);
    void drawFocusRing (juce::Graphics&, juce::Rectangle<float> area);
    float drawingScale (juce::Graphics&) const;

    JUCE_DECLARE_NON_COPYABLE (LookAndFeel)
};

} // namespace zem
