#pragma once

#include "ArtPrefetch.h"
#include "CopyBudget.h"
#include "FaceParticle.h"
#include "OpaqueTiles.h"
#include "OverlayCopies.h"
#include "PageDissolve.h"
#include "PictureStretcher.h"
#include "ScaledCopies.h"
#include "HeatLight.h"

#include <zem/zem.h>

#include <array>
#include <functional>
#include <set>
#include <utility>

class TorvaneProcessor;

// The plug-in's editor. With the scene's page art it shows the animated face: one
// drawing per character, the Drive and Blend knobs on the drawing and three invisible
// buttons over the painted words Rare, Medium and Well. Without that art it falls back
// to the toolkit's base view with two knobs, the character selector and the heat lamp.
class TorvaneEditor : public zem::EditorBase
{
public:
    explicit TorvaneEditor (TorvaneProcessor&);
    // The same editor over another art set (the product's editor uses its own bundle);
    // a set without the scene's page art gives the fallback view.
    TorvaneEditor (TorvaneProcessor&, const zem::ArtSource& artSource);
    ~TorvaneEditor() override;

    void paint (juce::Graphics&) override;
    void layoutContent (juce::Rectangle<int> contentArea) override;

    bool hasPageArt() const;
    int pageIndex() const;
    float driveAmount() const;
    juce::Rectangle<float> designToPixels (juce::Rectangle<float> designRect) const;

    // One animation step at the current time; tickAt takes the time in milliseconds of
    // the high-resolution counter, so that the step can be driven by a given clock.
    void tick();
    void tickAt (double nowMs);

    void paintFace (juce::Graphics&);

    // Puts one piece of the prefetch thread's work in place, when it belongs to the
    // current size (see ScenePrefetch.cpp).
    void adoptPrefetched (ArtPrefetch::Done&);

    static float faceNoise (double t, float b, float c);

    // An invisible hit area over a word that the scene paints itself.
    class WordButton : public juce::Button
    {
    public:
        WordButton() : juce::Button ({}) {}
        void paintButton (juce::Graphics&, bool, bool) override {}
    };

    // The 60 Hz timer that drives the tick.
    class Animator : public juce::Timer
    {
    public:
        ~Animator() override;
        void timerCallback() override;
        std::function<void()> callback;
    };

    enum class Repaint { none, face, eyes };

    TorvaneProcessor& processor;
    zem::Knob driveKnob;
    zem::Knob blendKnob;
    zem::Selector pageSelector;
    std::array<WordButton, 3> wordButtons;
    juce::ParameterAttachment pageAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment> pageSelectorAttachment;
    HeatLight heatLight;

    // Animation state: written by the tick, read by the face paint.
    int lastCounter = 0;
    int idleTicks = 0;
    double lastTickMs = 0.0;
    double faceClock = 0.0;      // seconds of scene time; double so that it stays smooth for days
    float envSlow = 0.0f;
    float envFast = 0.0f;
    float trackerDb = -100.0f;
    float glow = 0.0f;
    float warmth = 0.0f;
    float gridDim = 0.0f;
    float hitPulse = 0.0f;
    float eyesActive = 0.0f;
    float lookX = 0.0f, lookY = 0.0f;
    float lastLookX = 0.0f, lastLookY = 0.0f;
    float lastEyesActive = 0.0f;
    float mouthHit = 0.0f;
    float mouthPos = 0.0f;
    float mouthVel = 0.0f;
    float lastMouth = 0.0f;
    int mouthFrameCount = 0;
    float smokeAmount = 0.0f;
    float smokePhase = 0.0f;
    float sparkCarry = 0.0f;
    float dripCarry = 0.0f;
    float sizzleCarry = 0.0f;
    float emberCarry = 0.0f;
    std::array<int, 3> sizzleSpotCount {};
    std::array<int, 3> emberSpotCount {};
    std::array<int, 3> dripCount {};
    float lastDrive = -1.0f;
    float lastWarmth = 0.0f;
    bool wasAnimating = false;
    int shownPage = 0;
    int leavingPage = 0;
    float dissolve = 1.0f;
    // Phases of the indicator's throb (in turns, wrapped at 1) and of the grille flaps'
    // swing. Each advances by its rate times the time step, so a change of rate changes
    // the speed without a jump in phase.
    double throbPhase = 0.0;
    double flapPhase = 0.0;

