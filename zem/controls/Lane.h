#pragma once

namespace zem
{
// A horizontal value bar (0 to 1, from the left or from the centre) in a box, with up to
// four marker lines.
class Lane : public juce::Component
{
public:
    struct Marker
    {
        float position = 0.0f;
        juce::Colour colour;
        juce::String label;   // kept for the caller; never drawn
        bool shown = false;
    };

    static constexpr int maxMarkers = 4;

    explicit Lane (const juce::String& name);

    void setArt (const ArtKit* newKit);
    void setBipolar (bool fromCentre);
    void setBarColour (juce::Colour colour);
    void setValue (float newValue, const juce::String& text);
    void setMarker (int index, float position, juce::Colour colour, const juce::String& label);
    void clearMarkers();

    float getValue() const noexcept { return value; }
    const Marker& getMarker (int index) const { return markers[(size_t) index]; }

    // The area inside the box, and the bar within it, for bounds b.
    static juce::Rectangle<float> innerArea (juce::Rectangle<float> b);
    juce::Rectangle<float> barArea (juce::Rectangle<float> inner) const;

    void paint (juce::Graphics& g) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    static float clampToUnit (float x);

    const ArtKit* kit = nullptr;
    float value = 0.0f;
    bool bipolar = false;
    juce::Colour barColour = palette::accent;
    std::array<Marker, maxMarkers> markers;
};
}
