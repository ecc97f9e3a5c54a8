#include "FirePainter.h"

namespace torvane::art
{
using namespace paint;

void FirePainter::paintGrill (Graphics& g, int hiddenDrip) const
{
    // Back to front: legs and the tray's bowl, the coal bed, the tray's lip, the rail, then
    // what hangs from it or rises in front of it.
    paintTray (g);
    for (auto& coal : scene.coals)
        paintCoal (g, coal);
    paintTrayLip (g);
    paintRail (g);
    if (look.cracks)
        paintScorch (g);
    for (size_t v = 0; v < scene.flames.size(); ++v)
        paintFlame (g, (int) v);
    for (size_t k = 0; k < scene.drips.size(); ++k)
        if ((int) k != hiddenDrip)
            paintDrip (g, (int) k);
}

void FirePainter::paintTray (Graphics& g) const
{
    auto t = scene.tray;
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
}

void FirePainter::paintTrayLip (Graphics& g) const
{
    auto t = scene.tray;
    auto lip = Rect (t.getX() - 4, scene.trayLipTop, t.getWidth() + 8, 18);
    auto fill = vertical (look.grateLight, lip.getY(), look.tray.darker (0.6f), lip.getBottom());
    fill.addColour (0.25, look.tray.brighter (0.3f));
    paintRaisedPlate (g, lip, 6, { { 0, 3 }, 0.5f }, fill, { 0.7f, 1.0f });
    for (float x = lip.getX() + 16; x < lip.getRight() - 8; x += 58)
        paintRivet (g, { x, lip.getCentreY() + 1 }, 2.2f, look.grateLight);
}

void FirePainter::paintRail (Graphics& g) const
{
    auto rail = Rect (22, scene.railTop, 486, scene.railBottom - scene.railTop);
    auto iron = vertical (look.grateLight, rail.getY(), look.grate.darker (0.6f), rail.getBottom());
    iron.addColour (0.35, look.grate.brighter (0.4f));
    paintRaisedPlate (g, rail, 3, { { 0, 3 }, 0.5f }, iron, { 0.75f, 0.9f });
}

void FirePainter::paintScorch (Graphics& g) const
{
    // The wall is scarred where the rail's end grinds into it: the sparks' source, with
    // its scratches along the diagonal the sparks start from.
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

void FirePainter::paintCoal (Graphics& g, const Coal& coal) const
{
    auto c = coal.centre;
    float r = coal.radius;
    g.setColour (shade (0.5f));
    g.fillPath (coal.shape, juce::AffineTransform::translation (1.2f, 2.0f));
    g.setGradientFill (radial (look.coalTop, c - Point (r * 0.35f, r * 0.5f), look.coal.darker (0.6f), r * 1.3f));
    g.fillPath (coal.shape);
    Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (coal.shape);
    // Banked warmth low in the lump, ash on the crown and a couple of dark splits.
    g.setGradientFill (vertical (look.coal.withAlpha (0.0f), c.y, look.soot.interpolatedWith (rgba (120, 30, 20), 0.5f).withAlpha (0.5f), c.y + r));
    g.fillPath (coal.shape);
    for (int i = 0; i < 5; ++i)
    {
        float a = (float) i * 1.3f + r;
        g.setColour ((i % 2 ? look.ash : shade (1.0f)).withAlpha (0.3f));
        g.fillEllipse (Rect (1.6f, 1.2f).withCentre (c + Point (std::cos (a), std::sin (a) * 0.6f) * (r * 0.55f)));
    }
    g.setColour (look.ash.withAlpha (0.35f));
    g.fillEllipse (Rect (r * 0.9f, r * 0.35f).withCentre (c - Point (r * 0.15f, r * 0.55f)));
    g.setColour (look.coalTop.withAlpha (0.35f));
    g.strokePath (coal.cracks, PathStrokeType (1.6f, PathStrokeType::curved, PathStrokeType::rounded), juce::AffineTransform::translation (0.5f, 0.7f));
    g.setColour (shade (0.7f));
    g.strokePath (coal.cracks, PathStrokeType (1.0f, PathStrokeType::curved, PathStrokeType::rounded));
    g.setColour (shade (0.6f));
    g.strokePath (coal.shape, PathStrokeType (1.0f));
}

namespace
{
// The colours of a lit lump: its white-hot core, the orange round it, the rim, the crust
// patches over its lower part and the glowing splits.
struct CoalHeat
{
    Colour hot, mid, edge, split;
    float crust;      // strength of the dark crust patches
    float midStop;    // where the orange begins, before the lump's heat moves it out
};

// Rare's coals only glow this far with the face's warmth on top; Medium's and Well's are
// drawn at most at 0.85 of their level with nothing added, so their lumps are bright to
// the rim, their crust thin and their splits yellow rather than white.
CoalHeat coalHeatFor (Character c)
{
    switch (c)
    {
        case Character::Rare:   return { rgba (255, 226, 140), rgba (255, 122, 52), rgba (190, 40, 40), rgba (255, 250, 220, 0.95f), 0.7f, 0.3f };
        case Character::Medium: return { rgba (255, 236, 160), rgba (255, 150, 50), rgba (236, 84, 24), rgba (255, 238, 140), 0.3f, 0.5f };
        case Character::Well:   return { rgba (255, 250, 215), rgba (255, 164, 44), rgba (240, 90, 20), rgba (255, 244, 170), 0.3f, 0.5f };
    }
    return {};
}
} // namespace

void FirePainter::paintLitCoals (Graphics& g, int group) const
{
    // The tray's front lip hides the bottom of the bed, lit or not.
    g.reduceClipRegion (scene.coalsRect.withBottom (scene.trayLipTop).toNearestInt());
    const auto heat = coalHeatFor (scene.character);
    for (auto& coal : scene.coals)
        if (coal.group == group)
            fillGlow (g, coal.centre, coal.radius * Scene::glowReach, heat.mid.withAlpha (0.4f));
    for (auto& coal : scene.coals)
    {
        if (coal.group != group)
            continue;
        // A glowing core inside a darker crust: the lit shape stays within the lump.
        auto core = scaledAbout (coal.shape, 0.9f, coal.centre);
        auto grad = radial (heat.hot.interpolatedWith (heat.mid, 1 - coal.heat), coal.centre + Point (0, coal.radius * 0.15f), heat.edge, coal.radius);
        grad.addColour (heat.midStop + 0.3 * coal.heat, heat.mid);
        g.setGradientFill (grad);
        g.fillPath (core);
        // Dark crust patches, then the splits glowing white-hot.
        {
            Graphics::ScopedSaveState state (g);
            g.reduceClipRegion (core);
            g.setGradientFill (vertical (heat.edge.withAlpha (0.0f), coal.centre.y - coal.radius * 0.2f, heat.edge.darker (0.5f).withAlpha (heat.crust), coal.centre.y + coal.radius * 0.8f));
            g.fillPath (core);
        }
        g.setColour (heat.mid.withAlpha (0.6f));
        g.strokePath (coal.cracks, PathStrokeType (2.4f, PathStrokeType::curved, PathStrokeType::rounded));
        g.setColour (heat.split);
        g.strokePath (coal.cracks, PathStrokeType (1.0f, PathStrokeType::curved, PathStrokeType::rounded));
    }
}

juce::Path FirePainter::dropPath (int k) const
{
    auto r = scene.drips[(size_t) k];
    float cx = r.getCentreX(), top = r.getY(), bottom = r.getBottom() - 0.5f, h = r.getHeight();
    // A full neck and a modest bulb: stretched down from its top, as the editor hangs it
    // longer while playing, the drop still covers nearly all of its resting outline.
    const float bulb = dropBulb, neck = 2.6f;
    Path drop;
    drop.startNewSubPath (cx - 3.4f, top);
    drop.quadraticTo (cx - neck, top + h * 0.45f, cx - bulb, bottom - bulb);
    drop.cubicTo (cx - bulb, bottom + 1.2f, cx + bulb, bottom + 1.2f, cx + bulb, bottom - bulb);
    drop.quadraticTo (cx + neck, top + h * 0.45f, cx + 3.4f, top);
    drop.closeSubPath();
    return drop;
}

void FirePainter::paintDrip (Graphics& g, int k) const
{
    auto r = scene.drips[(size_t) k];
    auto drop = dropPath (k);
    float cx = r.getCentreX(), bottom = r.getBottom() - 0.5f;
    const float bulb = dropBulb;
    g.setGradientFill (horizontal (look.drip.brighter (0.35f), cx - bulb, look.drip.darker (0.55f), cx + bulb));
    g.fillPath (drop);
    g.setColour (look.drip.darker (0.8f).withAlpha (0.8f));
    g.strokePath (drop, PathStrokeType (0.7f));
    g.setColour (look.dripLight.withAlpha (0.8f));
    g.fillEllipse (Rect (1.8f, 3.0f).withCentre ({ cx - 1.8f, bottom - bulb - 0.5f }));
}

namespace
{
// A tongue of flame standing on its base point: a rounded foot, a waist, a hooked tip,
// with two smaller licks at its sides when it is the outer layer.
Path flameTongue (Point base, float w, float h, float lean, bool licks)
{
    Path p;
    float bx = base.x, by = base.y;
    p.startNewSubPath (bx, by);
    p.cubicTo (bx - 0.56f * w, by, bx - 0.5f * w, by - 0.45f * h, bx - 0.16f * w + lean * 0.4f, by - 0.7f * h);
    p.quadraticTo (bx - 0.02f * w + lean * 0.7f, by - 0.86f * h, bx + 0.08f * w + lean, by - h);
    p.quadraticTo (bx + 0.22f * w + lean * 0.5f, by - 0.78f * h, bx + 0.3f * w, by - 0.6f * h);
    p.cubicTo (bx + 0.56f * w, by - 0.34f * h, bx + 0.52f * w, by, bx, by);
    p.closeSubPath();
    if (licks)
    {
        for (float side : { -1.0f, 1.0f })
        {
            Point foot (bx + side * 0.3f * w, by - 0.12f * h);
            Path lick;
            lick.startNewSubPath (foot + Point (-0.14f * w, 0));
            lick.quadraticTo (foot + Point (-0.16f * w, -0.3f * h), foot + Point (side * 0.16f * w, -0.5f * h));
            lick.quadraticTo (foot + Point (0.02f * w, -0.26f * h), foot + Point (0.14f * w, 0));
            lick.closeSubPath();
            p.addPath (lick);
        }
        p.setUsingNonZeroWinding (true);
    }
    return p;
}
} // namespace

void FirePainter::paintFlame (Graphics& g, int v) const
{
    auto r = scene.flames[(size_t) v].rect;
    auto base = scene.flames[(size_t) v].pivot;
    float w = r.getWidth(), h = r.getHeight();
    const float lean = (v % 2 == 0 ? -1.0f : 1.0f) * w * 0.06f;
    // Three nested, opaque layers: red outside, orange, a white-yellow core.
    auto outer = flameTongue (base, w * 0.92f, h, lean, true);
    auto outerFill = vertical (rgba (170, 30, 10), base.y - h, rgba (255, 110, 20), base.y);
    outerFill.addColour (0.55, rgba (235, 70, 14));
    g.setGradientFill (outerFill);
    g.fillPath (outer);
    g.setGradientFill (vertical (rgba (255, 120, 30), base.y - h * 0.7f, rgba (255, 190, 60), base.y));
    g.fillPath (flameTongue (base, w * 0.64f, h * 0.7f, lean * 0.6f, false));
    g.setGradientFill (vertical (rgba (255, 220, 120), base.y - h * 0.42f, rgba (255, 250, 220), base.y));
    g.fillPath (flameTongue (base, w * 0.38f, h * 0.42f, lean * 0.3f, false));
}

void FirePainter::paintSmoke (Graphics& g, int v) const
{
    // A plume: a thin, faint column at the foot that widens and thins out as it rises,
    // leaning with a slow curl; soft puffs along it, all well inside the rectangle so the
    // alpha is gone before its edges.
    auto r = scene.smoke[(size_t) v];
    juce::Random random (500 + 17 * v + (int) scene.character);
    const bool sooty = scene.character == Character::Well;
    auto colour = sooty ? rgba (150, 140, 132) : rgba (206, 200, 188);
    const int puffs = 24;
    float phase = random.nextFloat() * 6.0f;
    float lean = (random.nextFloat() - 0.5f) * 0.3f;
    for (int i = 0; i < puffs; ++i)
    {
        float t = (float) i / (float) (puffs - 1);   // 0 at the foot, 1 at the top
        float rad = std::min (r.getWidth(), r.getHeight()) * (0.08f + 0.2f * t);
        float room = std::max (r.getWidth() * 0.5f - rad - 2, 0.0f);
        float sway = juce::jlimit (-room, room, (std::sin (phase + t * 3.2f) * 0.5f + lean) * room * t);
        Point c (r.getCentreX() + sway, r.getBottom() - rad - 2 - t * (r.getHeight() - 2 * rad - 4));
        float alpha = (sooty ? 0.13f : 0.11f) * std::sin (pi * std::pow (t, 0.7f)) * (0.8f + 0.2f * random.nextFloat());
        fillGlow (g, c, rad, colour.withAlpha (alpha));
    }
}
} // namespace torvane::art
