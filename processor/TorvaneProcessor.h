#pragma once

#include "DriveStage.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <atomic>

// Placeholder processor: parameters, buses and state; audio passes through.
class TorvaneProcessor : public juce::AudioProcessor
{
public:
    TorvaneProcessor();

    const juce::String getName() const override { return "Torvane"; }
    void prepareToPlay (double sampleRate, int maximumExpectedSamplesPerBlock) override;
    void releaseResources() override {}
    void processBlock (juce::AudioBuffer<float>&, juce::MidiBuffer&) override;
    double getTailLengthSeconds() const override { return 0.0; }
    bool acceptsMidi() const override { return false; }
    bool producesMidi() const override { return false; }
    juce::AudioProcessorEditor* createEditor() override;
    bool hasEditor() const override { return true; }
    int getNumPrograms() override { return 1; }
    int getCurrentProgram() override { return 0; }
    void setCurrentProgram (int) override {}
    const juce::String getProgramName (int) override { return "Default"; }
    void changeProgramName (int, const juce::String&) override {}
    void getStateInformation (juce::MemoryBlock& destData) override;
    void setStateInformation (const void* data, int sizeInBytes) override;
    bool isBusesLayoutSupported (const BusesLayout& layouts) const override;

    static juce::AudioProcessorValueTreeState::ParameterLayout createParameterLayout();

    juce::AudioProcessorValueTreeState apvts;
    std::atomic<float> outputPeak { 0.0f }, stageHeat { 0.0f }, gridBlock { 0.0f }, slewBite { 0.0f };
    std::atomic<int> blockCounter { 0 };
    std::array<DriveStage, 3> stages;
    std::atomic<float> effort { 0.0f };
};
