#include "TestImages.h"

juce::MemoryBlock pngOf (const juce::Image& image)
{
    juce::MemoryOutputStream stream;
    juce::PNGImageFormat().writeImageToStream (image, stream);
    return stream.getMemoryBlock();
}

juce::Image solidImage (int width, int height, juce::Colour colour)
{
    juce::Image image (juce::Image::ARGB, width, height, false);
    image.clear (image.getBounds(), colour);
    return image;
}

juce::Image stripImage (int cellWidth, int height, const std::vector<juce::Colour>& cells,
                        int extraColumns, juce::Colour extra)
{
    const int count = (int) cells.size();
    juce::Image image (juce::Image::ARGB, cellWidth * count + extraColumns, height, false);

    for (int i = 0; i < count; ++i)
        image.clear ({ i * cellWidth, 0, cellWidth, height }, cells[(size_t) i]);

    if (extraColumns > 0)
        image.clear ({ cellWidth * count, 0, extraColumns, height }, extra);

    return image;
}

juce::Image canvas (int width, int height)
{
    return juce::Image (juce::Image::ARGB, width, height, true);
}

bool near (juce::Colour a, juce::Colour b, int tolerance)
{
    auto close = [tolerance] (int x, int y) { return std::abs (x - y) <= tolerance; };
    return close (a.getRed(), b.getRed()) && close (a.getGreen(), b.getGreen())
        && close (a.getBlue(), b.getBlue()) && close (a.getAlpha(), b.getAlpha());
}
