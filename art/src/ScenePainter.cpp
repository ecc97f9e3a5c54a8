#include "ScenePainter.h"

namespace torvane::art
{
namespace
{
using juce::Colour;
using juce::ColourGradient;
using juce::Graphics;
using juce::Path;
using juce::PathStrokeType;

constexpr float pi = juce::MathConstants<float>::pi;

Colour rgba (int r, int g, int b, float a = 1.0f)
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
} // namespace

//==============================================================================
void ScenePainter::paintPage (Graphics& g, const Pose& pose) const
{
    paintBackground (g);
    paintSign (g);
    paintShelf (g);
    paintCabinet (g);
    paintHead (g);
    for (int k = 0; k < 2; ++k)
        paintEye (g, k, pose.pupils);
    paintMouth (g, pose.mouthFrame);
    if (pose.cable)
        paintCable (g);
    if (pose.transformer)
        paintTransformer (g);
    paintGrill (g, pose);
}

void ScenePainter::paintBackground (Graphics& g) const
{
    auto area = Scene::content();
    g.setGradientFill (vertical (look.skyTop, 0, look.skyBottom, 560));
    g.fillRect (area);

    juce::Random random (99 + (int) scene.character);
    if (look.bricks)
    {
        // A scorched brick wall: staggered courses, each brick its own burnt shade.
        const float bh = 20, bw = 46;
        for (int row = 0; row * bh < 560; ++row)
        {
            float y = (float) row * bh;
            float offset = (row % 2) * bw * 0.5f;
            for (float x = -offset; x < 560; x += bw)
            {
                auto brick = Rect (x + 1.5f, y + 1.5f, bw - 3, bh - 3);
                float t = random.nextFloat();
                auto c = rgba (58, 36, 30).interpolatedWith (rgba (34, 26, 24), t);
                g.setGradientFill (vertical (c.brighter (0.25f), brick.getY(), c.darker (0.4f), brick.getBottom()));
                g.fillRoundedRectangle (brick, 2.5f);
                g.setColour (shade (0.35f));
                g.drawRoundedRectangle (brick, 2.5f, 0.8f);
            }
        }
        // Soot rising from the fire, darkest at the top.
        g.setGradientFill (vertical (shade (0.75f), 0, shade (0.15f), 420));
        g.fillRect (area);
        fillGlow (g, { 280, 250 }, 250, 180, shade (0.45f));
    }
    else if (scene.character == Character::Medium)
    {
        // A workshop wall: riveted iron plates and two steam pipes behind the speaker.
        for (int i = 0; i < 4; ++i)
        {
            auto plate = Rect (4.0f + 140.0f * (float) i, 70, 134, 480);
            g.setGradientFill (vertical (look.skyTop.brighter (0.12f), 70, look.skyBottom, 550));
            g.fillRoundedRectangle (plate, 6);
            g.setColour (shade (0.4f));
            g.drawRoundedRectangle (plate, 6, 1.5f);
            for (float y = 84; y < 540; y += 38)
            {
                paintRivet (g, { plate.getX() + 8, y }, 2.2f, look.trim.darker (0.5f));
                paintRivet (g, { plate.getRight() - 8, y }, 2.2f, look.trim.darker (0.5f));
            }
        }
        for (float x : { 500.0f, 524.0f })
        {
            g.setGradientFill (horizontal (look.trim.darker (0.9f), x - 7, look.trim.darker (0.9f), x + 7));
            auto pipe = horizontal (look.trim.darker (1.2f), x - 7, look.trim.darker (1.2f), x + 7);
            pipe.addColour (0.35, look.trim.darker (0.3f));
            g.setGradientFill (pipe);
            g.fillRect (Rect (x - 7, 60, 14, 70));
        }
        fillGlow (g, { 280, 300 }, 300, 220, look.haze.withAlpha (0.08f));
    }
    else
    {
        // Rare: a warm, hazy kitchen dusk with soft out-of-focus lights.
        for (int i = 0; i < 16; ++i)
        {
            Point c (random.nextFloat() * 560, 70 + random.nextFloat() * 300);
            float r = 10 + random.nextFloat() * 22;
            fillGlow (g, c, r, look.haze.withAlpha (0.06f + 0.08f * random.nextFloat()));
        }
        fillGlow (g, { 280, 300 }, 320, 240, look.haze.withAlpha (0.12f));
    }

    // Heat haze above the fire, and a vignette that keeps the eye on the face.
    fillGlow (g, { 270, 500 }, 300, 110, look.haze.withAlpha (0.22f));
    auto vignette = radial (shade (0.0f), { 280, 290 }, shade (0.6f), 420);
    vignette.addColour (0.55, shade (0.0f));
    g.setGradientFill (vignette);
    g.fillRect (area);
}

void ScenePainter::paintSign (Graphics& g) const
{
    auto s = Scene::sign();
    g.setColour (shade (0.45f));
    g.fillRoundedRectangle (s.translated (0, 4), 12);
    auto board = vertical (look.board.brighter (0.35f), s.getY(), look.board.darker (0.35f), s.getBottom());
    g.setGradientFill (board);
    g.fillRoundedRectangle (s, 12);

    // Grain across the board, then a bevelled frame.
    {
        Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (roundedRect (s, 12));
        juce::Random random (7 + (int) scene.character);
        for (int i = 0; i < 14; ++i)
        {
            float y = s.getY() + 4 + random.nextFloat() * (s.getHeight() - 8);
            Path grain;
            grain.startNewSubPath (s.getX(), y);
            grain.cubicTo (s.getX() + 170, y + random.nextFloat() * 4 - 2, s.getX() + 340,
                           y + random.nextFloat() * 4 - 2, s.getRight(), y + random.nextFloat() * 3 - 1.5f);
            g.setColour (shade (0.10f + 0.08f * random.nextFloat()));
            g.strokePath (grain, PathStrokeType (0.8f));
        }
        g.setGradientFill (vertical (light (0.10f), s.getY(), light (0.0f), s.getY() + 14));
        g.fillRect (s);
    }
    g.setColour (look.boardEdge);
    g.drawRoundedRectangle (s.reduced (1.0f), 11, 2.0f);
    g.setColour (look.boardEdge.brighter (0.4f).withAlpha (0.5f));
    g.drawRoundedRectangle (s.reduced (4.0f), 8, 0.8f);
    g.setColour (shade (0.7f));
    g.drawRoundedRectangle (s, 12, 1.0f);
    for (Point nail : { Point (s.getX() + 12, s.getCentreY()), Point (s.getRight() - 12, s.getCentreY()) })
        paintRivet (g, nail, 3.2f, look.trim);
    for (float x : { 181.0f, 379.0f })
    {
        Path diamond;
        diamond.addStar ({ x, s.getCentreY() }, 4, 2.0f, 5.0f);
        g.setColour (look.boardEdge.brighter (0.2f));
        g.fillPath (diamond);
    }

    const int selected = (int) scene.character;
    for (int p = 0; p < 3; ++p)
    {
        const auto& word = scene.wordPaths[p];
        if (p == selected)
        {
            // The chosen character's word is lit like a hot sign, with a bar under it.
            for (auto [width, alpha] : { std::pair (12.0f, 0.07f), std::pair (7.0f, 0.14f), std::pair (3.5f, 0.3f) })
            {
                g.setColour (look.wordGlow.withAlpha (alpha));
                g.strokePath (word, PathStrokeType (width, PathStrokeType::curved, PathStrokeType::rounded));
            }
            auto b = word.getBounds();
            g.setGradientFill (vertical (look.wordSelected, b.getY(), look.wordSelected.interpolatedWith (look.wordGlow, 0.45f), b.getBottom()));
            g.fillPath (word);
            g.setColour (look.wordGlow.darker (0.6f).withAlpha (0.8f));
            g.strokePath (word, PathStrokeType (0.7f));
            auto bar = Rect (b.getX() + 4, Scene::wordHit (p).getBottom() - 6, b.getWidth() - 8, 3);
            g.setColour (look.wordGlow.withAlpha (0.35f));
            g.fillRoundedRectangle (bar.expanded (2, 1.5f), 3);
            g.setColour (look.wordSelected);
            g.fillRoundedRectangle (bar, 1.5f);
        }
        else
        {
            // The others are carved into the board: a dark cut with a lit lower edge.
            Path lower (word), upper (word);
            lower.applyTransform (juce::AffineTransform::translation (0, 1.0f));
            g.setColour (light (0.12f));
            g.fillPath (lower);
            g.setColour (look.word.darker (0.35f));
            g.fillPath (word);
            Graphics::ScopedSaveState state (g);
            g.reduceClipRegion (word);
            upper.applyTransform (juce::AffineTransform::translation (0, 1.6f));
            g.setColour (look.word);
            g.fillPath (upper);
        }
    }
}

void ScenePainter::paintShelf (Graphics& g) const
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
    g.setColour (shade (0.45f));
    g.fillRoundedRectangle (plank.translated (0, 4), 3);
    g.setGradientFill (vertical (look.grateLight, plank.getY(), look.grate.darker (0.3f), plank.getBottom()));
    g.fillRoundedRectangle (plank, 3);
    g.setColour (shade (0.7f));
    g.drawRoundedRectangle (plank, 3, 1.0f);
    paintRivet (g, { 18, 264 }, 2.5f, look.trim);
}

