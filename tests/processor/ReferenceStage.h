#pragma once

// A plain, sample-by-sample transcription of the drive stage's chunk path,
// written without any of the engine's restructuring (no lockstep channels, no
// split loops, no scratch rows). The engine must produce the same samples.

#include "LoudnessMatcher.h"
#include "ShaperCurves.h"
#include "StageVoicing.h"

#include <juce_dsp/juce_dsp.h>

#include <array>
#include <cmath>
#include <memory>

class ReferenceStage
{
public:
    ReferenceStage (int modeIndex, double rate, int maxBlock, int channelCount, const std::array<float, 48>& table)
        : mode (modeIndex), v (StageVoicing::forMode (stageModeFromIndex (modeIndex))), fs ((float) rate),
          fo ((float) (2.0 * rate)), numChannels (channelCount), maxChunk (std::max (16, maxBlock)), compensation (table)
    {
        oversampler = std::make_unique<juce::dsp::Oversampling<float>> (
            (size_t) numChannels, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
        oversampler->initProcessing ((size_t) maxChunk);
        for (int c = 0; c < numChannels; ++c)
        {
            auto& s = ch[(size_t) c];
            s.detune = c == 0 ? 0.98f : 1.02f;
            s.envelopeCoef = 1.0f - std::exp ((s.detune * v.envelopeHz * -6.2831855f) / fo);
            s.dc.g = std::tan (std::min (0.45f * fs, 8.0f) * pi / fs);
            s.hissLp.g = std::tan (clamp (v.noiseLowpassHz, 5.0f, 0.45f * fs) * pi / fs);
            if (v.rareDcHz > 0.0f)
                s.inter.g = std::tan (clamp (s.detune * v.rareDcHz, 5.0f, 0.45f * fo) * pi / fo);
            s.random.setSeed (modeIndex * 977 + 908556 + c);
        }
        matcher.prepare (modeIndex, v.inputGain, v.driveRangeDb, v.driveCurve, 1.6f, rate, numChannels);
    }

    void process (juce::AudioBuffer<float>& buffer, float drive, bool analyse)
    {
        bites = samples = 0;
        for (int start = 0; start < buffer.getNumSamples(); start += maxChunk)
        {
            float* data[2] { buffer.getWritePointer (0), buffer.getWritePointer (std::min (1, buffer.getNumChannels() - 1)) };
            juce::AudioBuffer<float> view (data, std::min (numChannels, buffer.getNumChannels()), start,
                                           std::min (maxChunk, buffer.getNumSamples() - start));
            chunk (view, drive, analyse);
        }
    }

    float heat = 0.0f, gridDepth = 0.0f;
    int bites = 0, samples = 0;
    float gridState (int c) const { return ch[(size_t) c].grid; }

private:
    static constexpr float pi = 3.1415927f;

    struct Pole
    {
        float g = 0.0f, s = 0.0f;
        float lp (float x)
        {
            const float vv = ((x - s) * g) / (g + 1.0f);
            const float l = vv + s;
            s = vv + l;
            return l;
        }
        float hp (float x) { return x - lp (x); }
    };

    struct Bq
    {
        float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0, z1 = 0, z2 = 0;
        float run (float x)
        {
            const float y = b0 * x + z1;
            z1 = (b1 * x - a1 * y) + z2;
            z2 = b2 * x - a2 * y;
            return y;
        }
        void peak (float f0, float q, float gainDb, float rate)
        {
            const float A = std::pow (10.0f, gainDb / 40.0f);
            const float w0 = f0 * 6.2831855f / rate;
            const float alpha = std::sin (w0) / (2.0f * std::max (q, 0.05f));
            const float n = 1.0f / (alpha / A + 1.0f);
            b0 = (alpha * A + 1.0f) * n;
            b1 = a1 = std::cos (w0) * -2.0f * n;
            b2 = (1.0f - alpha * A) * n;
            a2 = (1.0f - alpha / A) * n;
        }
    };

    struct Channel
    {
        Pole pre, post, inter, outLp, dc, hissLp;
        Bq p1, p2;
        float env = 0, envelopeCoef = 0, in1 = 0, F1 = 0, in2 = 0, F2 = 0, detune = 1, grid = 0, slew = 0;
        juce::Random random;
    };

    static float clamp (float x, float lo, float hi) { return x < lo ? lo : (x > hi ? hi : x); }
    static float db (float t) { return t <= -100.0f ? 0.0f : std::pow (10.0f, t * 0.05f); }

    float f (float u) const
    {
        return mode == 0 ? RareCurve::f (u) : (mode == 1 ? MediumCurve::f (u) : WellCurve::f (u));
    }
    float F (float u) const
    {
        return mode == 0 ? RareCurve::F (u) : (mode == 1 ? MediumCurve::F (u) : WellCurve::F (u));
    }

    float adaa (float u, float& prevIn, float& prevF) const
    {
        const float Fu = F (u);
        const float d = u - prevIn;
        float y = std::abs (d) < 1e-5f ? f ((u + prevIn) * 0.5f) : (Fu - prevF) / d;
        if (mode == 2 && ((u > 1.0f && prevIn > 1.0f) || (u < -1.0f && prevIn < -1.0f)))
            y = u > 0.0f ? 0.6666667f : -0.6666667f;
        prevIn = u;
        prevF = Fu;
        return y;
    }

    void chunk (juce::AudioBuffer<float>& buf, float drive, bool analyse)
    {
        const int N = buf.getNumSamples();
        const int n = std::min (buf.getNumChannels(), numChannels);
        const float o = std::pow (clamp (drive, 0.0f, 1.0f), v.driveCurve);
        gridDepth = (o * v.gridAmount) * o;
        const float slewRate = v.slewAmount > 0.0f ? ((1.0f - o) * 20.0f + 1.0f) * v.slewAmount : 0.0f;
        const float preGain = db (o * v.driveRangeDb) * v.inputGain;
        const float outScale = (1.0f - heat * 0.1f * v.thermalAmount) * (1.0f / (v.inputGain * 1.6f));
        float rms = 0.0f;
        for (int c = 0; c < n; ++c)
            rms = std::max (rms, buf.getRMSLevel (c, 0, N));
        const float level = std::min (1.0f, 4.0f * rms);
        if (v.thermalAmount > 0.0f)
        {
            const float target = o * level;
            const float tau = target > heat ? 1.5f : 4.0f;
            heat = (1.0f - std::exp (-((float) N / fs) / tau)) * (target - heat) + heat;
        }
        else
            heat = 0.0f;

        const float x = clamp (drive * 0.6f + level * 0.4f, 0.0f, 1.0f);
        const float preHz = x * v.preHighpassSlopeHz + v.preHighpassBaseHz;
        const float postHz = x * v.postHighpassSlopeHz + v.postHighpassBaseHz;
        const float lpHz = std::max ((1.0f - heat * 0.14f * v.thermalAmount) * (x * v.lowpassSlopeHz + v.lowpassBaseHz), 2000.0f);
        for (int c = 0; c < numChannels; ++c)
        {
            auto& s = ch[(size_t) c];
            const float r = s.detune;
            s.pre.g = std::tan (clamp (r * preHz, 5.0f, 0.45f * fs) * pi / fs);
            s.post.g = std::tan (clamp (r * postHz, 5.0f, 0.45f * fs) * pi / fs);
            s.outLp.g = std::tan (clamp (r * lpHz, 5.0f, 0.45f * fs) * pi / fs);
            if (v.peak1Db > 0.0f)
                s.p1.peak (clamp (r * v.peak1Hz, 20.0f, 0.45f * fs), v.peak1Q, v.peak1Db * x, fs);
            if (v.peak2Db > 0.0f)
                s.p2.peak (clamp (r * v.peak2Hz, 20.0f, 0.45f * fs), v.peak2Q, v.peak2Db, fs);
        }

        if (analyse)
            matcher.analyseInput (buf, n, drive, true);

        for (int c = 0; c < n; ++c)
            for (int i = 0; i < N; ++i)
                buf.setSample (c, i, ch[(size_t) c].pre.hp (preGain * buf.getSample (c, i)));

        auto up = oversampler->processSamplesUp (juce::dsp::AudioBlock<const float> (buf.getArrayOfReadPointers(), (size_t) n, (size_t) N));
        for (int c = 0; c < n; ++c)
        {
            auto& s = ch[(size_t) c];
            float* d = up.getChannelPointer ((size_t) c);
            for (int i = 0; i < 2 * N; ++i)
            {
                const float xs = d[i];
                const float a = std::abs (xs);
                s.env = (a - s.env) * s.envelopeCoef + s.env;
                const float bias = (s.env / (s.env + 1.0f)) * (v.biasAmount * o);
                if (gridDepth > 0.0f)
                {
                    const float over = a - 0.3f;
                    if (over > s.grid)
                        s.grid = (over - s.grid) * 0.02f + s.grid;
                    s.grid = s.grid * 0.9998f;
                    s.grid = std::min (1.2f, s.grid);
                }
                const float u = (bias + xs) - s.grid * gridDepth;
                float y = adaa (u, s.in1, s.F1);
                if (v.rareDcHz > 0.0f)
                    y = s.inter.hp (y);
                float z = adaa (y * 1.6f + bias * 0.5f, s.in2, s.F2);
                if (slewRate > 0.0f)
                {
                    ++samples;
                    if (std::abs (z - s.slew) > slewRate)
                        ++bites;
                    z = s.slew + clamp (z - s.slew, -slewRate, slewRate);
                    s.slew = z;
                }
                d[i] = z;
            }
        }
        juce::dsp::AudioBlock<float> down (buf.getArrayOfWritePointers(), (size_t) n, (size_t) N);
        oversampler->processSamplesDown (down);

        for (int c = 0; c < n; ++c)
        {
            auto& s = ch[(size_t) c];
            for (int i = 0; i < N; ++i)
            {
                float y = outScale * buf.getSample (c, i);
                y = s.dc.hp (y);
                y = s.post.hp (y);
                if (v.peak1Db > 0.0f)
                    y = s.p1.run (y);
                if (v.peak2Db > 0.0f)
                    y = s.p2.run (y);
                buf.setSample (c, i, s.outLp.lp (y));
            }
        }
        if (! analyse)
            return;

        matcher.analyseOutput (buf, n);
        matcher.integrate (true);
        const float p = drive < 0.0f ? 0.0f : std::min (drive, 1.0f) * 47.0f;
        const int ti = drive < 0.0f ? 0 : std::min (46, std::max (0, (int) p));
        const float tf = p - (float) ti;
        const float tableGain = db ((1.0f - tf) * compensation[(size_t) ti] + tf * compensation[(size_t) ti + 1]);
        const float target = matcher.targetGain (tableGain);
        if (smoothed < 0.0f)
            smoothed = target;
        const float k = 1.0f - std::exp (-1.0f / (fs * 0.01f));
        std::vector<float> ramp ((size_t) N);
        for (int i = 0; i < N; ++i)
        {
            smoothed = (target - smoothed) * k + smoothed;
            ramp[(size_t) i] = smoothed;
        }
        const float h = (v.noiseTopDb - v.noiseFloorDb) * drive + v.noiseFloorDb;
        const float hissGain = (db (h) + db (h)) * tableGain;
        for (int c = 0; c < n; ++c)
            for (int i = 0; i < N; ++i)
            {
                const float r = ch[(size_t) c].random.nextFloat();
                const float lp = ch[(size_t) c].hissLp.lp ((r + r) - 1.0f);
                buf.setSample (c, i, ramp[(size_t) i] * buf.getSample (c, i) + lp * hissGain);
            }
    }

    int mode;
    StageVoicing v;
    float fs, fo;
    int numChannels, maxChunk;
    std::array<float, 48> compensation;
    std::array<Channel, 2> ch;
    std::unique_ptr<juce::dsp::Oversampling<float>> oversampler;
    LoudnessMatcher matcher;
    float smoothed = -1.0f;
};
