// The one allocation seam of the support library. Every heap block the library
// owns (string buffers, storage objects, status records, frames and their text,
// stream strings) is obtained here, so a test can refuse or throw at any single
// allocation and check the report and the clean-up that follow.
#ifndef VELMORA_SUPPORT_QSMEMORY_H
#define VELMORA_SUPPORT_QSMEMORY_H

#include <cstddef>
#include <new>
#include <utility>

// Asked before every allocation. Returning false makes that allocation fail
// (the library then reports it); throwing passes the exception through the
// library. The library never calls it re-entrantly.
using QsAllocationHook = bool (*)(std::size_t bytes, void* context);

struct QsAllocationGate {
    QsAllocationHook hook = nullptr;
    void* context = nullptr;
};

// Installs a gate (no hook: every allocation is tried) and returns the previous one.
QsAllocationGate qsSetAllocationGate(QsAllocationGate gate) noexcept;

// Null when the gate refuses or the system has no memory; may throw what the hook throws.
void* qsAllocate(std::size_t bytes);
void qsFree(void* memory) noexcept;

// Blocks obtained through qsAllocate and not yet freed; lets tests prove that
// nothing leaks on a failure path, in both builds.
std::size_t qsLiveAllocations() noexcept;

// Constructs a T in seam memory; null when the memory cannot be had. If T's
// constructor throws, the memory is returned before the exception goes on.
template <class T, class... Args>
T* qsCreate(Args&&... args)
{
    struct Guard {
        void* memory;
        ~Guard() { qsFree(memory); }
    } guard{qsAllocate(sizeof(T))};
    if (guard.memory == nullptr) {
        return nullptr;
    }
    T* const object = ::new (guard.memory) T(std::forward<Args>(args)...); // cppcheck-suppress legacyUninitvar
    guard.memory = nullptr;
    return object;
}

template <class T>
void qsDestroy(T* object) noexcept
{
    if (object != nullptr) {
        object->~T();
        qsFree(object);
    }
}

#endif
