// The face paint, first part: the page drawing with the dissolve through the noise mask
// and the glowing, flickering and shaking layers over it (layers 1 to 8). The paint
// only reads the animation state; its one write is the dissolve mask.
#include "TorvaneEditor.h"

#include <cmath>

namespace
{
constexpr float pi = 3.1415927f;
constexpr float twoPiF = 6.2831855f;

// An offset in component units moved to the nearest whole device pixels, so that a
// picture shifted by it is copied pixel for pixel instead of resampled.
juce::Point<float> onDevicePixels (juce::Point<float> offset, float physical)
{
    if (! (physical > 0.0f))
        return offset;
    return { std::round (offset.x * physical) / physical, std::round (offset.y * physical) / physical };
}
} // namespace

void TorvaneEditor::paintFace (juce::Graphics& g)
{
    const double startMs = juce::Time::getMillisecondCounterHiRes();
    const float artScale = kit.imageScale (g);
    const float d = driveAmount();
    copyBudget.beginFrame();
    keepCopiesFor (g, artScale);
    takePrefetched();

    if (dissolve < 1.0f && leavingPage != shownPage)
        drawDissolve (g, artScale);
    else
        drawPageBackground (g, shownPage, artScale);

    paintWarmth (g, artScale);
    paintCoals (g, artScale, d);
    paintEmbers (g);
    paintGlisten (g, artScale, d);
    paintIndicator (g, artScale);
    paintTransformer (g, artScale, d);
    paintMouth (g, artScale);
    paintEyes (g, artScale);
    paintSpeaker (g, artScale, d);
    paintHangingDrips (g, artScale, d);
    paintFallingDrips (g, artScale);
    paintSmoke (g, artScale);
    paintSizzles (g);
    paintSpatters (g);
    paintSparks (g, artScale);
    prefetchFor (g, artScale, startMs);
}

void TorvaneEditor::drawDirect (juce::Graphics& g, const zem::ArtEntry* entry, juce::Rectangle<float> pixelRect,
                                float artScale)
{
    if (entry != nullptr)
        entry->draw (g, pixelRect, artScale, juce::RectanglePlacement::stretchToFit);
}

void TorvaneEditor::drawArt (juce::Graphics& g, const zem::ArtEntry* entry, juce::Rectangle<float> designRect,
                             float opacity, float artScale)
{
    if (entry == nullptr || ! (opacity > 0.0f) || ! (designRect.getWidth() > 0.0f) || ! (designRect.getHeight() > 0.0f))
        return;
    const auto area = designToPixels (designRect);
    juce::Graphics::ScopedSaveState state (g);
    g.setOpacity (std::min (opacity, 1.0f));
    const auto& picture = entry->imageFor (artScale);
    // Only where the picture has pixels: the same result for less compositing.
    if (const auto* grid = tilesOf (picture); grid != nullptr && stretcher.draw (g, picture, area, grid))
        return;
    g.reduceClipRegion (opaqueTiles.clipFor (picture, area));
    drawStretched (g, entry, area, artScale);
}

// drawArt for a rectangle that stays put from frame to frame: the picture is laid onto
// the device pixels once, and each frame copies those pixels.
void TorvaneEditor::drawFixedArt (juce::Graphics& g, const zem::ArtEntry* entry, juce::Rectangle<float> designRect,
                                  float opacity, float artScale)
{
    if (entry == nullptr || ! (opacity > 0.0f) || ! (designRect.getWidth() > 0.0f) || ! (designRect.getHeight() > 0.0f))
        return;
    const float physical = g.getInternalContext().getPhysicalPixelScaleFactor();
    const auto* pieces = laidOnDevice (entry->imageFor (artScale), designToPixels (designRect), physical, nullptr);
    if (pieces == nullptr)
    {
        drawArt (g, entry, designRect, opacity, artScale);
        return;
    }
    juce::Graphics::ScopedSaveState state (g);
    g.setOpacity (std::min (opacity, 1.0f));
    PictureStretcher::drawPieces (g, *pieces, physical);
}

const OpaqueTiles::Grid* TorvaneEditor::tilesOf (const juce::Image& picture)
{
    return &opaqueTiles.gridFor (picture);
}

const OverlayCopies::Pieces* TorvaneEditor::laidOnDevice (const juce::Image& picture, juce::Rectangle<float> area,
                                                          float physical, const OpaqueTiles::Grid* grid)
{
    return overlayCopies.piecesFor (picture, area, physical, opaqueTiles, stretcher, grid);
}

