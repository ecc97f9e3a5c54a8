#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

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

    void closeButtonPressed() override {}
};
