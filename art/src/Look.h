#pragma once

#include <juce_graphics/juce_graphics.h>

namespace torvane::art
{
// The three characters of the effect, numbered like the page parameter.
enum class Character { Rare = 0, Medium = 1, Well = 2 };

constexpr Character allCharacters[] = { Character::Rare, Character::Medium, Character::Well };

// "Rare", "Medium" or "Well": the word appended to every per-character art name.
juce::String pageWord (Character c);

// The art name of a character's full drawing: panel, pageMedium, pageWell.
juce::String pageName (Character c);

// Colours and a few shape choices that give each character its mood: Rare soft and warm,
// Medium brass and valve-heavy, Well charred iron in front of a scorched wall.
struct Look
{
    juce::Colour skyTop, skyBottom, haze;
    juce::Colour board, boardEdge, word, wordSelected, wordGlow;
    juce::Colour body, bodyLight, bodyShadow, trim, trimLight, cheek, soot;
    juce::Colour eyeWhite, eyeShade, iris, irisDark, lid;
    juce::Colour lip, throat, tongue, tooth;
    juce::Colour coal, coalTop, ash, tray, grate, grateLight;
    juce::Colour core, copper, copperDark, glass, plate;
    juce::Colour cabinet, cabinetLight, baffle, cone, coneDark, capMetal;
    juce::Colour drip, dripLight;
    juce::Colour socket, socketRing;
    float headCorner = 60.0f;   // corner radius of the head
    float eyeLidCut = 0.0f;     // fraction of the eye white hidden by the upper lid
    float eyeLidSlant = 0.0f;   // lid slope, in design pixels across the eye (Well scowls)
    int toothCount = 0;         // teeth along the upper lip when the mouth opens
    bool jaggedMouth = false;   // Well's mouth is a saw-tooth tear
    bool bricks = false;        // Well stands in front of a scorched brick wall
    bool cracks = false;        // charred, split enamel
};

const Look& lookFor (Character c);
} // namespace torvane::art
