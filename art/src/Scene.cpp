#include "Scene.h"
#include "Lettering.h"

namespace torvane::art
{
Rect roundedToHundredths (Rect r)
{
    auto h = [] (float v) { return (float) std::round ((double) v * 100.0) / 100.0f; };
    return { h (r.getX()), h (r.getY()), h (r.getWidth()), h (r.getHeight()) };
}

Rect Scene::wordHit (int page)
{
    static const Rect hits[] = { { 46, 16, 116, 42 }, { 200, 16, 160, 42 }, { 398, 16, 116, 42 } };
    return hits[page];
}

const char* Scene::hitName (int page)
{
    static const char* names[] = { "rareHit", "mediumHit", "wellHit" };
    return names[page];
}

Rect Scene::spark (int i)
{
    // Only the sizes count: the editor centres each sprite on its particle.
    static const Rect sparks[] = { { 470, 372, 16, 16 }, { 488, 372, 12, 12 },
                                   { 470, 390, 26, 8 },  { 500, 388, 10, 10 } };
    return sparks[i];
}

Scene::Scene (Character c) : character (c), look (lookFor (c))
{
    for (int p = 0; p < 3; ++p)
        wordPaths[p] = letteringPath (pageWord ((Character) p), wordHit (p).reduced (8, 6));

    nameText = letteringPath ("TORVANE", namePlate.reduced (6, 3));
    makeKnobWords();
    makeValve();
    makeCentredPieces();
    makeEyes();
    makeFlaps();
    makeCoals();
    makeDrips();
    makeFlames();
    makeSmoke();
    makeSpots();
    makeGlints();
}

void Scene::makeKnobWords()
{
    // Capitals 8 px high, like the name plate's, on a plate 3 px above and below them and
    // 6 px beside them, 3 px under the socket's collar; the capitals start on a whole pixel,
    // so at every scale their tops and feet are crisp rows.
    const float capHeight = 8, gap = 3;
    const char* words[] = { "DRIVE", "BLEND" };
    const Rect sockets[] = { knob(), blend() };
    for (int i = 0; i < 2; ++i)
    {
        float top = std::round (sockets[i].getBottom() + gap + 3);
        auto line = Rect (200, capHeight).withCentre ({ sockets[i].getCentreX(), top + capHeight / 2 });
        knobWords[i] = letteringPath (words[i], line);
        knobPlates[i] = knobWords[i].getBounds().expanded (6, 3);
    }
}

void Scene::makeValve()
{
    // Medium is the valve's character: its valve is the big one.
    if (character == Character::Medium)
        valveGlass = { 38, 96, 44, 92 };
    auto frames = transformerBody.expanded (2, 0).withTop (transformerBody.getY() - 2);
    // The picture carries the body's shadow on the shelf too, or a shake would leave the
    // patch's unshadowed shelf showing under it.
    auto shadow = transformerBody + transformerShadow;
    transformer = frames.getUnion (valveGlass).getUnion (shadow).expanded (2);
    behind = transformer.expanded (4);
    valveDim = valveGlass.expanded (1);
    valveHot = valveGlass.expanded (12);
}

void Scene::makeCentredPieces()
{
    mouthCentre = { mouth.getCentreX(), mouth.getY() + 34 };
    indicator = Rect (36, 36).withCentre (indicatorCentre);
    cone = Rect (2 * coneRadius, 2 * coneRadius).withCentre (coneCentre);
    // The cable's curve reaches half its sag at the middle; allow for its width and shadow.
    auto ends = Rect (cableRoot, cableFar);
    auto bulge = ends.getCentre() + cableSag * 0.5f;
    cable = ends.getUnion (Rect (bulge, bulge)).expanded (7);
}

void Scene::makeEyes()
{
    const float rx = 34, ry = character == Character::Well ? 22.0f : 25.0f;
    const Point centres[] = { { 196, 198 }, { 344, 198 } };
    const float pupilRadius = character == Character::Rare ? 11.0f
                            : character == Character::Medium ? 10.0f : 8.0f;

    for (int k = 0; k < 2; ++k)
    {
        auto& e = eyes[k];
        e.leftSide = k == 0;
        e.ellipse = Rect (2 * rx, 2 * ry).withCentre (centres[k]);
        e.picture = e.ellipse.expanded (1.0f);

        juce::Path ellipse;
        ellipse.addEllipse (e.ellipse);
        float top = e.ellipse.getY() + look.eyeLidCut * e.ellipse.getHeight();
        // The lid slants down towards the nose on a scowling face.
        float inner = top + look.eyeLidSlant * 0.5f, outer = top - look.eyeLidSlant * 0.5f;
        float x0 = e.ellipse.getX() - 2, x1 = e.ellipse.getRight() + 2;
        e.lidEdge = e.leftSide ? juce::Line<float> (x0, outer, x1, inner)
                               : juce::Line<float> (x0, inner, x1, outer);

        if (look.eyeLidCut > 0)
        {
            juce::Path below;
            below.startNewSubPath (e.lidEdge.getStart());
            below.lineTo (e.lidEdge.getEnd());
            below.lineTo (x1, e.ellipse.getBottom() + 2);
            below.lineTo (x0, e.ellipse.getBottom() + 2);
            below.closeSubPath();
            juce::Path above;
            above.startNewSubPath (e.lidEdge.getStart());
            above.lineTo (e.lidEdge.getEnd());
            above.lineTo (x1, e.ellipse.getY() - 2);
            above.lineTo (x0, e.ellipse.getY() - 2);
            above.closeSubPath();
            e.white = ellipse;
            e.white.setUsingNonZeroWinding (true);
            // Intersections by clipping: build them as polygons on a fine ellipse.
            juce::Path w, l;
            bool firstW = true, firstL = true;
            for (int i = 0; i <= 180; ++i)
            {
                float a = juce::MathConstants<float>::twoPi * (float) i / 180.0f;
                Point p (centres[k].x + rx * std::cos (a), centres[k].y + ry * std::sin (a));
                float lineY = e.lidEdge.getStartY()
                            + (p.x - e.lidEdge.getStartX()) / (e.lidEdge.getEndX() - e.lidEdge.getStartX())
                                  * (e.lidEdge.getEndY() - e.lidEdge.getStartY());
                Point pw (p.x, std::max (p.y, lineY)), pl (p.x, std::min (p.y, lineY));
                if (firstW) w.startNewSubPath (pw); else w.lineTo (pw);
                if (firstL) l.startNewSubPath (pl); else l.lineTo (pl);
                firstW = firstL = false;
            }
            w.closeSubPath();
            l.closeSubPath();
            e.white = w;
            e.lid = l;
        }
        else
        {
            e.white = ellipse;
        }

        auto wb = e.white.getBounds();
        e.whiteBox = wb.reduced (wb.getWidth() * 0.1f, wb.getHeight() * 0.1f);
        // Centred on a whole pixel, so the pupil's picture lands on the drawing's own pixels.
        e.whiteBox.setCentre (std::round (e.whiteBox.getCentreX()), std::round (e.whiteBox.getCentreY()));
        e.pupil = Rect (2 * pupilRadius, 2 * pupilRadius).withCentre (e.whiteBox.getCentre());
    }
}

void Scene::makeFlaps()
{
    const float xs[] = { 467, 493, 519 };
    const float ys[] = { 252, 284 };
    for (int k = 0; k < 6; ++k)
    {
        Point pivot (xs[k % 3], ys[k / 3]);
        // The flap's picture spans the plain baffle its tab sweeps over: 13 px each side of
        // the hinge, from the knuckle's top to below the tab's shadow.
        flaps[k] = { Rect (pivot.x - 13, pivot.y - 4, 26, 24), pivot };
    }
}

void Scene::makeCoals()
{
    juce::Random random (4242 + (int) character);
    struct Row { float y, x0, x1, step, r; };
    const Row rows[] = { { 480, 58, 478, 28, 15 }, { 502, 46, 488, 30, 17 }, { 524, 62, 474, 34, 15 } };
    int index = 0;
    for (auto& row : rows)
    {
        for (float x = row.x0; x <= row.x1 + 0.5f; x += row.step)
        {
            Coal coal;
            coal.radius = row.r + random.nextFloat() * 3.5f;
            coal.centre = { x + (random.nextFloat() - 0.5f) * 6, row.y + (random.nextFloat() - 0.5f) * 5 };
            coal.group = (index * 7 + (int) character) % 3;
            coal.heat = 0.5f + 0.5f * random.nextFloat();
            const int corners = 8;
            Point pts[corners];
            float turn = random.nextFloat();
            for (int i = 0; i < corners; ++i)
            {
                float a = juce::MathConstants<float>::twoPi * ((float) i + turn) / (float) corners;
                float r = coal.radius * (0.78f + 0.26f * random.nextFloat());
                pts[i] = { coal.centre.x + r * std::cos (a), coal.centre.y + 0.78f * r * std::sin (a) };
            }
            // A smooth lump: curves through the midpoints, the corners as control points.
            auto mid = [&] (int i) { return (pts[i % corners] + pts[(i + 1) % corners]) * 0.5f; };
            coal.shape.startNewSubPath (mid (0));
            for (int i = 1; i <= corners; ++i)
                coal.shape.quadraticTo (pts[i % corners], mid (i));
            coal.shape.closeSubPath();
            // Two or three forking splits from a point near the middle.
            Point start = coal.centre + Point (random.nextFloat() - 0.5f, random.nextFloat() - 0.5f) * coal.radius * 0.5f;
            int arms = 2 + random.nextInt (2);
            for (int a = 0; a < arms; ++a)
            {
                float angle = juce::MathConstants<float>::twoPi * ((float) a + random.nextFloat() * 0.6f) / (float) arms;
                Point p = start;
                coal.cracks.startNewSubPath (p);
                for (int step = 0; step < 3; ++step)
                {
                    angle += (random.nextFloat() - 0.5f) * 1.2f;
                    p += Point (std::cos (angle), 0.7f * std::sin (angle)) * coal.radius * 0.22f;
                    coal.cracks.lineTo (p);
                }
            }
            coals.push_back (coal);
            ++index;
        }
    }
    // The lit coals' picture spans every lump's glow, down to the tray's front lip.
    Rect span = Rect (coals.front().centre, coals.front().centre);
    for (auto& c : coals)
        span = span.getUnion (Rect (2 * glowReach * c.radius, 2 * glowReach * c.radius).withCentre (c.centre));
    coalsRect = span.withBottom (trayLipTop + 2).getSmallestIntegerContainer().toFloat();
}

void Scene::makeDrips()
{
    int count = character == Character::Rare ? 7 : character == Character::Medium ? 11 : 0;
    float x0 = 64, x1 = 460;
    for (int k = 0; k < count; ++k)
    {
        float x = x0 + (x1 - x0) * (float) k / (float) (count - 1);
        x = std::round (x);
        float h = 15.0f + (float) ((k * 5) % 7);
        drips.push_back ({ x - 5, railBottom, 10, h });
        // The patch takes the drop's alpha, so it has the drop's rectangle, row for row.
        dripBehinds.push_back (drips.back());
    }
}

void Scene::makeFlames()
{
    if (character != Character::Well)
        return;
    struct F { float x, y, w, h; };
    // The middle flame stands under the name plate: grown by a third at full level, its tip
    // still stays below the plate.
    const F fs[] = { { 150, 486, 42, 68 }, { 272, 484, 50, 60 }, { 394, 486, 42, 64 } };
    for (auto& f : fs)
        flames.push_back ({ Rect (f.x - f.w / 2, f.y - f.h, f.w, f.h), Point (f.x, f.y) });
}

void Scene::makeSmoke()
{
    // Plumes rising off the ends of the grill, beside the head rather than over it, so the
    // still smoke never sits on the head's corners.
    if (character == Character::Medium)
        smoke = { { 14, 350, 54, 72 }, { 58, 372, 44, 50 }, { 438, 366, 46, 56 }, { 486, 346, 58, 76 } };
    else if (character == Character::Well)
        smoke = { { 12, 348, 54, 74 }, { 60, 370, 44, 52 }, { 462, 384, 38, 40 },
                  { 438, 364, 46, 58 }, { 488, 342, 58, 80 } };
}

void Scene::makeSpots()
{
    // Embers leave the top surfaces of the lumps; sizzles land on coals, rail and tray rim.
    std::vector<Point> tops;
    for (auto& c : coals)
        tops.push_back ({ c.centre.x, c.centre.y - c.radius * 0.62f });
    for (size_t i = 0; i < tops.size() && emberSpots.size() < 36; ++i)
        emberSpots.push_back (tops[i]);
    for (size_t i = 0; emberSpots.size() < 36; ++i)
        emberSpots.push_back ((coals[i].centre + coals[i + 1].centre) * 0.5f - Point (0, coals[i].radius * 0.7f));

    for (size_t i = 0; i < coals.size() && sizzleSpots.size() < 28; ++i)
        sizzleSpots.push_back (coals[coals.size() - 1 - i].centre - Point (3, 2));
    for (int i = 0; i < 8; ++i)
        sizzleSpots.push_back ({ 60.0f + 52.0f * (float) i, railTop + 1 });
    for (int i = 0; i < 4; ++i)
        sizzleSpots.push_back ({ 90.0f + 110.0f * (float) i, tray.getY() + 2 });
}

void Scene::makeGlints()
{
    // A: sheen on the head's crown; B: on the rail; C: on the speaker's trim and the tray.
    glints[0] = { { 140, 84, 26, 7 }, { 318, 80, 44, 6 }, { 414, 104, 7, 22 }, { 452, 122, 30, 5 } };
    glints[1] = { { 70, 425, 34, 4 }, { 196, 425, 46, 4 }, { 330, 425, 30, 4 }, { 430, 425, 40, 4 } };
    glints[2] = { { 60, 533, 60, 4 }, { 230, 533, 44, 4 }, { 380, 533, 80, 4 } };
    for (int j = 0; j < 3; ++j)
    {
        Rect box = glints[j].front();
        for (auto& g : glints[j])
            box = box.getUnion (g);
        glisten[j] = box.expanded (6);
    }
}

std::vector<LayoutEntry> Scene::layout() const
{
    const auto P = pageWord (character);
    std::vector<LayoutEntry> out;
    auto add = [&] (const juce::String& name, Rect r) { out.push_back ({ name, roundedToHundredths (r) }); };
    auto point = [&] (const juce::String& name, Point p) { add (name, Rect (p.x, p.y, 0, 0)); };

    if (character == Character::Rare)
    {
        add ("content", content());
        add ("logo", logo());
        add ("knob", knob());
        add ("blend", blend());
        for (int p = 0; p < 3; ++p)
            add (hitName (p), wordHit (p));
        add ("sparkFrom", sparkFrom());
        for (int i = 0; i < 4; ++i)
            add ("spark" + juce::String (i), spark (i));
        add ("warmRare", warm);
        // The warm frames share the Rare mouth's rectangle; recorded for the artists.
        add ("mouthWarm", mouth);
    }

    add ("mouth" + P, mouth);
    for (int k = 0; k < 2; ++k)
    {
        add ("eye" + P + juce::String (k), eyes[k].picture);
        add ("eyeWhite" + P + juce::String (k), eyes[k].whiteBox);
        add ("pupil" + P + juce::String (k), eyes[k].pupil);
    }
    add ("indicator" + P, indicator);
    add ("transformer" + P, transformer);
    add ("behind" + P, behind);
    add ("valveDim" + P, valveDim);
    add ("valveHot" + P, valveHot);
    add ("cable" + P, cable);
    point ("cableRoot" + P, cableRoot);
    point ("cableFar" + P, cableFar);
    add ("cone" + P, cone);
    point ("coneCentre" + P, coneCentre);
    for (int k = 0; k < 6; ++k)
    {
        add ("flap" + P + juce::String (k), flaps[k].rect);
        point ("flapPivot" + P + juce::String (k), flaps[k].pivot);
    }
    const char* letters[] = { "A", "B", "C" };
    for (int j = 0; j < 3; ++j)
    {
        add (juce::String ("coals") + letters[j] + P, coalsRect);
        add (juce::String ("glisten") + letters[j] + P, glisten[j]);
    }
    for (size_t k = 0; k < drips.size(); ++k)
    {
        add ("drip" + P + juce::String ((int) k), drips[k]);
        add ("dripBehind" + P + juce::String ((int) k), dripBehinds[k]);
    }
    for (size_t v = 0; v < flames.size(); ++v)
    {
        add ("flame" + P + juce::String ((int) v), flames[v].rect);
        point ("flameBase" + P + juce::String ((int) v), flames[v].pivot);
    }
    for (size_t v = 0; v < smoke.size(); ++v)
        add ("smoke" + P + juce::String ((int) v), smoke[v]);
    for (size_t n = 0; n < sizzleSpots.size(); ++n)
        point ("sizzleSpot" + P + juce::String ((int) n), sizzleSpots[n]);
    for (size_t n = 0; n < emberSpots.size(); ++n)
        point ("emberSpot" + P + juce::String ((int) n), emberSpots[n]);
    return out;
}

Rect Scene::rectFor (const juce::String& name) const
{
    for (auto& e : layout())
        if (e.name == name)
            return e.rect;
    jassertfalse;
    return {};
}
} // namespace torvane::art
