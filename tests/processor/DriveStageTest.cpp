// DriveStage: the chunk path against a plain transcription, the per-chunk
// values, the edges of the processing contract, and hostile input.

#include "DriveStage.h"
#include "HissRandom.h"
#include "ReferenceStage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>
#include <vector>

namespace
{
constexpr double rate = 48000.0;

// Programme material: two sines and noise, a different slice per block.
juce::AudioBuffer<float> programme (int channels, int length, float amplitude, int seed)
{
    juce::AudioBuffer<float> b (channels, length);
    juce::Random random (seed);
    for (int c = 0; c < channels; ++c)
        for (int i = 0; i < length; ++i)
        {
            const double t = (double) (seed * 1000 + i);
            const float s = (float) (0.6 * std::sin (0.0411 * t + c) + 0.3 * std::sin (0.31 * t))
                          + 0.1f * (random.nextFloat() * 2.0f - 1.0f);
            b.setSample (c, i, amplitude * s);
        }
    return b;
}

bool isSubnormal (float x) { return std::fpclassify (x) == FP_SUBNORMAL; }

//==============================================================================
using ChainCase = std::tuple<int, int, bool>; // mode, channels, analyse

class StageAgainstReference : public ::testing::TestWithParam<ChainCase>
{
};

TEST_P (StageAgainstReference, SameSamplesAndPublishedValues)
{
    const auto [mode, channels, analyse] = GetParam();
    const juce::ScopedNoDenormals noDenormals;
    DriveStage stage;
    stage.prepare (mode, rate, 256, channels);
    ReferenceStage reference (mode, rate, 256, channels, stage.compensationDb);

    // Lengths around and above the chunk size; drives inside and outside 0..1.
    const int lengths[] { 256, 37, 1, 700, 3, 512, 128 };
    const float drives[] { 0.0f, 0.3f, 1.0f, 0.77f, 1.2f, -0.2f, 0.55f };
    for (int b = 0; b < 7; ++b)
    {
        auto actual = programme (channels, lengths[b], 0.8f, b + 1);
        auto expected = actual;
        stage.process (actual, drives[b], analyse);
        reference.process (expected, drives[b], analyse);

        for (int c = 0; c < channels; ++c)
            for (int i = 0; i < lengths[b]; ++i)
                ASSERT_EQ (actual.getSample (c, i), expected.getSample (c, i))
                    << "block " << b << " channel " << c << " sample " << i;

        EXPECT_EQ (stage.heat, reference.heat);
        EXPECT_EQ (stage.gridDepth, reference.gridDepth);
        EXPECT_EQ (stage.biteCount, reference.bites);
        EXPECT_EQ (stage.sampleCount, reference.samples);
        for (int c = 0; c < channels; ++c)
            EXPECT_EQ (stage.channels[(size_t) c].gridState, reference.gridState (c));
    }
}

INSTANTIATE_TEST_SUITE_P (Modes, StageAgainstReference,
    ::testing::Combine (::testing::Values (0, 1, 2), ::testing::Values (1, 2), ::testing::Bool()));

//==============================================================================
TEST (StageVoicing, TableValues)
{
    const float expected[3][25] {
        { 0.055f, 30.8f, 1.8f, 0.45f, 2.5f, 22, 14, 25, 16, 30, 20000, -11000, 0, 0, 1, 0, 1, 0, -96, -78, 3000, 1, 0, 0, 0 },
        { 0.859f, 19.5f, 1.15f, 0.55f, 5, 0, 16, 20, 18, 55, 20000, -4500, 14000, 1.5f, 0.8f, 2200, 0.7f, 2, -94, -76, 6000, 0, 0.9f, 0, 0 },
        { 2.083f, 40, 0.55f, 0.35f, 4, 0, 20, 30, 22, 50, 19000, -8000, 0, 0, 1, 2000, 0.6f, 3, -92, -74, 9000, 0, 0, 0.22f, 0.7f },
    };
    static_assert (sizeof (StageVoicing) == 25 * sizeof (float));
    for (int m = 0; m < 3; ++m)
    {
        const auto v = StageVoicing::forMode (static_cast<StageMode> (m));
        const auto* fields = reinterpret_cast<const float*> (&v);
        for (int i = 0; i < 25; ++i)
            EXPECT_EQ (fields[i], expected[m][i]) << "mode " << m << " field " << i + 1;
    }
    EXPECT_EQ (stageModeFromIndex (7), StageMode::Well);
}

struct DriveCase
{
    int mode;
    float drive;
    float shaped, gridDepth, slewRate;
};

class StageDriveValues : public ::testing::TestWithParam<DriveCase>
{
};

TEST_P (StageDriveValues, ShapedDriveGridAndSlew)
{
    const auto c = GetParam();
    DriveStage stage;
    stage.prepare (c.mode, rate, 64, 1);
    auto block = programme (1, 64, 0.1f, 3);
    stage.process (block, c.drive, true);
    EXPECT_NEAR (stage.shapedDrive, c.shaped, 1e-5f);
    EXPECT_NEAR (stage.gridDepth, c.gridDepth, 1e-5f);
    EXPECT_NEAR (stage.slewRate, c.slewRate, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P (Edges, StageDriveValues,
    ::testing::Values (DriveCase { 0, 0.0f, 0.0f, 0.0f, 0.0f }, DriveCase { 1, 0.0f, 0.0f, 0.0f, 0.0f },
                       DriveCase { 2, 0.0f, 0.0f, 0.0f, 4.62f }, DriveCase { 1, 1.0f, 1.0f, 0.9f, 0.0f },
                       DriveCase { 2, 1.0f, 1.0f, 0.0f, 0.22f }, DriveCase { 1, 0.5f, 0.4506252f, 0.1827568f, 0.0f },
                       DriveCase { 2, 1.5f, 1.0f, 0.0f, 0.22f }, DriveCase { 0, -1.0f, 0.0f, 0.0f, 0.0f },
                       DriveCase { 2, 0.25f, 0.4665165f, 0.0f, 2.5673274f }));

//==============================================================================
TEST (DriveStage, ConstructedStageLeavesAudioAlone)
{
    DriveStage stage;
    EXPECT_EQ (stage.oversampler, nullptr);
    EXPECT_EQ (stage.numChannels, 2);
    EXPECT_EQ (stage.maxChunk, 512);
    EXPECT_EQ (stage.channels[1].detune, 1.0f);
    auto block = programme (2, 100, 0.5f, 1);
    const auto before = block;
    stage.biteCount = 5;
    stage.process (block, 0.5f, true);
    for (int i = 0; i < 100; ++i)
        ASSERT_EQ (block.getSample (0, i), before.getSample (0, i));
    EXPECT_EQ (stage.biteCount, 5);
}

TEST (DriveStage, EmptyBuffersChangeNothing)
{
    DriveStage stage;
    stage.prepare (2, rate, 128, 2);
    auto loud = programme (2, 128, 1.0f, 2);
    stage.process (loud, 1.0f, true);
    const int bites = stage.biteCount, count = stage.sampleCount;
    ASSERT_GT (count, 0);

    juce::AudioBuffer<float> noSamples (2, 0), noChannels (0, 64);
    stage.process (noSamples, 0.2f, true);
    stage.process (noChannels, 0.2f, true);
    EXPECT_EQ (stage.biteCount, bites);
    EXPECT_EQ (stage.sampleCount, count);
}

TEST (DriveStage, PrepareSetsUpOversamplerAndSizes)
{
    for (double r : { 44100.0, 48000.0, 96000.0 })
    {
        DriveStage stage;
        stage.prepare (1, r, 8, 5);
        EXPECT_EQ (stage.numChannels, 2);
        EXPECT_EQ (stage.maxChunk, 16);
        EXPECT_EQ (stage.oversampledRate, 2.0 * r);
        EXPECT_EQ (stage.gainRamp.size(), 16u);
        ASSERT_NE (stage.oversampler, nullptr);
        EXPECT_EQ (stage.oversampler->getLatencyInSamples(), 4.0f);
        EXPECT_LT (stage.matcher.smoothedGain, 0.0f);
    }
}

TEST (DriveStage, MonoUsesChannelZeroOnly)
{
    DriveStage stage;
    stage.channels[1].gridState = 0.5f; // must survive: a mono stage never touches channel 1
    stage.prepare (1, rate, 64, 1);
    EXPECT_EQ (stage.channels[0].detune, 0.98f);
    EXPECT_EQ (stage.channels[1].detune, 1.0f);
    EXPECT_EQ (stage.channels[1].dcBlock.g, 0.0f);

    auto block = programme (2, 64, 0.9f, 4);
    const auto before = block;
    stage.process (block, 1.0f, true);
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ (block.getSample (1, i), before.getSample (1, i)); // a channel beyond numChannels stays
    EXPECT_NE (block.getSample (0, 10), before.getSample (0, 10));

    stage.reset(); // reset clears both records' states, whatever numChannels
    EXPECT_EQ (stage.channels[1].gridState, 0.0f);
}

TEST (DriveStage, HeatRisesAndFallsWithItsTimeConstants)
{
    DriveStage rare;
    rare.prepare (0, rate, 480, 1);
    juce::AudioBuffer<float> block (1, 480);
    for (int i = 0; i < 480; ++i)
        block.setSample (0, i, i % 2 == 0 ? 0.5f : -0.5f); // rms 0.5: level 1
    rare.process (block, 1.0f, false);
    const double up = 1.0 - std::exp (-0.01 / 1.5);
    EXPECT_NEAR (rare.heat, up, 1e-6);

    block.clear();
    rare.process (block, 1.0f, false);
    EXPECT_NEAR (rare.heat, up * std::exp (-0.01 / 4.0), 1e-6);

    DriveStage medium;
    medium.prepare (1, rate, 480, 1);
    for (int i = 0; i < 480; ++i)
        block.setSample (0, i, 0.5f);
    medium.process (block, 1.0f, false);
    EXPECT_EQ (medium.heat, 0.0f);
}

TEST (DriveStage, SlewCountersCoverTheLatestCall)
{
    for (int mode : { 0, 1, 2 })
    {
        DriveStage stage;
        stage.prepare (mode, rate, 100, 2);
        juce::AudioBuffer<float> square (2, 250);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 250; ++i)
                square.setSample (c, i, (i / 20) % 2 == 0 ? 1.0f : -1.0f);
        stage.process (square, 1.0f, true);
        if (mode == 2)
        {
            EXPECT_EQ (stage.sampleCount, 2 * 2 * 250);
            EXPECT_GT (stage.biteCount, 0);
            EXPECT_LE (stage.biteCount, stage.sampleCount);
        }
        else
        {
            EXPECT_EQ (stage.sampleCount, 0);
            EXPECT_EQ (stage.biteCount, 0);
        }
    }
}

TEST (DriveStage, CompensationGainInterpolatesTheTable)
{
    DriveStage stage;
    for (int t = 0; t < 48; ++t)
        stage.compensationDb[(size_t) t] = -0.5f * (float) t;
    stage.compensationDb[47] = -120.0f;

    struct Case { float drive; float expected; };
    const Case cases[] {
        { -3.0f, 1.0f },
        { 0.0f, 1.0f },
        { 10.5f / 47.0f, std::pow (10.0f, -5.25f / 20.0f) },
        { 46.0f / 47.0f, std::pow (10.0f, -23.0f / 20.0f) },
        { 1.0f, 0.0f }, // -120 dB reads as silence
        { 5.0f, 0.0f },
    };
    for (const auto& c : cases)
        EXPECT_NEAR (stage.compensationGain (c.drive), c.expected, 1e-5f * std::max (1.0f, c.expected)) << c.drive;

    stage.compensationDb[47] = 6.0f;
    EXPECT_FLOAT_EQ (stage.compensationGain (1.0f), std::pow (10.0f, 0.3f));
}

TEST (DriveStage, ResetClearsSignalStateButKeepsCoefficients)
{
    const juce::ScopedNoDenormals noDenormals;
    DriveStage used, fresh;
    used.prepare (0, rate, 128, 2);
    fresh.prepare (0, rate, 128, 2);
    auto noise = programme (2, 900, 1.0f, 7);
    used.process (noise, 0.9f, false);
    const float g = used.channels[0].preHp.g;

    used.reset();
    EXPECT_EQ (used.heat, 0.0f);
    EXPECT_EQ (used.channels[0].preHp.s, 0.0f);
    EXPECT_EQ (used.channels[1].envelope, 0.0f);
    EXPECT_EQ (used.channels[0].adaa2Input, 0.0f);
    EXPECT_EQ (used.channels[0].preHp.g, g);
    EXPECT_LT (used.matcher.smoothedGain, 0.0f);

    // Without analysis (no hiss), a reset stage runs exactly like a fresh one.
    auto a = programme (2, 300, 0.7f, 8), b = a;
    used.process (a, 0.4f, false);
    fresh.process (b, 0.4f, false);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 300; ++i)
            ASSERT_EQ (a.getSample (c, i), b.getSample (c, i));
}

TEST (DriveStage, FirstAnalysedChunkAppliesTheTableGainAtOnce)
{
    for (int mode : { 0, 1, 2 })
    {
        DriveStage stage;
        stage.prepare (mode, rate, 256, 1);
        juce::AudioBuffer<float> silence (1, 256);
        silence.clear();
        stage.process (silence, 0.6f, true); // nothing measured: the target is the table's
        EXPECT_EQ (stage.matcher.smoothedGain, stage.compensationGain (0.6f)) << mode;
        EXPECT_EQ (stage.gainRamp[0], stage.compensationGain (0.6f)) << mode;
    }
}

TEST (DriveStage, NonAnalysingChunksLeaveTheMatcherAndGainAlone)
{
    DriveStage stage;
    stage.prepare (1, rate, 128, 2);
    auto block = programme (2, 128, 0.5f, 11);
    stage.process (block, 0.8f, true);
    const auto matcher = stage.matcher;
    const auto ramp = stage.gainRamp;

    auto more = programme (2, 300, 0.9f, 12);
    stage.process (more, 0.2f, false);
    EXPECT_EQ (stage.matcher.smoothedGain, matcher.smoothedGain);
    EXPECT_EQ (stage.matcher.longCount, matcher.longCount);
    EXPECT_EQ (stage.matcher.inputPhase, matcher.inputPhase);
    EXPECT_EQ (stage.matcher.outputEnergyAvg, matcher.outputEnergyAvg);
    EXPECT_EQ (stage.gainRamp, ramp);
}

TEST (DriveStage, SilenceGivesSilenceWithoutAnalysisAndHissWithIt)
{
    const juce::ScopedNoDenormals noDenormals;
    DriveStage stage;
    stage.prepare (0, rate, 4800, 1);
    juce::AudioBuffer<float> block (1, 4800);
    block.clear();
    stage.process (block, 0.0f, false);
    EXPECT_EQ (block.getMagnitude (0, 4800), 0.0f);

    // Hiss: uniform noise in [-1, 1) (variance 1/3) through a one-pole lowpass
    // at 3 kHz (noise bandwidth pi/2 x 3 kHz), times twice -96 dB, times the
    // drive-0 table gain (0 dB).
    stage.process (block, 0.0f, true);
    const double expected = std::sqrt (3.14159265 * 3000.0 / rate / 3.0) * 2.0 * std::pow (10.0, -96.0 / 20.0);
    EXPECT_NEAR (block.getRMSLevel (0, 0, 4800), expected, expected * 0.15);
}

TEST (DriveStage, HissRestartsAfterEveryPrepare)
{
    DriveStage stage;
    juce::AudioBuffer<float> first (2, 200), second (2, 200);
    first.clear();
    second.clear();
    stage.prepare (2, rate, 200, 2);
    stage.process (first, 0.5f, true);
    stage.prepare (2, rate, 200, 2);
    stage.process (second, 0.5f, true);
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 200; ++i)
            ASSERT_EQ (first.getSample (c, i), second.getSample (c, i));
    EXPECT_NE (first.getSample (0, 100), first.getSample (1, 100)); // each channel has its own generator
}

