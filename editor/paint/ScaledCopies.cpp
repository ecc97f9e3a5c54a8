#include "ScaledCopies.h"

ScaledCopies::ScaledCopies (CopyBudget& b) : budget (b)
{
    budget.add (*this);
}

ScaledCopies::~ScaledCopies()
{
    clear();
    budget.remove (*this);
}

std::list<ScaledCopies::Copy>::iterator ScaledCopies::find (const juce::Image& picture)
{
    return std::find_if (copies.begin(), copies.end(),
                         [&] (const Copy& c) { return c.source.getPixelData() == picture.getPixelData(); });
}

void ScaledCopies::erase (std::list<Copy>::iterator copy)
{
    budget.giveBack (copy->bytes);
    copies.erase (copy);
}

void ScaledCopies::keep (const juce::Image& picture, juce::Image scaled, size_t bytes)
{
    copies.push_back ({ picture, std::move (scaled), bytes, budget.currentFrame() });
}

const juce::Image* ScaledCopies::copyOf (const juce::Image& picture, int width, int height)
{
    if (! picture.isValid() || width <= 0 || height <= 0)
        return nullptr;
    auto copy = find (picture);
    if (copy != copies.end() && copy->scaled.getWidth() == width && copy->scaled.getHeight() == height)
    {
        copy->lastUse = budget.currentFrame();
        return &copy->scaled;
    }
    if (copy != copies.end())
        erase (copy);
    const auto bytes = bytesFor (picture.getFormat(), width, height);
    if (! budget.takeForNow (bytes))
        return nullptr;
    keep (picture, stretched (picture, width, height), bytes);
    ++made;
    return &copies.back().scaled;
}

void ScaledCopies::adopt (const juce::Image& picture, const juce::Image& scaled)
{
    if (! picture.isValid() || ! scaled.isValid())
        return;
    if (auto copy = find (picture); copy != copies.end())
        erase (copy);
    const auto bytes = bytesFor (scaled.getFormat(), scaled.getWidth(), scaled.getHeight());
    if (budget.takeAhead (bytes))
        keep (picture, scaled, bytes);
}

void ScaledCopies::clear()
{
    while (! copies.empty())
        erase (std::prev (copies.end()));
}

size_t ScaledCopies::bytesBefore (juce::uint32 keepFrom) const
{
    size_t bytes = 0;
    for (const auto& c : copies)
        if (c.lastUse < keepFrom)
            bytes += c.bytes;
    return bytes;
}

bool ScaledCopies::dropOldest (juce::uint32 keepFrom)
{
    auto oldest = copies.end();
    for (auto c = copies.begin(); c != copies.end(); ++c)
        if (c->lastUse < keepFrom && (oldest == copies.end() || c->lastUse < oldest->lastUse))
            oldest = c;
    if (oldest == copies.end())
        return false;
    erase (oldest);
    return true;
}

juce::Image ScaledCopies::stretched (const juce::Image& picture, int width, int height,
                                     const std::function<bool()>& shouldStop)
{
    // The bands only clip one stretch: each pixel is the one the whole stretch gives.
    constexpr int bandRows = 256;
    juce::Image scaled (picture.getFormat(), width, height, true);
    juce::Graphics g (scaled);
    for (int top = 0; top < height; top += bandRows)
    {
        if (shouldStop && shouldStop())
            return {};
        juce::Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (0, top, width, std::min (bandRows, height - top));
        g.drawImage (picture, scaled.getBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
    }
    return scaled;
}

size_t ScaledCopies::bytesFor (juce::Image::PixelFormat format, int width, int height)
{
    // The framework's software images: rows of whole pixels padded to 4 bytes.
    const int pixelStride = format == juce::Image::RGB ? 3 : format == juce::Image::SingleChannel ? 1 : 4;
    const size_t lineStride = ((size_t) (pixelStride * std::max (width, 1)) + 3) & ~(size_t) 3;
    return lineStride * (size_t) std::max (height, 1);
}

size_t ScaledCopies::bytesHeld() const
{
    size_t bytes = 0;
    for (const auto& copy : copies)
        if (copy.scaled.isValid())
        {
            const juce::Image::BitmapData bits (copy.scaled, juce::Image::BitmapData::readOnly);
            bytes += (size_t) bits.lineStride * (size_t) bits.height;
        }
    return bytes;
}
