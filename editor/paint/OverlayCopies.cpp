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

OverlayCopies::OverlayCopies (CopyBudget& b) : budget (b)
{
    budget.add (*this);
}

OverlayCopies::~OverlayCopies()
{
    clear();
    budget.remove (*this);
}

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
    if (auto found = copies.find (key); found != copies.end())
    {
        found->second.lastUse = budget.currentFrame();
        return &found->second.pieces;
    }
    if (isDeclined (key))
        return nullptr;
    auto pieces = stretcher.piecesFor (picture, area, physical, grid != nullptr ? *grid : tiles.gridFor (picture));
    if (! keep (key, picture, std::move (pieces), true))
    {
        declined[key] = { picture, budget.currentFrame() + declinedFrames };
        return nullptr;
    }
    declined.erase (key);
    return &copies.at (key).pieces;
}

void OverlayCopies::adopt (const juce::Image& picture, juce::Rectangle<float> area, float physical, Pieces pieces)
{
    const auto key = keyFor (picture, area, physical);
    if (picture.isValid() && copies.count (key) == 0 && ! isDeclined (key))
        keep (key, picture, std::move (pieces), false);
}

bool OverlayCopies::has (const juce::Image& picture, juce::Rectangle<float> area, float physical) const
{
    const auto key = keyFor (picture, area, physical);
    return copies.count (key) != 0 || isDeclined (key);
}

bool OverlayCopies::isDeclined (const Key& key) const
{
    const auto found = declined.find (key);
    return found != declined.end() && budget.currentFrame() < found->second.retryFrame;
}

bool OverlayCopies::keep (const Key& key, const juce::Image& picture, Pieces pieces, bool forNow)
{
    const auto bytes = ownBytes (pieces);
    if (! (forNow ? budget.takeForNow (bytes) : budget.takeAhead (bytes)))
        return false;
    held += bytes;
    ++made;
    copies.emplace (key, Copy { picture, std::move (pieces), bytes, budget.currentFrame() });
    return true;
}

size_t OverlayCopies::bytesBefore (juce::uint32 keepFrom) const
{
    size_t bytes = 0;
    for (const auto& c : copies)
        if (c.second.lastUse < keepFrom)
            bytes += c.second.bytes;
    return bytes;
}

bool OverlayCopies::dropOldest (juce::uint32 keepFrom)
{
    auto oldest = copies.end();
    for (auto i = copies.begin(); i != copies.end(); ++i)
        if (i->second.lastUse < keepFrom && (oldest == copies.end() || i->second.lastUse < oldest->second.lastUse))
            oldest = i;
    if (oldest == copies.end())
        return false;
    held -= oldest->second.bytes;
    budget.giveBack (oldest->second.bytes);
    copies.erase (oldest);
    return true;
}

void OverlayCopies::clear()
{
    budget.giveBack (held);
    copies.clear();
    declined.clear();
    held = 0;
}
