// Renders the product's art set: every picture at scales 1, 2 and 3 and art.json, from the
// scene description, after checking that the scene yields exactly the names the build
// expects. With --contact-sheet it writes review sheets instead.
//
//   TorvaneArtRenderer --names names.txt --out <folder>
//   TorvaneArtRenderer --contact-sheet <folder> [--scale 1|2|3]

#include "ContactSheet.h"
#include "LayoutFile.h"
#include "PictureRenderer.h"
#include <set>

using namespace torvane::art;

namespace
{
juce::String option (const juce::StringArray& args, const juce::String& name, const juce::String& fallback = {})
{
    int i = args.indexOf (name);
    return i >= 0 && i + 1 < args.size() ? args[i + 1] : fallback;
}

// The build's list of outputs comes from the names file: refuse to render a different set.
bool namesMatch (const PictureCatalog& catalog, const juce::File& namesFile)
{
    juce::StringArray expected;
    expected.addLines (namesFile.loadFileAsString());
    expected.trim();
    expected.removeEmptyStrings();
    std::set<juce::String> wanted (expected.begin(), expected.end()), made;
    for (auto& p : catalog.pictures())
        made.insert (p.name);
    bool ok = wanted.size() == (size_t) expected.size() && made.size() == catalog.pictures().size();
    for (auto& n : wanted)
        if (made.count (n) == 0)
        {
            std::fprintf (stderr, "the scene has no picture %s\n", n.toRawUTF8());
            ok = false;
        }
    for (auto& n : made)
        if (wanted.count (n) == 0)
        {
            std::fprintf (stderr, "picture %s is not in %s\n", n.toRawUTF8(), namesFile.getFileName().toRawUTF8());
            ok = false;
        }
    return ok;
}
} // namespace

int main (int argc, char** argv)
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (argv[i]);

    PictureCatalog catalog;

    auto sheets = option (args, "--contact-sheet");
    if (sheets.isNotEmpty())
    {
        int scale = juce::jlimit (1, 3, option (args, "--scale", "1").getIntValue());
        return writeContactSheets (catalog, juce::File::getCurrentWorkingDirectory().getChildFile (sheets), scale) ? 0 : 1;
    }

    auto names = option (args, "--names"), out = option (args, "--out");
    if (names.isEmpty() || out.isEmpty())
    {
        std::fprintf (stderr, "usage: TorvaneArtRenderer --names <names.txt> --out <folder>\n"
                              "       TorvaneArtRenderer --contact-sheet <folder> [--scale 1|2|3]\n");
        return 2;
    }
    auto cwd = juce::File::getCurrentWorkingDirectory();
    if (! namesMatch (catalog, cwd.getChildFile (names)))
        return 1;

    auto folder = cwd.getChildFile (out);
    folder.createDirectory();
    auto start = juce::Time::getMillisecondCounterHiRes();
    if (! renderAll (catalog.pictures(), folder))
        return 1;
    auto json = layoutJson (catalog.layout());
    if (! folder.getChildFile ("art.json").replaceWithData (json.toRawUTF8(), (size_t) json.getNumBytesAsUTF8()))
        return 1;
    std::printf ("rendered %d pictures x 3 in %.1f s\n", (int) catalog.pictures().size(),
                 (juce::Time::getMillisecondCounterHiRes() - start) / 1000.0);
    return 0;
}
