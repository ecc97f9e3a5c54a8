#include "MachinePainter.h"

namespace torvane::art
{
using namespace paint;

namespace
{
// The valve's glass envelope: a dome on a short neck.
Path valveGlassPath (Rect v)
{
    Path glass;
    glass.addRoundedRectangle (v.getX(), v.getY(), v.getWidth(), v.getHeight() - 4, v.getWidth() * 0.5f, v.getWidth() * 0.5f, true, true, false, false);
    return glass;
}

Rect valvePlate (Rect v)
{
    return { v.getX() + v.getWidth() * 0.25f, v.getY() + v.getHeight() * 0.33f, v.getWidth() * 0.5f, v.getHeight() * 0.42f };
}
} // namespace

void MachinePainter::paintShelf (Graphics& g) const
{
    // The bracket the transformer stands on, fixed to the wall.
    auto plank = Rect (8, 248, 98, 10);
    Path brace;
    brace.startNewSubPath (14, 258);
    brace.lineTo (60, 258);
    brace.lineTo (14, 300);
    brace.closeSubPath();
    g.setColour (shade (0.4f));
    g.fillPath (brace, juce::AffineTransform::translation (2, 3));
    g.setGradientFill (vertical (look.grateLight, 258, look.grate, 300));
    g.fillPath (brace);
    g.setColour (shade (0.6f));
    g.strokePath (brace, PathStrokeType (1.0f));
    paintRaisedPlate (g, plank, 3, { { 0, 4 }, 0.45f },
                      vertical (look.grateLight, plank.getY(), look.grate.darker (0.3f), plank.getBottom()), { 0.7f, 1.0f });
    paintRivet (g, { 18, 264 }, 2.5f, look.trim);
}

void MachinePainter::paintCabinet (Graphics& g) const
{
    auto c = scene.cabinet;
    g.setColour (shade (0.5f));
    g.fillRoundedRectangle (c.translated (3, 6), 12);
    auto wood = vertical (look.cabinetLight, c.getY(), look.cabinet.darker (0.4f), c.getBottom());
    wood.addColour (0.3, look.cabinet);
    g.setGradientFill (wood);
    g.fillRoundedRectangle (c, 12);
    g.setGradientFill (horizontal (light (0.12f), c.getX(), shade (0.25f), c.getRight()));
    g.fillRoundedRectangle (c, 12);
    g.setColour (shade (0.75f));
    g.drawRoundedRectangle (c, 12, 1.5f);
    g.setColour (look.cabinetLight.brighter (0.3f).withAlpha (0.5f));
    g.drawRoundedRectangle (c.reduced (2), 10, 1.0f);

    // A plain dark baffle, so the flaps' small swings never show a seam.
    auto baffle = c.reduced (9);
    g.setColour (look.baffle);
    g.fillRoundedRectangle (baffle, 6);
    g.setGradientFill (vertical (shade (0.5f), baffle.getY(), shade (0.0f), baffle.getY() + 12));
    g.fillRoundedRectangle (baffle, 6);
    for (Point p : { baffle.getTopLeft() + Point (6, 6), baffle.getTopRight() + Point (-6, 6),
                     baffle.getBottomLeft() + Point (6, -6), baffle.getBottomRight() + Point (-6, -6) })
        paintRivet (g, p, 2.4f, look.capMetal);

    // Surround and basket ring stay still; the cone inside them thumps.
    auto cc = scene.coneCentre;
    float r = scene.coneRadius;
    g.setGradientFill (radial (look.coneDark.darker (0.6f), cc, look.coneDark.brighter (0.3f), r + 8));
    g.fillEllipse (Rect (2 * (r + 7), 2 * (r + 7)).withCentre (cc));
    g.setColour (look.capMetal.withAlpha (0.7f));
    g.drawEllipse (Rect (2 * (r + 8), 2 * (r + 8)).withCentre (cc), 1.6f);
    g.setColour (shade (0.6f));
    g.drawEllipse (Rect (2 * (r + 9.5f), 2 * (r + 9.5f)).withCentre (cc), 1.0f);
    for (int i = 0; i < 4; ++i)
    {
        float a = pi * 0.25f + (float) i * pi * 0.5f;
        paintRivet (g, cc + Point (std::cos (a), std::sin (a)) * (r + 4), 1.8f, look.capMetal);
    }
    paintCone (g);

    // Two rods carry the flaps, clear of the baffle the flaps sweep over.
    for (int row = 0; row < 2; ++row)
    {
        float y = scene.flaps[3 * row].pivot.y - Scene::flapRodRise;
        auto rod = Rect (baffle.getX() + 4, y - 1.5f, baffle.getWidth() - 8, 3);
        g.setGradientFill (vertical (look.capMetal, rod.getY(), look.capMetal.darker (0.8f), rod.getBottom()));
        g.fillRoundedRectangle (rod, 1.5f);
    }
    for (int k = 0; k < 6; ++k)
        paintFlap (g, k);
}

void MachinePainter::paintCone (Graphics& g) const
{
    auto cc = scene.coneCentre;
    float r = scene.coneRadius;
    auto disc = Rect (2 * r, 2 * r).withCentre (cc);
    g.setGradientFill (radial (look.cone.brighter (0.25f), cc, look.coneDark, r));
    g.fillEllipse (disc);
    for (int i = 1; i <= 3; ++i)
    {
        float rr = r * (0.45f + 0.16f * (float) i);
        g.setColour (shade (0.28f));
        g.drawEllipse (Rect (2 * rr, 2 * rr).withCentre (cc), 1.2f);
        g.setColour (light (0.07f));
        g.drawEllipse (Rect (2 * rr, 2 * rr).withCentre (cc + Point (-0.6f, -0.8f)), 0.8f);
    }
    g.setGradientFill (ColourGradient (light (0.16f), disc.getX(), disc.getY(), shade (0.25f), disc.getRight(), disc.getBottom(), false));
    g.fillEllipse (disc);
    float capR = r * 0.36f;
    auto cap = Rect (2 * capR, 2 * capR).withCentre (cc);
    g.setColour (shade (0.4f));
    g.fillEllipse (cap.translated (0.8f, 1.2f));
    g.setGradientFill (radial (look.capMetal.brighter (0.4f), cc - Point (capR * 0.4f, capR * 0.45f), look.capMetal.darker (0.7f), capR * 1.5f));
    g.fillEllipse (cap);
    g.setColour (light (0.55f));
    g.fillEllipse (Rect (capR * 0.7f, capR * 0.45f).withCentre (cc - Point (capR * 0.35f, capR * 0.5f)));
    g.setColour (shade (0.55f));
    g.drawEllipse (disc.reduced (0.5f), 1.0f);
}

juce::Path MachinePainter::flapTab (int k) const
{
    auto pivot = scene.flaps[k].pivot;
    auto tab = Rect (pivot.x - 8.5f, pivot.y + 0.5f, 17, 16.5f);
    Path shape;
    shape.addRoundedRectangle (tab.getX(), tab.getY(), tab.getWidth(), tab.getHeight(), 4.0f, 5.0f, true, true, true, true);
    return shape;
}

juce::Path MachinePainter::flapSweep (int k) const
{
    // Every place the tab and its shadow reach while the flap swings, and a pixel round it.
    auto pivot = scene.flaps[k].pivot;
    Path tab = flapTab (k), sweep;
    tab.addPath (flapTab (k), juce::AffineTransform::translation (flapShadow));
    const int steps = 16;
    for (int i = 0; i <= steps; ++i)
    {
        float angle = Scene::flapSwing * (2.0f * (float) i / (float) steps - 1.0f);
        sweep.addPath (tab, juce::AffineTransform::rotation (angle, pivot.x, pivot.y));
    }
    Path margin;
    PathStrokeType (2.0f).createStrokedPath (margin, sweep);
    sweep.addPath (margin);
    sweep.setUsingNonZeroWinding (true);
    return sweep;
}

void MachinePainter::paintFlap (Graphics& g, int k) const
{
    // The flap carries the plain baffle it swings over, so when it turns it covers the
    // drawing's own flap instead of leaving its edges showing.
    auto pivot = scene.flaps[k].pivot;
    g.setColour (look.baffle);
    g.fillPath (flapSweep (k));
    auto shape = flapTab (k);
    auto tab = shape.getBounds();
    g.setColour (shade (0.5f));
    g.fillPath (shape, juce::AffineTransform::translation (flapShadow));
    auto metal = look.capMetal.interpolatedWith (look.cabinet, 0.35f);
    g.setGradientFill (vertical (metal.brighter (0.25f), tab.getY(), metal.darker (0.55f), tab.getBottom()));
    g.fillPath (shape);
    g.setColour (shade (0.35f));
    for (float dx : { -4.0f, 0.0f, 4.0f })
        g.drawLine (pivot.x + dx, tab.getY() + 5, pivot.x + dx, tab.getBottom() - 4, 1.0f);
    g.setColour (shade (0.7f));
    g.strokePath (shape, PathStrokeType (0.9f));
    // The knuckle round the hinge, up to the rod: a disc about the pivot, so it turns into itself.
    paintRivet (g, pivot, Scene::flapRodRise - 1.5f, look.capMetal);
}

juce::Path MachinePainter::cablePath() const
{
    auto a = scene.cableRoot, b = scene.cableFar;
    Path p;
    p.startNewSubPath (a);
    p.quadraticTo ((a + b) * 0.5f + scene.cableSag, b);
    return p;
}

void MachinePainter::paintCable (Graphics& g) const
{
    auto path = cablePath();
    g.setColour (shade (0.35f));
    g.strokePath (path, PathStrokeType (5.5f, PathStrokeType::curved, PathStrokeType::rounded), juce::AffineTransform::translation (1, 2));
    g.setColour (rgba (24, 20, 20));
    g.strokePath (path, PathStrokeType (5.0f, PathStrokeType::curved, PathStrokeType::rounded));
    g.setColour (light (0.25f));
    g.strokePath (path, PathStrokeType (1.2f), juce::AffineTransform::translation (-1.2f, -0.8f));
    // The plug in the jack.
    auto b = scene.cableFar;
    auto dir = (b - scene.cableRoot);
    dir = dir / dir.getDistanceFromOrigin();
    Point sleeve0 = b - dir * 9, sleeve1 = b - dir * 2;
    g.setColour (look.capMetal.darker (0.5f));
    g.drawLine ({ sleeve0, sleeve1 }, 7.0f);
    g.setColour (look.capMetal.brighter (0.3f));
    g.drawLine ({ sleeve0 + Point (-1.2f, 0), sleeve1 + Point (-1.2f, 0) }, 1.6f);
}

void MachinePainter::paintTransformer (Graphics& g) const
{
    auto b = scene.transformerBody;
    g.setColour (shade (0.5f));
    g.fillRoundedRectangle (b + scene.transformerShadow, 4);

    // Laminated core, copper winding, clamping frames.
    g.setGradientFill (horizontal (look.core.darker (0.5f), b.getX(), look.core.darker (0.6f), b.getRight()));
    auto core = horizontal (look.core.darker (0.5f), b.getX(), look.core.darker (0.7f), b.getRight());
    core.addColour (0.3, look.core.brighter (0.3f));
    g.setGradientFill (core);
    g.fillRoundedRectangle (b, 3);
    g.setColour (shade (0.3f));
    for (float y = b.getY() + 3; y < b.getBottom() - 1; y += 3)
        g.drawLine (b.getX() + 1, y, b.getRight() - 1, y, 0.6f);
    auto coil = Rect (b.getX() + 14, b.getY() + 9, b.getWidth() - 28, b.getHeight() - 18);
    auto copper = vertical (look.copperDark, coil.getY(), look.copperDark.darker (0.4f), coil.getBottom());
    copper.addColour (0.3, look.copper.brighter (0.35f));
    copper.addColour (0.55, look.copper);
    g.setGradientFill (copper);
    g.fillRoundedRectangle (coil, 5);
    g.setColour (look.copperDark.withAlpha (0.5f));
    for (float x = coil.getX() + 2; x < coil.getRight() - 1; x += 2.2f)
        g.drawLine (x, coil.getY() + 1, x, coil.getBottom() - 1, 0.5f);
    g.setColour (shade (0.6f));
    g.drawRoundedRectangle (coil, 5, 1.0f);
    for (float y : { b.getY() - 2, b.getBottom() - 8 })
    {
        auto frame = Rect (b.getX() - 2, y, b.getWidth() + 4, 10);
        g.setGradientFill (vertical (look.trimLight, frame.getY(), look.trim.darker (0.6f), frame.getBottom()));
        g.fillRoundedRectangle (frame, 2);
        g.setColour (shade (0.7f));
        g.drawRoundedRectangle (frame, 2, 0.9f);
        paintRivet (g, { frame.getX() + 5, frame.getCentreY() }, 2.2f, look.trim);
        paintRivet (g, { frame.getRight() - 5, frame.getCentreY() }, 2.2f, look.trim);
    }
    g.setColour (shade (0.75f));
    g.drawRoundedRectangle (b, 3, 1.0f);

    // The valve's socket, then the valve on it.
    auto socket = Rect (scene.valveGlass.getX() + 4, scene.valveGlass.getBottom() - 6, scene.valveGlass.getWidth() - 8, 10);
    g.setGradientFill (vertical (rgba (70, 60, 56), socket.getY(), rgba (20, 16, 14), socket.getBottom()));
    g.fillRoundedRectangle (socket, 2);
    paintValve (g);
}

void MachinePainter::paintValve (Graphics& g) const
{
    auto v = scene.valveGlass;
    auto glass = valveGlassPath (v);
    g.setColour (look.glass.withAlpha (0.22f));
    g.fillPath (glass);
    g.setGradientFill (horizontal (shade (0.0f), v.getX(), shade (0.25f), v.getRight()));
    g.fillPath (glass);
    // Plate, grid, mica spacers and a cold filament inside.
    auto plate = valvePlate (v);
    auto plateFill = horizontal (look.plate.darker (0.6f), plate.getX(), look.plate.darker (0.8f), plate.getRight());
    plateFill.addColour (0.35, look.plate.brighter (0.2f));
    g.setGradientFill (plateFill);
    g.fillRect (plate);
    g.setColour (shade (0.5f));
    g.drawRect (plate, 0.7f);
    g.setColour (look.plate.brighter (0.6f).withAlpha (0.8f));
    for (float y = plate.getY() + 3; y < plate.getBottom() - 1; y += 3.5f)
        g.drawLine (plate.getX() - 2, y, plate.getRight() + 2, y + 1.2f, 0.6f);
    g.setColour (look.plate.brighter (0.5f));
    g.drawLine (plate.getCentreX(), plate.getY() - 8, plate.getCentreX(), plate.getBottom() + 8, 1.0f);
    g.setColour (look.glass.withAlpha (0.6f));
    g.fillRect (Rect (v.getX() + 5, plate.getY() - 5, v.getWidth() - 10, 2.5f));
    g.fillRect (Rect (v.getX() + 5, plate.getBottom() + 3, v.getWidth() - 10, 2.5f));
    // Getter flash at the top of the glass, and the glass's own highlights.
    g.setGradientFill (vertical (rgba (200, 200, 212, 0.85f), v.getY(), rgba (120, 110, 120, 0.0f), v.getY() + v.getWidth() * 0.55f));
    g.fillEllipse (Rect (v.getX() + 5, v.getY() + 3, v.getWidth() - 10, v.getWidth() * 0.42f));
    g.setColour (light (0.6f));
    g.fillRoundedRectangle (Rect (v.getX() + 4, v.getY() + 12, 3, v.getHeight() - 26), 1.5f);
    g.setColour (light (0.25f));
    g.fillRoundedRectangle (Rect (v.getRight() - 7, v.getY() + 18, 2, v.getHeight() - 36), 1.0f);
    g.setColour (look.glass.darker (0.6f).withAlpha (0.8f));
    g.strokePath (glass, PathStrokeType (1.2f));
}

void MachinePainter::paintValveHot (Graphics& g) const
{
    auto v = scene.valveGlass;
    auto c = v.getCentre() + Point (0, 4);
    fillGlow (g, c, v.getWidth() * 0.5f + 9, v.getHeight() * 0.5f + 7, rgba (255, 130, 40, 0.55f));
    auto glass = valveGlassPath (v);
    g.setGradientFill (radial (rgba (255, 214, 140), c, rgba (230, 90, 30, 0.92f), v.getWidth() * 0.85f));
    g.fillPath (glass);
    auto plate = valvePlate (v);
    g.setColour (rgba (130, 50, 20, 0.85f));
    g.fillRect (plate);
    g.setColour (rgba (255, 200, 120, 0.8f));
    for (float y = plate.getY() + 3; y < plate.getBottom() - 1; y += 3.5f)
        g.drawLine (plate.getX() - 2, y, plate.getRight() + 2, y + 1.2f, 0.6f);
    g.setColour (rgba (255, 250, 210));
    g.drawLine (plate.getCentreX(), plate.getY() - 8, plate.getCentreX(), plate.getBottom() + 8, 1.8f);
    fillGlow (g, plate.getCentre(), plate.getWidth() * 0.6f, plate.getHeight() * 0.7f, rgba (255, 240, 180, 0.8f));
    g.setColour (light (0.6f));
    g.fillRoundedRectangle (Rect (v.getX() + 4, v.getY() + 12, 3, v.getHeight() - 26), 1.5f);
    g.setColour (rgba (120, 40, 10, 0.8f));
    g.strokePath (glass, PathStrokeType (1.2f));
}

void MachinePainter::paintValveDim (Graphics& g) const
{
    auto v = scene.valveGlass;
    auto glass = valveGlassPath (v);
    g.setGradientFill (horizontal (rgba (70, 70, 76), v.getX(), rgba (30, 30, 34), v.getRight()));
    g.fillPath (glass);
    auto plate = valvePlate (v);
    g.setColour (rgba (18, 18, 20));
    g.fillRect (plate);
    g.setColour (rgba (60, 60, 66));
    for (float y = plate.getY() + 3; y < plate.getBottom() - 1; y += 3.5f)
        g.drawLine (plate.getX() - 2, y, plate.getRight() + 2, y + 1.2f, 0.6f);
    g.setGradientFill (vertical (rgba (40, 40, 46), v.getY(), rgba (40, 40, 46, 0.0f), v.getY() + 20));
    g.fillPath (glass);
    g.setColour (light (0.2f));
    g.fillRoundedRectangle (Rect (v.getX() + 4, v.getY() + 12, 3, v.getHeight() - 26), 1.5f);
    g.setColour (rgba (10, 10, 12));
    g.strokePath (glass, PathStrokeType (1.2f));
}
} // namespace torvane::art
