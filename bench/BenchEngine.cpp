// Cost of the drive engine against a plain 2x-oversampled tanh of the same
// oversampler design, and the cost of preparing the three stages.
//
// "rtf" is the realtime factor on one core: seconds of 48 kHz stereo audio
// processed per second of CPU time.

#include "CalibrationCache.h"
#include "DriveStage.h"
#include "TorvaneProcessor.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>

namespace
{
constexpr double rate = 48000.0;
constexpr int blockSize = 512;
constexpr int channelCount = 2;
constexpr int signalLength = 48000;

// One second of stereo noise at about -12 dBFS with a slow level swell, so that
// the envelope, heat and matcher see moving programme material.
const juce::AudioBuffer<float>& testSignal()
{
    static const juce::AudioBuffer<float> signal = []
    {
        juce::AudioBuffer<float> b (channelCount, signalLength);
        juce::Random random (1234);
        for (int c = 0; c < channelCount; ++c)
            for (int i = 0; i < signalLength; ++i)
            {
                const float swell = 0.5f + 0.5f * std::sin (6.2831853f * (float) i / (float) signalLength);
                b.setSample (c, i, 0.5f * swell * (random.nextFloat() * 2.0f - 1.0f));
            }
        return b;
    }();
    return signal;
}

// Copies the next block of the test signal into block (the same copy cost for
// the engine and the baseline).
struct SignalCursor
{
    int position = 0;

