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

juce::Rectangle<int> tileAt (const juce::Image& image, int column, int row)
{
    const int tx = column * OpaqueTiles::tileSize, ty = row * OpaqueTiles::tileSize;
    return { tx, ty, std::min (OpaqueTiles::tileSize, image.getWidth() - tx),
             std::min (OpaqueTiles::tileSize, image.getHeight() - ty) };
}
} // namespace

OpaqueTiles::Grid OpaqueTiles::findGrid (const juce::Image& image)
{
    if (! image.isValid())
        return {};
    auto grid = uniformGrid (image, ! image.hasAlphaChannel());
    if (! image.hasAlphaChannel())
        return grid;
    const juce::Image::BitmapData bits (image, juce::Image::BitmapData::readOnly);
    for (int row = 0; row < grid.rows; ++row)
        for (int column = 0; column < grid.columns; ++column)
            grid.filled[(size_t) (row * grid.columns + column)] = hasVisiblePixel (bits, tileAt (image, column, row));
    return grid;
}

OpaqueTiles::Grid OpaqueTiles::filledGrid (const juce::Image& image)
{
    return uniformGrid (image, true);
}

// The picture's grid with every tile set alike.
OpaqueTiles::Grid OpaqueTiles::uniformGrid (const juce::Image& image, bool filled)
{
    Grid grid;
    grid.columns = (image.getWidth() + tileSize - 1) / tileSize;
    grid.rows = (image.getHeight() + tileSize - 1) / tileSize;
    grid.filled.assign ((size_t) (grid.columns * grid.rows), filled);
    return grid;
}

juce::RectangleList<int> OpaqueTiles::findTiles (const juce::Image& image)
{
    return tilesOf (image, findGrid (image));
}

juce::RectangleList<int> OpaqueTiles::tilesOf (const juce::Image& image, const Grid& grid)
{
    juce::RectangleList<int> tiles;
    if (! image.isValid())
        return tiles;
    if (! image.hasAlphaChannel())
    {
        tiles.add (image.getBounds());
        return tiles;
    }
    for (int row = 0; row < grid.rows; ++row)
        for (int column = 0; column < grid.columns; ++column)
            if (grid.at (column, row))
                tiles.addWithoutMerging (tileAt (image, column, row));
    tiles.consolidate();
    return tiles;
}

OpaqueTiles::Entry& OpaqueTiles::entryFor (const juce::Image& image)
{
    auto* key = image.getPixelData();
    auto found = cache.find (key);
    if (found == cache.end())
        found = cache.emplace (key, Entry { image, findGrid (image), false, {} }).first;
    return found->second;
}

const juce::RectangleList<int>& OpaqueTiles::tilesFor (const juce::Image& image)
{
    auto& entry = entryFor (image);
    if (! entry.hasTiles)
    {
        entry.tiles = tilesOf (image, entry.grid);
        entry.hasTiles = true;
    }
    return entry.tiles;
}

const OpaqueTiles::Grid& OpaqueTiles::gridFor (const juce::Image& image)
{
    return entryFor (image).grid;
}

void OpaqueTiles::adopt (const juce::Image& image, Grid grid)
{
    if (image.isValid())
        cache.emplace (image.getPixelData(), Entry { image, std::move (grid), false, {} });
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
