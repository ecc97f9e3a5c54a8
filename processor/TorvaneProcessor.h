#pragma once

#include "DriveStage.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_dsp/juce_dsp.h>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>

class TorvaneProcessorProbe;

// The plug-in's processor: routes each block through the drive stage of the current
// page, keeps a latency-aligned dry path for bypass and a phase-matched one for Blend,
// crossfades between pages and publishes the values the editor animates from.
class TorvaneProcessor : public juce::AudioProcessor
{
public:
    TorvaneProcessor();

    const juce::String getName() const override { return "Torvane"; }
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    void processBlockBypassed (juce::AudioBuffer<float>& buffer, juce::MidiBuffer& midi) override;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    // A VST3 host's program scan rejects an only program without a name.
    const juce::String getProgramName (int) override { return "Default"; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    juce::AudioProcessorValueTreeState apvts;

    // Published once per block for the editor, read without locking.
    std::atomic<float> outputPeak { 0.0f };
    std::atomic<float> stageHeat { 0.0f };
    std::atomic<float> gridBlock { 0.0f };
    std::atomic<float> slewBite { 0.0f };
    std::atomic<int32_t> blockCounter { 0 };

private:
    friend class TorvaneProcessorProbe;

    int prepareBlockInputs (juce::AudioBuffer<float>& buffer);
    void runDryDelay (const juce::AudioBuffer<float>& source, int channelCount, int sampleCount);
    void outputDelayedDry (juce::AudioBuffer<float>& buffer, int channelCount);

    void resetStages();
    void checkTransport (int sampleCount);
    void takePageChange();
    void analyseIdleStages (int channelCount, int sampleCount);
    void applyInputFade (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount);
    float runCurrentStage (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount);
    void applyPageCrossfade (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount, float drive);
    void applyBlend (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount);
    void applyResetFade (juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount);
    void publishProcessed (const juce::AudioBuffer<float>& buffer, int channelCount, int sampleCount, float drive);
    void publishBypassed();
    int readPage() const;

    std::atomic<float>* driveParam = nullptr;
    std::atomic<float>* blendParam = nullptr;
    std::atomic<float>* pageParam = nullptr;

    std::array<DriveStage, 3> stages;

    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> driveSmoothed { 0.0f };
    juce::SmoothedValue<float, juce::ValueSmoothingTypes::Linear> blendSmoothed { 1.0f };

    int currentPage = 0;
    int previousPage = 0;
    int pageCrossfadeRemaining = 0;
    int pageCrossfadeLength = 0;
    bool resetPending = false;
    int resetFadeRemaining = 0;

    juce::AudioBuffer<float> dryRing;
    juce::AudioBuffer<float> delayedDry;
    juce::AudioBuffer<float> inputCopy;
    juce::AudioBuffer<float> outgoingScratch;
    int dryRingWritePos = 0;
    int dryDelaySamples = 0;
    std::unique_ptr<juce::dsp::Oversampling<float>> dryOversampler;
    juce::AudioBuffer<float> phaseMatchedDry;

    int inputFadeRemaining = 0;
    int inputFadeLength = 1;
    int64_t lastTimeInSamples = -1;
    // Length of the block whose position set lastTimeInSamples; with this block's
    // length it bounds the advance that still counts as steady play.
    int lastBlockSamples = 0;

public:
    std::atomic<float> effort { 0.0f };
};
