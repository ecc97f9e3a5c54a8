namespace zem
{

ArtStore::ArtStore (const ArtSource& source)
{
    if (source.isEmpty())
        return;

    // The toolkit's common file first, then the product's art file, which wins.
    loadDocuments (source, "common");
    loadDocuments (source, "art");
    loadPictures (source);
}

void ArtStore::loadDocuments (const ArtSource& source, const juce::String& wantedBase)
{
    for (int i = 0; i < source.count; ++i)
    {
        juce::String base, extension;
        int scale = 1;

        if (! parseResourceId (source.names[i], base, scale, extension)
            || extension != "json" || base != wantedBase)
            continue;

        int size = 0;

        if (const char* data = source.lookup (source.names[i], size); data != nullptr && size > 0)
            docs.addDocument (data, size);
    }
}

void ArtStore::loadPictures (const ArtSource& source)
{
    for (int i = 0; i < source.count; ++i)
    {
        juce::String base, extension;
        int scale = 1;

        if (! parseResourceId (source.names[i], base, scale, extension) || extension != "png")
            continue;

        int size = 0;
        const char* data = source.lookup (source.names[i], size);

        if (data == nullptr || size <= 0)
            continue;

        auto& entry = entries[base.toStdString()];

        if (entry == nullptr)
            entry = std::make_unique<ArtEntry>();

        entry->addScale (scale, data, size);
    }
}

ArtEntry* ArtStore::find (const juce::String& name) const
{
    const auto found = entries.find (name.toStdString());

    if (found == entries.end() || found->second->maxScale <= 0)
        return nullptr;

    return found->second.get();
}

} // namespace zem
