// The bytes the scene's copies hold, once the prefetch thread has finished, at window
// sizes up to the largest the editor allows and display scales 1 to 3; what a size whose
// copies do not all fit still paints; and the copies a resize leaves.
#include "PixelDistance.h"
#include "ReferencePaintEditor.h"
#include "SceneFixture.h"

#include "EditorSnapshot.h"

class EditorMemory : public SceneTest
{
protected:
    // A paint, the prefetch thread's work, and the paint that takes what it made.
    juce::Image settle (int side, float scale)
    {
        renderEditorSnapshot (*editor, side, side, scale);
        EXPECT_TRUE (waitForPrefetch (120000));
        return renderEditorSnapshot (*editor, side, side, scale);
    }

    size_t copiesHeld() const { return editor->pageCopies.bytesHeld() + editor->overlayCopies.bytesHeld(); }

    // The bytes of the page drawing's copy at the face square's device size.
    static size_t pageCopyBytes (int side, float scale)
    {
        const int device = (int) std::lround (side * scale);
        return ScaledCopies::bytesFor (juce::Image::RGB, device, device);
    }
};

// Each view loud on each page: every copy together within 96 MB, the copy of the page on
// screen kept wherever it fits, and every copy drawn as the budget counts it.
TEST_F (EditorMemory, CopiesStayWithinTheirBudgetAtEverySize)
{
    const std::pair<int, float> views[] = { { 560, 1.0f },  { 1120, 1.0f }, { 2400, 1.0f }, { 6000, 1.0f },
                                            { 560, 1.5f },  { 1680, 1.5f }, { 2400, 1.5f }, { 6000, 1.5f },
                                            { 1120, 2.0f }, { 1680, 2.0f }, { 2400, 2.0f }, { 4000, 2.0f },
                                            { 6000, 2.0f }, { 1120, 3.0f }, { 2400, 3.0f }, { 6000, 3.0f } };
    setParameter ("drive", 100.0f);
    for (const auto& [side, scale] : views)
    {
        const auto what = juce::String (side) + " at " + juce::String (scale, 1);
        openEditor();
        playLoud (45);
        settle (side, scale);
        EXPECT_LE (copiesHeld(), TorvaneEditor::copyBudgetBytes) << what;
        EXPECT_EQ (editor->copyBudget.held(), copiesHeld()) << what;
        const bool needsCopy = editor->pageCopies.copiesMade() > 0 || editor->pageCopies.bytesHeld() > 0;
        if (needsCopy && pageCopyBytes (side, scale) <= TorvaneEditor::copyBudgetBytes)
            EXPECT_GE (editor->pageCopies.bytesHeld(), pageCopyBytes (side, scale)) << what << ": the page on screen";
        std::printf ("%s: %.1f MB\n", what.toRawUTF8(), (double) copiesHeld() / (1024.0 * 1024.0));
    }
}

// A 1680 window on a 2x display holds the copy of one page only: a change of character
// makes the new page's copy in place of the old one's, within the budget, and each frame,
// loud and dissolving, draws what the reference paint draws.
TEST_F (EditorMemory, ASizeThatHoldsOnePageStillPaintsEachPage)
{
    const int side = 1680;
    const float scale = 2.0f;
    setParameter ("drive", 100.0f);
    auto& painter = openEditor<ReferencePaintEditor>();
    playLoud (45);
    settle (side, scale);
    ASSERT_LT (editor->pageCopies.bytesHeld(), 2 * pageCopyBytes (side, scale)) << "the size holds one page";
    for (int page : { 1, 2 })
    {
        setParameter ("page", (float) page);
        for (int frame = 0; frame < 3; ++frame)
        {
            playLoud (1);
            const auto faster = renderEditorSnapshot (*editor, side, side, scale);
            painter.reference = true;
            const auto reference = renderEditorSnapshot (*editor, side, side, scale);
            painter.reference = false;
            int over = 0;
            for (int y = 0; y < faster.getHeight(); y += 3)
                for (int x = 0; x < faster.getWidth(); x += 3)
                    over += channelDistance (faster.getPixelAt (x, y), reference.getPixelAt (x, y)) > 2 ? 1 : 0;
            EXPECT_EQ (over, 0) << "page " << page << " frame " << frame;
            EXPECT_LE (copiesHeld(), TorvaneEditor::copyBudgetBytes);
        }
    }
}

