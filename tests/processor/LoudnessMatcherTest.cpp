// LoudnessMatcher: decimation and time constants, the analysis rhythm, drive
// segments, the target gain against analytic expectations, and the freezes.

#include "LoudnessMatcher.h"
#include "StageVoicing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
void prepareFor (LoudnessMatcher& m, int mode, double rate, int channels)
{
    const auto v = StageVoicing::forMode (static_cast<StageMode> (mode));
    m.prepare (mode, v.inputGain, v.driveRangeDb, v.driveCurve, 1.6f, rate, channels);
}

juce::AudioBuffer<float> sineBuffer (int channels, int length, float amplitude, double cyclesPerSample, int offset = 0)
{
    juce::AudioBuffer<float> b (channels, length);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < length; ++i)
            b.setSample (c, i, amplitude * (float) std::sin (6.283185307179586 * cyclesPerSample * (i + offset) + c));
    return b;
}

// One block as the processor hands it over: the input with the drive, the stage's
// output, then the averages moved on.
void runBlock (LoudnessMatcher& m, const juce::AudioBuffer<float>& in, const juce::AudioBuffer<float>& out, int channels,
               float drive)
{
    m.analyseInput (in, channels, drive, true);
    m.analyseOutput (out, channels);
    m.integrate (true);
}

struct RateCase
{
    double rate;
    int decimation;
    float averagingSamples;
};

using MatcherRates = ::testing::TestWithParam<RateCase>;

TEST_P (MatcherRates, DecimationAndLongTimeConstant)
{
    const auto c = GetParam();
    LoudnessMatcher m;
    prepareFor (m, 1, c.rate, 2);
    EXPECT_EQ (m.decimation, c.decimation);
    EXPECT_FLOAT_EQ (m.averagingSamples, c.averagingSamples);
}

INSTANTIATE_TEST_SUITE_P (Rates, MatcherRates,
    ::testing::Values (RateCase { 22050.0, 1, 66150.0f }, RateCase { 32000.0, 1, 96000.0f },
                       RateCase { 44100.0, 2, 66150.0f }, RateCase { 48000.0, 2, 72000.0f },
                       RateCase { 88200.0, 4, 66150.0f }, RateCase { 96000.0, 4, 72000.0f },
                       RateCase { 176400.0, 7, 75600.0f }, RateCase { 192000.0, 8, 72000.0f }));

TEST (LoudnessMatcher, PrepareSetsModelGainsAndScale)
{
    LoudnessMatcher m;
    prepareFor (m, 2, 48000.0, 1);
    EXPECT_EQ (m.numChannels, 1);
    EXPECT_FLOAT_EQ (m.modelGain[0], 2.083f);
    EXPECT_NEAR (m.modelGain[7], 2.083f * 100.0f, 1e-3f); // Well: +40 dB at drive 1
    EXPECT_NEAR (m.modelGain[4], 2.083f * std::pow (10.0f, std::pow (0.5f, 0.55f) * 2.0f), 1e-3f);
    EXPECT_FLOAT_EQ (m.outputScale, 1.0f / (2.083f * 1.6f));
    EXPECT_LT (m.smoothedGain, 0.0f);
}

struct SegmentCase
{
    float drive;
    int segment;
    float fraction;
};

using MatcherSegments = ::testing::TestWithParam<SegmentCase>;

