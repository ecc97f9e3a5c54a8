#pragma once

#include <juce_core/juce_core.h>

#include <vector>

// One byte budget for the scene's copies of its pictures (the page drawings resampled to
// the face square, the overlays laid onto the device pixels), shared by the caches that
// hold them, whatever the size of the window.
//
// A cache asks for room before it keeps a copy. A copy drawn in the current frame may
// take the room of copies drawn in neither this frame nor the one before, least recently
// used first, the holders giving up room in the order they were added; a copy made ahead
// of its use only takes room that is free. What the last two frames drew is never let
// go, so a frame does not remake what the next one draws; a copy that gets no room is
// not kept, and its picture is drawn without it.
class CopyBudget
{
public:
    // A cache whose copies count against the budget.
    class Holder
    {
    public:
        virtual ~Holder() = default;
        // The bytes of its copies last drawn before frame "keepFrom".
        virtual size_t bytesBefore (juce::uint32 keepFrom) const = 0;
        // Lets go of its least recently used copy last drawn before frame "keepFrom", and
        // gives its bytes back; false when it holds none.
        virtual bool dropOldest (juce::uint32 keepFrom) = 0;
    };

    explicit CopyBudget (size_t bytes) : budget (bytes) {}

    // Holders give up room in the order they were added.
    void add (Holder&);
    void remove (Holder&);

    // A new frame of the scene: what was drawn two frames ago may now give up its room.
    void beginFrame() { ++frame; }
    juce::uint32 currentFrame() const { return frame; }

    // Takes room for a copy of this many bytes to be drawn now, freeing it where needed;
    // when even that cannot make the room, nothing is let go.
    bool takeForNow (size_t bytes);
    // Takes room for a copy made ahead of its use, if that much is free.
    bool takeAhead (size_t bytes);
    // Gives back the room of a copy let go.
    void giveBack (size_t bytes);

    size_t held() const { return taken; }
    size_t limit() const { return budget; }

private:
    bool fits (size_t bytes) const { return bytes <= budget && taken <= budget - bytes; }

    std::vector<Holder*> holders;
    size_t budget;
    size_t taken = 0;
    juce::uint32 frame = 2;   // so that "the frame before" of the first frame is a real number
};
