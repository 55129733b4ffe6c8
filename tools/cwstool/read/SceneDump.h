// SceneDump.h - a scene file as text for people: `cwstool dump`, an indented tree of every record, and
// `cwstool dump --flat`, a line per frame for grep and diff.
// Tool layer. Visitors of the record parser: each record becomes its line as it streams by, so the
// dump of any file takes the same memory. Names are converted from Shift-JIS to UTF-8; floats are
// shown in their shortest exact form.
#pragma once

#include <cstring>  // memcpy, memset
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include <cwscene/SceneRecords.h>
#include "tools/cwstool/levels/FramePlacement.h"

namespace cwstool {

// Text collected for the stream. Appending a literal or a character is a copy and a pointer's move:
// a dump appends some thirty short pieces per shape, where std::string's checks cost more than the
// copies themselves.
class LineBuffer {
public:
    explicit LineBuffer(std::size_t capacity) : m_storage(new char[capacity]), m_end(m_storage.get() + capacity) {}

    void append(const char* text, std::size_t length)
    {
        if (length > static_cast<std::size_t>(m_end - m_next)) grow(length);
        std::memcpy(m_next, text, length);
        m_next += length;
    }
    void append(std::size_t count, char c)  // `count` times `c`
    {
        if (count > static_cast<std::size_t>(m_end - m_next)) grow(count);
        std::memset(m_next, c, count);
        m_next += count;
    }
    template <std::size_t N>
    LineBuffer& operator+=(const char (&literal)[N])  // its length known when compiled
    {
        append(literal, N - 1);
        return *this;
    }
    LineBuffer& operator+=(std::string_view text)
    {
        append(text.data(), text.size());
        return *this;
    }
    LineBuffer& operator+=(char c)
    {
        if (m_next == m_end) grow(1);
        *m_next++ = c;
        return *this;
    }

    // Room for `length` bytes at the end, to be written there and kept with added().
    char* room(std::size_t length)
    {
        if (length > static_cast<std::size_t>(m_end - m_next)) grow(length);
        return m_next;
    }
    void added(std::size_t length) { m_next += length; }  // the bytes written into room()

    const char* data() const { return m_storage.get(); }
    std::size_t size() const { return static_cast<std::size_t>(m_next - m_storage.get()); }
    bool empty() const { return m_next == m_storage.get(); }
    void clear() { m_next = m_storage.get(); }

private:
    void grow(std::size_t more);  // room for `more` bytes after what is held

    std::unique_ptr<char[]> m_storage;
    char* m_next = m_storage.get();
    char* m_end;
};

// What both dumps share: lines collected in a buffer that goes to `out` in large pieces, the last
// piece when the file's end() arrives (or with flush()), and how values are spelt.
class DumpLines : public scenefile::SceneVisitor {
public:
    explicit DumpLines(std::ostream& out);
    ~DumpLines() override;
    DumpLines(const DumpLines&) = delete;
    DumpLines& operator=(const DumpLines&) = delete;

    void flush();
    void discard() { m_lines.clear(); }  // what has not gone to `out` yet is dropped
    void end() override;

protected:
    void name(std::string_view sjis);
    void number(long long value);
    void real(float value);
    void realDouble(double value);
    void coord(const scenefile::Coord& c);
    void point(const Point& p);
    void endLine();

    LineBuffer m_lines;  // what has not gone to `out` yet

private:
    std::ostream& m_out;
    std::string m_lastName;    // the last name converted, and its quoted UTF-8 form: consecutive
    std::string m_lastQuoted;  // records often share a name, and a conversion costs
};

// Writes the scene: its scalar values, each registry with its records, and the part hierarchy, one
// line per object, children indented by two blanks; a frame's line gives its height above the root
// beside its position.
class SceneDump : public DumpLines {
public:
    explicit SceneDump(std::ostream& out) : DumpLines(out) {}

    void header(const scenefile::HeaderRecord& r) override;
    void material(const scenefile::MaterialRecord& r) override;
    void texture(const scenefile::TextureRecord& r) override;
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;
    void partialWrap(const scenefile::PartialWrapRecord& r) override;
    void frameTail(const scenefile::FrameTailRecord& r) override;
    void actionStep(const scenefile::ActionStepRecord& r) override;
    void light(const scenefile::LightRecord& r) override;
    void views(const scenefile::ViewSectionRecord& r) override;
    void view(const scenefile::ViewRecord& r) override;
    void background(const scenefile::BackgroundRecord& r) override;
    void lead(const scenefile::LeadRecord& r) override;
    void sensor(const scenefile::SensorRecord& r) override;
    void gridLists(const scenefile::GridListsRecord& r) override;
    void gridInterval(float interval) override;
    void thickness(const scenefile::ThicknessRecord& r) override;

private:
    void indent(int depth);  // two blanks per level
    void entry(const scenefile::Entry& r, const char* section, std::string_view sjisName);
    void colour(const scenefile::Colour& c);
    void floatList(const scenefile::List<float>& values);
    void lock(const scenefile::LockWords& words);
    void textureParams(const scenefile::TextureParams& p);

    FramePlacement m_placement;
    int m_shapeDepth = 0;  // the depth of the frame whose shapes and steps come next
};

// Writes a line per frame, in file order, and nothing else:
//   "root/child/frame" at (x, y, z) shapes N[: "name" "name" ...]
// the path as framePath (TextOutput.h) spells it, the absolute position, then the count and the names
// of the frame's shapes. Two files' lists compare with diff; a frame is found with grep.
class FlatDump : public DumpLines {
public:
    explicit FlatDump(std::ostream& out) : DumpLines(out) {}

    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;
    void frameTail(const scenefile::FrameTailRecord& r) override;

private:
    FramePlacement m_placement;
};

}  // namespace cwstool
