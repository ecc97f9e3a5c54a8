namespace zem
{
Lamp::Lamp (const juce::String& name)
{
    setTitle (name);
    setDescription (name + ": off");
    setInterceptsMouseClicks (false, false);
}

void Lamp::setArt (const ArtKit* newKit)
{
    kit = newKit;
    repaint();
}

void Lamp::setState (int newState, const juce::String& stateText)
{
    const auto description = getTitle() + ": " + (stateText.isNotEmpty() ? stateText : juce::String ("off"));
    if (newState == state && description == getDescription())
        return;

    state = newState;
    controlArt::announce (*this, description);
}

int Lamp::frameFor (int s)
{
    return (s >= 0 && s <= 2) ? s : 3;
}

juce::Colour Lamp::colourFor (int s)
{
    switch (frameFor (s))
    {
        case 0:  return palette::slate;
        case 1:  return palette::amber;
        case 2:  return palette::green;
        default: return palette::accent;
    }
}

void Lamp::paint (juce::Graphics& g)
{
    const auto b = getLocalBounds().toFloat();
    if (kit != nullptr && isPresent (kit->lamp))
    {
        const int count = kit->docs.frameCount ("lamp", 3);
        if (kit->lamp->drawFrame (g, b, controlArt::drawScale (g, kit), juce::jmin (frameFor (state), count - 1), count))
            return;
    }
    paintDrawn (g, b);
}

void Lamp::paintDrawn (juce::Graphics& g, juce::Rectangle<float> b) const
{
    const auto colour = colourFor (state);
    const float m = juce::jmin (b.getWidth(), b.getHeight());
    const float side = juce::jmax (0.76f * m, 0.0f);
    const juce::Rectangle<float> disc (b.getX() + (b.getWidth() - m) / 2.0f + 0.12f * m,
                                       b.getY() + (b.getHeight() - m) / 2.0f + 0.12f * m, side, side);

    g.setColour (colour);
    g.fillEllipse (disc);
    if (state != 0)
    {
        const float halo = juce::jmax (1.04f * m, 0.0f);
        g.setColour (colour.withAlpha (0.25f));
        g.fillEllipse (disc.getX() - 0.14f * m, disc.getY() - 0.14f * m, halo, halo);
    }
    g.setColour (palette::ink.withAlpha (0.6f));
    g.drawEllipse (disc, juce::jmax (0.06f * m, 1.0f));
}

std::unique_ptr<juce::AccessibilityHandler> Lamp::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler> (*this, juce::AccessibilityRole::staticText);
}
}
