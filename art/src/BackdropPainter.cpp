#include "BackdropPainter.h"

namespace torvane::art
{
using namespace paint;

void BackdropPainter::paintWall (Graphics& g) const
{
    auto area = Scene::content();
    g.setGradientFill (vertical (look.skyTop, 0, look.skyBottom, 560));
    g.fillRect (area);
    if (look.bricks)
        paintBrickWall (g);
    else if (scene.character == Character::Medium)
        paintPlateWall (g);
    else
        paintDusk (g);

    // Heat haze above the fire, and a vignette that keeps the eye on the face.
    fillGlow (g, { 270, 500 }, 300, 110, look.haze.withAlpha (0.22f));
    auto vignette = radial (shade (0.0f), { 280, 290 }, shade (0.6f), 420);
    vignette.addColour (0.55, shade (0.0f));
    g.setGradientFill (vignette);
    g.fillRect (area);
    // The logo badge and the window's resize grip sit in the bottom-right corner: keep it calm.
    fillGlow (g, Scene::logo().getCentre() + Point (6, 6), 64, look.skyBottom.withAlpha (0.95f));
}

void BackdropPainter::paintBrickWall (Graphics& g) const
{
    // A scorched brick wall: staggered courses, each brick its own burnt shade.
    juce::Random random (99 + (int) scene.character);
    const float bh = 20, bw = 46;
    for (int row = 0; (float) row * bh < 560; ++row)
    {
        float y = (float) row * bh;
        float offset = (float) (row % 2) * bw * 0.5f;
        for (float x = -offset; x < 560; x += bw)
        {
            auto brick = Rect (x + 1.5f, y + 1.5f, bw - 3, bh - 3);
            if (brick.getCentre().getDistanceFrom (Scene::logo().getCentre()) < 44)
                continue;   // the logo's corner stays plain
            auto c = rgba (58, 36, 30).interpolatedWith (rgba (34, 26, 24), random.nextFloat());
            paintPlate (g, brick, 2.5f, vertical (c.brighter (0.25f), brick.getY(), c.darker (0.4f), brick.getBottom()), { 0.35f, 0.8f });
        }
    }
    // Soot rising from the fire, darkest at the top.
    g.setGradientFill (vertical (shade (0.75f), 0, shade (0.15f), 420));
    g.fillRect (Scene::content());
    fillGlow (g, { 280, 250 }, 250, 180, shade (0.45f));
}

void BackdropPainter::paintPlateWall (Graphics& g) const
{
    // A workshop wall: riveted iron plates and two steam pipes behind the speaker.
    for (int i = 0; i < 4; ++i)
    {
        auto plate = Rect (4.0f + 140.0f * (float) i, 70, 134, 480);
        paintPlate (g, plate, 6, vertical (look.skyTop.brighter (0.12f), 70, look.skyBottom, 550), { 0.4f, 1.5f });
        for (float y = 84; y < 540; y += 38)
        {
            paintRivet (g, { plate.getX() + 8, y }, 2.2f, look.trim.darker (0.5f));
            paintRivet (g, { plate.getRight() - 8, y }, 2.2f, look.trim.darker (0.5f));
        }
    }
    for (float x : { 500.0f, 524.0f })
    {
        auto pipe = horizontal (look.trim.darker (1.2f), x - 7, look.trim.darker (1.2f), x + 7);
        pipe.addColour (0.35, look.trim.darker (0.3f));
        g.setGradientFill (pipe);
        g.fillRect (Rect (x - 7, 60, 14, 70));
    }
    fillGlow (g, { 280, 300 }, 300, 220, look.haze.withAlpha (0.08f));
}

void BackdropPainter::paintDusk (Graphics& g) const
{
    // A warm, hazy kitchen dusk: soft glazed tiles and out-of-focus lights.
    juce::Random random (99 + (int) scene.character);
    const float tile = 40;
    for (float y = 66; y < 560; y += tile)
        for (float x = 0; x < 560; x += tile)
        {
            auto r = Rect (x + 1, y + 1, tile - 2, tile - 2);
            if (r.getCentre().getDistanceFrom (Scene::logo().getCentre()) < 44)
                continue;   // the logo's corner stays plain
            paintPlate (g, r, 4, ColourGradient (light (0.05f), r.getX(), r.getY(), shade (0.08f), r.getRight(), r.getBottom(), false),
                        { 0.18f, 0.8f });
        }
    for (int i = 0; i < 16; ++i)
    {
        Point c (random.nextFloat() * 560, 70 + random.nextFloat() * 300);
        float r = 10 + random.nextFloat() * 22;
        fillGlow (g, c, r, look.haze.withAlpha (0.06f + 0.08f * random.nextFloat()));
    }
    fillGlow (g, { 280, 300 }, 320, 240, look.haze.withAlpha (0.12f));
}

void BackdropPainter::paintSign (Graphics& g) const
{
    paintBoard (g);
    for (int p = 0; p < 3; ++p)
    {
        if (p == (int) scene.character)
            paintLitWord (g, p);
        else
            paintCarvedWord (g, p);
    }
}

void BackdropPainter::paintBoard (Graphics& g) const
{
    auto s = Scene::sign();
    g.setColour (shade (0.45f));
    g.fillRoundedRectangle (s.translated (0, 4), 12);
    g.setGradientFill (vertical (look.board.brighter (0.35f), s.getY(), look.board.darker (0.35f), s.getBottom()));
    g.fillRoundedRectangle (s, 12);
    {
        // Grain across the board.
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
    // A bevelled frame, two nails and diamonds between the words.
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
}

void BackdropPainter::paintLitWord (Graphics& g, int page) const
{
    // The chosen character's word is lit like a hot sign, with a bar under it.
    const auto& word = scene.wordPaths[page];
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
    auto bar = Rect (b.getX() + 4, Scene::wordHit (page).getBottom() - 6, b.getWidth() - 8, 3);
    g.setColour (look.wordGlow.withAlpha (0.35f));
    g.fillRoundedRectangle (bar.expanded (2, 1.5f), 3);
    g.setColour (look.wordSelected);
    g.fillRoundedRectangle (bar, 1.5f);
}

void BackdropPainter::paintCarvedWord (Graphics& g, int page) const
{
    // The other words are carved into the board: a dark cut with a lit lower edge.
    const auto& word = scene.wordPaths[page];
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
} // namespace torvane::art
