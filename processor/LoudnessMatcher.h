#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

#include <cstdint>

// Holds a drive stage's output loudness to its input loudness. At about 24 kHz
// it K-weights the stage's input, a memoryless model of the stage at eight
// drive points and the stage's real output, keeps long (3 s) and short (1 s)
// averages of their energies and derives the output gain from them.
class LoudnessMatcher
{
public:
    static constexpr int numPoints = 8;
    static constexpr float drivePoints[numPoints] { 0.0f, 0.1f, 0.2f, 0.35f, 0.5f, 0.65f, 0.8f, 1.0f };

    struct ModelStates
    {
        float shelfZ1[numPoints] {}, shelfZ2[numPoints] {}, highpassZ1[numPoints] {}, highpassZ2[numPoints] {};
    };

    struct KStates
    {
        float shelfZ1 = 0.0f, shelfZ2 = 0.0f, highpassZ1 = 0.0f, highpassZ2 = 0.0f;
    };

    // The largest input level the analysis takes, +24 dBFS, the ceiling of the gain it
    // can derive. A single hotter sample would otherwise fill the long input average
    // with energy that no allowed gain can match, holding the gain at its ceiling for
    // seconds. Sane input never reaches it.
    static constexpr float inputLimit = 16.0f;

    // A matcher whose analysis takes input up to analysisLimit; the product's stages use
    // inputLimit, another bound is for measuring what the bound changes.
    explicit LoudnessMatcher (float analysisLimit = inputLimit) noexcept : limit (analysisLimit) {}

    void prepare (int mode, float inputGain, float driveRangeDb, float driveCurve,
                  float innerGain, double sampleRate, int numChannels);
    void reset() noexcept;
    void analyseInput (const juce::AudioBuffer<float>& chunk, int numChannels, float drive, bool atDrive) noexcept;
    void modelRare (const juce::AudioBuffer<float>& chunk, int numChannels, bool atDrive) noexcept;
    void modelMedium (const juce::AudioBuffer<float>& chunk, int numChannels, bool atDrive) noexcept;
    void modelWell (const juce::AudioBuffer<float>& chunk, int numChannels, bool atDrive) noexcept;
    void analyseOutput (const juce::AudioBuffer<float>& chunk, int numChannels) noexcept;
    void integrate (bool withOutput) noexcept;
    float targetGain (float fallbackGain) const noexcept;

    int mode = 0;
    int numChannels = 2;
    int decimation = 1;
    float averagingSamples = 144000.0f;
    float modelGain[numPoints] {};
    float innerGain = 1.6f;
    float outputScale = 1.0f;
    float kShelf[5] { 1.0f, 0.0f, 0.0f, 0.0f, 0.0f };
    float kHighpass[4] { 1.0f, 0.0f, 0.0f, 0.0f };
    ModelStates modelStates[2];
    KStates inputStates[2];
    KStates outputStates[2];
    float modelEnergy[numPoints] {};
    float modelEnergyAvg[numPoints] {};
    float inputEnergy = 0.0f;
    float outputEnergy = 0.0f;
    float modelAtDrive = 0.0f;
    float inputEnergyAvg = 0.0f;
    float outputEnergyAvg = 0.0f;
    float modelAtDriveAvg = 0.0f;
    double longCount = 0.0;
    double shortCount = 0.0;
    int blockSamples = 0;
    int segment = 0;
    float segmentFrac = 0.0f;
    std::uint32_t inputPhase = 0;
    std::uint32_t outputPhase = 0;
    std::uint32_t inputToggle = 0;   // unsigned: it runs for hours and must wrap, not overflow
    std::uint32_t outputToggle = 0;
    float smoothedGain = -1.0f;      // negative: no gain applied since the last reset

private:
    float limit;

    template <typename Curve>
    void modelPass (const juce::AudioBuffer<float>& chunk, int numChannels, bool atDrive) noexcept;

    float kWeight (float x, KStates& st) const noexcept;
    std::uint32_t firstPosition (std::uint32_t phase) const noexcept;
    float predictedEnergy() const noexcept;
};
