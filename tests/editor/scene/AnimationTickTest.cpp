#include "SceneFixture.h"

#include <cmath>

namespace
{
constexpr float frame = 1.0f / 60.0f;

int activeCount (const FaceParticle* first, size_t count)
{
    int n = 0;
    for (size_t i = 0; i < count; ++i)
        n += first[i].active ? 1 : 0;
    return n;
}

template <size_t N>
int activeCount (const std::array<FaceParticle, N>& pool)
{
    return activeCount (pool.data(), N);
}
} // namespace

using TickClock = SceneTest;

// While audio plays the scene clock advances by exactly the tick's time step.
TEST_F (TickClock, FirstTickStepsOneSixtiethThenTheClampedElapsedTime)
{
    playTick (1.0f, 5000.0); // five seconds after construction, still 1/60
    EXPECT_NEAR (editor->faceClock, 1.0 / 60.0, 1e-7);

    struct Case { double stepMs; double expected; };
    const Case cases[] = { { 250.0, 0.1 }, { 0.2, 0.001 }, { 40.0, 0.04 } };
    for (const auto& c : cases)
    {
        const double before = editor->faceClock;
        playTick (1.0f, c.stepMs);
        EXPECT_NEAR (editor->faceClock - before, c.expected, 1e-6) << "step " << c.stepMs << " ms";
    }
}

TEST_F (TickClock, OutputPeakMapsToLevel)
{
    struct Case { float peak; float level; };
    const Case cases[] = { { 1.0f, 1.0f }, { 0.1f, 28.0f / 48.0f }, { 0.001f, 0.0f }, { 0.0f, 0.0f }, { 2.0f, 1.0f } };
    for (const auto& c : cases)
    {
        openEditor();
        playTick (c.peak);
        EXPECT_NEAR (editor->envSlow, c.level, 1e-5) << "peak " << c.peak;
        EXPECT_NEAR (editor->envFast, c.level, 1e-5) << "peak " << c.peak;
    }
}

// Ticks 1 to 6 after the last block still read its peak; from the 7th audio counts
// as stopped and the slow envelope decays, then snaps to 0 and the clock stops.
TEST_F (TickClock, AudioStopsOnTheSeventhIdleTickThenEnvelopesDecayAndClockStops)
{
    playTick (1.0f);
    for (int i = 1; i <= 6; ++i)
    {
        tick();
        EXPECT_FLOAT_EQ (editor->envSlow, 1.0f) << "idle tick " << i;
    }
    float expected = 1.0f;
    int ticks = 0;
    do
    {
        tick();
        ++ticks;
        expected *= std::exp (-4.0f * frame);
        if (expected < 0.004f)
            expected = 0.0f;
        EXPECT_NEAR (editor->envSlow, expected, 1e-5f) << "decay tick " << ticks;
    } while (expected > 0.0f && ticks < 1000);
    EXPECT_EQ (editor->envSlow, 0.0f);
    EXPECT_EQ (editor->envFast, 0.0f);

    const double stoppedAt = editor->faceClock;
    for (int i = 0; i < 30; ++i)
        tick();
    EXPECT_EQ (editor->faceClock, stoppedAt);
}

TEST_F (TickClock, FastEnvelopeReleasesWithSeventyMilliseconds)
{
    playTick (1.0f);
    playTick (0.0f);
    EXPECT_NEAR (editor->envFast, std::exp (-frame / 0.07f), 1e-5f);
    EXPECT_NEAR (editor->envSlow, std::exp (-4.0f * frame), 1e-5f);
}

using HitDetector = SceneTest;

TEST_F (HitDetector, JumpOfMoreThanSixDecibelsAboveMinusTwentyFourIsAHit)
{
    struct Case { float steadyDb; float jumpDb; bool hit; };
    const Case cases[] = {
        { -30.0f, -10.0f, true },
        { -40.0f, -26.0f, false }, // below -24 dB
        { -20.0f, -15.0f, false }, // less than 6 dB above the tracker
        { -20.0f, -13.0f, true },
    };
    for (const auto& c : cases)
    {
        openEditor();
        for (int i = 0; i < 600; ++i)
            playTick (std::pow (10.0f, c.steadyDb / 20.0f));
        ASSERT_EQ (editor->hitPulse, 0.0f);
        playTick (std::pow (10.0f, c.jumpDb / 20.0f));
        const float pulse = c.hit ? std::exp (-frame / 0.12f) : 0.0f;
        const float mouth = c.hit ? std::exp (-frame / 0.3f) : 0.0f;
        EXPECT_NEAR (editor->hitPulse, pulse, 1e-5f) << c.steadyDb << " -> " << c.jumpDb;
        EXPECT_NEAR (editor->mouthHit, mouth, 1e-5f) << c.steadyDb << " -> " << c.jumpDb;
    }
}

