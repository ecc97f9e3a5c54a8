#pragma once

namespace zem
{

/** Describes an embedded resource bundle: its identifier table, the number of
    identifiers and the function that finds a resource's bytes by identifier.
    A source with no table, no identifiers or no lookup stands for no bundle. */
struct ArtSource
{
    using LookupFunction = const char* (*) (const char* identifier, int& size);

    const char** names = nullptr;
    int count = 0;
    LookupFunction lookup = nullptr;

    bool isEmpty() const noexcept { return names == nullptr || count <= 0 || lookup == nullptr; }
};

} // namespace zem