void ScenePainter::paintCabinet (Graphics& g) const
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

    // Two rods carry the flaps.
    for (float y : { 250.0f, 282.0f })
    {
        auto rod = Rect (baffle.getX() + 4, y - 1.5f, baffle.getWidth() - 8, 3);
        g.setGradientFill (vertical (look.capMetal, rod.getY(), look.capMetal.darker (0.8f), rod.getBottom()));
        g.fillRoundedRectangle (rod, 1.5f);
    }
    for (int k = 0; k < 6; ++k)
        paintFlap (g, k);
}

void ScenePainter::paintCone (Graphics& g) const
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

void ScenePainter::paintFlap (Graphics& g, int k) const
{
    auto pivot = scene.flaps[k].pivot;
    auto tab = Rect (pivot.x - 9.5f, pivot.y, 19, 17);
    Path shape;
    shape.addRoundedRectangle (tab.getX(), tab.getY(), tab.getWidth(), tab.getHeight(), 5.0f, 5.0f, false, false, true, true);
    g.setColour (shade (0.5f));
    g.fillPath (shape, juce::AffineTransform::translation (0.8f, 1.2f));
    auto metal = look.capMetal.interpolatedWith (look.cabinet, 0.35f);
    g.setGradientFill (vertical (metal.brighter (0.25f), tab.getY(), metal.darker (0.55f), tab.getBottom()));
    g.fillPath (shape);
    g.setColour (shade (0.35f));
    for (float dx : { -4.0f, 0.0f, 4.0f })
        g.drawLine (pivot.x + dx, tab.getY() + 5, pivot.x + dx, tab.getBottom() - 4, 1.0f);
    g.setColour (shade (0.7f));
    g.strokePath (shape, PathStrokeType (0.9f));
    paintRivet (g, pivot + Point (0, 1.5f), 1.8f, look.capMetal);
}

