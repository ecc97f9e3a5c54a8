#pragma once

#include <juce_core/juce_core.h>

// The host's subcommands. Each prints "key: value" lines on standard output and
// returns the process exit code.
namespace HostCommands
{
// Identity, class IDs, parameters, latency, accepted layouts and the output level of
// a test signal through each character.
int check (const juce::File& bundle);

// Processes noise with the wrapper's bypass on and reports the delay at which the
// output equals the input, next to the reported latency.
int bypass (const juce::File& bundle, int channels);

// Sets every parameter away from its default in one instance, saves its state,
// restores it into a second instance and prints both instances' values.
int state (const juce::File& bundle);

// Processes a test signal at the given rate and block size and reports latency and
// whether every output sample was finite.
int process (const juce::File& bundle, double sampleRate, int blockSize, int channels);
} // namespace HostCommands
