#pragma once

#include <zem/zem.h>

#include <map>
#include <string>
#include <vector>

/** An in-memory resource bundle for tests, looked up like a generated one.
    Only one bundle answers lookups at a time: the one whose source was taken last. */
class TestBundle
{
public:
    TestBundle();
    ~TestBundle();

    void add (const std::string& identifier, const juce::MemoryBlock& bytes);
    void addText (const std::string& identifier, const std::string& text);

    /** The bundle as the toolkit sees it; makes this bundle the one that answers lookups. */
    zem::ArtSource source();

    static const char* lookup (const char* identifier, int& size);

private:
    std::vector<std::string> identifiers;
    std::vector<const char*> names;
    std::map<std::string, juce::MemoryBlock> contents;
};

/** The generated fixture bundle: the test layout file and the toolkit's shared files. */
zem::ArtSource fixtureSource();
