namespace zem
{

namespace
{
    const char* const defaultGlyphOrder = "0123456789.-+ ";

    float drawWithFont (juce::Graphics& g, const juce::String& text, const juce::Rectangle<float>& area,
                        int justification, juce::Colour colour)
    {
        g.setColour (colour);
        g.setFont (plainFont (area.getHeight()));
        g.drawText (text, area, juce::Justification (justification), false);
        return area.getWidth();
    }

    float startX (const juce::Rectangle<float>& area, int justification, float total)
    {
        if ((justification & juce::Justification::horizontallyCentred) != 0)
            return area.getX() + (area.getWidth() - total) / 2.0f;

        if ((justification & juce::Justification::right) != 0)
            return area.getX() + area.getWidth() - total;

        return area.getX();
    }

    int cellIndex (const juce::String& order, juce::juce_wchar c)
    {
        const int index = order.indexOfChar (c);
        return index >= 0 ? index : order.indexOfChar (juce::CharacterFunctions::toUpperCase (c));
    }
}

float drawGlyphText (juce::Graphics& g, const ArtKit& kit, const juce::String& text,
                     const juce::Rectangle<float>& area, int justification, float scale,
                     juce::Colour colour)
{
    if (! isPresent (kit.glyphs) || text.isEmpty())
        return drawWithFont (g, text, area, justification, colour);

    const auto orderValue = kit.docs.lookupPath ("glyphs.order");
    const auto order = orderValue.isVoid() ? juce::String (defaultGlyphOrder) : orderValue.toString();
    const auto& picture = kit.glyphs->imageFor (scale);

    if (! picture.isValid() || order.isEmpty())
        return drawWithFont (g, text, area, justification, colour);

    const int cellWidth = picture.getWidth() / order.length();
    const int cellHeight = picture.getHeight();

    if (cellWidth < 1 || cellHeight < 1)
        return drawWithFont (g, text, area, justification, colour);

    // Every glyph takes the area's full height at its cell's proportions; every
    // character, drawn or not, moves the pen by the same advance.
    const float advance = area.getHeight() / (float) cellHeight * (float) cellWidth;
    const float total = (float) text.length() * advance;
    float x = startX (area, justification, total);

    juce::Graphics::ScopedSaveState state (g);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);

    for (auto c : text)
    {
        const int index = cellIndex (order, c);

        if (index >= 0)
        {
            const auto cell = picture.getClippedImage ({ cellWidth * index, 0, cellWidth, cellHeight });
            g.drawImage (cell, { x, area.getY(), advance, area.getHeight() },
                         juce::RectanglePlacement::stretchToFit, false);
        }

        x += advance;
    }

    return total;
}

} // namespace zem