// The copies belong to one size of the face square on the device: a new size or art
// scale lets the old ones go.
void TorvaneEditor::keepCopiesFor (juce::Graphics& g, float artScale)
{
    const float physical = g.getInternalContext().getPhysicalPixelScaleFactor();
    const auto square = designToPixels ({ 0.0f, 0.0f, designSize, designSize }) * physical;
    if (square != copiedSquare || artScale != copiedArtScale)
    {
        overlayCopies.clear();
        pageCopies.clear();
        copiedSquare = square;
        copiedArtScale = artScale;
    }
}

// A direct draw under a transform of the paint's own. The clip is first narrowed to a
// whole-unit frame a unit clear of where the transformed picture can land: the same
// pixels, but the framework then works out its coverage over that frame instead of the
// whole window.
void TorvaneEditor::drawTransformed (juce::Graphics& g, const zem::ArtEntry* entry, juce::Rectangle<float> pixelRect,
                                     const juce::AffineTransform& transform, float artScale)
{
    if (entry == nullptr || pixelRect.isEmpty())
        return;
    juce::Graphics::ScopedSaveState state (g);
    g.reduceClipRegion (pixelRect.transformedBy (transform).getSmallestIntegerContainer().expanded (1));
    g.addTransform (transform);
    drawDirect (g, entry, pixelRect, artScale);
}

// A direct draw for a context with no rotation or scale of the paint's own: a picture
// that must be resampled is stretched by the scene's own sampler.
void TorvaneEditor::drawStretched (juce::Graphics& g, const zem::ArtEntry* entry, juce::Rectangle<float> pixelRect,
                                   float artScale)
{
    if (entry == nullptr || pixelRect.isEmpty())
        return;
    const auto& picture = entry->imageFor (artScale);
    if (! stretcher.draw (g, picture, pixelRect, tilesOf (picture)))
        drawDirect (g, entry, pixelRect, artScale);
}

void TorvaneEditor::drawPageBackground (juce::Graphics& g, int pageNumber, float artScale)
{
    const auto* entry = pageArt (pageNumber);
    const auto area = designToPixels ({ 0.0f, 0.0f, designSize, designSize });
    juce::Rectangle<int> device;
    if (const auto* copy = pageCopy (g, pageNumber, artScale, device))
    {
        PictureStretcher::copyAt (g, *copy, device.getPosition(), g.getInternalContext().getPhysicalPixelScaleFactor());
        return;
    }
    drawDirect (g, entry, area, artScale);
}

// The page's drawing when the face square lies on whole device pixels, with the square's
// device pixels; null when there is no drawing or the square is off the device grid.
const juce::Image* TorvaneEditor::pageOnGrid (juce::Graphics& g, int pageNumber, float artScale,
                                              juce::Rectangle<int>& device)
{
    const auto* entry = pageArt (pageNumber);
    const auto area = designToPixels ({ 0.0f, 0.0f, designSize, designSize });
    if (entry == nullptr || ! PictureStretcher::onWholeDevicePixels (g, area))
        return nullptr;
    device = (area * g.getInternalContext().getPhysicalPixelScaleFactor()).toNearestInt();
    return &entry->imageFor (artScale);
}

// When the face square lies on whole device pixels, a drawing that would be resampled on
// every paint is resampled once to that size and then only copied: the copy, with the
// square's device pixels. Null when the drawing needs no copy, the square is off the
// device grid or the copies' budget cannot hold it.
const juce::Image* TorvaneEditor::pageCopy (juce::Graphics& g, int pageNumber, float artScale,
                                            juce::Rectangle<int>& device)
{
    const auto* picture = pageOnGrid (g, pageNumber, artScale, device);
    if (picture == nullptr || ! picture->isValid() || device.isEmpty() || device.getWidth() == picture->getWidth())
        return nullptr;
    return pageCopies.copyOf (*picture, device.getWidth(), device.getHeight());
}

// The page drawing exactly as it lands on the face square's device pixels (its copy or,
// at a matching size, the drawing itself), or null when the square is off the device grid.
const juce::Image* TorvaneEditor::pageOnDevice (juce::Graphics& g, int pageNumber, float artScale,
                                                juce::Rectangle<int>& device)
{
    if (const auto* copy = pageCopy (g, pageNumber, artScale, device))
        return copy;
    const auto* picture = pageOnGrid (g, pageNumber, artScale, device);
    return picture != nullptr && picture->getBounds() == juce::Rectangle<int> (device.getWidth(), device.getHeight())
               ? picture
               : nullptr;
}

