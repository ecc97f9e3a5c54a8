#include "ArtFiles.h"
#include <gtest/gtest.h>
#include <map>

namespace artfiles
{
juce::File folder() { return juce::File (TORVANE_ART_DIR); }

juce::StringArray lines (const juce::String& dataFile)
{
    juce::StringArray out;
    out.addLines (juce::File (TORVANE_ART_TEST_DATA).getChildFile (dataFile).loadFileAsString());
    out.trim();
    out.removeEmptyStrings();
    return out;
}

juce::StringArray productNames()
{
    auto names = lines ("art-names.txt");
    names.removeString ("logo");
    return names;
}

const juce::var& layout()
{
    static const juce::var doc = juce::JSON::parse (folder().getChildFile ("art.json"));
    static const juce::var value = doc["layout"];
    return value;
}

bool has (const juce::String& key)
{
    auto v = layout()[juce::Identifier (key)];
    return v.isArray() && v.size() >= 4;
}

juce::Rectangle<float> rect (const juce::String& key)
{
    EXPECT_TRUE (has (key)) << key;
    auto v = layout()[juce::Identifier (key)];
    if (! v.isArray() || v.size() < 4)
        return {};
    return { (float) v[0], (float) v[1], (float) v[2], (float) v[3] };
}

PngHeader readHeader (const void* data, size_t size)
{
    PngHeader h;
    auto* bytes = static_cast<const juce::uint8*> (data);
    const juce::uint8 signature[] = { 0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a };
    if (bytes == nullptr || size < 26 || std::memcmp (bytes, signature, 8) != 0 || std::memcmp (bytes + 12, "IHDR", 4) != 0)
        return h;
    auto be = [&] (int i) { return (int) ((bytes[i] << 24) | (bytes[i + 1] << 16) | (bytes[i + 2] << 8) | bytes[i + 3]); };
    h.valid = true;
    h.width = be (16);
    h.height = be (20);
    h.bitDepth = bytes[24];
    h.colourType = bytes[25];
    return h;
}

PngHeader readHeader (const juce::File& file)
{
    juce::FileInputStream in (file);
    juce::uint8 bytes[26] = {};
    if (! in.openedOk() || in.read (bytes, 26) != 26)
        return {};
    return readHeader (bytes, sizeof (bytes));
}

juce::File picture (const juce::String& name, int scale)
{
    return folder().getChildFile (name + "@" + juce::String (scale) + "x.png");
}

juce::Image load (const juce::String& name, int scale)
{
    return juce::ImageFileFormat::loadFrom (picture (name, scale));
}

const juce::Image& drawing (const juce::String& page, int scale)
{
    static std::map<juce::String, juce::Image> cache;
    auto name = page == "Rare" ? juce::String ("panel") : "page" + page;
    auto key = name + juce::String (scale);
    if (! cache.count (key))
        cache[key] = load (name, scale).convertedToFormat (juce::Image::ARGB);
    return cache[key];
}

// Mean absolute difference of the colour channels over the area, 0 to 255.
double meanError (const juce::Image& a, const juce::Image& b, juce::Rectangle<int> area)
{
    area = area.getIntersection (a.getBounds());
    juce::Image::BitmapData da (a, juce::Image::BitmapData::readOnly), db (b, juce::Image::BitmapData::readOnly);
    double sum = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x)
        {
            auto pa = da.getPixelColour (x, y), pb = db.getPixelColour (x, y);
            sum += std::abs (pa.getRed() - pb.getRed()) + std::abs (pa.getGreen() - pb.getGreen())
                 + std::abs (pa.getBlue() - pb.getBlue());
        }
    return sum / (3.0 * std::max (1, area.getWidth() * area.getHeight()));
}

juce::Rectangle<float> sizingRect (const juce::String& name)
{
    if (name == "panel" || name.startsWith ("page"))
        return rect ("content");
    if (name.startsWith ("mouthWarm"))
        return rect ("mouthRare");
    for (auto p : pages)
        if (name.startsWith (juce::String ("mouth") + p))
            return rect (juce::String ("mouth") + p);
    return rect (name);
}

juce::uint32 resourceHash (const juce::String& identifier)
{
    juce::uint32 h = 0;
    for (auto c : identifier.toStdString())
        h = 31 * h + (juce::uint32) (signed char) c;
    return h;
}

juce::String identifierFor (const juce::String& fileName)
{
    return fileName.removeCharacters ("@").replaceCharacter ('.', '_');
}
} // namespace artfiles
