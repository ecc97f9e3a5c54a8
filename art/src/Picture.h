#pragma once

#include "Scene.h"
#include <functional>

namespace torvane::art
{
// One art name: the rectangle its picture is cut to, and the drawing that fills it, in
// design pixels. A feather fades the picture's alpha towards its edge, over that many
// design pixels, where its content already equals the drawing beneath. A mask, when set,
// paints another picture whose alpha this one takes, pixel for pixel at every scale.
struct Picture
{
    juce::String name;
    Rect rect;
    bool opaque = false;
    float feather = 0;
    std::function<void (juce::Graphics&)> paint;
    std::function<void (juce::Graphics&)> mask = {};
};
} // namespace torvane::art
