// Where the layout puts things: inside the face square, clear of each other where the
// editor stacks them, and pivots and spots where the pictures need them.

#include "ArtFiles.h"
#include <gtest/gtest.h>

using namespace artfiles;
using Rect = juce::Rectangle<float>;

namespace
{
juce::String key (const char* base, const char* page, int index = -1)
{
    return juce::String (base) + page + (index >= 0 ? juce::String (index) : juce::String());
}

bool containsPoint (Rect r, juce::Point<float> p, float slack = 0)
{
    return r.expanded (slack).contains (p) || r.expanded (slack).getBottomRight() == p;
}
} // namespace

TEST (LayoutGeometry, EveryEntryLiesInsideTheFaceSquare)
{
    const Rect square (0, 0, 560, 560);
    for (auto& p : layout().getDynamicObject()->getProperties())
    {
        auto r = rect (p.name.toString());
        EXPECT_GE (r.getWidth(), 0) << p.name.toString();
        EXPECT_GE (r.getHeight(), 0) << p.name.toString();
        EXPECT_TRUE (square.contains (r) || (r.isEmpty() && containsPoint (square, r.getPosition())))
            << p.name.toString() << " " << r.toString();
    }
}

TEST (LayoutGeometry, WordHitsAreClearOfTheKnobsAndOfEachOther)
{
    const Rect hits[] = { rect ("rareHit"), rect ("mediumHit"), rect ("wellHit") };
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_FALSE (hits[i].isEmpty());
        EXPECT_FALSE (hits[i].intersects (rect ("knob"))) << i;
        EXPECT_FALSE (hits[i].intersects (rect ("blend"))) << i;
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE (hits[i].intersects (hits[j])) << i << " " << j;
    }
    // Words run left to right in page order.
    EXPECT_LT (hits[0].getRight(), hits[1].getX());
    EXPECT_LT (hits[1].getRight(), hits[2].getX());
}

