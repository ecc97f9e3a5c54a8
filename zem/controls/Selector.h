#pragma once

namespace zem
{
// A choice box that paints the selected item's frame of its filmstrip art in place of the
// combo box, and that in mode 1 steps to the next item on each left click.
class Selector : public juce::ComboBox
{
public:
    Selector (const juce::String& name, int mode);

    void setArt (const ArtKit* newKit, const juce::String& newArtName);
    bool hasArt() const;

    // The filmstrip frame that paint draws for the current selection.
    int frameToDraw() const;

    void paint (juce::Graphics& g) override;
    void mouseDown (const juce::MouseEvent& e) override;

private:
    int frameCount() const;

    const ArtKit* kit = nullptr;
    juce::String artName { "selector" };
    int mode = 0;
};
}
