// The block path: rejected blocks, bypass, blend and the published values.
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
constexpr double rate = 48000.0;
constexpr int maxBlock = 512;
constexpr int scratch = 4096; // max(2 x 512, 4096)

bool bitwiseEqual (const juce::AudioBuffer<float>& a, const juce::AudioBuffer<float>& b)
{
    if (a.getNumChannels() != b.getNumChannels() || a.getNumSamples() != b.getNumSamples())
        return false;
    for (int ch = 0; ch < a.getNumChannels(); ++ch)
        if (std::memcmp (a.getReadPointer (ch), b.getReadPointer (ch), sizeof (float) * (size_t) a.getNumSamples()) != 0)
            return false;
    return true;
}

struct Published
{
    float effort, outputPeak, stageHeat, gridBlock, slewBite;
    int counter;

    static Published of (const TorvaneProcessor& p)
    {
        return { p.effort.load(), p.outputPeak.load(), p.stageHeat.load(), p.gridBlock.load(), p.slewBite.load(),
                 p.blockCounter.load() };
    }

    bool operator== (const Published& o) const
    {
        return effort == o.effort && outputPeak == o.outputPeak && stageHeat == o.stageHeat
               && gridBlock == o.gridBlock && slewBite == o.slewBite && counter == o.counter;
    }
};

struct RejectCase
{
    const char* name;
    bool prepared;
    int samples;
    bool bypassed;
};

class ProcessorRejects : public testing::TestWithParam<RejectCase>
{
};

TEST_P (ProcessorRejects, BlockPassesUntouchedPublishesNothingAndIsNotCounted)
{
    const auto c = GetParam();
    ProcessorHarness harness, reference;
    harness.set ("drive", 60.0f);
    reference.set ("drive", 60.0f);
    const auto before = makeNoise (2, 3 * maxBlock, 1);
    if (c.prepared)
    {
        harness.prepare (rate, maxBlock);
        reference.prepare (rate, maxBlock);
        harness.run (before, maxBlock);
        reference.run (before, maxBlock);
    }
    const auto published = Published::of (harness.processor);

    const auto input = makeNoise (2, c.samples, 2);
    auto block = input;
    harness.processInPlace (block, c.bypassed);
    EXPECT_TRUE (bitwiseEqual (block, input));
    EXPECT_TRUE (Published::of (harness.processor) == published);

    if (! c.prepared)
        return;
    // The dry ring did not move: bypassed output goes on as if the block never came.
    const auto after = makeNoise (2, maxBlock, 3);
    EXPECT_TRUE (bitwiseEqual (harness.run (after, maxBlock, true), reference.run (after, maxBlock, true)));
    EXPECT_EQ (harness.processor.blockCounter.load(), published.counter + 1);
}

INSTANTIATE_TEST_SUITE_P (
    Cases, ProcessorRejects,
    testing::Values (RejectCase { "Empty", true, 0, false }, RejectCase { "EmptyBypassed", true, 0, true },
                     RejectCase { "BeforePrepare", false, 256, false },
                     RejectCase { "BeforePrepareBypassed", false, 256, true },
                     RejectCase { "LongerThanScratch", true, scratch + 1, false },
                     RejectCase { "LongerThanScratchBypassed", true, scratch + 1, true }),
    [] (const auto& info) { return std::string (info.param.name); });

TEST (ProcessorRejects, BlockOfExactlyTheScratchLengthIsProcessed)
{
    ProcessorHarness harness;
    harness.prepare (rate, maxBlock);
    auto block = makeNoise (2, scratch, 4);
    harness.processInPlace (block);
    EXPECT_EQ (harness.processor.blockCounter.load(), 1);
}

class ProcessorBypass : public testing::TestWithParam<std::pair<int, int>>
{
};

TEST_P (ProcessorBypass, OutputIsTheInputDelayedByTheReportedLatency)
{
    const auto [channels, blockSize] = GetParam();
    ProcessorHarness harness (channels);
    harness.set ("drive", 80.0f);
    harness.set ("blend", 30.0f);
    harness.prepare (rate, maxBlock);
    const int latency = harness.processor.getLatencySamples();
    ASSERT_GT (latency, 0);

    const auto input = makeNoise (channels, 4000, 5);
    const auto output = harness.run (input, blockSize, true);
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < input.getNumSamples(); ++i)
            ASSERT_EQ (output.getSample (ch, i), i < latency ? 0.0f : input.getSample (ch, i - latency))
                << "channel " << ch << " sample " << i;

    const auto published = Published::of (harness.processor);
    EXPECT_TRUE ((published == Published { 0, 0, 0, 0, 0, (input.getNumSamples() + blockSize - 1) / blockSize }));
}

INSTANTIATE_TEST_SUITE_P (ChannelsAndBlocks, ProcessorBypass,
                          testing::Values (std::make_pair (1, 1), std::make_pair (1, 512), std::make_pair (2, 3),
                                           std::make_pair (2, 100), std::make_pair (2, 512)));

// Blend mixes the stage output with the phase-matched dry signal; both reference
// signals come from outside the processor under test: the dry one from an
// oversampler of the same design, the driven one from a processor at Blend 100.
struct BlendCase
{
    float blend;
    float dryShare; // -1: the output must be bit-identical to Blend 100
};

class ProcessorBlend : public testing::TestWithParam<BlendCase>
{
};

