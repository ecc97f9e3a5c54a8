#include "LoudnessMatcher.h"

#include "KWeightingFilter.h"
#include "ShaperCurves.h"

#include <algorithm>
#include <cmath>

void LoudnessMatcher::prepare (int newMode, float inputGain, float driveRangeDb, float driveCurve,
                               float newInnerGain, double sampleRate, int newNumChannels)
{
    mode = newMode;
    numChannels = juce::jlimit (1, 2, newNumChannels);
    decimation = std::max (1, (int) (sampleRate / 24000.0 + 0.5));

    const double analysisRate = sampleRate / decimation;
    averagingSamples = (float) (analysisRate * 3.0);

    for (int k = 0; k < numPoints; ++k)
    {
        const float x = std::pow (drivePoints[k], driveCurve) * driveRangeDb;
        modelGain[k] = x > -100.0f ? inputGain * std::pow (10.0f, x * 0.05f) : 0.0f;
    }

    innerGain = newInnerGain;
    outputScale = 1.0f / (inputGain * innerGain);

    // In stereo each channel's filters see every second analysed sample.
    const double fk = analysisRate / numChannels;
    const double twoPi = 6.283185307179586;
    double shelf[5], highpass[5];
    KWeightingFilter::designShelf (std::pow (10.0, 0.099995), std::min (0.45 * fk, 1681.97) * twoPi / fk, shelf);
    KWeightingFilter::designHighpass (239.57785576275765 / fk, highpass);

    for (int i = 0; i < 5; ++i)
        kShelf[i] = (float) shelf[i];

    kHighpass[0] = (float) highpass[0];
    kHighpass[1] = (float) highpass[1];
    kHighpass[2] = (float) highpass[3];
    kHighpass[3] = (float) highpass[4];

    reset();
}

void LoudnessMatcher::reset() noexcept
{
    for (auto& m : modelStates)
        m = ModelStates {};
    for (auto& s : inputStates)
        s = KStates {};
    for (auto& s : outputStates)
        s = KStates {};

    std::fill (std::begin (modelEnergyAvg), std::end (modelEnergyAvg), 0.0f);
    inputEnergyAvg = outputEnergyAvg = modelAtDriveAvg = 0.0f;
    longCount = shortCount = 0.0;
    inputPhase = 0;
    inputToggle = 0;
    smoothedGain = -1.0f;
}

void LoudnessMatcher::analyseInput (const juce::AudioBuffer<float>& chunk, int channelCount,
                                    float drive, bool atDrive) noexcept
{
    const int c = std::min (channelCount, numChannels);

    segment = 6;
    for (int k = 0; k < 6; ++k)
    {
        if (drive <= drivePoints[k + 1])
        {
            segment = k;
            break;
        }
    }

    const float lo = drivePoints[segment];
    segmentFrac = juce::jlimit (0.0f, 1.0f, (drive - lo) / (drivePoints[segment + 1] - lo));

    inputEnergy = 0.0f;
    modelAtDrive = 0.0f;
    std::fill (std::begin (modelEnergy), std::end (modelEnergy), 0.0f);
    outputPhase = inputPhase;
    outputToggle = inputToggle;
    blockSamples = 0;

    switch (mode)
    {
        case 0: modelRare (chunk, c, atDrive); break;
        case 1: modelMedium (chunk, c, atDrive); break;
        case 2: modelWell (chunk, c, atDrive); break;
        default: break;
    }
}

void LoudnessMatcher::modelRare (const juce::AudioBuffer<float>& chunk, int c, bool atDrive) noexcept
{
    modelPass<RareCurve> (chunk, c, atDrive);
}

void LoudnessMatcher::modelMedium (const juce::AudioBuffer<float>& chunk, int c, bool atDrive) noexcept
{
    modelPass<MediumCurve> (chunk, c, atDrive);
}

void LoudnessMatcher::modelWell (const juce::AudioBuffer<float>& chunk, int c, bool atDrive) noexcept
{
    modelPass<WellCurve> (chunk, c, atDrive);
}

// Analysed positions are the samples whose running number is a multiple of the
// decimation, so the rhythm continues across chunks of any length.
std::uint32_t LoudnessMatcher::firstPosition (std::uint32_t phase) const noexcept
{
    const auto d = (std::uint32_t) decimation;
    return (d - phase % d) % d;
}

float LoudnessMatcher::kWeight (float x, KStates& st) const noexcept
{
    const float s = kShelf[0] * x + st.shelfZ1;
    st.shelfZ1 = (kShelf[1] * x - kShelf[3] * s) + st.shelfZ2;
    st.shelfZ2 = kShelf[2] * x - kShelf[4] * s;
    const float y = kHighpass[0] * s + st.highpassZ1;
    st.highpassZ1 = (kHighpass[1] * s - kHighpass[2] * y) + st.highpassZ2;
    st.highpassZ2 = kHighpass[0] * s - kHighpass[3] * y;
    return y;
}

