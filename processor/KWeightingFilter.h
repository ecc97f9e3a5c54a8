#pragma once

#include "Biquad.h"

#include <algorithm>
#include <cmath>

// K-weighting pre-filter (rounded ITU-R BS.1770 values): a high shelf of about
// +4 dB at 1681.97 Hz, then a highpass at 38.13 Hz. The designs are templates
// so that the calibration (single precision) and the loudness matcher
// (designed in double, run in single) share one formula.
struct KWeightingFilter
{
    Biquad shelf;
    Biquad highpass;

    // Single-precision design at sample rate fs, as the calibration uses it.
    void prepare (float fs) noexcept
    {
        const float A = std::pow (10.0f, 0.099995f);
        float s[5], h[5];
        designShelf (A, 10568.129f / fs, s);
        designHighpass (239.57787f / fs, h);
        setCoefficients (shelf, s);
        setCoefficients (highpass, h);
    }

    void clear() noexcept
    {
        shelf.clear();
        highpass.clear();
    }

    inline float process (float x) noexcept { return highpass.process (shelf.process (x)); }

    // High shelf with linear gain A at normalised frequency w0: b0, b1, b2, a1, a2.
    template <typename T>
    static void designShelf (T A, T w0, T* out) noexcept
    {
        const T c = std::cos (w0);
        const T beta = (std::sin (w0) / T (1.4142)) * T (2) * std::sqrt (A);
        const T a0 = (A + T (1)) - (A - T (1)) * c + beta;
        out[0] = A * ((A + T (1)) + (A - T (1)) * c + beta) / a0;
        out[1] = T (-2) * A * ((A - T (1)) + (A + T (1)) * c) / a0;
        out[2] = A * ((A + T (1)) + (A - T (1)) * c - beta) / a0;
        out[3] = T (2) * ((A - T (1)) - (A + T (1)) * c) / a0;
        out[4] = ((A + T (1)) - (A - T (1)) * c - beta) / a0;
    }

    // Highpass at normalised frequency w0: b0, b1, b2 (= b0), a1, a2.
    template <typename T>
    static void designHighpass (T w0, T* out) noexcept
    {
        const T c = std::cos (w0);
        const T alpha = std::sin (w0) / T (1.0006);
        out[0] = (T (1) + c) * T (0.5) / (T (1) + alpha);
        out[1] = -(T (1) + c) / (T (1) + alpha);
        out[2] = out[0];
        out[3] = T (-2) * c / (T (1) + alpha);
        out[4] = (T (1) - alpha) / (T (1) + alpha);
    }

private:
    static void setCoefficients (Biquad& b, const float* k) noexcept
    {
        b.b0 = k[0];
        b.b1 = k[1];
        b.b2 = k[2];
        b.a1 = k[3];
        b.a2 = k[4];
    }
};
