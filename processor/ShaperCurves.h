#pragma once

#include <algorithm>
#include <cmath>

// The waveshaper curves of the three characters: f, its antiderivative F
// (F(0) = 0) for first-order antiderivative antialiasing, and the matcher's
// memoryless model of f. Each F is written in a form that keeps its precision
// in single precision near u = 0, where the textbook forms cancel.

// Rare: f(u) = u / (|u| + 1), F(u) = |u| - log1p(|u|).
struct RareCurve
{
    static constexpr bool flatOutside = false;

    static inline float f (float u) noexcept { return u / (std::abs (u) + 1.0f); }

    static inline float F (float u) noexcept
    {
        const float a = std::abs (u);
        if (a < 0.25f)
            return series (a);
        return a - std::log1p (a);
    }

    // a - log1p(a) = a^2 (1/2 - a/3 + a^2/4 - ... + a^8/10) by Horner's rule;
    // below a = 0.25 the first omitted term is under 1e-6 of the value.
    static inline float series (float a) noexcept
    {
        float p = 0.1f;
        p = p * a - 0.11111111f;
        p = p * a + 0.125f;
        p = p * a - 0.14285715f;
        p = p * a + 0.16666667f;
        p = p * a - 0.2f;
        p = p * a + 0.25f;
        p = p * a - 0.33333334f;
        p = p * a + 0.5f;
        return a * a * p;
    }

    static inline float model (float u) noexcept { return u / (1.0f + std::abs (u)); }

    // F over a run of inputs: the series for every input in one vectorisable
    // pass, then log1p only where an input lies at or above 0.25.
    static void antiderivatives (const float* u, float* out, int length) noexcept
    {
        int large = 0;
        for (int i = 0; i < length; ++i)
        {
            const float a = std::abs (u[i]);
            out[i] = series (a);
            large |= a >= 0.25f ? 1 : 0;
        }

        if (large == 0)
            return;

        for (int i = 0; i < length; ++i)
        {
            const float a = std::abs (u[i]);
            if (a >= 0.25f)
                out[i] = a - std::log1p (a);
        }
    }
};

// Medium: f(u) = u / sqrt(u^2 + 1), F(u) = sqrt(u^2 + 1) - 1 = u^2 / (sqrt(u^2 + 1) + 1).
struct MediumCurve
{
    static constexpr bool flatOutside = false;

    static inline float f (float u) noexcept { return u / std::sqrt (u * u + 1.0f); }

    static inline float F (float u) noexcept
    {
        const float uu = u * u;
        return uu / (std::sqrt (uu + 1.0f) + 1.0f);
    }

    static inline float model (float u) noexcept { return u / std::sqrt (u * u + 1.0f); }

    static void antiderivatives (const float* u, float* out, int length) noexcept
    {
        for (int i = 0; i < length; ++i)
            out[i] = F (u[i]);
    }
};

// Well: the cubic soft clip u - u^3/3, flat at +-2/3 beyond |u| = 1.
struct WellCurve
{
    static constexpr bool flatOutside = true;
    static constexpr float flat = 0.6666667f;

    static inline float f (float u) noexcept
    {
        const float inner = u - u * u * u / 3.0f;
        const float outer = u < 0.0f ? -flat : flat;
        return std::abs (u) <= 1.0f ? inner : outer;
    }

    static inline float F (float u) noexcept
    {
        const float a = std::abs (u);
        const float inner = u * 0.5f * u - u * u * u * u / 12.0f;
        const float outer = (a - 1.0f) * flat + 0.41666666f;
        return a <= 1.0f ? inner : outer;
    }

    static inline float model (float u) noexcept
    {
        const float c = u < -1.0f ? -1.0f : std::min (1.0f, u);
        return c - c * c * c * 0.33333334f;
    }

    static void antiderivatives (const float* u, float* out, int length) noexcept
    {
        for (int i = 0; i < length; ++i)
            out[i] = F (u[i]);
    }
};
