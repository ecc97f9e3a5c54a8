#pragma once

#include "OpaqueTiles.h"
#include "PictureStretcher.h"

#include <zem/zem.h>

#include <atomic>
#include <deque>
#include <optional>
#include <vector>

// Decodes the scene's pictures ahead of their first use on a background thread, and
// makes the page drawings' copies at the face square's size and the fixed overlays'
// pieces on the device pixels, so that a character shown for the first time does not
// stop a frame to decode or resample its art. The thread only reads the entries'
// embedded bytes and its own images; what it has finished is taken on the message
// thread, which puts each decoded picture into its entry's slot as the entry's own first
// use would.
//
// The thread runs at the ordinary priority: a lower one is one a process without
// privileges cannot leave again, and on a busy machine it would leave a closing editor
// waiting for a thread that gets no time. A stop request is answered between any two
// steps of a job (a decode, a band of a stretch, the tiles, one area's pieces), so
// closing the editor waits for one step at most.
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
        // The face square in device pixels and the art scale the job was made for: its
        // copy and pieces belong to that size alone.
        juce::Rectangle<float> deviceSquare;
        float artScale = 0.0f;
    };

    struct Done
    {
        Job job;
        juce::Image picture;      // null when the slot's bytes are not a sound picture
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

    // How many slots the thread has tried to decode (for tests).
    int decodesTried() const { return tried.load(); }

private:
    void run() override;
    std::optional<Job> nextJob();
    std::optional<Done> perform (const Job&);
    bool layOn (Done&);

    juce::CriticalSection lock;
    std::deque<Job> queue;
    std::vector<Done> finished;
    bool working = false;
    std::atomic<int> tried { 0 };
    PictureStretcher stretcher;   // the thread's own
};
