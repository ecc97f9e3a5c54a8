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
};

constexpr int badSampleAt = (int) rate / 2;
constexpr int window = (int) rate / 4;

// Pink noise (Kellet's filter on white noise) at -12 dBFS RMS with, where given, the
// same sample replaced on both channels, as a faulty plug-in upstream would send it. The
// loudness matcher analyses every second sample, the channels in turn: one of the two
// bad samples reaches it.
juce::AudioBuffer<float> programme (double seconds, std::optional<float> replacement)
{
    auto input = makeNoise (2, (int) (seconds * rate), 3, 1.0f);
    for (int ch = 0; ch < 2; ++ch)
    {
        float b[7] {};
        auto* x = input.getWritePointer (ch);
        for (int i = 0; i < input.getNumSamples(); ++i)
        {
            const float w = x[i];
            b[0] = 0.99886f * b[0] + w * 0.0555179f;
            b[1] = 0.99332f * b[1] + w * 0.0750759f;
            b[2] = 0.96900f * b[2] + w * 0.1538520f;
            b[3] = 0.86650f * b[3] + w * 0.3104856f;
            b[4] = 0.55000f * b[4] + w * 0.5329522f;
            b[5] = -0.7616f * b[5] - w * 0.0168980f;
            x[i] = b[0] + b[1] + b[2] + b[3] + b[4] + b[5] + b[6] + w * 0.5362f;
            b[6] = w * 0.115926f;
        }
    }
    float rms = 0.0f;
    for (int ch = 0; ch < 2; ++ch)
        rms = juce::jmax (rms, input.getRMSLevel (ch, 0, input.getNumSamples()));
    input.applyGain (0.25f / rms);
    if (replacement.has_value())
    {
        input.setSample (0, badSampleAt, *replacement);
        input.setSample (1, badSampleAt, *replacement);
    }
    return input;
}

juce::AudioBuffer<float> play (int page, const juce::AudioBuffer<float>& input)
{
    ProcessorHarness harness;
    configure (harness, page, 60.0f);
    return harness.run (input, block);
}

double windowEnergy (const juce::AudioBuffer<float>& buffer, int start)
{
    double sum = 0.0;
    for (int ch = 0; ch < buffer.getNumChannels(); ++ch)
        for (int i = start; i < start + window; ++i)
            sum += (double) buffer.getSample (ch, i) * buffer.getSample (ch, i);
    return sum;
}

class HostileSingleSample : public testing::TestWithParam<std::tuple<BadSample, int>>
{
};

// One bad sample from upstream: every output sample stays finite, also in the block
// that brought it; the output loudness never jumps far above that of a run without it
// and is back within 1 dB of it two seconds later.
TEST_P (HostileSingleSample, LeavesTheLoudnessAlone)
{
    const auto [bad, page] = GetParam();
    const double seconds = 4.0;
    const auto output = play (page, programme (seconds, bad.value));
    const auto clean = play (page, programme (seconds, std::nullopt));
    Audit audit;
    audit.add (output);
    EXPECT_EQ (audit.nonFinite, 0);
    EXPECT_EQ (audit.subnormal, 0);

    const int badWindowEnd = (badSampleAt / window + 1) * window;
    for (int start = badWindowEnd; start + window <= output.getNumSamples(); start += window)
    {
        const double db = 10.0 * std::log10 (windowEnergy (output, start) / windowEnergy (clean, start));
        SCOPED_TRACE ("window at " + std::to_string ((double) start / rate) + " s");
        EXPECT_LT (db, 8.0);
        if (start >= badSampleAt + 2 * (int) rate)
        {
            EXPECT_LT (std::abs (db), 1.0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P (
    Values, HostileSingleSample,
    testing::Combine (testing::Values (BadSample { "Infinity", std::numeric_limits<float>::infinity() },
                                       BadSample { "NegativeInfinity", -std::numeric_limits<float>::infinity() },
                                       BadSample { "NaN", std::numeric_limits<float>::quiet_NaN() },
                                       BadSample { "Huge", 1.0e30f },
                                       BadSample { "AtTheClamp", 1.0e4f },
                                       BadSample { "Thousand", 1.0e3f }),
                      testing::Values (0, 1, 2)),
    [] (const auto& info) { return std::string (std::get<0> (info.param).name) + "Page" + std::to_string (std::get<1> (info.param)); });

class HostileNaN : public testing::TestWithParam<int>
{
};

// A NaN or an infinity becomes one zero sample: once the loudness matcher has let go
// of it the output is the audio of a run that never saw it.
TEST_P (HostileNaN, LeavesNoLastingMark)
{
    const int page = GetParam();
    const int seconds = 6;
    const auto reference = play (page, programme (seconds, std::nullopt));
    const int settled = (seconds - 1) * (int) rate;
    const auto referenceTail = slice (reference, settled, (int) rate);
    for (float bad : { std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity() })
    {
        SCOPED_TRACE (bad);
        const auto tail = slice (play (page, programme (seconds, bad)), settled, (int) rate);
        EXPECT_LT (maxDifference (tail, referenceTail), 1.0e-4f * peak (referenceTail));
    }
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