TEST_P (MatcherSegments, DriveFindsSegmentAndFraction)
{
    const auto c = GetParam();
    LoudnessMatcher m;
    prepareFor (m, 0, 48000.0, 1);
    m.analyseInput (sineBuffer (1, 16, 0.1f, 0.01), 1, c.drive, true);
    EXPECT_EQ (m.segment, c.segment);
    EXPECT_NEAR (m.segmentFrac, c.fraction, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P (Drives, MatcherSegments,
    ::testing::Values (SegmentCase { 0.0f, 0, 0.0f }, SegmentCase { 0.1f, 0, 1.0f }, SegmentCase { 0.15f, 1, 0.5f },
                       SegmentCase { 0.275f, 2, 0.5f }, SegmentCase { 0.8f, 5, 1.0f }, SegmentCase { 0.9f, 6, 0.5f },
                       SegmentCase { 1.0f, 6, 1.0f }, SegmentCase { 1.7f, 6, 1.0f }, SegmentCase { -0.5f, 0, 0.0f }));

TEST (LoudnessMatcher, OddChunksKeepTheDecimatedRhythm)
{
    // Decimation 2: the analysed samples are the even running sample numbers.
    LoudnessMatcher m;
    prepareFor (m, 1, 48000.0, 1);
    const auto chunk = sineBuffer (1, 3, 0.1f, 0.01);
    for (int expected : { 2, 1, 2, 1, 2 }) // numbers 0,2 | 4 | 6,8 | 10 | 12,14
    {
        m.analyseInput (chunk, 1, 0.5f, true);
        EXPECT_EQ (m.blockSamples, expected);
    }
    EXPECT_EQ (m.inputPhase, 15u);

    // A single sample on an odd running number holds no analysed position.
    m.analyseInput (sineBuffer (1, 1, 0.1f, 0.01), 1, 0.5f, true);
    EXPECT_EQ (m.blockSamples, 0);
    const double before = m.longCount;
    m.integrate (true);
    EXPECT_EQ (m.longCount, before);
}

TEST (LoudnessMatcher, StereoAlternatesChannelsAcrossChunks)
{
    LoudnessMatcher m;
    prepareFor (m, 0, 48000.0, 2);
    // Left carries the signal, right is silent: only the analysed left samples add energy.
    juce::AudioBuffer<float> chunk (2, 5);
    chunk.clear();
    for (int i = 0; i < 5; ++i)
        chunk.setSample (0, i, 0.5f);

    m.analyseInput (chunk, 2, 0.0f, true); // positions 0 (L), 2 (R), 4 (L)
    EXPECT_EQ (m.blockSamples, 3);
    EXPECT_EQ (m.inputToggle, 3u);
    EXPECT_EQ (m.outputToggle, 0u);
    EXPECT_NE (m.inputStates[0].shelfZ1, 0.0f);
    EXPECT_EQ (m.inputStates[1].shelfZ1, 0.0f);

    // Next chunk starts at running number 5: positions 6 (R), 8 (L).
    m.analyseInput (chunk, 2, 0.0f, true);
    EXPECT_EQ (m.blockSamples, 2);
    EXPECT_EQ (m.outputToggle, 3u);
    EXPECT_EQ (m.inputToggle, 5u);
}

struct GainCase
{
    int mode;
    float drive;
    float outputFactor; // the "stage output" is the input times this
    float expectedGain;
};

using MatcherTargets = ::testing::TestWithParam<GainCase>;

// With the output a scaled copy of the input, the corrected prediction is the
// output energy itself, so the target is 1 / factor, clamped to -40..+24 dB.
TEST_P (MatcherTargets, TargetUndoesAScaledOutput)
{
    const auto c = GetParam();
    LoudnessMatcher m;
    prepareFor (m, c.mode, 48000.0, 2);
    EXPECT_EQ (m.targetGain (0.123f), 0.123f); // nothing measured yet

    for (int block = 0; block < 20; ++block)
    {
        auto in = sineBuffer (2, 480, 0.3f, 0.0123, block * 480);
        auto out = in;
        out.applyGain (c.outputFactor);
        runBlock (m, in, out, 2, c.drive);
    }
    EXPECT_NEAR (m.targetGain (0.123f), c.expectedGain, c.expectedGain * 1e-3f);
}

INSTANTIATE_TEST_SUITE_P (Factors, MatcherTargets,
    ::testing::Values (GainCase { 0, 0.0f, 1.0f, 1.0f }, GainCase { 1, 0.42f, 0.5f, 2.0f },
                       GainCase { 2, 1.0f, 10.0f, 0.1f }, GainCase { 0, 0.7f, 1000.0f, 0.01f },
                       GainCase { 1, 0.2f, 1e-3f, 15.849f }, GainCase { 2, 0.05f, 4.0f, 0.25f }));

TEST (LoudnessMatcher, FirstAudibleBlockSetsTheAverages)
{
    LoudnessMatcher m;
    prepareFor (m, 1, 48000.0, 1);
    const auto in = sineBuffer (1, 512, 0.2f, 0.01);
    runBlock (m, in, in, 1, 0.3f);
    const float n = (float) m.blockSamples;
    EXPECT_EQ (m.longCount, 256.0);
    EXPECT_FLOAT_EQ (m.inputEnergyAvg, m.inputEnergy / n);
    for (int k = 0; k < LoudnessMatcher::numPoints; ++k)
        EXPECT_FLOAT_EQ (m.modelEnergyAvg[k], m.modelEnergy[k] / n);
}

TEST (LoudnessMatcher, SilenceFreezesAveragesButTheTargetFollowsDrive)
{
    LoudnessMatcher m;
    prepareFor (m, 0, 48000.0, 1);
    juce::AudioBuffer<float> silence (1, 512);
    silence.clear();
    auto analyse = [&m] (const juce::AudioBuffer<float>& b, float drive) { runBlock (m, b, b, 1, drive); };

    analyse (sineBuffer (1, 512, 0.5f, 0.01), 0.5f);
    for (int i = 0; i < 4; ++i) // the K filters ring out
        analyse (silence, 0.5f);

    const double longCount = m.longCount;
    const float avg = m.inputEnergyAvg, out = m.outputEnergyAvg;
    const float atHalf = m.targetGain (1.0f);
    for (int i = 0; i < 10; ++i)
        analyse (silence, 1.0f);

    EXPECT_EQ (m.longCount, longCount);
    EXPECT_EQ (m.inputEnergyAvg, avg);
    EXPECT_EQ (m.outputEnergyAvg, out);
    EXPECT_NE (m.targetGain (1.0f), atHalf); // the held model averages follow the new drive
}

TEST (LoudnessMatcher, ExtremeInputStaysFinite)
{
    LoudnessMatcher m;
    prepareFor (m, 2, 48000.0, 2);
    for (int block = 0; block < 50; ++block)
    {
        juce::AudioBuffer<float> in (2, 8192);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 8192; ++i)
                in.setSample (c, i, (i / 3) % 2 == 0 ? 1e4f : -1e4f);
        runBlock (m, in, in, 2, 1.0f);
        ASSERT_TRUE (std::isfinite (m.inputEnergy) && std::isfinite (m.outputEnergy));
        const float g = m.targetGain (1.0f);
        ASSERT_TRUE (g >= 0.01f && g <= 15.85f);
    }
}

TEST (LoudnessMatcher, ResetForgetsTheMeasurement)
{
    LoudnessMatcher m;
    prepareFor (m, 1, 44100.0, 2);
    const auto in = sineBuffer (2, 300, 0.3f, 0.01);
    runBlock (m, in, in, 2, 0.5f);
    m.smoothedGain = 0.7f;
    m.reset();
    EXPECT_EQ (m.longCount, 0.0);
    EXPECT_EQ (m.shortCount, 0.0);
    EXPECT_EQ (m.inputPhase, 0u);
    EXPECT_EQ (m.inputToggle, 0u);
    EXPECT_EQ (m.inputStates[0].shelfZ1, 0.0f);
    EXPECT_EQ (m.modelStates[1].highpassZ2[7], 0.0f);
    EXPECT_LT (m.smoothedGain, 0.0f);
    EXPECT_EQ (m.targetGain (0.5f), 0.5f);
}
} // namespace
