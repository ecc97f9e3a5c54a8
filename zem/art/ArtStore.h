#pragma once

namespace zem
{

/** Every picture and layout document of one resource bundle. Entries never move,
    so pointers to them stay valid for the store's life. */
class ArtStore
{
public:
    explicit ArtStore (const ArtSource& source);

    /** The entry of an art name, or null when there is none with data. */
    ArtEntry* find (const juce::String& name) const;

    std::map<std::string, std::unique_ptr<ArtEntry>> entries;
    ArtDocs docs;

private:
    void loadDocuments (const ArtSource& source, const juce::String& wantedBase);
    void loadPictures (const ArtSource& source);

    JUCE_DECLARE_NON_COPYABLE (ArtStore)
};

} // namespace zem
