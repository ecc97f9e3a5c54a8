namespace zem
{
Selector::Selector (const juce::String& name, int modeToUse)
    : mode (modeToUse)
{
    setTitle (name);
    setDescription (name);
}

void Selector::setArt (const ArtKit* newKit, const juce::String& newArtName)
{
    kit = newKit;
    artName = newArtName;
    // With art the picture shows the choice, so the box's own text is hidden.
    setColour (juce::ComboBox::textColourId, hasArt() ? juce::Colours::transparentBlack : palette::cream);
    repaint();
}

bool Selector::hasArt() const
{
    return kit != nullptr && kit->store != nullptr && isPresent (kit->store->find (artName));
}

int Selector::frameCount() const
{
    const int items = juce::jmax (getNumItems(), 1);
    if (kit == nullptr)
        return items;
    return kit->docs.frameCount (artName, items);
}

int Selector::frameToDraw() const
{
    return juce::jmin (juce::jmax (getSelectedItemIndex(), 0), frameCount() - 1);
}

void Selector::paint (juce::Graphics& g)
{
    if (hasArt())
    {
        auto* entry = kit->store->find (artName);
        if (entry->drawFrame (g, getLocalBounds().toFloat(), controlArt::drawScale (g, kit), frameToDraw(), frameCount()))
            return;
    }
    juce::ComboBox::paint (g);
}

void Selector::mouseDown (const juce::MouseEvent& e)
{
    const int items = getNumItems();
    // The framework delivers presses to disabled components too; a disabled box stays put.
    if (mode == 1 && isEnabled() && ! e.mods.isRightButtonDown() && items > 0)
    {
        // Synchronous, so that the attachment has the new value before the click returns.
        setSelectedItemIndex ((getSelectedItemIndex() + 1) % items, juce::sendNotificationSync);
        return;
    }
    juce::ComboBox::mouseDown (e);
}
}