    void next (juce::AudioBuffer<float>& block)
    {
        for (int c = 0; c < channelCount; ++c)
            block.copyFrom (c, 0, testSignal(), c, position, blockSize);
        position = (position + blockSize) % (signalLength - blockSize);
    }
};

void reportRate (benchmark::State& state)
{
    const auto frames = (double) state.iterations() * blockSize;
    state.SetItemsProcessed ((int64_t) frames);
    state.counters["rtf"] = benchmark::Counter (frames / rate, benchmark::Counter::kIsRate);
    state.counters["ns_per_frame"] = benchmark::Counter (frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

// Arguments: mode (0 Rare, 1 Medium, 2 Well), drive x 100, or -1 for a ramp
// from 0 to 1 and back in 32-sample steps, as the processor feeds a ramping drive.
void BM_Stage (benchmark::State& state)
{
    const juce::ScopedNoDenormals noDenormals;
    const int mode = (int) state.range (0);
    const int driveArg = (int) state.range (1);

    DriveStage stage;
    stage.prepare (mode, rate, blockSize, channelCount);
    juce::AudioBuffer<float> block (channelCount, blockSize);
    SignalCursor cursor;
    float rampDrive = 0.0f, rampStep = 1.0f / 1500.0f;

    for (auto _ : state)
    {
        cursor.next (block);
        if (driveArg >= 0)
        {
            stage.process (block, (float) driveArg / 100.0f, true);
        }
        else
        {
            float* data[channelCount] { block.getWritePointer (0), block.getWritePointer (1) };
            for (int start = 0; start < blockSize; start += 32)
            {
                rampDrive += rampStep;
                if (rampDrive > 1.0f || rampDrive < 0.0f)
                    rampStep = -rampStep;
                juce::AudioBuffer<float> sub (data, channelCount, start, 32);
                stage.process (sub, juce::jlimit (0.0f, 1.0f, rampDrive), true);
            }
        }
        benchmark::DoNotOptimize (block.getReadPointer (0)[0]);
    }
    reportRate (state);
}
BENCHMARK (BM_Stage)
    ->ArgNames ({ "mode", "drive" })
    ->ArgsProduct ({ { 0, 1, 2 }, { 50, 100, -1 } });

// The baseline: the same oversampler design around plain std::tanh.
void BM_TanhBaseline (benchmark::State& state)
{
    const juce::ScopedNoDenormals noDenormals;
    juce::dsp::Oversampling<float> oversampler (channelCount, 1,
        juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
    oversampler.initProcessing (blockSize);
    juce::AudioBuffer<float> block (channelCount, blockSize);
    SignalCursor cursor;
    const float gain = 4.0f;

    for (auto _ : state)
    {
        cursor.next (block);
        juce::dsp::AudioBlock<float> io (block);
        auto up = oversampler.processSamplesUp (io);
        for (size_t c = 0; c < up.getNumChannels(); ++c)
        {
            float* d = up.getChannelPointer (c);
            for (size_t i = 0; i < up.getNumSamples(); ++i)
                d[i] = std::tanh (gain * d[i]);
        }
        oversampler.processSamplesDown (io);
        benchmark::DoNotOptimize (block.getReadPointer (0)[0]);
    }
    reportRate (state);
}
BENCHMARK (BM_TanhBaseline);

void prepareAll (std::array<DriveStage, 3>& stages)
{
    for (int i = 0; i < 3; ++i)
        stages[(size_t) i].prepare (i, rate, blockSize, channelCount);
}

// All three stages with an empty calibration cache: every calibration runs.
void BM_PrepareCold (benchmark::State& state)
{
    for (auto _ : state)
    {
        state.PauseTiming();
        CalibrationCache::clear();
        std::array<DriveStage, 3> stages;
        state.ResumeTiming();
        prepareAll (stages);
        benchmark::DoNotOptimize (stages[0].compensationDb[47]);
    }
}
BENCHMARK (BM_PrepareCold)->Unit (benchmark::kMillisecond)->MinTime (1.0);

// A second instance (new stages) and a repeated prepare of the same stages at
// the same settings: the calibration comes from the cache.
void BM_PrepareSecondInstance (benchmark::State& state)
{
    std::array<DriveStage, 3> warm;
    prepareAll (warm);
    for (auto _ : state)
    {
        std::array<DriveStage, 3> stages;
        prepareAll (stages);
        benchmark::DoNotOptimize (stages[0].compensationDb[47]);
    }
}
BENCHMARK (BM_PrepareSecondInstance)->Unit (benchmark::kMillisecond);

void BM_PrepareRepeated (benchmark::State& state)
{
    std::array<DriveStage, 3> stages;
    prepareAll (stages);
    for (auto _ : state)
    {
        prepareAll (stages);
        benchmark::DoNotOptimize (stages[0].compensationDb[47]);
    }
}
BENCHMARK (BM_PrepareRepeated)->Unit (benchmark::kMillisecond);
//==============================================================================
// The same through the whole processor: dry path, blend and published values
// around the current page's stage.
void setParameter (TorvaneProcessor& p, const char* id, float plainValue)
{
    auto* param = p.apvts.getParameter (id);
    param->setValueNotifyingHost (param->convertTo0to1 (plainValue));
}

void BM_Processor (benchmark::State& state)
{
    const juce::ScopedJuceInitialiser_GUI juceInit;
    const int page = (int) state.range (0);
    const int driveArg = (int) state.range (1);

    TorvaneProcessor processor;
    setParameter (processor, "page", (float) page);
    setParameter (processor, "drive", driveArg >= 0 ? (float) driveArg : 0.0f);
    processor.prepareToPlay (rate, blockSize);
    juce::AudioBuffer<float> block (channelCount, blockSize);
    juce::MidiBuffer midi;
    SignalCursor cursor;
    bool high = false;

    for (auto _ : state)
    {
        if (driveArg < 0) // a new target every block keeps the 20 ms smoother ramping
        {
            state.PauseTiming();
            high = ! high;
            setParameter (processor, "drive", high ? 100.0f : 0.0f);
            state.ResumeTiming();
        }
        cursor.next (block);
        processor.processBlock (block, midi);
        benchmark::DoNotOptimize (block.getReadPointer (0)[0]);
    }
    reportRate (state);
}
BENCHMARK (BM_Processor)
    ->ArgNames ({ "page", "drive" })
    ->ArgsProduct ({ { 0, 1, 2 }, { 50, 100, -1 } });

// prepareToPlay of the processor at 48 kHz: cold (every calibration runs) and
// repeated (the calibrations come from the cache).
void BM_ProcessorPrepare (benchmark::State& state)
{
    const juce::ScopedJuceInitialiser_GUI juceInit;
    const bool cold = state.range (0) != 0;
    TorvaneProcessor processor;
    processor.prepareToPlay (rate, blockSize);
    for (auto _ : state)
    {
        if (cold)
        {
            state.PauseTiming();
            CalibrationCache::clear();
            state.ResumeTiming();
        }
        processor.prepareToPlay (rate, blockSize);
    }
}
BENCHMARK (BM_ProcessorPrepare)->ArgName ("cold")->Arg (1)->Arg (0)->Unit (benchmark::kMillisecond);
} // namespace

BENCHMARK_MAIN();