TEST_P (ProcessorBlend, MixesThePhaseMatchedDrySignal)
{
    const auto c = GetParam();
    for (int page = 0; page < 3; ++page)
    {
        SCOPED_TRACE ("page " + std::to_string (page));
        ProcessorHarness harness, driven;
        for (auto* h : { &harness, &driven })
        {
            h->set ("drive", 70.0f);
            h->set ("page", (float) page);
        }
        harness.set ("blend", c.blend);
        harness.prepare (rate, maxBlock);
        driven.prepare (rate, maxBlock);

        const auto input = makeNoise (2, 6 * maxBlock, 6);
        const auto output = harness.run (input, maxBlock);
        const auto wet = driven.run (input, maxBlock);
        const auto dry = phaseMatched (input, maxBlock);
        if (c.dryShare < 0.0f)
        {
            EXPECT_TRUE (bitwiseEqual (output, wet));
            continue;
        }
        float largest = 0.0f;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < input.getNumSamples(); ++i)
            {
                const float expected = c.dryShare * dry.getSample (ch, i) + (1.0f - c.dryShare) * wet.getSample (ch, i);
                largest = juce::jmax (largest, std::abs (output.getSample (ch, i) - expected));
            }
        EXPECT_LT (largest, 1.0e-6f);
    }
}

INSTANTIATE_TEST_SUITE_P (Settings, ProcessorBlend,
                          testing::Values (BlendCase { 0.0f, 1.0f }, BlendCase { 99.8f, 0.002f },
                                           BlendCase { 50.0f, 0.5f }, BlendCase { 99.9f, -1.0f },
                                           BlendCase { 100.0f, -1.0f }));

TEST (ProcessorBlend, ChangeRampsOverTwentyMilliseconds)
{
    ProcessorHarness harness;
    harness.prepare (rate, maxBlock);
    const auto first = makeNoise (2, maxBlock, 7);
    harness.run (first, maxBlock);
    harness.set ("blend", 0.0f);
    // From the end of the ramp (960 samples at 48 kHz) on, the output is the dry signal.
    const auto input = makeNoise (2, 4 * maxBlock, 8);
    auto full = first;
    full.setSize (2, 5 * maxBlock, true);
    for (int ch = 0; ch < 2; ++ch)
        full.copyFrom (ch, maxBlock, input, ch, 0, input.getNumSamples());
    const auto output = harness.run (input, maxBlock);
    const auto dry = slice (phaseMatched (full, maxBlock), maxBlock, input.getNumSamples());
    EXPECT_GT (std::abs (output.getSample (0, 100) - dry.getSample (0, 100)), 0.0f);
    EXPECT_LT (maxDifference (slice (output, 960, 1000), slice (dry, 960, 1000)), 1.0e-6f);
}

TEST (ProcessorPublished, ProcessedBlockPublishesItsPeakAndCountsOnce)
{
    ProcessorHarness harness;
    harness.set ("blend", 0.0f);
    harness.prepare (rate, maxBlock);
    for (int b = 0; b < 3; ++b)
    {
        auto block = makeNoise (2, 300, 10 + b, 0.25f * (float) (b + 1));
        harness.processInPlace (block);
        float peak = 0.0f;
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < block.getNumSamples(); ++i)
                peak = juce::jmax (peak, std::abs (block.getSample (ch, i)));
        EXPECT_EQ (harness.processor.outputPeak.load(), peak);
        EXPECT_EQ (harness.processor.blockCounter.load(), b + 1);
        EXPECT_GE (harness.processor.gridBlock.load(), 0.0f);
        EXPECT_GE (harness.processor.slewBite.load(), 0.0f);
        EXPECT_LE (harness.processor.slewBite.load(), 1.0f);
        EXPECT_GE (harness.processor.effort.load(), 0.0f);
        EXPECT_LE (harness.processor.effort.load(), 1.0f);
    }
}
// Effort follows the stage's compensation table at the block's drive, a quarter of the
// way per block; the stage values are published as the stage left them.
TEST (ProcessorPublished, EffortMovesAQuarterOfTheWayToTheTableDepth)
{
    float deepest = 0.0f;
    for (int page = 0; page < 3; ++page)
        for (float drive : { 0.0f, 37.3f, 100.0f })
        {
            SCOPED_TRACE ("page " + std::to_string (page) + " drive " + std::to_string (drive));
            ProcessorHarness harness;
            harness.set ("page", (float) page);
            harness.set ("drive", drive);
            harness.prepare (rate, maxBlock);
            const TorvaneProcessorProbe probe (harness.processor);
            const auto& stage = probe.stage (page);

            const float x = juce::jlimit (0.0f, 1.0f, harness.processor.apvts.getRawParameterValue ("drive")->load() * 0.01f) * 47.0f;
            const int i = juce::jmin (46, (int) x);
            const float f = x - (float) i;
            const float db = (1.0f - f) * stage.compensationDb[(size_t) i] + f * stage.compensationDb[(size_t) i + 1];
            const float depth = juce::jlimit (0.0f, 1.0f, -db / 12.0f);
            deepest = juce::jmax (deepest, depth);
            float expected = 0.0f;
            for (int b = 0; b < 6; ++b)
            {
                auto block = makeNoise (2, maxBlock, 20 + b);
                harness.processInPlace (block);
                expected += (depth - expected) * 0.25f;
                EXPECT_NEAR (harness.processor.effort.load(), expected, 1.0e-6f) << "block " << b;
                EXPECT_EQ (harness.processor.stageHeat.load(), stage.heat);
                const float bite = stage.sampleCount > 0 ? (float) stage.biteCount / (float) stage.sampleCount : 0.0f;
                EXPECT_EQ (harness.processor.slewBite.load(), bite);
            }
        }
    // Some setting must compensate by more than a few dB, or the case proves little.
    EXPECT_GT (deepest, 0.25f);
}
} // namespace
