namespace zem
{
ArtButton::ArtButton (const juce::String& name)
    : juce::TextButton (name)
{
    setTitle (name);
    setDescription (name);
}

void ArtButton::setArt (const ArtKit* newKit)
{
    kit = newKit;
    repaint();
}

void ArtButton::setWordFrame (int frame, int frameCount)
{
    wordFrame = frame;
    wordFrameCount = frameCount;
    repaint();
}

int ArtButton::backgroundFrame (int frameCount, bool on, bool highlighted)
{
    int frame = on ? 1 : 0;
    if (frameCount > 2 && highlighted && ! on)
        frame = 2;
    return juce::jmin (frame, frameCount - 1);
}

void ArtButton::paintButton (juce::Graphics& g, bool highlighted, bool down)
{
    if (kit == nullptr || ! isPresent (kit->button))
    {
        juce::TextButton::paintButton (g, highlighted, down);
        return;
    }

    const auto bounds = getLocalBounds().toFloat();
    const auto scale = controlArt::drawScale (g, kit);
    const int count = kit->docs.frameCount ("button", 2);
    kit->button->drawFrame (g, bounds, scale, backgroundFrame (count, down || getToggleState(), highlighted), count);

    auto* words = kit->store != nullptr ? kit->store->find ("words") : nullptr;
    if (wordFrame >= 0 && wordFrameCount > 0 && isPresent (words))
    {
        words->drawFrame (g, bounds, scale, wordFrame, wordFrameCount);
        return;
    }

    const juce::Rectangle<float> textArea (bounds.getX() + 0.1f * bounds.getWidth(),
                                           bounds.getY() + 0.3f * bounds.getHeight(),
                                           juce::jmax (0.8f * bounds.getWidth(), 0.0f),
                                           juce::jmax (0.4f * bounds.getHeight(), 0.0f));
    drawGlyphText (g, *kit, getButtonText(), textArea, juce::Justification::centred, scale,
                   getToggleState() ? palette::ink : palette::cream);
}
}
