namespace zem
{
ValueWindow::ValueWindow (const juce::String& name)
{
    setTitle (name);
    setInterceptsMouseClicks (true, false);
}

void ValueWindow::setArt (const ArtKit* newKit)
{
    kit = newKit;
    repaint();
}

void ValueWindow::setText (const juce::String& newText, const juce::String& accessibleText)
{
    const auto description = getTitle() + ": " + (accessibleText.isNotEmpty() ? accessibleText : newText);
    if (newText == text && description == getDescription())
        return;

    text = newText;
    controlArt::announce (*this, description);
}

void ValueWindow::setDim (bool shouldBeDim)
{
    if (shouldBeDim == dim)
        return;
    dim = shouldBeDim;
    repaint();
}

void ValueWindow::paint (juce::Graphics& g)
{
    const auto b = getLocalBounds().toFloat();
    const auto scale = controlArt::drawScale (g, kit);
    controlArt::drawBox (g, kit, b, scale, 4.0f);

    if (text.isEmpty())
        return;

    const juce::Rectangle<float> line (b.getX() + 0.06f * b.getWidth(),
                                       b.getY() + (1.0f - textHeight) * b.getHeight() / 2.0f,
                                       juce::jmax (0.88f * b.getWidth(), 0.0f),
                                       juce::jmax (textHeight * b.getHeight(), 0.0f));
    drawGlyphText (g, kit != nullptr ? *kit : controlArt::emptyKit(), text, line, juce::Justification::centred,
                   scale, dim ? palette::ash : palette::cream);
}

std::unique_ptr<juce::AccessibilityHandler> ValueWindow::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler> (*this, juce::AccessibilityRole::staticText);
}
}
