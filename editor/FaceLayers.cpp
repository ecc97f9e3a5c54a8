// The face paint, second part (layers 9 to 17): the mouth, the eyes, the speaker with
// its flaps and flames, the drips, the smoke and the drawn sizzles, spatters and sparks.
#include "ArtName.h"
#include "TorvaneEditor.h"

#include <cmath>

namespace
{
constexpr float pi = 3.1415927f;

float fraction (float u)
{
    return u - std::floor (u);
}
} // namespace

// The spring's position picks the frame; the next frame is laid over it at the
// fractional part, so the mouth opens smoothly between pictures.
void TorvaneEditor::paintMouth (juce::Graphics& g, float artScale)
{
    if (! (mouthPos > 0.0f) || mouthFrameCount <= 0)
        return;
    const float position = std::min (mouthPos, 1.0f) * (float) (mouthFrameCount - 1);
    const int m = juce::jlimit (0, mouthFrameCount - 1, (int) position);
    const float f = position - (float) m;
    const auto mouthRect = rect ("mouth" + pageWord (shownPage));
    const float wm = shownPage == 0 ? 0.85f * warmth : 0.0f;
    drawMouthFrame (g, m, 1.0f, mouthRect, wm, artScale);
    if (f > 0.0f && m + 1 < mouthFrameCount)
        drawMouthFrame (g, m + 1, f, mouthRect, wm, artScale);
}

void TorvaneEditor::drawMouthFrame (juce::Graphics& g, int frame, float alpha, juce::Rectangle<float> mouthRect,
                                    float wm, float artScale)
{
    drawFixedArt (g, art (artName ("mouth", pageWord (shownPage), frame)), mouthRect, alpha, artScale);
    if (wm > 0.0f)
        drawFixedArt (g, art (artName ("mouthWarm", {}, frame)), mouthRect, wm * alpha, artScale);
}

// The pupils travel inside the whites towards the look, clipped to the eye picture's
// outline, and shrink on hits.
void TorvaneEditor::paintEyes (juce::Graphics& g, float artScale)
{
    if (! (eyesActive > 0.0f) && ! (mouthHit > 0.0f))
        return;
    const auto& word = pageWord (shownPage);
    const float q = 1.0f - 0.3f * mouthHit * (shownPage == 2 ? 0.5f : 1.0f);
    for (int k = 0; k < 2; ++k)
    {
        const auto eyeName = artName ("eye", word, k);
        const auto pupilName = artName ("pupil", word, k);
        const auto* eye = art (eyeName);
        const auto* pupil = art (pupilName);
        if (eye == nullptr || pupil == nullptr)
            continue;
        const auto whiteName = artName ("eyeWhite", word, k);
        const auto white = kit.docs.hasLayoutRect (whiteName) ? rect (whiteName) : rect (eyeName);
        const auto pr = rect (pupilName);
        const float u = pr.getWidth() / 2.0f;
        const float travelX = std::max (white.getWidth() / 2.0f - 0.75f * u, 0.0f);
        const float travelY = std::max (white.getHeight() / 2.0f - 0.6f * u, 0.0f);
        const juce::Point<float> own (pr.getX() + u, pr.getY() + pr.getHeight() / 2.0f);
        const juce::Point<float> target (white.getCentreX() + travelX * lookX, white.getCentreY() + travelY * lookY);
        const auto centre = own + (target - own) * eyesActive;

        const auto eyeArea = designToPixels (rect (eyeName));
        const float physical = g.getInternalContext().getPhysicalPixelScaleFactor();
        const auto* laidOn = wholeOnDevice (eye->imageFor (artScale), eyeArea, physical);
        if (laidOn != nullptr)
            PictureStretcher::copyAt (g, laidOn->pixels, laidOn->at, physical);
        else
            drawDirect (g, eye, eyeArea, artScale);

        // The clip scales by the eye picture's size: a picture without pixels gives no pupil.
        const auto& eyeImage = eye->imageFor (artScale);
        if (! eyeImage.isValid() || eyeImage.getWidth() <= 0 || eyeImage.getHeight() <= 0)
            continue;
        juce::Graphics::ScopedSaveState state (g);
        if (laidOn != nullptr)
        {
            // The eye as it lies on the device pixels: its alpha is the same clip, copied
            // instead of resampled.
            g.reduceClipRegion (laidOn->pixels, PictureStretcher::atDevicePixel (laidOn->at, physical));
        }
        else
        {
            // The alpha clip is worked out over the whole current clip; narrowing it first
            // to a whole-unit frame around the eye (a unit clear of it, so no edge pixel of
            // the eye loses coverage) leaves the same clip for far less work on large windows.
            g.reduceClipRegion (eyeArea.getSmallestIntegerContainer().expanded (1));
            g.reduceClipRegion (eyeImage,
                                juce::AffineTransform::scale (eyeArea.getWidth() / (float) eyeImage.getWidth(),
                                                              eyeArea.getHeight() / (float) eyeImage.getHeight())
                                    .translated (eyeArea.getX(), eyeArea.getY()));
        }
        const auto pupilRect = juce::Rectangle<float> (pr.getWidth() * q, pr.getHeight() * q).withCentre (centre);
        drawStretched (g, pupil, designToPixels (pupilRect), artScale);
    }
}