TEST (DriveStage, IdleAnalysisWorksOnEveryFourthCall)
{
    DriveStage stage;
    stage.prepare (1, rate, 256, 2);
    const auto input = programme (2, 600, 0.5f, 9);

    std::vector<double> counts;
    for (int call = 0; call < 9; ++call)
    {
        stage.analyseIdle (input, 2, call == 2 ? 0 : 600); // an empty call still counts
        counts.push_back (stage.matcher.longCount);
    }
    // 600 samples in chunks of 256, 256 and 88: 300 analysed at decimation 2.
    const std::vector<double> expected { 300, 300, 300, 300, 600, 600, 600, 600, 900 };
    EXPECT_EQ (counts, expected);
    EXPECT_EQ (stage.idleCounter, 9u);

    // Only the long, input-side measurement moves.
    EXPECT_EQ (stage.matcher.shortCount, 0.0);
    EXPECT_EQ (stage.matcher.outputStates[0].shelfZ1, 0.0f);
    EXPECT_LT (stage.matcher.smoothedGain, 0.0f);
    EXPECT_EQ (stage.matcher.segment, 0);
    EXPECT_EQ (stage.matcher.modelAtDrive, 0.0f);

    // The rhythm runs on across prepare and reset.
    stage.prepare (1, rate, 256, 2);
    stage.analyseIdle (input, 2, 600);
    EXPECT_EQ (stage.matcher.longCount, 0.0);
    EXPECT_EQ (stage.idleCounter, 10u);
}

