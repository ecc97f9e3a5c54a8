#pragma once

#include "TorvaneEditor.h"
#include "TorvaneProcessor.h"

#include <memory>

// An editor on a real processor whose published values the caller sets by hand. The
// animator is stopped: the caller drives the tick itself with its own clock. Shared by
// the scene tests and the scene benchmarks.
struct SceneDriver
{
    explicit SceneDriver (double startMs) : nowMs (startMs) {}

    template <typename Editor = TorvaneEditor>
    Editor& openEditor()
    {
        editor.reset();
        auto opened = std::make_unique<Editor> (processor);
        auto& result = *opened;
        editor = std::move (opened);
        editor->animator.stopTimer();
        return result;
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

    // Waits, at most limitMs, for the editor's prefetch thread to finish its work; true
    // when it has.
    bool waitForPrefetch (int limitMs = 60000)
    {
        for (int waited = 0; editor->prefetch.busy() && waited < limitMs; waited += 5)
            juce::Thread::sleep (5);
        return ! editor->prefetch.busy();
    }

    // Sets a parameter in its own units, as a host does.
    void setParameter (const char* id, float value)
    {
        auto* parameter = processor.apvts.getParameter (id);
        parameter->setValueNotifyingHost (parameter->convertTo0to1 (value));
    }

    juce::ScopedJuceInitialiser_GUI gui;
    TorvaneProcessor processor;
    std::unique_ptr<TorvaneEditor> editor;
    double nowMs;
};
