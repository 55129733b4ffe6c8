// WholeFile.cpp - an export's bytes written completely or not at all (see WholeFile.h).
#include "tools/cwstool/output/WholeFile.h"

#include "tools/cwstool/output/Problems.h"

#include <cwscene/FileAccess.h>  // OutputFile

#include <cerrno>
#include <cstdio>  // fwrite

namespace cwstool {

std::string writeWholeFile(const std::string& utf8Path, std::string_view bytes)
{
    fileio::OutputFile file(utf8Path);
    std::FILE* stream = file.open();
    if (!stream || std::fwrite(bytes.data(), 1, bytes.size(), stream) != bytes.size() || !file.commit()) {
        return cannotWrite(file.error());
    }
    return "";
}

}  // namespace cwstool
