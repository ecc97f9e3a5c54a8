#include "ContactSheet.h"
#include "Lettering.h"
#include "PictureRenderer.h"

namespace torvane::art
{
namespace
{
// The overlays of one character in the order the editor paints them, all at full strength.
juce::StringArray overlayNames (Character c)
{
    const auto P = pageWord (c);
    juce::StringArray names;
    if (c == Character::Rare)
        names.add ("warmRare");
    for (auto l : { "A", "B", "C" })
        names.add (juce::String ("coals") + l + P);
    for (auto l : { "A", "B", "C" })
        names.add (juce::String ("glisten") + l + P);
    names.addArray ({ "indicator" + P, "behind" + P, "cable" + P, "transformer" + P, "valveHot" + P, "mouth" + P + "11" });
    if (c == Character::Rare)
        names.add ("mouthWarm11");
    for (int k = 0; k < 2; ++k)
        names.addArray ({ "eye" + P + juce::String (k), "pupil" + P + juce::String (k) });
    names.add ("cone" + P);
    for (int k = 0; k < 6; ++k)
        names.add ("flap" + P + juce::String (k));
    for (int k = 0; k < 11; ++k)
        names.addArray ({ "flame" + P + juce::String (k), "dripBehind" + P + juce::String (k), "drip" + P + juce::String (k) });
    for (int k = 0; k < 5; ++k)
        names.add ("smoke" + P + juce::String (k));
    return names;
}

void drawAt (juce::Graphics& g, const Picture& p, int scale)
{
    auto image = renderPicture (p, scale);
    g.drawImage (image, p.rect * (float) scale, juce::RectanglePlacement::stretchToFit);
}

// The drawing with every layout entry of its character marked: rectangles outlined,
// ember spots orange, sizzle spots white, pivots and other points cyan.
juce::Image layoutMap (const PictureCatalog& catalog, Character c, const juce::Image& drawing, int scale)
{
    auto map = drawing.createCopy();
    juce::Graphics g (map);
    g.addTransform (juce::AffineTransform::scale ((float) scale));
    for (auto& e : catalog.scene (c).layout())
    {
        if (e.name == "content")
            continue;
        if (! e.rect.isEmpty())
        {
            g.setColour (juce::Colours::yellow.withAlpha (0.5f));
            g.drawRect (e.rect, 0.6f);
            continue;
        }
        auto colour = e.name.startsWith ("ember") ? juce::Colours::orange
                    : e.name.startsWith ("sizzle") ? juce::Colours::white : juce::Colours::cyan;
        g.setColour (colour);
        g.fillEllipse (juce::Rectangle<float> (3, 3).withCentre (e.rect.getPosition()));
    }
    return map;
}

void drawChecker (juce::Graphics& g, juce::Rectangle<int> r)
{
    const int step = 8;
    for (int y = r.getY(); y < r.getBottom(); y += step)
        for (int x = r.getX(); x < r.getRight(); x += step)
        {
            g.setColour (((x / step + y / step) % 2) ? juce::Colour (0xff3a3a3a) : juce::Colour (0xff555555));
            g.fillRect (juce::Rectangle<int> (x, y, step, step).getIntersection (r));
        }
}

juce::Image grid (const PictureCatalog& catalog, int scale)
{
    const int cell = 120 * scale, label = 16 * scale, columns = 12;
    const int count = (int) catalog.pictures().size() + 1;
    const int rows = (count + columns - 1) / columns;
    juce::Image sheet (juce::Image::RGB, columns * cell, rows * (cell + label), true);
    juce::Graphics g (sheet);
    g.fillAll (juce::Colour (0xff202020));
    for (int i = 0; i < count; ++i)
    {
        auto area = juce::Rectangle<int> ((i % columns) * cell, (i / columns) * (cell + label), cell, cell + label);
        auto box = area.removeFromTop (cell).reduced (3 * scale);
        drawChecker (g, box);
        g.setColour (juce::Colours::white);
        g.setFont (labelFont (11.0f * (float) scale));
        if (i == count - 1)
        {
            g.drawText ("logo (toolkit)", box, juce::Justification::centred);
            g.drawText ("logo", area, juce::Justification::centred);
            continue;
        }
        auto& p = catalog.pictures()[(size_t) i];
        auto image = renderPicture (p, scale);
        g.drawImage (image, box.toFloat(), juce::RectanglePlacement::centred | juce::RectanglePlacement::onlyReduceInSize);
        g.setColour (juce::Colours::white);
        g.drawText (p.name + " " + juce::String (image.getWidth()) + "x" + juce::String (image.getHeight()), area,
                    juce::Justification::centred);
    }
    return sheet;
}
} // namespace

bool writeContactSheets (const PictureCatalog& catalog, const juce::File& folder, int scale)
{
    folder.createDirectory();
    bool ok = true;
    const auto suffix = "@" + juce::String (scale) + "x.png";
    for (auto c : allCharacters)
    {
        auto page = catalog.find (pageName (c));
        auto drawing = renderPicture (*page, scale);
        ok &= writePng (drawing, folder.getChildFile (pageWord (c) + "-drawing" + suffix));
        ok &= writePng (layoutMap (catalog, c, drawing, scale), folder.getChildFile (pageWord (c) + "-layout" + suffix));

        juce::Image lit (juce::Image::RGB, drawing.getWidth(), drawing.getHeight(), true);
        {
            juce::Graphics g (lit);
            g.drawImageAt (drawing, 0, 0);
            for (auto& name : overlayNames (c))
                if (auto* p = catalog.find (name))
                    drawAt (g, *p, scale);
            // The knob caps as the editor draws them: 6 px in from each side of the knob.
            for (auto name : { "knob", "blend" })
            {
                auto* p = catalog.find (name);
                auto area = (p->rect * (float) scale).reduced (6);
                g.drawImage (renderPicture (*p, scale), area, juce::RectanglePlacement::stretchToFit);
            }
            if (c == Character::Well)
            {
                auto from = Scene::sparkFrom() * (float) scale;
                for (int i = 0; i < 4; ++i)
                {
                    auto p = *catalog.find ("spark" + juce::String (i));
                    auto image = renderPicture (p, scale);
                    auto at = from.getRelativePoint (0.25f * (float) i, 0.25f * (float) i) + juce::Point<float> (10.0f * (float) i, -14.0f * (float) i) * (float) scale;
                    g.drawImage (image, juce::Rectangle<float> ((float) image.getWidth(), (float) image.getHeight()).withCentre (at));
                }
            }
        }
        ok &= writePng (lit, folder.getChildFile (pageWord (c) + "-overlays" + suffix));
    }
    ok &= writePng (grid (catalog, scale), folder.getChildFile ("all-pictures" + suffix));
    return ok;
}
} // namespace torvane::art
