#pragma once

#include <juce_core/juce_core.h>

// Opens the plug-in's editor in a desktop window while an audio thread runs blocks
// through the plug-in, resizes it, closes it, opens it again and closes it for good.
// Returns the process exit code.
int runEditorSession (const juce::File& bundle, double seconds);
