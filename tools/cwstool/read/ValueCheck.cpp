// ValueCheck.cpp - coordinates a host application cannot place (see ValueCheck.h).
#include "tools/cwstool/read/ValueCheck.h"

#include "text/Messages.h"
#include "tools/cwstool/output/TextOutput.h"
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

// TRANSLATORS: the kinds of object and the values the warnings below name, as in "frame PATH: position
// (0, 0, inf) is not finite".
constexpr const char* kFrame = N_("frame");
constexpr const char* kShape = N_("shape");
constexpr const char* kPosition = N_("position");
constexpr const char* kRotation = N_("rotation");
constexpr const char* kScale = N_("scale");
constexpr const char* kSize = N_("size");

std::string notShiftJis(const char* kind, const std::string& object)
{
    return messages::filledIn(_("%s %s: the name is not Shift-JIS (UTF-8?)"), _(kind), object);
}

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
    warn(messages::filledIn(_("%s %s: %s %s is not finite"), _(what), framePath(frame, shapeName), _(field), coordText(c)));
}

void ValueCheck::material(const scenefile::MaterialRecord& r)
{
    if (!cwscene::isShiftJis(r.name)) {
        warn(messages::filledIn(_("material %s %s: the name is not Shift-JIS (UTF-8?)"), std::to_string(r.index + 1),
                                quotedName(r.name)));
    }
}

void ValueCheck::frameBegin(const scenefile::FrameRecord& r)
{
    m_frame = &r;
    if (!cwscene::isShiftJis(r.name)) warn(notShiftJis(kFrame, framePath(r)));
    coordinate(kFrame, r, {}, kPosition, r.position);
    coordinate(kFrame, r, {}, kRotation, r.rotation);
    coordinate(kFrame, r, {}, kScale, r.scale);

    const Point& at = m_placement.enter(r);
    const std::size_t depth = static_cast<std::size_t>(r.depth);
    m_placed.resize(depth);
    const bool parentPlaced = depth == 1 || m_placed[depth - 2];
    m_placed[depth - 1] = parentPlaced && floatRange(at.x) && floatRange(at.y) && floatRange(at.z);
    // Said once, where the sum first goes wrong; a position that is itself not finite was said above.
    if (parentPlaced && !m_placed[depth - 1] && finite(r.position)) {
        warn(messages::filledIn(_("frame %s: absolute position (%s, %s, %s) is beyond the 32-bit float range"),
                                framePath(r), doubleText(at.x), doubleText(at.y), doubleText(at.z)));
    }
}

void ValueCheck::shape(const scenefile::ShapeRecord& r)
{
    if (!cwscene::isShiftJis(r.name)) warn(notShiftJis(kShape, framePath(*m_frame, r.name)));
    if (nonFinite(r.position) + nonFinite(r.rotation) + nonFinite(r.size) == 0.0f) return;
    coordinate(kShape, *m_frame, r.name, kPosition, r.position);
    coordinate(kShape, *m_frame, r.name, kRotation, r.rotation);
    coordinate(kShape, *m_frame, r.name, kSize, r.size);
}

}  // namespace cwstool
