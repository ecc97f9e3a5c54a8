// DriveStage's loudness compensation: the calibration that fills
// compensationDb, its K-weighted level measurement, and the idle analysis.

#include "DriveStage.h"

#include "CalibrationCache.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr int settleSamples = 2048;

// Three-pole pink-noise approximation, -18 dBFS RMS over the measured part.
void fillTestSignal (juce::AudioBuffer<float>& buffer)
{
    juce::Random random (908449);
    float a = 0.0f, b = 0.0f, c = 0.0f;
    float* data = buffer.getWritePointer (0);
    const int length = buffer.getNumSamples();

    for (int i = 0; i < length; ++i)
    {
        const float w = 2.0f * random.nextFloat() - 1.0f;
        a = 0.099046f * w + 0.99765f * a;
        b = 0.963f * b + 0.2965164f * w;
        c = 0.57f * c + 1.0526913f * w;
        data[i] = (b + a) + c + 0.1848f * w;
    }

    double sum = 0.0;
    for (int i = settleSamples; i < length; ++i)
        sum += (double) (data[i] * data[i]);
    const float rms = (float) std::sqrt (sum / (double) (length - settleSamples));

    if (rms > 1e-9f)
    {
        const float scale = 0.1259f / rms;
        for (int i = 0; i < length; ++i)
            data[i] *= scale;
    }

    for (int ch = 1; ch < buffer.getNumChannels(); ++ch)
        buffer.copyFrom (ch, 0, buffer, 0, 0, length);
}
} // namespace

float DriveStage::kWeightedRms (KWeightingFilter& filter, const juce::AudioBuffer<float>& buffer,
                                int start, int length) noexcept
{
    filter.clear();
    if (length <= 0)
        return 0.0f;

    const float* data = buffer.getReadPointer (0);
    double sum = 0.0;
    for (int i = start; i < start + length; ++i)
    {
        const double y = filter.process (data[i]);
        sum += y * y;
    }
    return (float) std::sqrt (sum / (double) std::max (1, length));
}

// The calibration measures channel 0 only, and channel 0 of a stage runs the
// same whatever the channel count (its level, detune and filters do not depend
// on channel 1, which carries the same test signal). So each drive step is a
// mono run of channel 0, and two independent steps run side by side as the two
// lanes of one pass: each lane a copy of channel 0's record, with its own drive,
// heat and oversampler channel. Every lane computes exactly what a separate mono
// run of its step computes; the lanes only overlap their recurrences.
void DriveStage::calibrate()
{
    // Flush denormals so that the table does not depend on the calling thread's
    // floating-point mode (the audio thread always runs with them flushed).
    const juce::ScopedNoDenormals noDenormals;

    juce::AudioBuffer<float> test (1, calibrationLength);
    juce::AudioBuffer<float> work (2, calibrationLength);
    fillTestSignal (test);

    KWeightingFilter filter;
    filter.prepare ((float) sampleRate);
    const int measured = calibrationLength - settleSamples;
    const float ref = kWeightedRms (filter, test, settleSamples, measured);

    juce::dsp::Oversampling<float> pairOversampler (2, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
    pairOversampler.initProcessing ((size_t) maxChunk);

    StageChannelState lane = channels[0];
    clearChannel (lane);

    for (int t = 0; t < tableSize; t += 2)
    {
        work.copyFrom (0, 0, test, 0, 0, calibrationLength);
        work.copyFrom (1, 0, test, 0, 0, calibrationLength);
        StageChannelState states[2] { lane, lane };
        pairOversampler.reset();
        const float drives[2] { (float) t / 47.0f, (float) (t + 1) / 47.0f };
        calibratePair (work, drives, states, pairOversampler);

        for (int c = 0; c < 2; ++c)
        {
            float* channel[1] { work.getWritePointer (c) };
            const juce::AudioBuffer<float> output (channel, 1, calibrationLength);
            const float out = kWeightedRms (filter, output, settleSamples, measured);

            float db = 0.0f;
            if (out > 1e-9f)
            {
                const float r = out / std::max (1e-9f, ref);
                db = r > 0.0f ? std::max (20.0f * std::log10 (r), -100.0f) : -100.0f;
            }
            compensationDb[(size_t) (t + c)] = -db;
        }
    }

    const float t0 = compensationDb[0];
    for (auto& entry : compensationDb)
        entry = juce::jlimit (-36.0f, 36.0f, entry - t0 + voicing.calibrationOffsetDb);

    reset();
}

// One pass of two drive steps through the non-analysing chunk path, in chunks
// of maxChunk. Both lanes carry the same input, so the chunk level (which the
// mono run measures on its one channel) is channel 0's.
void DriveStage::calibratePair (juce::AudioBuffer<float>& pair, const float* drives, StageChannelState* states,
                                juce::dsp::Oversampling<float>& os) noexcept
{
    float laneHeat[2] {};
    LaneSettings settings[2];
    const int total = pair.getNumSamples();

    for (int start = 0; start < total; start += maxChunk)
    {
        const int length = std::min (maxChunk, total - start);
        const float level = std::min (1.0f, 4.0f * pair.getRMSLevel (0, start, length));

        for (int c = 0; c < 2; ++c)
        {
            const float o = std::pow (juce::jlimit (0.0f, 1.0f, drives[c]), voicing.driveCurve);
            settings[c] = laneSettings (o, laneHeat[c]);
            laneHeat[c] = nextHeat (laneHeat[c], o, level, length);
            tuneChannel (states[c], toneAmount (drives[c], level), laneHeat[c]);
        }

        float* data[2] { pair.getWritePointer (0) + start, pair.getWritePointer (1) + start };
        runSignalPath (data, 2, length, states, settings, os);
    }
}

// A table is shared only between stages whose calibration would be
// bit-identical: same character, same rate, same chunk length (chunks of 6144
// or more all process the test signal in one piece).
void DriveStage::applyCalibration()
{
    const CalibrationCache::Key key { (int) mode, sampleRate, std::min (maxChunk, calibrationLength) };
    if (CalibrationCache::find (key, compensationDb))
        return;

    calibrate();
    CalibrationCache::store (key, compensationDb);
}

void DriveStage::analyseIdle (const juce::AudioBuffer<float>& buffer, int channelCount, int numSamples) noexcept
{
    const auto call = idleCounter++;
    if (call % 4 != 0)
        return;

    const int c = std::min ({ channelCount, buffer.getNumChannels(), numChannels });
    const int total = std::min (numSamples, buffer.getNumSamples());
    if (c < 1 || total < 1)
        return;

    // Views of the caller's buffer; the matcher only reads them.
    float* data[2] {};
    for (int ch = 0; ch < c; ++ch)
        data[ch] = const_cast<float*> (buffer.getReadPointer (ch));

    for (int start = 0; start < total; start += maxChunk)
    {
        const juce::AudioBuffer<float> view (data, c, start, std::min (total - start, maxChunk));
        matcher.analyseInput (view, c, 0.0f, false);
        matcher.integrate (false);
    }
}
