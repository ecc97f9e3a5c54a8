#include "SceneFixture.h"

namespace
{
// Counts the host-side gestures and values of one parameter.
struct GestureLog : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int, float value) override { values.push_back (value); }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    void audioProcessorParameterChangeGestureBegin (juce::AudioProcessor*, int) override { ++begins; }
    void audioProcessorParameterChangeGestureEnd (juce::AudioProcessor*, int) override { ++ends; }

    std::vector<float> values;
    int begins = 0, ends = 0;
};

juce::Rectangle<int> scaled (juce::Rectangle<float> r, float s)
{
    return { juce::roundToInt (r.getX() * s), juce::roundToInt (r.getY() * s), juce::roundToInt (r.getWidth() * s),
             juce::roundToInt (r.getHeight() * s) };
}
} // namespace

using SceneEditor = SceneTest;

TEST_F (SceneEditor, OpensInThePaintedFaceModeWithTheArtCounted)
{
    ASSERT_TRUE (editor->hasPageArt());
    EXPECT_EQ (editor->mouthFrameCount, 12);
    for (int page = 0; page < 3; ++page)
    {
        EXPECT_EQ (editor->sizzleSpotCount[(size_t) page], 40) << page;
        EXPECT_EQ (editor->emberSpotCount[(size_t) page], 36) << page;
    }
    EXPECT_EQ (editor->dripCount[0], 7);
    EXPECT_EQ (editor->dripCount[1], 11);
    EXPECT_EQ (editor->dripCount[2], 0);
}

TEST_F (SceneEditor, WordButtonsAndKnobsAreTheOnlySceneChildren)
{
    EXPECT_EQ (editor->driveKnob.getParentComponent(), editor.get());
    EXPECT_EQ (editor->blendKnob.getParentComponent(), editor.get());
    EXPECT_EQ (editor->pageSelector.getParentComponent(), nullptr);
    EXPECT_EQ (editor->heatLight.getParentComponent(), nullptr);
    const char* const words[] = { "Rare", "Medium", "Well" };
    for (int j = 0; j < 3; ++j)
    {
        const auto& button = editor->wordButtons[(size_t) j];
        EXPECT_EQ (button.getParentComponent(), editor.get());
        EXPECT_TRUE (button.isVisible());
        EXPECT_EQ (button.getTitle(), words[j]);
        EXPECT_EQ (button.getName(), words[j]);
        EXPECT_TRUE (button.getDescription().startsWith (juce::String (words[j]) + ": "));
        EXPECT_EQ (button.getRadioGroupId(), 3342);
        EXPECT_FALSE (button.getClickingTogglesState());
    }
    EXPECT_EQ (editor->heatLight.getTitle(), "Heat");
    EXPECT_TRUE (editor->driveKnob.slider.getHelpText().startsWith ("How hard the stage is pushed."));
    EXPECT_TRUE (editor->blendKnob.slider.getHelpText().startsWith ("How much of the driven signal you keep."));

    // What a tooltip shows: a knob's help text, a word's description.
    for (auto* knob : { &editor->driveKnob, &editor->blendKnob })
        EXPECT_EQ (knob->slider.getTooltip(), knob->slider.getHelpText());
    for (auto& button : editor->wordButtons)
        EXPECT_EQ (button.getTooltip(), button.getDescription()) << button.getName();
}

TEST_F (SceneEditor, ChildrenTakeTheLayoutRectanglesAtEveryScale)
{
    const auto& docs = editor->kit.docs;
    for (float s : { 1.0f, 2.0f })
    {
        editor->setSize ((int) (560 * s), (int) (560 * s));
        EXPECT_EQ (editor->driveKnob.getBounds(), scaled (docs.layoutRect ("knob", {}), s)) << s;
        EXPECT_EQ (editor->blendKnob.getBounds(), scaled (docs.layoutRect ("blend", {}), s)) << s;
        EXPECT_EQ (editor->wordButtons[0].getBounds(), scaled (docs.layoutRect ("rareHit", {}), s)) << s;
        EXPECT_EQ (editor->wordButtons[1].getBounds(), scaled (docs.layoutRect ("mediumHit", {}), s)) << s;
        EXPECT_EQ (editor->wordButtons[2].getBounds(), scaled (docs.layoutRect ("wellHit", {}), s)) << s;
    }
    EXPECT_FALSE (editor->wordButtons[1].getBounds().isEmpty());
}

TEST_F (SceneEditor, ClickingAWordSetsThePageAsOneGesture)
{
    GestureLog log;
    processor.addListener (&log);
    editor->wordButtons[1].onClick();
    EXPECT_EQ (log.begins, 1);
    EXPECT_EQ (log.ends, 1);
    EXPECT_EQ (editor->pageIndex(), 1);
    EXPECT_TRUE (editor->wordButtons[1].getToggleState());
    EXPECT_FALSE (editor->wordButtons[0].getToggleState());

    log.values.clear();
    editor->wordButtons[1].onClick(); // the current page: nothing changes
    EXPECT_EQ (editor->pageIndex(), 1);
    EXPECT_TRUE (log.values.empty());
    processor.removeListener (&log);
}

TEST_F (SceneEditor, AutomatedPageTurnsItsWordOnWithoutNotifying)
{
    int clicks = 0;
    for (auto& button : editor->wordButtons)
        button.onClick = [&clicks] { ++clicks; };
    setParameter ("page", 2.0f);
    EXPECT_FALSE (editor->wordButtons[0].getToggleState());
    EXPECT_FALSE (editor->wordButtons[1].getToggleState());
    EXPECT_TRUE (editor->wordButtons[2].getToggleState());
    EXPECT_EQ (editor->pageSelector.getSelectedId(), 3);
    EXPECT_EQ (clicks, 0);
}

TEST_F (SceneEditor, OpensOnTheCurrentPageWithoutADissolve)
{
    setParameter ("page", 1.0f);
    setParameter ("drive", 25.0f);
    openEditor();
    EXPECT_EQ (editor->shownPage, 1);
    EXPECT_EQ (editor->leavingPage, 1);
    EXPECT_EQ (editor->dissolve, 1.0f);
    EXPECT_TRUE (editor->wordButtons[1].getToggleState());
    EXPECT_FLOAT_EQ (editor->lastDrive, 0.25f);
    EXPECT_FLOAT_EQ (editor->lastMouth, 0.2f);
    EXPECT_EQ (editor->lastCounter, processor.blockCounter.load());
}

TEST_F (SceneEditor, AnimatorRunsAtSixtyHertzFromConstruction)
{
    TorvaneEditor running (processor);
    EXPECT_TRUE (running.animator.isTimerRunning());
    EXPECT_EQ (running.animator.getTimerInterval(), 1000 / 60);
}
