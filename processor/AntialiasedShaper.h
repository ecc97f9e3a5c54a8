#pragma once

#include <cmath>

// First-order antiderivative antialiasing (ADAA) of a waveshaper curve:
// y = (F(u) - F(previous u)) / (u - previous u), or the curve at the midpoint
// when successive inputs are closer than 1e-5.
struct AntialiasedShaper
{
    // Shapes one channel: the inputs are row[1..length] (row[0] receives the
    // previous chunk's last input), the results go to out[0..length-1], and
    // antiderivatives (length + 1 floats) is scratch. F runs over the whole
    // chunk first, so neither loop carries a dependency from one sample to the
    // next and the compiler vectorises both.
    template <typename Curve>
    static void process (float* row, float* out, int length, float& lastInput,
                         float& lastAntiderivative, float* antiderivatives) noexcept
    {
        float* F = antiderivatives;
        row[0] = lastInput;
        F[0] = lastAntiderivative;
        Curve::antiderivatives (row + 1, F + 1, length);

        for (int i = 1; i <= length; ++i)
        {
            const float u = row[i];
            const float prev = row[i - 1];
            const float d = u - prev;
            const float mid = Curve::f ((u + prev) * 0.5f);
            const float quotient = (F[i] - F[i - 1]) / d;
            float y = std::abs (d) < 1e-5f ? mid : quotient;
            if constexpr (Curve::flatOutside)
            {
                // Both inputs on one flat part: the exact flat value, not a
                // quotient of two large, rounded antiderivatives.
                y = (u > 1.0f && prev > 1.0f) ? Curve::flat : y;
                y = (u < -1.0f && prev < -1.0f) ? -Curve::flat : y;
            }
            out[i - 1] = y;
        }

        lastInput = row[length];
        lastAntiderivative = F[length];
    }
};
