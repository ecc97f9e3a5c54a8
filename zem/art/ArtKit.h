#pragma once

namespace zem
{

/** One editor's view of an art store: the entries the toolkit's controls use, a copy
    of the layout documents and the current content scale. */
class ArtKit
{
public:
    explicit ArtKit (ArtStore* store = nullptr);

    /** The store's entry of that name, or null. */
    ArtEntry* find (const juce::String& name) const;

    /** Device pixels per design pixel for drawing into this graphics context. */
    float imageScale (juce::Graphics& g) const;

    ArtEntry* knob = nullptr;
    ArtEntry* toggle = nullptr;
    ArtEntry* button = nullptr;
    ArtEntry* lamp = nullptr;
    ArtEntry* bezel = nullptr;
    ArtEntry* glyphs = nullptr;
    ArtEntry* panel = nullptr;
    ArtEntry* lettering = nullptr;
    ArtEntry* selector = nullptr;
    ArtDocs docs;
    ArtStore* store = nullptr;
    float contentScale = 1.0f;
};

} // namespace zem
