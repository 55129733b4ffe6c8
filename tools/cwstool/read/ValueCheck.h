// ValueCheck.h - what `cwstool check` warns about in an accepted scene file: coordinates a host
// application cannot place, and names it cannot read.
// Tool layer. A visitor of the record parser; its memory does not grow with the file.
//
// The file format holds any 32-bit float, so the reader accepts infinities and NaN (a wizard run with
// a room height of 1e300 writes them), and positions that are each a float but whose sum from the
// root is not. Each warning names the object by its path (TextOutput.h: framePath):
//   frame "root/a": position (0, 0, inf) is not finite           rotation, scale likewise
//   shape "root/a/box": size (inf, 1, 1) is not finite           position, rotation likewise
//   frame "root/a/b": absolute position (0, 0, 6.8e+38) is beyond the 32-bit float range
// An absolute position is named only where it first goes wrong, not again for every frame below it.
// A name of a frame, shape or material that is not Shift-JIS (most often UTF-8 from a program's
// source, which the host application shows garbled) is named the same way:
//   frame "root/1髫�": the name is not Shift-JIS (UTF-8?)
#pragma once

#include <string>
#include <vector>

#include <cwscene/SceneRecords.h>
#include "tools/cwstool/levels/FramePlacement.h"

namespace cwstool {

class ValueCheck : public scenefile::SceneVisitor {
public:
    // The first this many warnings are kept with their text; the rest are counted.
    static constexpr std::size_t kKeptWarnings = 20;

    void material(const scenefile::MaterialRecord& r) override;
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;

    const std::vector<std::string>& warnings() const { return m_warnings; }  // the first kKeptWarnings
    long count() const { return m_count; }                                  // all of them

private:
    void coordinate(const char* what, const scenefile::FrameRecord& frame, std::string_view shapeName,
                    const char* field, const scenefile::Coord& c);
    void warn(std::string text);

    FramePlacement m_placement;
    std::vector<bool> m_placed;  // per depth: the absolute position of the frame there is finite, in range
    const scenefile::FrameRecord* m_frame = nullptr;  // the frame whose shapes come next
    std::vector<std::string> m_warnings;
    long m_count = 0;
};

}  // namespace cwstool
