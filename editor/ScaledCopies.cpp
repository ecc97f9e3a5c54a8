#include "ScaledCopies.h"

ScaledCopies::Copy& ScaledCopies::slotFor (const juce::Image& picture)
{
    ++uses;
    Copy* slot = nullptr;
    for (auto& copy : copies)
        if (copy.source.getPixelData() == picture.getPixelData())
            slot = &copy;
    if (slot == nullptr)
        for (auto& copy : copies)
            if (slot == nullptr || copy.lastUse < slot->lastUse)
                slot = &copy;
    slot->lastUse = uses;
    return *slot;
}

const juce::Image& ScaledCopies::copyOf (const juce::Image& picture, int width, int height)
{
    auto& slot = slotFor (picture);
    if (slot.source.getPixelData() == picture.getPixelData() && slot.scaled.getWidth() == width
        && slot.scaled.getHeight() == height)
        return slot.scaled;

    slot.source = picture;
    slot.scaled = stretched (picture, width, height);
    ++made;
    return slot.scaled;
}

void ScaledCopies::adopt (const juce::Image& picture, const juce::Image& scaled)
{
    auto& slot = slotFor (picture);
    slot.source = picture;
    slot.scaled = scaled;
}

juce::Image ScaledCopies::stretched (const juce::Image& picture, int width, int height)
{
    juce::Image scaled (picture.getFormat(), width, height, true);
    juce::Graphics g (scaled);
    g.drawImage (picture, scaled.getBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
    return scaled;
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
