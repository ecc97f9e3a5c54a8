// The calibration: its table, its measurement, and the sharing of finished
// tables between preparations.

#include "CalibrationCache.h"
#include "DriveStage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <thread>
#include <tuple>
#include <vector>

namespace
{
bool bitIdentical (const std::array<float, 48>& a, const std::array<float, 48>& b)
{
    return std::memcmp (a.data(), b.data(), sizeof (float) * 48) == 0;
}

using RateCase = std::tuple<int, double>; // mode, sample rate

class CalibrationTable : public ::testing::TestWithParam<RateCase>
{
};

TEST_P (CalibrationTable, RangeFirstEntryAndDirection)
{
    const auto [mode, sampleRate] = GetParam();
    DriveStage stage;
    stage.prepare (mode, sampleRate, 512, 2);
    const auto& t = stage.compensationDb;

    EXPECT_EQ (t[0], mode == 2 ? 0.7f : 0.0f);
    for (float db : t)
    {
        EXPECT_GE (db, -36.0f);
        EXPECT_LE (db, 36.0f);
    }
    // Every character gets louder with drive, so the correction falls.
    EXPECT_LT (t[47], t[0] - 3.0f);
    EXPECT_LT (t[24], t[0]);
}

INSTANTIATE_TEST_SUITE_P (ModesAndRates, CalibrationTable,
    ::testing::Combine (::testing::Values (0, 1, 2), ::testing::Values (44100.0, 48000.0, 96000.0)));

TEST (Calibration, PrepareLeavesTheStageCleared)
{
    DriveStage stage;
    stage.prepare (0, 48000.0, 512, 2);
    EXPECT_EQ (stage.heat, 0.0f);
    EXPECT_EQ (stage.channels[0].envelope, 0.0f);
    EXPECT_EQ (stage.channels[0].outputLp.s, 0.0f);
    EXPECT_EQ (stage.matcher.longCount, 0.0);
    EXPECT_LT (stage.matcher.smoothedGain, 0.0f);
}

// The stage calibrates in mono; that is sound only because channel 0 of a
// stereo run is bit-identical to a mono run on the same signal.
TEST (Calibration, ChannelZeroDoesNotDependOnTheChannelCount)
{
    for (int mode : { 0, 1, 2 })
    {
        DriveStage mono, stereo;
        mono.prepare (mode, 48000.0, 300, 1);
        stereo.prepare (mode, 48000.0, 300, 2);
        juce::AudioBuffer<float> one (1, 2000), two (2, 2000);
        juce::Random random (5);
        for (int i = 0; i < 2000; ++i)
        {
            const float x = 0.3f * (random.nextFloat() * 2.0f - 1.0f);
            one.setSample (0, i, x);
            two.setSample (0, i, x);
            two.setSample (1, i, x);
        }
        mono.process (one, 0.8f, false);
        stereo.process (two, 0.8f, false);
        for (int i = 0; i < 2000; ++i)
            ASSERT_EQ (one.getSample (0, i), two.getSample (0, i)) << "mode " << mode;
    }
}

// The calibration written out plainly, one drive step after another through
// the stage's public process call on a mono copy of the test signal.
std::array<float, 48> plainCalibration (int mode, double sampleRate, int maxBlock)
{
    const juce::ScopedNoDenormals noDenormals;
    DriveStage stage;
    stage.prepare (mode, sampleRate, maxBlock, 1);

    juce::AudioBuffer<float> test (1, 6144);
    juce::Random random (908449);
    float a = 0.0f, b = 0.0f, c = 0.0f;
    for (int i = 0; i < 6144; ++i)
    {
        const float w = 2.0f * random.nextFloat() - 1.0f;
        a = 0.099046f * w + 0.99765f * a;
        b = 0.963f * b + 0.2965164f * w;
        c = 0.57f * c + 1.0526913f * w;
        test.setSample (0, i, (b + a) + c + 0.1848f * w);
    }
    double sum = 0.0;
    for (int i = 2048; i < 6144; ++i)
        sum += (double) (test.getSample (0, i) * test.getSample (0, i));
    test.applyGain (0.1259f / (float) std::sqrt (sum / 4096.0));

    KWeightingFilter filter;
    filter.prepare ((float) sampleRate);
    const float ref = DriveStage::kWeightedRms (filter, test, 2048, 4096);

    std::array<float, 48> table {};
    for (int t = 0; t < 48; ++t)
    {
        juce::AudioBuffer<float> work (test);
        stage.reset();
        stage.process (work, (float) t / 47.0f, false);
        const float out = DriveStage::kWeightedRms (filter, work, 2048, 4096);
        float db = 0.0f;
        if (out > 1e-9f)
        {
            const float r = out / std::max (1e-9f, ref);
            db = r > 0.0f ? std::max (20.0f * std::log10 (r), -100.0f) : -100.0f;
        }
        table[(size_t) t] = -db;
    }
    const float t0 = table[0];
    const float offset = mode == 2 ? 0.7f : 0.0f;
    for (auto& entry : table)
        entry = std::min (36.0f, std::max (-36.0f, entry - t0 + offset));
    return table;
}

using PlainCase = std::tuple<int, double, int>; // mode, rate, maximum block size

class CalibrationTranscription : public ::testing::TestWithParam<PlainCase>
{
};

TEST_P (CalibrationTranscription, EqualsThePlainStepByStepCalibration)
{
    const auto [mode, sampleRate, block] = GetParam();
    DriveStage stage;
    stage.prepare (mode, sampleRate, block, 2);
    stage.calibrate();
    EXPECT_TRUE (bitIdentical (stage.compensationDb, plainCalibration (mode, sampleRate, block)));
}

INSTANTIATE_TEST_SUITE_P (Settings, CalibrationTranscription,
    ::testing::Combine (::testing::Values (0, 1, 2), ::testing::Values (44100.0, 96000.0), ::testing::Values (100, 512)));

using ShareCase = std::tuple<int, int, int>; // mode, channels, maximum block size

class CalibrationSharing : public ::testing::TestWithParam<ShareCase>
{
};

// A table taken from the cache equals a calibration run afresh, bit for bit.
TEST_P (CalibrationSharing, CachedTableEqualsAFreshCalibration)
{
    const auto [mode, channels, block] = GetParam();
    DriveStage first, second;
    first.prepare (mode, 44100.0, block, channels);
    second.prepare (mode, 44100.0, block, 3 - channels); // the other channel count shares it too

    DriveStage fresh;
    fresh.prepare (mode, 44100.0, block, channels);
    fresh.calibrate(); // always runs, never reads the cache

    EXPECT_TRUE (bitIdentical (first.compensationDb, fresh.compensationDb));
    EXPECT_TRUE (bitIdentical (second.compensationDb, fresh.compensationDb));
}

INSTANTIATE_TEST_SUITE_P (Settings, CalibrationSharing,
    ::testing::Combine (::testing::Values (0, 1, 2), ::testing::Values (1, 2), ::testing::Values (16, 500, 8192)));

TEST (Calibration, ChunksOfTheWholeSignalOrMoreGiveOneTable)
{
    for (int mode : { 0, 2 })
    {
        DriveStage a, b, c;
        a.prepare (mode, 48000.0, 6144, 1);
        b.prepare (mode, 48000.0, 10000, 1);
        c.prepare (mode, 48000.0, 512, 1);
        a.calibrate();
        b.calibrate();
        c.calibrate();
        EXPECT_TRUE (bitIdentical (a.compensationDb, b.compensationDb));
        // Shorter chunks retune the filters more often: a table of its own.
        EXPECT_FALSE (bitIdentical (a.compensationDb, c.compensationDb));
    }
}

TEST (Calibration, ConcurrentPreparesAgreeWithAFreshCalibration)
{
    CalibrationCache::clear();
    constexpr int threads = 6;
    std::vector<DriveStage> stages (threads);
    std::vector<std::thread> workers;
    for (int i = 0; i < threads; ++i)
        workers.emplace_back ([&stages, i] { stages[(size_t) i].prepare (i % 3, 32000.0, 256, 1 + i % 2); });
    for (auto& w : workers)
        w.join();

    for (int mode = 0; mode < 3; ++mode)
    {
        DriveStage fresh;
        fresh.prepare (mode, 32000.0, 256, 1);
        fresh.calibrate();
        for (int i = mode; i < threads; i += 3)
            EXPECT_TRUE (bitIdentical (stages[(size_t) i].compensationDb, fresh.compensationDb)) << i;
    }
}

TEST (Calibration, CacheKeepsOneTablePerSetting)
{
    CalibrationCache::clear();
    CalibrationCache::Table table {}, found {};
    table[3] = 1.5f;
    const CalibrationCache::Key key { 1, 48000.0, 512 };
    EXPECT_FALSE (CalibrationCache::find (key, found));
    CalibrationCache::store (key, table);
    ASSERT_TRUE (CalibrationCache::find (key, found));
    EXPECT_EQ (found[3], 1.5f);
    EXPECT_FALSE (CalibrationCache::find ({ 1, 48000.0, 513 }, found));
    EXPECT_FALSE (CalibrationCache::find ({ 2, 48000.0, 512 }, found));
    EXPECT_FALSE (CalibrationCache::find ({ 1, 44100.0, 512 }, found));
    CalibrationCache::clear();
}

//==============================================================================
struct KCase
{
    double hz;
    double expectedGainDb; // of the K-weighting at that frequency
};

class KWeightedLevel : public ::testing::TestWithParam<KCase>
{
};

// Expected gains of the analogue BS.1770 pre-filter: about +4 dB above 2 kHz,
// flat in the middle, and at 20 Hz the second-order 38.13 Hz highpass with
// Q = 0.5003: (f/fc)^2 / sqrt((1 - (f/fc)^2)^2 + (f/(fc Q))^2), -13.3 dB.
TEST_P (KWeightedLevel, SineLevelFollowsTheWeighting)
{
    const auto c = GetParam();
    const int length = 48000;
    juce::AudioBuffer<float> sine (1, length);
    for (int i = 0; i < length; ++i)
        sine.setSample (0, i, (float) std::sin (6.283185307179586 * c.hz * i / 48000.0));

    KWeightingFilter filter;
    filter.prepare (48000.0f);
    const float rms = DriveStage::kWeightedRms (filter, sine, 24000, 24000);
    EXPECT_NEAR (20.0 * std::log10 (rms / std::sqrt (0.5)), c.expectedGainDb, 0.3) << c.hz;
}

INSTANTIATE_TEST_SUITE_P (Frequencies, KWeightedLevel,
    ::testing::Values (KCase { 500.0, 0.0 }, KCase { 1000.0, 0.7 }, KCase { 10000.0, 4.0 }, KCase { 20.0, -13.3 }));

TEST (KWeightedRms, StartsColdAndHandlesEmptySpans)
{
    juce::AudioBuffer<float> b (1, 100);
    b.clear();
    b.setSample (0, 0, 1.0f);
    KWeightingFilter filter;
    filter.prepare (44100.0f);
    const float once = DriveStage::kWeightedRms (filter, b, 0, 100);
    EXPECT_GT (once, 0.0f);
    EXPECT_EQ (DriveStage::kWeightedRms (filter, b, 0, 100), once); // states zeroed first
    EXPECT_EQ (DriveStage::kWeightedRms (filter, b, 0, 0), 0.0f);
    EXPECT_EQ (DriveStage::kWeightedRms (filter, b, 50, -3), 0.0f);
}
} // namespace
