namespace zem
{

std::shared_ptr<ArtStoreCache> ArtStoreCache::acquire (Holder& holder)
{
    const juce::SpinLock::ScopedLockType scope (holder.lock);

    if (auto live = holder.cache.lock())
        return live;

    auto created = std::make_shared<ArtStoreCache>();
    holder.cache = created;
    return created;
}

ArtStore* ArtStoreCache::get (const ArtSource& source)
{
    const juce::ScopedLock scope (lock);
    auto& store = stores[source.names];

    if (store == nullptr)
        store = std::make_unique<ArtStore> (source);

    return store.get();
}

} // namespace zem