TEST (LayoutGeometry, SparkSourceAndSpriteSizesAreUsable)
{
    auto from = rect ("sparkFrom");
    EXPECT_GT (from.getWidth(), 0);
    EXPECT_GT (from.getHeight(), 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_FALSE (rect ("spark" + juce::String (i)).isEmpty()) << i;
    // The logo corner stays plain: no picture of the scene reaches into the badge.
    EXPECT_FALSE (from.intersects (rect ("logo")));
}

TEST (LayoutGeometry, SpotsLieOnTheCoalsWithRoomAbove)
{
    for (auto page : pages)
    {
        auto coals = rect (key ("coalsA", page));
        EXPECT_EQ (coals, rect (key ("coalsB", page)));
        for (int n = 0; n < 36; ++n)
        {
            auto p = rect (key ("emberSpot", page, n)).getPosition();
            EXPECT_TRUE (coals.contains (p)) << page << " ember " << n;
            EXPECT_GT (p.y - 45, rect (key ("mouth", page)).getBottom()) << page << " ember " << n;
        }
        for (int n = 0; n < 40; ++n)
        {
            auto spot = rect (key ("sizzleSpot", page, n));
            EXPECT_EQ (spot.getWidth(), 0) << page << " sizzle " << n;
            EXPECT_GT (spot.getY(), 420) << "on the rail, tray or coals " << page << n;
        }
    }
}

TEST (LayoutGeometry, EyeWhitesHoldThePupilsTravel)
{
    for (auto page : pages)
        for (int k = 0; k < 2; ++k)
        {
            auto eye = rect (key ("eye", page, k));
            auto white = rect (key ("eyeWhite", page, k));
            auto pupil = rect (key ("pupil", page, k));
            EXPECT_TRUE (eye.contains (white)) << page << k;
            EXPECT_NEAR (pupil.getCentreX(), white.getCentreX(), 0.02f) << page << k;
            EXPECT_NEAR (pupil.getCentreY(), white.getCentreY(), 0.02f) << page << k;
            EXPECT_NEAR (pupil.getWidth(), pupil.getHeight(), 0.01f) << "round pupil " << page << k;
            float u = pupil.getWidth() / 2;
            EXPECT_GT (white.getWidth() / 2 - 0.75f * u, 0) << page << k;
            EXPECT_GT (white.getHeight() / 2 - 0.6f * u, 0) << page << k;
        }
}

TEST (LayoutGeometry, PivotsSitWhereThePiecesTurn)
{
    for (auto page : pages)
    {
        auto cone = rect (key ("cone", page));
        auto centre = rect (key ("coneCentre", page)).getPosition();
        EXPECT_NEAR (centre.x, cone.getCentreX(), 0.5f) << page;
        EXPECT_NEAR (centre.y, cone.getCentreY(), 0.5f) << page;
        for (int k = 0; k < 6; ++k)
        {
            auto flap = rect (key ("flap", page, k));
            auto pivot = rect (key ("flapPivot", page, k)).getPosition();
            EXPECT_TRUE (flap.contains (pivot)) << page << k;
            EXPECT_LT (pivot.y - flap.getY(), flap.getHeight() * 0.25f) << "hinge on the top edge " << page << k;
        }
        auto transformer = rect (key ("transformer", page));
        auto behind = rect (key ("behind", page));
        EXPECT_TRUE (behind.reduced (3).contains (transformer)) << page;
        EXPECT_TRUE (transformer.contains (rect (key ("valveDim", page)))) << page;
        auto cable = rect (key ("cable", page));
        EXPECT_TRUE (containsPoint (cable, rect (key ("cableRoot", page)).getPosition())) << page;
        EXPECT_TRUE (containsPoint (cable, rect (key ("cableFar", page)).getPosition())) << page;
        EXPECT_TRUE (transformer.contains (rect (key ("cableRoot", page)).getPosition())) << "root tucks under " << page;

        auto indicator = rect (key ("indicator", page));
        EXPECT_GT (indicator.getWidth(), 8);
    }
    for (int v = 0; v < 3; ++v)
    {
        auto flame = rect ("flameWell" + juce::String (v));
        auto base = rect ("flameBaseWell" + juce::String (v)).getPosition();
        EXPECT_NEAR (base.x, flame.getCentreX(), 0.5f) << v;
        EXPECT_NEAR (base.y, flame.getBottom(), 0.5f) << v;
    }
}

TEST (LayoutGeometry, DripsHangFromOneLineOverTheCoals)
{
    struct Case { const char* page; int count; };
    for (auto c : { Case { "Rare", 7 }, Case { "Medium", 11 } })
    {
        auto coals = rect (key ("coalsA", c.page));
        for (int k = 0; k < c.count; ++k)
        {
            auto drip = rect (key ("drip", c.page, k));
            auto behind = rect (key ("dripBehind", c.page, k));
            EXPECT_TRUE (behind.contains (drip)) << c.page << k;
            // Falls of 46 to 70 design pixels land on the coal bed.
            EXPECT_TRUE (coals.contains (juce::Point<float> (drip.getCentreX(), drip.getBottom() + 46))) << c.page << k;
            EXPECT_TRUE (coals.contains (juce::Point<float> (drip.getCentreX(), drip.getBottom() + 70))) << c.page << k;
            if (k > 0)
            {
                EXPECT_FALSE (behind.intersects (rect (key ("dripBehind", c.page, k - 1)))) << c.page << k;
            }
        }
    }
}

TEST (LayoutGeometry, KnobsAreClearOfTheEyesAndTheMouth)
{
    // The readout shows over the knob; nothing that moves may reach under it.
    for (auto page : pages)
        for (auto knob : { "knob", "blend" })
        {
            EXPECT_FALSE (rect (knob).intersects (rect (key ("mouth", page)))) << knob << " " << page;
            for (int k = 0; k < 2; ++k)
                EXPECT_FALSE (rect (knob).intersects (rect (key ("eye", page, k)))) << knob << " " << page << k;
        }
    EXPECT_FALSE (rect ("knob").intersects (rect ("blend")));
}