    // What the last tick asked to repaint, and how many repaints the ticks asked for.
    Repaint lastRepaint = Repaint::none;
    juce::Rectangle<int> lastRepaintArea;
    int repaintRequests = 0;

    juce::Image noiseImage;
    juce::Image maskImage;

    std::array<FaceParticle, 24> sparks {};
    std::array<FaceParticle, 6> drips {};
    std::array<FaceParticle, 24> sizzles {};
    std::array<FaceParticle, 48> spatters {};
    std::array<FaceParticle, 40> embers {};

    juce::Random random { 3342 };
    OpaqueTiles opaqueTiles;   // where each overlay picture has pixels, found on first draw
    PictureStretcher stretcher;
    // All the copies below together hold at most this many bytes, at every window size.
    static constexpr size_t copyBudgetBytes = (size_t) 96 << 20;
    CopyBudget copyBudget { copyBudgetBytes };
    // The page drawings at a size no embedded scale matches, all three where the budget
    // holds them, so that a change of character does not make one inside a frame (a
    // 2240-pixel square holds 15 MB each). They give up their room first, the page on
    // screen never.
    ScaledCopies pageCopies { copyBudget };
    // The overlays that stay put, laid onto the device pixels of the current size.
    OverlayCopies overlayCopies { copyBudget };
    PageDissolve pageDissolve;
    // The face square in device pixels and the art scale the copies belong to.
    juce::Rectangle<float> copiedSquare;
    float copiedArtScale = 0.0f;
    // Slots whose bytes the prefetch thread found not to be a sound picture: not asked for again.
    std::set<std::pair<const zem::ArtEntry*, int>> refusedSlots;
    // Decodes the scene's art ahead; stopped before any member it fills goes.
    ArtPrefetch prefetch;
    // The face square, art scale and display scale the prefetch was last started for
    // (an art scale of 0: not yet, so the next paint is the editor's first frame).
    juce::Rectangle<float> prefetchedSquare;
    float prefetchedArtScale = 0.0f, prefetchedPhysical = 0.0f;
    // How long the editor's first frame may take while the prefetch thread works.
    static constexpr double firstFrameMs = 150.0;
    Animator animator;

    static constexpr int noiseSize = 140;
    static constexpr float designSize = 560.0f;

    static const juce::String& pageWord (int page);

protected:
    // How the paint lays pictures onto the device pixels, each with a way round it that
    // draws the same picture through the framework: where the picture has pixels (null:
    // everywhere), its pieces kept on the device pixels for an area that stays put (null:
    // resampled on each paint), and the dissolve mixed in the scene's own loop (false:
    // through an image clip).
    virtual const OpaqueTiles::Grid* tilesOf (const juce::Image& picture);
    virtual const OverlayCopies::Pieces* laidOnDevice (const juce::Image& picture, juce::Rectangle<float> area,
                                                       float physical, const OpaqueTiles::Grid* grid);
    virtual bool mixOnDevice (juce::Graphics&, float artScale);

private:
    struct StepContext
    {
        float dt;
        bool dissolving;
    };

    const zem::ArtEntry* art (const juce::String& name) const;
    const zem::ArtEntry* pageArt (int page) const;
    bool pageCoversFace (juce::Graphics&) const;
    juce::Rectangle<float> rect (const juce::String& name) const;
    void countArtAndLayout();
    void buildNoiseField();
    void layoutFace();
    void layoutFallback();

    // The tick's steps.
    float timeStep (double nowMs);
    bool advanceDissolve (float dt);
    float readLevelDb (bool& idle);
    void updateEnvelopes (float dt, float level);
    bool detectHit (float dt, float dB);
    void updateGlowWarmthGrid (float dt, bool idle, bool hit, int page);
    void updateLook (float dt, int page);
    void updateMouth (float dt, bool hit, int page, float drive01);
    void spawnParticles (float dt, bool idle, bool running, int page, float drive01);
    void updateSmoke (float dt, bool running, int page, float drive01);
    void landDrops (float dt, bool dissolving, int page);
    bool updateAllPools (StepContext);
    void decideRepaint (bool animating, float drive01);
    void requestRepaint (Repaint kind, juce::Rectangle<int> area);

