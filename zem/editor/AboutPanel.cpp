namespace zem
{

namespace
{
    void styleLabel (juce::Label& label, const juce::String& text, const juce::Font& font, juce::Colour colour)
    {
        label.setText (text, juce::dontSendNotification);
        label.setFont (font);
        label.setColour (juce::Label::textColourId, colour);
    }
}

EditorBase::AboutPanel::AboutPanel (const juce::String& productName, const juce::String& version)
    : siteButton (maker::siteHost),
      closeButton ("Close"),
      openUrl ([] (const juce::URL& url) { url.launchInDefaultBrowser(); })
{
    setOpaque (true);
    // Tab goes round the panel's own buttons, never to the controls hidden under it.
    setFocusContainerType (FocusContainerType::keyboardFocusContainer);

    styleLabel (nameLabel, productName, boldFont (26.0f), palette::cream);
    styleLabel (versionLabel, "Version " + version, plainFont (13.0f), palette::ash);
    styleLabel (taglineLabel, juce::String ("Free, from ") + maker::name + ".", plainFont (14.0f), palette::ash);

    for (auto* label : { &nameLabel, &versionLabel, &taglineLabel })
    {
        label->setJustificationType (juce::Justification::centred);
        addAndMakeVisible (*label);
    }

    // The browser's result is of no concern: without one the click does nothing.
    siteButton.onClick = [this] { if (openUrl) openUrl (juce::URL (maker::siteUrl)); };
    closeButton.onClick = [this] { close(); };
    siteButton.setTitle (juce::String ("Open ") + maker::siteHost);

    addAndMakeVisible (siteButton);
    addAndMakeVisible (closeButton);
}

void EditorBase::AboutPanel::close()
{
    setVisible (false);
    if (onClose)
        onClose();
}

bool EditorBase::AboutPanel::keyPressed (const juce::KeyPress& key)
{
    if (key != juce::KeyPress (juce::KeyPress::escapeKey))
        return false;
    close();
    return true;
}

void EditorBase::AboutPanel::paint (juce::Graphics& g)
{
    g.fillAll (palette::ink);
    g.setColour (palette::rust);
    g.fillRect (0, 0, getWidth(), juce::jmin (3, getHeight()));
}

void EditorBase::AboutPanel::resized()
{
    const int columnWidth = juce::jmin (getWidth() - 24, 300);
    const int x = (getWidth() - columnWidth) / 2;
    const int top = (getHeight() - 166) / 2;

    nameLabel.setBounds (x, top, columnWidth, 38);
    versionLabel.setBounds (x, top + 38, columnWidth, 28);
    taglineLabel.setBounds (x, top + 66, columnWidth, 28);
    siteButton.setBounds (x, top + 106, columnWidth, 28);
    closeButton.setBounds (x, top + 138, columnWidth, 28);
}

} // namespace zem
