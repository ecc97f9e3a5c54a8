#pragma once

#include <juce_graphics/juce_graphics.h>

// Draws a picture with an alpha channel stretched into an upright area, faster than the
// framework's resampling: the bilinear samples are worked out here, on the device pixel
// grid, into a scratch image that is then copied onto the context at whole device
// pixels. The samples follow the framework's own rule (pixel centres, edge pixels held
// beyond the picture's border, the area's edges covered in proportion), so the result
// matches a stretched drawImage to within rounding.
//
// It needs a context that maps units to a whole number of device pixels with nothing
// but a translation by whole device pixels added; the caller must not have added a
// rotation or a scale.
class PictureStretcher
{
public:
    // False, with nothing drawn, when this context or picture is not one it handles, or
    // when the framework would copy the picture without resampling anyway.
    bool draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<float> area);

    // The samples of the picture stretched over "device" (in device pixels), for the
    // device pixels of "box", written to target from its top-left corner.
    static void stretch (const juce::Image::BitmapData& picture, juce::Rectangle<float> device,
                         juce::Rectangle<int> box, juce::Image::BitmapData& target);

    // Draws an image unscaled with its top-left corner on the given device pixel, for a
    // context of "physical" device pixels per unit as above.
    static void copyAt (juce::Graphics& g, const juce::Image& image, juce::Point<int> devicePixel, float physical);

    // True when the context maps units to a whole number of device pixels.
    static bool onWholeDevicePixels (juce::Graphics& g);

private:
    juce::Image scratch;   // grows to the largest box drawn, never shrinks
};
