#pragma once

#include "PictureStretcher.h"

#include <juce_graphics/juce_graphics.h>

#include <vector>

// The page dissolve worked out in the scene's own device-pixel loop instead of through an
// image clip: the incoming drawing mixed over the outgoing one by the noise mask,
// sampled bilinearly at each device pixel as the framework samples the mask stretched
// over the face square, then blended as the framework blends a drawing through a clip.
// The mix is made a band of rows at a time in a small scratch strip and copied onto the
// context at whole device pixels.
class PageDissolve
{
public:
    // Both drawings must be the face square's size in device pixels, in one format, the
    // square's corner on the device pixel "corner". False, with nothing drawn, otherwise.
    bool draw (juce::Graphics& g, const juce::Image& leaving, const juce::Image& shown, const juce::Image& mask,
               juce::Point<int> corner, float physical);

private:
    // A run of device columns that read the same two mask columns.
    struct Segment
    {
        int start, end, first, second;
    };
    void mixRow (const juce::uint8* leaving, const juce::uint8* shown, juce::uint8* out, const int* maskRow,
                 int pixelStride) const;
    static void mixPixel (const juce::uint8* leaving, const juce::uint8* shown, juce::uint8* out, int m, int pixelStride);

    juce::Image strip;
    std::vector<PictureStretcher::Tap> columns, rows;
    std::vector<Segment> segments;
    std::vector<int> maskRow;

    static constexpr int bandRows = 32;
};
