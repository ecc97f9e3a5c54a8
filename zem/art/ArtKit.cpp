namespace zem
{

ArtKit::ArtKit (ArtStore* storeToUse)
{
    if (storeToUse == nullptr)
        return;

    knob = storeToUse->find ("knob");
    toggle = storeToUse->find ("toggle");
    button = storeToUse->find ("button");
    lamp = storeToUse->find ("lamp");
    bezel = storeToUse->find ("bezel");
    glyphs = storeToUse->find ("glyphs");
    panel = storeToUse->find ("panel");
    lettering = storeToUse->find ("lettering");
    selector = storeToUse->find ("selector");
    docs = storeToUse->docs;
    store = storeToUse;
}

ArtEntry* ArtKit::find (const juce::String& name) const
{
    return store != nullptr ? store->find (name) : nullptr;
}

float ArtKit::imageScale (juce::Graphics& g) const
{
    return g.getInternalContext().getPhysicalPixelScaleFactor() * contentScale;
}

} // namespace zem
