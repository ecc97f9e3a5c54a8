// The 60 Hz animation step: reads the processor's published values once, advances the
// envelopes, the mouth spring, smoke and the particle pools, and asks for the smallest
// repaint that shows the change. When nothing plays the scene settles and stops asking.
#include "ArtName.h"
#include "TorvaneEditor.h"

#include "TorvaneProcessor.h"

#include <cmath>

namespace
{
constexpr double twoPi = 6.283185307179586;

float snapBelow (float value, float threshold)
{
    return value < threshold ? 0.0f : value;
}

float smoothing (float dt, float timeConstant)
{
    return 1.0f - std::exp (-dt / timeConstant);
}

struct PoolPhysics
{
    float gravity, drag;
};

constexpr PoolPhysics sparkPhysics { 140.0f, 1.2f };
constexpr PoolPhysics dripPhysics { 0.0f, 0.0f };
constexpr PoolPhysics sizzlePhysics { 0.0f, 0.0f };
constexpr PoolPhysics spatterPhysics { 260.0f, 0.5f };
constexpr PoolPhysics emberPhysics { -8.0f, 0.3f };
} // namespace

float TorvaneEditor::faceNoise (double t, float b, float c)
{
    // The sines' arguments are formed and wrapped in double, so a scene clock of days
    // still moves smoothly; the sines themselves are single precision.
    const double a = t * (double) c;
    auto wave = [] (double argument) { return std::sin ((float) std::fmod (argument, twoPi)); };
    return 0.5f * wave (1.7 * b + 1.31 * a) + 0.3f * wave (2.93 * a + 0.61 * b) + 0.2f * wave (5.27 * a + 2.31 * b);
}

void TorvaneEditor::tick()
{
    tickAt (juce::Time::getMillisecondCounterHiRes());
}

void TorvaneEditor::tickAt (double nowMs)
{
    const float dt = timeStep (nowMs);
    const bool dissolving = advanceDissolve (dt);
    const int page = shownPage;

    bool idle = false;
    const float dB = readLevelDb (idle);
    updateEnvelopes (dt, juce::jlimit (0.0f, 1.0f, (dB + 48.0f) / 48.0f));
    const bool hit = detectHit (dt, dB);

    const float drive01 = driveAmount();
    const bool running = envSlow > 0.0f;
    if (running)
    {
        faceClock += dt;
        flapPhase += (7.0 * drive01 + 9.0) * dt;
    }

    updateGlowWarmthGrid (dt, idle, hit, page);
    if (running)
        throbPhase = std::fmod (throbPhase + (5.0 * glow + 1.5) * dt, 1.0);
    updateLook (dt, page);
    updateMouth (dt, hit, page, drive01);
    spawnParticles (dt, idle, running, page, drive01);
    landDrops (dt, dissolving, page);
    const bool anyAlive = updateAllPools ({ dt, dissolving });

    const bool animating = running || glow > 0.0f || hitPulse > 0.0f || gridDim > 0.0f || smokeAmount > 0.0f
                           || mouthHit > 0.0f || anyAlive || dissolving;
    decideRepaint (animating, drive01);
}

// The first tick steps by 1/60 s; later ones by the time since the last, clamped so
// that a long pause advances the scene by at most 0.1 s.
float TorvaneEditor::timeStep (double nowMs)
{
    float dt = 1.0f / 60.0f;
    if (lastTickMs > 0.0)
        dt = (float) juce::jlimit (0.001, 0.1, (nowMs - lastTickMs) * 0.001);
    lastTickMs = nowMs;
    return dt;
}

// A page change starts a 30 ms dissolve; the tick that completes it still counts.
bool TorvaneEditor::advanceDissolve (float dt)
{
    const int page = pageIndex();
    if (page != shownPage)
    {
        leavingPage = shownPage;
        shownPage = page;
        dissolve = 0.0f;
    }
    const bool dissolving = dissolve < 1.0f;
    if (dissolving)
        dissolve = std::min (dissolve + dt / 0.03f, 1.0f);
    return dissolving;
}

// Audio counts as stopped from the seventh tick in a row without a new block, whatever
// the last published peak was.
float TorvaneEditor::readLevelDb (bool& idle)
{
    const int counter = processor.blockCounter.load();
    idleTicks = counter != lastCounter ? 0 : idleTicks + 1;
    lastCounter = counter;
    idle = idleTicks > 6;
    if (idle)
        return -100.0f;
    const float peak = processor.outputPeak.load();
    return peak > 0.0f ? std::max (20.0f * std::log10 (peak), -100.0f) : -100.0f;
}

void TorvaneEditor::updateEnvelopes (float dt, float level)
{
    envSlow = snapBelow (std::max (envSlow * std::exp (-4.0f * dt), level), 0.004f);
    envFast = snapBelow (std::max (envFast * std::exp (-dt / 0.07f), level), 0.004f);
}

