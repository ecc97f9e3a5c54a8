#include "CopyBudget.h"

#include <algorithm>

void CopyBudget::add (Holder& holder)
{
    holders.push_back (&holder);
}

void CopyBudget::remove (Holder& holder)
{
    holders.erase (std::remove (holders.begin(), holders.end(), &holder), holders.end());
}

bool CopyBudget::takeForNow (size_t bytes)
{
    size_t freeable = budget - std::min (taken, budget);
    for (const auto* holder : holders)
        freeable += holder->bytesBefore (frame - 1);
    if (bytes > freeable)
        return false;
    for (auto* holder : holders)
        while (! fits (bytes) && holder->dropOldest (frame - 1))
        {
        }
    return takeAhead (bytes);
}

bool CopyBudget::takeAhead (size_t bytes)
{
    if (! fits (bytes))
        return false;
    taken += bytes;
    return true;
}

void CopyBudget::giveBack (size_t bytes)
{
    taken -= std::min (bytes, taken);
}