template <typename Curve>
void LoudnessMatcher::modelPass (const juce::AudioBuffer<float>& chunk, int c, bool atDrive) noexcept
{
    const int length = chunk.getNumSamples();
    const auto first = (int) firstPosition (inputPhase);
    inputPhase += (std::uint32_t) length;

    // Local copies let the eight drive points run as independent vector lanes.
    const float b0 = kShelf[0], b1 = kShelf[1], b2 = kShelf[2], a1 = kShelf[3], a2 = kShelf[4];
    const float h0 = kHighpass[0], h1 = kHighpass[1], ha1 = kHighpass[2], ha2 = kHighpass[3];
    const float inner = innerGain, scale = outputScale;
    const float frac = segmentFrac;
    const int seg = segment;

    float inputSum = 0.0f, atDriveSum = 0.0f;
    float sums[numPoints] {};
    int analysed = 0;

    for (int i = first; i < length; i += decimation)
    {
        int ch = 0;
        if (c >= 2)
            ch = (int) (inputToggle++ & 1u);

        const float x = juce::jlimit (-limit, limit, chunk.getReadPointer (ch)[i]);
        ++analysed;

        const float v = kWeight (x, inputStates[ch]);
        inputSum += v * v;

        ModelStates& ms = modelStates[ch];
        float energy[numPoints];

        for (int k = 0; k < numPoints; ++k)
        {
            const float y = scale * Curve::model (inner * Curve::model (modelGain[k] * x));
            const float s = b0 * y + ms.shelfZ1[k];
            ms.shelfZ1[k] = (b1 * y - a1 * s) + ms.shelfZ2[k];
            ms.shelfZ2[k] = b2 * y - a2 * s;
            const float w = h0 * s + ms.highpassZ1[k];
            ms.highpassZ1[k] = (h1 * s - ha1 * w) + ms.highpassZ2[k];
            ms.highpassZ2[k] = h0 * s - ha2 * w;
            energy[k] = w * w;
            sums[k] += energy[k];
        }

        if (atDrive)
            atDriveSum += energy[seg] + (energy[seg + 1] - energy[seg]) * frac;
    }

    blockSamples += analysed;
    inputEnergy = inputSum;
    std::copy (std::begin (sums), std::end (sums), std::begin (modelEnergy));
    modelAtDrive = atDriveSum;
}

void LoudnessMatcher::analyseOutput (const juce::AudioBuffer<float>& chunk, int channelCount) noexcept
{
    const int c = std::min (channelCount, numChannels);
    const int length = chunk.getNumSamples();
    auto toggle = outputToggle;
    float sum = 0.0f;

    for (int i = (int) firstPosition (outputPhase); i < length; i += decimation)
    {
        int ch = 0;
        if (c >= 2)
            ch = (int) (toggle++ & 1u);

        const float v = kWeight (chunk.getReadPointer (ch)[i], outputStates[ch]);
        sum += v * v;
    }

    outputEnergy = sum;
}

float LoudnessMatcher::predictedEnergy() const noexcept
{
    return modelEnergyAvg[segment] + (modelEnergyAvg[segment + 1] - modelEnergyAvg[segment]) * segmentFrac;
}

void LoudnessMatcher::integrate (bool withOutput) noexcept
{
    const int n = blockSamples;
    if (n == 0)
        return;

    const float count = (float) n;
    const float m = inputEnergy / count;
    if (m < 1e-7f)
        return; // silence freezes every average

    longCount += n;
    const float a = std::max (count / (float) longCount, 1.0f - std::exp (-count / averagingSamples));

    inputEnergyAvg += (m - inputEnergyAvg) * a;
    for (int k = 0; k < numPoints; ++k)
        modelEnergyAvg[k] += (modelEnergy[k] / count - modelEnergyAvg[k]) * a;

    if (! withOutput)
        return;

    const float pred = predictedEnergy();
    const float q = pred > 1e-30f ? inputEnergyAvg / pred : 1.0f;

    shortCount += n;
    const float a2 = std::max (count / (float) shortCount,
                               1.0f - std::exp (-count / (averagingSamples * 0.33333334f)));
    outputEnergyAvg += (q * outputEnergy / count - outputEnergyAvg) * a2;
    modelAtDriveAvg += (q * modelAtDrive / count - modelAtDriveAvg) * a2;
}

float LoudnessMatcher::targetGain (float fallbackGain) const noexcept
{
    if (longCount <= 0.0)
        return fallbackGain;

    const float pred = predictedEnergy();
    float corr = 1.0f;
    if (shortCount > 0.0 && modelAtDriveAvg > 1e-20f && outputEnergyAvg > 1e-20f)
        corr = outputEnergyAvg / modelAtDriveAvg;

    const float den = corr * pred;
    if (den <= 1e-20f || inputEnergyAvg <= 1e-20f)
        return fallbackGain;

    return std::sqrt (juce::jlimit (1e-4f, 251.19f, inputEnergyAvg / den));
}