TEST (HissRandom, FollowsJuceRandom)
{
    for (juce::int64 seed : { 908556LL, 909534LL, 0LL, 0xffffffffffffLL })
    {
        juce::Random reference (seed);
        juce::int64 state = seed;
        for (int i = 0; i < 100000; ++i)
            ASSERT_EQ (HissRandom::nextFloat (state), reference.nextFloat()) << seed << " draw " << i;
        EXPECT_EQ (state, reference.getSeed());
    }
}

//==============================================================================
class HostileInput : public ::testing::TestWithParam<int>
{
};

// Samples at the +-1e4 bound (the processor clamps anything beyond), then long
// silence: every sample stays finite, and the signal path decays to nothing
// without ever passing through subnormal numbers.
TEST_P (HostileInput, BoundedInputStaysFiniteAndDecays)
{
    const juce::ScopedNoDenormals noDenormals; // as the processor runs the stage
    const int mode = GetParam();
    DriveStage stage;
    stage.prepare (mode, rate, 512, 2);
    juce::AudioBuffer<float> block (2, 512);
    juce::Random random (99);

    for (int b = 0; b < 100; ++b)
    {
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 512; ++i)
                block.setSample (c, i, b % 3 == 0 ? (random.nextBool() ? 1e4f : -1e4f)
                                                  : (b % 3 == 1 ? 1e4f : (random.nextFloat() * 2e4f - 1e4f)));
        stage.process (block, b % 2 == 0 ? 1.0f : 0.37f, true);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 512; ++i)
                ASSERT_TRUE (std::isfinite (block.getSample (c, i))) << "block " << b;
    }
    const auto matcherGain = stage.matcher.smoothedGain;
    ASSERT_TRUE (std::isfinite (matcherGain) && matcherGain >= 0.0099f && matcherGain <= 63.1f);

    // Analysed silence: only the hiss remains, finite and never subnormal.
    for (int b = 0; b < 100; ++b)
    {
        block.clear();
        stage.process (block, 1.0f, true);
    }
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 512; ++i)
            ASSERT_TRUE (std::isfinite (block.getSample (c, i)) && ! isSubnormal (block.getSample (c, i)));
    EXPECT_LT (block.getMagnitude (0, 512), 0.1f);

    // Ten seconds of silence without hiss: the signal path itself dies away.
    for (int b = 0; b < 940; ++b)
    {
        block.clear();
        stage.process (block, 1.0f, false);
    }
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 512; ++i)
        {
            const float x = block.getSample (c, i);
            ASSERT_TRUE (x == 0.0f || (std::abs (x) < 1e-30f && ! isSubnormal (x))) << x;
        }
}

