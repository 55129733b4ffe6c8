// WriteFaults.cpp - arming the writer's fault hook (see WriteFaults.h).
//
// Portable: standard C++ only. Part of the byte layer (scenefile/), for tests only: the product never
// arms a fault, and while none is armed the hook costs one comparison on the general path.
#include "scenefile/WriteFaults.h"

namespace scenefile::testing {

void failStreamOperation(long nth)
{
    detail::g_faultHook.failAt = nth;
    detail::g_faultHook.operationCount = 0;
    detail::updateDirectStream();  // while a fault is armed every value takes the counted path
}

}  // namespace scenefile::testing
