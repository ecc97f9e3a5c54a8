// Page crossfade, its restart, and the fade back from bypass.
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
constexpr double rate = 48000.0;
constexpr int crossfade = 1440; // 30 ms at 48 kHz
constexpr int inputFade = 240;  // 5 ms

class ProcessorPageChange : public testing::Test
{
protected:
    ProcessorPageChange()
    {
        for (auto* h : { &changed, &steady })
        {
            h->set ("drive", 50.0f);
            h->prepare (rate, 512);
        }
    }

    // Feeds the same block to both processors and returns both outputs.
    std::pair<juce::AudioBuffer<float>, juce::AudioBuffer<float>> feed (const juce::AudioBuffer<float>& input, int blockSize)
    {
        return { changed.run (input, blockSize), steady.run (input, blockSize) };
    }

    ProcessorHarness changed, steady;
};

TEST_F (ProcessorPageChange, StartsFromTheOutgoingStageAndCountsDownAcrossBlocks)
{
    feed (makeNoise (2, 2048, 1), 512);
    changed.set ("page", 2.0f);
    const TorvaneProcessorProbe probe (changed.processor);

    const auto [out, reference] = feed (makeNoise (2, 512, 2), 512);
    // At the first sample the crossfade gain is 0: the outgoing stage alone.
    EXPECT_EQ (out.getSample (0, 0), reference.getSample (0, 0));
    EXPECT_EQ (out.getSample (1, 0), reference.getSample (1, 0));
    EXPECT_EQ (probe.currentPage(), 2);
    EXPECT_EQ (probe.previousPage(), 0);

    const int expectedRemaining[] = { crossfade - 512, crossfade - 1024, 0, 0 };
    EXPECT_EQ (probe.pageCrossfadeRemaining(), expectedRemaining[0]);
    EXPECT_EQ (probe.inputFadeRemaining(), 0);
    for (int b = 1; b < 4; ++b)
    {
        feed (makeNoise (2, 512, 3 + b), 512);
        EXPECT_EQ (probe.pageCrossfadeRemaining(), expectedRemaining[b]) << "block " << b;
    }
}

TEST_F (ProcessorPageChange, InputFadeLongerThanABlockGoesOnInTheNext)
{
    feed (makeNoise (2, 512, 1), 512);
    changed.set ("page", 1.0f);
    const TorvaneProcessorProbe probe (changed.processor);
    feed (makeNoise (2, 100, 2), 100);
    EXPECT_EQ (probe.inputFadeRemaining(), inputFade - 100);
    EXPECT_EQ (probe.pageCrossfadeRemaining(), crossfade - 100);
    feed (makeNoise (2, 100, 3), 100);
    EXPECT_EQ (probe.inputFadeRemaining(), inputFade - 200);
    feed (makeNoise (2, 100, 4), 100);
    EXPECT_EQ (probe.inputFadeRemaining(), 0);
}

TEST_F (ProcessorPageChange, SecondChangeRestartsFromThePageChosenFirst)
{
    // A third processor makes the first change only; with the steady one it yields
    // the output of the stage chosen first, which the restart must begin from.
    ProcessorHarness firstOnly;
    firstOnly.set ("drive", 50.0f);
    firstOnly.prepare (rate, 512);
    const auto warmUp = makeNoise (2, 1024, 1);
    feed (warmUp, 512);
    firstOnly.run (warmUp, 512);

    changed.set ("page", 1.0f);
    firstOnly.set ("page", 1.0f);
    const auto tenMs = makeNoise (2, 480, 2);
    feed (tenMs, 480);
    firstOnly.run (tenMs, 480);

    changed.set ("page", 2.0f);
    const TorvaneProcessorProbe probe (changed.processor);
    const auto input = makeNoise (2, 480, 3);
    const auto [out, stageZero] = feed (input, 480);
    const auto mix = firstOnly.run (input, 480);

    EXPECT_EQ (probe.currentPage(), 2);
    EXPECT_EQ (probe.previousPage(), 1);
    EXPECT_EQ (probe.pageCrossfadeRemaining(), crossfade - 480);
    EXPECT_EQ (probe.inputFadeRemaining(), inputFade - 240);

    // firstOnly's sample 0 is (1 - g) x stage 0 + g x stage 1 with g = 480 / 1440.
    const float g = 1.0f - (float) (crossfade - 480) / (float) crossfade;
    for (int ch = 0; ch < 2; ++ch)
    {
        const float stageOne = (mix.getSample (ch, 0) - (1.0f - g) * stageZero.getSample (ch, 0)) / g;
        EXPECT_NEAR (out.getSample (ch, 0), stageOne, 1.0e-5f);
    }
}

TEST (ProcessorResetFade, AfterBypassRisesFromTheDelayedDrySignal)
{
    ProcessorHarness harness;
    harness.set ("drive", 60.0f);
    harness.prepare (rate, 512);
    const int latency = harness.processor.getLatencySamples();
    const TorvaneProcessorProbe probe (harness.processor);

    harness.run (makeNoise (2, 1024, 1), 512);
    const auto bypassedInput = makeNoise (2, 1024, 2);
    harness.run (bypassedInput, 512, true);
    EXPECT_EQ (harness.processor.outputPeak.load(), 0.0f);
    EXPECT_EQ (harness.processor.blockCounter.load(), 4);

    const auto input = makeNoise (2, 512, 3);
    const auto out = harness.run (input, 512);
    // The first sample is the input `latency` samples back, which arrived while bypassed.
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_EQ (out.getSample (ch, 0), bypassedInput.getSample (ch, 1024 - latency));
    EXPECT_EQ (probe.resetFadeRemaining(), crossfade - 512);
    EXPECT_EQ (harness.processor.blockCounter.load(), 5);
    harness.run (makeNoise (2, 1024, 4), 512);
    EXPECT_EQ (probe.resetFadeRemaining(), 0);
}

TEST (ProcessorResetFade, BypassCancelsARunningFadeAndLeavesThePageCrossfadeStanding)
{
    ProcessorHarness harness;
    harness.prepare (rate, 512);
    const TorvaneProcessorProbe probe (harness.processor);
    harness.run (makeNoise (2, 512, 1), 512, true);
    harness.run (makeNoise (2, 512, 2), 512);
    ASSERT_EQ (probe.resetFadeRemaining(), crossfade - 512);

    harness.set ("page", 1.0f);
    harness.run (makeNoise (2, 512, 3), 512);
    const int crossfadeLeft = probe.pageCrossfadeRemaining();
    harness.run (makeNoise (2, 512, 4), 512, true);
    EXPECT_EQ (probe.resetFadeRemaining(), 0);
    EXPECT_EQ (probe.pageCrossfadeRemaining(), crossfadeLeft);

    // A change made while bypassed is taken up by the next processed block.
    harness.set ("page", 2.0f);
    harness.run (makeNoise (2, 512, 5), 512, true);
    EXPECT_EQ (probe.currentPage(), 1);
    harness.run (makeNoise (2, 512, 6), 512);
    EXPECT_EQ (probe.currentPage(), 2);
    EXPECT_EQ (probe.pageCrossfadeRemaining(), crossfade - 512);
    EXPECT_EQ (probe.resetFadeRemaining(), crossfade - 512);
}
} // namespace
