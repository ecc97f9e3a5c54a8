#pragma once

#include <juce_core/juce_core.h>

// Reads the VST3 module's factory directly: the factory's vendor, URL and e-mail, and
// for every class its name, category, class ID, vendor, version, SDK version,
// sub-categories, flags and cardinality, as "key: value" lines.
// Call it while the module is loaded and initialised by a session.
juce::StringArray reportFactory (const juce::File& bundle);

// A 16-byte VST3 class ID as the four 32-bit words it is declared with.
juce::String formatClassId (const char* tuid);
