#pragma once

namespace zem
{
// A one-line readout: a bezel box (or a drawn rounded box) with its text drawn from the
// glyph strip. The text reaches assistive technology through the accessible description.
class ValueWindow : public juce::Component
{
public:
    explicit ValueWindow (const juce::String& name);

    void setArt (const ArtKit* newKit);
    void setText (const juce::String& newText, const juce::String& accessibleText);
    void setDim (bool shouldBeDim);

    const juce::String& getText() const noexcept { return text; }
    bool isDim() const noexcept { return dim; }

    void paint (juce::Graphics& g) override;
    std::unique_ptr<juce::AccessibilityHandler> createAccessibilityHandler() override;

private:
    const ArtKit* kit = nullptr;
    juce::String text;
    float textHeight = 0.62f;
    bool dim = false;
};
}
