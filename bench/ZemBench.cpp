// Editor toolkit timings over the product's own bundle: constructing the first editor
// (which builds the shared art store) and a second one beside it, and painting the
// base editor at the design size and at three times the design size; the cost of the
// PNG soundness check beside the decode of a large picture.

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

    // Times building one editor on the processor; tearing it down again is not timed.
    void timeConstruction (benchmark::State& state, juce::AudioProcessor& processor)
    {
        for (auto _ : state)
        {
            auto editor = std::make_unique<BaseEditor> (processor);
            benchmark::DoNotOptimize (editor.get());
            state.PauseTiming();
            editor.reset();
            state.ResumeTiming();
        }
    }

    void firstEditor (benchmark::State& state)
    {
        TorvaneProcessor processor;
        timeConstruction (state, processor);
    }

    void secondEditor (benchmark::State& state)
    {
        TorvaneProcessor processor;
        BaseEditor first (processor);
        timeConstruction (state, processor);
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

    // A picture the size of a full drawing at scale 3, with enough texture to compress like art.
    const juce::MemoryBlock& largePng()
    {
        static const juce::MemoryBlock bytes = []
        {
            juce::Image image (juce::Image::RGB, 1680, 1680, false);
            juce::Random random (1);

            for (int y = 0; y < image.getHeight(); ++y)
                for (int x = 0; x < image.getWidth(); ++x)
                    image.setPixelAt (x, y, juce::Colour ((juce::uint8) (x / 7), (juce::uint8) (y / 7),
                                                          (juce::uint8) random.nextInt (24)));

            juce::MemoryOutputStream stream;
            juce::PNGImageFormat().writeImageToStream (image, stream);
            return stream.getMemoryBlock();
        }();

        return bytes;
    }

    // The soundness check that runs before every decode, against the decode itself.
    void pngCheck (benchmark::State& state)
    {
        const auto& bytes = largePng();

        for (auto _ : state)
            benchmark::DoNotOptimize (zem::isCompletePng (bytes.getData(), bytes.getSize()));
    }

    void pngDecode (benchmark::State& state)
    {
        const auto& bytes = largePng();

        for (auto _ : state)
            benchmark::DoNotOptimize (juce::ImageFileFormat::loadFrom (bytes.getData(), bytes.getSize()));
    }

    BENCHMARK (pngCheck)->Unit (benchmark::kMillisecond);
    BENCHMARK (pngDecode)->Unit (benchmark::kMillisecond);
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
