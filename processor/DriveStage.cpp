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
        clearChannel (st);

    heat = 0.0f;
    matcher.reset();
}

// Clears a channel's signal state; coefficients, detune and the hiss generator stay.
void DriveStage::clearChannel (StageChannelState& st) noexcept
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
    jassert (length <= maxChunk); // gainRamp, the scratch rows and the oversampler hold maxChunk
    if (length <= 0 || n <= 0)
        return;

    const float o = std::pow (juce::jlimit (0.0f, 1.0f, drive), voicing.driveCurve);
    lanes[0] = laneSettings (o, heat); // the output scale takes the previous chunk's heat
    lanes[1] = lanes[0];
    shapedDrive = o;
    gridDepth = lanes[0].gridDepth;
    slewRate = lanes[0].slewRate;

    float rms = 0.0f;
    for (int c = 0; c < n; ++c)
        rms = std::max (rms, chunk.getRMSLevel (c, 0, length));
    const float level = std::min (1.0f, 4.0f * rms);

    heat = nextHeat (heat, o, level, length);
    updateFilters (drive, level);

    if (analyse)
        matcher.analyseInput (chunk, n, drive, true);

    float* data[2] { chunk.getWritePointer (0), chunk.getWritePointer (n - 1) };
    runSignalPath (data, n, length, channels.data(), lanes, *oversampler);

    if (analyse)
        applyGainAndHiss (chunk, n, drive);
}

DriveStage::LaneSettings DriveStage::laneSettings (float o, float previousHeat) const noexcept
{
    const auto& v = voicing;
    LaneSettings s;
    s.biasDepth = v.biasAmount * o;
    s.gridDepth = (o * v.gridAmount) * o;
    s.slewRate = v.slewAmount > 0.0f ? ((1.0f - o) * 20.0f + 1.0f) * v.slewAmount : 0.0f;
    s.preGain = dbToGain (o * v.driveRangeDb) * v.inputGain;
    s.outScale = (1.0f - previousHeat * 0.1f * v.thermalAmount) * (1.0f / (v.inputGain * 1.6f));
    return s;
}

// Thermal memory: rises towards drive x level with 1.5 s, falls with 4 s.
float DriveStage::nextHeat (float current, float o, float level, int length) const noexcept
{
    if (voicing.thermalAmount <= 0.0f)
        return 0.0f;

    const float target = o * level;
    const float tau = target > current ? 1.5f : 4.0f;
    return (1.0f - std::exp (-((float) length / (float) sampleRate) / tau)) * (target - current) + current;
}

// Steps 10 to 14 of a chunk on n lanes: pre-gain and highpass, 2x upsampling,
// the shapers, downsampling and the output filters.
void DriveStage::runSignalPath (float* const* data, int n, int length, StageChannelState* states,
                                const LaneSettings* settings, juce::dsp::Oversampling<float>& os) noexcept
{
    if (n == 2)
        applyPreGain<2> (data, length, states, settings);
    else
        applyPreGain<1> (data, length, states, settings);

    const float* input[2] { data[0], data[n - 1] };
    auto up = os.processSamplesUp (juce::dsp::AudioBlock<const float> (input, (size_t) n, (size_t) length));

    switch (mode)
    {
        case StageMode::Rare: shapeBlock<RareCurve> (up, n, states, settings); break;
        case StageMode::Medium: shapeBlock<MediumCurve> (up, n, states, settings); break;
        case StageMode::Well: shapeBlock<WellCurve> (up, n, states, settings); break;
    }

    juce::dsp::AudioBlock<float> down (data, (size_t) n, (size_t) length);
    os.processSamplesDown (down);

    if (n == 2)
        applyOutputChain<2> (data, length, states, settings);
    else
        applyOutputChain<1> (data, length, states, settings);
}

// Pre-gain and pre-highpass, the lanes in lockstep so that their filter
// recurrences overlap.
template <int NC>
void DriveStage::applyPreGain (float* const* data, int length, StageChannelState* states,
                               const LaneSettings* settings) noexcept
{
    OnePole hp[NC];
    float gain[NC];
    for (int c = 0; c < NC; ++c)
    {
        hp[c] = states[c].preHp;
        gain[c] = settings[c].preGain;
    }

    for (int i = 0; i < length; ++i)
        for (int c = 0; c < NC; ++c)
            data[c][i] = hp[c].highpass (gain[c] * data[c][i]);

    for (int c = 0; c < NC; ++c)
        states[c].preHp = hp[c];
}

