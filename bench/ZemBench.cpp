// Editor toolkit timings over the product's own bundle: constructing the first editor
// (which builds the shared art store) and a second one beside it, and painting the
// base editor at the design size and at three times the design size.

#include "TorvaneArtSource.h"
#include "TorvaneProcessor.h"

#include <benchmark/benchmark.h>

namespace
{
    class BaseEditor : public zem::EditorBase
    {
    public:
        explicit BaseEditor (juce::AudioProcessor& processor) : zem::EditorBase (processor, torvaneArtSource(), 560, 560)
        {
            finishSetup();
        }
    };

    void firstEditor (benchmark::State& state)
    {
        TorvaneProcessor processor;

        for (auto _ : state)
        {
            auto editor = std::make_unique<BaseEditor> (processor);
            benchmark::DoNotOptimize (editor.get());
            state.PauseTiming();
            editor.reset();
            state.ResumeTiming();
        }
    }

    void secondEditor (benchmark::State& state)
    {
        TorvaneProcessor processor;
        BaseEditor first (processor);

        for (auto _ : state)
        {
            auto editor = std::make_unique<BaseEditor> (processor);
            benchmark::DoNotOptimize (editor.get());
            state.PauseTiming();
            editor.reset();
            state.ResumeTiming();
        }
    }

    void paintEditor (benchmark::State& state)
    {
        const int side = (int) state.range (0);
        TorvaneProcessor processor;
        BaseEditor editor (processor);
        editor.setSize (side, side);
        juce::Image image (juce::Image::ARGB, side, side, true);

        for (auto _ : state)
        {
            juce::Graphics g (image);
            editor.paintEntireComponent (g, true);
        }
    }

    BENCHMARK (firstEditor)->Unit (benchmark::kMicrosecond);
    BENCHMARK (secondEditor)->Unit (benchmark::kMicrosecond);
    BENCHMARK (paintEditor)->Arg (560)->Arg (1680)->Unit (benchmark::kMicrosecond);
}

int main (int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI gui;
    benchmark::Initialize (&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
