#include "OpaqueTiles.h"

namespace
{
bool hasVisiblePixel (const juce::Image::BitmapData& bits, juce::Rectangle<int> tile)
{
    for (int y = tile.getY(); y < tile.getBottom(); ++y)
        for (int x = tile.getX(); x < tile.getRight(); ++x)
        {
            const auto* pixel = bits.getPixelPointer (x, y);
            const auto alpha = bits.pixelFormat == juce::Image::ARGB
                                   ? reinterpret_cast<const juce::PixelARGB*> (pixel)->getAlpha()
                                   : bits.getPixelColour (x, y).getAlpha();
            if (alpha != 0)
                return true;
        }
    return false;
}
} // namespace

juce::RectangleList<int> OpaqueTiles::findTiles (const juce::Image& image)
{
    juce::RectangleList<int> tiles;
    if (! image.isValid())
        return tiles;
    if (! image.hasAlphaChannel())
    {
        tiles.add (image.getBounds());
        return tiles;
    }
    const juce::Image::BitmapData bits (image, juce::Image::BitmapData::readOnly);
    for (int ty = 0; ty < image.getHeight(); ty += tileSize)
        for (int tx = 0; tx < image.getWidth(); tx += tileSize)
        {
            const juce::Rectangle<int> tile (tx, ty, std::min (tileSize, image.getWidth() - tx),
                                             std::min (tileSize, image.getHeight() - ty));
            if (hasVisiblePixel (bits, tile))
                tiles.addWithoutMerging (tile);
        }
    tiles.consolidate();
    return tiles;
}

const juce::RectangleList<int>& OpaqueTiles::tilesFor (const juce::Image& image)
{
    auto* key = image.getPixelData();
    auto found = cache.find (key);
    if (found == cache.end())
        found = cache.emplace (key, Entry { image, findTiles (image) }).first;
    return found->second.tiles;
}

juce::RectangleList<int> OpaqueTiles::clipFor (const juce::Image& image, juce::Rectangle<float> area)
{
    juce::RectangleList<int> clip;
    if (! image.isValid())
        return clip;
    const float sx = area.getWidth() / (float) image.getWidth();
    const float sy = area.getHeight() / (float) image.getHeight();
    for (const auto& tile : tilesFor (image))
        clip.add (juce::Rectangle<float> (area.getX() + (float) tile.getX() * sx, area.getY() + (float) tile.getY() * sy,
                                          (float) tile.getWidth() * sx, (float) tile.getHeight() * sy)
                      .expanded (1.0f)
                      .getSmallestIntegerContainer());
    return clip;
}
