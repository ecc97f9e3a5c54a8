#pragma once

#include <array>

// Process-wide store of finished calibration tables. The calibration is
// deterministic and its table depends only on the character, the sample rate
// and the chunk length it runs with (capped at the test signal's length), so
// every stage prepared with the same three values can share one table instead
// of running the calibration again. Thread-safe; used only from prepare, never
// on the audio thread.
class CalibrationCache
{
public:
    using Table = std::array<float, 48>;

    struct Key
    {
        int mode = 0;
        double sampleRate = 0.0;
        int chunkLength = 0;

        bool operator== (const Key& other) const noexcept
        {
            return mode == other.mode && sampleRate == other.sampleRate && chunkLength == other.chunkLength;
        }
    };

    // Copies the stored table for key into table; false when there is none.
    static bool find (const Key& key, Table& table);
    static void store (const Key& key, const Table& table);
    static void clear();
};
