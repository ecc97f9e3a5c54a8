#pragma once

#include "Scene.h"

// Small drawing helpers shared by the scene's painters: colours, gradients, soft glows,
// rivets. Everything is in design pixels.
namespace torvane::art::paint
{
using juce::Colour;
using juce::ColourGradient;
using juce::Graphics;
using juce::Path;
using juce::PathStrokeType;

constexpr float pi = juce::MathConstants<float>::pi;

Colour rgba (int r, int g, int b, float a = 1.0f);
Colour shade (float alpha);   // black at an alpha
Colour light (float alpha);   // white at an alpha

ColourGradient vertical (Colour top, float y0, Colour bottom, float y1);
ColourGradient horizontal (Colour left, float x0, Colour right, float x1);
ColourGradient radial (Colour inner, Point centre, Colour outer, float radius);

// A soft glow: full colour at the centre, fading to nothing at the radius (or radii).
void fillGlow (Graphics& g, Point centre, float radius, Colour colour);
void fillGlow (Graphics& g, Point centre, float rx, float ry, Colour colour);

Path roundedRect (Rect r, float corner);
Path ellipsePath (Rect r);
Path scaledAbout (const Path& p, float k, Point c);

// The dark outline round a plate: its darkness (black at this alpha) and width.
struct Edge
{
    float alpha;
    float width;
};

// A shadow a raised plate casts on what is behind it.
struct Drop
{
    Point offset;
    float alpha;   // black at this alpha
};

// A rounded plate: the fill, then its dark outline.
void paintPlate (Graphics& g, Rect area, float corner, const ColourGradient& fill, Edge edge);

// A plate raised off its background: its drop shadow first, then the plate.
void paintRaisedPlate (Graphics& g, Rect area, float corner, Drop drop, const ColourGradient& fill, Edge edge);

// A small domed screw or rivet head with its shadow.
void paintRivet (Graphics& g, Point c, float r, Colour metal);
} // namespace torvane::art::paint
