// ErrorLog.cpp - writing "ScriptErr.log" (see ErrorLog.h).
//
// Portable: standard C++ only. Part of cwscene.
#include "scenefile/ErrorLog.h"

#include <cstring>  // strlen

#include <cwscene/Encoding.h>
#include <cwscene/FileAccess.h>
#include "scenefile/FileAccessDetail.h"  // setLastError

namespace scenefile {

void writeErrorLog(const char* caughtText)
{
    // The log is written after a failed save: the save's reason stays the one a caller reads.
    const int saveError = fileio::lastWriteError();
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
    fileio::detail::setLastError(saveError);
}

}  // namespace scenefile
