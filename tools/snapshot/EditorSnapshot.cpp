#include "EditorSnapshot.h"

juce::Image renderEditorSnapshot (juce::Component& editor, int width, int height, float scale)
{
    editor.setSize (width, height);
    return editor.createComponentSnapshot (editor.getLocalBounds(), true, scale);
}

bool writeSnapshotPng (const juce::Image& image, const juce::File& file)
{
    if (! image.isValid())
        return false;

    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream stream (file);

    return stream.openedOk() && juce::PNGImageFormat().writeImageToStream (image, stream);
}
