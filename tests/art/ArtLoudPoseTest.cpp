// The face playing loud, put together from the pictures the way the editor paints it with
// every layer at full strength: the drops stretched, the transformer shaken, the flames
// grown. Nothing may turn a piece into something it is not: a drop's surroundings keep
// their light, the transformer's base keeps its shadow, the name plate stays in view.
// The composites are written under loud-sheets/ in the working directory for review.

#include "ArtFiles.h"
#include <gtest/gtest.h>

using namespace artfiles;
using Rect = juce::Rectangle<float>;

namespace
{
// The largest shake, grow and stretch the editor gives at full Drive and level.
constexpr float flameGrowth = 1.32f, flameSway = 0.12f, dripStretch = 1.28f;
const juce::Point<float> shakes[] = { { 0, 1 }, { 0, -1 }, { 2, 1 }, { -2, -1 }, { 2, -1 } };   // design pixels

// Where the drawings put the name plate, under the mouth; no code reads it.
const Rect namePlate (226, 386, 88, 14);

struct Loud
{
    bool patches = true;     // the drip patches
    bool drops = true;       // the hanging drops
    bool flames = true;
    float sway = 0;          // the flames' lean
    juce::Point<float> shake;   // the transformer's, in design pixels
};

void drawPicture (juce::Graphics& g, const juce::String& name, Rect designArea, int scale, float opacity = 1.0f,
                  juce::AffineTransform transform = {})
{
    auto image = load (name, scale);
    ASSERT_TRUE (image.isValid()) << name;
    juce::Graphics::ScopedSaveState state (g);
    g.addTransform (transform);
    g.setOpacity (std::min (opacity, 1.0f));
    g.drawImage (image, designArea * (float) scale, juce::RectanglePlacement::stretchToFit);
}

juce::Image loudPose (const juce::String& P, int scale, const Loud& loud)
{
    auto out = drawing (P, scale).createCopy();
    juce::Graphics g (out);
    const float s = (float) scale;
    if (P == "Rare")
        drawPicture (g, "warmRare", rect ("warmRare"), scale, 0.85f);
    for (auto letter : { "A", "B", "C" })
        drawPicture (g, "coals" + juce::String (letter) + P, rect ("coalsA" + P), scale, P == "Rare" ? 1.0f : 0.85f);
    for (auto letter : { "A", "B", "C" })
        drawPicture (g, "glisten" + juce::String (letter) + P, rect ("glisten" + juce::String (letter) + P), scale, 0.8f);
    drawPicture (g, "indicator" + P, rect ("indicator" + P), scale);
    drawPicture (g, "behind" + P, rect ("behind" + P), scale);
    drawPicture (g, "cable" + P, rect ("cable" + P), scale);
    auto shake = juce::AffineTransform::translation (loud.shake * s);
    drawPicture (g, "transformer" + P, rect ("transformer" + P), scale, 1.0f, shake);
    drawPicture (g, "valveHot" + P, rect ("valveHot" + P), scale, 0.9f, shake);
    drawPicture (g, "mouth" + P + "11", rect ("mouth" + P), scale);
    for (int v = 0; P == "Well" && loud.flames && v < 3; ++v)
    {
        auto base = rect ("flameBaseWell" + juce::String (v)).getPosition() * s;
        auto grow = juce::AffineTransform::translation (-base).followedBy (juce::AffineTransform (1, loud.sway, 0, 0, flameGrowth, 0))
                        .translated (base);
        drawPicture (g, "flameWell" + juce::String (v), rect ("flameWell" + juce::String (v)), scale, 1.0f, grow);
    }
    int drips = P == "Rare" ? 7 : P == "Medium" ? 11 : 0;
    for (int k = 0; k < drips; ++k)
    {
        auto name = "drip" + P + juce::String (k);
        if (loud.patches)
            drawPicture (g, "dripBehind" + P + juce::String (k), rect ("dripBehind" + P + juce::String (k)), scale);
        if (loud.drops)
            drawPicture (g, name, rect (name).withHeight (rect (name).getHeight() * dripStretch), scale);
    }
    return out;
}

int channelDistance (juce::Colour a, juce::Colour b)
{
    return std::max ({ std::abs ((int) a.getRed() - (int) b.getRed()), std::abs ((int) a.getGreen() - (int) b.getGreen()),
                       std::abs ((int) a.getBlue() - (int) b.getBlue()) });
}

juce::Rectangle<int> pixels (Rect design, int scale)
{
    return (design * (float) scale).getSmallestIntegerContainer();
}

// Whether any pixel of the picture within the distance of the point is not transparent.
bool nearPicture (const juce::Image& picture, juce::Point<int> p, int distance)
{
    for (int dy = -distance; dy <= distance; ++dy)
        for (int dx = -distance; dx <= distance; ++dx)
            if (picture.getBounds().contains (p + juce::Point<int> (dx, dy)) && picture.getPixelAt (p.x + dx, p.y + dy).getAlpha() > 0)
                return true;
    return false;
}

void writeSheet (const juce::Image& image, const juce::String& name)
{
    auto file = juce::File::getCurrentWorkingDirectory().getChildFile ("loud-sheets").getChildFile (name + ".png");
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat().writeImageToStream (image, out);
}

// Round each drop's hanging place, outside the drop's own alpha: only the drops and their
// patches differ between the two poses, so there the loud pose must show what lies under
// the patch, with no cold margin and no notch at the top.
int dropSurroundError (const juce::String& P, int k, int scale, const juce::Image& loud, const juce::Image& unpatched)
{
    auto name = "drip" + P + juce::String (k);
    auto drop = load (name, scale);
    auto place = pixels (rect (name), scale);
    auto around = place.expanded (2 * scale);
    int worst = 0;
    for (int y = around.getY(); y < around.getBottom(); ++y)
        for (int x = around.getX(); x < around.getRight(); ++x)
        {
            int dx = x - place.getX(), dy = y - place.getY();
            bool inside = dx >= 0 && dy >= 0 && dx < drop.getWidth() && dy < drop.getHeight();
            if (inside && drop.getPixelAt (dx, dy).getAlpha() > 0)
                continue;
            worst = std::max (worst, channelDistance (loud.getPixelAt (x, y), unpatched.getPixelAt (x, y)));
        }
    return worst;
}
} // namespace

