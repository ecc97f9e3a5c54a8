#include "CalibrationCache.h"

#include <mutex>
#include <utility>
#include <vector>

namespace
{
struct Store
{
    std::mutex lock;
    std::vector<std::pair<CalibrationCache::Key, CalibrationCache::Table>> entries;
};

Store& theStore()
{
    static Store store;
    return store;
}
} // namespace

bool CalibrationCache::find (const Key& key, Table& table)
{
    auto& s = theStore();
    const std::lock_guard<std::mutex> guard (s.lock);
    for (const auto& [k, t] : s.entries)
    {
        if (k == key)
        {
            table = t;
            return true;
        }
    }
    return false;
}

void CalibrationCache::store (const Key& key, const Table& table)
{
    auto& s = theStore();
    const std::lock_guard<std::mutex> guard (s.lock);
    for (auto& [k, t] : s.entries)
    {
        if (k == key)
        {
            t = table;
            return;
        }
    }
    s.entries.emplace_back (key, table);
}

void CalibrationCache::clear()
{
    auto& s = theStore();
    const std::lock_guard<std::mutex> guard (s.lock);
    s.entries.clear();
}
