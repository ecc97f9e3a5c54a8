namespace zem
{

juce::Font boldFont (float height)
{
    return FontOptions().withHeight (height).withStyle ("Bold").toFont();
}

juce::Font plainFont (float height)
{
    return FontOptions().withHeight (height).toFont();
}

} // namespace zem
