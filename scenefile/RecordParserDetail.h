// RecordParserDetail.h - the record parser's own private header: its entry for an open stream.
//
// Byte layer (scenefile/), private. The parser (RecordParser.cpp) reads bytes from memory or from a
// stream through a ByteInput (ReadSource.h) and never opens a file; the file side of the reader,
// SceneFileInput.cpp, opens, spools and positions files for parseSceneFile and parseSceneFileChecked
// (cwscene/RecordParser.h) and hands the stream on here. Tests and fuzz targets reach parseSceneStream
// here too, with a small window to make it slide.
#pragma once

#include <cwscene/RecordParser.h>

#include "scenefile/ReadSource.h"  // ByteInput::kWindowSize

#include <cstddef>
#include <cstdint>
#include <cstdio>  // FILE

namespace scenefile {

// Parses the `size` bytes of an open, seekable stream from its start, through a window of
// `windowSize` bytes: parseSceneFile's way. RecordParser.cpp.
ParseResult parseSceneStream(std::FILE* stream, std::uint64_t size, SceneVisitor& visitor,
                             const ParseOptions& options = {}, std::size_t windowSize = ByteInput::kWindowSize);

}  // namespace scenefile
