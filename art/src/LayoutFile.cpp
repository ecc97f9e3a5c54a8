#include "LayoutFile.h"

namespace torvane::art
{
namespace
{
const char* const commentLines[] = {
    "Torvane art layout, written by the art renderer from the scene description.",
    "Do not edit by hand: change the scene in art/src and rebuild.",
    "All values are design pixels on the 560 x 560 face square, origin top left, y down.",
    "A rectangle is [x, y, width, height]; a point is [x, y, 0, 0].",
    "Every picture name.png is its rectangle times the scale (1, 2, 3), rounded.",
    "panel, pageMedium and pageWell fill content: the full drawings, RGB, at rest and cold.",
    "Every other picture is RGBA and stretched over its own rectangle.",
    "content, logo: the toolkit's face square and the logo badge in the bottom-right corner.",
    "knob, blend: the Drive and Blend caps, drawn pointer up and turned about their centres.",
    "rareHit, mediumHit, wellHit: the painted words; clicking one selects that character.",
    "warmRare: the soft heat over the Rare scene's fire and face.",
    "coalsA/B/C + page: three sets of lit coals over the cold bed.",
    "glistenA/B/C + page: three sets of wet or metal highlights.",
    "indicator + page: the pilot light on the chin; it throbs about its centre.",
    "behind + page: the wall behind the transformer, shown while it shakes.",
    "cable + page: the lead, turned about cableFar so its cableRoot end follows the shake.",
    "transformer + page: the transformer with its valve, cut out; it shakes as one piece.",
    "valveDim, valveHot + page: the valve choked and the valve glowing, on the glass.",
    "mouth + page: the rectangle of the twelve mouth frames, closed (0) to wide (11).",
    "mouthWarm: the Rare mouth's rectangle again, where the twelve warm frames lie.",
    "eye + page + 0/1: the open whites; their alpha clips the pupils.",
    "eyeWhite + page + 0/1: the box inside each white that the pupil's centre roams.",
    "pupil + page + 0/1: the round pupils at rest, centred in their boxes.",
    "cone + page, coneCentre + page: the speaker cone and the point it swells about.",
    "flap + page + 0-5, flapPivot + page + 0-5: the grille flaps and their hinges.",
    "flameWell + 0-2, flameBaseWell + 0-2: Well's flames and their base points.",
    "drip + page + k: hanging drops; the top edge is where each hangs from the rail.",
    "dripBehind + page + k: the rail and wall behind each drop, without it.",
    "smoke + page + k: still wisps; copies rise from them while audio plays.",
    "spark0-3: spark sprites; only their sizes are used.",
    "sparkFrom: Well's sparks start on this rectangle's diagonal, at the rail's scarred end.",
    "sizzleSpot + page + 0-39: where sizzles flash: coals, the rail, the tray's rim.",
    "emberSpot + page + 0-35: where embers leave the coals' crowns.",
    "Drips fall about 46 to 70 px onto the coals below the rail.",
    "Embers rise up to 45 px; smoke rises 40 px; sparks fly up and right.",
    "Rare: soft and warm. Rosy enamel, a smile, a warm glow that builds as it plays.",
    "Medium: the valve. Brass and olive, half-lidded eyes, teeth; it gulps on hard hits.",
    "Well: the wall. Charred iron, a scowl, a jagged mouth and flames under the rail.",
    "The three drawings share the sockets, the painted words, the logo corner and sparkFrom.",
    "Each drawing lights its own word on the sign.",
    "The caps are drawn smaller than their rectangles by the editor; the collars show around.",
    "Counts come from the names: 12 mouth frames, 7 and 11 drips, 3 flames, 4 and 5 smokes.",
    "Never add a name that continues one of those counts.",
    "Rendered with JUCE's software renderer from vector shapes at each scale.",
    "Patches and mouth frames are cut from the drawing itself, so they match it exactly.",
    "Glow pictures carry the finished lit look in their cores, with soft alpha fringes.",
    "Line ends are CRLF.",
};

juce::String number (float v)
{
    return juce::String (v, 2);
}

juce::String entryText (const LayoutEntry& e)
{
    auto r = e.rect;
    bool isToolkit = e.name == "content" || e.name == "logo";
    if (isToolkit)
        return "[" + juce::String ((int) r.getX()) + ", " + juce::String ((int) r.getY()) + ", "
             + juce::String ((int) r.getWidth()) + ", " + juce::String ((int) r.getHeight()) + "]";
    if (r.getWidth() == 0 && r.getHeight() == 0)
        return "[" + number (r.getX()) + ", " + number (r.getY()) + ", 0, 0]";
    return "[" + number (r.getX()) + ", " + number (r.getY()) + ", " + number (r.getWidth()) + ", " + number (r.getHeight()) + "]";
}

juce::String build (const std::vector<LayoutEntry>& entries, const juce::String& padding)
{
    const juce::String nl ("\r\n");
    juce::String s ("{" + nl + "  \"_comment\": [" + nl);
    const int lines = (int) std::size (commentLines);
    for (int i = 0; i < lines; ++i)
    {
        juce::String text (commentLines[i]);
        if (i == lines - 1)
            text += padding;
        s += "    \"" + text + "\"" + (i + 1 < lines ? "," : "") + nl;
    }
    s += "  ]," + nl;
    s += "  \"design\": { \"width\": 560, \"height\": 560 }," + nl;
    s += "  \"layout\": {" + nl;
    for (size_t i = 0; i < entries.size(); ++i)
        s += "    \"" + entries[i].name + "\": " + entryText (entries[i]) + (i + 1 < entries.size() ? "," : "") + nl;
    s += "  }" + nl + "}" + nl;
    return s;
}
} // namespace

juce::String layoutJson (const std::vector<LayoutEntry>& entries)
{
    static_assert (std::size (commentLines) == 47);
    auto plain = build (entries, {});
    int missing = layoutFileBytes - plain.length();
    if (missing <= 0)
        return plain;
    // Pad with a run of dots after the last line's words.
    return build (entries, missing > 1 ? " " + juce::String::repeatedString (".", missing - 1) : juce::String (" "));
}
} // namespace torvane::art
