// Require.cpp - the property failure of the fuzz targets.
#include "fuzz/FuzzTargets.h"

#include <cstdio>   // fprintf
#include <cstdlib>  // abort

namespace fuzz {

void fail(const char* what)
{
    std::fprintf(stderr, "fuzz property violated: %s\n", what);
    std::abort();
}

}  // namespace fuzz
