// Input no host should send, and hosts at the edges of their settings: the output
// stays finite, decays to true silence, and a single bad sample leaves no lasting mark.
#include "ProcessorHarness.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
constexpr double rate = 48000.0;
constexpr int block = 512;

// Counts the samples that are not finite, and those that are subnormal.
struct Audit
{
    long nonFinite = 0;
    long subnormal = 0;

    void add (const juce::AudioBuffer<float>& buffer)
    {
        for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
            for (int i = 0; i < buffer.getNumSamples(); ++i)
            {
                const float x = buffer.getSample (ch, i);
                nonFinite += std::isfinite (x) ? 0 : 1;
                subnormal += std::fpclassify (x) == FP_SUBNORMAL ? 1 : 0;
            }
    }
};

float peak (const juce::AudioBuffer<float>& buffer)
{
    float largest = 0.0f;
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            largest = juce::jmax (largest, std::abs (buffer.getSample (ch, i)));
    return largest;
}

ProcessorHarness& configure (ProcessorHarness& harness, int page, float drive)
{
    harness.set ("page", (float) page);
    harness.set ("drive", drive);
    harness.prepare (rate, block);
    return harness;
}

class HostileByPage : public testing::TestWithParam<int>
{
};

// The stage adds its hiss even to silence, so at Blend 100 the remainder of the loud
// input is what sets the output apart from a run that only ever heard silence (the
// hiss generators are seeded alike and advance alike). At Blend 0 the output is the
// dry path alone and must itself reach zero.
TEST_P (HostileByPage, SilenceAfterLoudInputDecaysToTrueZero)
{
    for (float blend : { 100.0f, 0.0f })
    {
        SCOPED_TRACE ("blend " + std::to_string (blend));
        ProcessorHarness loud, quiet;
        for (auto* h : { &loud, &quiet })
        {
            h->set ("blend", blend);
            configure (*h, GetParam(), 100.0f);
        }
        Audit audit;
        const int half = (int) rate / 2;
        audit.add (loud.run (makeNoise (2, half, 1, 1.0f), block));
        juce::AudioBuffer<float> silence (2, half);
        silence.clear();
        quiet.run (silence, block);

        juce::AudioBuffer<float> tail, quietTail;
        for (int b = 0; b < (int) (4.0 * rate) / block; ++b)
        {
            tail.setSize (2, block);
            tail.clear();
            quietTail.makeCopyOf (tail);
            loud.processInPlace (tail);
            quiet.processInPlace (quietTail);
            audit.add (tail);
        }
        EXPECT_EQ (audit.nonFinite, 0);
        EXPECT_EQ (audit.subnormal, 0);
        if (blend == 0.0f)
            EXPECT_EQ (peak (tail), 0.0f);
        EXPECT_LT (maxDifference (tail, quietTail), 1.0e-30f);
    }
}

TEST_P (HostileByPage, ExtremeFiniteInputGivesFiniteOutput)
{
    struct Signal
    {
        const char* name;
        float amplitude;
        bool square;
    };
    const Signal signals[] = {
        { "full-scale square", 1.0f, true },
        { "square at 1e6", 1.0e6f, true },
        { "noise at 1e6", 1.0e6f, false },
        { "noise at the largest float", std::numeric_limits<float>::max(), false },
    };
    for (const auto& s : signals)
    {
        SCOPED_TRACE (s.name);
        ProcessorHarness harness;
        configure (harness, GetParam(), 100.0f);
        auto input = makeNoise (2, (int) rate, 2, s.amplitude);
        if (s.square)
            for (int ch = 0; ch < 2; ++ch)
                for (int i = 0; i < input.getNumSamples(); ++i)
                    input.setSample (ch, i, (i / 240) % 2 == 0 ? s.amplitude : -s.amplitude);
        Audit audit;
        audit.add (harness.run (input, block));
        EXPECT_EQ (audit.nonFinite, 0);
        EXPECT_EQ (audit.subnormal, 0);
    }
}

INSTANTIATE_TEST_SUITE_P (Pages, HostileByPage, testing::Values (0, 1, 2));

struct BadSample
{
    const char* name;
    float value;
    float sanitised; // what the processor must treat it as
};

constexpr int badSampleAt = (int) rate / 2 + 100;

