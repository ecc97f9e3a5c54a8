#pragma once

#include <juce_core/juce_core.h>

// A numbered art or layout name: base name, page word (may be empty) and a decimal
// index without leading zeros ("sizzleSpotRare12", "flapMedium3").
inline juce::String artName (const char* base, const juce::String& word, int index)
{
    return base + word + juce::String (index);
}
