#pragma once

namespace zem
{

/** A font description built up by height and style, turned into a juce::Font.
    Stands in for the font-options type that this JUCE version does not have. */
class FontOptions
{
public:
    FontOptions withHeight (float newHeight) const;
    FontOptions withStyle (const juce::String& newStyle) const;

    juce::Font toFont() const;

private:
    float height = 14.0f;
    juce::String style { "Regular" };
};

} // namespace zem
