// SceneFileInput.cpp - scene files opened for the record parser: a seekable file as it is, piped input
// spooled into an anonymous temporary, each then parsed through the window (parseSceneStream,
// RecordParserDetail.h); the two entry points of cwscene/RecordParser.h that take a path.
#include <cwscene/RecordParser.h>
#include "scenefile/RecordParserDetail.h"  // parseSceneStream

#include <cwscene/FileAccess.h>
#include "scenefile/FileAccessDetail.h"  // openAnonymousTemporary
#include "scenefile/Texts.h"

#include <cerrno>
#include <cstdio>   // FILE, fseek, ftell, fread
#include <initializer_list>
#include <memory>   // unique_ptr
#include <string>
#include <utility>  // move

namespace scenefile {

using cwscene::detail::said;

namespace {

// The file at a UTF-8 path, open for reading at its start, with its size; or why it cannot be read.
struct OpenFile {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream{nullptr, &std::fclose};
    std::uint64_t size = 0;
    std::string error;  // "" when the stream is there
};

// The system's reason for the call that failed last (EIO where it left errno unset).
std::string reason() { return fileio::errorText(errno ? errno : EIO); }

std::string tooMuchForTheTemporary()
{
    return said(N_("cannot read the file: the temporary file that holds what the pipe brings cannot take it: %s"),
                reason());
}

// "cannot read the file: <the system's reason>", for a failed read or seek that set errno.
std::string readErrorText()
{
    return said(N_("cannot read the file: %s"), reason());
}

// Copies a stream that cannot be positioned (a pipe) into an anonymous temporary file, as far as a
// scene file can be long, so that it is read through the window like any file: the memory taken does
// not grow with the input, and a record read twice is read twice. The temporary replaces the stream.
void spool(OpenFile& file)
{
    errno = 0;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> copy(fileio::detail::openAnonymousTemporary(), &std::fclose);
    if (!copy) {
        file.error = said(N_("cannot read the file: no temporary file can hold what the pipe brings: %s"), reason());
        return;
    }
    char buffer[65536];
    std::uint64_t size = 0;
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file.stream.get())) > 0;) {
        size += got;
        if (size > kMaxSceneFileBytes) {
            file.error = said(N_("the input is longer than %s MiB, the most that is read from a pipe"),
                              std::to_string(kMaxSceneFileBytes / (1024 * 1024)));
            return;
        }
        if (std::fwrite(buffer, 1, got, copy.get()) != got) {
            file.error = tooMuchForTheTemporary();
            return;
        }
    }
    if (std::ferror(file.stream.get())) {
        file.error = readErrorText();
        return;
    }
    if (std::fflush(copy.get()) != 0 || std::fseek(copy.get(), 0, SEEK_SET) != 0) {
        file.error = tooMuchForTheTemporary();
        return;
    }
    file.stream = std::move(copy);
    file.size = size;
}

int keepOpen(std::FILE*) { return 0; }

OpenFile openSceneFile(const std::string& utf8Path, const ParseOptions& options)
{
    OpenFile file;
    errno = 0;
    if (options.dashIsStandardInput && utf8Path == "-") {
        file.stream = {fileio::standardInput(), &keepOpen};  // standard input stays open for the process
    } else {
        file.stream.reset(fileio::openFile(utf8Path, "rb"));
    }
    if (!file.stream) {
        file.error = said(N_("cannot open the file: %s"), reason());
        return file;
    }
    long size = -1;
    if (std::fseek(file.stream.get(), 0, SEEK_END) == 0) size = std::ftell(file.stream.get());
    if (size >= 0 && std::fseek(file.stream.get(), 0, SEEK_SET) == 0) {
        file.size = static_cast<std::uint64_t>(size);
    } else {
        std::clearerr(file.stream.get());
        spool(file);
    }
    return file;
}

// Parses an open file once or more with the visitors given, in turn, each time from its start through
// the window, stopping at the first refusal.
ParseResult parseOpenFile(OpenFile& file, std::initializer_list<SceneVisitor*> visitors, const ParseOptions& options)
{
    ParseResult result;
    if (!file.error.empty()) {
        result.error = file.error;
        return result;
    }
    for (SceneVisitor* visitor : visitors) {
        if (std::fseek(file.stream.get(), 0, SEEK_SET) != 0) {
            result.error = readErrorText();
            return result;
        }
        result = parseSceneStream(file.stream.get(), file.size, *visitor, options);
        if (!result.accepted()) break;
    }
    return result;
}

}  // namespace

ParseResult parseSceneFile(const std::string& utf8Path, SceneVisitor& visitor, const ParseOptions& options)
{
    OpenFile file = openSceneFile(utf8Path, options);
    return parseOpenFile(file, {&visitor}, options);
}

ParseResult parseSceneFileChecked(const std::string& utf8Path, SceneVisitor& check, SceneVisitor& visitor,
                                  const ParseOptions& options)
{
    OpenFile file = openSceneFile(utf8Path, options);
    return parseOpenFile(file, {&check, &visitor}, options);
}

}  // namespace scenefile