TEST_F (HitDetector, TrackerRisesWithTimeConstantAndFallsThirtyDecibelsPerSecond)
{
    playTick (std::pow (10.0f, -30.0f / 20.0f));
    EXPECT_NEAR (editor->trackerDb, -100.0f + (1.0f - std::exp (-frame / 0.35f)) * 70.0f, 1e-3f);
    for (int i = 0; i < 600; ++i)
        playTick (std::pow (10.0f, -30.0f / 20.0f));
    const float settled = editor->trackerDb;
    playTick (std::pow (10.0f, -60.0f / 20.0f));
    EXPECT_NEAR (editor->trackerDb, settled - 30.0f * frame, 1e-3f);
}

using MouthSpring = SceneTest;

TEST_F (MouthSpring, StartsAtRestAtItsDrivePosition)
{
    setParameter ("drive", 50.0f);
    openEditor();
    EXPECT_FLOAT_EQ (editor->mouthPos, 0.4f);
    tick();
    EXPECT_FLOAT_EQ (editor->mouthPos, 0.4f);
    EXPECT_EQ (editor->mouthVel, 0.0f);
}

TEST_F (MouthSpring, SettlesExactlyOnItsTargetInSilence)
{
    setParameter ("drive", 50.0f);
    tick();
    EXPECT_GT (editor->mouthPos, 0.0f);
    EXPECT_LT (editor->mouthPos, 0.4f);
    int ticks = 0;
    while ((editor->mouthPos != 0.4f || editor->mouthVel != 0.0f) && ticks < 600)
    {
        tick();
        ++ticks;
    }
    EXPECT_EQ (editor->mouthPos, 0.8f * 0.5f);
    EXPECT_EQ (editor->mouthVel, 0.0f);
    EXPECT_LT (ticks, 120) << "the damped spring settles within two seconds";
}

// The first step of 1/60 s is cut into ceil(240 dt) sub-steps; the new velocity moves
// the position.
TEST_F (MouthSpring, SubStepsFollowSemiImplicitEuler)
{
    setParameter ("drive", 100.0f);
    tick();
    const int steps = (int) std::ceil (240.0f * frame);
    const float h = frame / (float) steps;
    float pos = 0.0f, vel = 0.0f;
    for (int i = 0; i < steps; ++i)
    {
        vel = vel + ((0.8f - pos) * 260.0f - 22.0f * vel) * h;
        pos = pos + h * vel;
    }
    EXPECT_NEAR (editor->mouthPos, pos, 1e-6f);
    EXPECT_NEAR (editor->mouthVel, vel, 1e-5f);
}

using StageValues = SceneTest;

TEST_F (StageValues, WarmthFollowsStageHeatOnRareOnly)
{
    processor.stageHeat = 0.5f;
    playTick (0.5f);
    EXPECT_FLOAT_EQ (editor->warmth, 0.5f);

    setParameter ("page", 1.0f);
    playTick (0.5f);
    EXPECT_EQ (editor->warmth, 0.0f);
    setParameter ("page", 2.0f);
    playTick (0.5f);
    EXPECT_EQ (editor->warmth, 0.0f);
}

TEST_F (StageValues, WarmthCoolsSlowlyWhileIdle)
{
    processor.stageHeat = 0.5f;
    playTick (0.5f);
    for (int i = 0; i < 6; ++i)
        tick();
    EXPECT_FLOAT_EQ (editor->warmth, 0.5f);
    tick();
    EXPECT_NEAR (editor->warmth, 0.5f * std::exp (-0.25f * frame), 1e-6f);
}

TEST_F (StageValues, GridShadeOnMediumOnly)
{
    struct Case { float page; float gridBlock; float expected; };
    const Case cases[] = { { 0.0f, 0.3f, 0.0f }, { 1.0f, 0.3f, 0.6f }, { 2.0f, 0.3f, 0.0f }, { 1.0f, 0.8f, 1.0f } };
    for (const auto& c : cases)
    {
        setParameter ("page", c.page);
        openEditor();
        processor.gridBlock = c.gridBlock;
        playTick (0.5f);
        EXPECT_NEAR (editor->gridDim, c.expected, 1e-6f) << "page " << c.page;
    }
}

