namespace zem
{
// Radio-group ids start here for the first group of the process.
static std::atomic<int> radioGroupCounter { 39680 };

int nextRadioGroupId()
{
    return radioGroupCounter.fetch_add (1);
}

ButtonGroup::ButtonGroup (juce::AudioProcessorValueTreeState& store, const juce::String& parameterId,
                          const juce::String& name)
{
    setTitle (name);
    setDescription (name);
    setFocusContainerType (juce::Component::FocusContainerType::focusContainer);

    parameter = store.getParameter (parameterId);
    if (parameter == nullptr)
        return;

    const auto choices = parameter->getAllValueStrings();
    const int count = choices.size();
    const int groupId = nextRadioGroupId();

    for (int i = 0; i < count; ++i)
    {
        auto* button = buttons.add (new ArtButton (choices[i]));
        button->setButtonText (choices[i]);
        button->setTitle (choices[i]);
        button->setDescription (name + ": " + choices[i]);
        button->setClickingTogglesState (true);
        button->setRadioGroupId (groupId, juce::dontSendNotification);

        int edges = 0;
        if (i < count - 1)
            edges |= juce::Button::ConnectedOnRight;
        if (i > 0)
            edges |= juce::Button::ConnectedOnLeft;
        button->setConnectedEdges (edges);

        button->onClick = [this, i] { clicked (i); };
        addAndMakeVisible (button);
    }

    attachment = std::make_unique<juce::ParameterAttachment> (
        *parameter, [this] (float value) { showValue (value); }, store.undoManager);
    attachment->sendInitialUpdate();
}

ButtonGroup::~ButtonGroup()
{
    // No parameter callback may reach the buttons while they go; the owned array then
    // deletes them from the last to the first.
    attachment.reset();
}

void ButtonGroup::clicked (int index)
{
    if (attachment != nullptr && buttons[index]->getToggleState())
        attachment->setValueAsCompleteGesture ((float) index);
}

void ButtonGroup::showValue (float value)
{
    const int chosen = juce::roundToInt (value);
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setToggleState (i == chosen, juce::dontSendNotification);
}

void ButtonGroup::setVertical (bool shouldStack)
{
    vertical = shouldStack;
    resized();
}

void ButtonGroup::setArt (const ArtKit* kit)
{
    for (auto* button : buttons)
        button->setArt (kit);
}

void ButtonGroup::setHelpText (const juce::String& text)
{
    juce::Component::setHelpText (text);
    for (auto* button : buttons)
        button->setHelpText (text);
}

void ButtonGroup::resized()
{
    const int count = buttons.size();
    if (count == 0)
        return;

    auto r = getLocalBounds();
    const bool stacked = vertical || r.getHeight() > r.getWidth();
    for (int i = 0; i < count; ++i)
    {
        const int size = (stacked ? r.getHeight() : r.getWidth()) / (count - i);
        buttons[i]->setBounds (stacked ? r.removeFromTop (size) : r.removeFromLeft (size));
    }
}
}
