// EntryPoint.cpp - the libFuzzer entry of one fuzz program. CMake compiles it once per target with
// SKIPFLOOR_FUZZ_TARGET naming the function of fuzz/FuzzTargets.h to call.
#include "fuzz/FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzz::SKIPFLOOR_FUZZ_TARGET(data, size);
}