TEST_F (StageValues, GlowApproachesRootOfEffortTimesLevel)
{
    processor.effort = 0.25f;
    playTick (1.0f);
    EXPECT_NEAR (editor->glow, (1.0f - std::exp (-frame / 0.06f)) * 0.5f, 1e-6f);
}

using Dissolve = SceneTest;

TEST_F (Dissolve, LastsTwoTicksAndKillsEveryParticle)
{
    tick();
    editor->embers[3] = { 10.0f, 10.0f, 0.0f, -10.0f, 0.0f, 100.0f, 1.0f, 0.0f, 0.0f, 0, true };
    editor->sparks[0] = editor->embers[3];
    tick();
    ASSERT_TRUE (editor->embers[3].active);

    setParameter ("page", 2.0f);
    tick();
    EXPECT_EQ (editor->shownPage, 2);
    EXPECT_EQ (editor->leavingPage, 0);
    EXPECT_NEAR (editor->dissolve, frame / 0.03f, 1e-6f);
    EXPECT_FALSE (editor->embers[3].active);
    EXPECT_FALSE (editor->sparks[0].active);
    EXPECT_EQ (editor->lastRepaint, TorvaneEditor::Repaint::face);

    editor->embers[3].active = true; // a particle alive on the second tick dies too
    tick();
    EXPECT_EQ (editor->dissolve, 1.0f);
    EXPECT_FALSE (editor->embers[3].active);
    EXPECT_EQ (editor->lastRepaint, TorvaneEditor::Repaint::face);

    editor->embers[3].active = true;
    tick();
    EXPECT_TRUE (editor->embers[3].active);
}

TEST_F (Dissolve, ANewChangeDuringADissolveRestartsIt)
{
    setParameter ("page", 1.0f);
    tick();
    setParameter ("page", 2.0f);
    tick();
    EXPECT_EQ (editor->leavingPage, 1);
    EXPECT_EQ (editor->shownPage, 2);
    EXPECT_NEAR (editor->dissolve, frame / 0.03f, 1e-6f);
}

using Particles = SceneTest;

// On Well with full slew bite a step of 0.1 s would be due nine sparks; four spawn.
TEST_F (Particles, SparksAreCappedAtFourPerTick)
{
    setParameter ("page", 2.0f);
    openEditor();
    ASSERT_GT (editor->kit.docs.layoutRect ("sparkFrom", {}).getWidth(), 0.0f);
    processor.slewBite = 1.0f;
    playTick (0.0f);
    playTick (0.0f, 100.0);
    EXPECT_EQ (activeCount (editor->sparks), 1 + 4);
}

// A spark due while every slot is taken is dropped but still makes its eight draws.
TEST_F (Particles, DroppedSparkStillSpendsItsDraws)
{
    setParameter ("page", 2.0f);
    openEditor();
    processor.slewBite = 1.0f;
    FaceParticle holder;
    holder.active = true;
    holder.life = 100.0f;
    holder.sprite = 7;
    editor->sparks.fill (holder);

    juce::Random reference;
    reference.setSeed (editor->random.getSeed());
    playTick (0.0f, 100.0);   // first tick: 1/60 s, 1.5 sparks due
    playTick (0.0f, 100.0);   // 0.1 s: carry capped at 4
    const int sparksDue = 1 + 4;
    for (int i = 0; i < sparksDue; ++i)
    {
        for (int j = 0; j < 7; ++j)
            reference.nextFloat();
        reference.nextInt (4);
    }
    EXPECT_EQ (editor->random.getSeed(), reference.getSeed());
    for (const auto& p : editor->sparks)
        EXPECT_EQ (p.sprite, 7);
}

TEST_F (Particles, SizzlesAreCappedAtThreePerTick)
{
    setParameter ("drive", 100.0f);
    openEditor();
    ASSERT_GT (editor->sizzleSpotCount[0], 0);
    editor->sizzleCarry = 8.9f; // nine due
    playTick (1.0f);
    EXPECT_EQ (activeCount (editor->sizzles), 3);
    EXPECT_LT (editor->sizzleCarry, 1.0f);
}

TEST_F (Particles, NoSpawnsOnASilentScene)
{
    for (int i = 0; i < 120; ++i)
        playTick (0.0f);
    EXPECT_EQ (activeCount (editor->sizzles) + activeCount (editor->embers) + activeCount (editor->drips), 0);
}

