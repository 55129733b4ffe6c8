// LevelVolumes.cpp - the storeys of a scene as blocks to draw (see LevelVolumes.h).
#include "tools/cwstool/export/gltf/LevelVolumes.h"

#include <algorithm>  // min, max
#include <cmath>      // isfinite

namespace cwstool {

namespace {

// The plan rectangle under the storeys: the box that reaches highest (the wizard's foundation block).
struct Footprint {
    double x0, x1, y0, y1;
};

Footprint footprintOf(const SceneLevels& levels)
{
    if (const PlacedBox* b = buildingBox(levels)) {
        return {b->centre.x - b->size.x / 2, b->centre.x + b->size.x / 2, b->centre.y - b->size.y / 2,
                b->centre.y + b->size.y / 2};
    }
    double low = 0, high = 0;
    for (const auto& [key, s] : levels.storeys.all()) {
        for (double z : {s.plan, s.interior, s.ceiling, s.roof}) {
            if (!std::isfinite(z)) continue;
            low = std::min(low, z);
            high = std::max(high, z);
        }
    }
    const double half = std::max(4000.0, (high - low) / 2) / 2;
    return {-half, half, -half, half};
}

}  // namespace

std::vector<LevelVolume> levelVolumes(const SceneLevels& levels)
{
    const Footprint plan = footprintOf(levels);
    const double middle = (plan.y0 + plan.y1) / 2;
    bool mezzanines = false;
    for (const auto& entry : levels.storeys.all()) mezzanines = mezzanines || entry.first.first;

    std::vector<LevelVolume> volumes;
    const auto add = [&](const std::string& name, LevelVolume::Kind kind, bool mezzanine, double z0, double z1) {
        if (!std::isfinite(z0) || !std::isfinite(z1) || z0 == z1) return;
        // One block over the whole depth when there are no mezzanines.
        const double y0 = mezzanines && !mezzanine ? middle : plan.y0;
        const double y1 = mezzanines && mezzanine ? middle : plan.y1;
        volumes.push_back({name, kind, {plan.x0, y0, std::min(z0, z1)}, {plan.x1, y1, std::max(z0, z1)}});
    };
    for (bool mezzanine : {false, true}) {
        for (const auto& [key, s] : levels.storeys.all()) {
            if (key.first != mezzanine || s.interiorName.empty()) continue;
            const std::string name = storeyName(s.interiorName);
            add(name + " floor slab", LevelVolume::Slab, mezzanine, levels.storeys.slabBottom(key), s.interior);
            add(name, mezzanine ? LevelVolume::MezzanineRoom : LevelVolume::MainRoom, mezzanine, s.interior, s.ceiling);
            add(name + " roof", LevelVolume::Slab, mezzanine, s.ceiling, s.roof);
        }
    }
    return volumes;
}

}  // namespace cwstool
