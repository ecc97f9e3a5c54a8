#include "PageDissolve.h"

#include <cstring>

// A level L of the clip blends the incoming pixel over the outgoing one the way the
// framework blends an opaque pixel at L: (L x new) / 256 plus the outgoing pixel scaled
// by what that leaves.
void PageDissolve::mixPixel (const juce::uint8* leaving, const juce::uint8* shown, juce::uint8* out, int m,
                             int pixelStride)
{
    const int keep = 256 - ((m * 255) >> 8);
    for (int c = 0; c < pixelStride; ++c)
        out[c] = (juce::uint8) std::min (255, ((m * shown[c]) >> 8) + ((leaving[c] * keep) >> 8));
}

void PageDissolve::mixRow (const juce::uint8* leaving, const juce::uint8* shown, juce::uint8* out, const int* mask,
                           int pixelStride) const
{
    constexpr int full = 255 * 256;
    for (const auto& s : segments)
    {
        const int a = mask[s.first], b = mask[s.second];
        const auto offset = (size_t) (s.start * pixelStride);
        const auto bytes = (size_t) ((s.end - s.start) * pixelStride);
        if (a == 0 && b == 0)
        {
            std::memcpy (out + offset, leaving + offset, bytes);
            continue;
        }
        if (a == full && b == full)
        {
            std::memcpy (out + offset, shown + offset, bytes);
            continue;
        }
        for (int x = s.start; x < s.end; ++x)
        {
            const int w = columns[(size_t) x].weight;
            const int m = (a * (256 - w) + b * w + 0x8000) >> 16;
            const auto at = (size_t) (x * pixelStride);
            if (m == 0)
                std::memcpy (out + at, leaving + at, (size_t) pixelStride);
            else if (m >= 255)
                std::memcpy (out + at, shown + at, (size_t) pixelStride);
            else
                mixPixel (leaving + at, shown + at, out + at, m, pixelStride);
        }
    }
}

bool PageDissolve::draw (juce::Graphics& g, const juce::Image& leaving, const juce::Image& shown,
                         const juce::Image& mask, juce::Point<int> corner, float physical)
{
    if (! leaving.isValid() || ! shown.isValid() || ! mask.isValid() || leaving.getFormat() != shown.getFormat()
        || leaving.getBounds() != shown.getBounds() || mask.getFormat() != juce::Image::SingleChannel)
        return false;
    const int width = shown.getWidth(), height = shown.getHeight();
    const int n = mask.getWidth();

    columns.resize ((size_t) width);
    rows.resize ((size_t) height);
    PictureStretcher::fillTaps (columns.data(), 0, width, 0.0f, (float) width, n);
    PictureStretcher::fillTaps (rows.data(), 0, height, 0.0f, (float) height, mask.getHeight());
    segments.clear();
    for (int x = 0; x < width; ++x)
    {
        const auto& c = columns[(size_t) x];
        if (segments.empty() || segments.back().first != c.first || segments.back().second != c.second)
            segments.push_back ({ x, x + 1, c.first, c.second });
        else
            segments.back().end = x + 1;
    }
    maskRow.resize ((size_t) n);

    if (strip.getFormat() != shown.getFormat() || strip.getWidth() != width)
        strip = juce::Image (shown.getFormat(), width, bandRows, false);
    const juce::Image::BitmapData from (leaving, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData to (shown, juce::Image::BitmapData::readOnly);
    const juce::Image::BitmapData noise (mask, juce::Image::BitmapData::readOnly);
    for (int top = 0; top < height; top += bandRows)
    {
        const int count = std::min (bandRows, height - top);
        {
            juce::Image::BitmapData out (strip, juce::Image::BitmapData::writeOnly);
            for (int y = top; y < top + count; ++y)
            {
                const auto& r = rows[(size_t) y];
                const auto* upper = noise.getLinePointer (r.first);
                const auto* lower = noise.getLinePointer (r.second);
                for (int i = 0; i < n; ++i)
                    maskRow[(size_t) i] = upper[i * noise.pixelStride] * (256 - r.weight)
                                          + lower[i * noise.pixelStride] * r.weight;
                mixRow (from.getLinePointer (y), to.getLinePointer (y), out.getLinePointer (y - top), maskRow.data(),
                        from.pixelStride);
            }
        }
        PictureStretcher::copyAt (g, strip.getClippedImage ({ 0, 0, width, count }), corner.translated (0, top),
                                  physical);
    }
    return true;
}
