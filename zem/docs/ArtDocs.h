#pragma once

namespace zem
{

/** The parsed layout files of one art set, in load order. Dotted keys are looked up
    in the last document first; a JSON null does not hide an earlier document's value.
    Copies share the parsed objects. */
class ArtDocs
{
public:
    /** Parses the bytes as JSON and appends the result if it is an object. */
    void addDocument (const char* data, int size);

    /** The value under a dotted path ("layout.knob"), or a void var. */
    juce::var lookupPath (const juce::String& path) const;

    /** "layout." + name as [x, y, width, height] in design pixels, or the fallback. */
    juce::Rectangle<float> layoutRect (const juce::String& name, juce::Rectangle<float> fallback) const;

    /** True when "layout." + name is an array of at least four entries. */
    bool hasLayoutRect (const juce::String& name) const;

    /** "frames." + name, at least 1 when present, else the fallback. */
    int frameCount (const juce::String& name, int fallback) const;

    /** "glyphs.order" as text, or the fallback. */
    juce::String glyphOrder (const juce::String& fallback) const;

    /** "knob.startDegrees" and "knob.endDegrees" in radians (end never below start),
        or the fallback when either is missing. */
    std::pair<float, float> knobRange (std::pair<float, float> fallback) const;

    /** "design.width" and "design.height", or the fallback when either is missing. */
    std::pair<int, int> designSize (std::pair<int, int> fallback) const;

    juce::Array<juce::var> documents;
};

} // namespace zem
