#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

/** PNG bytes of an image. */
juce::MemoryBlock pngOf (const juce::Image& image);

/** An image of one colour. */
juce::Image solidImage (int width, int height, juce::Colour colour);

/** A filmstrip: one cell per colour, side by side, each cellWidth wide; extra
    columns on the right are filled with the last argument. */
juce::Image stripImage (int cellWidth, int height, const std::vector<juce::Colour>& cells,
                        int extraColumns = 0, juce::Colour extra = juce::Colours::magenta);

/** A blank ARGB canvas to draw into, cleared to transparent black. */
juce::Image canvas (int width, int height);

/** True when two colours differ by at most the tolerance in every channel. */
bool near (juce::Colour a, juce::Colour b, int tolerance = 6);
