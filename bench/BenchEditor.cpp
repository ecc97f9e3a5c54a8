// bench_editor: the cost of the scene's face paint with every layer of a page active,
// of the dissolve frame, of a page's first visit and of a whole scripted session, and
// of the animation tick itself, on one core.
#include "SceneDriver.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace
{
struct Scene : SceneDriver
{
    Scene (int page, int side, float scale) : SceneDriver (1000.0), image (juce::Image::ARGB, (int) (side * scale),
                                                                          (int) (side * scale), true),
                                              side (side), scale (scale)
    {
        setParameter ("page", (float) page);
        setParameter ("drive", 100.0f);
        open();
    }

    void open()
    {
        openEditor();
        editor->setSize (side, side);
    }

    // The window made "newSide" units square, as a host resizes it.
    void resize (int newSide)
    {
        side = newSide;
        image = juce::Image (juce::Image::ARGB, (int) (side * scale), (int) (side * scale), true);
        editor->setSize (side, side);
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
            playTick ((++played % 20 == 1) ? 1.0f : 0.3f);
    }

    // The whole editor painted as a display of the scene's scale shows it.
    void paint()
    {
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale (scale));
        editor->paintEntireComponent (g, false);
    }

    // Milliseconds that f takes.
    template <typename F>
    static double timed (F&& f)
    {
        const auto start = std::chrono::steady_clock::now();
        f();
        return std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now() - start).count();
    }

    // The first paint at a size, then the wait for the prefetch thread to finish decoding
    // the scene's art ahead, then the paint that takes what it made: the editor as it
    // runs once it has been open for a moment.
    void settle()
    {
        paint();
        waitForPrefetch();
        paint();
    }

    // Starts the dissolve to the page: after one tick it is about half way.
    void changePage (int page)
    {
        setParameter ("page", (float) page);
        play (1);
    }

    double copyMegabytes() const
    {
        return (double) (editor->pageCopies.bytesHeld() + editor->overlayCopies.bytesHeld()) / (1024.0 * 1024.0);
    }

    std::string label (int page) const
    {
        return (TorvaneEditor::pageWord (page) + " " + juce::String ((int) (side * scale)) + "px (" + juce::String (side)
                + " x" + juce::String (scale, 2) + ")")
            .toStdString();
    }

    juce::Image image;
    int side;
    float scale;
    int played = 0;
};

// Starts each frame's work 1/60 s after the last one started, as the editor's timer does
// (a late frame starts the next at once), and gives the milliseconds the work took.
struct Pacer
{
    template <typename F>
    double operator() (F&& work)
    {
        std::this_thread::sleep_until (next);
        next = std::max (next + std::chrono::microseconds (16667), std::chrono::steady_clock::now());
        return Scene::timed (work);
    }

    std::chrono::steady_clock::time_point next = std::chrono::steady_clock::now();
};

int pageOf (const benchmark::State& state) { return (int) state.range (0); }
int sideOf (const benchmark::State& state) { return (int) state.range (1); }
float scaleOf (const benchmark::State& state) { return (float) state.range (2) / 100.0f; }

void paintFace (benchmark::State& state)
{
    const int page = pageOf (state);
    Scene scene (page, sideOf (state), scaleOf (state));
    scene.play (90);
    // The first paints decode the pictures and build the copies: not part of a frame's cost.
    scene.settle();
    for (auto _ : state)
    {
        scene.paint();
        benchmark::ClobberMemory();
    }
    state.counters["copies_MB"] = scene.copyMegabytes();
    state.SetLabel (scene.label (page));
}

// A frame in the middle of the dissolve from the previous page into this one, the
// layers of the page all active as in paintFace.
void paintDissolve (benchmark::State& state)
{
    const int page = pageOf (state);
    Scene scene ((page + 2) % 3, sideOf (state), scaleOf (state));
    scene.play (90);
    scene.settle();
    scene.changePage (page);
    scene.paint();
    for (auto _ : state)
    {
        scene.paint();
        benchmark::ClobberMemory();
    }
    state.SetLabel (scene.label (page));
}