// A drop of life 0.6 s lands on the tick during which its age passes 0.6, at the bottom
// of its drip art plus 58 x size design pixels.
TEST_F (Particles, DropLandsWhereItHasFallenTo)
{
    ASSERT_GT (editor->dripCount[0], 2);
    FaceParticle drop;
    drop.active = true;
    drop.life = 0.6f;
    drop.size = 1.1f;
    drop.sprite = 2;
    editor->drips[0] = drop;
    tick();
    int ticks = 1;
    while (editor->drips[0].active && ticks < 100)
    {
        EXPECT_EQ (activeCount (editor->sizzles), 0) << "tick " << ticks;
        tick();
        ++ticks;
    }
    // The tick on which the age, summed in float as the tick sums it, passes 0.6.
    float age = 0.0f;
    int landing = 1;
    while (! (age < 0.6f && 0.6f <= age + frame))
    {
        age += frame;
        ++landing;
    }
    EXPECT_EQ (ticks, landing);
    ASSERT_EQ (activeCount (editor->sizzles), 1);
    const auto q = editor->kit.docs.layoutRect ("dripRare2", {});
    EXPECT_FLOAT_EQ (editor->sizzles[0].x, q.getX() + 0.5f * q.getWidth());
    EXPECT_FLOAT_EQ (editor->sizzles[0].y, q.getY() + q.getHeight() + 58.0f * 1.1f);
    const int spatters = activeCount (editor->spatters);
    EXPECT_TRUE (spatters == 1 || spatters == 2);
}

TEST_F (Particles, WaitingSpatterNeitherMovesNorTurns)
{
    FaceParticle p;
    p.active = true;
    p.age = -0.1f;
    p.life = 0.3f;
    p.vx = 10.0f;
    p.vy = -50.0f;
    p.spin = 3.0f;
    p.x = 100.0f;
    p.y = 200.0f;
    editor->spatters[5] = p;
    tick();
    EXPECT_EQ (editor->spatters[5].x, 100.0f);
    EXPECT_EQ (editor->spatters[5].y, 200.0f);
    EXPECT_EQ (editor->spatters[5].angle, 0.0f);
    EXPECT_NEAR (editor->spatters[5].age, -0.1f + frame, 1e-6f);
    for (int i = 0; i < 7; ++i)
        tick();
    // Moving now: gravity 260, drag 0.5, new velocity moves the position.
    const float y = editor->spatters[5].y;
    const float vy = editor->spatters[5].vy;
    tick();
    const float d = std::exp (-0.5f * frame);
    const float vyNext = (vy + 260.0f * frame) * d;
    EXPECT_NEAR (editor->spatters[5].vy, vyNext, 1e-4f);
    EXPECT_NEAR (editor->spatters[5].y, y + vyNext * frame, 1e-4f);
}

using RepaintDecision = SceneTest;

TEST_F (RepaintDecision, FirstTickRepaintsTheEyesThenASilentSceneRepaintsNothing)
{
    tick();
    EXPECT_EQ (editor->lastRepaint, TorvaneEditor::Repaint::eyes);
    const int after = editor->repaintRequests;
    for (int i = 0; i < 60; ++i)
        tick();
    EXPECT_EQ (editor->repaintRequests, after);
}

TEST_F (RepaintDecision, EyesOnlyAreaIsTheTwoEyesGrownByTwoPixels)
{
    editor->setSize (1120, 1120);
    tick();
    editor->lookX = 0.5f;
    tick();
    EXPECT_EQ (editor->lastRepaint, TorvaneEditor::Repaint::eyes);
    const auto e0 = editor->kit.docs.layoutRect ("eyeRare0", {});
    const auto e1 = editor->kit.docs.layoutRect ("eyeRare1", {});
    const float left = std::min (e0.getX(), e1.getX()) * 2.0f - 2.0f;
    const float top = std::min (e0.getY(), e1.getY()) * 2.0f - 2.0f;
    const float right = std::max (e0.getRight(), e1.getRight()) * 2.0f + 2.0f;
    const float bottom = std::max (e0.getBottom(), e1.getBottom()) * 2.0f + 2.0f;
    const auto area = editor->lastRepaintArea;
    EXPECT_EQ (area.getX(), (int) std::floor (left));
    EXPECT_EQ (area.getY(), (int) std::floor (top));
    EXPECT_EQ (area.getRight(), (int) std::ceil (right));
    EXPECT_EQ (area.getBottom(), (int) std::ceil (bottom));

    editor->lookX += 0.002f; // below the threshold
    const int before = editor->repaintRequests;
    tick();
    EXPECT_EQ (editor->repaintRequests, before);
}

