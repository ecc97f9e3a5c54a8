#pragma once

#include "OpaqueTiles.h"

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
    // when the framework would copy the picture without resampling anyway. With the
    // picture's tile grid, only the device pixels that can read a filled tile are worked
    // out and drawn.
    bool draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<float> area,
               const OpaqueTiles::Grid* grid = nullptr);

    // A part of a picture laid onto device pixels: its pixels, the device pixel of its
    // top-left corner, and whether the pixels are a view of the picture's own.
    struct Piece
    {
        juce::Image pixels;
        juce::Point<int> at;
        bool view = false;
    };

    // The picture as a context of "physical" device pixels per unit would draw it into
    // the area, kept as the pieces that can hold visible pixels: resampled where the
    // area's size or place needs it, otherwise views of the picture's own pixels.
    // Empty when the picture is not one the stretcher handles.
    std::vector<Piece> piecesFor (const juce::Image& picture, juce::Rectangle<float> area, float physical,
                                  const OpaqueTiles::Grid& grid);

    // Draws pieces at their device pixels, offset by a translation of the context.
    static void drawPieces (juce::Graphics& g, const std::vector<Piece>& pieces, float physical);

    // Draws an image unscaled with its top-left corner on the given device pixel, for a
    // context of "physical" device pixels per unit as above.
    static void copyAt (juce::Graphics& g, const juce::Image& image, juce::Point<int> devicePixel, float physical);

    // The transform that puts an image's top-left corner on that device pixel, unscaled.
    static juce::AffineTransform atDevicePixel (juce::Point<int> devicePixel, float physical);

    // Where one device column (or row) samples the picture: the two neighbouring
    // picture pixels, the weight of the second in 256ths, and how much of the device
    // pixel the area covers, in 256ths.
    struct Tap
    {
        int first, second, weight, cover;
    };

    // The taps of "count" device pixels from "start" for a picture of pictureLength
    // pixels stretched over areaLength device pixels from areaStart.
    static void fillTaps (Tap* taps, int start, int count, float areaStart, float areaLength, int pictureLength);

    // True when the area's edges fall on whole device pixels in this context.
    static bool onWholeDevicePixels (juce::Graphics& g, juce::Rectangle<float> area);

private:
    // The taps of the device pixels of "box" for the picture stretched over "device".
    void prepareTaps (juce::Rectangle<float> device, juce::Rectangle<int> box, int pictureWidth, int pictureHeight);
    // The samples of the device pixels of "region" (inside the prepared box), written to
    // target with "origin" at its top-left corner.
    void stretch (const juce::Image::BitmapData& picture, juce::Rectangle<int> region, juce::Point<int> origin,
                  juce::Image::BitmapData& target);
    // The parts of the prepared box whose samples can read a filled tile: bands of
    // device rows reading the same tile rows, cut into runs of columns.
    std::vector<juce::Rectangle<int>> regionsToWork (const OpaqueTiles::Grid& grid) const;
    static bool copiedUnscaled (const juce::Image& picture, juce::Rectangle<float> device);

    // Scratch space that grows to the largest box drawn and never shrinks.
    juce::Image scratch;
    juce::Rectangle<int> tapBox;
    std::vector<Tap> columns, rows;
};