// The first paint of a page after the editor has shown another page for a second, in a
// freshly opened editor (so nothing of the page is decoded yet); and the paint of the
// same page when it comes back after the other two pages were shown.
void firstVisit (benchmark::State& state)
{
    const int page = pageOf (state);
    Scene scene ((page + 2) % 3, sideOf (state), scaleOf (state));
    double revisit = 0.0;
    for (auto _ : state)
    {
        scene.setParameter ("page", (float) ((page + 2) % 3));
        scene.open();
        scene.play (60);
        scene.paint();
        scene.changePage (page);
        state.SetIterationTime (Scene::timed ([&] { scene.paint(); }) / 1000.0);
        for (int other : { (page + 1) % 3, (page + 2) % 3 })
        {
            scene.changePage (other);
            scene.paint();
            scene.play (60);
            scene.paint();
        }
        scene.changePage (page);
        revisit = std::max (revisit, Scene::timed ([&] { scene.paint(); }));
    }
    state.counters["revisit_ms"] = revisit;
    state.SetLabel (scene.label (page));
}

// A session as a user has it: the editor opens on Rare, plays loud, shows each page
// twice, dissolving between them, and goes quiet. A frame is one tick and one paint of
// the whole editor, started every 1/60 s as the editor's timer does (a late frame starts
// the next at once). The first frame may build caches; every later frame must fit.
void session (benchmark::State& state)
{
    Scene scene (0, sideOf (state), scaleOf (state));
    double first = 0.0, worst = 0.0, dissolveWorst = 0.0;
    int over = 0, frames = 0;
    for (auto _ : state)
    {
        scene.setParameter ("page", 0.0f);
        scene.open();
        Pacer paced;
        first = paced ([&] { scene.tick(); scene.paint(); });
        auto frame = [&] (auto step)
        {
            const bool dissolving = scene.editor->dissolve < 1.0f;
            const double ms = paced ([&] { step(); scene.paint(); });
            worst = std::max (worst, ms);
            if (dissolving || scene.editor->dissolve < 1.0f)
                dissolveWorst = std::max (dissolveWorst, ms);
            over += ms > 33.0 ? 1 : 0;
            ++frames;
        };
        for (int page : { 0, 1, 2, 0, 2, 1 })
        {
            scene.setParameter ("page", (float) page);
            for (int i = 0; i < 40; ++i)
                frame ([&] { scene.play (1); });
        }
        for (int i = 0; i < 30; ++i)
            frame ([&] { scene.tick(); });
    }
    state.counters["first_ms"] = first;
    state.counters["worst_ms"] = worst;
    state.counters["dissolve_worst_ms"] = dissolveWorst;
    state.counters["frames_over_33ms"] = over;
    state.counters["frames"] = frames;
    state.counters["copies_MB"] = scene.copyMegabytes();
    state.SetLabel (scene.label (0));
}

// The scripted session with a resize in the middle: the editor opens at one window size,
// shows each page, is resized to the other size (the display scale kept), and shows each
// page again. The first frame after the resize may build what the new size draws; every
// later frame must fit.
void sessionResize (benchmark::State& state)
{
    Scene scene (0, (int) state.range (0), (float) state.range (2) / 100.0f);
    double first = 0.0, worst = 0.0;
    int over = 0, frames = 0;
    for (auto _ : state)
    {
        scene.resize ((int) state.range (0));
        scene.setParameter ("page", 0.0f);
        scene.open();
        Pacer paced;
        paced ([&] { scene.tick(); scene.paint(); });
        auto showPages = [&] (std::initializer_list<int> pages, bool counted)
        {
            for (int page : pages)
            {
                scene.setParameter ("page", (float) page);
                for (int i = 0; i < 40; ++i)
                {
                    const double ms = paced ([&] { scene.play (1); scene.paint(); });
                    worst = counted ? std::max (worst, ms) : worst;
                    over += counted && ms > 33.0 ? 1 : 0;
                    frames += counted ? 1 : 0;
                }
            }
        };
        showPages ({ 0, 1, 2 }, false);
        scene.resize ((int) state.range (1));
        first = paced ([&] { scene.play (1); scene.paint(); });
        showPages ({ 2, 0, 1, 2 }, true);
    }
    state.counters["first_after_resize_ms"] = first;
    state.counters["worst_after_ms"] = worst;
    state.counters["frames_over_33ms"] = over;
    state.counters["frames"] = frames;
    state.counters["copies_MB"] = scene.copyMegabytes();
    state.SetLabel ((juce::String ((int) (state.range (0) * state.range (2) / 100)) + "px -> "
                     + juce::String ((int) (state.range (1) * state.range (2) / 100)) + "px")
                        .toStdString());
}

