#pragma once

#include "OpaqueTiles.h"
#include "PictureStretcher.h"

#include <zem/zem.h>

#include <deque>
#include <vector>

// Decodes the scene's pictures ahead of their first use on a background thread of the
// lowest priority, and makes the page drawings' copies at the face square's size, so
// that a character shown for the first time does not stop a frame to decode its art.
// The thread only reads the entries' embedded bytes and its own images; what it has
// finished is taken on the message thread, which puts each decoded picture into its
// entry's slot as the entry's own first use would.
class ArtPrefetch : private juce::Thread
{
public:
    struct Job
    {
        const zem::ArtEntry* entry = nullptr;
        int slot = 0;
        juce::Image decoded;     // the slot's picture when already decoded
        int copyWidth = 0;       // for a page drawing: the size of its copy, when it needs one
        int copyHeight = 0;
        // For an overlay that stays put: the areas it is drawn into, in units of a context
        // of "physical" device pixels per unit, to be laid onto the device pixels.
        std::vector<juce::Rectangle<float>> areas;
        float physical = 1.0f;
    };

    struct Done
    {
        Job job;
        juce::Image picture;
        OpaqueTiles::Grid grid;   // where the picture has pixels, for an overlay
        juce::Image copy;         // the page drawing at the copy's size
        std::vector<std::vector<PictureStretcher::Piece>> pieces;   // one list per area
    };

    ArtPrefetch();
    ~ArtPrefetch() override;

    // Drops whatever is still queued and queues these jobs, done in order.
    void start (std::vector<Job> jobs);

    // What the thread has finished since the last call.
    std::vector<Done> take();

    // True while a job is queued or being done.
    bool busy() const;

    // Waits, at most this long, for the queue to run dry.
    void waitWhileBusy (double milliseconds) const;

private:
    void run() override;
    Done perform (const Job&);

    juce::CriticalSection lock;
    std::deque<Job> queue;
    std::vector<Done> finished;
    bool working = false;
    PictureStretcher stretcher;   // the thread's own
};
