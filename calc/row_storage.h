// The storage of a table's columns. A million rows are written by the workers that compute
// them, so the memory is left unset when the columns are sized: zeroing it first, on one thread,
// took about a third as long as computing "sinx/x" at every row, and the workers' first writes
// now spread that cost of fresh pages over every core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "engine/engine_state.h"

// Memory for `bytes` of rows, and its release. A block of many rows lies on huge pages where
// the system allows: a million rows on small pages took about nine thousand page faults.
void* AllocateRows(size_t bytes);
void FreeRows(void* block, size_t bytes);

// std::allocator, except that an element made without a value is left unset (default-initialised).
template <typename T>
struct RowAllocator : std::allocator<T> {
    using value_type = T;
    RowAllocator() = default;
    template <typename U>
    explicit RowAllocator(const RowAllocator<U>&) {}
    template <typename U>
    struct rebind {
        using other = RowAllocator<U>;
    };

    T* allocate(size_t count) {
        if (count > std::numeric_limits<size_t>::max() / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(AllocateRows(count * sizeof(T)));
    }
    void deallocate(T* block, size_t count) { FreeRows(block, count * sizeof(T)); }

    template <typename U, typename... Args>
    void construct(U* place, Args&&... args) {
        if constexpr (sizeof...(Args) == 0) {
            ::new (static_cast<void*>(place)) U;
        } else {
            ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
        }
    }
};

template <typename T, typename U>
bool operator==(const RowAllocator<T>&, const RowAllocator<U>&) {
    return true;
}

using RealColumn = std::vector<ExtendedReal, RowAllocator<ExtendedReal>>;
using CodeColumn = std::vector<int32_t, RowAllocator<int32_t>>;
