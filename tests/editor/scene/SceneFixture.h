#pragma once

#include "SceneDriver.h"

#include <gtest/gtest.h>

// A scene driver as a test fixture: the editor is open when the test starts and closed
// before the processor goes.
class SceneTest : public ::testing::Test, protected SceneDriver
{
protected:
    SceneTest() : SceneDriver (10000.0) {}

    void SetUp() override { openEditor(); }
    void TearDown() override { editor.reset(); }

    // Loud audio with every published value up, so that every layer of the page draws.
    void playLoud (int ticks)
    {
        processor.effort = 1.0f;
        processor.stageHeat = 0.9f;
        processor.gridBlock = 0.4f;
        processor.slewBite = 0.7f;
        for (int i = 0; i < ticks; ++i)
            playTick (i % 15 == 0 ? 1.0f : 0.4f);
    }

    static float dbToLevel (float dB) { return juce::jlimit (0.0f, 1.0f, (dB + 48.0f) / 48.0f); }
};
