#pragma once

#include <juce_graphics/juce_graphics.h>

// Access to the generated art folder for the tests: names, layout and picture headers.
namespace artfiles
{
juce::File folder();
juce::StringArray lines (const juce::String& dataFile);   // a list kept beside the tests
juce::StringArray productNames();                          // the 176 names without "logo"

const juce::var& layout();                                  // art.json's "layout" object
juce::Rectangle<float> rect (const juce::String& key);      // asserts presence
bool has (const juce::String& key);

struct PngHeader
{
    bool valid = false;
    int width = 0, height = 0, bitDepth = 0, colourType = 0;
};
PngHeader readHeader (const void* data, size_t size);
PngHeader readHeader (const juce::File& file);
juce::File picture (const juce::String& name, int scale);
juce::Image load (const juce::String& name, int scale);

// A page's drawing ("Rare", "Medium", "Well") at a scale, decoded once, as ARGB.
const juce::Image& drawing (const juce::String& page, int scale);

// Mean absolute difference of the colour channels of two images over an area, 0 to 255.
double meanError (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area);

// The rectangle that sets a picture's size: its own, content, its page's mouth, mouthRare.
juce::Rectangle<float> sizingRect (const juce::String& name);

// JUCE's binary-data identifier hash: h = 31 h + c over the identifier, 32-bit.
juce::uint32 resourceHash (const juce::String& identifier);
juce::String identifierFor (const juce::String& fileName);

const char* const pages[] = { "Rare", "Medium", "Well" };
} // namespace artfiles