// A hit is a jump of more than 6 dB above the slow tracker, above -24 dB.
bool TorvaneEditor::detectHit (float dt, float dB)
{
    const bool hit = dB > -24.0f && dB > trackerDb + 6.0f;
    if (dB > trackerDb)
        trackerDb = trackerDb + smoothing (dt, 0.35f) * (dB - trackerDb);
    else
        trackerDb = std::max (trackerDb - 30.0f * dt, dB);
    return hit;
}

void TorvaneEditor::updateGlowWarmthGrid (float dt, bool idle, bool hit, int page)
{
    const float e = juce::jlimit (0.0f, 1.0f, processor.effort.load());
    const float glowTarget = std::sqrt (e) * envSlow;
    glow = glow + smoothing (dt, 0.06f) * (glowTarget - glow);
    if (glow < 0.004f && glowTarget == 0.0f)
        glow = 0.0f;

    warmth = idle ? warmth * std::exp (-0.25f * dt) : processor.stageHeat.load();
    if (page != 0)
        warmth = 0.0f;
    warmth = snapBelow (warmth, 0.01f);

    if (hit)
        hitPulse = 1.0f;
    hitPulse = snapBelow (hitPulse * std::exp (-dt / 0.12f), 0.01f);

    const float gridTarget = (page == 1 && ! idle) ? juce::jlimit (0.0f, 1.0f, 2.0f * processor.gridBlock.load()) : 0.0f;
    gridDim = snapBelow (std::max (gridDim * std::exp (-dt / 0.07f), gridTarget), 0.01f);
}

// The pupils turn towards the mouse pointer, saturating smoothly about 140 design
// pixels from the point between the eyes. A hidden editor keeps its look.
void TorvaneEditor::updateLook (float dt, int page)
{
    eyesActive = 1.0f;
    if (! isShowing())
        return;
    const auto mouse = getLocalPoint (nullptr, juce::Desktop::getMousePosition().toFloat());
    const auto& w = pageWord (page);
    const auto centre0 = designToPixels (rect ("eye" + w + "0")).getCentre();
    const auto centre1 = designToPixels (rect ("eye" + w + "1")).getCentre();
    const auto between = (centre0 + centre1) * 0.5f;
    const float reach = 140.0f * contentScale();
    float tx = std::tanh ((mouse.x - between.x) / reach);
    float ty = std::tanh ((mouse.y - between.y) / reach);
    const float length = std::hypot (tx, ty);
    if (length > 1.0f)
    {
        tx /= length;
        ty /= length;
    }
    const float a = smoothing (dt, 0.05f);
    lookX = lookX + a * (tx - lookX);
    lookY = lookY + a * (ty - lookY);
}

// A stiff, damped spring (260 and 22 per second) integrated in sub-steps of at most
// 1/240 s, snapping to its target once it is there.
void TorvaneEditor::updateMouth (float dt, bool hit, int page, float drive01)
{
    if (hit)
        mouthHit = 1.0f;
    mouthHit = snapBelow (mouthHit * std::exp (-dt / 0.3f), 0.01f);

    const float e = page == 2 ? 0.5f : 1.0f;
    const float target = faceNoise (faceClock, 3.3f, 9.0f) * 0.035f * envSlow + 0.35f * e * mouthHit + 0.8f * drive01;
    const int steps = std::max (1, (int) std::ceil (240.0f * dt));
    const float h = dt / (float) steps;
    for (int i = 0; i < steps; ++i)
    {
        mouthVel = mouthVel + ((target - mouthPos) * 260.0f - 22.0f * mouthVel) * h;
        mouthPos = mouthPos + h * mouthVel;
    }
    if (std::abs (target - mouthPos) < 0.0001f && std::abs (mouthVel) < 0.001f)
    {
        mouthPos = target;
        mouthVel = 0.0f;
    }
}

// Spawn counts accumulate as fractions and are capped per tick; the order of the
// spawns is fixed so that the random draws are the same in every editor.
void TorvaneEditor::spawnParticles (float dt, bool idle, bool running, int page, float drive01)
{
    const auto source = rect ("sparkFrom");
    if (page == 2 && ! idle && source.getWidth() > 0.0f && source.getHeight() > 0.0f)
    {
        sparkCarry = std::min (sparkCarry + processor.slewBite.load() * 90.0f * dt, 4.0f);
        for (; sparkCarry >= 1.0f; sparkCarry -= 1.0f)
            spawnSpark (source);
    }

    updateSmoke (dt, running, page, drive01);

    if (page != 2 && running && dripCount[(size_t) page] > 0)
    {
        dripCarry = std::min (dripCarry + dt * envSlow * (1.25f * drive01 + 0.35f), 2.0f);
        for (; dripCarry >= 1.0f; dripCarry -= 1.0f)
            spawnDrip (page);
    }

    if (! running)
        return;
    if (sizzleSpotCount[(size_t) page] > 0)
    {
        const float e = page == 2 ? 0.5f : 1.0f;
        sizzleCarry = std::min (sizzleCarry + dt * envSlow * (12.0f * drive01 + 4.0f) * e, 3.0f);
        for (; sizzleCarry >= 1.0f; sizzleCarry -= 1.0f)
            spawnSizzle (page, drive01);
    }
    if (emberSpotCount[(size_t) page] > 0)
    {
        emberCarry = std::min (emberCarry + dt * envSlow * (11.0f * drive01 + 3.0f), 3.0f);
        for (; emberCarry >= 1.0f; emberCarry -= 1.0f)
            spawnEmber (page);
    }
}