// The new drawing shows where the dissolve's progress has passed the noise value, with
// a soft edge 25.5 noise steps wide; the mask is stretched over the face square.
void TorvaneEditor::drawDissolve (juce::Graphics& g, float artScale)
{
    rewriteMask();
    if (mixOnDevice (g, artScale))
        return;
    drawPageBackground (g, leavingPage, artScale);
    juce::Graphics::ScopedSaveState state (g);
    const auto origin = fittedArea().getPosition().toFloat();
    const float k = (designSize * contentScale()) / (float) maskImage.getWidth();
    g.reduceClipRegion (maskImage, juce::AffineTransform::scale (k, k).translated (origin.x, origin.y));
    drawPageBackground (g, shownPage, artScale);
}

// Both drawings on the device pixels: mixed in the scene's own loop.
bool TorvaneEditor::mixOnDevice (juce::Graphics& g, float artScale)
{
    juce::Rectangle<int> device;
    const auto* leaving = pageOnDevice (g, leavingPage, artScale, device);
    const auto* shown = leaving != nullptr ? pageOnDevice (g, shownPage, artScale, device) : nullptr;
    return shown != nullptr
           && pageDissolve.draw (g, *leaving, *shown, maskImage, device.getPosition(),
                                 g.getInternalContext().getPhysicalPixelScaleFactor());
}

void TorvaneEditor::rewriteMask()
{
    const int n = maskImage.getWidth();
    const juce::Image::BitmapData noise (noiseImage, juce::Image::BitmapData::readOnly);
    juce::Image::BitmapData mask (maskImage, juce::Image::BitmapData::writeOnly);
    const float threshold = (dissolve * 1.1f) * 255.0f;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
        {
            const float value = (float) noise.data[(size_t) (noise.lineStride * y + noise.pixelStride * x)];
            const int m = juce::jlimit (0, 255, juce::roundToInt ((threshold - value) * 10.0f));
            mask.data[(size_t) (mask.lineStride * y + mask.pixelStride * x)] = (juce::uint8) m;
        }
}

void TorvaneEditor::paintWarmth (juce::Graphics& g, float artScale)
{
    if (warmth > 0.0f)
        drawFixedArt (g, art ("warmRare"), rect ("warmRare"), 0.85f * warmth, artScale);
}

// Each coal group breathes slowly and flickers on its own, brighter with Drive; the
// thermal warmth on Rare lights them too.
void TorvaneEditor::paintCoals (juce::Graphics& g, float artScale, float d)
{
    const auto& word = pageWord (shownPage);
    const float r = (0.55f * d + 0.45f) * (0.85f * envSlow);
    static const char* const bases[3] = { "coalsA", "coalsB", "coalsC" };
    for (int j = 0; j < 3; ++j)
    {
        const float x = faceNoise (faceClock, 3.7f * (float) j, 1.6f);
        const float u = faceNoise (faceClock, 2.3f * (float) j + 1.0f, 9.0f);
        const float opacity = (0.5f * x + 0.5f) * r * (0.3f * u + 0.7f) + 0.6f * warmth;
        if (opacity > 0.0f)
        {
            const auto name = bases[j] + word;
            drawFixedArt (g, art (name), rect (name), opacity, artScale);
        }
    }
}

// Drawn discs in a soft halo, flickering and swaying as they rise, yellow-orange
// turning deep red over their life.
void TorvaneEditor::paintEmbers (juce::Graphics& g)
{
    const float s = contentScale();
    const auto young = juce::Colour::fromRGB (255, 200, 90);
    const auto old = juce::Colour::fromRGB (220, 60, 20);
    for (const auto& p : embers)
    {
        if (! p.active || ! (p.age > 0.0f))
            continue;
        juce::Graphics::ScopedSaveState state (g);
        const float t = p.age / p.life;
        const float a = (0.4f * std::sin (23.0f * p.age + p.angle) + 0.6f) * std::sin (pi * t);
        const auto colour = young.interpolatedWith (old, t);
        const auto centre = designPoint ({ p.x + 2.0f * std::sin (4.0f * p.age + p.angle), p.y });
        const float size = 1.1f * p.size * s;
        g.setColour (colour.withAlpha (0.25f * a));
        g.fillEllipse (juce::Rectangle<float> (5.0f * size, 5.0f * size).withCentre (centre));
        g.setColour (colour.withAlpha (a));
        g.fillEllipse (juce::Rectangle<float> (2.0f * size, 2.0f * size).withCentre (centre));
    }
}

