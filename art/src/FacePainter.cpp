#include "FacePainter.h"

namespace torvane::art
{
using namespace paint;

void FacePainter::paintHead (Graphics& g) const
{
    auto h = scene.head;
    fillGlow (g, { h.getCentreX(), h.getBottom() - 4 }, h.getWidth() * 0.55f, 22, shade (0.7f));
    auto body = roundedRect (h, look.headCorner);
    auto fill = vertical (look.bodyLight, h.getY(), look.bodyShadow, h.getBottom());
    fill.addColour (0.35, look.body);
    fill.addColour (0.75, look.body.darker (0.35f));
    g.setGradientFill (fill);
    g.fillPath (body);
    {
        Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (body);
        auto sides = horizontal (shade (0.45f), h.getX(), shade (0.5f), h.getRight());
        sides.addColour (0.22, shade (0.0f));
        sides.addColour (0.78, shade (0.0f));
        g.setGradientFill (sides);
        g.fillRect (h);
        fillGlow (g, { h.getCentreX() - 30, h.getY() + 10 }, 150, 60, light (look.cracks ? 0.05f : 0.14f));
        paintSurface (g);
        if (scene.character == Character::Rare)
            paintCheeks (g);
        if (scene.character == Character::Medium)
            paintBrassBand (g);
        if (look.cracks)
            paintCharring (g);
    }
    paintRim (g);
    paintNose (g);
    paintPlates (g);
    paintSocket (g, Scene::knob());
    paintSocket (g, Scene::blend());
    paintIndicatorLens (g);
    paintJack (g);
}

void FacePainter::paintSurface (Graphics& g) const
{
    // Rare's enamel is softly mottled; the others are brushed metal, streaked sideways.
    auto h = scene.head;
    juce::Random random (57 + (int) scene.character);
    if (scene.character == Character::Rare)
    {
        for (int i = 0; i < 26; ++i)
        {
            Point c (h.getX() + random.nextFloat() * h.getWidth(), h.getY() + random.nextFloat() * h.getHeight());
            auto tint = random.nextBool() ? look.bodyLight : look.bodyShadow;
            fillGlow (g, c, 14 + random.nextFloat() * 26, tint.withAlpha (0.07f));
        }
        return;
    }
    for (int i = 0; i < 110; ++i)
    {
        float y = h.getY() + random.nextFloat() * h.getHeight();
        float x0 = h.getX() + random.nextFloat() * h.getWidth() * 0.7f;
        float len = 30 + random.nextFloat() * 140;
        g.setColour ((random.nextBool() ? look.bodyLight : look.bodyShadow).withAlpha (0.05f + 0.07f * random.nextFloat()));
        g.drawLine (x0, y, x0 + len, y + random.nextFloat() - 0.5f, 0.7f);
    }
}

void FacePainter::paintCheeks (Graphics& g) const
{
    fillGlow (g, { 170, 300 }, 40, 28, look.cheek.withAlpha (0.45f));
    fillGlow (g, { 384, 318 }, 34, 24, look.cheek.withAlpha (0.35f));
    // Freckles of heat on the cheek.
    juce::Random random (31 + (int) scene.character);
    for (int i = 0; i < 7; ++i)
    {
        Point c (150 + random.nextFloat() * 40, 290 + random.nextFloat() * 22);
        g.setColour (look.bodyShadow.withAlpha (0.35f));
        g.fillEllipse (Rect (2.2f, 2.2f).withCentre (c));
    }
}

void FacePainter::paintBrassBand (Graphics& g) const
{
    // A brass band across the brow line, riveted, under a sooty crown.
    auto h = scene.head;
    auto band = Rect (h.getX(), 236, h.getWidth(), 11);
    auto brass = vertical (look.trimLight, band.getY(), look.trim.darker (0.6f), band.getBottom());
    brass.addColour (0.4, look.trim);
    g.setGradientFill (brass);
    g.fillRect (band);
    g.setColour (shade (0.5f));
    g.drawLine (h.getX(), band.getBottom(), h.getRight(), band.getBottom(), 1.2f);
    for (float x = h.getX() + 14; x < h.getRight() - 8; x += 26)
        paintRivet (g, { x, band.getCentreY() }, 2.0f, look.trim);
    juce::Random random (31 + (int) scene.character);
    for (int i = 0; i < 5; ++i)
        fillGlow (g, { h.getX() + random.nextFloat() * h.getWidth(), h.getY() + random.nextFloat() * 40 },
                  30 + random.nextFloat() * 30, 16, look.soot.withAlpha (0.35f));
}

void FacePainter::paintCharring (Graphics& g) const
{
    // Charred enamel: soot blooms, blistered flecks and splits running in from the rim.
    auto h = scene.head;
    juce::Random random (31 + (int) scene.character);
    for (int i = 0; i < 9; ++i)
        fillGlow (g, { h.getX() + random.nextFloat() * h.getWidth(), h.getY() + random.nextFloat() * h.getHeight() },
                  24 + random.nextFloat() * 40, look.soot.withAlpha (0.5f));
    fillGlow (g, { h.getCentreX(), h.getBottom() }, h.getWidth() * 0.6f, 90, look.soot.withAlpha (0.8f));
    for (int i = 0; i < 60; ++i)
    {
        Point c (h.getX() + random.nextFloat() * h.getWidth(), h.getY() + random.nextFloat() * h.getHeight());
        g.setColour ((random.nextBool() ? look.bodyLight : look.soot).withAlpha (0.35f));
        g.fillEllipse (Rect (1 + 2 * random.nextFloat(), 1 + 1.5f * random.nextFloat()).withCentre (c));
    }
    const Point starts[] = { { 118, 120 }, { 420, 150 }, { 140, 396 }, { 400, 390 }, { 300, 74 } };
    for (auto start : starts)
    {
        Path crack;
        crack.startNewSubPath (start);
        Point p = start, dir = (Point (h.getCentreX(), h.getCentreY()) - start);
        dir = dir / dir.getDistanceFromOrigin();
        for (int s = 0; s < 6; ++s)
        {
            p += dir * (7 + 6 * random.nextFloat()) + Point (random.nextFloat() * 8 - 4, random.nextFloat() * 8 - 4);
            crack.lineTo (p);
        }
        g.setColour (look.bodyLight.withAlpha (0.25f));
        g.strokePath (crack, PathStrokeType (2.4f), juce::AffineTransform::translation (0.6f, 0.8f));
        g.setColour (look.soot);
        g.strokePath (crack, PathStrokeType (1.5f, PathStrokeType::mitered, PathStrokeType::rounded));
    }
}

void FacePainter::paintRim (Graphics& g) const
{
    // A metal edge with a lit inner line, and rivets along the crown and the jaw.
    auto h = scene.head;
    float cr = look.headCorner;
    auto body = roundedRect (h, cr);
    g.setColour (look.trim.darker (0.3f));
    g.strokePath (body, PathStrokeType (5.0f));
    g.setColour (look.trim);
    g.strokePath (body, PathStrokeType (2.6f));
    g.setColour (look.trimLight.withAlpha (0.45f));
    g.strokePath (roundedRect (h.reduced (3.5f), std::max (cr - 3.5f, 2.0f)), PathStrokeType (1.0f));
    g.setColour (shade (0.7f));
    g.strokePath (roundedRect (h.expanded (2.5f), cr + 2.5f), PathStrokeType (1.0f));
    for (float x = h.getX() + cr * 0.7f + 10; x < h.getRight() - cr * 0.7f - 8; x += 34)
    {
        if (std::abs (x - Scene::knob().getCentreX()) > 42)
            paintRivet (g, { x, h.getY() + 9 }, 2.6f, look.trim);
        if (std::abs (x - scene.namePlate.getCentreX()) > scene.namePlate.getWidth() * 0.5f + 6)
            paintRivet (g, { x, h.getBottom() - 9 }, 2.6f, look.trim);
    }
}

void FacePainter::paintJack (Graphics& g) const
{
    // The socket on the head's side that the cable plugs into.
    auto jack = scene.cableFar;
    g.setColour (shade (0.5f));
    g.fillEllipse (Rect (15, 15).withCentre (jack + Point (1, 1.5f)));
    g.setGradientFill (radial (look.capMetal.brighter (0.4f), jack - Point (2, 2), look.capMetal.darker (0.8f), 9));
    g.fillEllipse (Rect (14, 14).withCentre (jack));
    g.setColour (shade (0.85f));
    g.fillEllipse (Rect (6, 6).withCentre (jack));
}

void FacePainter::paintNose (Graphics& g) const
{
    auto n = scene.nose;
    if (scene.character == Character::Rare)
    {
        // A soft button nose.
        fillGlow (g, n + Point (0, 7), 18, 7, look.bodyShadow.withAlpha (0.5f));
        auto bulb = Rect (28, 18).withCentre (n);
        g.setGradientFill (radial (look.bodyLight.brighter (0.2f), n - Point (4, 5), look.body.darker (0.2f), 17));
        g.fillEllipse (bulb);
        g.setColour (look.bodyShadow.withAlpha (0.6f));
        for (float side : { -1.0f, 1.0f })
            g.fillEllipse (Rect (5, 3.2f).withCentre (n + Point (side * 6, 5)));
        g.setColour (light (0.35f));
        g.fillEllipse (Rect (8, 4).withCentre (n - Point (4, 4)));
        return;
    }
    if (scene.character == Character::Medium)
    {
        // A riveted vent plate with three slots.
        Path plate;
        plate.addTriangle (n.x - 17, n.y + 11, n.x + 17, n.y + 11, n.x, n.y - 15);
        plate = plate.createPathWithRoundedCorners (4);
        g.setColour (shade (0.45f));
        g.fillPath (plate, juce::AffineTransform::translation (1, 2));
        g.setGradientFill (vertical (look.trimLight, n.y - 15, look.trim.darker (0.6f), n.y + 11));
        g.fillPath (plate);
        g.setColour (shade (0.7f));
        g.strokePath (plate, PathStrokeType (1.0f));
        for (int i = 0; i < 3; ++i)
        {
            float y = n.y - 2 + 4.0f * (float) i;
            float half = 3.0f + 3.0f * (float) i;
            g.setColour (shade (0.8f));
            g.drawLine (n.x - half, y, n.x + half, y, 1.8f);
        }
        return;
    }
    // Well: two scorched slits.
    fillGlow (g, n + Point (0, 2), 20, 12, look.soot.withAlpha (0.6f));
    for (float side : { -1.0f, 1.0f })
    {
        Path slit;
        slit.startNewSubPath (n + Point (side * 3, -6));
        slit.lineTo (n + Point (side * 10, 6));
        g.setColour (look.bodyLight.withAlpha (0.3f));
        g.strokePath (slit, PathStrokeType (3.6f, PathStrokeType::curved, PathStrokeType::rounded), juce::AffineTransform::translation (0, 1));
        g.setColour (shade (0.95f));
        g.strokePath (slit, PathStrokeType (2.6f, PathStrokeType::curved, PathStrokeType::rounded));
    }
}

void FacePainter::paintPlates (Graphics& g) const
{
    paintLetteredPlate (g, scene.namePlate, scene.nameText);
    for (int i = 0; i < 2; ++i)
        paintLetteredPlate (g, scene.knobPlates[i], scene.knobWords[i]);
}

void FacePainter::paintLetteredPlate (Graphics& g, Rect p, const Path& text) const
{
    // The character's trim metal, riveted at both ends, with the letters cut into it.
    paintRaisedPlate (g, p, 3, { { 0.6f, 1.2f }, 0.5f }, vertical (look.trimLight, p.getY(), look.trim.darker (0.7f), p.getBottom()),
                      { 0.7f, 0.8f });
    g.setColour (light (0.25f));
    g.fillPath (text, juce::AffineTransform::translation (0, 0.6f));
    g.setColour (look.trim.darker (1.2f));
    g.fillPath (text);
    paintRivet (g, { p.getX() + 3.5f, p.getCentreY() }, 1.4f, look.trim);
    paintRivet (g, { p.getRight() - 3.5f, p.getCentreY() }, 1.4f, look.trim);
}

void FacePainter::paintSocket (Graphics& g, Rect r) const
{
    // A collar with the travel's scale; the cap that turns covers the plain centre.
    auto c = r.getCentre();
    float R = r.getWidth() * 0.5f;
    g.setColour (shade (0.5f));
    g.fillEllipse (r.translated (0.6f, 1.2f));
    auto ring = ColourGradient (look.socketRing.brighter (0.3f), c.x, r.getY(), look.socketRing.darker (0.9f), c.x, r.getBottom(), false);
    g.setGradientFill (ring);
    g.fillEllipse (r);
    g.setColour (look.socket);
    g.fillEllipse (r.reduced (R * 0.1f));
    g.setColour (shade (0.6f));
    g.drawEllipse (r.reduced (0.4f), 0.8f);
    for (int i = 0; i <= 10; ++i)
    {
        float a = (-150.0f + 30.0f * (float) i) * pi / 180.0f;
        Point dir (std::sin (a), -std::cos (a));
        bool major = i == 0 || i == 5 || i == 10;
        g.setColour (look.trimLight.withAlpha (major ? 0.95f : 0.6f));
        g.drawLine ({ c + dir * (R * 0.84f), c + dir * (R * (major ? 0.99f : 0.95f)) }, major ? R * 0.06f : R * 0.035f);
    }
    // The plain disc under the cap, shaded like a recess.
    g.setGradientFill (radial (look.socket.darker (0.6f), c, look.socket.brighter (0.15f), R * 0.8f));
    g.fillEllipse (Rect (1.6f * R, 1.6f * R).withCentre (c));
}

void FacePainter::paintIndicatorLens (Graphics& g) const
{
    auto c = scene.indicatorCentre;
    g.setColour (shade (0.5f));
    g.fillEllipse (Rect (22, 22).withCentre (c + Point (0.8f, 1.2f)));
    g.setGradientFill (radial (look.trimLight, c - Point (3, 4), look.trim.darker (0.8f), 14));
    g.fillEllipse (Rect (21, 21).withCentre (c));
    g.setGradientFill (radial (rgba (120, 40, 30), c - Point (1.5f, 2), rgba (30, 8, 6), 8));
    g.fillEllipse (Rect (14, 14).withCentre (c));
    g.setColour (light (0.45f));
    g.fillEllipse (Rect (4, 2.6f).withCentre (c - Point (2.2f, 3)));
}

void FacePainter::paintIndicatorGlow (Graphics& g) const
{
    auto c = scene.indicatorCentre;
    fillGlow (g, c, 16, rgba (255, 110, 40, 0.8f));
    g.setGradientFill (radial (rgba (255, 250, 215), c - Point (0.5f, 0.8f), rgba (255, 120, 40), 7));
    g.fillEllipse (Rect (14, 14).withCentre (c));
    g.setColour (light (0.7f));
    g.fillEllipse (Rect (4, 2.6f).withCentre (c - Point (2.2f, 3)));
}

void FacePainter::paintEye (Graphics& g, int k, bool withPupil) const
{
    const auto& e = scene.eyes[k];
    auto socket = e.ellipse.expanded (7, 6);
    fillGlow (g, socket.getCentre(), socket.getWidth() * 0.62f, socket.getHeight() * 0.62f, look.bodyShadow.withAlpha (0.7f));

    auto c = e.ellipse.getCentre();
    g.setGradientFill (radial (look.eyeWhite, c - Point (4, 6), look.eyeShade, e.ellipse.getWidth() * 0.55f));
    g.fillPath (e.white);
    {
        Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (e.white);
        auto top = e.white.getBounds();
        g.setGradientFill (vertical (look.lid.withAlpha (0.45f), top.getY(), look.lid.withAlpha (0.0f), top.getY() + top.getHeight() * 0.45f));
        g.fillRect (top);
        // A wet sheen low on the white, away from where the pupil rests.
        fillGlow (g, { c.x + (e.leftSide ? -14.0f : 14.0f), top.getBottom() - 7 }, 9, 3.5f, light (0.45f));
        if (withPupil)
            paintPupil (g, k);
    }

    // The outline sits just outside the white, so the eye picture's edge is the white's edge.
    g.setColour (look.lid);
    g.drawEllipse (e.ellipse.expanded (1.6f), 3.2f);
    if (look.eyeLidCut > 0)
        paintLid (g, e);
    if (scene.character == Character::Rare)
        paintLashes (g, e);
    if (look.cracks)
        paintBrow (g, e);
}

void FacePainter::paintLid (Graphics& g, const Eye& e) const
{
    g.setGradientFill (vertical (look.body.brighter (0.2f), e.ellipse.getY(), look.body.darker (0.5f), e.lidEdge.getStartY() + 4));
    g.fillPath (e.lid);
    // The lid's edge is drawn above the cut, outside the white the pupil may roam.
    Path line;
    line.startNewSubPath (e.lidEdge.getStart() - Point (0, 1.6f));
    line.lineTo (e.lidEdge.getEnd() - Point (0, 1.6f));
    Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (ellipsePath (e.ellipse.expanded (3.2f)));
    g.setColour (look.lid);
    g.strokePath (line, PathStrokeType (3.2f));
}

void FacePainter::paintLashes (Graphics& g, const Eye& e) const
{
    // Three soft lashes at the outer corner.
    auto c = e.ellipse.getCentre();
    float side = e.leftSide ? -1.0f : 1.0f;
    for (int i = 0; i < 3; ++i)
    {
        float a = (-0.55f - 0.28f * (float) i) * pi * 0.5f;
        Point base = c + Point (side * std::cos (a) * e.ellipse.getWidth() * 0.52f, std::sin (a) * e.ellipse.getHeight() * 0.54f);
        Path lash;
        lash.startNewSubPath (base);
        lash.quadraticTo (base + Point (side * 4, -5), base + Point (side * 9, -6));
        g.setColour (look.lid);
        g.strokePath (lash, PathStrokeType (2.2f, PathStrokeType::curved, PathStrokeType::rounded));
    }
}

void FacePainter::paintBrow (Graphics& g, const Eye& e) const
{
    // A heavy brow, sloped down to the nose like the lid under it.
    auto edge = e.lidEdge;
    Path brow;
    brow.startNewSubPath (edge.getStart() + Point (-4, -14));
    brow.lineTo (edge.getEnd() + Point (4, -14));
    brow.lineTo (edge.getEnd() + Point (2, -6));
    brow.lineTo (edge.getStart() + Point (-2, -8));
    brow.closeSubPath();
    g.setGradientFill (vertical (look.bodyLight, edge.getStartY() - 16, look.soot, edge.getStartY() - 4));
    g.fillPath (brow);
    g.setColour (shade (0.8f));
    g.strokePath (brow, PathStrokeType (1.0f));
}

void FacePainter::paintPupil (Graphics& g, int k) const
{
    auto p = scene.eyes[k].pupil;
    auto c = p.getCentre();
    float u = p.getWidth() * 0.5f;
    g.setGradientFill (radial (look.iris.brighter (0.5f), c + Point (u * 0.3f, u * 0.35f), look.irisDark, u * 1.2f));
    g.fillEllipse (p);
    // Fibres of the iris, alternately light and dark, from the pupil's rim outwards.
    for (int i = 0; i < 28; ++i)
    {
        float a = (float) i / 28.0f * 2 * pi;
        Point d (std::cos (a), std::sin (a));
        g.setColour ((i % 2 ? look.iris.brighter (0.8f) : look.irisDark).withAlpha (0.35f));
        g.drawLine ({ c + d * (u * 0.55f), c + d * (u * 0.92f) }, u * 0.06f);
    }
    g.setColour (look.irisDark.darker (0.5f));
    g.drawEllipse (p.reduced (0.5f), 1.0f);
    g.setColour (rgba (8, 4, 4));
    g.fillEllipse (p.reduced (u * 0.5f));
    g.setColour (light (0.9f));
    g.fillEllipse (Rect (u * 0.5f, u * 0.5f).withCentre (c - Point (u * 0.38f, u * 0.38f)));
    g.setColour (light (0.5f));
    g.fillEllipse (Rect (u * 0.22f, u * 0.22f).withCentre (c + Point (u * 0.35f, u * 0.3f)));
}

juce::Path FacePainter::mouthLine (float openness, bool upper) const
{
    // The lips' line from corner to corner; the opening parts it, most at the middle.
    auto c = scene.mouthCentre;
    float half = scene.mouthHalfWidth + 4 * openness;
    const int steps = 48;
    Path p;
    for (int i = 0; i <= steps; ++i)
    {
        float t = -1.0f + 2.0f * (float) i / (float) steps;
        float base = scene.character == Character::Rare ? 9.0f * (1 - t * t) - 4.0f
                   : scene.character == Character::Medium ? -3.0f * (1 - t * t) + 1.5f
                   : -5.0f * (1 - t * t) + 3.0f;
        float profile = std::pow (std::max (1 - t * t, 0.0f), 0.7f);
        float y = c.y + base + (upper ? -scene.mouthRise : scene.mouthDrop) * openness * profile;
        if (look.jaggedMouth)
            y += (upper ? 1.0f : -1.0f) * 2.2f * std::abs (std::sin (t * pi * 4.5f)) * (0.4f + openness);
        Point pt (c.x + half * t, y);
        if (i == 0) p.startNewSubPath (pt); else p.lineTo (pt);
    }
    return p;
}

juce::Path FacePainter::mouthOpening (float openness) const
{
    auto top = mouthLine (openness, true), bottom = mouthLine (openness, false);
    Path p (top);
    juce::PathFlatteningIterator it (bottom);
    std::vector<Point> pts;
    while (it.next())
        pts.push_back ({ it.x2, it.y2 });
    for (auto i = pts.rbegin(); i != pts.rend(); ++i)
        p.lineTo (*i);
    p.closeSubPath();
    return p;
}

void FacePainter::paintMouth (Graphics& g, int frame) const
{
    float o = (float) frame / (float) (mouthFrames - 1);
    // The skin around the mouth darkens a little as it opens.
    fillGlow (g, scene.mouthCentre + Point (0, 18 * o), 74, 30 + 30 * o, look.bodyShadow.withAlpha (0.18f + 0.22f * o));
    if (frame > 0)
        paintThroat (g, o);
    paintLips (g, o);
}

void FacePainter::paintThroat (Graphics& g, float openness) const
{
    auto c = scene.mouthCentre;
    auto opening = mouthOpening (openness);
    auto b = opening.getBounds();
    g.setGradientFill (radial (look.throat.brighter (0.35f), { c.x, b.getCentreY() + b.getHeight() * 0.2f }, look.throat.darker (0.6f), b.getWidth() * 0.5f));
    g.fillPath (opening);
    Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (opening);
    if (look.toothCount == 0)
    {
        auto tongue = Rect (b.getWidth() * 0.62f, 34).withCentre ({ c.x + 4, b.getBottom() + 6 });
        g.setGradientFill (radial (look.tongue.brighter (0.3f), tongue.getCentre() - Point (0, 10), look.tongue.darker (0.5f), 40));
        g.fillEllipse (tongue);
        g.setColour (shade (0.25f));
        g.drawLine (c.x + 4, tongue.getY() + 4, c.x + 4, tongue.getY() + 16, 1.4f);
    }
    else
    {
        paintTeeth (g, openness, b);
    }
    // The upper lip shades the top of the opening.
    g.setGradientFill (vertical (shade (0.55f), b.getY(), shade (0.0f), b.getY() + 10));
    g.fillRect (b);
}

void FacePainter::paintTeeth (Graphics& g, float openness, Rect opening) const
{
    // Teeth hang from the upper lip; Well's are jagged, top and bottom.
    const int n = look.toothCount;
    const float w = opening.getWidth() / (float) n, th = look.jaggedMouth ? 9.0f : 7.0f;
    auto upper = mouthLine (openness, true);
    for (int i = 0; i < n; ++i)
    {
        float x = opening.getX() + w * ((float) i + 0.5f);
        float y = upper.getBounds().getY(), best = 1e9f;
        juce::PathFlatteningIterator it (upper);
        while (it.next())
            if (std::abs (it.x2 - x) < best)
            {
                best = std::abs (it.x2 - x);
                y = it.y2;
            }
        Path tooth;
        if (look.jaggedMouth)
        {
            tooth.addTriangle (x - w * 0.45f, y - 2, x + w * 0.45f, y - 2, x, y + th);
            float yb = opening.getBottom();
            tooth.addTriangle (x + w * 0.1f, yb + 2, x + w * 0.9f, yb + 2, x + w * 0.5f, yb - th * 0.8f);
        }
        else
        {
            tooth.addRoundedRectangle (x - w * 0.42f, y - 4, w * 0.84f, th + 4, 2.5f, 2.5f, false, false, true, true);
        }
        g.setGradientFill (vertical (look.tooth, y, look.tooth.darker (0.35f), y + th));
        g.fillPath (tooth);
        g.setColour (shade (0.4f));
        g.strokePath (tooth, PathStrokeType (0.6f));
    }
}

void FacePainter::paintLips (Graphics& g, float openness) const
{
    auto c = scene.mouthCentre;
    auto upper = mouthLine (openness, true), lower = mouthLine (openness, false);
    const PathStrokeType::JointStyle curved = PathStrokeType::curved;
    if (scene.character == Character::Rare)
    {
        // Full soft lips: a pout below the line, a bow above it.
        g.setColour (look.lip.withAlpha (0.55f));
        g.strokePath (lower, PathStrokeType (7.0f, curved, PathStrokeType::rounded),
                      juce::AffineTransform::translation (0, 2.5f).scaled (0.86f, 1.0f, c.x, c.y));
        g.strokePath (upper, PathStrokeType (5.0f, curved, PathStrokeType::rounded),
                      juce::AffineTransform::translation (0, -1.5f).scaled (0.8f, 1.0f, c.x, c.y));
    }
    g.setColour (look.lip.darker (0.4f));
    g.strokePath (upper, PathStrokeType (4.2f, curved, PathStrokeType::rounded));
    g.strokePath (lower, PathStrokeType (4.6f, curved, PathStrokeType::rounded));
    g.setColour (look.lip);
    g.strokePath (upper, PathStrokeType (2.6f, curved, PathStrokeType::rounded));
    g.strokePath (lower, PathStrokeType (3.0f, curved, PathStrokeType::rounded));
    // A lit edge under the lower lip, and the corners.
    g.setColour (look.bodyLight.withAlpha (0.45f));
    g.strokePath (lower, PathStrokeType (1.2f), juce::AffineTransform::translation (0, 3.2f).scaled (0.82f, 1.0f, c.x, c.y));
    for (float side : { -1.0f, 1.0f })
    {
        Point corner (c.x + side * (scene.mouthHalfWidth + 4 * openness + 3), c.y + (scene.character == Character::Rare ? -6.0f : 0.0f));
        g.setColour (look.lip.darker (0.3f));
        g.fillEllipse (Rect (4, 4).withCentre (corner));
    }
}
} // namespace torvane::art