TEST (ArtLoudPose, DropsKeepTheLightRoundThem)
{
    for (auto page : { "Rare", "Medium" })
        for (int s = 1; s <= 3; ++s)
        {
            juce::String P (page);
            auto loud = loudPose (P, s, {});
            Loud bare;
            bare.patches = false;
            auto unpatched = loudPose (P, s, bare);
            for (int k = 0; k < (P == "Rare" ? 7 : 11); ++k)
                EXPECT_LE (dropSurroundError (P, k, s, loud, unpatched), 2) << P << " drop " << k << " @" << s;
        }
}

TEST (ArtLoudPose, TheShakenTransformersBaseKeepsItsShadow)
{
    // Each pixel of the base, its shadow and the shelf under it shows the still drawing,
    // either moved with the transformer or left in place; a patch showing through as the
    // unshadowed shelf is lighter than both.
    for (auto page : pages)
        for (int s = 1; s <= 3; ++s)
            for (auto shake : shakes)
            {
                juce::String P (page);
                Loud loud;
                loud.shake = shake;
                auto shot = loudPose (P, s, loud);
                const auto& still = drawing (P, s);
                auto cable = load ("cable" + P, s);
                auto cableAt = pixels (rect ("cable" + P), s).getPosition();
                auto t = rect ("transformer" + P);
                // The bottom rows and the shelf under them, short of the sides, where a shake
                // sideways rightly shows a sliver of what is behind.
                auto band = pixels (Rect (t.getX() + 8, t.getBottom() - 8, t.getWidth() - 16, 10), s);
                int offX = (int) shake.x * s, offY = (int) shake.y * s, worst = 0;
                juce::Point<int> worstAt;
                for (int y = band.getY(); y < band.getBottom(); ++y)
                    for (int x = band.getX(); x < band.getRight(); ++x)
                    {
                        if (nearPicture (cable, juce::Point<int> (x, y) - cableAt, 2 * s))
                            continue;   // the lead, drawn unshaken, under the shaken transformer's shadow
                        auto here = shot.getPixelAt (x, y);
                        int e = std::min (channelDistance (here, still.getPixelAt (x, y)),
                                          channelDistance (here, still.getPixelAt (x - offX, y - offY)));
                        if (e > worst) { worst = e; worstAt = { x, y }; }
                    }
                EXPECT_LE (worst, 12) << P << " @" << s << " shaken by " << shake.toString() << " at " << worstAt.toString();
            }
}

TEST (ArtLoudPose, TheGrownFlamesLeaveTheNamePlateInView)
{
    for (auto page : pages)
        for (int s = 1; s <= 3; ++s)
            for (float sway : { -flameSway, 0.0f, flameSway })
            {
                juce::String P (page);
                Loud loud, noFlames;
                loud.sway = sway;
                noFlames.flames = false;
                auto shot = loudPose (P, s, loud), clear = loudPose (P, s, noFlames);
                if (sway == 0)
                    writeSheet (shot, P + "@" + juce::String (s) + "x");
                auto plate = pixels (namePlate.expanded (1), s);
                int worst = 0;
                for (int y = plate.getY(); y < plate.getBottom(); ++y)
                    for (int x = plate.getX(); x < plate.getRight(); ++x)
                        worst = std::max (worst, channelDistance (shot.getPixelAt (x, y), clear.getPixelAt (x, y)));
                EXPECT_LE (worst, 2) << P << " @" << s << " sway " << sway;
            }
}
