/// \file
/// Reads a scene file (.cws), binary or text, record by record, and hands each record
/// to a visitor (cwscene/SceneRecords.h). This is the one reader of scene files: cwstool's check,
/// dump and preview are visitors, and so is the builder of a CWScene (cwscene/SceneReader.h), so what is
/// accepted, and where a file is refused, cannot differ between them.
///
/// Portable: standard C++ only. Part of the byte layer (scenefile/). The parser is the part of the
/// system that faces files from elsewhere, so it is strict and bounded:
///   - the encoding is told by the content (Encoding, cwscene/Encoding.h);
///   - it accepts what the library's writer can produce and refuses anything else with one message
///     naming the place ("offset 1234: ..." in binary, "line 12: ..." in text) and what was expected:
///     a truncated record, a wrong tag, a value out of range or spelt otherwise than the writer spells
///     it, a count that cannot fit in the bytes that remain, a section out of order, an empty section
///     the writer would have left out, a name with a NUL byte (no scene name can hold one), bytes after
///     "EXIT";
///   - it never reads past its input, and its memory does not grow with the file: a file is read
///     through a window of 256 KiB, a record is handed on as soon as it is read, and only the records
///     of the frames above the current one are kept (frames nested deeper than kMaxFrameDepth are
///     refused). Counted lists of numbers are decoded whole (at most 65535 values); partial wraps,
///     action steps and backgrounds, which a record's later bytes or a section's size must precede, are
///     read twice, once to check them and once to hand them on.
///
/// Two values are adjusted on the way, because the text encoding cannot show them:
///   - A grid interval or thickness that the writer wrote because it was positive, but that prints as
///     "0.000000", reads as the smallest positive float: the section stays, and prints the same.
///   - Lock words come back from their low three bits (SceneRecords.h: LockWords).
#pragma once

#include <cwscene/Export.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include <cwscene/Encoding.h>  // Encoding
#include <cwscene/SceneRecords.h>

/// The byte layer of the scene file: the writer's primitives and staging, the reader's sources, the
/// record parser and the records it hands on. It knows bytes, tags and counts, and nothing of the
/// scene library's objects.
namespace scenefile {

/// Frames nested deeper than this are refused. The wizard's hierarchy is 25 deep; the limit keeps the
/// parser's, the writer's and the destructor's recursion far from any stack's end.
inline constexpr int kMaxFrameDepth = 256;

/// A file that cannot be positioned (a pipe, say) is copied into an anonymous temporary file first, up
/// to this size, and then read through the window like any other; a larger one is refused unread.
inline constexpr std::size_t kMaxSceneFileBytes = 256u * 1024u * 1024u;

/// What a parse may do besides reading.
struct CWSCENE_API ParseOptions {
    /// Count the floats of a binary file that the text encoding would not give back bit for bit
    /// (ParseResult::lossyTextFloats). Off by default: it costs a check per float.
    bool countLossyTextFloats = false;
    /// The path "-" names standard input, read from the process's descriptor 0 as it is (never
    /// reopened by a path such as /dev/stdin, which a pipe of another user does not let one open),
    /// and never closed. Off by default: "-" is then a file of that name.
    bool dashIsStandardInput = false;
};

/// How a parse ended: the encoding, and the refusal's message or nothing.
struct CWSCENE_API ParseResult {
    Encoding encoding = Encoding::Unknown;  ///< The encoding read (Unknown when the file could not be read).
    std::string error;         ///< "" when accepted; else "offset 1234: expected ..." or "line 12: ...".
    long lossyTextFloats = 0;  ///< With ParseOptions::countLossyTextFloats.

    bool accepted() const { return error.empty(); }  ///< True when the whole file was accepted.
};

/// Parses a whole scene file from memory, handing each record to `visitor`.
CWSCENE_API ParseResult parseScene(std::string_view bytes, SceneVisitor& visitor, const ParseOptions& options = {});

/// Parses the file at a UTF-8 path (a pipe or a device too: see kMaxSceneFileBytes). A file that
/// cannot be opened or read gives an error such as "cannot open the file: ..." (no position).
CWSCENE_API ParseResult parseSceneFile(const std::string& utf8Path, SceneVisitor& visitor, const ParseOptions& options = {});

/// Parses the file at a UTF-8 path twice: first with `check`, and only when that accepts it with
/// `visitor`, for a tool that must not act on part of a file that turns out to be bad (cwstool's dump
/// prints nothing for a refused file). A file that cannot be read twice (a pipe) is read from its copy
/// in a temporary file. The result is the first refusal, or the second reading's.
CWSCENE_API ParseResult parseSceneFileChecked(const std::string& utf8Path, SceneVisitor& check, SceneVisitor& visitor,
                                  const ParseOptions& options = {});

}  // namespace scenefile
