#include "ArtPrefetch.h"

#include "ScaledCopies.h"

ArtPrefetch::ArtPrefetch() : juce::Thread ("Torvane art prefetch")
{
}

ArtPrefetch::~ArtPrefetch()
{
    {
        const juce::ScopedLock scoped (lock);
        queue.clear();
    }
    // The thread stops at the end of the step it is in.
    stopThread (-1);
}

void ArtPrefetch::start (std::vector<Job> jobs)
{
    {
        const juce::ScopedLock scoped (lock);
        queue.assign (jobs.begin(), jobs.end());
    }
    if (! isThreadRunning())
        startThread (juce::Thread::Priority::normal);
    notify();
}

std::vector<ArtPrefetch::Done> ArtPrefetch::take()
{
    const juce::ScopedLock scoped (lock);
    return std::exchange (finished, {});
}

bool ArtPrefetch::busy() const
{
    const juce::ScopedLock scoped (lock);
    return working || ! queue.empty();
}

void ArtPrefetch::waitWhileBusy (double milliseconds) const
{
    const auto end = juce::Time::getMillisecondCounterHiRes() + milliseconds;
    while (busy() && juce::Time::getMillisecondCounterHiRes() < end)
        juce::Thread::sleep (1);
}

void ArtPrefetch::run()
{
    while (! threadShouldExit())
    {
        const auto job = nextJob();
        if (! job.has_value())
        {
            wait (-1);
            continue;
        }
        auto done = perform (*job);
        const juce::ScopedLock scoped (lock);
        if (done.has_value())
            finished.push_back (std::move (*done));
        working = false;
    }
}

std::optional<ArtPrefetch::Job> ArtPrefetch::nextJob()
{
    const juce::ScopedLock scoped (lock);
    working = ! queue.empty();
    if (! working)
        return std::nullopt;
    auto job = std::move (queue.front());
    queue.pop_front();
    return job;
}

// The job's steps, with a look at the stop request before each; a job cut short gives
// nothing.
std::optional<ArtPrefetch::Done> ArtPrefetch::perform (const Job& job)
{
    Done done { job, job.decoded, {}, {}, {} };
    if (! done.picture.isValid())
    {
        ++tried;
        done.picture = zem::ArtEntry::decode (job.entry->slots[(size_t) job.slot]);
    }
    if (! done.picture.isValid())
        return done;   // refused: the editor does not ask for it again
    if (threadShouldExit())
        return std::nullopt;
    if (job.copyWidth > 0 && job.copyHeight > 0)
    {
        if (done.picture.getWidth() != job.copyWidth || done.picture.getHeight() != job.copyHeight)
            done.copy = ScaledCopies::stretched (done.picture, job.copyWidth, job.copyHeight,
                                                 [this] { return threadShouldExit(); });
        return threadShouldExit() ? std::nullopt : std::optional<Done> (std::move (done));
    }
    if (done.picture.hasAlphaChannel() && ! layOn (done))
        return std::nullopt;
    return done;
}

// The overlay's tiles and its pieces in each area; false when stopped on the way.
bool ArtPrefetch::layOn (Done& done)
{
    done.grid = OpaqueTiles::findGrid (done.picture);
    for (const auto& area : done.job.areas)
    {
        if (threadShouldExit())
            return false;
        done.pieces.push_back (stretcher.piecesFor (done.picture, area, done.job.physical, done.grid));
    }
    return ! threadShouldExit();
}
