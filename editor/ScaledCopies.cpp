#include "ScaledCopies.h"

const juce::Image& ScaledCopies::copyOf (const juce::Image& picture, int width, int height)
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
    if (slot->source.getPixelData() == picture.getPixelData() && slot->scaled.getWidth() == width
        && slot->scaled.getHeight() == height)
        return slot->scaled;

    slot->source = picture;
    slot->scaled = juce::Image (picture.getFormat(), width, height, true);
    juce::Graphics g (slot->scaled);
    g.drawImage (picture, slot->scaled.getBounds().toFloat(), juce::RectanglePlacement::stretchToFit);
    ++made;
    return slot->scaled;
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
