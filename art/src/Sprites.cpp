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

void paintKnobCap (Graphics& g, Rect r, bool brass)
{
    auto c = r.getCentre();
    float R = r.getWidth() * 0.5f - 0.3f;
    auto disc = Rect (2 * R, 2 * R).withCentre (c);
    auto light0 = brass ? rgba (246, 214, 140) : rgba (112, 104, 100);
    auto dark0 = brass ? rgba (96, 58, 22) : rgba (22, 20, 20);
    g.setGradientFill (radial (light0, c - Point (R * 0.4f, R * 0.5f), dark0, R * 1.5f));
    g.fillEllipse (disc);
    // Knurled skirt, a slightly domed top and the pointer, straight up.
    for (int i = 0; i < 48; ++i)
    {
        float a = (float) i / 48.0f * 2 * pi;
        Point d (std::sin (a), -std::cos (a));
        g.setColour (shade (0.3f));
        g.drawLine ({ c + d * (R * 0.84f), c + d * (R * 0.98f) }, R * 0.035f);
    }
    auto top = disc.reduced (R * 0.18f);
    g.setColour (shade (0.45f));
    g.drawEllipse (top.expanded (R * 0.02f), R * 0.05f);
    g.setGradientFill (ColourGradient (light0.brighter (0.2f), top.getX(), top.getY(), dark0.brighter (0.3f), top.getRight(), top.getBottom(), false));
    g.fillEllipse (top);
    g.setGradientFill (radial (light (0.28f), c - Point (R * 0.3f, R * 0.38f), light (0.0f), R * 0.6f));
    g.fillEllipse (top);
    Path pointer;
    pointer.addRoundedRectangle (c.x - R * 0.07f, c.y - R * 0.78f, R * 0.14f, R * 0.62f, R * 0.07f);
    g.setColour (shade (0.6f));
    g.strokePath (pointer, PathStrokeType (R * 0.05f));
    g.setColour (rgba (255, 238, 206));
    g.fillPath (pointer);
    g.setColour (shade (0.7f));
    g.drawEllipse (disc.reduced (R * 0.01f), std::max (R * 0.03f, 0.8f));
}
} // namespace torvane::art
