namespace zem
{

namespace
{
    std::atomic<int> decodes { 0 };

    bool hasArea (const juce::Rectangle<float>& area) noexcept
    {
        return area.getWidth() > 0.0f && area.getHeight() > 0.0f;
    }
}

const juce::Image& nullImage()
{
    static const juce::Image image;
    return image;
}

int ArtEntry::decodeCount() noexcept
{
    return decodes.load();
}

void ArtEntry::addScale (int scale, const void* data, int size)
{
    if (scale < 1 || scale > 3 || data == nullptr || size <= 0)
        return;

    auto& slot = slots[(size_t) scale];
    slot.data = data;
    slot.size = size;
    slot.image = {};
    maxScale = juce::jmax (maxScale, scale);
}

int ArtEntry::chooseSlot (float scale) const noexcept
{
    if (maxScale <= 0)
        return 0;

    // The smallest file not below the drawing scale, with a little slack so that
    // scales a hair above a whole number still take that number's file.
    int wanted = 1;

    if (! std::isnan (scale))
        wanted = (int) juce::jlimit (1.0f, 3.0f, std::ceil (scale - 0.001f));

    for (int index = wanted; index <= 3; ++index)
        if (slots[(size_t) index].data != nullptr)
            return index;

    for (int index = wanted - 1; index >= 1; --index)
        if (slots[(size_t) index].data != nullptr)
            return index;

    return 0;
}

const juce::Image& ArtEntry::imageFor (float scale) const
{
    const int index = chooseSlot (scale);
    return index > 0 ? decodeSlot (index) : nullImage();
}

const juce::Image& ArtEntry::decodeSlot (int slotIndex) const
{
    auto& slot = slots[(size_t) slotIndex];

    if (slot.image.isNull() && slot.data != nullptr)
    {
        slot.image = decode (slot);
        ++decodes;
    }

    return slot.image;
}

juce::Image ArtEntry::decode (const Slot& slot)
{
    // Only whole, sound PNG files reach the decoder; anything else stays undecoded.
    if (slot.data == nullptr || slot.size <= 0 || ! isCompletePng (slot.data, (size_t) slot.size))
        return {};

    return juce::ImageFileFormat::loadFrom (slot.data, (size_t) slot.size);
}

const juce::Image& ArtEntry::decodedImage (int slotIndex) const
{
    if (slotIndex < 1 || slotIndex > 3)
        return nullImage();

    return decodeSlot (slotIndex);
}

std::pair<int, int> ArtEntry::naturalSize() const
{
    if (maxScale <= 0)
        return { 0, 0 };

    const auto& image = decodeSlot (maxScale);

    if (! image.isValid())
        return { 0, 0 };

    return { image.getWidth() / maxScale, image.getHeight() / maxScale };
}

bool ArtEntry::draw (juce::Graphics& g, const juce::Rectangle<float>& area, float scale,
                     juce::RectanglePlacement placement) const
{
    if (! hasArea (area))
        return false;

    const auto& image = imageFor (scale);

    if (! image.isValid())
        return false;

    g.drawImage (image, area, placement, false);
    return true;
}

bool ArtEntry::drawFrame (juce::Graphics& g, const juce::Rectangle<float>& area, float scale,
                          int frameIndex, int frameCount) const
{
    if (! hasArea (area) || frameCount < 1)
        return false;

    const auto& image = imageFor (scale);

    if (! image.isValid())
        return false;

    const int cellWidth = image.getWidth() / frameCount;

    if (cellWidth < 1)
        return false;

    const int index = juce::jlimit (0, frameCount - 1, frameIndex);
    const auto cell = image.getClippedImage ({ cellWidth * index, 0, cellWidth, image.getHeight() });
    g.drawImage (cell, area, juce::RectanglePlacement::stretchToFit, false);
    return true;
}

bool ArtEntry::drawRotated (juce::Graphics& g, const juce::Rectangle<float>& area, float scale,
                            float angleRadians) const
{
    if (! hasArea (area))
        return false;

    const auto& image = imageFor (scale);

    if (! image.isValid() || image.getWidth() <= 0)
        return false;

    const float s = area.getWidth() / (float) image.getWidth();
    const auto transform = juce::AffineTransform::translation (-(float) image.getWidth() / 2.0f,
                                                               -(float) image.getHeight() / 2.0f)
                               .scaled (s)
                               .rotated (angleRadians)
                               .translated (area.getCentreX(), area.getCentreY());

    juce::Graphics::ScopedSaveState state (g);
    g.setImageResamplingQuality (juce::Graphics::highResamplingQuality);
    g.drawImageTransformed (image, transform, false);
    return true;
}

} // namespace zem