// The bytes all copies hold once the prefetch thread has finished, loud on Rare, for
// window sizes up to the largest the editor allows and display scales 1 to 3.
void copiesMemory (benchmark::State& state)
{
    Scene scene (0, sideOf (state), scaleOf (state));
    scene.play (60);
    for (auto _ : state)
        scene.settle();
    state.counters["copies_MB"] = scene.copyMegabytes();
    state.SetLabel (scene.label (0));
}

void tickPlaying (benchmark::State& state)
{
    Scene scene ((int) state.range (0), 560, 1.0f);
    scene.play (90);
    for (auto _ : state)
        scene.play (1);
}

// A settled silent scene: the tick asks for no repaint at all.
void tickSilent (benchmark::State& state)
{
    Scene scene (0, 560, 1.0f);
    for (int i = 0; i < 600; ++i)
        scene.tick();
    const int before = scene.editor->repaintRequests;
    for (auto _ : state)
        scene.tick();
    state.counters["repaints"] = (double) (scene.editor->repaintRequests - before);
}

// Page, window side and display scale in percent: 560 at 1x, 1120 at 1x (content scale
// 2) and 560 on a 2x display, the last two both 1120 x 1120 device pixels; 1120 on a 2x
// display (2240 x 2240, drawn from the 3x pictures); 560 on a 1.5x display (840 x 840,
// the 2x pictures drawn at three quarters).
void views (benchmark::internal::Benchmark* b)
{
    for (auto [side, scale] : { std::pair { 560, 100 }, { 1120, 100 }, { 560, 200 }, { 1120, 200 }, { 560, 150 } })
        for (int page : { 0, 1, 2 })
            b->Args ({ page, side, scale });
}

void sessionViews (benchmark::internal::Benchmark* b)
{
    for (auto [side, scale] : { std::pair { 560, 100 }, { 1120, 100 }, { 1120, 200 }, { 560, 150 } })
        b->Args ({ 0, side, scale });
}
} // namespace

BENCHMARK (paintFace)->Apply (views)->Unit (benchmark::kMillisecond);
BENCHMARK (paintDissolve)->Apply (views)->Unit (benchmark::kMillisecond);
BENCHMARK (firstVisit)->Apply (views)->UseManualTime()->Iterations (3)->Unit (benchmark::kMillisecond);
BENCHMARK (session)->Apply (sessionViews)->Iterations (1)->Unit (benchmark::kMillisecond);
// From, to and the display scale in percent: 1120 to 2240 device pixels and back, and
// 2240 to 2000, where every picture is decoded already and only the copies change.
BENCHMARK (sessionResize)
    ->Args ({ 560, 1120, 200 })
    ->Args ({ 1120, 560, 200 })
    ->Args ({ 1120, 1000, 200 })
    ->Iterations (1)
    ->Unit (benchmark::kMillisecond);
BENCHMARK (copiesMemory)
    ->ArgsProduct ({ { 0 }, { 560, 1120, 1680, 2400, 4000, 6000 }, { 100, 150, 200, 300 } })
    ->Iterations (1)
    ->Unit (benchmark::kMillisecond);
BENCHMARK (tickPlaying)->DenseRange (0, 2)->Unit (benchmark::kMicrosecond);
BENCHMARK (tickSilent)->Unit (benchmark::kMicrosecond);

BENCHMARK_MAIN();