// The picture laid onto the device pixels of an area that stays put as one whole piece,
// or null when the copies do not handle it.
const PictureStretcher::Piece* TorvaneEditor::wholeOnDevice (const juce::Image& picture, juce::Rectangle<float> area,
                                                             float physical)
{
    const auto whole = OpaqueTiles::filledGrid (picture);
    const auto* pieces = laidOnDevice (picture, area, physical, &whole);
    return pieces != nullptr && pieces->size() == 1 ? &pieces->front() : nullptr;
}

// The cone thumps with the fast envelope, the flaps flutter and, on Well, the flames
// lean and stretch from their bases.
void TorvaneEditor::paintSpeaker (juce::Graphics& g, float artScale, float d)
{
    if (! (envSlow > 0.0f))
        return;
    const auto& word = pageWord (shownPage);
    const float s = contentScale();

    {
        const auto centre = designPoint (rect ("coneCentre" + word).getPosition());
        const float k = (0.25f * faceNoise (7.0 * faceClock, 9.1f, 1.0f) + 0.75f) * ((0.09f * d + 0.03f) * envFast) + 1.0f;
        const float jolt = s * 1.5f * d * d * envFast;
        const float tx = jolt * faceNoise (33.0 * faceClock, 2.7f, 1.0f);
        const float ty = jolt * faceNoise (29.0 * faceClock, 8.2f, 1.0f);
        // Swollen by k about the centre, then moved by (tx, ty): still an upright rectangle.
        const auto cone = designToPixels (rect ("cone" + word));
        drawStretched (g, art ("cone" + word),
                       { (cone.getX() - centre.x) * k + centre.x + tx, (cone.getY() - centre.y) * k + centre.y + ty,
                         cone.getWidth() * k, cone.getHeight() * k },
                       artScale);
    }

    const float swing = (0.13f * d + 0.07f) * envSlow;
    for (int k = 0; k < 6; ++k)
    {
        const auto* flap = art (artName ("flap", word, k));
        if (flap == nullptr)
            continue;
        const auto pivot = designPoint (rect (artName ("flapPivot", word, k)).getPosition());
        const float angle = faceNoise (flapPhase, 1.9f * (float) k, 1.0f) * swing;
        drawTransformed (g, flap, designToPixels (rect (artName ("flap", word, k))),
                         juce::AffineTransform::rotation (angle, pivot.x, pivot.y), artScale);
    }

    if (shownPage != 2)
        return;
    for (int v = 0;; ++v)
    {
        const auto* flame = art (artName ("flameWell", {}, v));
        if (flame == nullptr)
            break;
        const auto base = designPoint (rect (artName ("flameBaseWell", {}, v)).getPosition());
        const float grow = (0.1f * faceNoise (6.0 * faceClock, 2.3f * (float) v, 1.0f) + 0.22f) * envSlow + 1.0f;
        const float sway = faceNoise (3.5 * faceClock, (float) v + 4.0f, 1.0f) * (0.12f * envSlow);
        drawTransformed (g, flame, designToPixels (rect (artName ("flameWell", {}, v))),
                         juce::AffineTransform::translation (-base.x, -base.y)
                             .followedBy (juce::AffineTransform (1.0f, sway, 0.0f, 0.0f, grow, 0.0f))
                             .translated (base.x, base.y),
                         artScale);
    }
}

