// The stage on the audio thread: no heap allocation and no mutex, for any
// block length, mono and stereo, steady or ramping drive, idle analysis and
// reset. malloc, calloc, realloc and pthread_mutex_lock of this test binary
// are counted while a block is processed (operator new ends in malloc).

#include "DriveStage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <pthread.h>

extern "C" void* __libc_malloc (size_t);
extern "C" void* __libc_calloc (size_t, size_t);
extern "C" void* __libc_realloc (void*, size_t);

namespace
{
std::atomic<bool> watching { false };
std::atomic<int> allocations { 0 };
std::atomic<int> locks { 0 };

using LockFunction = int (*) (pthread_mutex_t*);
LockFunction realLock = nullptr;

void count (std::atomic<int>& counter)
{
    if (watching.load (std::memory_order_relaxed))
        counter.fetch_add (1, std::memory_order_relaxed);
}
} // namespace

extern "C" void* malloc (size_t size)
{
    count (allocations);
    return __libc_malloc (size);
}

extern "C" void* calloc (size_t n, size_t size)
{
    count (allocations);
    return __libc_calloc (n, size);
}

extern "C" void* realloc (void* p, size_t size)
{
    count (allocations);
    return __libc_realloc (p, size);
}

extern "C" int pthread_mutex_lock (pthread_mutex_t* m)
{
    count (locks);
    if (realLock == nullptr)
        realLock = reinterpret_cast<LockFunction> (dlsym (RTLD_NEXT, "pthread_mutex_lock"));
    return realLock (m);
}

namespace
{
struct Watch
{
    Watch()
    {
        allocations = 0;
        locks = 0;
        watching = true;
    }
    ~Watch() { watching = false; }
};

class StageRealtime : public ::testing::TestWithParam<int>
{
};

TEST_P (StageRealtime, ProcessingNeverAllocatesOrLocks)
{
    const int mode = GetParam();
    const juce::ScopedNoDenormals noDenormals;
    // Resolve the real lock before watching (dlsym may allocate).
    pthread_mutex_t m = PTHREAD_MUTEX_INITIALIZER;
    pthread_mutex_lock (&m);
    pthread_mutex_unlock (&m);

    for (int channels : { 1, 2 })
    {
        DriveStage stage;
        stage.prepare (mode, 44100.0, 512, channels);
        juce::AudioBuffer<float> buffer (channels, 4096);
        juce::Random random (3);
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < 4096; ++i)
                buffer.setSample (c, i, random.nextFloat() - 0.5f);

        int totalAllocations = 0, totalLocks = 0;
        for (int length : { 1, 2, 3, 31, 32, 33, 511, 512, 513, 1024, 4096 })
        {
            float* data[2] { buffer.getWritePointer (0), buffer.getWritePointer (channels - 1) };
            {
                const Watch watch;
                juce::AudioBuffer<float> view (data, channels, 0, length);
                stage.process (view, 0.7f, true);
                for (int start = 0; start < length; start += 32) // a ramping drive
                {
                    juce::AudioBuffer<float> sub (data, channels, start, std::min (32, length - start));
                    stage.process (sub, (float) start / (float) length, true);
                }
                stage.analyseIdle (view, channels, length);
                stage.reset();
                totalAllocations += allocations.load();
                totalLocks += locks.load();
            }
        }
        EXPECT_EQ (totalAllocations, 0) << "channels " << channels;
        EXPECT_EQ (totalLocks, 0) << "channels " << channels;
    }
}

INSTANTIATE_TEST_SUITE_P (Modes, StageRealtime, ::testing::Values (0, 1, 2));

// The counters themselves work: prepare allocates and takes the cache's lock.
TEST (StageRealtimeHooks, PrepareIsSeen)
{
    DriveStage stage;
    int seenAllocations = 0, seenLocks = 0;
    {
        const Watch watch;
        stage.prepare (1, 48000.0, 256, 2);
        seenAllocations = allocations.load();
        seenLocks = locks.load();
    }
    EXPECT_GT (seenAllocations, 0);
    EXPECT_GT (seenLocks, 0);
}
} // namespace
