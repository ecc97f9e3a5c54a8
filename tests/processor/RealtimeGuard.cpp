#include "RealtimeGuard.h"

#include <dlfcn.h>
#include <new>
#include <pthread.h>
#include <semaphore.h>

#include <cstddef>
#include <cstdlib>

extern "C"
{
void* __libc_malloc (size_t);
void* __libc_calloc (size_t, size_t);
void* __libc_realloc (void*, size_t);
void* __libc_memalign (size_t, size_t);
void __libc_free (void*);
}

namespace
{
thread_local bool armed = false;
thread_local RealtimeGuard::Counts tally;

void noteAllocation()
{
    if (armed)
        ++tally.allocations;
}

void noteFree (void* p)
{
    if (armed && p != nullptr)
        ++tally.frees;
}

void noteLock()
{
    if (armed)
        ++tally.locks;
}

// The real lock functions, looked up once before any test arms the guard.
template <typename Function>
Function next (const char* name)
{
    return reinterpret_cast<Function> (dlsym (RTLD_NEXT, name));
}

using MutexFunction = int (*) (pthread_mutex_t*);
using RwFunction = int (*) (pthread_rwlock_t*);
using SemFunction = int (*) (sem_t*);

struct RealLocks
{
    MutexFunction mutexLock = next<MutexFunction> ("pthread_mutex_lock");
    MutexFunction mutexTryLock = next<MutexFunction> ("pthread_mutex_trylock");
    RwFunction readLock = next<RwFunction> ("pthread_rwlock_rdlock");
    RwFunction writeLock = next<RwFunction> ("pthread_rwlock_wrlock");
    SemFunction semWait = next<SemFunction> ("sem_wait");
};

const RealLocks& realLocks()
{
    static const RealLocks locks;
    return locks;
}

// Looked up at start-up, so that no test's armed section pays for the lookup.
const RealLocks& initialLookup = realLocks();

// operator new's allocation: a zero-size request still gets its own address.
void* allocateOrNull (size_t size)
{
    noteAllocation();
    return __libc_malloc (size == 0 ? 1 : size);
}

void* allocate (size_t size)
{
    if (void* p = allocateOrNull (size))
        return p;
    throw std::bad_alloc();
}

void* countedMemalign (size_t alignment, size_t size)
{
    noteAllocation();
    return __libc_memalign (alignment, size);
}

void* allocateAligned (size_t size, std::align_val_t alignment)
{
    noteAllocation();
    if (void* p = __libc_memalign ((size_t) alignment, size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void release (void* p)
{
    noteFree (p);
    __libc_free (p);
}

template <typename Object>
int countedLock (int (*real) (Object*), Object* object)
{
    noteLock();
    return real (object);
}
} // namespace

namespace RealtimeGuard
{
Scope::Scope()
{
    tally = {};
    armed = true;
}

Scope::~Scope() { armed = false; }

Counts Scope::counts() const { return tally; }
} // namespace RealtimeGuard

extern "C"
{
void* malloc (size_t size)
{
    noteAllocation();
    return __libc_malloc (size);
}

void* calloc (size_t count, size_t size)
{
    noteAllocation();
    return __libc_calloc (count, size);
}

void* realloc (void* p, size_t size)
{
    noteAllocation();
    return __libc_realloc (p, size);
}

void* memalign (size_t alignment, size_t size)
{
    return countedMemalign (alignment, size);
}

void* aligned_alloc (size_t alignment, size_t size)
{
    return countedMemalign (alignment, size);
}

int posix_memalign (void** result, size_t alignment, size_t size)
{
    *result = countedMemalign (alignment, size);
    return *result != nullptr ? 0 : 12; // ENOMEM
}

void free (void* p)
{
    release (p);
}

int pthread_mutex_lock (pthread_mutex_t* mutex) { return countedLock (realLocks().mutexLock, mutex); }
int pthread_mutex_trylock (pthread_mutex_t* mutex) { return countedLock (realLocks().mutexTryLock, mutex); }
int pthread_rwlock_rdlock (pthread_rwlock_t* lock) { return countedLock (realLocks().readLock, lock); }
int pthread_rwlock_wrlock (pthread_rwlock_t* lock) { return countedLock (realLocks().writeLock, lock); }
int sem_wait (sem_t* semaphore) { return countedLock (realLocks().semWait, semaphore); }
}

void* operator new (size_t size) { return allocate (size); }
void* operator new[] (size_t size) { return allocate (size); }
void* operator new (size_t size, std::align_val_t alignment) { return allocateAligned (size, alignment); }
void* operator new[] (size_t size, std::align_val_t alignment) { return allocateAligned (size, alignment); }
void* operator new (size_t size, const std::nothrow_t&) noexcept { return allocateOrNull (size); }
void* operator new[] (size_t size, const std::nothrow_t&) noexcept { return allocateOrNull (size); }
void operator delete (void* p) noexcept { release (p); }
void operator delete[] (void* p) noexcept { release (p); }
void operator delete (void* p, size_t) noexcept { release (p); }
void operator delete[] (void* p, size_t) noexcept { release (p); }
void operator delete (void* p, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, std::align_val_t) noexcept { release (p); }
void operator delete (void* p, size_t, std::align_val_t) noexcept { release (p); }
void operator delete[] (void* p, size_t, std::align_val_t) noexcept { release (p); }
