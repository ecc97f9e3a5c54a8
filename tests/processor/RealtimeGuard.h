#pragma once

// Counts heap allocations, frees and lock acquisitions made by the calling thread
// while a RealtimeGuard::Scope is alive on it. The binary that links RealtimeGuard.cpp
// replaces malloc, the global operator new and delete, and interposes the pthread
// lock calls, so the count covers every library underneath as well.
namespace RealtimeGuard
{
struct Counts
{
    long allocations = 0;
    long frees = 0;
    long locks = 0;
};

class Scope
{
public:
    Scope();
    ~Scope();
    Scope (const Scope&) = delete;
    Scope& operator= (const Scope&) = delete;

    Counts counts() const;
};
} // namespace RealtimeGuard