// Noise at -12 dBFS with, where given, one sample replaced on each channel.
juce::AudioBuffer<float> programme (double seconds, std::optional<float> replacement)
{
    auto input = makeNoise (2, (int) (seconds * rate), 3, 0.25f);
    if (replacement.has_value())
    {
        input.setSample (0, badSampleAt, *replacement);
        input.setSample (1, badSampleAt + 7, *replacement);
    }
    return input;
}

juce::AudioBuffer<float> play (int page, const juce::AudioBuffer<float>& input)
{
    ProcessorHarness harness;
    configure (harness, page, 60.0f);
    return harness.run (input, block);
}

class HostileSingleSample : public testing::TestWithParam<std::tuple<BadSample, int>>
{
};

// Every output sample stays finite, also in the block that brought the bad sample, and
// the processor treats it exactly as its sanitised value: the nearer of +-1e4, or 0.
TEST_P (HostileSingleSample, IsTakenAsItsSanitisedValue)
{
    const auto [bad, page] = GetParam();
    const auto output = play (page, programme (1.5, bad.value));
    Audit audit;
    audit.add (output);
    EXPECT_EQ (audit.nonFinite, 0);
    EXPECT_EQ (audit.subnormal, 0);
    EXPECT_EQ (maxDifference (output, play (page, programme (1.5, bad.sanitised))), 0.0f);
}

INSTANTIATE_TEST_SUITE_P (
    Values, HostileSingleSample,
    testing::Combine (testing::Values (BadSample { "Huge", 1.0e30f, 1.0e4f },
                                       BadSample { "HugeNegative", -1.0e30f, -1.0e4f },
                                       BadSample { "JustAboveTheLimit", 10000.001f, 1.0e4f },
                                       BadSample { "NaN", std::numeric_limits<float>::quiet_NaN(), 0.0f },
                                       BadSample { "Infinity", std::numeric_limits<float>::infinity(), 1.0e4f },
                                       BadSample { "NegativeInfinity", -std::numeric_limits<float>::infinity(), -1.0e4f }),
                      testing::Values (0, 1, 2)),
    [] (const auto& info) { return std::string (std::get<0> (info.param).name) + "Page" + std::to_string (std::get<1> (info.param)); });

class HostileNaN : public testing::TestWithParam<int>
{
};

// A NaN becomes one zero sample: once the loudness matcher has let go of it the output
// is the audio of a run that never saw it.
TEST_P (HostileNaN, LeavesNoLastingMark)
{
    const int page = GetParam();
    const int seconds = 6;
    const auto output = play (page, programme (seconds, std::numeric_limits<float>::quiet_NaN()));
    const auto reference = play (page, programme (seconds, std::nullopt));
    const int settled = (seconds - 1) * (int) rate;
    const auto tail = slice (output, settled, (int) rate);
    const auto referenceTail = slice (reference, settled, (int) rate);
    EXPECT_LT (maxDifference (tail, referenceTail), 1.0e-4f * peak (referenceTail));
}

INSTANTIATE_TEST_SUITE_P (Pages, HostileNaN, testing::Values (0, 1, 2));

class HostileSettings : public testing::TestWithParam<std::tuple<double, int>>
{
};

// Every rate and block size gives finite output and a latency that bypass matches.
TEST_P (HostileSettings, FiniteOutputAndConsistentLatency)
{
    const auto [sampleRate, blockSize] = GetParam();
    ProcessorHarness harness;
    harness.set ("drive", 70.0f);
    harness.set ("page", 1.0f);
    harness.prepare (sampleRate, blockSize);
    const int latency = harness.processor.getLatencySamples();
    EXPECT_EQ (latency, 4);

    const int length = juce::jmax (2 * blockSize, (int) (sampleRate / 5));
    Audit audit;
    audit.add (harness.run (makeNoise (2, length, 4), blockSize));
    EXPECT_EQ (audit.nonFinite, 0);

    // An impulse through the bypassed path comes out exactly `latency` samples later.
    juce::AudioBuffer<float> impulse (2, juce::jmax (blockSize, 64));
    impulse.clear();
    impulse.setSample (0, 10, 1.0f);
    impulse.setSample (1, 10, 1.0f);
    const auto delayed = harness.run (impulse, blockSize, true);
    for (int ch = 0; ch < 2; ++ch)
        EXPECT_EQ (delayed.getSample (ch, 10 + latency), 1.0f);
}

INSTANTIATE_TEST_SUITE_P (RatesAndBlocks, HostileSettings,
                          testing::Combine (testing::Values (22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 176400.0, 192000.0),
                                            testing::Values (1, 64, 8192)));
} // namespace
