#pragma once

#include <juce_core/juce_core.h>

#include <string>
#include <vector>

/** A PNG chunk of this type and body, with a correct checksum. */
juce::MemoryBlock pngChunk (const char* type, const std::string& body);

/** The PNG file with a chunk inserted right after its header. */
juce::MemoryBlock withChunkAfterHeader (const juce::MemoryBlock& png, const juce::MemoryBlock& extra);

struct DamagedPng
{
    std::string what;
    juce::MemoryBlock bytes;
};

/** Files made from a sound PNG that the toolkit's check refuses: cut short, not a PNG at
    all, an ancillary chunk with a bad checksum (which the framework's decoder reads as a
    picture) and chunk types that are not four ASCII letters or are unknown critical ones
    (on some of which the decoder aborts the process). */
std::vector<DamagedPng> damagedPngs (const juce::MemoryBlock& sound);
