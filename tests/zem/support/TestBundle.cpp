#include "TestBundle.h"

#include "ZemFixtureBundle.h"

namespace
{
    TestBundle* answering = nullptr;
}

TestBundle::TestBundle() = default;

TestBundle::~TestBundle()
{
    if (answering == this)
        answering = nullptr;
}

void TestBundle::add (const std::string& identifier, const juce::MemoryBlock& bytes)
{
    if (contents.count (identifier) == 0)
        identifiers.push_back (identifier);

    contents[identifier] = bytes;
}

void TestBundle::addText (const std::string& identifier, const std::string& text)
{
    add (identifier, juce::MemoryBlock (text.data(), text.size()));
}

zem::ArtSource TestBundle::source()
{
    answering = this;
    names.clear();

    for (auto& identifier : identifiers)
        names.push_back (identifier.c_str());

    names.push_back (nullptr);
    return { names.data(), (int) identifiers.size(), &TestBundle::lookup };
}

const char* TestBundle::lookup (const char* identifier, int& size)
{
    size = 0;

    if (answering == nullptr || identifier == nullptr || *identifier == 0)
        return nullptr;

    const auto found = answering->contents.find (identifier);

    if (found == answering->contents.end())
        return nullptr;

    size = (int) found->second.getSize();
    return static_cast<const char*> (found->second.getData());
}

zem::ArtSource fixtureSource()
{
    return { ZemFixtureBundle::namedResourceList, ZemFixtureBundle::namedResourceListSize,
             &ZemFixtureBundle::getNamedResource };
}
