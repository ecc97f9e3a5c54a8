#include "OverlayCopies.h"

namespace
{
// Own pieces hold 4 bytes a pixel; views share the picture's pixels.
size_t ownBytes (const OverlayCopies::Pieces& pieces)
{
    size_t bytes = 0;
    for (const auto& piece : pieces)
        if (! piece.view)
            bytes += (size_t) piece.pixels.getWidth() * (size_t) piece.pixels.getHeight() * 4;
    return bytes;
}
} // namespace

OverlayCopies::Key OverlayCopies::keyFor (const juce::Image& picture, juce::Rectangle<float> area, float physical)
{
    const auto device = area * physical;
    return { picture.getPixelData(), device.getX(), device.getY(), device.getWidth(), device.getHeight() };
}

const OverlayCopies::Pieces* OverlayCopies::piecesFor (const juce::Image& picture, juce::Rectangle<float> area,
                                                       float physical, OpaqueTiles& tiles, PictureStretcher& stretcher,
                                                       const OpaqueTiles::Grid* grid)
{
    if (! picture.isValid() || picture.getFormat() != juce::Image::ARGB || ! (physical > 0.0f))
        return nullptr;
    const auto key = keyFor (picture, area, physical);
    auto found = copies.find (key);
    auto& copy = found != copies.end()
                     ? found->second
                     : insert (key, { picture, stretcher.piecesFor (picture, area, physical,
                                                                    grid != nullptr ? *grid : tiles.gridFor (picture)) });
    copy.lastUse = ++uses;
    return &copy.pieces;
}

void OverlayCopies::adopt (const juce::Image& picture, juce::Rectangle<float> area, float physical, Pieces pieces)
{
    const auto key = keyFor (picture, area, physical);
    if (picture.isValid() && copies.find (key) == copies.end())
        insert (key, { picture, std::move (pieces) }).lastUse = ++uses;
}

OverlayCopies::Copy& OverlayCopies::insert (const Key& key, Copy copy)
{
    copy.bytes = ownBytes (copy.pieces);
    trimTo (budget > copy.bytes ? budget - copy.bytes : 0, key);
    held += copy.bytes;
    ++made;
    return copies.emplace (key, std::move (copy)).first->second;
}

void OverlayCopies::trimTo (size_t bytes, const Key& keep)
{
    while (held > bytes)
    {
        auto oldest = copies.end();
        for (auto i = copies.begin(); i != copies.end(); ++i)
            if (i->first != keep && (oldest == copies.end() || i->second.lastUse < oldest->second.lastUse))
                oldest = i;
        if (oldest == copies.end())
            return;
        held -= oldest->second.bytes;
        copies.erase (oldest);
    }
}

void OverlayCopies::clear()
{
    copies.clear();
    held = 0;
}
