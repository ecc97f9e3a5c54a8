#include "PictureStretcher.h"

#include <cmath>

namespace
{
// Two premultiplied ARGB pixels mixed, the second weighted by w in 256ths; the
// channels are worked two at a time in 16-bit lanes.
inline juce::uint32 mix (juce::uint32 a, juce::uint32 b, juce::uint32 w)
{
    const juce::uint32 v = 256 - w;
    const juce::uint32 redBlue = ((((a & 0xff00ffu) * v + (b & 0xff00ffu) * w + 0x800080u) >> 8) & 0xff00ffu);
    const juce::uint32 alphaGreen = ((((a >> 8) & 0xff00ffu) * v + ((b >> 8) & 0xff00ffu) * w + 0x800080u) & 0xff00ff00u);
    return redBlue | alphaGreen;
}

bool isWhole (float v)
{
    return std::abs (v - std::round (v)) < 0.001f;
}
} // namespace

void PictureStretcher::fillTaps (Tap* taps, int start, int count, float areaStart, float areaLength, int pictureLength)
{
    const float step = (float) pictureLength / areaLength;
    const float areaEnd = areaStart + areaLength;
    for (int i = 0; i < count; ++i)
    {
        const float pixel = (float) (start + i);
        const float source = (pixel + 0.5f - areaStart) * step - 0.5f;
        const int whole = (int) std::floor (source);
        const int weight = juce::jlimit (0, 255, (int) ((source - (float) whole) * 256.0f));
        const float covered = std::min (pixel + 1.0f, areaEnd) - std::max (pixel, areaStart);
        taps[i] = { juce::jlimit (0, pictureLength - 1, whole), juce::jlimit (0, pictureLength - 1, whole + 1), weight,
                    juce::jlimit (0, 256, (int) std::lround (covered * 256.0f)) };
    }
}

void PictureStretcher::stretch (const juce::Image::BitmapData& picture, juce::Rectangle<float> device,
                                juce::Rectangle<int> box, juce::Image::BitmapData& target)
{
    columns.resize ((size_t) box.getWidth());
    rows.resize ((size_t) box.getHeight());
    fillTaps (columns.data(), box.getX(), box.getWidth(), device.getX(), device.getWidth(), picture.width);
    fillTaps (rows.data(), box.getY(), box.getHeight(), device.getY(), device.getHeight(), picture.height);

    for (int y = 0; y < box.getHeight(); ++y)
    {
        const auto& row = rows[(size_t) y];
        const auto* upper = reinterpret_cast<const juce::uint32*> (picture.getLinePointer (row.first));
        const auto* lower = reinterpret_cast<const juce::uint32*> (picture.getLinePointer (row.second));
        auto* out = reinterpret_cast<juce::uint32*> (target.getLinePointer (y));
        const auto wy = (juce::uint32) row.weight;
        for (int x = 0; x < box.getWidth(); ++x)
        {
            const auto& column = columns[(size_t) x];
            const auto a = upper[column.first], b = upper[column.second];
            const auto c = lower[column.first], d = lower[column.second];
            if ((a | b | c | d) == 0)
            {
                out[x] = 0;
                continue;
            }
            const auto wx = (juce::uint32) column.weight;
            auto pixel = mix (mix (a, b, wx), mix (c, d, wx), wy);
            const int cover = column.cover * row.cover;
            if (cover < 65536)   // premultiplied: a partly covered pixel scales as a whole
                pixel = mix (0, pixel, (juce::uint32) ((cover + 128) >> 8));
            out[x] = pixel;
        }
    }
}

bool PictureStretcher::draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<float> area)
{
    if (! picture.isValid() || picture.getFormat() != juce::Image::ARGB)
        return false;
    const float physical = g.getInternalContext().getPhysicalPixelScaleFactor();
    if (! (physical > 0.0f))
        return false;
    const auto device = area * physical;
    const bool sameSize = std::abs (device.getWidth() - (float) picture.getWidth()) < 0.002f * device.getWidth()
                          && std::abs (device.getHeight() - (float) picture.getHeight()) < 0.002f * device.getHeight();
    // The framework copies a picture of the same size whose offset is within an eighth
    // of a pixel past a whole one.
    auto nearWhole = [] (float v) { return v - std::floor (v) < 0.125f; };
    if (sameSize && nearWhole (device.getX()) && nearWhole (device.getY()))
        return false;

    const auto box = device.getSmallestIntegerContainer().getIntersection (
        (g.getClipBounds().toFloat() * physical).getSmallestIntegerContainer());
    if (box.isEmpty())
        return true;
    if (scratch.getWidth() < box.getWidth() || scratch.getHeight() < box.getHeight())
        scratch = juce::Image (juce::Image::ARGB, std::max (box.getWidth(), scratch.getWidth()),
                               std::max (box.getHeight(), scratch.getHeight()), false);
    {
        const juce::Image::BitmapData source (picture, juce::Image::BitmapData::readOnly);
        juce::Image::BitmapData target (scratch, 0, 0, box.getWidth(), box.getHeight(),
                                        juce::Image::BitmapData::writeOnly);
        stretch (source, device, box, target);
    }

    copyAt (g, scratch.getClippedImage ({ box.getWidth(), box.getHeight() }), box.getPosition(), physical);
    return true;
}

void PictureStretcher::copyAt (juce::Graphics& g, const juce::Image& image, juce::Point<int> devicePixel, float physical)
{
    // A hair past the whole pixel, so that the context's truncation lands on it.
    const float nudge = 1.0f / 1024.0f;
    g.drawImageTransformed (image, juce::AffineTransform::scale (1.0f / physical)
                                       .translated (((float) devicePixel.x + nudge) / physical,
                                                    ((float) devicePixel.y + nudge) / physical));
}

bool PictureStretcher::onWholeDevicePixels (juce::Graphics& g, juce::Rectangle<float> area)
{
    const auto device = area * g.getInternalContext().getPhysicalPixelScaleFactor();
    return isWhole (device.getX()) && isWhole (device.getY()) && isWhole (device.getRight()) && isWhole (device.getBottom());
}
