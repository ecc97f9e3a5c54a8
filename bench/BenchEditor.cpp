// bench_editor: the cost of the scene's face paint with every layer of a page active,
// and of the animation tick itself, on one core.
#include "SceneDriver.h"

#include <benchmark/benchmark.h>

namespace
{
struct Scene : SceneDriver
{
    explicit Scene (int page) : SceneDriver (1000.0)
    {
        setParameter ("page", (float) page);
        setParameter ("drive", 100.0f);
        openEditor();
    }

    // Loud audio with every published value up, so that every layer of the page draws:
    // coals, embers, glisten, indicator, shaking transformer, valve, mouth, eyes,
    // speaker, drips, smoke, sizzles, spatters and sparks.
    void play (int ticks)
    {
        processor.effort = 1.0f;
        processor.stageHeat = 0.8f;
        processor.gridBlock = 0.4f;
        processor.slewBite = 0.6f;
        for (int i = 0; i < ticks; ++i)
            playTick ((i % 20 == 0) ? 1.0f : 0.3f);
    }
};

void paintFace (benchmark::State& state)
{
    const int page = (int) state.range (0);
    const int side = (int) state.range (1);
    const float scale = (float) state.range (2) / 100.0f;
    Scene scene (page);
    scene.editor->setSize (side, side);
    scene.play (90);
    juce::Image image (juce::Image::ARGB, (int) (side * scale), (int) (side * scale), true);
    auto paint = [&]
    {
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (scale));
        scene.editor->paintEntireComponent (g, false);
    };
    // The first paint decodes the pictures and finds their tiles: not part of a frame's cost.
    paint();
    for (auto _ : state)
    {
        paint();
        benchmark::ClobberMemory();
    }
    state.SetLabel (juce::String (TorvaneEditor::pageWord (page) + " " + juce::String (side) + "px x"
                                  + juce::String (scale, 2)).toStdString());
}

void tickPlaying (benchmark::State& state)
{
    Scene scene ((int) state.range (0));
    scene.play (90);
    for (auto _ : state)
        scene.play (1);
}

// A settled silent scene: the tick asks for no repaint at all.
void tickSilent (benchmark::State& state)
{
    Scene scene (0);
    for (int i = 0; i < 600; ++i)
        scene.tick();
    const int before = scene.editor->repaintRequests;
    for (auto _ : state)
        scene.tick();
    state.counters["repaints"] = (double) (scene.editor->repaintRequests - before);
}
} // namespace

// Window side and display scale in percent: 560 at 1x, 1120 at 1x (content scale 2) and
// 560 on a 2x display, the last two both 1120 x 1120 device pixels; 1120 on a 2x display
// (2240 x 2240, drawn from the 3x pictures); 560 on a 1.5x display (840 x 840, the 2x
// pictures drawn at three quarters).
BENCHMARK (paintFace)->ArgsProduct ({ { 0, 1, 2 }, { 560, 1120 }, { 100 } })->Unit (benchmark::kMillisecond);
BENCHMARK (paintFace)->ArgsProduct ({ { 0, 1, 2 }, { 560 }, { 200 } })->Unit (benchmark::kMillisecond);
BENCHMARK (paintFace)->ArgsProduct ({ { 0, 1, 2 }, { 1120 }, { 200 } })->Unit (benchmark::kMillisecond);
BENCHMARK (paintFace)->ArgsProduct ({ { 0, 1, 2 }, { 560 }, { 150 } })->Unit (benchmark::kMillisecond);
BENCHMARK (tickPlaying)->DenseRange (0, 2)->Unit (benchmark::kMicrosecond);
BENCHMARK (tickSilent)->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN();