// Resized while the prefetch thread still works for the first size: the new size's
// copies are made ahead as the first size's were, and none of the first size's is left.
TEST_F (EditorMemory, AResizeKeepsOnlyTheNewSizesCopies)
{
    setParameter ("drive", 100.0f);
    openEditor();
    playLoud (45);
    renderEditorSnapshot (*editor, 1120, 1120, 2.0f);
    ASSERT_TRUE (editor->prefetch.busy());
    // Every picture with a layout rectangle, where that rectangle lies at the first size.
    std::vector<std::pair<const zem::ArtEntry*, juce::Rectangle<float>>> oldAreas;
    for (const auto& [name, entry] : editor->kit.store->entries)
        if (editor->kit.docs.hasLayoutRect (name))
            oldAreas.emplace_back (entry.get(), editor->designToPixels (editor->kit.docs.layoutRect (name, {})));
    renderEditorSnapshot (*editor, 1000, 1000, 2.0f);
    const int pageCopiesMade = editor->pageCopies.copiesMade();
    settle (1000, 2.0f);

    int oldCopies = 0;
    for (const auto& [entry, area] : oldAreas)
        oldCopies += editor->overlayCopies.has (entry->imageFor (4.0f), area, 2.0f) ? 1 : 0;
    EXPECT_EQ (oldCopies, 0) << "copies of the old size";
    EXPECT_EQ (editor->pageCopies.copiesMade(), pageCopiesMade) << "a page copy made in a frame";
    EXPECT_EQ (editor->pageCopies.bytesHeld(), 3 * pageCopyBytes (1000, 2.0f)) << "each page at the new size";
    EXPECT_LE (copiesHeld(), TorvaneEditor::copyBudgetBytes);
}

// What the thread made for another size or art scale, an overlay's pieces or a page's
// copy, is dropped when the editor takes it; made for the current size, it is kept.
TEST_F (EditorMemory, WorkForAnotherSizeIsDropped)
{
    setParameter ("drive", 100.0f);
    openEditor();
    playLoud (45);
    settle (1000, 2.0f);
    const auto current = editor->copiedSquare;
    const float artScale = editor->copiedArtScale;
    const auto name = "coalsA" + TorvaneEditor::pageWord ((editor->shownPage + 1) % 3);
    const auto* coals = editor->kit.find (name);
    const auto* page = editor->kit.find ("page" + TorvaneEditor::pageWord ((editor->shownPage + 1) % 3));
    ASSERT_TRUE (coals != nullptr && page != nullptr);
    const auto& picture = coals->imageFor (artScale);
    const auto& drawing = page->imageFor (artScale);
    const auto area = editor->designToPixels (editor->kit.docs.layoutRect (name, {})).translated (3.0f, 0.0f);
    const auto heldCopies = editor->pageCopies.bytesHeld();

    struct Case
    {
        const char* what;
        juce::Rectangle<float> square;
        float scale;
        bool kept;
    };
    const auto larger = current.withSizeKeepingCentre (current.getWidth() * 1.12f, current.getHeight() * 1.12f);
    const Case cases[] = { { "another size", larger, artScale, false },
                           { "another art scale", current, artScale * 1.12f, false },
                           { "this size", current, artScale, true } };
    for (const auto& c : cases)
    {
        ArtPrefetch::Done overlay;
        overlay.job = { coals, coals->chooseSlot (artScale), picture, 0, 0, { area }, 2.0f, c.square, c.scale };
        overlay.picture = picture;
        overlay.pieces.push_back (editor->stretcher.piecesFor (picture, area, 2.0f, editor->opaqueTiles.gridFor (picture)));
        editor->adoptPrefetched (overlay);
        EXPECT_EQ (editor->overlayCopies.has (picture, area, 2.0f), c.kept) << c.what;

        ArtPrefetch::Done copy;
        copy.job = { page, page->chooseSlot (artScale), drawing, 100, 100, {}, 2.0f, c.square, c.scale };
        copy.picture = drawing;
        copy.copy = ScaledCopies::stretched (drawing, 100, 100);
        editor->adoptPrefetched (copy);
        EXPECT_EQ (editor->pageCopies.bytesHeld() != heldCopies, c.kept) << c.what;
    }
}
