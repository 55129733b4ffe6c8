// ValueCheck.cpp - coordinates a host application cannot place (see ValueCheck.h).
#include "tools/cwstool/ValueCheck.h"

#include "tools/cwstool/TextOutput.h"
#include <cwscene/ShiftJis.h>

#include <cfloat>  // FLT_MAX
#include <cmath>   // isfinite, fabs

namespace cwstool {

namespace {

bool finite(const scenefile::Coord& c) { return std::isfinite(c.x) && std::isfinite(c.y) && std::isfinite(c.z); }

// 0 when the three values are finite, NaN otherwise (0 times an infinity or a NaN is NaN): the sum of
// three of these tells in a few instructions that a shape has nothing to say, as nearly all have.
float nonFinite(const scenefile::Coord& c) { return 0.0f * c.x + 0.0f * c.y + 0.0f * c.z; }

// A value a 32-bit float holds: finite and at most FLT_MAX in magnitude.
bool floatRange(double v) { return std::isfinite(v) && std::fabs(v) <= FLT_MAX; }

std::string coordText(const scenefile::Coord& c)
{
    return "(" + floatText(c.x) + ", " + floatText(c.y) + ", " + floatText(c.z) + ")";
}

constexpr char kNotShiftJis[] = ": the name is not Shift-JIS (UTF-8?)";

}  // namespace

void ValueCheck::warn(std::string text)
{
    if (m_warnings.size() < kKeptWarnings) m_warnings.push_back(std::move(text));
    ++m_count;
}

void ValueCheck::coordinate(const char* what, const scenefile::FrameRecord& frame, std::string_view shapeName,
                            const char* field, const scenefile::Coord& c)
{
    if (finite(c)) return;
    warn(std::string(what) + " " + framePath(frame, shapeName) + ": " + field + " " + coordText(c) + " is not finite");
}

void ValueCheck::material(const scenefile::MaterialRecord& r)
{
    if (!cwscene::isShiftJis(r.name)) warn("material " + std::to_string(r.index + 1) + " " + quotedName(r.name) + kNotShiftJis);
}

void ValueCheck::frameBegin(const scenefile::FrameRecord& r)
{
    m_frame = &r;
    if (!cwscene::isShiftJis(r.name)) warn("frame " + framePath(r) + kNotShiftJis);
    coordinate("frame", r, {}, "position", r.position);
    coordinate("frame", r, {}, "rotation", r.rotation);
    coordinate("frame", r, {}, "scale", r.scale);

    const Point& at = m_placement.enter(r);
    const std::size_t depth = static_cast<std::size_t>(r.depth);
    m_placed.resize(depth);
    const bool parentPlaced = depth == 1 || m_placed[depth - 2];
    m_placed[depth - 1] = parentPlaced && floatRange(at.x) && floatRange(at.y) && floatRange(at.z);
    // Said once, where the sum first goes wrong; a position that is itself not finite was said above.
    if (parentPlaced && !m_placed[depth - 1] && finite(r.position)) {
        warn("frame " + framePath(r) + ": absolute position (" + doubleText(at.x) + ", " + doubleText(at.y) + ", " +
             doubleText(at.z) + ") is beyond the 32-bit float range");
    }
}

void ValueCheck::shape(const scenefile::ShapeRecord& r)
{
    if (!cwscene::isShiftJis(r.name)) warn("shape " + framePath(*m_frame, r.name) + kNotShiftJis);
    if (nonFinite(r.position) + nonFinite(r.rotation) + nonFinite(r.size) == 0.0f) return;
    coordinate("shape", *m_frame, r.name, "position", r.position);
    coordinate("shape", *m_frame, r.name, "rotation", r.rotation);
    coordinate("shape", *m_frame, r.name, "size", r.size);
}

}  // namespace cwstool
