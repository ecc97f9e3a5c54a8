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
juce::Colour rgb (juce::uint32 v) { return juce::Colour (0xff000000 | v); }

Look makeRare()
{
    Look l;
    l.skyTop = rgb (0x4a1f2a);   l.skyBottom = rgb (0x1e0e14);  l.haze = rgb (0xff9a6a);
    l.board = rgb (0x3a1a1f);    l.boardEdge = rgb (0x7a4038);  l.word = rgb (0x9c6d62);
    l.wordSelected = rgb (0xffe2c4); l.wordGlow = rgb (0xff8a5c);
    l.body = rgb (0xc2605a);     l.bodyLight = rgb (0xf0a08a);  l.bodyShadow = rgb (0x6a2430);
    l.trim = rgb (0xb07a58);     l.trimLight = rgb (0xffd8b0);  l.cheek = rgb (0xff7a80);
    l.soot = rgb (0x4a1a20);
    l.eyeWhite = rgb (0xfff4ea); l.eyeShade = rgb (0xe0bcb0);   l.iris = rgb (0x9a5a34);
    l.irisDark = rgb (0x4a2414); l.lid = rgb (0x5a1c26);
    l.lip = rgb (0x8a2a38);      l.throat = rgb (0x3a0c16);     l.tongue = rgb (0xe0707a);
    l.tooth = rgb (0xfff0e0);
    l.coal = rgb (0x3a2426);     l.coalTop = rgb (0x6a4a46);    l.ash = rgb (0x9a8480);
    l.tray = rgb (0x4a3432);     l.grate = rgb (0x3c2a2a);      l.grateLight = rgb (0x8a6a62);
    l.core = rgb (0x5a4a48);     l.copper = rgb (0xd07a4a);     l.copperDark = rgb (0x7a3a22);
    l.glass = rgb (0xd8c8c0);    l.plate = rgb (0x6a6060);
    l.cabinet = rgb (0x7a3a34);  l.cabinetLight = rgb (0xc0705a); l.baffle = rgb (0x2a1216);
    l.cone = rgb (0x8a5a50);     l.coneDark = rgb (0x4a2a28);   l.capMetal = rgb (0xe0b0a0);
    l.drip = rgb (0xb0202c);     l.dripLight = rgb (0xff8a8a);
    l.socket = rgb (0x4a1c22);   l.socketRing = rgb (0xd0987a);
    l.headCorner = 92.0f;
    l.toothCount = 0;
    return l;
}

Look makeMedium()
{
    Look l;
    l.skyTop = rgb (0x3a2e1c);   l.skyBottom = rgb (0x15110b);  l.haze = rgb (0xd8a050);
    l.board = rgb (0x2e2416);    l.boardEdge = rgb (0x8a6a34);  l.word = rgb (0x8a7a58);
    l.wordSelected = rgb (0xffe6a8); l.wordGlow = rgb (0xffb040);
    l.body = rgb (0x6a6a44);     l.bodyLight = rgb (0xa8a070);  l.bodyShadow = rgb (0x2a2a1a);
    l.trim = rgb (0xb08a3a);     l.trimLight = rgb (0xffe090);  l.cheek = rgb (0xc08a50);
    l.soot = rgb (0x2a2414);
    l.eyeWhite = rgb (0xf4ecd4); l.eyeShade = rgb (0xc8b890);   l.iris = rgb (0xc08a20);
    l.irisDark = rgb (0x4a3008); l.lid = rgb (0x3a3a22);
    l.lip = rgb (0x4a3a22);      l.throat = rgb (0x1e1408);     l.tongue = rgb (0xa05a40);
    l.tooth = rgb (0xf0e4c0);
    l.coal = rgb (0x2c2622);     l.coalTop = rgb (0x5a524a);    l.ash = rgb (0x8a847a);
    l.tray = rgb (0x3a3228);     l.grate = rgb (0x2e2a22);      l.grateLight = rgb (0x8a7a5a);
    l.core = rgb (0x4a4a44);     l.copper = rgb (0xc8803a);     l.copperDark = rgb (0x6a4018);
    l.glass = rgb (0xd0d4c8);    l.plate = rgb (0x5a5a56);
    l.cabinet = rgb (0x4a3a24);  l.cabinetLight = rgb (0x9a7a48); l.baffle = rgb (0x16140e);
    l.cone = rgb (0x6a6048);     l.coneDark = rgb (0x2e2a1e);   l.capMetal = rgb (0xd8c890);
    l.drip = rgb (0xd89a30);     l.dripLight = rgb (0xffe4a0);
    l.socket = rgb (0x26241a);   l.socketRing = rgb (0xc8a050);
    l.headCorner = 52.0f;
    l.eyeLidCut = 0.34f;
    l.toothCount = 7;
    return l;
}

Look makeWell()
{
    Look l;
    l.skyTop = rgb (0x221c1a);   l.skyBottom = rgb (0x0a0808);  l.haze = rgb (0xff5a20);
    l.board = rgb (0x1a1614);    l.boardEdge = rgb (0x5a4a44);  l.word = rgb (0x6a5e58);
    l.wordSelected = rgb (0xffd2a0); l.wordGlow = rgb (0xff5a1e);
    l.body = rgb (0x3a3634);     l.bodyLight = rgb (0x6e6662);  l.bodyShadow = rgb (0x0e0c0c);
    l.trim = rgb (0x5a524e);     l.trimLight = rgb (0xb0a49a);  l.cheek = rgb (0x2a1a16);
    l.soot = rgb (0x0a0807);
    l.eyeWhite = rgb (0xe8dcc4); l.eyeShade = rgb (0xa8987e);   l.iris = rgb (0xd0401a);
    l.irisDark = rgb (0x3a0a04); l.lid = rgb (0x151210);
    l.lip = rgb (0x1a1410);      l.throat = rgb (0x2a0c06);     l.tongue = rgb (0x5a2418);
    l.tooth = rgb (0xd8ccb0);
    l.coal = rgb (0x1c1a1a);     l.coalTop = rgb (0x4a4644);    l.ash = rgb (0x7a7470);
    l.tray = rgb (0x262220);     l.grate = rgb (0x1e1c1c);      l.grateLight = rgb (0x6a625e);
    l.core = rgb (0x3a3a3a);     l.copper = rgb (0x8a5a3a);     l.copperDark = rgb (0x3a2214);
    l.glass = rgb (0xa8a49c);    l.plate = rgb (0x3a3a38);
    l.cabinet = rgb (0x2a2624);  l.cabinetLight = rgb (0x5a524c); l.baffle = rgb (0x0c0b0a);
    l.cone = rgb (0x3c3834);     l.coneDark = rgb (0x161412);   l.capMetal = rgb (0x9a928a);
    l.drip = rgb (0x6a4a2a);     l.dripLight = rgb (0xd0a070);
    l.socket = rgb (0x141212);   l.socketRing = rgb (0x8a7e74);
    l.headCorner = 22.0f;
    l.eyeLidCut = 0.22f;
    l.eyeLidSlant = 14.0f;
    l.toothCount = 9;
    l.jaggedMouth = true;
    l.bricks = true;
    l.cracks = true;
    return l;
}
} // namespace

const Look& lookFor (Character c)
{
    static const Look looks[] = { makeRare(), makeMedium(), makeWell() };
    return looks[(int) c];
}
} // namespace torvane::art
