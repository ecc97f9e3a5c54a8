#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

/** Sizes the component to width by height and paints it, children included, into an
    image of (width * scale) by (height * scale) pixels: the same paint calls a host
    window makes on a display with that many device pixels per pixel. */
juce::Image renderEditorSnapshot (juce::Component& editor, int width, int height, float scale);

/** Writes the image as PNG, replacing the file; false when it could not be written. */
bool writeSnapshotPng (const juce::Image& image, const juce::File& file);
