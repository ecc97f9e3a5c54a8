#pragma once

#include "TorvaneEditor.h"
#include "TorvaneProcessor.h"

#include <gtest/gtest.h>

// An editor on a real processor whose published values the test sets by hand. The
// animator is stopped: the test drives the tick itself with its own clock.
class SceneTest : public ::testing::Test
{
protected:
    void SetUp() override { openEditor(); }
    void TearDown() override { editor.reset(); }

    void openEditor()
    {
        editor.reset();
        editor = std::make_unique<TorvaneEditor> (processor);
        editor->animator.stopTimer();
    }

    // One tick stepMs after the previous one.
    void tick (double stepMs = 1000.0 / 60.0)
    {
        nowMs += stepMs;
        editor->tickAt (nowMs);
    }

    // One processed block with this output peak, then one tick.
    void playTick (float peak, double stepMs = 1000.0 / 60.0)
    {
        publishBlock (peak);
        tick (stepMs);
    }

    void publishBlock (float peak)
    {
        processor.outputPeak = peak;
        processor.blockCounter.fetch_add (1);
    }

    void setParameter (const char* id, float value)
    {
        auto* parameter = processor.apvts.getParameter (id);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
    }

    static float dbToLevel (float dB) { return juce::jlimit (0.0f, 1.0f, (dB + 48.0f) / 48.0f); }

    juce::ScopedJuceInitialiser_GUI gui;
    TorvaneProcessor processor;
    std::unique_ptr<TorvaneEditor> editor;
    double nowMs = 10000.0;
};
