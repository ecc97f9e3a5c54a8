// After prepareToPlay, neither block path allocates or takes a lock, whatever the
// block size up to the scratch length and whatever is going on: a steady drive, a
// ramping drive or blend, a page crossfade, bypass and the fade back, a transport jump.
#include "ProcessorHarness.h"
#include "RealtimeGuard.h"

#include <gtest/gtest.h>

namespace
{
constexpr int maxBlock = 512;
constexpr int scratch = 4096;
const int blockSizes[] = { 1, 2, 3, 16, 31, 32, 33, 64, 100, 255, 256, 511, 512, 513, 1000, 2048, 4095, scratch };

enum class Situation
{
    steadyDrive,
    rampingDrive,
    rampingBlend,
    pageCrossfade,
    bypassThenProcess,
    transportJump,
};

struct Case
{
    const char* name;
    Situation situation;
};

class RealtimeSafety : public testing::TestWithParam<std::tuple<Case, int>>
{
protected:
    // Makes the situation happen for the next block; runs outside the guard.
    void arrange (Situation situation, int step)
    {
        switch (situation)
        {
            case Situation::steadyDrive:
                break;
            case Situation::rampingDrive:
                harness.set ("drive", step % 2 == 0 ? 90.0f : 10.0f);
                break;
            case Situation::rampingBlend:
                harness.set ("blend", step % 2 == 0 ? 20.0f : 100.0f);
                break;
            case Situation::pageCrossfade:
                harness.set ("page", (float) (step % 3));
                break;
            case Situation::bypassThenProcess:
            case Situation::transportJump:
                break;
        }
        playHead.time = (step % 2 == 0) ? 0 : 1000000 + step;
    }

    RealtimeGuard::Counts processGuarded (juce::AudioBuffer<float>& block, bool bypassed)
    {
        RealtimeGuard::Scope guard;
        harness.processInPlace (block, bypassed);
        return guard.counts();
    }

    ProcessorHarness harness { std::get<1> (GetParam()) };
    FakePlayHead playHead;
};

TEST_P (RealtimeSafety, NoAllocationAndNoLockInEitherBlockPath)
{
    const auto [c, channels] = GetParam();
    if (c.situation == Situation::transportJump)
        harness.processor.setPlayHead (&playHead);
    harness.set ("drive", 50.0f);
    harness.prepare (48000.0, maxBlock);

    const auto signal = makeNoise (channels, scratch, 1, 0.8f);
    juce::AudioBuffer<float> blocks[std::size (blockSizes)];
    for (size_t b = 0; b < std::size (blockSizes); ++b)
        blocks[b] = slice (signal, 0, blockSizes[b]);

    int step = 0;
    for (auto& block : blocks)
    {
        for (int repeat = 0; repeat < 2; ++repeat, ++step)
        {
            arrange (c.situation, step);
            const bool bypassed = c.situation == Situation::bypassThenProcess && repeat == 0;
            const auto counts = processGuarded (block, bypassed);
            EXPECT_EQ (counts.allocations, 0) << block.getNumSamples() << " samples, step " << step;
            EXPECT_EQ (counts.frees, 0) << block.getNumSamples() << " samples, step " << step;
            EXPECT_EQ (counts.locks, 0) << block.getNumSamples() << " samples, step " << step;
        }
    }
    EXPECT_EQ (harness.processor.blockCounter.load(), step);
}

INSTANTIATE_TEST_SUITE_P (
    Situations, RealtimeSafety,
    testing::Combine (testing::Values (Case { "SteadyDrive", Situation::steadyDrive },
                                       Case { "RampingDrive", Situation::rampingDrive },
                                       Case { "RampingBlend", Situation::rampingBlend },
                                       Case { "PageCrossfade", Situation::pageCrossfade },
                                       Case { "BypassThenProcess", Situation::bypassThenProcess },
                                       Case { "TransportJump", Situation::transportJump }),
                      testing::Values (1, 2)),
    [] (const auto& info)
    { return std::string (std::get<0> (info.param).name) + (std::get<1> (info.param) == 1 ? "Mono" : "Stereo"); });

// The guard itself must see what it is meant to catch.
TEST (RealtimeGuardSelfCheck, CountsAllocationsAndLocks)
{
    std::mutex mutex;
    RealtimeGuard::Counts counts;
    {
        RealtimeGuard::Scope guard;
        // Through a volatile pointer, so the compiler cannot pair them away.
        static int* volatile object = nullptr;
        static void* volatile memory = nullptr;
        object = new int (3);
        delete object;
        memory = std::malloc (16);
        std::free (memory);
        std::lock_guard<std::mutex> lock (mutex);
        juce::CriticalSection section;
        const juce::ScopedLock scoped (section);
        counts = guard.counts();
    }
    EXPECT_EQ (counts.allocations, 2);
    EXPECT_EQ (counts.frees, 2);
    EXPECT_EQ (counts.locks, 2);
}
} // namespace
