#include "Sprites.h"

namespace torvane::art
{
using namespace paint;

void paintSpark (Graphics& g, Rect r, int i)
{
    auto c = r.getCentre();
    float w = r.getWidth(), h = r.getHeight();
    fillGlow (g, c, w * 0.46f, h * 0.46f, rgba (255, 170, 60, 0.55f));
    if (i == 2)
    {
        g.setGradientFill (horizontal (rgba (255, 200, 90, 0.0f), r.getX(), rgba (255, 252, 225), r.getRight() - w * 0.2f));
        g.fillEllipse (Rect (w * 0.8f, h * 0.36f).withCentre (c));
        return;
    }
    Path star;
    star.addStar (c, i == 3 ? 4 : 5, w * 0.08f, w * 0.4f, (float) i * 0.4f);
    g.setColour (rgba (255, 236, 170));
    g.fillPath (star);
    g.setColour (rgba (255, 255, 240));
    g.fillEllipse (Rect (w * 0.22f, h * 0.22f).withCentre (c));
}

namespace
{
// How a cap is finished: its skirt metal, the top inside the skirt, and where the pointer
// runs, as fractions of the cap's radius from its centre.
struct CapStyle
{
    Colour skirtLight, skirtDark, faceLight, faceDark;
    float faceRadius, faceSheen, pointerFrom, pointerTo;
};

// Drive: dark iron, a long pointer across the top. Blend: a brass skirt round a near-black
// top, its pointer a tick on the skirt, so the cream hover readout over the lower half of
// the top stands out at any turn.
const CapStyle driveCap { rgba (112, 104, 100), rgba (22, 20, 20), rgba (112, 104, 100).brighter (0.2f), rgba (22, 20, 20).brighter (0.3f),
                          0.82f, 0.28f, 0.16f, 0.78f };
const CapStyle blendCap { rgba (246, 214, 140), rgba (96, 58, 22), rgba (70, 52, 34), rgba (22, 16, 12), 0.84f, 0.06f, 0.86f, 0.99f };
} // namespace

void paintKnobCap (Graphics& g, Rect r, bool brass)
{
    const auto& style = brass ? blendCap : driveCap;
    auto c = r.getCentre();
    float R = r.getWidth() * 0.5f - 0.3f;
    auto disc = Rect (2 * R, 2 * R).withCentre (c);
    g.setGradientFill (radial (style.skirtLight, c - Point (R * 0.4f, R * 0.5f), style.skirtDark, R * 1.5f));
    g.fillEllipse (disc);
    // Knurled skirt, a slightly domed top and the pointer, straight up.
    for (int i = 0; i < 48; ++i)
    {
        float a = (float) i / 48.0f * 2 * pi;
        Point d (std::sin (a), -std::cos (a));
        g.setColour (shade (0.3f));
        g.drawLine ({ c + d * (R * (style.faceRadius + 0.02f)), c + d * (R * 0.98f) }, R * 0.035f);
    }
    auto top = Rect (2 * R * style.faceRadius, 2 * R * style.faceRadius).withCentre (c);
    g.setColour (shade (0.45f));
    g.drawEllipse (top.expanded (R * 0.02f), R * 0.05f);
    g.setGradientFill (ColourGradient (style.faceLight, top.getX(), top.getY(), style.faceDark, top.getRight(), top.getBottom(), false));
    g.fillEllipse (top);
    g.setGradientFill (radial (light (style.faceSheen), c - Point (R * 0.3f, R * 0.38f), light (0.0f), R * 0.6f));
    g.fillEllipse (top);
    Path pointer;
    float length = style.pointerTo - style.pointerFrom;
    pointer.addRoundedRectangle (c.x - R * 0.07f, c.y - R * style.pointerTo, R * 0.14f, R * length, R * 0.07f);
    g.setColour (shade (0.6f));
    g.strokePath (pointer, PathStrokeType (R * 0.05f));
    g.setColour (rgba (255, 238, 206));
    g.fillPath (pointer);
    g.setColour (shade (0.7f));
    g.drawEllipse (disc.reduced (R * 0.01f), std::max (R * 0.03f, 0.8f));
}
} // namespace torvane::art
