#include "Lettering.h"

namespace torvane::art
{
namespace
{
juce::Typeface::Ptr loadFace (const char* fileName)
{
    juce::MemoryBlock data;
    juce::File (juce::String (TORVANE_ART_FONT_DIR)).getChildFile (fileName).loadFileAsData (data);
    if (data.isEmpty())
        return nullptr;
    return juce::Typeface::createSystemTypefaceFor (data.getData(), data.getSize());
}

juce::Font fontFrom (const char* fileName, float height)
{
    static std::map<std::string, juce::Typeface::Ptr> faces;
    auto& face = faces[fileName];
    if (face == nullptr)
        face = loadFace (fileName);
    return face != nullptr ? juce::Font (face).withHeight (height) : juce::Font (height);
}
} // namespace

juce::Path letteringPath (const juce::String& text, juce::Rectangle<float> box)
{
    juce::GlyphArrangement glyphs;
    glyphs.addLineOfText (fontFrom ("DejaVuSerif-Bold.ttf", 100.0f), text, 0, 0);
    juce::Path path;
    glyphs.createPath (path);
    path.applyTransform (path.getTransformToScaleToFit (box, true, juce::Justification::centred));
    return path;
}

juce::Font labelFont (float height)
{
    return fontFrom ("DejaVuSans.ttf", height);
}
} // namespace torvane::art
