namespace zem
{

namespace
{
    constexpr float disabledVeilAlpha = 0.55f;
    constexpr float focusRingOuter = 5.5f;   // outer edge beyond the knob's square; the margin is 6
    constexpr float focusRingWidth = 4.0f;   // at content scale 1: ink 1, accent 2, ink 1

    juce::Rectangle<float> squareIn (juce::Rectangle<float> area)
    {
        const float side = juce::jmin (area.getWidth(), area.getHeight());
        return juce::Rectangle<float> (side, side).withCentre (area.getCentre());
    }

    juce::Rectangle<float> insetClamped (juce::Rectangle<float> r, float d)
    {
        return { r.getX() + d, r.getY() + d, juce::jmax (r.getWidth() - 2.0f * d, 0.0f),
                 juce::jmax (r.getHeight() - 2.0f * d, 0.0f) };
    }

    // A knob decides itself when its focus is worth a ring (see KnobSlider); any other
    // slider is ringed while it has keyboard focus.
    bool showsFocusRing (const juce::Slider& slider)
    {
        if (auto* knob = dynamic_cast<const KnobSlider*> (&slider))
            return knob->showsFocusRing();
        return slider.hasKeyboardFocus (false);
    }

    void strokeArc (juce::Graphics& g, juce::Point<float> centre, float radius, float from, float to,
                    float thickness, juce::Colour colour)
    {
        juce::Path arc;
        arc.addCentredArc (centre.x, centre.y, radius, radius, 0.0f, from, to, true);
        g.setColour (colour);
        g.strokePath (arc, juce::PathStrokeType (thickness, juce::PathStrokeType::curved,
                                                 juce::PathStrokeType::rounded));
    }
}

LookAndFeel::LookAndFeel()
{
    using namespace palette;

    setColour (juce::ResizableWindow::backgroundColourId, ink);
    setColour (juce::Slider::rotarySliderFillColourId, accent);
    setColour (juce::Slider::rotarySliderOutlineColourId, rust);
    setColour (juce::Slider::thumbColourId, cream);
    setColour (juce::Slider::textBoxTextColourId, cream);
    setColour (juce::Slider::textBoxBackgroundColourId, juce::Colours::transparentBlack);
    setColour (juce::Slider::textBoxOutlineColourId, juce::Colours::transparentBlack);
    setColour (juce::Label::textColourId, cream);
    setColour (juce::TextButton::buttonColourId, charcoal);
    setColour (juce::TextButton::buttonOnColourId, accent);
    setColour (juce::TextButton::textColourOffId, cream);
    setColour (juce::TextButton::textColourOnId, ink);
    setColour (juce::ToggleButton::textColourId, cream);
    setColour (juce::ToggleButton::tickColourId, accent);
    setColour (juce::ComboBox::backgroundColourId, charcoal);
    setColour (juce::ComboBox::textColourId, cream);
    setColour (juce::ComboBox::outlineColourId, slate);
    setColour (juce::PopupMenu::backgroundColourId, charcoal);
    setColour (juce::PopupMenu::textColourId, cream);
    setColour (juce::PopupMenu::highlightedBackgroundColourId, accent);
    setColour (juce::PopupMenu::highlightedTextColourId, ink);
}

float LookAndFeel::drawingScale (juce::Graphics& g) const
{
    return kit != nullptr ? kit->imageScale (g) : 1.0f;
}

void LookAndFeel::drawButtonBackground (juce::Graphics& g, juce::Button& button, const juce::Colour&,
                                        bool highlighted, bool down)
{
    const auto r = insetClamped (button.getLocalBounds().toFloat(), 1.0f);
    const bool on = button.getToggleState();

    if (kit != nullptr && isPresent (kit->button))
    {
        const int frames = kit->docs.frameCount ("button", 2);
        int frame = (down || on) ? 1 : 0;

        // A third frame, when the art has one, is the hover look.
        if (frames > 2 && highlighted && frame == 0)
            frame = 2;

        frame = juce::jmin (frame, frames - 1);

        if (kit->button->drawFrame (g, r, drawingScale (g), frame, frames))
            return;
    }

    auto colour = on ? palette::accent : palette::charcoal;

    if (down)
        colour = colour.darker (0.2f);
    else if (highlighted)
        colour = colour.brighter (0.08f);

    g.setColour (colour);
    g.fillRoundedRectangle (r, 6.0f);
    g.setColour (palette::slate);
    g.drawRoundedRectangle (r, 6.0f, 1.0f);
}

void LookAndFeel::drawToggleButton (juce::Graphics& g, juce::ToggleButton& button, bool highlighted, bool down)
{
    const auto r = button.getLocalBounds().toFloat();
    const bool on = button.getToggleState();

    if (kit != nullptr && isPresent (kit->toggle))
    {
        const int frames = kit->docs.frameCount ("toggle", 2);
        const int frame = juce::jmin (on ? 1 : 0, frames - 1);
        const float scale = drawingScale (g);

        if (kit->toggle->drawFrame (g, r, scale, frame, frames))
        {
            if (highlighted && ! down)
            {
                g.setColour (palette::cream.withAlpha (0.08f));
                g.fillRoundedRectangle (r, 4.0f);
            }

            // Over panel art the caption is part of the picture.
            if (isPresent (kit->panel))
                return;

            const juce::Rectangle<float> textArea (r.getX() + 2.0f, r.getY() + 0.3f * r.getHeight(),
                                                   juce::jmax (r.getWidth() - 4.0f, 0.0f),
                                                   juce::jmax (0.4f * r.getHeight(), 0.0f));
            drawGlyphText (g, *kit, button.getButtonText(), textArea, juce::Justification::centred,
                           scale, palette::cream);
            return;
        }
    }

    drawButtonBackground (g, button, juce::Colours::transparentBlack, highlighted, down);
    g.setColour (on ? palette::ink : palette::cream);
    g.setFont (plainFont (14.0f));
    g.drawText (button.getButtonText(), button.getLocalBounds(), juce::Justification::centred, true);
}

juce::Font LookAndFeel::getLabelFont (juce::Label& label)
{
    return label.getFont();
}

juce::Label* LookAndFeel::createSliderTextBox (juce::Slider& slider)
{
    auto* label = juce::LookAndFeel_V4::createSliderTextBox (slider);
    label->setFont (plainFont (14.0f));
    label->setJustificationType (juce::Justification::centred);
    return label;
}

void LookAndFeel::drawRotarySlider (juce::Graphics& g, int x, int y, int width, int height, float position,
                                    float startAngle, float endAngle, juce::Slider& slider)
{
    const juce::Rectangle<float> area ((float) x + 6.0f, (float) y + 6.0f,
                                       (float) juce::jmax (width - 12, 0), (float) juce::jmax (height - 12, 0));
    const float angle = startAngle + position * (endAngle - startAngle);

    if (! drawKnobArt (g, area, position, angle, slider))
        drawKnobShape (g, area, position, startAngle, endAngle, angle, slider.isEnabled());

    if (showsFocusRing (slider))
        drawFocusRing (g, area);
}

// A ring in the focus colour round the knob's square, edged in ink on both sides so that
// it stands out on light and dark art alike. Its outer edge lies in the 6-pixel margin
// round the square; it grows with the content scale, inwards over the knob's rim.
void LookAndFeel::drawFocusRing (juce::Graphics& g, juce::Rectangle<float> area)
{
    const auto square = squareIn (area);
    if (square.isEmpty())
        return;
    const float width = focusRingWidth * (kit != nullptr ? juce::jmax (kit->contentScale, 1.0f) : 1.0f);
    const auto ring = square.expanded (focusRingOuter - width / 2.0f);
    g.setColour (palette::ink);
    g.drawEllipse (ring, width);
    g.setColour (palette::accent);
    g.drawEllipse (ring, width / 2.0f);
}

bool LookAndFeel::drawKnobArt (juce::Graphics& g, juce::Rectangle<float> area, float position, float angle,
                               juce::Slider& slider)
{
    if (kit == nullptr || kit->store == nullptr)
        return false;

    const auto artName = slider.getProperties().getWithDefault ("zemKnobArt", "knob").toString();
    const auto* entry = kit->store->find (artName);

    if (! isPresent (entry))
        return false;

    const float scale = drawingScale (g);
    const int frames = juce::jmax (1, kit->docs.frameCount (artName, 1));
    juce::Rectangle<float> drawn;

    if (frames > 1)
    {
        if (! entry->drawFrame (g, area, scale, juce::roundToInt ((float) (frames - 1) * position), frames))
            return false;

        drawn = area;
    }
    else
    {
        const auto square = squareIn (area);

        if (! entry->drawRotated (g, square, scale, angle))
            return false;

        drawn = square;
    }

    if (! slider.isEnabled())
    {
        g.setColour (palette::ink.withAlpha (disabledVeilAlpha));
        g.fillRect (drawn);
    }

    return true;
}

void LookAndFeel::drawKnobShape (juce::Graphics& g, juce::Rectangle<float> area, float position,
                                 float startAngle, float endAngle, float angle, bool enabled)
{
    const auto centre = area.getCentre();
    const float u = juce::jmin (area.getWidth(), area.getHeight()) / 2.0f;
    const float stroke = juce::jmax (0.14f * u, 3.0f);
    const float r1 = u - stroke / 2.0f;

    strokeArc (g, centre, r1, startAngle, endAngle, stroke, enabled ? palette::rust : palette::slate);

    if (position > 0.0f)
        strokeArc (g, centre, r1, startAngle, angle, stroke, enabled ? palette::accent : palette::ash);

    const float r2 = r1 - 1.4f * stroke;
    const juce::Rectangle<float> body (centre.x - r2, centre.y - r2, 2.0f * r2, 2.0f * r2);
    g.setColour (palette::charcoal);
    g.fillEllipse (body);
    g.setColour (palette::slate);
    g.drawEllipse (body, 1.5f);

    const float pointerWidth = juce::jmax (0.12f * r2, 3.0f);
    juce::Path pointer;
    pointer.addRoundedRectangle (-pointerWidth / 2.0f, 4.0f - r2, pointerWidth, 0.45f * r2, pointerWidth / 2.0f);
    g.setColour (palette::cream);
    g.fillPath (pointer, juce::AffineTransform::rotation (angle).translated (centre));
}

} // namespace zem
