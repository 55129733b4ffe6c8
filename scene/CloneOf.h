// CloneOf.h - the one way the scene library makes the heap copy that every Clone returns.
//
// Portable: standard C++ only. Internal to cwscene. Clone reports a lack of memory as null, never as
// an exception, so the registries and frames can leave their lists unchanged.
#pragma once

#include <new>  // std::bad_alloc

// A heap copy made with T's copy constructor, owned by the caller; null when memory runs out.
template <typename T>
T* cloneOf(const T& original)
{
    try {
        return new T(original);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
