#include "SceneFixture.h"

#include <vector>

namespace
{
// The noise field computed here on its own: three octaves of value noise on 7, 14 and
// 28 cells, smoothstep-interpolated, summed with halving amplitudes and stretched to
// 0..255.
std::vector<int> referenceField()
{
    juce::Random random (3342);
    std::vector<float> sum (140 * 140, 0.0f);
    for (int octave = 0; octave < 3; ++octave)
    {
        const int cells = octave == 0 ? 7 : octave == 1 ? 14 : 28;
        const float amplitude = octave == 0 ? 1.0f : octave == 1 ? 0.5f : 0.25f;
        std::vector<std::vector<float>> grid ((size_t) cells + 1, std::vector<float> ((size_t) cells + 1));
        for (int iy = 0; iy <= cells; ++iy)
            for (int ix = 0; ix <= cells; ++ix)
                grid[(size_t) iy][(size_t) ix] = random.nextFloat();
        for (int y = 0; y < 140; ++y)
            for (int x = 0; x < 140; ++x)
            {
                const float gy = ((float) y / 140.0f) * (float) cells;
                const float gx = ((float) x / 140.0f) * (float) cells;
                const int iy = (int) gy, ix = (int) gx;
                const float fy = gy - (float) iy, fx = gx - (float) ix;
                const float sy = (3.0f - (fy + fy)) * (fy * fy);
                const float sx = (3.0f - (fx + fx)) * (fx * fx);
                const auto& row0 = grid[(size_t) iy];
                const auto& row1 = grid[(size_t) iy + 1];
                const float top = (row0[(size_t) ix + 1] - row0[(size_t) ix]) * sx + row0[(size_t) ix];
                const float bottom = (row1[(size_t) ix + 1] - row1[(size_t) ix]) * sx + row1[(size_t) ix];
                sum[(size_t) (y * 140 + x)] += ((bottom - top) * sy + top) * amplitude;
            }
    }
    float lo = sum[0], hi = sum[0];
    for (float v : sum)
    {
        lo = std::min (lo, v);
        hi = std::max (hi, v);
    }
    std::vector<int> bytes;
    for (float v : sum)
        bytes.push_back ((int) std::nearbyint (((v - lo) * 255.0f) / std::max (hi - lo, 1.0e-6f)));
    return bytes;
}

int pixel (const juce::Image& image, int x, int y)
{
    const juce::Image::BitmapData bits (image, juce::Image::BitmapData::readOnly);
    return bits.getLinePointer (y)[x * bits.pixelStride];
}
} // namespace

using NoiseField = SceneTest;

TEST_F (NoiseField, IsA140BySingleChannelImageWithTheMaskBesideIt)
{
    ASSERT_TRUE (editor->noiseImage.isValid());
    EXPECT_EQ (editor->noiseImage.getFormat(), juce::Image::SingleChannel);
    EXPECT_EQ (editor->noiseImage.getWidth(), 140);
    EXPECT_EQ (editor->noiseImage.getHeight(), 140);
    EXPECT_EQ (editor->maskImage.getFormat(), juce::Image::SingleChannel);
    EXPECT_EQ (editor->maskImage.getWidth(), 140);
    EXPECT_EQ (pixel (editor->maskImage, 70, 70), 0);
}

TEST_F (NoiseField, BytesMatchAnIndependentComputation)
{
    ASSERT_TRUE (editor->noiseImage.isValid());
    const auto expected = referenceField();
    const std::pair<int, int> points[] = { { 0, 0 }, { 139, 0 }, { 0, 139 }, { 139, 139 }, { 70, 70 }, { 13, 101 }, { 97, 42 } };
    for (auto [x, y] : points)
        EXPECT_EQ (pixel (editor->noiseImage, x, y), expected[(size_t) (y * 140 + x)]) << x << ", " << y;

    int mismatches = 0, lo = 255, hi = 0;
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 140; ++x)
        {
            const int v = pixel (editor->noiseImage, x, y);
            mismatches += v != expected[(size_t) (y * 140 + x)] ? 1 : 0;
            lo = std::min (lo, v);
            hi = std::max (hi, v);
        }
    EXPECT_EQ (mismatches, 0);
    EXPECT_EQ (lo, 0);
    EXPECT_EQ (hi, 255);
}

TEST_F (NoiseField, TwoEditorsHoldIdenticalFields)
{
    TorvaneEditor second (processor);
    second.animator.stopTimer();
    ASSERT_TRUE (second.noiseImage.isValid());
    int differences = 0;
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 140; ++x)
            differences += pixel (editor->noiseImage, x, y) != pixel (second.noiseImage, x, y) ? 1 : 0;
    EXPECT_EQ (differences, 0);
}
