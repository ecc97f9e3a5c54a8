#include "EditorSession.h"

#include "EditorWindow.h"
#include "PluginSession.h"

#include <juce_gui_basics/juce_gui_basics.h>

#include <atomic>
#include <thread>

namespace
{
constexpr double sessionRate = 48000.0;
constexpr int sessionBlock = 512;

// Runs blocks of a quiet sine through the plug-in at roughly real-time pace, as a
// host's audio thread does while the editor is open.
class AudioThread
{
public:
    explicit AudioThread (PluginSession& sessionToRun) : session (sessionToRun), worker ([this] { run(); }) {}

    ~AudioThread()
    {
        running = false;
        worker.join();
    }

    int blocksProcessed() const { return blocks.load(); }

private:
    void run()
    {
        juce::AudioBuffer<float> buffer (2, sessionBlock);
        double phase = 0.0;
        while (running)
        {
            for (int i = 0; i < sessionBlock; ++i, phase += 440.0 / sessionRate)
                for (int ch = 0; ch < 2; ++ch)
                    buffer.setSample (ch, i, 0.3f * (float) std::sin (juce::MathConstants<double>::twoPi * phase));
            session.process (buffer);
            ++blocks;
            std::this_thread::sleep_for (std::chrono::milliseconds (10));
        }
    }

    PluginSession& session;
    std::atomic<bool> running { true };
    std::atomic<int> blocks { 0 };
    std::thread worker;
};

// Switches the character through the host's "page" parameter while the editor shows
// it, as automation or a click on a painted word does; each change starts the scene's
// dissolve and moves the word buttons' toggle states.
void switchPages (PluginSession& session, int milliseconds)
{
    const char* const pages[] = { "Rare", "Medium", "Well" };
    for (int page : { 1, 2, 0 })
    {
        session.setParameter ("3433103", (float) page / 2.0f);
        PluginSession::pumpMessages (milliseconds);
        auto* parameter = session.findParameter ("3433103");
        const bool shown = parameter != nullptr && juce::roundToInt (parameter->getValue() * 2.0f) == page;
        std::cout << "editor: page " << pages[page] << (shown ? "" : " not taken") << std::endl;
    }
}

bool showEditorFor (PluginSession& session, int milliseconds, bool resize)
{
    auto* editor = session.plugin().createEditorIfNeeded();
    if (editor == nullptr)
        return false;
    auto window = std::make_unique<EditorWindow> (editor);
    std::cout << "editor: opened " << editor->getWidth() << "x" << editor->getHeight() << std::endl;
    PluginSession::pumpMessages (milliseconds / 4);
    switchPages (session, milliseconds / 12);
    if (resize)
    {
        editor->setSize (editor->getWidth() + 160, editor->getHeight() + 120);
        std::cout << "editor: resized to " << editor->getWidth() << "x" << editor->getHeight() << std::endl;
    }
    PluginSession::pumpMessages (milliseconds / 2);
    window.reset();
    PluginSession::pumpMessages (50);
    std::cout << "editor: closed" << std::endl;
    return true;
}
} // namespace

int runEditorSession (const juce::File& bundle, double seconds)
{
    auto session = PluginSession::loadOrReport (bundle);
    if (session == nullptr)
        return 1;
    if (! session->prepare (2, sessionRate, sessionBlock))
        return 1;

    const int milliseconds = juce::jmax (200, (int) (seconds * 1000.0));
    bool shown = false;
    int blocks = 0;
    {
        AudioThread audio (*session);
        shown = showEditorFor (*session, milliseconds, true) && showEditorFor (*session, milliseconds / 2, false);
        blocks = audio.blocksProcessed();
    }
    session->plugin().releaseResources();
    std::cout << "editor: audio blocks " << blocks << std::endl;
    return shown && blocks > 0 ? 0 : 1;
}
