// ErrorLog.cpp - writing "ScriptErr.log" (see ErrorLog.h).
//
// Portable: standard C++ only. Part of cwscene.
#include "scenefile/ErrorLog.h"

#include <cstring>  // strlen

#include <cwscene/Encoding.h>
#include <cwscene/FileAccess.h>

namespace scenefile {

void writeErrorLog(const char* caughtText)
{
    fileio::OutputFile log(kErrorLogName);
    if (std::FILE* stream = log.open()) {
        AppendError(caughtText);
        const char* chain = errorChain();
        if (chain && *chain) std::fwrite(chain, std::strlen(chain), 1, stream);
        std::fwrite("\r\n", 2, 1, stream);
        log.commit();  // ignored: a log that cannot be put in place leaves the earlier one
    }  // else the log cannot be created: the failure stays unrecorded, as it must
}

}  // namespace scenefile
