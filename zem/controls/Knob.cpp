namespace zem
{
namespace knobMetrics
{
    constexpr float radiansPerDegree = 0.017453292f;
    constexpr float fullTurn = 6.2831855f;
    constexpr int textBoxWidth = 72;
    constexpr int textBoxHeight = 18;
    constexpr int labelHeight = 18;
}

Knob::Knob (juce::AudioProcessorValueTreeState& store, const juce::String& parameterId, const juce::String& name)
{
    attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment> (store, parameterId, slider);

    slider.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    setTextBelow();
    slider.setTitle (name);
    slider.setDescription (name);
    // The slider takes keyboard focus so that the arrow keys turn it.
    slider.setWantsKeyboardFocus (true);
    addAndMakeVisible (slider);

    label.setText (name, juce::dontSendNotification);
    label.setJustificationType (juce::Justification::centred);
    label.setFont (plainFont (14.0f));
    label.setInterceptsMouseClicks (false, false);
    addAndMakeVisible (label);

    readout.setTitle (name);
    readout.setInterceptsMouseClicks (false, false);
    addChildComponent (readout);

    slider.addMouseListener (this, true);
    slider.onValueChange = [this] { updateReadout(); };
}

Knob::~Knob()
{
    // The slider leaves the parameter before it goes.
    attachment.reset();
    slider.removeMouseListener (this);
}

void Knob::setTextBelow()
{
    slider.setTextBoxStyle (juce::Slider::TextBoxBelow, false, knobMetrics::textBoxWidth, knobMetrics::textBoxHeight);
}

bool Knob::hasArt() const
{
    if (kit == nullptr || kit->store == nullptr)
        return false;
    const auto name = slider.getProperties().getWithDefault (artProperty, "knob").toString();
    return isPresent (kit->store->find (name));
}

void Knob::setArt (const ArtKit* newKit, const juce::String& artName)
{
    kit = newKit;
    slider.getProperties().set (artProperty, artName);
    readout.setArt (kit);

    if (hasArt())
    {
        label.setVisible (! isPresent (kit->panel));
        slider.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
        readoutActive = showValueOnHover;
        applyRotaryRange();
    }
    else
    {
        label.setVisible (true);
        setTextBelow();
        readoutActive = false;
        readout.setVisible (false);
    }

    resized();
    repaint();
}

// The art knob turns over "knob.startDegrees" to "knob.endDegrees", both needed; angles
// below zero are raised by whole turns, since the slider wants a non-negative start.
void Knob::applyRotaryRange()
{
    const auto current = slider.getRotaryParameters();
    float start = current.startAngleRadians;
    float end = juce::jmax (current.endAngleRadians, start);

    const auto startDegrees = kit->docs.lookupPath ("knob.startDegrees");
    const auto endDegrees = kit->docs.lookupPath ("knob.endDegrees");
    if (! startDegrees.isVoid() && ! endDegrees.isVoid())
    {
        start = (float) startDegrees * knobMetrics::radiansPerDegree;
        end = juce::jmax ((float) endDegrees * knobMetrics::radiansPerDegree, start);
    }

    while (start < 0.0f)
    {
        start += knobMetrics::fullTurn;
        end += knobMetrics::fullTurn;
    }

    if (end > start)
        slider.setRotaryParameters (start, end, true);
}

void Knob::setShowValueOnHover (bool show)
{
    showValueOnHover = show;
    if (show && hasArt())
    {
        readoutActive = true;
        return;
    }
    readoutActive = false;
    readout.setVisible (false);
}

void Knob::setLabelVisible (bool shouldBeVisible)
{
    label.setVisible (shouldBeVisible);
    resized();
}

void Knob::updateReadout()
{
    if (! readoutActive)
        return;
    const auto text = slider.getTextFromValue (slider.getValue());
    readout.setText (text, {});
}

void Knob::mouseEnter (const juce::MouseEvent&)
{
    if (! readoutActive)
        return;
    updateReadout();
    readout.setVisible (true);
}

void Knob::mouseExit (const juce::MouseEvent&)
{
    if (! isMouseOverOrDragging (true))
        readout.setVisible (false);
}

void Knob::resized()
{
    auto r = getLocalBounds();
    if (label.isVisible())
        label.setBounds (r.removeFromTop (juce::jmin (knobMetrics::labelHeight, r.getHeight())));
    slider.setBounds (r);

    const auto f = r.toFloat();
    const float w = 0.62f * f.getWidth();
    const float h = 0.24f * f.getHeight();
    readout.setBounds (juce::roundToInt (f.getX() + (f.getWidth() - w) / 2.0f),
                       juce::roundToInt (f.getY() + (f.getHeight() - h) / 2.0f + 0.22f * f.getHeight()),
                       juce::roundToInt (w), juce::roundToInt (h));
}
}