    bool updateParticles (StepContext, FaceParticle* first, int count, float gravity, float drag);
    template <size_t N>
    bool updatePool (StepContext c, std::array<FaceParticle, N>& pool, float gravity, float drag)
    {
        return updateParticles (c, pool.data(), (int) N, gravity, drag);
    }

    template <size_t N>
    static void place (std::array<FaceParticle, N>& pool, const FaceParticle& p)
    {
        for (auto& slot : pool)
            if (! slot.active)
            {
                slot = p;
                slot.active = true;
                return;
            }
    }

    void spawnSpark (juce::Rectangle<float> source);
    void spawnDrip (int page);
    void spawnSizzle (int page, float drive01);
    void spawnEmber (int page);
    void spawnLanding (const FaceParticle& drop, int page);
    void spawnSpatters (float x, float y, int count, float sizzleLife, bool fromLanding);

    // The face paint.
    void drawPageBackground (juce::Graphics&, int page, float artScale);
    void drawArt (juce::Graphics&, const zem::ArtEntry* entry, juce::Rectangle<float> designRect,
                  float opacity, float artScale);
    void drawFixedArt (juce::Graphics&, const zem::ArtEntry* entry, juce::Rectangle<float> designRect,
                       float opacity, float artScale);
    void keepCopiesFor (juce::Graphics&, float artScale);
    const PictureStretcher::Piece* wholeOnDevice (const juce::Image& picture, juce::Rectangle<float> area,
                                                  float physical);
    void prefetchFor (juce::Graphics&, float artScale, double paintStartMs);
    void takePrefetched();
    bool madeForThisSize (const ArtPrefetch::Job&) const;
    void queuePictures (std::vector<ArtPrefetch::Job>& jobs, int page, const ArtPrefetch::Job& size) const;
    void queuePageCopies (std::vector<ArtPrefetch::Job>& jobs, juce::Graphics&, const ArtPrefetch::Job& size) const;
    static int pageOfArt (const std::string& name);
    bool isPageArt (const zem::ArtEntry*) const;
    std::vector<std::pair<juce::String, juce::Rectangle<float>>> fixedOverlays (int page) const;
    const juce::Image* pageOnGrid (juce::Graphics&, int page, float artScale, juce::Rectangle<int>& device);
    const juce::Image* pageCopy (juce::Graphics&, int page, float artScale, juce::Rectangle<int>& device);
    const juce::Image* pageOnDevice (juce::Graphics&, int page, float artScale, juce::Rectangle<int>& device);
    void drawDirect (juce::Graphics&, const zem::ArtEntry* entry, juce::Rectangle<float> pixelRect, float artScale);
    void drawTransformed (juce::Graphics&, const zem::ArtEntry* entry, juce::Rectangle<float> pixelRect,
                          const juce::AffineTransform& transform, float artScale);
    void drawStretched (juce::Graphics&, const zem::ArtEntry* entry, juce::Rectangle<float> pixelRect, float artScale);
    juce::Point<float> designPoint (juce::Point<float> p) const;
    void drawDissolve (juce::Graphics&, float artScale);
    void rewriteMask();
    void paintWarmth (juce::Graphics&, float artScale);
    void paintCoals (juce::Graphics&, float artScale, float d);
    void paintEmbers (juce::Graphics&);
    void paintGlisten (juce::Graphics&, float artScale, float d);
    void paintIndicator (juce::Graphics&, float artScale);
    void paintTransformer (juce::Graphics&, float artScale, float d);
    void paintMouth (juce::Graphics&, float artScale);
    void drawMouthFrame (juce::Graphics&, int frame, float alpha, juce::Rectangle<float> mouthRect,
                         float wm, float artScale);
    void paintEyes (juce::Graphics&, float artScale);
    void paintSpeaker (juce::Graphics&, float artScale, float d);
    void paintHangingDrips (juce::Graphics&, float artScale, float d);
    void paintFallingDrips (juce::Graphics&, float artScale);
    void paintSmoke (juce::Graphics&, float artScale);
    void paintSizzles (juce::Graphics&);
    void paintSpatters (juce::Graphics&);
    void paintSparks (juce::Graphics&, float artScale);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (TorvaneEditor)
};
