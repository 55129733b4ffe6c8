// SceneReader.h - reads a scene file (.cws), binary or text, back into the scene library's objects.
//
// Portable: standard C++ only. Part of cwscene. The reader is the writer's mirror (the record layouts
// are in docs/scene-file-format.md) and the part of the system that faces files from elsewhere, so
// it is strict and bounded:
//   - the encoding is told by the content (ReadSource.h: detectEncoding);
//   - it accepts what the library's writer can produce and refuses anything else with one message
//     naming the place ("offset 1234: ..." in binary, "line 12: ..." in text) and what was expected:
//     a truncated record, a wrong tag, a value out of range, a count that cannot fit in the bytes that
//     remain, a section out of order, an empty section the writer would have left out, a name with a
//     NUL byte (a CWString cannot hold one), bytes after "EXIT";
//   - it never reads past its input, allocates only for values it has read (every count is checked
//     against the bytes that remain first), and refuses frames nested deeper than kMaxFrameDepth
//     instead of recursing without bound.
//
// What cannot come back exactly:
//   - Lock words. The file stores, for each lock word of a frame ("LCKP") or a shape ("LCKS"), 7
//     minus its low three bits, so only those bits are restored. When all three come back as 0 the
//     first word is set to 8: its low bits are 0 too, and it keeps the chunk present, as the writer
//     only writes it for a non-zero word.
//   - The shown and layer flags: "SHWP" reads as 0 and "LYRL" as 1, whatever other value the
//     writer was given (it writes only whether they are 0).
//   - Empty names of materials, lights, views, leads, sensors and frames. The scene gives such an
//     object a default name when it is registered ("新規色1", "新規パーツ"), so the library cannot
//     hold it unnamed; ReadResult::defaultedNames counts them. The writer never produces them.
//   - Floats in the text encoding: "%f" keeps six decimals, so a value reads back as the float
//     nearest to its six-decimal text. That is the written float itself whenever six decimals
//     identify it: every multiple of 1/64 (so every whole millimetre the wizard writes), every float
//     of magnitude 16 or more, zero; but not, say, 0.1234567. NaN payloads do not survive either
//     ("nan" reads back as the default NaN). Binary -> text -> binary is therefore byte-identical
//     exactly for the files in which every float survives (ReadResult::lossyTextFloats == 0).
//     A grid interval or thickness that the writer wrote because it was positive, but that prints as
//     "0.000000", reads as the smallest positive float: the section stays, and prints the same.
//   Binary -> reader -> binary writer reproduces every byte of any file the reader accepts, apart
//   from the first two points above.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "scene/Scene.h"
#include "scenefile/ReadSource.h"

namespace scenefile {

// Frames nested deeper than this are refused. The wizard's hierarchy is 25 deep; the limit keeps the
// reader's, the writer's and the destructor's recursion far from any stack's end.
inline constexpr int kMaxFrameDepth = 256;

struct ReadResult {
    std::unique_ptr<CWScene> scene;  // null when the input was refused
    Encoding encoding = Encoding::Unknown;
    std::string error;               // "offset 1234: expected ..." or "line 12: expected ..."
    int defaultedNames = 0;          // empty names that registration replaced by a default name
    long lossyTextFloats = 0;        // floats of a binary file that the text encoding would change

    explicit operator bool() const { return scene != nullptr; }
};

// Reads a whole scene file from memory.
ReadResult readScene(std::string_view bytes);

// Reads the file at a UTF-8 path. A file that cannot be opened or read gives an error such as
// "cannot open the file" (no position); files larger than kMaxSceneFileBytes are refused unread.
inline constexpr std::size_t kMaxSceneFileBytes = 256u * 1024u * 1024u;
ReadResult readSceneFile(const std::string& utf8Path);

}  // namespace scenefile
