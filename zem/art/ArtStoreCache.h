#pragma once

namespace zem
{

/** The art stores of the process, one per resource bundle, shared by every open
    editor and freed with the last of them. */
class ArtStoreCache
{
public:
    /** Where the process finds the live cache again: a weak pointer that never keeps it alive. */
    struct Holder
    {
        juce::SpinLock lock;
        std::weak_ptr<ArtStoreCache> cache;
    };

    /** The live cache of the holder, made anew when none is alive. */
    static std::shared_ptr<ArtStoreCache> acquire (Holder& holder);

    /** The store of a bundle, built on first request; never null. */
    ArtStore* get (const ArtSource& source);

    juce::CriticalSection lock;
    std::map<const char**, std::unique_ptr<ArtStore>> stores;
};

} // namespace zem
