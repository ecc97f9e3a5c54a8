#pragma once

#include "Look.h"
#include <vector>

namespace torvane::art
{
using Rect = juce::Rectangle<float>;
using Point = juce::Point<float>;

// One named layout entry: a rectangle, or a point written with zero width and height.
struct LayoutEntry
{
    juce::String name;
    Rect rect;
};

// A lump of coal in the bed; group 0, 1, 2 is the coals A, B or C overlay that lights it.
struct Coal
{
    juce::Path shape;
    juce::Path cracks;   // the splits that glow brightest when the coal is lit
    Point centre;
    float radius = 0;
    float heat = 1;   // how bright it burns when lit, 0.5 to 1
    int group = 0;
};

// An eye: the white's shape (the pupil's clip), the picture's rectangle, the white's
// inner box that bounds the pupil's travel, and the pupil at rest in the box's centre.
struct Eye
{
    Rect ellipse;
    juce::Path white;
    juce::Path lid;        // the part of the ellipse the upper lid hides
    juce::Line<float> lidEdge;
    Rect picture, whiteBox, pupil;
    bool leftSide = true;
};

// A piece that turns or stretches about a point: flaps about their hinge, flames about
// their base.
struct Pivoted
{
    Rect rect;
    Point pivot;
};

// The scene of one character, described once: every shape position the painter draws and
// every rectangle and point the layout file gives the editor come from these members.
class Scene
{
public:
    explicit Scene (Character c);

    Character character;
    const Look& look;

    // Shared composition: identical on all three drawings.
    static Rect content()   { return { 0, 0, 560, 560 }; }
    static Rect logo()      { return { 510, 510, 44, 44 }; }
    static Rect knob()      { return { 234.0f, 89.31f, 71.45f, 71.45f }; }
    // Large enough that the hover readout's text line, 0.62 of 0.24 of the knob's height,
    // is over 9 px high on the 560 px face.
    static Rect blend()     { return { 341.15f, 257.15f, 62.3f, 62.3f }; }
    static Rect sign()      { return { 20, 10, 520, 54 }; }
    static Rect wordHit (int page);
    static Rect sparkFrom() { return { 452, 398, 30, 28 }; }
    static Rect spark (int i);
    static const char* hitName (int page);

    Rect head { 108, 70, 324, 336 };
    Eye eyes[2];
    Rect mouth { 170, 268, 155, 117 };
    Point mouthCentre;   // the middle of the closed lips, 34 px down the mouth's rectangle
    float mouthHalfWidth = 54, mouthDrop = 62, mouthRise = 12;

    Point indicatorCentre { 146, 372 };
    Rect indicator;      // the pilot's glow, centred on it, with room to grow

    Rect transformerBody { 24, 186, 72, 62 };
    Point transformerShadow { 2, 3 };   // where the body's shadow falls on the shelf
    Rect valveGlass { 44, 116, 32, 72 };
    Rect transformer { 22, 114, 76, 136 };
    Rect behind { 18, 110, 84, 146 };
    Rect valveDim { 43, 115, 34, 74 };
    Rect valveHot { 32, 104, 56, 96 };
    Point cableRoot { 84, 236 }, cableFar { 116, 290 };
    Rect cable;          // the lead from root to far end, with its plug
    Point cableSag { -4, 4 };

    Rect cabinet { 440, 116, 106, 208 };
    Point coneCentre { 493, 196 };
    float coneRadius = 34;
    Rect cone;
    Pivoted flaps[6];
    static constexpr float flapSwing = 0.2f;   // the largest turn of a flap, in radians
    static constexpr float flapRodRise = 4.5f; // a rod's centre above its flaps' hinges

    float railTop = 424, railBottom = 432;
    Rect tray { 34, 498, 464, 50 };
    float trayLipTop = 530;
    static constexpr float glowReach = 1.6f;   // a lit coal's glow radius, in lump radii
    std::vector<Coal> coals;
    Rect coalsRect { 28, 452, 476, 100 };
    std::vector<Rect> drips, dripBehinds;
    std::vector<Pivoted> flames;
    std::vector<Rect> smoke;
    std::vector<Point> emberSpots, sizzleSpots;
    std::vector<Rect> glints[3];   // glisten A, B, C: small highlight ellipses
    Rect glisten[3];
    Rect warm { 24, 236, 512, 318 };

    juce::Path wordPaths[3];
    Rect namePlate { 226, 386, 88, 14 };
    juce::Path nameText;
    // DRIVE and BLEND under their sockets, on plates lettered like the name plate.
    Rect knobPlates[2];
    juce::Path knobWords[2];
    Point nose { 268, 248 };

    // Every layout entry of this character (and, for Rare, the shared ones), rounded to the
    // hundredths the layout file carries, so pictures and file agree to the last digit.
    std::vector<LayoutEntry> layout() const;
    Rect rectFor (const juce::String& name) const;

private:
    void makeKnobWords();
    void makeValve();
    void makeCentredPieces();
    void makeEyes();
    void makeFlaps();
    void makeCoals();
    void makeDrips();
    void makeFlames();
    void makeSmoke();
    void makeSpots();
    void makeGlints();
};

Rect roundedToHundredths (Rect r);
} // namespace torvane::art
