// Resets on a jump of the host's transport. A reset clears the three stages, so at
// Blend 100 it shows in the block that brings the jump, as a departure from a processor
// that saw a steady transport, and the current stage's loudness matcher starts its
// count again.
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
struct TransportCase
{
    const char* name;
    std::vector<std::pair<std::optional<juce::int64>, int>> blocks; // position (or none) and length
    bool resets;                                                    // in the last block
};

class ProcessorTransport : public testing::TestWithParam<TransportCase>
{
};

TEST_P (ProcessorTransport, ResetsOnlyOnARealJump)
{
    const auto& c = GetParam();
    ProcessorHarness jumping, steady;
    FakePlayHead jumpingHead, steadyHead;
    jumping.processor.setPlayHead (&jumpingHead);
    steady.processor.setPlayHead (&steadyHead);
    for (auto* h : { &jumping, &steady })
        h->prepare (48000.0, 512);

    juce::int64 steadyTime = 0;
    juce::AudioBuffer<float> out, reference;
    auto feed = [&] (std::optional<juce::int64> time, int length, int seed)
    {
        jumpingHead.time = time;
        steadyHead.time = steadyTime;
        steadyTime += length;
        const auto input = makeNoise (2, length, seed);
        out = jumping.run (input, length);
        reference = steady.run (input, length);
    };
    for (size_t b = 0; b + 1 < c.blocks.size(); ++b)
    {
        feed (c.blocks[b].first, c.blocks[b].second, (int) b + 1);
        ASSERT_EQ (maxDifference (out, reference), 0.0f) << "block " << b;
    }
    const auto last = c.blocks.back();
    feed (last.first, last.second, 98);
    const float difference = maxDifference (out, reference);
    EXPECT_EQ (difference > 1.0e-4f, c.resets) << difference;

    const TorvaneProcessorProbe jumpingProbe (jumping.processor), steadyProbe (steady.processor);
    const auto& counted = jumpingProbe.stage (0).matcher;
    EXPECT_EQ (counted.longCount < steadyProbe.stage (0).matcher.longCount, c.resets) << counted.longCount;
}

using Block = std::pair<std::optional<juce::int64>, int>;

INSTANTIATE_TEST_SUITE_P (
    Positions, ProcessorTransport,
    testing::Values (
        TransportCase { "AdvanceByOneBlock", { Block { 0, 512 }, Block { 512, 512 }, Block { 1024, 512 } }, false },
        TransportCase { "Stopped", { Block { 0, 512 }, Block { 512, 512 }, Block { 512, 512 } }, false },
        TransportCase { "LongBlockThenShort", { Block { 0, 512 }, Block { 512, 512 }, Block { 1024, 100 } }, false },
        TransportCase { "ShortBlockThenLong", { Block { 0, 100 }, Block { 100, 100 }, Block { 200, 512 } }, false },
        TransportCase { "AdvanceByTwiceTheLongerBlock", { Block { 0, 512 }, Block { 512, 512 }, Block { 1536, 100 } }, false },
        TransportCase { "AdvanceBeyondTwiceTheLongerBlock", { Block { 0, 512 }, Block { 512, 512 }, Block { 1537, 100 } }, true },
        TransportCase { "LoopBack", { Block { 0, 512 }, Block { 512, 512 }, Block { 511, 512 } }, true },
        TransportCase { "FirstPositionIsNeverAJump", { Block { {}, 512 }, Block { {}, 512 }, Block { 99999, 512 } }, false },
        TransportCase { "BlocksWithoutTimeAreIgnored", { Block { 0, 512 }, Block { {}, 512 }, Block { 1024, 512 } }, false },
        TransportCase { "JumpAfterBlocksWithoutTime", { Block { 0, 512 }, Block { {}, 512 }, Block { 5000, 512 } }, true }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ProcessorTransport, NoPlayHeadNeverResets)
{
    ProcessorHarness harness, reference;
    for (auto* h : { &harness, &reference })
        h->prepare (48000.0, 512);
    const auto input = makeNoise (2, 4096, 1);
    EXPECT_EQ (maxDifference (harness.run (input, 512), reference.run (input, 512)), 0.0f);
}
} // namespace
