#pragma once

#include <juce_graphics/juce_graphics.h>

#include <algorithm>
#include <cstdlib>

// The largest difference between two colours in any of red, green and blue.
inline int channelDistance (juce::Colour a, juce::Colour b)
{
    return std::max ({ std::abs ((int) a.getRed() - (int) b.getRed()), std::abs ((int) a.getGreen() - (int) b.getGreen()),
                       std::abs ((int) a.getBlue() - (int) b.getBlue()) });
}
