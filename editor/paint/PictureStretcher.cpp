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

void PictureStretcher::prepareTaps (juce::Rectangle<float> device, juce::Rectangle<int> box, int pictureWidth,
                                    int pictureHeight)
{
    tapBox = box;
    columns.resize ((size_t) box.getWidth());
    rows.resize ((size_t) box.getHeight());
    fillTaps (columns.data(), box.getX(), box.getWidth(), device.getX(), device.getWidth(), pictureWidth);
    fillTaps (rows.data(), box.getY(), box.getHeight(), device.getY(), device.getHeight(), pictureHeight);
}

void PictureStretcher::stretch (const juce::Image::BitmapData& picture, juce::Rectangle<int> region,
                                juce::Point<int> origin, juce::Image::BitmapData& target)
{
    const int left = region.getX() - tapBox.getX();
    for (int y = region.getY(); y < region.getBottom(); ++y)
    {
        const auto& row = rows[(size_t) (y - tapBox.getY())];
        const auto* upper = reinterpret_cast<const juce::uint32*> (picture.getLinePointer (row.first));
        const auto* lower = reinterpret_cast<const juce::uint32*> (picture.getLinePointer (row.second));
        auto* out = reinterpret_cast<juce::uint32*> (target.getLinePointer (y - origin.y)) + (region.getX() - origin.x);
        const auto wy = (juce::uint32) row.weight;
        for (int x = 0; x < region.getWidth(); ++x)
        {
            const auto& column = columns[(size_t) (left + x)];
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

std::vector<juce::Rectangle<int>> PictureStretcher::regionsToWork (const OpaqueTiles::Grid& grid) const
{
    constexpr int size = OpaqueTiles::tileSize;
    constexpr int bridge = 16;   // gaps this narrow are worked out rather than split off
    std::vector<juce::Rectangle<int>> regions;
    if (grid.columns == 0 || grid.rows == 0)
        return regions;
    std::vector<char> rowFilled ((size_t) grid.columns);
    std::vector<size_t> open, opened;
    const int width = tapBox.getWidth(), height = tapBox.getHeight();
    auto filled = [&] (int x)
    {
        const auto& column = columns[(size_t) x];
        return rowFilled[(size_t) (column.first / size)] != 0 || rowFilled[(size_t) (column.second / size)] != 0;
    };
    for (int y = 0; y < height;)
    {
        const int upper = rows[(size_t) y].first / size, lower = rows[(size_t) y].second / size;
        int end = y + 1;
        while (end < height && rows[(size_t) end].first / size == upper && rows[(size_t) end].second / size == lower)
            ++end;
        for (int c = 0; c < grid.columns; ++c)
            rowFilled[(size_t) c] = grid.at (c, upper) || grid.at (c, lower) ? 1 : 0;

        opened.clear();
        for (int x = 0; x < width;)
        {
            if (! filled (x))
            {
                ++x;
                continue;
            }
            int last = x;
            for (int next = x + 1; next < width && next - last <= bridge; ++next)
                if (filled (next))
                    last = next;
            const juce::Rectangle<int> run (tapBox.getX() + x, tapBox.getY() + y, last + 1 - x, end - y);
            auto same = std::find_if (open.begin(), open.end(), [&] (size_t i)
                                      { return regions[i].getX() == run.getX() && regions[i].getRight() == run.getRight(); });
            if (same != open.end())
            {
                regions[*same].setBottom (run.getBottom());
                opened.push_back (*same);
            }
            else
            {
                opened.push_back (regions.size());
                regions.push_back (run);
            }
            x = last + 1;
        }
        std::swap (open, opened);
        y = end;
    }
    return regions;
}

bool PictureStretcher::copiedUnscaled (const juce::Image& picture, juce::Rectangle<float> device)
{
    const bool sameSize = std::abs (device.getWidth() - (float) picture.getWidth()) < 0.002f * device.getWidth()
                          && std::abs (device.getHeight() - (float) picture.getHeight()) < 0.002f * device.getHeight();
    // The framework copies a picture of the same size whose offset is within an eighth
    // of a pixel past a whole one.
    auto nearWhole = [] (float v) { return v - std::floor (v) < 0.125f; };
    return sameSize && nearWhole (device.getX()) && nearWhole (device.getY());
}

bool PictureStretcher::draw (juce::Graphics& g, const juce::Image& picture, juce::Rectangle<float> area,
                             const OpaqueTiles::Grid* grid)
{
    if (! picture.isValid() || picture.getFormat() != juce::Image::ARGB)
        return false;
    const float physical = g.getInternalContext().getPhysicalPixelScaleFactor();
    if (! (physical > 0.0f))
        return false;
    const auto device = area * physical;
    if (copiedUnscaled (picture, device))
        return false;

    const auto box = device.getSmallestIntegerContainer().getIntersection (
        (g.getClipBounds().toFloat() * physical).getSmallestIntegerContainer());
    if (box.isEmpty())
        return true;
    prepareTaps (device, box, picture.getWidth(), picture.getHeight());
    const auto regions = grid != nullptr ? regionsToWork (*grid) : std::vector<juce::Rectangle<int>> { box };
    if (scratch.getWidth() < box.getWidth() || scratch.getHeight() < box.getHeight())
        scratch = juce::Image (juce::Image::ARGB, std::max (box.getWidth(), scratch.getWidth()),
                               std::max (box.getHeight(), scratch.getHeight()), false);
    {
        const juce::Image::BitmapData source (picture, juce::Image::BitmapData::readOnly);
        juce::Image::BitmapData target (scratch, 0, 0, box.getWidth(), box.getHeight(),
                                        juce::Image::BitmapData::writeOnly);
        for (const auto& region : regions)
            stretch (source, region, box.getPosition(), target);
    }
    for (const auto& region : regions)
        copyAt (g, scratch.getClippedImage (region - box.getPosition()), region.getPosition(), physical);
    return true;
}

std::vector<PictureStretcher::Piece> PictureStretcher::piecesFor (const juce::Image& picture,
                                                                   juce::Rectangle<float> area, float physical,
                                                                   const OpaqueTiles::Grid& grid)
{
    std::vector<Piece> pieces;
    if (! picture.isValid() || picture.getFormat() != juce::Image::ARGB || ! (physical > 0.0f))
        return pieces;
    const auto device = area * physical;
    if (copiedUnscaled (picture, device))
    {
        // The framework would copy the picture pixel for pixel from the whole device
        // pixel at or just before the area's corner: the pieces are the picture's own.
        const juce::Point<int> corner ((int) std::floor (device.getX()), (int) std::floor (device.getY()));
        prepareTaps (picture.getBounds().toFloat(), picture.getBounds(), picture.getWidth(), picture.getHeight());
        for (const auto& region : regionsToWork (grid))
            pieces.push_back ({ picture.getClippedImage (region), corner + region.getPosition(), true });
        return pieces;
    }
    const auto box = device.getSmallestIntegerContainer();
    if (box.isEmpty())
        return pieces;
    prepareTaps (device, box, picture.getWidth(), picture.getHeight());
    const juce::Image::BitmapData source (picture, juce::Image::BitmapData::readOnly);
    for (const auto& region : regionsToWork (grid))
    {
        juce::Image pixels (juce::Image::ARGB, region.getWidth(), region.getHeight(), false);
        juce::Image::BitmapData target (pixels, juce::Image::BitmapData::writeOnly);
        stretch (source, region, region.getPosition(), target);
        pieces.push_back ({ pixels, region.getPosition(), false });
    }
    return pieces;
}

void PictureStretcher::drawPieces (juce::Graphics& g, const std::vector<Piece>& pieces, float physical)
{
    for (const auto& piece : pieces)
        copyAt (g, piece.pixels, piece.at, physical);
}

void PictureStretcher::copyAt (juce::Graphics& g, const juce::Image& image, juce::Point<int> devicePixel, float physical)
{
    g.drawImageTransformed (image, atDevicePixel (devicePixel, physical));
}

juce::AffineTransform PictureStretcher::atDevicePixel (juce::Point<int> devicePixel, float physical)
{
    // A hair past the whole pixel, so that the context's truncation lands on it.
    const float nudge = 1.0f / 1024.0f;
    return juce::AffineTransform::scale (1.0f / physical)
        .translated (((float) devicePixel.x + nudge) / physical, ((float) devicePixel.y + nudge) / physical);
}

bool PictureStretcher::onWholeDevicePixels (juce::Graphics& g, juce::Rectangle<float> area)
{
    const auto device = area * g.getInternalContext().getPhysicalPixelScaleFactor();
    return isWhole (device.getX()) && isWhole (device.getY()) && isWhole (device.getRight()) && isWhole (device.getBottom());
}
