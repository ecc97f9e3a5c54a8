#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <atomic>
#include <memory>

// A desktop window that owns a hosted plug-in's editor, sized to it and centred on the
// screen, as a host shows a plug-in's view. Its close button does nothing: the session
// that made it closes it.
class EditorWindow : public juce::DocumentWindow
{
public:
    explicit EditorWindow (juce::AudioProcessorEditor* editor)
        : DocumentWindow ("Torvane", juce::Colours::black, DocumentWindow::closeButton)
    {
        setUsingNativeTitleBar (true);
        setContentOwned (editor, true);
        setResizable (true, false);
        centreWithSize (getWidth(), getHeight());
        setVisible (true);
    }

    // JUCE 7.0.5's X11 embedding of a plug-in view answers each ConfigureNotify with an
    // asynchronous callback that points at the embedding and is never cancelled, so
    // deleting the view while one is queued crashes the host. The window is hidden
    // first, then the message queue is run dry before the view goes.
    ~EditorWindow() override
    {
        setVisible (false);
        for (int round = 0; round < 5; ++round)
            runQueuedMessages();
    }

    void closeButtonPressed() override {}

private:
    // Returns once every message queued before the call has been delivered.
    static void runQueuedMessages()
    {
        auto delivered = std::make_shared<std::atomic<bool>> (false);
        juce::MessageManager::callAsync ([delivered] { *delivered = true; });
        for (int i = 0; i < 200 && ! *delivered; ++i)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (5);
    }
};
