// torvane_snapshot: renders the plug-in's editor headless to a PNG.
//
//   torvane_snapshot [--size WxH] [--scale 1|2|3] [--param id=value]... out.png
//
// The editor is made by the processor exactly as a host makes it, sized to the window
// size and painted at the display scale. Parameter values are given in their own units
// (for a choice, the item's index) and set before the editor opens.

#include "EditorSnapshot.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <iostream>

juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter();

namespace
{
    struct Options
    {
        int width = 560;
        int height = 560;
        float scale = 1.0f;
        juce::StringPairArray parameters;
        juce::String output;
    };

    const char* const usage = "usage: torvane_snapshot [--size WxH] [--scale 1|2|3] [--param id=value]... out.png";

    bool parseOptions (const juce::StringArray& args, Options& options)
    {
        for (int i = 0; i < args.size(); ++i)
        {
            const auto& arg = args[i];
            const bool hasValue = i + 1 < args.size();

            if (arg == "--size" && hasValue)
            {
                const auto size = args[++i];
                options.width = size.upToFirstOccurrenceOf ("x", false, true).getIntValue();
                options.height = size.fromFirstOccurrenceOf ("x", false, true).getIntValue();
            }
            else if (arg == "--scale" && hasValue)
                options.scale = args[++i].getFloatValue();
            else if (arg == "--param" && hasValue)
            {
                const auto pair = args[++i];
                options.parameters.set (pair.upToFirstOccurrenceOf ("=", false, false),
                                        pair.fromFirstOccurrenceOf ("=", false, false));
            }
            else if (arg.startsWith ("--") || options.output.isNotEmpty())
                return false;
            else
                options.output = arg;
        }

        return options.output.isNotEmpty() && options.width > 0 && options.height > 0
            && options.scale >= 1.0f && options.scale <= 3.0f;
    }

    bool setParameter (juce::AudioProcessor& processor, const juce::String& id, float value)
    {
        for (auto* parameter : processor.getParameters())
            if (auto* ranged = dynamic_cast<juce::RangedAudioParameter*> (parameter))
                if (ranged->getParameterID() == id)
                {
                    ranged->setValueNotifyingHost (ranged->convertTo0to1 (value));
                    return true;
                }

        return false;
    }

    int run (const Options& options)
    {
        std::unique_ptr<juce::AudioProcessor> processor (createPluginFilter());

        for (auto& id : options.parameters.getAllKeys())
            if (! setParameter (*processor, id, options.parameters[id].getFloatValue()))
            {
                std::cerr << "unknown parameter: " << id << "\n";
                return 2;
            }

        std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());

        if (editor == nullptr)
        {
            std::cerr << "the processor has no editor\n";
            return 1;
        }

        const auto image = renderEditorSnapshot (*editor, options.width, options.height, options.scale);
        const juce::File file (juce::File::getCurrentWorkingDirectory().getChildFile (options.output));

        editor.reset();

        if (! writeSnapshotPng (image, file))
        {
            std::cerr << "could not write " << file.getFullPathName() << "\n";
            return 1;
        }

        std::cout << file.getFullPathName() << " " << image.getWidth() << "x" << image.getHeight() << "\n";
        return 0;
    }
}

int main (int argc, char* argv[])
{
    juce::StringArray args;

    for (int i = 1; i < argc; ++i)
        args.add (argv[i]);

    Options options;

    if (! parseOptions (args, options))
    {
        std::cerr << usage << "\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI gui;
    return run (options);
}
