// The built resource bundle, as the editor sees it through the generated tables: every
// picture at three scales, the three layout files, and lookups by identifier.

#include "ArtFiles.h"
#include "TorvaneBundle.h"
#include <gtest/gtest.h>
#include <set>

using namespace artfiles;

namespace
{
std::set<juce::String> identifiers()
{
    std::set<juce::String> ids;
    for (int i = 0; i < TorvaneBundle::namedResourceListSize; ++i)
        ids.insert (TorvaneBundle::namedResourceList[i]);
    return ids;
}
} // namespace

TEST (ArtBundle, Holds531ResourcesEveryPictureAtThreeScalesAndTheLayoutFiles)
{
    ASSERT_EQ (TorvaneBundle::namedResourceListSize, 531);
    std::set<juce::String> expected { "art_json", "common_json", "charset_json" };
    for (auto& name : lines ("art-names.txt"))
        for (int s = 1; s <= 3; ++s)
            expected.insert (name + juce::String (s) + "x_png");
    EXPECT_EQ (identifiers(), expected);
}

TEST (ArtBundle, EveryIdentifierHashIsDistinct)
{
    std::set<juce::uint32> hashes;
    for (int i = 0; i < TorvaneBundle::namedResourceListSize; ++i)
        hashes.insert (resourceHash (TorvaneBundle::namedResourceList[i]));
    EXPECT_EQ (hashes.size(), 531u);
}

TEST (ArtBundle, PicturesHaveTheirLayoutSizeAndChannels)
{
    const std::set<juce::String> drawings { "panel", "pageMedium", "pageWell" };
    for (auto& name : lines ("art-names.txt"))
        for (int s = 1; s <= 3; ++s)
        {
            auto id = name + juce::String (s) + "x_png";
            int size = 0;
            auto* data = TorvaneBundle::getNamedResource (id.toRawUTF8(), size);
            ASSERT_NE (data, nullptr) << id;
            auto h = readHeader (data, (size_t) size);
            ASSERT_TRUE (h.valid) << id;
            auto r = name == "logo" ? rect ("logo") : sizingRect (name);
            EXPECT_EQ (h.width, (int) std::lround (r.getWidth() * s)) << id;
            EXPECT_EQ (h.height, (int) std::lround (r.getHeight() * s)) << id;
            EXPECT_EQ (h.colourType, drawings.count (name) ? 2 : 6) << id;
        }
}

TEST (ArtBundle, LayoutFileAndLookupEdges)
{
    int size = -1;
    auto* art = TorvaneBundle::getNamedResource ("art_json", size);
    ASSERT_NE (art, nullptr);
    EXPECT_EQ (size, 37181);
    EXPECT_EQ (art[0], '{');

    struct Miss { const char* id; };
    for (auto miss : { Miss { "art.json" }, Miss { "" }, Miss { nullptr }, Miss { "mouthRare121x_png" } })
    {
        size = 7;
        EXPECT_EQ (TorvaneBundle::getNamedResource (miss.id, size), nullptr);
        EXPECT_EQ (size, 0);
    }
}

TEST (ArtBundle, ProductFilesComeFirstInFileNameOrderThenTheToolkits)
{
    const int n = TorvaneBundle::namedResourceListSize;
    ASSERT_EQ (n, 531);
    for (int i = 1; i < n - 5; ++i)
        EXPECT_LT (juce::String (TorvaneBundle::originalFilenames[i - 1]).compare (TorvaneBundle::originalFilenames[i]), 0) << i;
    const char* toolkit[] = { "charset_json", "common_json", "logo1x_png", "logo2x_png", "logo3x_png" };
    for (int i = 0; i < 5; ++i)
        EXPECT_STREQ (TorvaneBundle::namedResourceList[n - 5 + i], toolkit[i]);
}
