// The bytes the scene's copies hold, once the prefetch thread has finished, at window
// sizes up to the largest the editor allows and display scales 1 to 3; and what a size
// whose copies do not all fit still paints.
#include "ReferencePaintEditor.h"
#include "SceneFixture.h"

#include "EditorSnapshot.h"

namespace
{
int channelDistance (juce::Colour a, juce::Colour b)
{
    return std::max ({ std::abs ((int) a.getRed() - (int) b.getRed()), std::abs ((int) a.getGreen() - (int) b.getGreen()),
                       std::abs ((int) a.getBlue() - (int) b.getBlue()) });
}
} // namespace

class EditorMemory : public SceneTest
{
protected:
    void playLoud (int ticks)
    {
        processor.effort = 1.0f;
        processor.stageHeat = 0.9f;
        processor.gridBlock = 0.4f;
        processor.slewBite = 0.7f;
        for (int i = 0; i < ticks; ++i)
            playTick (i % 15 == 0 ? 1.0f : 0.4f);
    }

    // A paint, the prefetch thread's work, and the paint that takes what it made.
    juce::Image settle (int side, float scale)
    {
        renderEditorSnapshot (*editor, side, side, scale);
        for (int waited = 0; editor->prefetch.busy() && waited < 120000; waited += 10)
            juce::Thread::sleep (10);
        EXPECT_FALSE (editor->prefetch.busy());
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
