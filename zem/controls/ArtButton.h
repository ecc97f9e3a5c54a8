#pragma once

namespace zem
{
// A text button painted from the kit's "button" filmstrip (off, on or pressed, hovered),
// with a frame of the "words" filmstrip or its own glyph-strip text over it. Without the
// "button" art it paints as the framework's text button through the look-and-feel.
class ArtButton : public juce::TextButton
{
public:
    explicit ArtButton (const juce::String& name);

    void setArt (const ArtKit* newKit);
    void setWordFrame (int frame, int frameCount);

    // The "button" frame shown for these states on a strip of frameCount frames.
    static int backgroundFrame (int frameCount, bool on, bool highlighted);

    void paintButton (juce::Graphics& g, bool highlighted, bool down) override;

private:
    const ArtKit* kit = nullptr;
    int wordFrame = -1;
    int wordFrameCount = 0;
};
}
