// The editor over the product's art with a few pictures replaced by a damaged file: the
// prefetch thread refuses each one exactly as the art store's own decode does, nothing
// crashes, and a refused picture is not asked for again after a resize.
#include "SceneDriver.h"

#include "DamagedPngs.h"

#include <TorvaneBundle.h>
#include <gtest/gtest.h>

#include <map>

namespace
{
// The pictures replaced, at the 2x scale a 1120 window on a 1x display draws: an overlay
// of the page on screen that stays put, one of another page, and another page's drawing.
const char* const replacedNames[] = { "coalsBRare", "glistenAMedium", "pageWell" };

std::string identifierOf (const char* name)
{
    return std::string (name) + "2x_png";
}

// The product's bundle, but for the replaced identifiers.
std::map<std::string, juce::MemoryBlock>& replacements()
{
    static std::map<std::string, juce::MemoryBlock> replaced;
    return replaced;
}

const char* lookupReplaced (const char* identifier, int& size)
{
    if (const auto found = replacements().find (identifier); found != replacements().end())
    {
        size = (int) found->second.getSize();
        return static_cast<const char*> (found->second.getData());
    }
    return TorvaneBundle::getNamedResource (identifier, size);
}

juce::MemoryBlock productBytes (const std::string& identifier)
{
    int size = 0;
    const char* data = TorvaneBundle::getNamedResource (identifier.c_str(), size);
    return { data, (size_t) size };
}

class DamagedArt : public ::testing::Test, protected SceneDriver
{
protected:
    DamagedArt() : SceneDriver (1000.0) {}
    void TearDown() override { editor.reset(); }

    void open()
    {
        const zem::ArtSource source { TorvaneBundle::namedResourceList, TorvaneBundle::namedResourceListSize,
                                      &lookupReplaced };
        editor = std::make_unique<TorvaneEditor> (processor, source);
        editor->animator.stopTimer();
    }

    // A paint at this window size, the prefetch thread's work, and a paint that takes it.
    void settleAt (int side)
    {
        editor->setSize (side, side);
        for (int frame = 0; frame < 2; ++frame)
        {
            juce::Image image (juce::Image::ARGB, side, side, true);
            juce::Graphics g (image);
            editor->paintEntireComponent (g, false);
            if (frame == 0)
                waitForPrefetch();
        }
    }
};
} // namespace

TEST_F (DamagedArt, PrefetchRefusesWhatTheStoreRefuses)
{
    const auto cases = damagedPngs (productBytes (identifierOf (replacedNames[0])));
    setParameter ("drive", 100.0f);
    for (size_t c = 0; c < cases.size(); ++c)
    {
        const auto& what = cases[c].what;
        for (const auto* name : replacedNames)
            replacements()[identifierOf (name)] = damagedPngs (productBytes (identifierOf (name)))[c].bytes;
        open();
        ASSERT_TRUE (editor->hasPageArt()) << what;
        for (int i = 0; i < 30; ++i)
            playTick (i % 10 == 0 ? 1.0f : 0.5f);

        settleAt (1120);
        for (const auto* name : replacedNames)
        {
            const auto* entry = editor->kit.find (name);
            ASSERT_NE (entry, nullptr) << name;
            EXPECT_TRUE (entry->slots[2].image.isNull()) << what << ": " << name << " came in through the prefetch";
            EXPECT_TRUE (entry->imageFor (2.0f).isNull()) << what << ": " << name;
            EXPECT_TRUE (zem::ArtEntry::decode (entry->slots[2]).isNull()) << what << ": " << name;
        }

        // Still the 2x pictures, every sound one decoded already: the thread decodes nothing.
        const int tried = editor->prefetch.decodesTried();
        settleAt (1000);
        EXPECT_EQ (editor->prefetch.decodesTried(), tried) << what << ": a refused picture was queued again";
        editor.reset();
    }
    replacements().clear();
}