// While anything animates the face square is repainted each tick; the tick on which it
// stops repaints once more; then nothing.
TEST_F (RepaintDecision, PlayingRepaintsTheFaceUntilTheSceneSettles)
{
    editor->setSize (1120, 1120);
    setParameter ("drive", 60.0f);
    for (int i = 0; i < 120; ++i)
    {
        playTick (0.5f);
        EXPECT_EQ (editor->lastRepaint, TorvaneEditor::Repaint::face);
        EXPECT_EQ (editor->lastRepaintArea, juce::Rectangle<int> (0, 0, 1120, 1120));
    }
    int ticks = 0;
    while (editor->lastRepaint != TorvaneEditor::Repaint::none && ticks < 1200)
    {
        tick();
        ++ticks;
    }
    EXPECT_LT (ticks, 1200) << "a silent scene settles";
    const int settled = editor->repaintRequests;
    for (int i = 0; i < 300; ++i)
        tick();
    EXPECT_EQ (editor->repaintRequests, settled);
    EXPECT_EQ (editor->envSlow, 0.0f);
}

// An editor that is not showing keeps its look while everything else runs.
TEST_F (RepaintDecision, HiddenEditorKeepsItsLook)
{
    ASSERT_FALSE (editor->isShowing());
    editor->lookX = 0.3f;
    editor->lookY = -0.2f;
    playTick (0.5f);
    EXPECT_EQ (editor->lookX, 0.3f);
    EXPECT_EQ (editor->lookY, -0.2f);
    EXPECT_EQ (editor->eyesActive, 1.0f);
    EXPECT_GT (editor->envSlow, 0.0f);
}

TEST_F (RepaintDecision, DriveChangeRepaintsTheFace)
{
    tick();
    tick();
    setParameter ("drive", 30.0f);
    tick();
    EXPECT_EQ (editor->lastRepaint, TorvaneEditor::Repaint::face);
}

// The first value the tick draws is the generator's 1,131st.
TEST_F (Particles, SpawnsContinueTheNoiseFieldsGenerator)
{
    juce::Random reference (3342);
    for (int i = 0; i < 1130; ++i)
        reference.nextFloat();
    EXPECT_EQ (editor->random.getSeed(), reference.getSeed());
}

using FaceNoise = ::testing::Test;

TEST_F (FaceNoise, MatchesThreeSinesAndStaysSmoothAfterDays)
{
    struct Case { double t; float b, c; };
    const Case cases[] = { { 0.0, 0.0f, 1.0f }, { 1.25, 3.3f, 9.0f }, { 17.5, 11.3f, 41.0f }, { 3.0, -2.0f, 0.5f } };
    for (const auto& c : cases)
    {
        const double a = c.t * c.c;
        const double expected = 0.5 * std::sin (1.7 * c.b + 1.31 * a) + 0.3 * std::sin (2.93 * a + 0.61 * c.b)
                                + 0.2 * std::sin (5.27 * a + 2.31 * c.b);
        EXPECT_NEAR (TorvaneEditor::faceNoise (c.t, c.b, c.c), expected, 2e-6) << c.t;
    }
    // Three days of scene time: a step of one frame still moves the noise smoothly.
    const double days = 3.0 * 86400.0;
    const float here = TorvaneEditor::faceNoise (41.0 * days, 11.3f, 1.0f);
    const float next = TorvaneEditor::faceNoise (41.0 * (days + 1.0 / 60.0), 11.3f, 1.0f);
    const double a0 = 41.0 * days, a1 = 41.0 * (days + 1.0 / 60.0);
    auto exact = [] (double a) { return 0.5 * std::sin (1.7 * 11.3 + 1.31 * a) + 0.3 * std::sin (2.93 * a + 0.61 * 11.3)
                                        + 0.2 * std::sin (5.27 * a + 2.31 * 11.3); };
    EXPECT_NEAR (here, exact (a0), 1e-4);
    EXPECT_NEAR (next, exact (a1), 1e-4);
}

// A change of glow changes the throb's speed, not its phase.
TEST_F (StageValues, ThrobPhaseAdvancesByRateTimesStep)
{
    processor.effort = 1.0f;
    playTick (1.0f);
    const double before = editor->throbPhase;
    const float glow = editor->glow;
    playTick (1.0f);
    const double expected = std::fmod (before + (5.0 * editor->glow + 1.5) * frame, 1.0);
    EXPECT_NEAR (editor->throbPhase, expected, 1e-6);
    EXPECT_GT (editor->glow, glow);

    const double flapBefore = editor->flapPhase;
    setParameter ("drive", 100.0f);
    playTick (1.0f);
    EXPECT_NEAR (editor->flapPhase - flapBefore, (7.0 + 9.0) * frame, 1e-6);
}