void TorvaneEditor::paintGlisten (juce::Graphics& g, float artScale, float d)
{
    if (! (envSlow > 0.0f))
        return;
    const auto& word = pageWord (shownPage);
    const float q = (0.5f * d + 0.3f) * envSlow;
    static const char* const bases[3] = { "glistenA", "glistenB", "glistenC" };
    for (int j = 0; j < 3; ++j)
    {
        const float glint = std::max (faceNoise (11.0 * faceClock, 5.1f * (float) j + 1.0f, 1.0f), 0.0f);
        const auto name = bases[j] + word;
        drawFixedArt (g, art (name), rect (name), (0.7f * glint + 0.3f) * q, artScale);
    }
}

// The indicator throbs faster as the glow rises and grows by up to 7 % about its centre.
void TorvaneEditor::paintIndicator (juce::Graphics& g, float artScale)
{
    if (! (glow > 0.0f))
        return;
    const auto name = "indicator" + pageWord (shownPage);
    const float throb = 0.5f * std::sin ((float) throbPhase * twoPiF) + 0.5f;
    const auto r = rect (name);
    const float k = 0.07f * glow * throb + 1.0f;
    const juce::Rectangle<float> grown (r.getX() + (r.getWidth() - k * r.getWidth()) / 2.0f,
                                        r.getY() + (r.getHeight() - k * r.getHeight()) / 2.0f,
                                        k * r.getWidth(), k * r.getHeight());
    drawArt (g, art (name), grown, (0.3f * throb + 0.7f) * glow, artScale);
}

// The transformer trembles with Drive and level; the patch behind it shows through the
// gaps, the cable turns and stretches about its far end, and the valve shakes along.
void TorvaneEditor::paintTransformer (juce::Graphics& g, float artScale, float d)
{
    const auto& word = pageWord (shownPage);
    const float s = contentScale();
    const float a2 = std::sqrt (d) * (2.5f * d) * envSlow;
    const float jx = a2 * faceNoise (41.0 * faceClock, 11.3f, 1.0f);
    const float jy = (0.5f * a2) * faceNoise (37.0 * faceClock, 5.9f, 1.0f);
    const bool shaking = a2 > 0.05f;
    // The shake, in pixels, on whole device pixels: the transformer and valve pictures
    // keep their own pixel grid as they tremble.
    const auto shake = onDevicePixels ({ jx * s, jy * s }, g.getInternalContext().getPhysicalPixelScaleFactor());

    if (shaking)
    {
        drawFixedArt (g, art ("behind" + word), rect ("behind" + word), 1.0f, artScale);
        const auto root = designPoint (rect ("cableRoot" + word).getPosition());
        const auto far = designPoint (rect ("cableFar" + word).getPosition());
        const auto v = root - far;
        const auto moved = v + shake;
        const float length = v.getDistanceFromOrigin();
        const auto* cable = art ("cable" + word);
        if (cable != nullptr && length > 1.0f)
        {
            drawTransformed (g, cable, designToPixels (rect ("cable" + word)),
                             juce::AffineTransform::translation (-far.x, -far.y)
                                 .rotated (std::atan2 (moved.y, moved.x) - std::atan2 (v.y, v.x))
                                 .scaled (moved.getDistanceFromOrigin() / length)
                                 .translated (far.x, far.y),
                             artScale);
        }
    }

    juce::Graphics::ScopedSaveState state (g);
    if (shaking)
    {
        g.addTransform (juce::AffineTransform::translation (shake.x, shake.y));
        drawFixedArt (g, art ("transformer" + word), rect ("transformer" + word), 1.0f, artScale);
    }
    drawFixedArt (g, art ("valveDim" + word), rect ("valveDim" + word), std::max (0.85f * gridDim, 0.55f * hitPulse * envSlow),
             artScale);
    drawFixedArt (g, art ("valveHot" + word), rect ("valveHot" + word),
             (1.0f - 0.8f * hitPulse) * envSlow * (1.0f - 0.7f * gridDim) * 0.9f, artScale);
}
