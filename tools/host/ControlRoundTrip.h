#pragma once

#include <juce_core/juce_core.h>

// Opens the plug-in's editor in a desktop window and works its Drive knob as a user
// does, with the pointer and the keyboard at the knob's place on the screen (read from
// the layout file), reading the parameter back through the host; then sets the
// parameter from the host and watches the knob's pixels on the screen follow it. It
// also checks that a click leaves the knob without a focus ring and a key rings it, and
// that a key tapped during a drag leaves the host one gesture. Pictures of the window
// after the click and after the key go to ring-click.png and ring-key.png in the
// pictures folder, when one is given.
// Prints "key: value" lines and returns the process exit code.
int runControlRoundTrip (const juce::File& bundle, const juce::File& layoutFile, const juce::File& pictures = {});
