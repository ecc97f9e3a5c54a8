#pragma once

namespace zem
{

/** The pictures of one art name at scales 1 to 3, each decoded on first use. */
class ArtEntry
{
public:
    struct Slot
    {
        const void* data = nullptr;
        int size = 0;
        juce::Image image;
    };

    /** Sets the embedded bytes of one scale; ignored unless the scale is 1 to 3
        and there is data. Meant for building an entry, before anything is decoded. */
    void addScale (int scale, const void* data, int size);

    /** The image of the slot chosen for a drawing scale, decoded if needed, or a
        shared null image when the entry has no data. */
    const juce::Image& imageFor (float scale) const;

    /** The slot index imageFor would use for a drawing scale (0 when none). */
    int chooseSlot (float scale) const noexcept;

    /** Width and height in design pixels, taken from the largest scale. */
    std::pair<int, int> naturalSize() const;

    bool draw (juce::Graphics& g, const juce::Rectangle<float>& area, float scale,
               juce::RectanglePlacement placement) const;
    bool drawFrame (juce::Graphics& g, const juce::Rectangle<float>& area, float scale,
                    int frameIndex, int frameCount) const;
    bool drawRotated (juce::Graphics& g, const juce::Rectangle<float>& area, float scale,
                      float angleRadians) const;

    /** The image of slot 1 to 3, decoded first if it holds data; slot 0 is always null. */
    const juce::Image& decodedImage (int slotIndex) const;

    /** The slot's bytes decoded, or a null image unless they are a whole, sound PNG file:
        the one decode of a slot, for the entry's own first use and for a decode made ahead
        off the message thread. It reads only the slot's embedded bytes and writes nothing,
        so any thread may call it. */
    static juce::Image decode (const Slot& slot);

    /** How many PNG files the entries of this process have decoded (for tests and benchmarks). */
    static int decodeCount() noexcept;

    mutable std::array<Slot, 4> slots;
    int maxScale = 0;

private:
    const juce::Image& decodeSlot (int slotIndex) const;
};

/** One null image for the whole process, returned where there is no picture. */
const juce::Image& nullImage();

/** True when the entry exists and holds at least one scale. */
inline bool isPresent (const ArtEntry* entry) noexcept { return entry != nullptr && entry->maxScale > 0; }

} // namespace zem
