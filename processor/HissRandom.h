#pragma once

#include <juce_core/juce_core.h>

#include <cstdint>
#include <limits>

// juce::Random's nextFloat as an inline step on a seed held in a register. The
// hiss draws one number per sample and channel; an out-of-line call per draw
// costs more than the rest of the hiss. The sequence is juce::Random's own:
// callers load the seed with getSeed and store it back with setSeed.
struct HissRandom
{
    static inline float nextFloat (juce::int64& seed) noexcept
    {
        seed = (juce::int64) ((((juce::uint64) seed) * 0x5deece66dLL + 11) & 0xffffffffffffLL);
        const auto bits = (std::uint32_t) (int) (seed >> 16);
        const float result = static_cast<float> (bits)
                           / (static_cast<float> (std::numeric_limits<std::uint32_t>::max()) + 1.0f);
        return result == 1.0f ? 1.0f - std::numeric_limits<float>::epsilon() : result;
    }
};