void ScenePainter::paintHead (Graphics& g) const
{
    auto h = scene.head;
    float cr = look.headCorner;
    fillGlow (g, { h.getCentreX(), h.getBottom() - 4 }, h.getWidth() * 0.55f, 22, shade (0.7f));

    auto body = roundedRect (h, cr);
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

        juce::Random random (31 + (int) scene.character);
        if (scene.character == Character::Rare)
        {
            fillGlow (g, { 170, 300 }, 40, 28, look.cheek.withAlpha (0.45f));
            fillGlow (g, { 384, 318 }, 34, 24, look.cheek.withAlpha (0.35f));
            // Freckles of heat on the cheeks.
            for (int i = 0; i < 7; ++i)
            {
                Point c (150 + random.nextFloat() * 40, 290 + random.nextFloat() * 22);
                g.setColour (look.bodyShadow.withAlpha (0.35f));
                g.fillEllipse (Rect (2.2f, 2.2f).withCentre (c));
            }
        }
        if (scene.character == Character::Medium)
        {
            // A brass band across the brow line, riveted.
            auto band = Rect (h.getX(), 236, h.getWidth(), 11);
            auto brass = vertical (look.trimLight, band.getY(), look.trim.darker (0.6f), band.getBottom());
            brass.addColour (0.4, look.trim);
            g.setGradientFill (brass);
            g.fillRect (band);
            g.setColour (shade (0.5f));
            g.drawLine (h.getX(), band.getBottom(), h.getRight(), band.getBottom(), 1.2f);
            for (float x = h.getX() + 14; x < h.getRight() - 8; x += 26)
                paintRivet (g, { x, band.getCentreY() }, 2.0f, look.trim);
            for (int i = 0; i < 5; ++i)
                fillGlow (g, { h.getX() + random.nextFloat() * h.getWidth(), h.getY() + random.nextFloat() * 40 },
                          30 + random.nextFloat() * 30, 16, look.soot.withAlpha (0.35f));
        }
        if (look.cracks)
        {
            // Charred enamel: soot blooms, blistered flecks and splits.
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
    }

    // Rim: a metal edge with a lit inner line and rivets along the crown and the jaw.
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
        if (std::abs (x - Scene::knob().getCentreX()) < 42)
            continue;
        paintRivet (g, { x, h.getY() + 9 }, 2.6f, look.trim);
        paintRivet (g, { x, h.getBottom() - 9 }, 2.6f, look.trim);
    }

    paintSocket (g, Scene::knob());
    paintSocket (g, Scene::blend());
    paintIndicatorLens (g);

    // The jack the cable plugs into.
    auto jack = scene.cableFar;
    g.setColour (shade (0.5f));
    g.fillEllipse (Rect (15, 15).withCentre (jack + Point (1, 1.5f)));
    g.setGradientFill (radial (look.capMetal.brighter (0.4f), jack - Point (2, 2), look.capMetal.darker (0.8f), 9));
    g.fillEllipse (Rect (14, 14).withCentre (jack));
    g.setColour (shade (0.85f));
    g.fillEllipse (Rect (6, 6).withCentre (jack));
}

void ScenePainter::paintSocket (Graphics& g, Rect r) const
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

void ScenePainter::paintIndicatorLens (Graphics& g) const
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

