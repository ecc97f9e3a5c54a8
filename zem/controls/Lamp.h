#pragma once

namespace zem
{
// A status lamp: off and three lit states, drawn from the kit's "lamp" filmstrip or as a
// coloured disc with a halo. The state text lives only in the accessible description.
class Lamp : public juce::Component
{
public:
    explicit Lamp (const juce::String& name);

    void setArt (const ArtKit* newKit);
    void setState (int newState, const juce::String& stateText);
    int getState() const noexcept { return state; }

    // The frame drawn for a state: 0, 1 and 2 for those states, 3 for any other.
    static int frameFor (int state);
    static juce::Colour colourFor (int state);

    void paint (juce::Graphics& g) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    void paintDrawn (juce::Graphics& g, juce::Rectangle<float> b) const;

    const ArtKit* kit = nullptr;
    int state = 0;
};
}