void TorvaneEditor::updateSmoke (float dt, bool running, int page, float drive01)
{
    const float target = (page != 0 && running) ? 1.0f : 0.0f;
    smokeAmount = smokeAmount + (1.0f - std::exp (-2.0f * dt)) * (target - smokeAmount);
    if (target == 0.0f && smokeAmount < 0.003f)
        smokeAmount = 0.0f;
    smokePhase = std::fmod (smokePhase + (0.8f * drive01 + 0.6f) * (smokeAmount * dt) / 3.2f, 1000.0f);
}

// A drop that ends during this tick lands: a sizzle where it has fallen to.
void TorvaneEditor::landDrops (float dt, bool dissolving, int page)
{
    if (dissolving)
        return;
    for (const auto& drop : drips)
        if (drop.active && drop.age < drop.life && drop.life <= drop.age + dt)
            spawnLanding (drop, page);
}

bool TorvaneEditor::updateAllPools (StepContext c)
{
    bool alive = updatePool (c, sparks, sparkPhysics.gravity, sparkPhysics.drag);
    alive = updatePool (c, drips, dripPhysics.gravity, dripPhysics.drag) || alive;
    alive = updatePool (c, sizzles, sizzlePhysics.gravity, sizzlePhysics.drag) || alive;
    alive = updatePool (c, spatters, spatterPhysics.gravity, spatterPhysics.drag) || alive;
    alive = updatePool (c, embers, emberPhysics.gravity, emberPhysics.drag) || alive;
    return alive;
}

// A particle still waiting to start (negative age) neither moves nor turns; a
// dissolve kills every particle.
bool TorvaneEditor::updateParticles (StepContext c, FaceParticle* first, int count, float gravity, float drag)
{
    bool alive = false;
    for (auto* p = first; p != first + count; ++p)
    {
        if (! p->active)
            continue;
        p->age += c.dt;
        if (p->age > 0.0f)
        {
            p->vy += gravity * c.dt;
            const float d = std::exp (-drag * c.dt);
            p->vx *= d;
            p->vy *= d;
            p->x += p->vx * c.dt;
            p->y += p->vy * c.dt;
            p->angle += p->spin * c.dt;
        }
        p->active = p->age < p->life && ! c.dissolving;
        alive = alive || p->active;
    }
    return alive;
}

void TorvaneEditor::spawnSpark (juce::Rectangle<float> source)
{
    FaceParticle p;
    const float u = random.nextFloat();
    p.x = source.getX() + source.getWidth() * u;
    p.y = source.getY() + source.getHeight() * u;
    p.vx = 75.0f * random.nextFloat() - 20.0f;
    p.vy = -(70.0f * random.nextFloat() + 40.0f);
    p.life = 0.45f * random.nextFloat() + 0.35f;
    p.size = 0.6f * random.nextFloat() + 0.6f;
    p.angle = 6.28f * random.nextFloat();
    p.spin = 9.0f * (2.0f * random.nextFloat() - 1.0f);
    p.sprite = random.nextInt (4);
    place (sparks, p);
}

void TorvaneEditor::spawnDrip (int page)
{
    FaceParticle p;
    p.sprite = random.nextInt (dripCount[(size_t) page]);
    p.life = 0.25f * random.nextFloat() + 0.55f;
    p.size = 0.4f * random.nextFloat() + 0.8f;
    place (drips, p);
}

void TorvaneEditor::spawnSizzle (int page, float drive01)
{
    const int k = random.nextInt (sizzleSpotCount[(size_t) page]);
    const auto spot = rect (artName ("sizzleSpot", pageWord (page), k));
    FaceParticle p;
    p.y = spot.getY() + 6.0f * random.nextFloat() - 3.0f;
    p.x = spot.getX() + 6.0f * random.nextFloat() - 3.0f;
    p.life = 0.2f * random.nextFloat() + 0.18f;
    p.size = 0.6f * random.nextFloat() + 0.7f;
    place (sizzles, p);
    const int count = random.nextInt (3) + (drive01 > 0.6f ? 1 : 0);
    spawnSpatters (p.x, p.y, count, p.life, false);
}

