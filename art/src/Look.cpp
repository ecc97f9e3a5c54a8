#include "Look.h"

namespace torvane::art
{
juce::String pageWord (Character c)
{
    switch (c)
    {
        case Character::Rare:   return "Rare";
        case Character::Medium: return "Medium";
        case Character::Well:   return "Well";
    }
    return {};
}

juce::String pageName (Character c)
{
    return c == Character::Rare ? juce::String ("panel") : "page" + pageWord (c);
}

namespace
{
// One colour of the look, as 0xRRGGBB for Rare, Medium and Well.
struct ColourRow
{
    juce::Colour Look::* field;
    juce::uint32 rgb[3];
};

const ColourRow colourRows[] = {
    { &Look::skyTop,       { 0x4a1f2a, 0x3a2e1c, 0x221c1a } },
    { &Look::skyBottom,    { 0x1e0e14, 0x15110b, 0x0a0808 } },
    { &Look::haze,         { 0xff9a6a, 0xd8a050, 0xff5a20 } },
    { &Look::board,        { 0x3a1a1f, 0x2e2416, 0x1a1614 } },
    { &Look::boardEdge,    { 0x7a4038, 0x8a6a34, 0x5a4a44 } },
    { &Look::word,         { 0x9c6d62, 0x8a7a58, 0x6a5e58 } },
    { &Look::wordSelected, { 0xffe2c4, 0xffe6a8, 0xffd2a0 } },
    { &Look::wordGlow,     { 0xff8a5c, 0xffb040, 0xff5a1e } },
    { &Look::body,         { 0xc2605a, 0x6a6a44, 0x3a3634 } },
    { &Look::bodyLight,    { 0xf0a08a, 0xa8a070, 0x6e6662 } },
    { &Look::bodyShadow,   { 0x6a2430, 0x2a2a1a, 0x0e0c0c } },
    { &Look::trim,         { 0xb07a58, 0xb08a3a, 0x5a524e } },
    { &Look::trimLight,    { 0xffd8b0, 0xffe090, 0xb0a49a } },
    { &Look::cheek,        { 0xff7a80, 0xc08a50, 0x2a1a16 } },
    { &Look::soot,         { 0x4a1a20, 0x2a2414, 0x0a0807 } },
    { &Look::eyeWhite,     { 0xfff4ea, 0xf4ecd4, 0xe8dcc4 } },
    { &Look::eyeShade,     { 0xe0bcb0, 0xc8b890, 0xa8987e } },
    { &Look::iris,         { 0x9a5a34, 0xc08a20, 0xd0401a } },
    { &Look::irisDark,     { 0x4a2414, 0x4a3008, 0x3a0a04 } },
    { &Look::lid,          { 0x5a1c26, 0x3a3a22, 0x151210 } },
    { &Look::lip,          { 0x8a2a38, 0x4a3a22, 0x1a1410 } },
    { &Look::throat,       { 0x3a0c16, 0x1e1408, 0x2a0c06 } },
    { &Look::tongue,       { 0xe0707a, 0xa05a40, 0x5a2418 } },
    { &Look::tooth,        { 0xfff0e0, 0xf0e4c0, 0xd8ccb0 } },
    { &Look::coal,         { 0x3a2426, 0x2c2622, 0x1c1a1a } },
    { &Look::coalTop,      { 0x6a4a46, 0x5a524a, 0x4a4644 } },
    { &Look::ash,          { 0x9a8480, 0x8a847a, 0x7a7470 } },
    { &Look::tray,         { 0x4a3432, 0x3a3228, 0x262220 } },
    { &Look::grate,        { 0x3c2a2a, 0x2e2a22, 0x1e1c1c } },
    { &Look::grateLight,   { 0x8a6a62, 0x8a7a5a, 0x6a625e } },
    { &Look::core,         { 0x5a4a48, 0x4a4a44, 0x3a3a3a } },
    { &Look::copper,       { 0xd07a4a, 0xc8803a, 0x8a5a3a } },
    { &Look::copperDark,   { 0x7a3a22, 0x6a4018, 0x3a2214 } },
    { &Look::glass,        { 0xd8c8c0, 0xd0d4c8, 0xa8a49c } },
    { &Look::plate,        { 0x6a6060, 0x5a5a56, 0x3a3a38 } },
    { &Look::cabinet,      { 0x7a3a34, 0x4a3a24, 0x2a2624 } },
    { &Look::cabinetLight, { 0xc0705a, 0x9a7a48, 0x5a524c } },
    { &Look::baffle,       { 0x2a1216, 0x16140e, 0x0c0b0a } },
    { &Look::cone,         { 0x8a5a50, 0x6a6048, 0x3c3834 } },
    { &Look::coneDark,     { 0x4a2a28, 0x2e2a1e, 0x161412 } },
    { &Look::capMetal,     { 0xe0b0a0, 0xd8c890, 0x9a928a } },
    { &Look::drip,         { 0xb0202c, 0xd89a30, 0x6a4a2a } },
    { &Look::dripLight,    { 0xff8a8a, 0xffe4a0, 0xd0a070 } },
    { &Look::socket,       { 0x4a1c22, 0x26241a, 0x141212 } },
    { &Look::socketRing,   { 0xd0987a, 0xc8a050, 0x8a7e74 } },
};

// The shape choices of each character, in the same order.
struct ShapeRow
{
    float headCorner, eyeLidCut, eyeLidSlant;
    int toothCount;
    bool jaggedMouth, bricks, cracks;
};

const ShapeRow shapeRows[] = {
    { 92.0f, 0.0f,  0.0f,  0, false, false, false },   // Rare
    { 52.0f, 0.34f, 0.0f,  7, false, false, false },   // Medium
    { 22.0f, 0.22f, 14.0f, 9, true,  true,  true },    // Well
};

Look makeLook (Character c)
{
    const auto index = (size_t) c;
    Look l;
    for (const auto& row : colourRows)
        l.*row.field = juce::Colour (0xff000000 | row.rgb[index]);
    const auto& shape = shapeRows[index];
    l.headCorner = shape.headCorner;
    l.eyeLidCut = shape.eyeLidCut;
    l.eyeLidSlant = shape.eyeLidSlant;
    l.toothCount = shape.toothCount;
    l.jaggedMouth = shape.jaggedMouth;
    l.bricks = shape.bricks;
    l.cracks = shape.cracks;
    return l;
}
} // namespace

const Look& lookFor (Character c)
{
    static const Look looks[] = { makeLook (Character::Rare), makeLook (Character::Medium), makeLook (Character::Well) };
    return looks[(int) c];
}
} // namespace torvane::art