INSTANTIATE_TEST_SUITE_P (Modes, HostileInput, ::testing::Values (0, 1, 2));

// The analysis bound engages only above +24 dBFS: programme up to +-16 with level jumps
// of 40 dB and more, at drives across the range, gives the samples and the gain of a
// stage whose analysis has no bound.
TEST_P (HostileInput, SaneInputIsUntouchedByTheAnalysisBound)
{
    const juce::ScopedNoDenormals noDenormals;
    const int mode = GetParam();
    DriveStage bounded, unbounded;
    unbounded.matcher = LoudnessMatcher (std::numeric_limits<float>::infinity());
    for (auto* s : { &bounded, &unbounded })
        s->prepare (mode, rate, 512, 2);

    const float levels[] { 0.01f, 16.0f, 0.1f, 1.0f, 16.0f, 0.001f, 4.0f, 16.0f };
    const float drives[] { 0.0f, 0.6f, 1.0f, 0.3f, 0.85f, 0.1f, 1.0f, 0.45f };
    for (int b = 0; b < 240; ++b)
    {
        auto block = programme (2, 512, levels[(b / 10) % 8], b + 1);
        for (int c = 0; c < 2; ++c)
            block.setSample (c, 100, b % 2 == 0 ? 16.0f : -16.0f); // full-level peaks
        auto reference = block;
        const float drive = drives[(b / 30) % 8];
        bounded.process (block, drive, true);
        unbounded.process (reference, drive, true);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < 512; ++i)
                ASSERT_EQ (block.getSample (c, i), reference.getSample (c, i)) << "block " << b;
    }
    EXPECT_EQ (bounded.matcher.inputEnergyAvg, unbounded.matcher.inputEnergyAvg);
    EXPECT_EQ (bounded.matcher.smoothedGain, unbounded.matcher.smoothedGain);
}
} // namespace
