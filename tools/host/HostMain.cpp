#include "ControlRoundTrip.h"
#include "EditorSession.h"
#include "HostCommands.h"

#include <juce_events/juce_events.h>
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
void printUsage()
{
    std::cerr << "usage: torvane_host <command> <bundle.vst3> [arguments]\n"
                 "  check <bundle>                          identity, parameters, latency, layouts, levels\n"
                 "  bypass <bundle> [channels]              delay of the bypassed output against the latency\n"
                 "  state <bundle>                          save in one instance, restore in another\n"
                 "  process <bundle> <rate> <block> [channels]  finite output and latency at a rate and block\n"
                 "  editor <bundle> [seconds]               open, resize, close and reopen the editor\n"
                 "  controls <bundle> <art.json> [folder]   Drive knob and host parameter move each other (X11);\n"
                 "                                          pictures of the focus ring go to the folder\n";
}

int runCommand (const juce::StringArray& args)
{
    if (args.size() < 2)
        return -1;
    const auto& command = args[0];
    const juce::File bundle = juce::File::getCurrentWorkingDirectory().getChildFile (args[1]);
    auto number = [&args] (int index, double fallback) { return args.size() > index ? args[index].getDoubleValue() : fallback; };

    if (command == "check")
        return HostCommands::check (bundle);
    if (command == "bypass")
        return HostCommands::bypass (bundle, (int) number (2, 2));
    if (command == "state")
        return HostCommands::state (bundle);
    if (command == "process" && args.size() >= 4)
        return HostCommands::process (bundle, number (2, 48000), (int) number (3, 512), (int) number (4, 2));
    if (command == "editor")
        return runEditorSession (bundle, number (2, 2.0));
    if (command == "controls" && args.size() >= 3)
    {
        const auto here = juce::File::getCurrentWorkingDirectory();
        return runControlRoundTrip (bundle, here.getChildFile (args[2]),
                                    args.size() >= 4 ? here.getChildFile (args[3]) : juce::File());
    }
    return -1;
}
} // namespace

int main (int argc, char* argv[])
{
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add (juce::String::fromUTF8 (argv[i]));

    int result = 0;
    {
        juce::ScopedJuceInitialiser_GUI juce;
        result = runCommand (args);
    }
    if (result < 0)
    {
        printUsage();
        return 2;
    }
    return result;
}
