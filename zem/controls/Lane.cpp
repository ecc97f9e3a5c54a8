namespace zem
{
Lane::Lane (const juce::String& name)
{
    setTitle (name);
    setInterceptsMouseClicks (true, false);
}

// Keeps a value within 0 to 1; a value that is not a number counts as 0, which the plain
// comparisons of a clamp would let through.
float Lane::clampToUnit (float x)
{
    return x >= 0.0f ? juce::jmin (x, 1.0f) : 0.0f;
}

void Lane::setArt (const ArtKit* newKit)
{
    kit = newKit;
    repaint();
}

void Lane::setBipolar (bool fromCentre)
{
    bipolar = fromCentre;
    repaint();
}

void Lane::setBarColour (juce::Colour colour)
{
    barColour = colour;
    repaint();
}

void Lane::setValue (float newValue, const juce::String& text)
{
    const float v = clampToUnit (newValue);
    if (std::abs (v - value) < 0.002f && text.isEmpty())
        return;

    value = v;
    if (text.isNotEmpty())
        setDescription (getTitle() + ": " + text);
    repaint();
}

void Lane::setMarker (int index, float position, juce::Colour colour, const juce::String& label)
{
    if (index < 0 || index >= maxMarkers)
        return;
    markers[(size_t) index] = { clampToUnit (position), colour, label, true };
    repaint();
}

void Lane::clearMarkers()
{
    for (auto& marker : markers)
        marker = {};
    repaint();
}

juce::Rectangle<float> Lane::innerArea (juce::Rectangle<float> b)
{
    const float inset = 0.22f * b.getHeight();
    return { b.getX() + inset, b.getY() + inset, juce::jmax (b.getWidth() - 0.44f * b.getHeight(), 0.0f),
             juce::jmax (b.getHeight() - 0.44f * b.getHeight(), 0.0f) };
}

juce::Rectangle<float> Lane::barArea (juce::Rectangle<float> inner) const
{
    if (! bipolar)
        return inner.withWidth (juce::jmax (value * inner.getWidth(), 0.0f));

    const float centre = inner.getX() + inner.getWidth() / 2.0f;
    const float offset = (value - 0.5f) * inner.getWidth();
    return { juce::jmin (centre + offset, centre), inner.getY(), std::abs (offset), inner.getHeight() };
}

void Lane::paint (juce::Graphics& g)
{
    const auto b = getLocalBounds().toFloat();
    controlArt::drawBox (g, kit, b, controlArt::drawScale (g, kit), 3.0f);

    const auto inner = innerArea (b);
    if (inner.getWidth() <= 0.0f || inner.getHeight() <= 0.0f)
        return;

    g.setColour (barColour);
    g.fillRect (barArea (inner));

    for (const auto& marker : markers)
    {
        if (! marker.shown)
            continue;
        g.setColour (marker.colour);
        g.fillRect (inner.getX() + inner.getWidth() * marker.position - 1.0f, b.getY(), 2.0f, b.getHeight());
    }
}

std::unique_ptr<juce::AccessibilityHandler> Lane::createAccessibilityHandler()
{
    return std::make_unique<juce::AccessibilityHandler> (*this, juce::AccessibilityRole::staticText);
}
}
