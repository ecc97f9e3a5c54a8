#include "DriveStage.h"

void DriveStage::prepare (int modeIndex, double, int maximumBlockSize, int channelCount)
{
    mode = modeIndex;
    numChannels = juce::jlimit (1, 2, channelCount);
    oversampler = std::make_unique<juce::dsp::Oversampling<float>> (
        (size_t) numChannels, 1, juce::dsp::Oversampling<float>::filterHalfBandPolyphaseIIR, true, true);
    oversampler->initProcessing ((size_t) juce::jmax (16, maximumBlockSize));
}

void DriveStage::reset() {}

void DriveStage::process (juce::AudioBuffer<float>&, float, bool) {}

void DriveStage::analyseIdle (const juce::AudioBuffer<float>&, int, int) {}
