#pragma once

#include "CopyBudget.h"
#include "OpaqueTiles.h"
#include "PictureStretcher.h"

#include <juce_graphics/juce_graphics.h>

#include <map>
#include <tuple>
#include <vector>

// Overlay pictures that the scene draws into rectangles that stay put from frame to
// frame, kept as they land on the device pixels (PictureStretcher::piecesFor), so that a
// frame only copies their pixels instead of resampling them. A copy belongs to one
// picture and one device rectangle, and counts against a byte budget shared with the
// scene's other copies. A copy the budget had no room for is not tried again for half a
// second of frames: meanwhile its picture is drawn without one.
class OverlayCopies : private CopyBudget::Holder
{
public:
    explicit OverlayCopies (CopyBudget&);
    ~OverlayCopies() override;

    using Pieces = std::vector<PictureStretcher::Piece>;

    // The pieces of the picture drawn into the area of a context with "physical" device
    // pixels per unit, to be drawn in the current frame; null when the picture is not one
    // the stretcher handles or the budget has no room for it. A grid given here replaces
    // the picture's own for a copy made now.
    const Pieces* piecesFor (const juce::Image& picture, juce::Rectangle<float> area, float physical,
                             OpaqueTiles& tiles, PictureStretcher& stretcher, const OpaqueTiles::Grid* grid = nullptr);

    // Keeps the pieces of the picture in the area made ahead elsewhere (off the message
    // thread), if the budget has the room free.
    void adopt (const juce::Image& picture, juce::Rectangle<float> area, float physical, Pieces pieces);

    // True when the picture in the area has its copy, or was lately declined one.
    bool has (const juce::Image& picture, juce::Rectangle<float> area, float physical) const;

    void clear();

    // The bytes of pixels the copies hold of their own (views of a picture hold none).
    size_t bytesHeld() const { return held; }
    int copiesMade() const { return made; }

private:
    using Key = std::tuple<const juce::ImagePixelData*, float, float, float, float>;
    struct Copy
    {
        juce::Image source;   // keeps the source's pixels, and so the key, alive
        Pieces pieces;
        size_t bytes = 0;
        juce::uint32 lastUse = 0;
    };
    struct Declined
    {
        juce::Image source;   // keeps the key alive
        juce::uint32 retryFrame = 0;
    };
    bool keep (const Key& key, const juce::Image& picture, Pieces pieces, bool forNow);
    bool isDeclined (const Key& key) const;
    size_t bytesBefore (juce::uint32 keepFrom) const override;
    bool dropOldest (juce::uint32 keepFrom) override;
    static Key keyFor (const juce::Image& picture, juce::Rectangle<float> area, float physical);

    CopyBudget& budget;
    std::map<Key, Copy> copies;
    std::map<Key, Declined> declined;
    size_t held = 0;
    int made = 0;

    static constexpr juce::uint32 declinedFrames = 30;
};