void ScenePainter::paintEye (Graphics& g, int k, bool withPupil) const
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
        if (withPupil)
            paintPupil (g, k);
    }

    // The outline sits just outside the white, so the eye picture's edge is the white's edge.
    g.setColour (look.lid);
    g.drawEllipse (e.ellipse.expanded (1.6f), 3.2f);
    if (look.eyeLidCut > 0)
    {
        auto lid = vertical (look.body.brighter (0.2f), e.ellipse.getY(), look.body.darker (0.5f), e.lidEdge.getStartY() + 4);
        g.setGradientFill (lid);
        g.fillPath (e.lid);
        auto edge = e.lidEdge;
        Path line;
        line.startNewSubPath (edge.getStart() - Point (0, 1.6f));
        line.lineTo (edge.getEnd() - Point (0, 1.6f));
        Graphics::ScopedSaveState state (g);
        g.reduceClipRegion (ellipsePath (e.ellipse.expanded (3.2f)));
        g.setColour (look.lid);
        g.strokePath (line, PathStrokeType (3.2f));
    }
    if (scene.character == Character::Rare)
    {
        // Three soft lashes at the outer corner.
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
    if (look.cracks)
    {
        // A heavy brow, sloped down to the nose.
        auto edge = e.lidEdge;
        Path brow;
        brow.startNewSubPath (edge.getStart() + Point (-4, -14));
        brow.lineTo (edge.getEnd() + Point (4, -14));
        brow.lineTo (edge.getEnd() + Point (2, -6));
        brow.lineTo (edge.getStart() + Point (-2, -8));
        brow.closeSubPath();
        if (! e.leftSide)
            brow.applyTransform (juce::AffineTransform::translation (0, 0));
        g.setGradientFill (vertical (look.bodyLight, edge.getStartY() - 16, look.soot, edge.getStartY() - 4));
        g.fillPath (brow);
        g.setColour (shade (0.8f));
        g.strokePath (brow, PathStrokeType (1.0f));
    }
}

void ScenePainter::paintPupil (Graphics& g, int k) const
{
    auto p = scene.eyes[k].pupil;
    auto c = p.getCentre();
    float u = p.getWidth() * 0.5f;
    g.setGradientFill (radial (look.iris.brighter (0.5f), c + Point (u * 0.3f, u * 0.35f), look.irisDark, u * 1.2f));
    g.fillEllipse (p);
    g.setColour (look.irisDark.darker (0.5f));
    g.drawEllipse (p.reduced (0.5f), 1.0f);
    g.setColour (rgba (8, 4, 4));
    g.fillEllipse (p.reduced (u * 0.5f));
    g.setColour (light (0.9f));
    g.fillEllipse (Rect (u * 0.5f, u * 0.5f).withCentre (c - Point (u * 0.38f, u * 0.38f)));
    g.setColour (light (0.5f));
    g.fillEllipse (Rect (u * 0.22f, u * 0.22f).withCentre (c + Point (u * 0.35f, u * 0.3f)));
}

//==============================================================================
juce::Path ScenePainter::mouthLine (float openness, bool upper) const
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

juce::Path ScenePainter::mouthOpening (float openness) const
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