// Hanging drops lengthen with the level and glint once every 2.3 s of scene time.
void TorvaneEditor::paintHangingDrips (juce::Graphics& g, float artScale, float d)
{
    if (shownPage == 2 || ! (envSlow > 0.0f))
        return;
    const auto& word = pageWord (shownPage);
    const float v = (0.2f * d + 0.08f) * envSlow;
    const float s = contentScale();
    for (int k = 0; k < dripCount[(size_t) shownPage]; ++k)
    {
        const auto name = artName ("drip", word, k);
        const auto* drop = art (name);
        if (drop == nullptr)
            continue;
        const auto r = rect (name);
        const float hanging = std::max (((0.4f * faceNoise (1.7 * faceClock, 2.9f * (float) k + 0.7f, 1.0f) + 0.6f) * v + 1.0f)
                                            * r.getHeight(),
                                        0.0f);
        const auto behindName = artName ("dripBehind", word, k);
        drawFixedArt (g, art (behindName), rect (behindName), 1.0f, artScale);
        drawArt (g, drop, r.withHeight (hanging), 1.0f, artScale);

        const float f = (float) (faceClock / 2.3 - std::floor (faceClock / 2.3)) + 0.37f * (float) k;
        const float phase = fraction (f);
        if (phase < 0.45f)
        {
            const float e = phase / 0.45f;
            juce::Graphics::ScopedSaveState state (g);
            g.setColour (juce::Colour::fromRGB (255, 250, 225).withAlpha (std::sin (pi * e) * (0.85f * envSlow)));
            const float dot = 0.9f * s;
            const auto centre = designPoint ({ r.getX() + 0.5f * r.getWidth() - 0.12f * r.getWidth(),
                                               r.getY() + (0.6f * e + 0.25f) * hanging });
            g.fillEllipse (juce::Rectangle<float> (1.4f * dot, 2.2f * dot).withCentre (centre));
        }
    }
}

// A drop stretches as it lets go, then falls along f squared, shrinking and fading.
void TorvaneEditor::paintFallingDrips (juce::Graphics& g, float artScale)
{
    const auto& word = pageWord (shownPage);
    for (const auto& p : drips)
    {
        if (! p.active)
            continue;
        const auto name = artName ("drip", word, p.sprite);
        const auto* drop = art (name);
        if (drop == nullptr)
            continue;
        const auto r = rect (name);
        const float u = p.age / p.life;
        const float stretch = u < 0.35f ? 1.0f + 0.45f * u / 0.35f : 1.2f;
        const float f = u < 0.35f ? 0.0f : (u - 0.35f) / 0.65f;
        const float alpha = f < 0.8f ? 1.0f : 1.0f - (f - 0.8f) / 0.2f;
        const float q = 1.0f - 0.5f * f;
        const float hs = stretch * r.getHeight();
        const float w = q * r.getWidth();
        const float h = q * hs;
        const juce::Rectangle<float> area (r.getX() + (r.getWidth() - w) / 2.0f,
                                           r.getY() + 58.0f * p.size * f * f + (hs - h) / 2.0f, w, h);
        drawArt (g, drop, area, alpha, artScale);
    }
}

