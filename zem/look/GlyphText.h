#pragma once

namespace zem
{

/** Draws text from the kit's glyph strip, one cell per character at the area's height,
    or with the plain font when there is no usable strip. Returns the width the text
    takes: the glyph row's width, or the area's width on the font path. */
float drawGlyphText (juce::Graphics& g, const ArtKit& kit, const juce::String& text,
                     const juce::Rectangle<float>& area, int justification, float scale,
                     juce::Colour colour);

} // namespace zem
