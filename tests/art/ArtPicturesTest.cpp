// The pictures on their own: knob caps that turn cleanly, glows that fade out inside their
// rectangles, and drawings that each show their own character.

#include "ArtFiles.h"
#include <gtest/gtest.h>

using namespace artfiles;
using Rect = juce::Rectangle<float>;

TEST (ArtPictures, KnobCapsAreRoundOpaqueDiscsWithTransparentCorners)
{
    // Drive's pointer runs across the top; Blend's is a tick on its skirt.
    struct Case { const char* name; float pointerAt; };   // distance from the centre, in radii
    for (auto c : { Case { "knob", 0.4f }, Case { "blend", 0.92f } })
        for (int s = 1; s <= 3; ++s)
        {
            auto image = load (c.name, s);
            ASSERT_TRUE (image.isValid());
            int w = image.getWidth(), h = image.getHeight();
            EXPECT_EQ (image.getPixelAt (0, 0).getAlpha(), 0) << c.name;
            EXPECT_EQ (image.getPixelAt (w - 1, h - 1).getAlpha(), 0) << c.name;
            EXPECT_EQ (image.getPixelAt (w / 2, h / 2).getAlpha(), 255) << c.name;
            EXPECT_EQ (image.getPixelAt (w / 2, h / 5).getAlpha(), 255) << c.name;
            // The pointer is up: above the centre it is brighter than as far below it.
            int offset = juce::roundToInt (c.pointerAt * (float) h / 2);
            auto up = image.getPixelAt (w / 2, h / 2 - offset), down = image.getPixelAt (w / 2, h / 2 + offset);
            EXPECT_GT (up.getBrightness(), down.getBrightness() + 0.2f) << c.name << " @" << s;
        }
}

TEST (ArtPictures, GlowsAndWispsFadeOutBeforeTheirEdges)
{
    // Each of these is drawn stretched over its rectangle (and the indicator grown by 7 %):
    // a visible alpha at the border would show as a cut edge.
    juce::StringArray names { "warmRare", "spark0", "spark1", "spark2", "spark3" };
    for (auto page : pages)
    {
        juce::String P (page);
        names.addArray ({ "indicator" + P, "valveHot" + P, "coalsA" + P, "coalsB" + P, "coalsC" + P,
                          "glistenA" + P, "glistenB" + P, "glistenC" + P });
    }
    for (int v = 0; v < 4; ++v)
        names.add ("smokeMedium" + juce::String (v));
    for (int v = 0; v < 5; ++v)
        names.add ("smokeWell" + juce::String (v));

    for (auto& name : names)
        for (int s = 1; s <= 3; ++s)
        {
            auto image = load (name, s);
            ASSERT_TRUE (image.isValid()) << name;
            int w = image.getWidth(), h = image.getHeight(), edge = 0, inside = 0;
            for (int x = 0; x < w; ++x)
                edge = std::max ({ edge, (int) image.getPixelAt (x, 0).getAlpha(), (int) image.getPixelAt (x, h - 1).getAlpha() });
            for (int y = 0; y < h; ++y)
                edge = std::max ({ edge, (int) image.getPixelAt (0, y).getAlpha(), (int) image.getPixelAt (w - 1, y).getAlpha() });
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    inside = std::max (inside, (int) image.getPixelAt (x, y).getAlpha());
            EXPECT_LE (edge, 10) << name << " @" << s;
            EXPECT_GE (inside, 60) << name << " @" << s;
        }
}

namespace
{
struct Tone
{
    double mean = 0, spread = 0;
};

// Mean and standard deviation of brightness (0..255) over a design rectangle of a drawing.
Tone toneOf (const juce::Image& image, Rect designArea, int scale)
{
    auto area = (designArea * (float) scale).getSmallestIntegerContainer().getIntersection (image.getBounds());
    double sum = 0, squares = 0;
    int n = 0;
    for (int y = area.getY(); y < area.getBottom(); ++y)
        for (int x = area.getX(); x < area.getRight(); ++x, ++n)
        {
            double v = image.getPixelAt (x, y).getBrightness() * 255.0;
            sum += v;
            squares += v * v;
        }
    Tone t;
    t.mean = sum / std::max (n, 1);
    t.spread = std::sqrt (std::max (0.0, squares / std::max (n, 1) - t.mean * t.mean));
    return t;
}
} // namespace

TEST (ArtDrawings, EachLightsItsOwnWordOnly)
{
    const char* hits[] = { "rareHit", "mediumHit", "wellHit" };
    for (int s = 1; s <= 3; ++s)
        for (int word = 0; word < 3; ++word)
        {
            auto own = toneOf (drawing (pages[word], s), rect (hits[word]), s).mean;
            for (int other = 0; other < 3; ++other)
                if (other != word)
                {
                    EXPECT_GT (own, toneOf (drawing (pages[other], s), rect (hits[word]), s).mean + 10) << hits[word] << " @" << s;
                    EXPECT_GT (own, toneOf (drawing (pages[word], s), rect (hits[other]), s).mean + 10) << hits[word] << " @" << s;
                }
        }
}

TEST (ArtDrawings, LeaveTheLogoCornerPlainAndDifferInCharacter)
{
    for (auto page : pages)
        EXPECT_LT (toneOf (drawing (page, 2), rect ("logo"), 2).spread, 6.0) << page;
    // The three faces differ everywhere, not just in a detail.
    auto face = (rect ("mouthRare").getUnion (rect ("eyeRare0")).getUnion (rect ("eyeRare1")) * 1.0f).getSmallestIntegerContainer();
    for (int a = 0; a < 3; ++a)
        for (int b = a + 1; b < 3; ++b)
            EXPECT_GT (meanError (drawing (pages[a], 1), drawing (pages[b], 1), face), 30.0) << pages[a] << " " << pages[b];
}

namespace
{
// The longest run of rows, below a socket, in which dark lettering crosses a light plate:
// the row's darkest pixels lie far below its lightest. That run is the capitals' height.
int letteringRows (const juce::Image& image, Rect socket, int scale)
{
    const int cx = juce::roundToInt (socket.getCentreX() * (float) scale), half = 18 * scale;
    const int y0 = juce::roundToInt (socket.getBottom() * (float) scale);
    int run = 0, longest = 0;
    for (int y = y0; y < y0 + 24 * scale; ++y)
    {
        std::vector<float> row;
        for (int x = cx - half; x < cx + half; ++x)
            row.push_back (image.getPixelAt (x, y).getBrightness() * 255.0f);
        std::sort (row.begin(), row.end());
        const float dark = row[row.size() / 20], lightest = row[row.size() * 19 / 20];
        run = dark < 0.6f * lightest && lightest - dark > 40 ? run + 1 : 0;
        longest = std::max (longest, run);
    }
    return longest;
}
} // namespace

TEST (ArtDrawings, NameEachKnobUnderItsSocketInCapitalsAtLeastSevenPixelsHigh)
{
    for (int s = 1; s <= 3; ++s)
        for (auto page : pages)
            for (auto socket : { "knob", "blend" })
                EXPECT_GE (letteringRows (drawing (page, s), rect (socket), s), 7 * s) << page << " " << socket << " @" << s;
}
