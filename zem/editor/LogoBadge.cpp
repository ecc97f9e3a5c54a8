namespace zem
{

EditorBase::LogoBadge::LogoBadge (const juce::String& name) : juce::Button (name) {}

void EditorBase::LogoBadge::paintButton (juce::Graphics& g, bool highlighted, bool down)
{
    const auto* logo = kit != nullptr ? kit->find ("logo") : nullptr;

    if (! isPresent (logo))
        return;

    auto r = getLocalBounds().toFloat();

    // Pressed, the logo shrinks by the same amount on every side, taken from its width.
    if (down)
    {
        const float d = 0.04f * r.getWidth();
        r = { r.getX() + d, r.getY() + d, juce::jmax (r.getWidth() - 2.0f * d, 0.0f),
              juce::jmax (r.getHeight() - 2.0f * d, 0.0f) };
    }

    if (r.getWidth() > 0.0f && r.getHeight() > 0.0f)
    {
        const auto& image = logo->imageFor (kit->imageScale (g));

        if (image.isValid())
            g.drawImage (image, r, juce::RectanglePlacement::stretchToFit, false);
    }

    if (highlighted && ! down)
    {
        g.setColour (juce::Colours::white.withAlpha (0.08f));
        g.fillEllipse (r);
    }

    if (hasKeyboardFocus (false))
    {
        g.setColour (palette::accent);
        g.drawEllipse (r.getX() + 1.0f, r.getY() + 1.0f, juce::jmax (r.getWidth() - 2.0f, 0.0f),
                       juce::jmax (r.getHeight() - 2.0f, 0.0f), 1.5f);
    }
}

} // namespace zem
