#include "PaintTools.h"

namespace torvane::art::paint
{
Colour rgba (int r, int g, int b, float a)
{
    return Colour::fromRGB ((juce::uint8) r, (juce::uint8) g, (juce::uint8) b).withAlpha (a);
}

Colour shade (float alpha) { return Colour (0xff000000).withAlpha (alpha); }
Colour light (float alpha) { return Colour (0xffffffff).withAlpha (alpha); }

ColourGradient vertical (Colour top, float y0, Colour bottom, float y1)
{
    return ColourGradient (top, 0, y0, bottom, 0, y1, false);
}

ColourGradient horizontal (Colour left, float x0, Colour right, float x1)
{
    return ColourGradient (left, x0, 0, right, x1, 0, false);
}

ColourGradient radial (Colour inner, Point centre, Colour outer, float radius)
{
    return ColourGradient (inner, centre.x, centre.y, outer, centre.x + radius, centre.y, true);
}

// A soft round glow: full colour at the centre, fading to nothing at the radius.
void fillGlow (Graphics& g, Point centre, float radius, Colour colour)
{
    g.setGradientFill (radial (colour, centre, colour.withAlpha (0.0f), radius));
    g.fillEllipse (Rect (2 * radius, 2 * radius).withCentre (centre));
}

// The same glow squashed into an ellipse.
void fillGlow (Graphics& g, Point centre, float rx, float ry, Colour colour)
{
    Graphics::ScopedSaveState state (g);
    g.addTransform (juce::AffineTransform::scale (1.0f, ry / rx, centre.x, centre.y));
    fillGlow (g, centre, rx, colour);
}

Path roundedRect (Rect r, float corner)
{
    Path p;
    p.addRoundedRectangle (r, corner);
    return p;
}

Path ellipsePath (Rect r)
{
    Path p;
    p.addEllipse (r);
    return p;
}

void paintPlate (Graphics& g, Rect area, float corner, const ColourGradient& fill, Edge edge)
{
    g.setGradientFill (fill);
    g.fillRoundedRectangle (area, corner);
    g.setColour (shade (edge.alpha));
    g.drawRoundedRectangle (area, corner, edge.width);
}

void paintRaisedPlate (Graphics& g, Rect area, float corner, Drop drop, const ColourGradient& fill, Edge edge)
{
    g.setColour (shade (drop.alpha));
    g.fillRoundedRectangle (area.translated (drop.offset.x, drop.offset.y), corner);
    paintPlate (g, area, corner, fill, edge);
}

// A small domed screw or rivet head.
void paintRivet (Graphics& g, Point c, float r, Colour metal)
{
    g.setColour (shade (0.45f));
    g.fillEllipse (Rect (2 * r, 2 * r).withCentre (c + Point (0.35f * r, 0.45f * r)));
    g.setGradientFill (radial (metal.brighter (0.7f), c - Point (0.35f * r, 0.4f * r), metal.darker (0.7f), r * 1.5f));
    g.fillEllipse (Rect (2 * r, 2 * r).withCentre (c));
}

// Scale a path about a point.
Path scaledAbout (const Path& p, float k, Point c)
{
    Path out (p);
    out.applyTransform (juce::AffineTransform::scale (k, k, c.x, c.y));
    return out;
}
} // namespace torvane::art::paint
