#pragma once

#include <juce_graphics/juce_graphics.h>

#include <vector>

// Draws a picture with an alpha channel stretched into an upright area, faster than the
// framework's resampling: the bilinear samples are worked out here, on the device pixel
// grid, into a scratch image that is then copied onto the context at whole device
// pixels. The samples follow the framework's own rule (pixel centres, edge pixels held
// beyond the picture's border, the area's edges covered in proportion), so the result
// matches a stretched drawImage to within rounding.
//
// It needs a context whose units map to device pixels by the display's scale alone, its
// origin on a device pixel's corner, and at most a translation by whole device pixels
// added: the caller must not have added a rotation or a scale. (With an origin off the
// device grid the result is still right, only resampled once more by the framework.)
class PictureStretcher
{
public:
    // False, with nothing drawn, when this context or picture is not one it handles, or
    // when the framework would copy the picture without resampling anyway.
    bool draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<float> area);

    // Draws an image unscaled with its top-left corner on the given device pixel, for a
    // context of "physical" device pixels per unit as above.
    static void copyAt (juce::Graphics& g, const juce::Image& image, juce::Point<int> devicePixel, float physical);

    // True when the area's edges fall on whole device pixels in this context.
    static bool onWholeDevicePixels (juce::Graphics& g, juce::Rectangle<float> area);

private:
    // Where one device column (or row) samples the picture: the two neighbouring
    // picture pixels, the weight of the second in 256ths, and how much of the device
    // pixel the area covers, in 256ths.
    struct Tap
    {
        int first, second, weight, cover;
    };

    // The samples of the picture stretched over "device" (in device pixels), for the
    // device pixels of "box", written to target from its top-left corner.
    void stretch (const juce::Image::BitmapData& picture, juce::Rectangle<float> device, juce::Rectangle<int> box,
                  juce::Image::BitmapData& target);
    static void fillTaps (Tap* taps, int start, int count, float areaStart, float areaLength, int pictureLength);

    // Scratch space that grows to the largest box drawn and never shrinks.
    juce::Image scratch;
    std::vector<Tap> columns, rows;
};
