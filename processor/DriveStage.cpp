#include "DriveStage.h"

#include "AntialiasedShaper.h"
#include "HissRandom.h"
#include "ShaperCurves.h"

#include <algorithm>
#include <cmath>

namespace
{
constexpr float pi = 3.1415927f;

// A level in dB as a linear gain; 0 at or below -100 dB instead of a tiny factor.
inline float dbToGain (float db) noexcept
{
    return db <= -100.0f ? 0.0f : std::pow (10.0f, db * 0.05f);
}

// One-pole coefficient for a cut-off held inside [lo, hi].
inline float onePoleCoefficient (float hz, float lo, float hi, float rate) noexcept
{
    return std::tan (juce::jlimit (lo, hi, hz) * pi / rate);
}

// A buffer that refers to channels of another buffer's memory (no copy; no heap
// for two channels).
inline juce::AudioBuffer<float> channelView (float* const* data, int channelCount, int start, int length) noexcept
{
    return juce::AudioBuffer<float> (data, channelCount, start, length);
}
} // namespace

DriveStage::DriveStage() = default;

DriveStage::~DriveStage()
{
    gainRamp = {};
    oversampler.reset();
}

//==============================================================================
void DriveStage::prepare (int modeIndex, double newSampleRate, int maxBlockSize, int channelCount)
{
    mode = stageModeFromIndex (modeIndex);
    voicing = StageVoicing::forMode (mode);
    sampleRate = newSampleRate;
    numChannels = juce::jlimit (1, 2, channelCount);
    maxChunk = std::max (16, maxBlockSize);

    oversampler.reset();
    oversampler = std::make_unique<juce::dsp::Oversampling<float>> (
        (size_t) numChannels, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
    oversampler->initProcessing ((size_t) maxChunk);

    oversampledRate = 2.0 * sampleRate;

    // Scratch rows: the shaper input needs one extra slot in front for the
    // previous chunk's last input.
    const size_t row = (size_t) (2 * maxChunk + 1);
    scratch.assign (row * 6, 0.0f);
    for (int c = 0; c < 2; ++c)
    {
        shaperInput[c] = scratch.data() + row * (size_t) (3 * c);
        antiderivative[c] = shaperInput[c] + row;
        biasRow[c] = antiderivative[c] + row;
    }

    const float fs = (float) sampleRate;
    const float fo = (float) oversampledRate;
    for (int c = 0; c < numChannels; ++c)
    {
        auto& st = channels[(size_t) c];
        st.detune = c == 0 ? 0.98f : 1.02f;
        st.envelopeCoef = 1.0f - std::exp ((st.detune * voicing.envelopeHz * -6.2831855f) / fo);
        st.dcBlock.g = std::tan (std::min (0.45f * fs, 8.0f) * pi / fs);
        st.hissLp.g = onePoleCoefficient (voicing.noiseLowpassHz, 5.0f, 0.45f * fs, fs);
        if (voicing.rareDcHz > 0.0f)
            st.interstageHp.g = onePoleCoefficient (st.detune * voicing.rareDcHz, 5.0f, 0.45f * fo, fo);
        st.hissRandom.setSeed (modeIndex * 977 + 908556 + c);
    }

    updateFilters (0.0f, 0.0f);
    reset();
    applyCalibration();
    matcher.prepare ((int) mode, voicing.inputGain, voicing.driveRangeDb, voicing.driveCurve, 1.6f,
                     sampleRate, numChannels);
    gainRamp.assign ((size_t) maxChunk, 1.0f);
}

void DriveStage::reset() noexcept
{
    if (oversampler != nullptr)
        oversampler->reset();

    for (auto& st : channels)
    {
        for (auto* f : { &st.preHp, &st.postHp, &st.interstageHp, &st.outputLp, &st.dcBlock, &st.hissLp })
            f->s = 0.0f;
        st.peak1.clear();
        st.peak2.clear();
        st.envelope = 0.0f;
        st.gridState = 0.0f;
        st.slewPrev = 0.0f;
        st.adaa1Input = st.adaa2Input = 0.0f;
        st.adaa1Antiderivative = st.adaa2Antiderivative = 0.0f; // F(0) of every curve
    }

    heat = 0.0f;
    matcher.reset();
}

//==============================================================================
void DriveStage::process (juce::AudioBuffer<float>& buffer, float drive, bool analyse) noexcept
{
    const int total = buffer.getNumSamples();
    const int n = std::min (buffer.getNumChannels(), numChannels);
    if (total == 0 || n <= 0 || oversampler == nullptr)
        return;

    biteCount = 0;
    sampleCount = 0;

    float* data[2] {};
    for (int c = 0; c < n; ++c)
        data[c] = buffer.getWritePointer (c);

    for (int start = 0; start < total; start += maxChunk)
    {
        auto view = channelView (data, n, start, std::min (total - start, maxChunk));
        processChunk (view, drive, analyse);
    }
}

void DriveStage::processChunk (juce::AudioBuffer<float>& chunk, float drive, bool analyse) noexcept
{
    const int length = chunk.getNumSamples();
    const int n = std::min (chunk.getNumChannels(), numChannels);
    const auto& v = voicing;
    jassert (length <= maxChunk); // gainRamp, the scratch rows and the oversampler hold maxChunk

    const float o = std::pow (juce::jlimit (0.0f, 1.0f, drive), v.driveCurve);
    shapedDrive = o;
    gridDepth = (o * v.gridAmount) * o;
    slewRate = v.slewAmount > 0.0f ? ((1.0f - o) * 20.0f + 1.0f) * v.slewAmount : 0.0f;
    const float preGain = dbToGain (o * v.driveRangeDb) * v.inputGain;
    const float outScale = (1.0f - heat * 0.1f * v.thermalAmount) * (1.0f / (v.inputGain * 1.6f));

    float rms = 0.0f;
    for (int c = 0; c < n; ++c)
        rms = std::max (rms, chunk.getRMSLevel (c, 0, length));
    const float level = std::min (1.0f, 4.0f * rms);

    if (v.thermalAmount > 0.0f)
    {
        const float target = o * level;
        const float tau = target > heat ? 1.5f : 4.0f;
        heat = (1.0f - std::exp (-((float) length / (float) sampleRate) / tau)) * (target - heat) + heat;
    }
    else
    {
        heat = 0.0f;
    }

    updateFilters (drive, level);

    if (analyse)
        matcher.analyseInput (chunk, n, drive, true);

    if (n == 2)
        applyPreGain<2> (chunk, preGain);
    else
        applyPreGain<1> (chunk, preGain);

    auto up = oversampler->processSamplesUp (
        juce::dsp::AudioBlock<const float> (chunk.getArrayOfReadPointers(), (size_t) n, (size_t) length));

    switch (mode)
    {
        case StageMode::Rare: shapeRare (up, n); break;
        case StageMode::Medium: shapeMedium (up, n); break;
        case StageMode::Well: shapeWell (up, n); break;
    }

    juce::dsp::AudioBlock<float> down (chunk.getArrayOfWritePointers(), (size_t) n, (size_t) length);
    oversampler->processSamplesDown (down);

    if (n == 2)
        applyOutputChain<2> (chunk, outScale);
    else
        applyOutputChain<1> (chunk, outScale);

    if (analyse)
        applyGainAndHiss (chunk, n, drive);
}

// Pre-gain and pre-highpass, the channels run in lockstep so that their
// filter recurrences overlap.
template <int NC>
void DriveStage::applyPreGain (juce::AudioBuffer<float>& chunk, float preGain) noexcept
{
    const int length = chunk.getNumSamples();
    float* data[NC];
    OnePole hp[NC];
    for (int c = 0; c < NC; ++c)
    {
        data[c] = chunk.getWritePointer (c);
        hp[c] = channels[(size_t) c].preHp;
    }

    for (int i = 0; i < length; ++i)
        for (int c = 0; c < NC; ++c)
            data[c][i] = hp[c].highpass (preGain * data[c][i]);

    for (int c = 0; c < NC; ++c)
        channels[(size_t) c].preHp = hp[c];
}

// Output scale, DC blocker, post-highpass, the enabled equalisers and the lowpass.
// Filters are copied to locals: the samples are floats too, so the compiler
// would otherwise reload every state after each store.
template <int NC>
void DriveStage::applyOutputChain (juce::AudioBuffer<float>& chunk, float outScale) noexcept
{
    const int length = chunk.getNumSamples();
    const bool usePeak1 = voicing.peak1Db > 0.0f;
    const bool usePeak2 = voicing.peak2Db > 0.0f;

    float* data[NC];
    OnePole dc[NC], post[NC], lp[NC];
    Biquad p1[NC], p2[NC];
    for (int c = 0; c < NC; ++c)
    {
        auto& st = channels[(size_t) c];
        data[c] = chunk.getWritePointer (c);
        dc[c] = st.dcBlock;
        post[c] = st.postHp;
        lp[c] = st.outputLp;
        p1[c] = st.peak1;
        p2[c] = st.peak2;
    }

    for (int i = 0; i < length; ++i)
    {
        for (int c = 0; c < NC; ++c)
        {
            float y = outScale * data[c][i];
            y = dc[c].highpass (y);
            y = post[c].highpass (y);
            if (usePeak1)
                y = p1[c].process (y);
            if (usePeak2)
                y = p2[c].process (y);
            data[c][i] = lp[c].lowpass (y);
        }
    }

    for (int c = 0; c < NC; ++c)
    {
        auto& st = channels[(size_t) c];
        st.dcBlock = dc[c];
        st.postHp = post[c];
        st.outputLp = lp[c];
        st.peak1 = p1[c];
        st.peak2 = p2[c];
    }
}

// Loudness matching and hiss, for analysed chunks only.
void DriveStage::applyGainAndHiss (juce::AudioBuffer<float>& chunk, int n, float drive) noexcept
{
    const int length = chunk.getNumSamples();
    const float fs = (float) sampleRate;

    matcher.analyseOutput (chunk, n);
    matcher.integrate (true);
    const float tableGain = compensationGain (drive);
    const float target = matcher.targetGain (tableGain);

    float g = matcher.smoothedGain < 0.0f ? target : matcher.smoothedGain;
    const float k = 1.0f - std::exp (-1.0f / (fs * 0.01f));
    float* ramp = gainRamp.data();
    for (int i = 0; i < length; ++i)
    {
        g = (target - g) * k + g;
        ramp[i] = g;
    }
    matcher.smoothedGain = g;

    const float h = (voicing.noiseTopDb - voicing.noiseFloorDb) * drive + voicing.noiseFloorDb;
    const float hissGain = (dbToGain (h) + dbToGain (h)) * tableGain;

    if (n == 2)
        applyHiss<2> (chunk, hissGain);
    else
        applyHiss<1> (chunk, hissGain);
}

// Each channel draws from its own generator, so running them in lockstep gives
// the same numbers as one channel after the other.
template <int NC>
void DriveStage::applyHiss (juce::AudioBuffer<float>& chunk, float hissGain) noexcept
{
    const int length = chunk.getNumSamples();
    const float* ramp = gainRamp.data();
    float* data[NC];
    OnePole lp[NC];
    juce::int64 seed[NC];
    for (int c = 0; c < NC; ++c)
    {
        auto& st = channels[(size_t) c];
        data[c] = chunk.getWritePointer (c);
        lp[c] = st.hissLp;
        seed[c] = st.hissRandom.getSeed();
    }

    for (int i = 0; i < length; ++i)
    {
        for (int c = 0; c < NC; ++c)
        {
            const float r = HissRandom::nextFloat (seed[c]);
            const float noise = lp[c].lowpass ((r + r) - 1.0f);
            data[c][i] = ramp[i] * data[c][i] + noise * hissGain;
        }
    }

    for (int c = 0; c < NC; ++c)
    {
        auto& st = channels[(size_t) c];
        st.hissLp = lp[c];
        st.hissRandom.setSeed (seed[c]);
    }
}

//==============================================================================
void DriveStage::updateFilters (float drive, float level) noexcept
{
    const auto& v = voicing;
    const float fs = (float) sampleRate;
    const float top = 0.45f * fs;
    const float x = juce::jlimit (0.0f, 1.0f, drive * 0.6f + level * 0.4f);
    const float preHz = x * v.preHighpassSlopeHz + v.preHighpassBaseHz;
    const float postHz = x * v.postHighpassSlopeHz + v.postHighpassBaseHz;
    const float lpHz = std::max ((1.0f - heat * 0.14f * v.thermalAmount) * (x * v.lowpassSlopeHz + v.lowpassBaseHz), 2000.0f);

    for (int c = 0; c < numChannels; ++c)
    {
        auto& st = channels[(size_t) c];
        const float r = st.detune;
        st.preHp.g = onePoleCoefficient (r * preHz, 5.0f, top, fs);
        st.postHp.g = onePoleCoefficient (r * postHz, 5.0f, top, fs);
        st.outputLp.g = onePoleCoefficient (r * lpHz, 5.0f, top, fs);
        if (v.peak1Db > 0.0f)
            st.peak1.setPeak (juce::jlimit (20.0f, top, r * v.peak1Hz), v.peak1Q, v.peak1Db * x, fs);
        if (v.peak2Db > 0.0f)
            st.peak2.setPeak (juce::jlimit (20.0f, top, r * v.peak2Hz), v.peak2Q, v.peak2Db, fs);
    }
}

float DriveStage::compensationGain (float drive) const noexcept
{
    int i = 0;
    float f = 0.0f;
    if (drive >= 0.0f) // NaN takes the drive-0 entry
    {
        const float p = std::min (drive, 1.0f) * 47.0f;
        i = juce::jlimit (0, tableSize - 2, (int) p);
        f = p - (float) i;
    }
    return dbToGain ((1.0f - f) * compensationDb[(size_t) i] + f * compensationDb[(size_t) i + 1]);
}

//==============================================================================
void DriveStage::shapeRare (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept
{
    shapeBlock<RareCurve> (block, channelCount);
}

void DriveStage::shapeMedium (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept
{
    shapeBlock<MediumCurve> (block, channelCount);
}

void DriveStage::shapeWell (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept
{
    shapeBlock<WellCurve> (block, channelCount);
}

// The per-sample core at the oversampled rate. The recurrences (envelope, grid,
// interstage highpass, slew) run with both channels in lockstep; the two
// antialiased shapers have no recurrence of their own beyond the previous
// input, so they run as plain loops over the chunk that the compiler vectorises.
template <typename Curve>
void DriveStage::shapeBlock (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept
{
    const int n = std::min (channelCount, numChannels);
    const int length = (int) block.getNumSamples();
    if (n <= 0 || length <= 0)
        return;

    if (n == 2)
        shapeInputs<2> (block, length);
    else
        shapeInputs<1> (block, length);

    for (int c = 0; c < n; ++c)
    {
        auto& st = channels[(size_t) c];
        AntialiasedShaper::process<Curve> (shaperInput[c], block.getChannelPointer ((size_t) c), length,
                                           st.adaa1Input, st.adaa1Antiderivative, antiderivative[c]);
    }

    if (n == 2)
        prepareSecondShaper<2> (block, length);
    else
        prepareSecondShaper<1> (block, length);

    for (int c = 0; c < n; ++c)
    {
        auto& st = channels[(size_t) c];
        AntialiasedShaper::process<Curve> (shaperInput[c], block.getChannelPointer ((size_t) c), length,
                                           st.adaa2Input, st.adaa2Antiderivative, antiderivative[c]);
    }

    if (slewRate > 0.0f)
    {
        if (n == 2)
            limitSlew<2> (block, length);
        else
            limitSlew<1> (block, length);
    }
}

// Envelope follower, bias and grid blocking: writes the first shaper's input
// into shaperInput (from index 1) and the bias into biasRow.
template <int NC>
void DriveStage::shapeInputs (juce::dsp::AudioBlock<float>& block, int length) noexcept
{
    const float biasDepth = voicing.biasAmount * shapedDrive;
    const float depth = gridDepth;
    const bool grid = depth > 0.0f;

    const float* in[NC];
    float* u[NC];
    float* bias[NC];
    float env[NC], coef[NC], charge[NC];
    for (int c = 0; c < NC; ++c)
    {
        auto& st = channels[(size_t) c];
        in[c] = block.getChannelPointer ((size_t) c);
        u[c] = shaperInput[c] + 1;
        bias[c] = biasRow[c];
        env[c] = st.envelope;
        coef[c] = st.envelopeCoef;
        charge[c] = st.gridState;
    }

    for (int i = 0; i < length; ++i)
    {
        for (int c = 0; c < NC; ++c)
        {
            const float x = in[c][i];
            const float a = std::abs (x);
            env[c] = (a - env[c]) * coef[c] + env[c];
            const float b = (env[c] / (env[c] + 1.0f)) * biasDepth;
            if (grid)
            {
                const float over = a - gridThreshold;
                float g = charge[c];
                g = over > g ? (over - g) * gridCharge + g : g;
                charge[c] = std::min (gridMax, g * gridRelease);
            }
            bias[c][i] = b;
            u[c][i] = (b + x) - charge[c] * depth;
        }
    }

    for (int c = 0; c < NC; ++c)
    {
        auto& st = channels[(size_t) c];
        st.envelope = env[c];
        st.gridState = charge[c];
    }
}

// Between the shapers: interstage highpass (Rare), inner gain and half the
// bias; writes the second shaper's input into shaperInput (from index 1).
template <int NC>
void DriveStage::prepareSecondShaper (juce::dsp::AudioBlock<float>& block, int length) noexcept
{
    const float* y[NC];
    const float* bias[NC];
    float* v[NC];
    for (int c = 0; c < NC; ++c)
    {
        y[c] = block.getChannelPointer ((size_t) c);
        bias[c] = biasRow[c];
        v[c] = shaperInput[c] + 1;
    }

    if (voicing.rareDcHz > 0.0f)
    {
        OnePole hp[NC];
        for (int c = 0; c < NC; ++c)
            hp[c] = channels[(size_t) c].interstageHp;
        for (int i = 0; i < length; ++i)
            for (int c = 0; c < NC; ++c)
                v[c][i] = hp[c].highpass (y[c][i]) * 1.6f + bias[c][i] * 0.5f;
        for (int c = 0; c < NC; ++c)
            channels[(size_t) c].interstageHp = hp[c];
    }
    else
    {
        for (int c = 0; c < NC; ++c)
            for (int i = 0; i < length; ++i)
                v[c][i] = y[c][i] * 1.6f + bias[c][i] * 0.5f;
    }
}

template <int NC>
void DriveStage::limitSlew (juce::dsp::AudioBlock<float>& block, int length) noexcept
{
    const float rate = slewRate;
    float* data[NC];
    float prev[NC];
    int bites = 0;
    for (int c = 0; c < NC; ++c)
    {
        data[c] = block.getChannelPointer ((size_t) c);
        prev[c] = channels[(size_t) c].slewPrev;
    }

    for (int i = 0; i < length; ++i)
    {
        for (int c = 0; c < NC; ++c)
        {
            const float step = data[c][i] - prev[c];
            bites += std::abs (step) > rate ? 1 : 0;
            prev[c] = prev[c] + juce::jlimit (-rate, rate, step);
            data[c][i] = prev[c];
        }
    }

    for (int c = 0; c < NC; ++c)
        channels[(size_t) c].slewPrev = prev[c];
    biteCount += bites;
    sampleCount += NC * length;
}
