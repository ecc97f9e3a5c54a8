#pragma once

// Topology-preserving one-pole section: g = tan(pi * fc / rate), s its state.
struct OnePole
{
    float g = 0.0f;
    float s = 0.0f;

    // One step; returns the lowpass output. The highpass output is x - lowpass.
    inline float lowpass (float x) noexcept
    {
        const float v = ((x - s) * g) / (g + 1.0f);
        const float lp = v + s;
        s = v + lp;
        return lp;
    }

    inline float highpass (float x) noexcept { return x - lowpass (x); }
};
