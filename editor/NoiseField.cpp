// The dissolve's threshold map: 140 x 140 bytes of value noise in three octaves.
// The generator's seed and the fixed order of its draws make every editor's field
// identical, so the dissolve always has the same pattern.
#include "TorvaneEditor.h"

#include <vector>

namespace
{
float smoothStep (float f)
{
    return (3.0f - (f + f)) * (f * f);
}

// Adds one octave of bilinearly interpolated lattice noise, J cells per side.
void addOctave (std::vector<float>& field, juce::Random& random, int cells, float amplitude)
{
    constexpr int n = TorvaneEditor::noiseSize;
    const int side = cells + 1;
    std::vector<float> lattice ((size_t) (side * side));
    for (auto& value : lattice)
        value = random.nextFloat();
    auto L = [&] (int ix, int iy) { return lattice[(size_t) (iy * side + ix)]; };

    for (int r = 0; r < n; ++r)
    {
        const float gy = ((float) r / (float) n) * (float) cells;
        const int iy = (int) gy;
        const float sy = smoothStep (gy - (float) iy);
        for (int c = 0; c < n; ++c)
        {
            const float gx = ((float) c / (float) n) * (float) cells;
            const int ix = (int) gx;
            const float sx = smoothStep (gx - (float) ix);
            const float top = (L (ix + 1, iy) - L (ix, iy)) * sx + L (ix, iy);
            const float bottom = (L (ix + 1, iy + 1) - L (ix, iy + 1)) * sx + L (ix, iy + 1);
            const float v = (bottom - top) * sy + top;
            auto& cell = field[(size_t) (r * n + c)];
            cell = cell + v * amplitude;
        }
    }
}
} // namespace

void TorvaneEditor::buildNoiseField()
{
    constexpr int n = noiseSize;
    noiseImage = juce::Image (juce::Image::SingleChannel, n, n, true);
    maskImage = juce::Image (juce::Image::SingleChannel, n, n, true);

    std::vector<float> field ((size_t) (n * n), 0.0f);
    for (int octave = 0; octave < 3; ++octave)
        addOctave (field, random, 7 << octave, 1.0f / (float) (1 << octave));

    const auto [lo, hi] = std::minmax_element (field.begin(), field.end());
    const float mn = *lo;
    const float range = std::max (*hi - mn, 1.0e-6f);

    juce::Image::BitmapData bits (noiseImage, juce::Image::BitmapData::writeOnly);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
        {
            const float value = ((field[(size_t) (y * n + x)] - mn) * 255.0f) / range;
            bits.data[(size_t) (bits.lineStride * y + bits.pixelStride * x)] = (juce::uint8) juce::roundToInt (value);
        }
}