// Output scale, DC blocker, post-highpass, the enabled equalisers and the lowpass.
// Filters are copied to locals: the samples are floats too, so the compiler
// would otherwise reload every state after each store.
template <int NC>
void DriveStage::applyOutputChain (float* const* data, int length, StageChannelState* states,
                                   const LaneSettings* settings) noexcept
{
    const bool usePeak1 = voicing.peak1Db > 0.0f;
    const bool usePeak2 = voicing.peak2Db > 0.0f;

    float scale[NC];
    OnePole dc[NC], post[NC], lp[NC];
    Biquad p1[NC], p2[NC];
    for (int c = 0; c < NC; ++c)
    {
        const auto& st = states[c];
        scale[c] = settings[c].outScale;
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
            float y = scale[c] * data[c][i];
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
        auto& st = states[c];
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
    const float x = toneAmount (drive, level);
    for (int c = 0; c < numChannels; ++c)
        tuneChannel (channels[(size_t) c], x, heat);
}

float DriveStage::toneAmount (float drive, float level) noexcept
{
    return juce::jlimit (0.0f, 1.0f, drive * 0.6f + level * 0.4f);
}

// The cut-offs and equalisers of one channel at tone amount x, each scaled by
// the channel's detune.
void DriveStage::tuneChannel (StageChannelState& st, float x, float stageHeat) const noexcept
{
    const auto& v = voicing;
    const float fs = (float) sampleRate;
    const float top = 0.45f * fs;
    const float preHz = x * v.preHighpassSlopeHz + v.preHighpassBaseHz;
    const float postHz = x * v.postHighpassSlopeHz + v.postHighpassBaseHz;
    const float lpHz = std::max ((1.0f - stageHeat * 0.14f * v.thermalAmount) * (x * v.lowpassSlopeHz + v.lowpassBaseHz), 2000.0f);
    const float r = st.detune;

    st.preHp.g = onePoleCoefficient (r * preHz, 5.0f, top, fs);
    st.postHp.g = onePoleCoefficient (r * postHz, 5.0f, top, fs);
    st.outputLp.g = onePoleCoefficient (r * lpHz, 5.0f, top, fs);
    if (v.peak1Db > 0.0f)
        st.peak1.setPeak (juce::jlimit (20.0f, top, r * v.peak1Hz), v.peak1Q, v.peak1Db * x, fs);
    if (v.peak2Db > 0.0f)
        st.peak2.setPeak (juce::jlimit (20.0f, top, r * v.peak2Hz), v.peak2Q, v.peak2Db, fs);
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
    shapeBlock<RareCurve> (block, std::min (channelCount, numChannels), channels.data(), lanes);
}

void DriveStage::shapeMedium (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept
{
    shapeBlock<MediumCurve> (block, std::min (channelCount, numChannels), channels.data(), lanes);
}

void DriveStage::shapeWell (juce::dsp::AudioBlock<float>& block, int channelCount) noexcept
{
    shapeBlock<WellCurve> (block, std::min (channelCount, numChannels), channels.data(), lanes);
}

// The per-sample core at the oversampled rate. The recurrences (envelope, grid,
// interstage highpass, slew) run with both lanes in lockstep; the two
// antialiased shapers have no recurrence of their own beyond the previous
// input, so they run as plain loops over the chunk that the compiler vectorises.
template <typename Curve>
void DriveStage::shapeBlock (juce::dsp::AudioBlock<float>& block, int n, StageChannelState* states,
                             const LaneSettings* settings) noexcept
{
    const int length = (int) block.getNumSamples();
    if (n <= 0 || length <= 0)
        return;

    if (n == 2)
        shapeInputs<2> (block, length, states, settings);
    else
        shapeInputs<1> (block, length, states, settings);

    for (int c = 0; c < n; ++c)
        AntialiasedShaper::process<Curve> (shaperInput[c], block.getChannelPointer ((size_t) c), length,
                                           states[c].adaa1Input, states[c].adaa1Antiderivative, antiderivative[c]);

    if (n == 2)
        prepareSecondShaper<2> (block, length, states);
    else
        prepareSecondShaper<1> (block, length, states);

    for (int c = 0; c < n; ++c)
        AntialiasedShaper::process<Curve> (shaperInput[c], block.getChannelPointer ((size_t) c), length,
                                           states[c].adaa2Input, states[c].adaa2Antiderivative, antiderivative[c]);

    if (settings[0].slewRate > 0.0f)
    {
        if (n == 2)
            limitSlew<2> (block, length, states, settings);
        else
            limitSlew<1> (block, length, states, settings);
    }
}

// Envelope follower, bias and grid blocking: writes the first shaper's input
// into shaperInput (from index 1) and the bias into biasRow.
template <int NC>
void DriveStage::shapeInputs (juce::dsp::AudioBlock<float>& block, int length, StageChannelState* states,
                              const LaneSettings* settings) noexcept
{
    const float* in[NC];
    float* u[NC];
    float* bias[NC];
    float env[NC], coef[NC], charge[NC], biasDepth[NC], depth[NC];
    bool grid[NC];
    for (int c = 0; c < NC; ++c)
    {
        auto& st = states[c];
        in[c] = block.getChannelPointer ((size_t) c);
        u[c] = shaperInput[c] + 1;
        bias[c] = biasRow[c];
        env[c] = st.envelope;
        coef[c] = st.envelopeCoef;
        charge[c] = st.gridState;
        biasDepth[c] = settings[c].biasDepth;
        depth[c] = settings[c].gridDepth;
        grid[c] = depth[c] > 0.0f;
    }

    for (int i = 0; i < length; ++i)
    {
        for (int c = 0; c < NC; ++c)
        {
            const float x = in[c][i];
            const float a = std::abs (x);
            env[c] = (a - env[c]) * coef[c] + env[c];
            const float b = (env[c] / (env[c] + 1.0f)) * biasDepth[c];
            if (grid[c])
            {
                const float over = a - gridThreshold;
                float g = charge[c];
                g = over > g ? (over - g) * gridCharge + g : g;
                charge[c] = std::min (gridMax, g * gridRelease);
            }
            bias[c][i] = b;
            u[c][i] = (b + x) - charge[c] * depth[c];
        }
    }

    for (int c = 0; c < NC; ++c)
    {
        states[c].envelope = env[c];
        states[c].gridState = charge[c];
    }
}

// Between the shapers: interstage highpass (Rare), inner gain and half the
// bias; writes the second shaper's input into shaperInput (from index 1).
template <int NC>
void DriveStage::prepareSecondShaper (juce::dsp::AudioBlock<float>& block, int length, StageChannelState* states) noexcept
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
            hp[c] = states[c].interstageHp;
        for (int i = 0; i < length; ++i)
            for (int c = 0; c < NC; ++c)
                v[c][i] = hp[c].highpass (y[c][i]) * 1.6f + bias[c][i] * 0.5f;
        for (int c = 0; c < NC; ++c)
            states[c].interstageHp = hp[c];
    }
    else
    {
        for (int c = 0; c < NC; ++c)
            for (int i = 0; i < length; ++i)
                v[c][i] = y[c][i] * 1.6f + bias[c][i] * 0.5f;
    }
}

template <int NC>
void DriveStage::limitSlew (juce::dsp::AudioBlock<float>& block, int length, StageChannelState* states,
                            const LaneSettings* settings) noexcept
{
    float* data[NC];
    float prev[NC], rate[NC];
    int bites = 0;
    for (int c = 0; c < NC; ++c)
    {
        data[c] = block.getChannelPointer ((size_t) c);
        prev[c] = states[c].slewPrev;
        rate[c] = settings[c].slewRate;
    }

    for (int i = 0; i < length; ++i)
    {
        for (int c = 0; c < NC; ++c)
        {
            const float step = data[c][i] - prev[c];
            bites += std::abs (step) > rate[c] ? 1 : 0;
            prev[c] = prev[c] + juce::jlimit (-rate[c], rate[c], step);
            data[c][i] = prev[c];
        }
    }

    for (int c = 0; c < NC; ++c)
        states[c].slewPrev = prev[c];
    biteCount += bites;
    sampleCount += NC * length;
}
