#pragma once

namespace zem
{

/** Splits a resource identifier such as "knob2x_png" into its base name ("knob"),
    its scale (2) and its lower-cased extension ("png").

    Returns false, leaving the outputs untouched, when there is no underscore after
    the first character; returns false with the outputs written when the base name
    would be empty. */
bool parseResourceId (const juce::String& identifier, juce::String& baseName, int& scale, juce::String& extension);

} // namespace zem