// The still smoke fades out as three rising copies of each piece fade in.
void TorvaneEditor::paintSmoke (juce::Graphics& g, float artScale)
{
    if (shownPage == 0)
        return;
    const auto& word = pageWord (shownPage);
    for (int v = 0;; ++v)
    {
        const auto name = artName ("smoke", word, v);
        const auto* smoke = art (name);
        if (smoke == nullptr)
            break;
        const auto r = rect (name);
        if (smokeAmount < 1.0f)
            drawFixedArt (g, smoke, r, 1.0f - smokeAmount, artScale);
        if (! (smokeAmount > 0.0f))
            continue;
        for (int k = 0; k < 3; ++k)
        {
            const float u = fraction ((float) k / 3.0f + smokePhase + 0.37f * (float) v);
            const float sc = 0.35f * u + 1.0f;
            const float w = sc * r.getWidth();
            const float h = sc * r.getHeight();
            const juce::Rectangle<float> puff (r.getX() + (r.getWidth() - w) / 2.0f
                                                   + 3.5f * std::sin (2.0f * (float) v + 8.16814f * u),
                                               r.getY() + (r.getHeight() - h) / 2.0f - 40.0f * u, w, h);
            drawArt (g, smoke, puff, std::min (u / 0.2f, 1.0f) * (1.0f - u) * (1.2f * smokeAmount), artScale);
        }
    }
}

// A pale dot that swells, then a ring that widens and fades.
void TorvaneEditor::paintSizzles (juce::Graphics& g)
{
    const float s = contentScale();
    const auto colour = juce::Colour::fromRGB (255, 238, 190);
    for (const auto& p : sizzles)
    {
        if (! p.active)
            continue;
        juce::Graphics::ScopedSaveState state (g);
        const float x = p.age / p.life;
        const auto centre = designPoint ({ p.x, p.y });
        const float e = 3.0f * p.size * s;
        if (x < 0.6f)
        {
            const float r = (0.7f * x / 0.6f + 0.3f) * e;
            g.setColour (colour.withAlpha (0.85f));
            g.fillEllipse (juce::Rectangle<float> (2.0f * r, 2.0f * r).withCentre (centre));
        }
        else
        {
            const float ring = (x - 0.6f) / 0.4f;
            const float r = (1.3f * ring + 1.0f) * e;
            g.setColour (colour.withAlpha (0.8f * (1.0f - ring)));
            g.drawEllipse (juce::Rectangle<float> (2.0f * r, 2.0f * r).withCentre (centre), 0.6f * s);
        }
    }
}

void TorvaneEditor::paintSpatters (juce::Graphics& g)
{
    const float s = contentScale();
    const auto colour = juce::Colour::fromRGB (255, 230, 160);
    for (const auto& p : spatters)
    {
        if (! p.active || ! (p.age > 0.0f))
            continue;
        juce::Graphics::ScopedSaveState state (g);
        const float x = p.age / p.life;
        g.setColour (colour.withAlpha (0.9f * std::sqrt (std::max (1.0f - x, 0.0f))));
        const float side = 1.8f * p.size * s;
        g.fillEllipse (juce::Rectangle<float> (side, side).withCentre (designPoint ({ p.x, p.y })));
    }
}

// Sparks keep full opacity for half their life, then fade, turned about their centre.
void TorvaneEditor::paintSparks (juce::Graphics& g, float artScale)
{
    const float s = contentScale();
    for (const auto& p : sparks)
    {
        if (! p.active)
            continue;
        const auto name = artName ("spark", {}, p.sprite);
        const auto* spark = art (name);
        const auto r = rect (name);
        if (spark == nullptr || ! (r.getWidth() > 0.0f) || ! (r.getHeight() > 0.0f))
            continue;
        const float w = r.getWidth() * p.size * s;
        const float h = r.getHeight() * p.size * s;
        const auto centre = designPoint ({ p.x, p.y });
        juce::Graphics::ScopedSaveState state (g);
        g.setOpacity (juce::jlimit (0.0f, 1.0f, 2.0f * (1.0f - p.age / p.life)));
        drawTransformed (g, spark, { centre.x - w / 2.0f, centre.y - h / 2.0f, w, h },
                         juce::AffineTransform::rotation (p.angle, centre.x, centre.y), artScale);
    }
}
