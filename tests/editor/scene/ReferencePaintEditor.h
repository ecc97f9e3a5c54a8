#pragma once

#include "TorvaneEditor.h"

// The scene painted the way it was before its per-size copies, for comparing the faster
// paint against: every overlay resampled on every paint over the whole picture, the eyes
// clipped by their resampled outline, the dissolve drawn through an image clip. Switched
// per paint, so that one editor with one animation state paints both ways.
class ReferencePaintEditor : public TorvaneEditor
{
public:
    using TorvaneEditor::TorvaneEditor;

    bool reference = false;

protected:
    const OpaqueTiles::Grid* tilesOf (const juce::Image& picture) override
    {
        return reference ? nullptr : TorvaneEditor::tilesOf (picture);
    }

    const OverlayCopies::Pieces* laidOnDevice (const juce::Image& picture, juce::Rectangle<float> area, float physical,
                                               const OpaqueTiles::Grid* grid) override
    {
        return reference ? nullptr : TorvaneEditor::laidOnDevice (picture, area, physical, grid);
    }

    bool mixOnDevice (juce::Graphics& g, float artScale) override
    {
        return ! reference && TorvaneEditor::mixOnDevice (g, artScale);
    }
};