void TorvaneEditor::spawnLanding (const FaceParticle& drop, int page)
{
    const auto q = rect (artName ("drip", pageWord (page), drop.sprite));
    FaceParticle p;
    p.x = q.getX() + 0.5f * q.getWidth();
    p.y = q.getY() + q.getHeight() + 58.0f * drop.size;
    p.life = 0.1f * random.nextFloat() + 0.16f;
    p.size = 0.4f * random.nextFloat() + 0.6f;
    place (sizzles, p);
    const int count = random.nextInt (2) + 1;
    spawnSpatters (p.x, p.y, count, p.life, true);
}

// Spatters wait until their sizzle is 60 % through, then fly.
void TorvaneEditor::spawnSpatters (float x, float y, int count, float sizzleLife, bool fromLanding)
{
    for (int i = 0; i < count; ++i)
    {
        FaceParticle p;
        p.x = x;
        p.y = y;
        if (fromLanding)
        {
            p.vx = 30.0f * (2.0f * random.nextFloat() - 1.0f);
            p.vy = -(40.0f * random.nextFloat() + 25.0f);
            p.life = 0.2f * random.nextFloat() + 0.25f;
            p.size = 0.4f * random.nextFloat() + 0.5f;
        }
        else
        {
            p.vx = 35.0f * (2.0f * random.nextFloat() - 1.0f);
            p.vy = -(60.0f * random.nextFloat() + 30.0f);
            p.life = 0.25f * random.nextFloat() + 0.3f;
            p.size = 0.6f * random.nextFloat() + 0.5f;
        }
        p.age = -0.6f * sizzleLife;
        place (spatters, p);
    }
}

void TorvaneEditor::spawnEmber (int page)
{
    const int k = random.nextInt (emberSpotCount[(size_t) page]);
    const auto spot = rect (artName ("emberSpot", pageWord (page), k));
    FaceParticle p;
    p.x = spot.getX();
    p.y = spot.getY();
    p.vx = 6.0f * (2.0f * random.nextFloat() - 1.0f);
    p.vy = -(18.0f * random.nextFloat() + 10.0f);
    p.life = 0.8f * random.nextFloat() + 0.8f;
    p.size = 0.7f * random.nextFloat() + 0.6f;
    p.angle = 6.28f * random.nextFloat();
    place (embers, p);
}

// The face square while anything animates (and once more on the tick it stops), only
// the eyes when nothing but their look moved, otherwise nothing.
void TorvaneEditor::decideRepaint (bool animating, float drive01)
{
    const bool lookMoved = std::hypot (lookX - lastLookX, lookY - lastLookY) > 0.003f
                           || std::abs (eyesActive - lastEyesActive) > 0.003f
                           || (eyesActive == 0.0f && lastEyesActive > 0.0f);
    const bool mouthMoved = std::abs (mouthPos - lastMouth) > 0.0005f;
    const bool warmthMoved = std::abs (warmth - lastWarmth) > 0.006f || (warmth == 0.0f && lastWarmth > 0.0f);
    const bool driveMoved = drive01 != lastDrive;

    if (animating || animating != wasAnimating || driveMoved || warmthMoved || mouthMoved)
    {
        const auto origin = fittedArea().getPosition().toFloat();
        const float side = designSize * contentScale();
        requestRepaint (Repaint::face, juce::Rectangle<float> (origin.x, origin.y, side, side).getSmallestIntegerContainer());
        lastWarmth = warmth;
        lastLookX = lookX;
        lastLookY = lookY;
        lastEyesActive = eyesActive;
        lastMouth = mouthPos;
    }
    else if (lookMoved)
    {
        const auto& w = pageWord (shownPage);
        const auto eye0 = designToPixels (rect ("eye" + w + "0"));
        const auto eye1 = designToPixels (rect ("eye" + w + "1"));
        auto both = eye1.isEmpty() ? eye0 : eye0.isEmpty() ? eye1 : eye0.getUnion (eye1);
        both = { both.getX() - 2.0f, both.getY() - 2.0f, std::max (both.getWidth() + 4.0f, 0.0f),
                 std::max (both.getHeight() + 4.0f, 0.0f) };
        requestRepaint (Repaint::eyes, both.getSmallestIntegerContainer());
        lastLookX = lookX;
        lastLookY = lookY;
        lastEyesActive = eyesActive;
    }
    else
    {
        lastRepaint = Repaint::none;
    }
    wasAnimating = animating;
    lastDrive = drive01;
}

void TorvaneEditor::requestRepaint (Repaint kind, juce::Rectangle<int> area)
{
    lastRepaint = kind;
    lastRepaintArea = area;
    ++repaintRequests;
    repaint (area);
}
