// WriteFaults.h - the writer's fault hook: a test makes a chosen stream operation fail, as if the
// stream had refused it, to reach every failure path of the primitives and the record writers.
//
// Byte layer (scenefile/), private: tests include it by path; it is no part of the library's
// interface. The hook's state is read on the general path of every primitive (Encoding.cpp), so it is
// an inline variable here rather than a call.
#pragma once

namespace scenefile::testing {

// The `nth` stream operation from now on (1 = the very next) fails as if the stream had refused it;
// every operation after it succeeds again. 0 turns it off. A primitive makes one stream operation per
// value; WriteBlock up to three (length, bytes, line end). While a fault is armed, every value takes
// the general path, where operations are counted.
void failStreamOperation(long nth);

}  // namespace scenefile::testing

namespace scenefile::detail {

struct FaultHook {
    long failAt = 0;          // the operation number that fails; 0 = none
    long operationCount = 0;  // operations since the hook was last armed, while it is armed
};
inline FaultHook g_faultHook;

// Whether a fault is armed (the direct paths are then closed).
inline bool faultArmed() { return g_faultHook.failAt != 0; }

// Counts one stream operation while a fault is armed; true for the one that is to fail.
inline bool streamOperationFails()
{
    return g_faultHook.failAt != 0 && ++g_faultHook.operationCount == g_faultHook.failAt;
}

// Decides again whether binary values may go straight into the stage of a save (Encoding.cpp); the
// hook calls it when it arms or disarms a fault.
void updateDirectStream();

}  // namespace scenefile::detail
