namespace zem
{

FontOptions FontOptions::withHeight (float newHeight) const
{
    auto copy = *this;
    copy.height = newHeight;
    return copy;
}

FontOptions FontOptions::withStyle (const juce::String& newStyle) const
{
    auto copy = *this;
    copy.style = newStyle;
    return copy;
}

juce::Font FontOptions::toFont() const
{
    return juce::Font (juce::Font::getDefaultSansSerifFontName(), style, height);
}

} // namespace zem
