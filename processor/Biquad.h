#pragma once

#include <algorithm>
#include <cmath>

// Biquad in transposed direct form II, coefficients already divided by a0.
struct Biquad
{
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f, a1 = 0.0f, a2 = 0.0f;
    float z1 = 0.0f, z2 = 0.0f;

    inline float process (float x) noexcept
    {
        const float y = b0 * x + z1;
        z1 = (b1 * x - a1 * y) + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }

    void clear() noexcept { z1 = z2 = 0.0f; }

    // RBJ cookbook peaking equaliser in single precision; the states carry on.
    void setPeak (float fc, float q, float gainDb, float fs) noexcept
    {
        const float A = std::pow (10.0f, gainDb / 40.0f);
        const float w0 = fc * 6.2831855f / fs;
        const float alpha = std::sin (w0) / (2.0f * std::max (q, 0.05f));
        const float n = 1.0f / (alpha / A + 1.0f);
        b0 = (alpha * A + 1.0f) * n;
        b1 = std::cos (w0) * -2.0f * n;
        a1 = b1;
        b2 = (1.0f - alpha * A) * n;
        a2 = (1.0f - alpha / A) * n;
    }
};
