// The stage on the audio thread: no heap allocation and no lock, for any block
// length, mono and stereo, steady or ramping drive, idle analysis and reset.
// RealtimeGuard counts what the calling thread allocates and locks while a block
// is processed.

#include "DriveStage.h"
#include "RealtimeGuard.h"

#include <gtest/gtest.h>

namespace
{
class StageRealtime : public ::testing::TestWithParam<int>
{
};

TEST_P (StageRealtime, ProcessingNeverAllocatesOrLocks)
{
    const int mode = GetParam();
    const juce::ScopedNoDenormals noDenormals;
    for (int channels : { 1, 2 })
    {
        DriveStage stage;
        stage.prepare (mode, 44100.0, 512, channels);
        juce::AudioBuffer<float> buffer (channels, 4096);
        juce::Random random (3);
        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < 4096; ++i)
                buffer.setSample (c, i, random.nextFloat() - 0.5f);

        long totalAllocations = 0, totalLocks = 0;
        for (int length : { 1, 2, 3, 31, 32, 33, 511, 512, 513, 1024, 4096 })
        {
            float* data[2] { buffer.getWritePointer (0), buffer.getWritePointer (channels - 1) };
            {
                const RealtimeGuard::Scope guard;
                juce::AudioBuffer<float> view (data, channels, 0, length);
                stage.process (view, 0.7f, true);
                for (int start = 0; start < length; start += 32) // a ramping drive
                {
                    juce::AudioBuffer<float> sub (data, channels, start, std::min (32, length - start));
                    stage.process (sub, (float) start / (float) length, true);
                }
                stage.analyseIdle (view, channels, length);
                stage.reset();
                totalAllocations += guard.counts().allocations;
                totalLocks += guard.counts().locks;
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
    long seenAllocations = 0, seenLocks = 0;
    {
        const RealtimeGuard::Scope guard;
        stage.prepare (1, 48000.0, 256, 2);
        seenAllocations = guard.counts().allocations;
        seenLocks = guard.counts().locks;
    }
    EXPECT_GT (seenAllocations, 0);
    EXPECT_GT (seenLocks, 0);
}
} // namespace
