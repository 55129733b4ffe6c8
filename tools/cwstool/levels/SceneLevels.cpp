// SceneLevels.cpp - the storeys and placed boxes of a built scene (see SceneLevels.h).
#include "tools/cwstool/levels/SceneLevels.h"

#include <cwscene/Scene.h>
#include <cwscene/ShiftJis.h>

#include <cmath>  // isfinite, fabs

namespace cwstool {

std::string utf8Of(const CWString& sjis)
{
    return cwscene::toUtf8(std::string_view(sjis.GetText(), static_cast<std::size_t>(sjis.GetLength())));
}

namespace {

bool isZero(const CWCoord& c) { return c.m_x == 0.0f && c.m_y == 0.0f && c.m_z == 0.0f; }
bool isOne(const CWCoord& c) { return c.m_x == 1.0f && c.m_y == 1.0f && c.m_z == 1.0f; }
bool isFinite(const Point& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

Point plus(const Point& a, const CWCoord& b) { return {a.x + b.m_x, a.y + b.m_y, a.z + b.m_z}; }

struct Walk {
    SceneLevels levels;

    void box(const CWCube& cube, const Point& frame, const std::string& path)
    {
        if (!isZero(cube.rotation())) ++levels.turned;
        const CWCoord& s = cube.size();
        PlacedBox placed{utf8Of(cube.name()), path, plus(frame, cube.position()),
                         {std::fabs(static_cast<double>(s.m_x)), std::fabs(static_cast<double>(s.m_y)),
                          std::fabs(static_cast<double>(s.m_z))},
                         cube.materialIndex()};
        if (!isFinite(placed.centre) || !isFinite(placed.size)) {
            ++levels.nonFiniteBoxes;
            return;
        }
        levels.boxes.push_back(std::move(placed));
    }

    // A frame and everything below it, depth first, in file order; `parent` is the parent's place.
    void frame(const CWFrame& f, const Point& parent, const std::string& parentPath)
    {
        const std::string name = utf8Of(f.name());
        const Point at = plus(parent, f.position());
        const std::string path = parentPath.empty() ? name : parentPath + "/" + name;
        if (!isZero(f.rotation()) || !isOne(f.scale())) ++levels.turned;
        levels.storeys.note(name, at.z);
        for (std::size_t i = 0; i < f.shapeCount(); ++i) {
            if (const auto* cube = dynamic_cast<const CWCube*>(&f.shape(i))) {
                box(*cube, at, path + "/" + utf8Of(cube->name()) + "#" + std::to_string(i));
            }
        }
        for (std::size_t i = 0; i < f.childCount(); ++i) frame(f.child(i), at, path);
    }
};

}  // namespace

SceneLevels sceneLevels(const CWScene& scene)
{
    Walk walk;
    if (const CWFrame* root = scene.rootFrame()) walk.frame(*root, Point{}, "");
    return std::move(walk.levels);
}

const PlacedBox* buildingBox(const SceneLevels& levels)
{
    const PlacedBox* building = nullptr;
    for (const PlacedBox& b : levels.boxes) {
        if (!building || b.centre.z + b.size.z / 2 > building->centre.z + building->size.z / 2) building = &b;
    }
    return building;
}

}  // namespace cwstool
