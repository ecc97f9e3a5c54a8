#include "ArtPrefetch.h"

#include "ScaledCopies.h"

#if JUCE_LINUX
 #include <pthread.h>
 #include <sched.h>
#endif

ArtPrefetch::ArtPrefetch() : juce::Thread ("Torvane art prefetch")
{
}

ArtPrefetch::~ArtPrefetch()
{
    {
        const juce::ScopedLock scoped (lock);
        queue.clear();
    }
    signalThreadShouldExit();
    notify();
#if JUCE_LINUX
    // A picture being decoded is finished first; at idle priority that could wait for a
    // busy machine, so the thread is raised to the ordinary priority to finish it.
    if (isThreadRunning())
    {
        sched_param ordinary {};
        pthread_setschedparam ((pthread_t) getThreadId(), SCHED_OTHER, &ordinary);
    }
#endif
    stopThread (-1);
}

void ArtPrefetch::start (std::vector<Job> jobs)
{
    {
        const juce::ScopedLock scoped (lock);
        queue.assign (jobs.begin(), jobs.end());
    }
    if (! isThreadRunning())
        startThread (juce::Thread::Priority::background);
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
#if JUCE_LINUX
    // Only the time the message thread leaves idle: a frame is never held up.
    sched_param idle {};
    pthread_setschedparam (pthread_self(), SCHED_IDLE, &idle);
#endif
    while (! threadShouldExit())
    {
        Job job;
        {
            const juce::ScopedLock scoped (lock);
            working = ! queue.empty();
            if (working)
            {
                job = queue.front();
                queue.pop_front();
            }
        }
        if (job.entry == nullptr)
        {
            wait (-1);
            continue;
        }
        auto done = perform (job);
        const juce::ScopedLock scoped (lock);
        finished.push_back (std::move (done));
        working = false;
    }
}

ArtPrefetch::Done ArtPrefetch::perform (const Job& job)
{
    Done done { job, job.decoded, {}, {}, {} };
    if (! done.picture.isValid())
    {
        const auto& slot = job.entry->slots[(size_t) job.slot];
        done.picture = juce::ImageFileFormat::loadFrom (slot.data, (size_t) slot.size);
    }
    if (! done.picture.isValid())
        return done;
    if (job.copyWidth > 0 && job.copyHeight > 0)
    {
        if (done.picture.getWidth() != job.copyWidth || done.picture.getHeight() != job.copyHeight)
            done.copy = ScaledCopies::stretched (done.picture, job.copyWidth, job.copyHeight);
    }
    else if (done.picture.hasAlphaChannel())
    {
        done.grid = OpaqueTiles::findGrid (done.picture);
        for (const auto& area : job.areas)
            done.pieces.push_back (stretcher.piecesFor (done.picture, area, job.physical, done.grid));
    }
    return done;
}
