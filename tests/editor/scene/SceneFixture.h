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

    static float dbToLevel (float dB) { return juce::jlimit (0.0f, 1.0f, (dB + 48.0f) / 48.0f); }
};
