// Levels.cpp - the wizard's levels read from frame names (see Levels.h).
#include "tools/cwstool/levels/Levels.h"

#include <cmath>  // isfinite, isnan

namespace cwstool {

namespace {

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The ASCII digits right before the first 階: "中3階天井" is storey 3.
int storeyOf(std::string_view name)
{
    const std::size_t at = name.find("階");
    if (at == std::string_view::npos) return 0;
    std::size_t begin = at;
    while (begin > 0 && name[begin - 1] >= '0' && name[begin - 1] <= '9' && at - begin < 4) --begin;
    int storey = 0;
    for (std::size_t i = begin; i < at; ++i) storey = storey * 10 + (name[i] - '0');
    return storey;
}

}  // namespace

const char* levelWord(LevelKind kind)
{
    switch (kind) {
    case LevelKind::Plan: return "間取り";
    case LevelKind::Interior: return "インテリア";
    case LevelKind::Ceiling: return "天井";
    case LevelKind::Roof: return "屋根";
    case LevelKind::Other: break;
    }
    return "";
}

LevelName levelNameOf(std::string_view utf8Name)
{
    LevelName level;
    for (LevelKind kind : {LevelKind::Roof, LevelKind::Ceiling, LevelKind::Interior, LevelKind::Plan}) {
        if (contains(utf8Name, levelWord(kind))) {
            level.kind = kind;
            break;
        }
    }
    level.mezzanine = level.kind != LevelKind::Other && contains(utf8Name, "中");
    level.storey = storeyOf(utf8Name);
    return level;
}

// From the top of the chain: each storey's ceiling, interior and plan, the main block's fourth storey
// first, and the mezzanine over a storey between it and the storey below.
int wizardPartNumber(std::string_view utf8Name)
{
    if (utf8Name == "エクステリア") return 1;
    if (utf8Name == "基礎・敷地") return 25;
    const LevelName level = levelNameOf(utf8Name);
    if (level.kind == LevelKind::Other || level.storey < 1 || level.storey > 4) return 0;
    if (level.kind == LevelKind::Roof) return level.storey != 4 ? 0 : level.mezzanine ? 3 : 2;
    const int ceiling = level.mezzanine ? (level.storey == 1 ? 0 : 7 + 6 * (4 - level.storey))  // 7, 13, 19
                                        : 4 + 6 * (4 - level.storey);                             // 4, 10, 16, 22
    if (ceiling == 0) return 0;
    return ceiling + (level.kind == LevelKind::Ceiling ? 0 : level.kind == LevelKind::Interior ? 1 : 2);
}

std::string storeyName(const std::string& interiorName)
{
    std::string name = interiorName;
    const std::string_view word = levelWord(LevelKind::Interior);
    const std::size_t at = name.find(word);
    if (at != std::string::npos) name.erase(at, word.size());
    return name.empty() ? interiorName : name;
}

void Storeys::note(std::string_view utf8Name, double height)
{
    const LevelName level = levelNameOf(utf8Name);
    if (level.kind == LevelKind::Other || !std::isfinite(height)) return;
    StoreyLevels& s = m_storeys[{level.mezzanine, level.storey}];
    double* slot = level.kind == LevelKind::Plan       ? &s.plan
                   : level.kind == LevelKind::Interior ? &s.interior
                   : level.kind == LevelKind::Ceiling  ? &s.ceiling
                                                       : &s.roof;
    if (!std::isnan(*slot)) return;  // the first of a name counts
    *slot = height;
    if (level.kind == LevelKind::Interior) s.interiorName = std::string(utf8Name);
}

double Storeys::slabBottom(const StoreyKey& key) const
{
    const auto below = m_storeys.find({key.first, key.second - 1});
    if (below != m_storeys.end() && std::isfinite(below->second.ceiling)) return below->second.ceiling;
    const auto self = m_storeys.find(key);
    return self != m_storeys.end() ? self->second.plan : std::numeric_limits<double>::quiet_NaN();
}

double Storeys::nextFloor(const StoreyKey& key) const
{
    for (auto above = m_storeys.upper_bound(key); above != m_storeys.end() && above->first.first == key.first; ++above) {
        if (std::isfinite(above->second.interior)) return above->second.interior;
    }
    const auto self = m_storeys.find(key);
    return self != m_storeys.end() ? self->second.roof : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace cwstool