void ScenePainter::paintMouth (Graphics& g, int frame) const
{
    float o = (float) frame / (float) (mouthFrames - 1);
    auto c = scene.mouthCentre;

    // The skin around the mouth darkens a little as it opens.
    fillGlow (g, c + Point (0, 18 * o), 74, 30 + 30 * o, look.bodyShadow.withAlpha (0.18f + 0.22f * o));

    if (frame > 0)
    {
        auto opening = mouthOpening (o);
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
            // Teeth hang from the upper lip; Well's are jagged top and bottom.
            int n = look.toothCount;
            float w = b.getWidth() / (float) n;
            auto upper = mouthLine (o, true);
            for (int i = 0; i < n; ++i)
            {
                float x = b.getX() + w * ((float) i + 0.5f);
                float y = upper.getBounds().getY();
                juce::PathFlatteningIterator it (upper);
                float best = 1e9f;
                while (it.next())
                    if (std::abs (it.x2 - x) < best) { best = std::abs (it.x2 - x); y = it.y2; }
                Path tooth;
                float th = look.jaggedMouth ? 9.0f : 7.0f;
                if (look.jaggedMouth)
                {
                    tooth.addTriangle (x - w * 0.45f, y - 2, x + w * 0.45f, y - 2, x, y + th);
                    float yb = b.getBottom();
                    tooth.addTriangle (x - w * 0.4f + w * 0.5f, yb + 2, x + w * 0.4f + w * 0.5f, yb + 2, x + w * 0.5f, yb - th * 0.8f);
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
        g.setGradientFill (vertical (shade (0.55f), b.getY(), shade (0.0f), b.getY() + 10));
        g.fillRect (b);
    }

    auto upper = mouthLine (o, true), lower = mouthLine (o, false);
    g.setColour (look.lip.darker (0.4f));
    g.strokePath (upper, PathStrokeType (4.2f, PathStrokeType::curved, PathStrokeType::rounded));
    g.strokePath (lower, PathStrokeType (4.6f, PathStrokeType::curved, PathStrokeType::rounded));
    g.setColour (look.lip);
    g.strokePath (upper, PathStrokeType (2.6f, PathStrokeType::curved, PathStrokeType::rounded));
    g.strokePath (lower, PathStrokeType (3.0f, PathStrokeType::curved, PathStrokeType::rounded));
    // A lit edge under the lower lip.
    g.setColour (look.bodyLight.withAlpha (0.45f));
    g.strokePath (lower, PathStrokeType (1.2f), juce::AffineTransform::translation (0, 3.2f).scaled (0.82f, 1.0f, c.x, c.y));
    for (float side : { -1.0f, 1.0f })
    {
        Point corner (c.x + side * (scene.mouthHalfWidth + 4 * o + 3), c.y + (scene.character == Character::Rare ? -6.0f : 0.0f));
        g.setColour (look.lip.darker (0.3f));
        g.fillEllipse (Rect (4, 4).withCentre (corner));
    }
}

//==============================================================================
juce::Path ScenePainter::cablePath() const
{
    auto a = scene.cableRoot, b = scene.cableFar;
    Path p;
    p.startNewSubPath (a);
    p.quadraticTo ((a + b) * 0.5f + Point (-4, 4), b);
    return p;
}

void ScenePainter::paintCable (Graphics& g) const
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

void ScenePainter::paintTransformer (Graphics& g) const
{
    auto b = scene.transformerBody;
    g.setColour (shade (0.5f));
    g.fillRoundedRectangle (b.translated (2, 3), 4);

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

void ScenePainter::paintValve (Graphics& g) const
{
    auto v = scene.valveGlass;
    Path glass;
    glass.addRoundedRectangle (v.getX(), v.getY(), v.getWidth(), v.getHeight() - 4, v.getWidth() * 0.5f, v.getWidth() * 0.5f, true, true, false, false);
    g.setColour (look.glass.withAlpha (0.25f));
    g.fillPath (glass);
    // Plate, mica and a cold filament inside.
    auto plate = Rect (v.getX() + 8, v.getY() + 24, v.getWidth() - 16, 32);
    g.setGradientFill (horizontal (look.plate.darker (0.4f), plate.getX(), look.plate.darker (0.6f), plate.getRight()));
    g.fillRect (plate);
    g.setColour (look.plate.brighter (0.5f));
    g.drawLine (plate.getCentreX(), plate.getY() - 8, plate.getCentreX(), plate.getBottom() + 6, 1.0f);
    g.setColour (look.glass.withAlpha (0.6f));
    g.fillRect (Rect (v.getX() + 5, v.getY() + 20, v.getWidth() - 10, 2.5f));
    g.fillRect (Rect (v.getX() + 5, v.getY() + 58, v.getWidth() - 10, 2.5f));
    // Getter flash at the top of the glass.
    g.setGradientFill (vertical (rgba (190, 190, 200, 0.8f), v.getY(), rgba (120, 110, 120, 0.0f), v.getY() + 16));
    g.fillEllipse (Rect (v.getX() + 5, v.getY() + 3, v.getWidth() - 10, 13));
    g.setColour (light (0.55f));
    g.fillRoundedRectangle (Rect (v.getX() + 4, v.getY() + 12, 3, v.getHeight() - 26), 1.5f);
    g.setColour (light (0.25f));
    g.fillRoundedRectangle (Rect (v.getRight() - 7, v.getY() + 18, 2, v.getHeight() - 36), 1.0f);
    g.setColour (look.glass.darker (0.6f).withAlpha (0.8f));
    g.strokePath (glass, PathStrokeType (1.2f));
}

void ScenePainter::paintValveHot (Graphics& g) const
{
    auto v = scene.valveGlass;
    auto c = v.getCentre() + Point (0, 4);
    fillGlow (g, c, 28, 46, rgba (255, 130, 40, 0.55f));
    Path glass;
    glass.addRoundedRectangle (v.getX(), v.getY(), v.getWidth(), v.getHeight() - 4, v.getWidth() * 0.5f, v.getWidth() * 0.5f, true, true, false, false);
    g.setGradientFill (radial (rgba (255, 214, 140), c, rgba (230, 90, 30, 0.92f), v.getWidth() * 0.85f));
    g.fillPath (glass);
    auto plate = Rect (v.getX() + 8, v.getY() + 24, v.getWidth() - 16, 32);
    g.setColour (rgba (120, 50, 20, 0.8f));
    g.fillRect (plate);
    g.setColour (rgba (255, 250, 210));
    g.drawLine (plate.getCentreX(), plate.getY() - 8, plate.getCentreX(), plate.getBottom() + 6, 1.8f);
    fillGlow (g, { plate.getCentreX(), plate.getCentreY() }, 9, 22, rgba (255, 240, 180, 0.8f));
    g.setColour (light (0.6f));
    g.fillRoundedRectangle (Rect (v.getX() + 4, v.getY() + 12, 3, v.getHeight() - 26), 1.5f);
    g.setColour (rgba (120, 40, 10, 0.8f));
    g.strokePath (glass, PathStrokeType (1.2f));
}

void ScenePainter::paintValveDim (Graphics& g) const
{
    auto v = scene.valveGlass;
    Path glass;
    glass.addRoundedRectangle (v.getX(), v.getY(), v.getWidth(), v.getHeight() - 4, v.getWidth() * 0.5f, v.getWidth() * 0.5f, true, true, false, false);
    g.setGradientFill (horizontal (rgba (70, 70, 76), v.getX(), rgba (30, 30, 34), v.getRight()));
    g.fillPath (glass);
    auto plate = Rect (v.getX() + 8, v.getY() + 24, v.getWidth() - 16, 32);
    g.setColour (rgba (18, 18, 20));
    g.fillRect (plate);
    g.setGradientFill (vertical (rgba (40, 40, 46), v.getY(), rgba (40, 40, 46, 0.0f), v.getY() + 20));
    g.fillPath (glass);
    g.setColour (light (0.2f));
    g.fillRoundedRectangle (Rect (v.getX() + 4, v.getY() + 12, 3, v.getHeight() - 26), 1.5f);
    g.setColour (rgba (10, 10, 12));
    g.strokePath (glass, PathStrokeType (1.2f));
}

//==============================================================================
void ScenePainter::paintGrill (Graphics& g, const Pose& pose) const
{
    auto t = scene.tray;
    // Legs, then the tray's dark bowl, the coal bed, the tray's front lip and the rail.
    for (float x : { 30.0f, 498.0f })
    {
        auto leg = Rect (x - 4, scene.railTop, 8, 556 - scene.railTop);
        g.setGradientFill (horizontal (look.grateLight, leg.getX(), look.grate.darker (0.5f), leg.getRight()));
        g.fillRect (leg);
    }
    g.setGradientFill (vertical (look.tray.darker (0.8f), t.getY(), look.tray.darker (0.2f), t.getBottom()));
    g.fillRoundedRectangle (t, 10);
    g.setColour (look.grateLight.withAlpha (0.5f));
    g.drawLine (t.getX() + 8, t.getY() + 1, t.getRight() - 8, t.getY() + 1, 1.4f);
    fillGlow (g, { t.getCentreX(), t.getY() - 10 }, 240, 26, shade (0.5f));
    for (auto& coal : scene.coals)
        paintCoal (g, coal);
    auto lip = Rect (t.getX() - 4, 530, t.getWidth() + 8, 18);
    g.setColour (shade (0.5f));
    g.fillRoundedRectangle (lip.translated (0, 3), 6);
    auto lipFill = vertical (look.grateLight, lip.getY(), look.tray.darker (0.6f), lip.getBottom());
    lipFill.addColour (0.25, look.tray.brighter (0.3f));
    g.setGradientFill (lipFill);
    g.fillRoundedRectangle (lip, 6);
    g.setColour (shade (0.7f));
    g.drawRoundedRectangle (lip, 6, 1.0f);
    for (float x = lip.getX() + 16; x < lip.getRight() - 8; x += 58)
        paintRivet (g, { x, lip.getCentreY() + 1 }, 2.2f, look.grateLight);

    auto rail = Rect (22, scene.railTop, 486, scene.railBottom - scene.railTop);
    g.setColour (shade (0.5f));
    g.fillRoundedRectangle (rail.translated (0, 3), 3);
    auto iron = vertical (look.grateLight, rail.getY(), look.grate.darker (0.6f), rail.getBottom());
    iron.addColour (0.35, look.grate.brighter (0.4f));
    g.setGradientFill (iron);
    g.fillRoundedRectangle (rail, 3);
    g.setColour (shade (0.75f));
    g.drawRoundedRectangle (rail, 3, 0.9f);

    if (look.cracks)
    {
        // The rail's end is scarred where it grinds on the wall: the sparks' source.
        auto s = Scene::sparkFrom();
        fillGlow (g, s.getCentre(), 22, light (0.06f));
        fillGlow (g, s.getCentre(), 18, rgba (10, 6, 4, 0.6f));
        g.setColour (rgba (180, 170, 160, 0.5f));
        for (int i = 0; i < 5; ++i)
        {
            float d = -6.0f + 3.0f * (float) i;
            g.drawLine (s.getX() + 4 + d, s.getY() + 2 - d, s.getRight() - 4 + d, s.getBottom() - 2 - d, 0.6f);
        }
    }

    for (size_t v = 0; v < scene.flames.size(); ++v)
        paintFlame (g, (int) v);
    for (size_t k = 0; k < scene.drips.size(); ++k)
        if ((int) k != pose.hiddenDrip)
            paintDrip (g, (int) k);
}

void ScenePainter::paintCoal (Graphics& g, const Coal& coal) const
{
    auto c = coal.centre;
    float r = coal.radius;
    g.setColour (shade (0.5f));
    g.fillPath (coal.shape, juce::AffineTransform::translation (1.2f, 2.0f));
    g.setGradientFill (radial (look.coalTop, c - Point (r * 0.35f, r * 0.5f), look.coal.darker (0.6f), r * 1.3f));
    g.fillPath (coal.shape);
    Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (coal.shape);
    // Ash on the crown and a couple of dark splits.
    g.setColour (look.ash.withAlpha (0.35f));
    g.fillEllipse (Rect (r * 0.9f, r * 0.35f).withCentre (c - Point (r * 0.15f, r * 0.55f)));
    g.setColour (shade (0.55f));
    g.drawLine (c.x - r * 0.5f, c.y - r * 0.1f, c.x + r * 0.1f, c.y + r * 0.25f, 0.9f);
    g.drawLine (c.x + r * 0.1f, c.y + r * 0.25f, c.x + r * 0.55f, c.y - r * 0.05f, 0.9f);
    g.setColour (shade (0.6f));
    g.strokePath (coal.shape, PathStrokeType (1.0f));
}

void ScenePainter::paintLitCoals (Graphics& g, int group) const
{
    // The tray's front lip hides the bottom of the bed, lit or not.
    g.reduceClipRegion (Rect (scene.coalsRect.getX(), scene.coalsRect.getY(), scene.coalsRect.getWidth(), 530 - scene.coalsRect.getY()).toNearestInt());
    const bool harsh = scene.character == Character::Well;
    const auto hot = harsh ? rgba (255, 250, 215) : rgba (255, 226, 140);
    const auto mid = harsh ? rgba (255, 150, 40) : rgba (255, 122, 52);
    const auto edge = scene.character == Character::Rare ? rgba (190, 40, 40) : rgba (170, 44, 14);
    for (auto& coal : scene.coals)
        if (coal.group == group)
            fillGlow (g, coal.centre, coal.radius * 1.8f, mid.withAlpha (0.4f));
    for (auto& coal : scene.coals)
    {
        if (coal.group != group)
            continue;
        // A glowing core inside a darker crust: the lit shape stays within the lump.
        auto core = scaledAbout (coal.shape, 0.9f, coal.centre);
        auto grad = radial (hot, coal.centre + Point (0, coal.radius * 0.15f), edge, coal.radius);
        grad.addColour (0.5, mid);
        g.setGradientFill (grad);
        g.fillPath (core);
        auto c = coal.centre;
        float r = coal.radius;
        g.setColour (rgba (255, 250, 220, 0.9f));
        g.drawLine (c.x - r * 0.5f, c.y - r * 0.1f, c.x + r * 0.1f, c.y + r * 0.25f, 1.1f);
        g.drawLine (c.x + r * 0.1f, c.y + r * 0.25f, c.x + r * 0.55f, c.y - r * 0.05f, 1.1f);
    }
}

void ScenePainter::paintGlisten (Graphics& g, int group) const
{
    for (auto& r : scene.glints[group])
    {
        fillGlow (g, r.getCentre(), r.getWidth() * 0.5f + 3, r.getHeight() * 0.5f + 3, rgba (255, 250, 225, 0.45f));
        g.setColour (rgba (255, 252, 235, 0.95f));
        g.fillEllipse (r.reduced (r.getWidth() * 0.2f, r.getHeight() * 0.25f));
    }
}

void ScenePainter::paintIndicatorGlow (Graphics& g) const
{
    auto c = scene.indicatorCentre;
    fillGlow (g, c, 16, rgba (255, 110, 40, 0.8f));
    g.setGradientFill (radial (rgba (255, 250, 215), c - Point (0.5f, 0.8f), rgba (255, 120, 40), 7));
    g.fillEllipse (Rect (14, 14).withCentre (c));
    g.setColour (light (0.7f));
    g.fillEllipse (Rect (4, 2.6f).withCentre (c - Point (2.2f, 3)));
}

void ScenePainter::paintWarmGlow (Graphics& g) const
{
    fillGlow (g, { 266, 470 }, 236, 78, rgba (255, 120, 60, 0.55f));
    fillGlow (g, scene.mouthCentre + Point (0, 10), 100, 64, rgba (255, 150, 90, 0.35f));
    fillGlow (g, { 170, 300 }, 46, 30, rgba (255, 110, 90, 0.35f));
    fillGlow (g, { 384, 318 }, 40, 26, rgba (255, 110, 90, 0.3f));
}

void ScenePainter::paintMouthWarm (Graphics& g, int frame) const
{
    float o = (float) frame / (float) (mouthFrames - 1);
    auto c = scene.mouthCentre;
    fillGlow (g, c + Point (0, 16 * o), 70, 24 + 26 * o, rgba (255, 120, 70, 0.35f));
    if (frame > 0)
    {
        auto opening = mouthOpening (o);
        auto b = opening.getBounds();
        g.setGradientFill (radial (rgba (255, 210, 120, 0.95f), { c.x, b.getBottom() - b.getHeight() * 0.3f }, rgba (230, 60, 40, 0.6f), b.getWidth() * 0.55f));
        g.fillPath (opening);
    }
    g.setColour (rgba (255, 150, 100, 0.6f));
    g.strokePath (mouthLine (o, false), PathStrokeType (2.0f, PathStrokeType::curved, PathStrokeType::rounded));
}

void ScenePainter::paintDrip (Graphics& g, int k) const
{
    auto r = scene.drips[k];
    float cx = r.getCentreX(), top = r.getY(), bottom = r.getBottom() - 0.5f, h = r.getHeight();
    const float bulb = 4.4f;
    Path drop;
    drop.startNewSubPath (cx - 3.4f, top);
    drop.quadraticTo (cx - 1.3f, top + h * 0.45f, cx - bulb, bottom - bulb);
    drop.cubicTo (cx - bulb, bottom + 1.2f, cx + bulb, bottom + 1.2f, cx + bulb, bottom - bulb);
    drop.quadraticTo (cx + 1.3f, top + h * 0.45f, cx + 3.4f, top);
    drop.closeSubPath();
    g.setGradientFill (horizontal (look.drip.brighter (0.35f), cx - bulb, look.drip.darker (0.55f), cx + bulb));
    g.fillPath (drop);
    g.setColour (look.drip.darker (0.8f).withAlpha (0.8f));
    g.strokePath (drop, PathStrokeType (0.7f));
    g.setColour (look.dripLight.withAlpha (0.8f));
    g.fillEllipse (Rect (1.8f, 3.0f).withCentre ({ cx - 1.8f, bottom - bulb - 0.5f }));
}

void ScenePainter::paintFlame (Graphics& g, int v) const
{
    auto r = scene.flames[v].rect;
    auto base = scene.flames[v].pivot;
    float w = r.getWidth(), h = r.getHeight();
    auto tongue = [&] (float k, float lean)
    {
        Path p;
        float bx = base.x, by = base.y;
        float ww = w * k, hh = h * k;
        p.startNewSubPath (bx, by);
        p.cubicTo (bx - 0.56f * ww, by, bx - 0.5f * ww, by - 0.45f * hh, bx - 0.16f * ww + lean * 0.4f, by - 0.7f * hh);
        p.quadraticTo (bx - 0.02f * ww + lean * 0.7f, by - 0.86f * hh, bx + 0.08f * ww + lean, by - hh);
        p.quadraticTo (bx + 0.22f * ww + lean * 0.5f, by - 0.78f * hh, bx + 0.3f * ww, by - 0.6f * hh);
        p.cubicTo (bx + 0.56f * ww, by - 0.34f * hh, bx + 0.52f * ww, by, bx, by);
        p.closeSubPath();
        return p;
    };
    const float lean = (v % 2 == 0 ? -1.0f : 1.0f) * w * 0.06f;
    auto outer = tongue (1.0f, lean);
    auto outerFill = vertical (rgba (170, 30, 10), base.y - h, rgba (255, 110, 20), base.y);
    outerFill.addColour (0.55, rgba (235, 70, 14));
    g.setGradientFill (outerFill);
    g.fillPath (outer);
    auto middle = tongue (0.7f, lean * 0.6f);
    g.setGradientFill (vertical (rgba (255, 120, 30), base.y - h * 0.7f, rgba (255, 190, 60), base.y));
    g.fillPath (middle);
    auto core = tongue (0.42f, lean * 0.3f);
    g.setGradientFill (vertical (rgba (255, 220, 120), base.y - h * 0.42f, rgba (255, 250, 220), base.y));
    g.fillPath (core);
    g.setColour (rgba (120, 20, 6, 0.6f));
    g.strokePath (outer, PathStrokeType (0.8f));
}

void ScenePainter::paintSmoke (Graphics& g, int v) const
{
    auto r = scene.smoke[v];
    juce::Random random (500 + 17 * v + (int) scene.character);
    const bool sooty = scene.character == Character::Well;
    auto colour = sooty ? rgba (96, 90, 86) : rgba (206, 198, 186);
    for (int i = 0; i < 6; ++i)
    {
        float rad = r.getWidth() * (0.14f + 0.08f * random.nextFloat());
        float room = r.getWidth() * 0.5f - rad - 2;
        Point c (r.getCentreX() + (random.nextFloat() - 0.5f) * 2 * std::max (room, 0.0f) * 0.7f,
                 r.getCentreY() + r.getHeight() * (0.25f - 0.1f * (float) i) * 0.9f);
        fillGlow (g, c, rad, colour.withAlpha (sooty ? 0.32f : 0.24f));
    }
}

void ScenePainter::paintSpark (Graphics& g, Rect r, int i)
{
    auto c = r.getCentre();
    float w = r.getWidth(), h = r.getHeight();
    fillGlow (g, c, w * 0.5f, h * 0.5f, rgba (255, 170, 60, 0.55f));
    if (i == 2)
    {
        g.setGradientFill (horizontal (rgba (255, 200, 90, 0.0f), r.getX(), rgba (255, 252, 225), r.getRight() - w * 0.2f));
        g.fillEllipse (Rect (w * 0.9f, h * 0.36f).withCentre (c));
        return;
    }
    Path star;
    star.addStar (c, i == 3 ? 4 : 5, w * 0.09f, w * 0.48f, (float) i * 0.4f);
    g.setColour (rgba (255, 236, 170));
    g.fillPath (star);
    g.setColour (rgba (255, 255, 240));
    g.fillEllipse (Rect (w * 0.22f, h * 0.22f).withCentre (c));
}

void ScenePainter::paintKnobCap (Graphics& g, Rect r, bool brass)
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
