// IfcExport.cpp - the IFC4 export of `cwstool export FILE OUT.ifc` (see IfcExport.h; for users
// docs/ifc-export.md).
//
// Sections of this file:
//   [SECTION] The storeys' layout
//   [SECTION] The first reading: levels, the plan and the wizard's two boxes
//   [SECTION] Shared entities: units, contexts, points and placements
//   [SECTION] Bodies: an extruded rectangle, a colour
//   [SECTION] The spatial structure: project, site, building, storeys, spaces
//   [SECTION] Slabs and quantities
//   [SECTION] The second reading: the boxes as elements, written as they come
//   [SECTION] The whole file
//
// Every entity is written with all of its IFC4 attributes, in schema order. No IfcOwnerHistory
// (optional in IFC4): the header's time stamp and originating system say when and by what the file
// was made, and the same scene file gives the same bytes.
#include "tools/cwstool/export/ifc/IfcExport.h"

#include "text/Messages.h"

#include <cwscene/RecordParser.h>
#include <cwscene/ShiftJis.h>  // toUtf8
#include <cwscene/FileAccess.h>  // OutputFile
#include <cwscene/Version.h>
#include "tools/cwstool/export/ifc/IfcGlobalId.h"
#include "tools/cwstool/export/ifc/StepWriter.h"
#include "tools/cwstool/levels/FramePlacement.h"
#include "tools/cwstool/output/Problems.h"  // cannotWrite

#include <algorithm>  // stable_sort, min, max
#include <cmath>      // isfinite, fabs
#include <cstdio>
#include <initializer_list>
#include <limits>
#include <map>

namespace cwstool {

namespace {

using step::Value;

// The wizard's two boxes, by name: the site slab becomes the terrain, the foundation block a footing.
constexpr char kSiteBoxName[] = "敷地";
constexpr char kFoundationBoxName[] = "基礎";
// Names of what the export adds to a storey: "1階床" its floor slab, "4階屋根" the roof over a block.
constexpr char kFloorSlabWord[] = "床";
constexpr char kRoofSlabWord[] = "屋根";

// Elements per IfcRelContainedInSpatialStructure: a storey may have several, and a list of a million
// would have to be held until the end.
constexpr std::size_t kElementsPerRelation = 1000;
// Names listed in the warning about objects without a body; the rest are counted.
constexpr std::size_t kNamesListed = 10;

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A length IFC accepts as a quantity or a body's extent: finite and above 0.
bool isLength(double length) { return std::isfinite(length) && length > 0; }

}  // namespace

// ---------------------------------------------------------------------------------------------------
// [SECTION] The storeys' layout

std::vector<IfcStorey> ifcStoreys(const Storeys& storeys)
{
    std::vector<IfcStorey> mains, mezzanines;
    const auto& all = storeys.all();
    for (const auto& [key, s] : all) {
        if (!std::isfinite(s.interior)) continue;
        // A block's lowest storey has no ceiling under it: the wizard puts the first floor's plan at
        // its slab's foot, and every other plan in the middle of its slab, half the slab under the
        // interior (so the mezzanine block's lowest slab reaches twice as far down).
        const auto below = all.find({key.first, key.second - 1});
        double slabBottom = below != all.end() && std::isfinite(below->second.ceiling) ? below->second.ceiling
                            : key.first                                               ? 2 * s.plan - s.interior
                                                                                      : s.plan;
        bool top = true;
        for (auto above = all.upper_bound(key); above != all.end() && above->first.first == key.first; ++above) {
            top = top && !std::isfinite(above->second.interior);
        }
        IfcStorey storey{storeyName(s.interiorName), s.interior, storeys.nextFloor(key) - s.interior,
                         s.ceiling - s.interior, key.first, -1, slabBottom, s.ceiling, top ? s.roof : kNaN};
        (key.first ? mezzanines : mains).push_back(std::move(storey));
    }
    const auto byElevation = [](const IfcStorey& a, const IfcStorey& b) { return a.elevation < b.elevation; };
    std::stable_sort(mains.begin(), mains.end(), byElevation);
    std::stable_sort(mezzanines.begin(), mezzanines.end(), byElevation);
    for (IfcStorey& m : mezzanines) {
        if (mains.empty()) {
            m.partial = false;  // nothing to be part of
            continue;
        }
        m.parent = 0;
        for (std::size_t i = 0; i < mains.size(); ++i) {
            if (mains[i].elevation <= m.elevation) m.parent = static_cast<int>(i);
        }
    }
    mains.insert(mains.end(), mezzanines.begin(), mezzanines.end());
    return mains;
}

std::string ifcTimeStamp(std::int64_t seconds)
{
    // Days since 1970-01-01 to a civil date (the proleptic Gregorian calendar), by eras of 400 years.
    std::int64_t days = seconds / 86400, rest = seconds % 86400;
    if (rest < 0) rest += 86400, --days;
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;  // months from March
    const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02lld-%02lldT%02lld:%02lld:%02lld+00:00", static_cast<long long>(year),
                  static_cast<long long>(month), static_cast<long long>(day), static_cast<long long>(rest / 3600),
                  static_cast<long long>(rest / 60 % 60), static_cast<long long>(rest % 60));
    return text;
}

std::string ifcOriginatingSystem() { return "Skip floor wizard developers - cwstool - " CWSCENE_VERSION; }

namespace {

// ---------------------------------------------------------------------------------------------------
// [SECTION] The first reading: levels, the plan and the wizard's two boxes

// A box where it stands: the centre of its bottom face above and beside the root, its extents.
struct Box {
    Point bottom;
    Point size;  // extents, mm (a negative size spans the same box)
};

Box boxAt(const scenefile::ShapeRecord& r, const Point& frame)
{
    const Point size{std::fabs(double{r.size.x}), std::fabs(double{r.size.y}), std::fabs(double{r.size.z})};
    return {{frame.x + r.position.x, frame.y + r.position.y, frame.z + r.position.z - size.z / 2}, size};
}

bool isFinite(const Box& b)
{
    return std::isfinite(b.bottom.x) && std::isfinite(b.bottom.y) && std::isfinite(b.bottom.z) && std::isfinite(b.size.x) &&
           std::isfinite(b.size.y) && std::isfinite(b.size.z);
}

bool isZero(const scenefile::Coord& c) { return c.x == 0.0f && c.y == 0.0f && c.z == 0.0f; }
bool isOne(const scenefile::Coord& c) { return c.x == 1.0f && c.y == 1.0f && c.z == 1.0f; }

// A name of the file (Shift-JIS) compared with a UTF-8 one, converting only what may match.
bool named(std::string_view sjis, std::string_view utf8)
{
    return sjis.size() <= utf8.size() && cwscene::toUtf8(sjis) == utf8;
}

// The plan rectangle the rooms and slabs stand on: the box that reaches highest (the wizard's
// foundation block), as the section preview and the glTF storey volumes take it.
struct Plan {
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    double top = -std::numeric_limits<double>::infinity();
    bool known = false;
};

// What the export needs to know before it writes anything: a few values per storey and per scene.
class Survey : public scenefile::SceneVisitor {
public:
    Storeys storeys;
    Plan plan;
    std::uint16_t unit = 0;
    long turned = 0;      // frames and boxes with a rotation, frames with a scale other than 1
    long nonFinite = 0;   // boxes with a value that is not finite
    long siteBox = -1;    // the place in file order of the first box named 敷地, -1: none
    long footingBox = -1; // of the first named 基礎
    std::string rootName; // UTF-8

    void header(const scenefile::HeaderRecord& r) override { unit = r.unit; }

    void frameBegin(const scenefile::FrameRecord& r) override
    {
        const Point& at = m_placement.enter(r);
        if (!isZero(r.rotation) || !isOne(r.scale)) ++turned;
        std::string name = cwscene::toUtf8(r.name);
        storeys.note(name, at.z);
        if (r.depth == 1) rootName = std::move(name);
    }

    void shape(const scenefile::ShapeRecord& r) override
    {
        const long place = m_shapes++;
        const Box box = boxAt(r, m_placement.current());
        if (!isFinite(box)) {
            ++nonFinite;
            return;
        }
        if (!isZero(r.rotation)) ++turned;
        if (siteBox < 0 && named(r.name, kSiteBoxName)) siteBox = place;
        if (footingBox < 0 && named(r.name, kFoundationBoxName)) footingBox = place;
        if (box.bottom.z + box.size.z > plan.top) {
            plan = {box.bottom.x - box.size.x / 2, box.bottom.x + box.size.x / 2, box.bottom.y - box.size.y / 2,
                    box.bottom.y + box.size.y / 2, box.bottom.z + box.size.z, true};
        }
    }

private:
    FramePlacement m_placement;
    long m_shapes = 0;
};

// The names of the objects written without a body, for one warning.
class Bodiless {
public:
    void add(const std::string& name)
    {
        if (m_names.size() < kNamesListed) m_names.push_back(name.empty() ? "\"\"" : name);
        ++m_count;
    }

    void warn(std::vector<std::string>& warnings) const
    {
        if (m_count == 0) return;
        std::string names;
        for (const std::string& n : m_names) names += (names.empty() ? "" : ", ") + n;
        if (m_count > static_cast<long>(m_names.size())) {
            names += " " + messages::filledIn(_("and %s more"), std::to_string(m_count - static_cast<long>(m_names.size())));
        }
        warnings.push_back(messages::filledIn(_("written without a body, having a size, height or thickness of 0 or "
                                                "less: %s"),
                                              names));
    }

private:
    std::vector<std::string> m_names;
    long m_count = 0;
};

// ---------------------------------------------------------------------------------------------------
// The writer: the part of the file that the levels give at the start of the second reading, then
// each box as the parser hands it on.
class IfcWriter : public scenefile::SceneVisitor {
public:
    IfcWriter(const Survey& survey, const IfcOptions& options, step::File& file)
        : m_survey(survey), m_options(options), m_file(file), m_ids(options.identity)
    {
    }

    std::vector<std::string> warnings;

    void header(const scenefile::HeaderRecord&) override;
    void material(const scenefile::MaterialRecord& r) override
    {
        m_materials.push_back({cwscene::toUtf8(r.name), r.colour1});
    }
    void frameBegin(const scenefile::FrameRecord& r) override;
    void shape(const scenefile::ShapeRecord& r) override;
    void end() override;

private:
    // -----------------------------------------------------------------------------------------------
    // [SECTION] Shared entities: units, contexts, points and placements

    int point(double x, double y, double z) { return m_file.add("IFCCARTESIANPOINT", {step::list({real(x), real(y), real(z)})}); }

    // An IfcLocalPlacement at (x, y, z) in the placement `relativeTo` (0: absolute), axes unturned.
    int placement(int relativeTo, double x, double y, double z)
    {
        const int axes = x == 0 && y == 0 && z == 0 ? m_origin
                                                    : m_file.add("IFCAXIS2PLACEMENT3D", {ref(point(x, y, z)), step::unset(), step::unset()});
        return m_file.add("IFCLOCALPLACEMENT", {relativeTo ? ref(relativeTo) : step::unset(), ref(axes)});
    }

    // The project with its units (millimetres: the wizard's lengths, so they go in unchanged; square
    // and cubic metres for the quantities) and its model context, with the "Body" sub-context every
    // body is drawn in.
    int writeProject()
    {
        const int metre = m_file.add("IFCSIUNIT", {step::derived(), step::enumeration("LENGTHUNIT"), step::enumeration("MILLI"),
                                                   step::enumeration("METRE")});
        const int area = m_file.add("IFCSIUNIT", {step::derived(), step::enumeration("AREAUNIT"), step::unset(),
                                                  step::enumeration("SQUARE_METRE")});
        const int volume = m_file.add("IFCSIUNIT", {step::derived(), step::enumeration("VOLUMEUNIT"), step::unset(),
                                                    step::enumeration("CUBIC_METRE")});
        const int units = m_file.add("IFCUNITASSIGNMENT", {step::list({ref(metre), ref(area), ref(volume)})});
        m_origin = m_file.add("IFCAXIS2PLACEMENT3D", {ref(point(0, 0, 0)), step::unset(), step::unset()});
        m_up = m_file.add("IFCDIRECTION", {step::list({real(0), real(0), real(1)})});
        m_profileAxes = m_file.add("IFCAXIS2PLACEMENT2D", {ref(m_file.add("IFCCARTESIANPOINT", {step::list({real(0), real(0)})})),
                                                           step::unset()});
        const int context = m_file.add("IFCGEOMETRICREPRESENTATIONCONTEXT",
                                       {step::unset(), step::string("Model"), step::integer(3), real(1e-5), ref(m_origin),
                                        step::unset()});
        m_body = m_file.add("IFCGEOMETRICREPRESENTATIONSUBCONTEXT",
                            {step::string("Body"), step::string("Model"), step::derived(), step::derived(), step::derived(),
                             step::derived(), ref(context), step::unset(), step::enumeration("MODEL_VIEW"), step::unset()});
        return m_file.add("IFCPROJECT", {guid("project"), step::unset(), step::string(m_options.projectName), step::unset(),
                                         step::unset(), step::unset(), step::unset(), step::list({ref(context)}), ref(units)});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Bodies: an extruded rectangle, a colour

    // The surface style of a scene material, made once per material; 0 for none.
    int surfaceStyle(std::int16_t materialIndex)
    {
        if (materialIndex < 0 || static_cast<std::size_t>(materialIndex) >= m_materials.size()) return 0;
        int& style = m_styles[materialIndex];
        if (style) return style;
        const Material& material = m_materials[static_cast<std::size_t>(materialIndex)];
        const auto& c = material.colour;
        const int colour = m_file.add("IFCCOLOURRGB", {step::unset(), real(c[0] / 255.0), real(c[1] / 255.0), real(c[2] / 255.0)});
        const int rendering = m_file.add("IFCSURFACESTYLERENDERING",
                                         {ref(colour), real(0), step::unset(), step::unset(), step::unset(), step::unset(),
                                          step::unset(), step::unset(), step::enumeration("NOTDEFINED")});
        style = m_file.add("IFCSURFACESTYLE", {step::string(material.name), step::enumeration("BOTH"), step::list({ref(rendering)})});
        return style;
    }

    // A body of `size` (every extent above 0): its plan rectangle, centred on the product's
    // placement, extruded upwards from it; in the material's colour when it has one. 0, and the
    // name noted for the warning, when an extent is 0 or less: IFC has no body without volume.
    int body(const std::string& name, const Point& size, std::int16_t materialIndex = -1)
    {
        if (!isLength(size.x) || !isLength(size.y) || !isLength(size.z)) {
            m_bodiless.add(name);
            return 0;
        }
        const int profile = m_file.add("IFCRECTANGLEPROFILEDEF", {step::enumeration("AREA"), step::unset(), ref(m_profileAxes),
                                                                  real(size.x), real(size.y)});
        const int solid = m_file.add("IFCEXTRUDEDAREASOLID", {ref(profile), ref(m_origin), ref(m_up), real(size.z)});
        if (const int style = surfaceStyle(materialIndex)) {
            m_file.add("IFCSTYLEDITEM", {ref(solid), step::list({ref(style)}), step::unset()});
        }
        const int shape = m_file.add("IFCSHAPEREPRESENTATION", {ref(m_body), step::string("Body"), step::string("SweptSolid"),
                                                                step::list({ref(solid)})});
        return m_file.add("IFCPRODUCTDEFINITIONSHAPE", {step::unset(), step::unset(), step::list({ref(shape)})});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] The spatial structure: project, site, building, storeys, spaces

    // The site at the root, without a body (a spatial element has none): the site slab is the terrain.
    int writeSite()
    {
        m_sitePlacement = placement(0, 0, 0, 0);
        return m_file.add("IFCSITE", {guid("site"), step::unset(), m_wizard ? step::string(kSiteBoxName) : step::unset(),
                                      step::unset(), step::unset(), ref(m_sitePlacement), step::unset(), step::unset(),
                                      step::enumeration("ELEMENT"), step::unset(), step::unset(), step::unset(), step::unset(),
                                      step::unset()});
    }

    int writeBuilding()
    {
        m_buildingPlacement = placement(m_sitePlacement, 0, 0, 0);
        return m_file.add("IFCBUILDING", {guid("building"), step::unset(), step::string(m_options.projectName), step::unset(),
                                          step::unset(), ref(m_buildingPlacement), step::unset(), step::unset(),
                                          step::enumeration("ELEMENT"), step::unset(), step::unset(), step::unset()});
    }

    // The storeys in list order (a part after the storey it is part of), each placed at its elevation:
    // a main storey in the building, a mezzanine in its main storey.
    void writeStoreys()
    {
        for (const IfcStorey& s : m_storeys) {
            const bool inStorey = s.parent >= 0;
            const double base = inStorey ? m_storeys[static_cast<std::size_t>(s.parent)].elevation : 0.0;
            const int at = placement(inStorey ? m_storeyPlacements[static_cast<std::size_t>(s.parent)] : m_buildingPlacement, 0, 0,
                                     s.elevation - base);
            m_storeyPlacements.push_back(at);
            m_storeyIds.push_back(m_file.add("IFCBUILDINGSTOREY",
                                             {guid("storey/" + s.name), step::unset(), step::string(s.name), step::unset(),
                                              step::unset(), ref(at), step::unset(), step::unset(),
                                              step::enumeration(s.partial ? "PARTIAL" : "ELEMENT"), real(s.elevation)}));
        }
    }

    // The plan of a storey's block: the back half of the plan (+y) for the main block, the front half
    // for the mezzanines, the whole plan when there are no mezzanines; as the glTF storey volumes.
    Plan blockPlan(const IfcStorey& s) const
    {
        Plan half = m_survey.plan;
        const double middle = (half.y0 + half.y1) / 2;
        if (m_hasMezzanines) (s.partial ? half.y1 : half.y0) = middle;
        return half;
    }

    // A storey's room, from its interior to its ceiling over its block's half of the plan, placed
    // in its storey at the half's centre.
    int writeSpace(std::size_t index)
    {
        const IfcStorey& s = m_storeys[index];
        const Plan half = blockPlan(s);
        const double height = s.ceiling - s.elevation;
        const int at = placement(m_storeyPlacements[index], (half.x0 + half.x1) / 2, (half.y0 + half.y1) / 2, 0);
        const int shape = half.known && std::isfinite(height) ? body(s.name, {half.x1 - half.x0, half.y1 - half.y0, height}) : 0;
        return m_file.add("IFCSPACE", {guid("space/" + s.name), step::unset(), step::string(s.name), step::unset(), step::unset(),
                                       ref(at), shape ? ref(shape) : step::unset(), step::unset(), step::enumeration("ELEMENT"),
                                       step::enumeration("SPACE"), step::unset()});
    }

    // The relation of a whole to its parts, when it has any.
    void aggregate(const std::string& role, int whole, const std::vector<Value>& parts)
    {
        if (parts.empty()) return;
        m_file.add("IFCRELAGGREGATES", {guid("aggregates/" + role), step::unset(), step::unset(), step::unset(), ref(whole),
                                        step::list(parts)});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Slabs and quantities

    // A slab of the storey `index` from `bottom` to `top` over its block's half of the plan: FLOOR, the
    // floor slab under its interior, or ROOF, over a block's top storey. 0 when a height is unknown.
    int writeSlab(std::size_t index, const char* type, const std::string& name, double bottom, double top)
    {
        if (!std::isfinite(bottom) || !std::isfinite(top)) return 0;
        const IfcStorey& s = m_storeys[index];
        const Plan half = blockPlan(s);
        const int at = placement(m_storeyPlacements[index], (half.x0 + half.x1) / 2, (half.y0 + half.y1) / 2, bottom - s.elevation);
        const int shape = half.known ? body(name, {half.x1 - half.x0, half.y1 - half.y0, top - bottom}) : 0;
        const int slab = m_file.add("IFCSLAB", {guid("slab/" + name), step::unset(), step::string(name), step::unset(), step::unset(),
                                                ref(at), shape ? ref(shape) : step::unset(), step::unset(), step::enumeration(type)});
        const double area = half.known ? (half.x1 - half.x0) * (half.y1 - half.y0) / 1e6 : kNaN;  // m²
        quantities(name, slab, "Qto_SlabBaseQuantities",
                   {{"Width", top - bottom, 'L'}, {"GrossArea", area, 'A'}, {"GrossVolume", area * (top - bottom) / 1e3, 'V'}});
        return slab;
    }

    struct Quantity {
        const char* name;
        double value;  // mm, m², m³
        char kind;     // 'L' length, 'A' area, 'V' volume
    };

    // A quantity set of the object with the values that are known and above 0; none when no value is.
    void quantities(const std::string& role, int object, const char* setName, std::initializer_list<Quantity> values)
    {
        std::vector<Value> written;
        for (const Quantity& q : values) {
            if (!isLength(q.value)) continue;
            const char* type = q.kind == 'L' ? "IFCQUANTITYLENGTH" : q.kind == 'A' ? "IFCQUANTITYAREA" : "IFCQUANTITYVOLUME";
            written.push_back(ref(m_file.add(type, {step::string(q.name), step::unset(), step::unset(), real(q.value), step::unset()})));
        }
        if (written.empty()) return;
        const int set = m_file.add("IFCELEMENTQUANTITY", {guid("quantities/" + role + "/" + setName), step::unset(),
                                                          step::string(setName), step::unset(), step::unset(), step::list(written)});
        m_file.add("IFCRELDEFINESBYPROPERTIES", {guid("defines/" + role + "/" + setName), step::unset(), step::unset(), step::unset(),
                                                 step::list({ref(object)}), ref(set)});
    }

    // Elements in a spatial structure; a relation per call.
    void contain(const std::string& role, int structure, const std::vector<Value>& elements)
    {
        if (elements.empty()) return;
        m_file.add("IFCRELCONTAINEDINSPATIALSTRUCTURE", {guid("contains/" + role), step::unset(), step::unset(), step::unset(),
                                                        step::list(elements), ref(structure)});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] The second reading: the boxes as elements, written as they come

    // A box as an element of `type` in the placement `container`, which stands at `base` mm above the
    // root: placed at the centre of the box's bottom face, its body around that point.
    int writeElement(const char* type, const char* predefined, const scenefile::ShapeRecord& r, const Box& box, int container,
                     double base)
    {
        const std::string name = cwscene::toUtf8(r.name);
        const int at = placement(container, box.bottom.x, box.bottom.y, box.bottom.z - base);
        const int shape = body(name, box.size, r.materialIndex);
        return m_file.add(type, {guid(m_framePath.back() + std::to_string(r.index) + ":" + name), step::unset(), step::string(name),
                                 step::unset(), step::unset(), ref(at), shape ? ref(shape) : step::unset(), step::unset(),
                                 step::enumeration(predefined)});
    }

    void flushElements()
    {
        contain(m_containerRole + "/" + std::to_string(m_relations++), m_storeyIds[0], m_elements);
        m_elements.clear();
    }

    void writeStructure();
    std::vector<std::string> notes() const;

    static Value real(double value) { return step::real(value + 0.0); }  // + 0.0: no "-0."
    static Value ref(int id) { return step::reference(id); }
    Value guid(const std::string& role) const { return step::string(m_ids(role)); }

    struct Material {
        std::string name;  // UTF-8
        scenefile::Colour colour;
    };

    const Survey& m_survey;
    const IfcOptions& m_options;
    step::File& m_file;
    GlobalIds m_ids;
    std::vector<IfcStorey> m_storeys;
    std::vector<int> m_storeyIds, m_storeyPlacements;  // by index in m_storeys
    bool m_wizard = false;                              // the frames name storeys
    bool m_hasMezzanines = false;                       // partial storeys: the blocks stand side by side
    std::vector<Material> m_materials;                  // of the colour section, by index
    std::map<int, int> m_styles;                        // material index -> IfcSurfaceStyle
    int m_origin = 0, m_up = 0, m_body = 0;             // shared axes, +z, the Body context
    int m_profileAxes = 0;                              // the 2D axes every profile is centred on
    int m_site = 0, m_sitePlacement = 0, m_buildingPlacement = 0;
    Bodiless m_bodiless;
    FramePlacement m_placement;
    std::vector<std::string> m_framePath;  // by depth: the GlobalId role of the frame's boxes, up to it
    long m_shapes = 0;                     // every shape so far, in file order
    std::vector<Value> m_elements;         // elements of the lowest storey not yet in a relation
    std::string m_containerRole;
    long m_relations = 0;
};

// ---------------------------------------------------------------------------------------------------
// [SECTION] The whole file

// Everything the levels give: the spatial structure, spaces, slabs and quantities, before any box.
void IfcWriter::writeStructure()
{
    m_storeys = ifcStoreys(m_survey.storeys);
    m_wizard = !m_storeys.empty();
    for (const IfcStorey& s : m_storeys) m_hasMezzanines = m_hasMezzanines || s.partial;
    if (!m_wizard) {
        m_storeys.push_back({m_survey.rootName, 0.0, kNaN, kNaN, false, -1, kNaN, kNaN, kNaN});
        warnings.push_back(_("no frame is named as the wizard names a storey's levels: the boxes are building element "
                             "proxies in one storey at height 0"));
    }
    const int project = writeProject();
    m_site = writeSite();
    const int building = writeBuilding();
    writeStoreys();

    std::vector<std::vector<Value>> parts(m_storeys.size());
    std::vector<Value> inBuilding;
    for (std::size_t i = 0; i < m_storeys.size(); ++i) {
        const int parent = m_storeys[i].parent;
        (parent >= 0 ? parts[static_cast<std::size_t>(parent)] : inBuilding).push_back(ref(m_storeyIds[i]));
    }
    aggregate("project", project, {ref(m_site)});
    aggregate("site", m_site, {ref(building)});
    aggregate("building", building, inBuilding);
    for (std::size_t i = 0; i < m_storeys.size(); ++i) {
        const IfcStorey& s = m_storeys[i];
        const std::string role = "storey/" + s.name;
        quantities(role, m_storeyIds[i], "Qto_BuildingStoreyBaseQuantities",
                   {{"GrossHeight", s.grossHeight, 'L'}, {"NetHeight", s.netHeight, 'L'}});
        if (!m_wizard) continue;
        const int space = writeSpace(i);
        parts[i].push_back(ref(space));
        const Plan half = blockPlan(s);
        const double area = half.known ? (half.x1 - half.x0) * (half.y1 - half.y0) / 1e6 : kNaN;  // m²
        const double height = s.ceiling - s.elevation;
        quantities("space/" + s.name, space, "Qto_SpaceBaseQuantities",
                   {{"Height", height, 'L'}, {"FinishCeilingHeight", height, 'L'}, {"GrossFloorArea", area, 'A'},
                    {"GrossVolume", area * height / 1e3, 'V'}});
        std::vector<Value> slabs;
        if (const int floor = writeSlab(i, "FLOOR", s.name + kFloorSlabWord, s.slabBottom, s.elevation)) slabs.push_back(ref(floor));
        if (const int roof = writeSlab(i, "ROOF", s.name + kRoofSlabWord, s.ceiling, s.roof)) slabs.push_back(ref(roof));
        contain(role + "/slabs", m_storeyIds[i], slabs);
    }
    for (std::size_t i = 0; i < m_storeys.size(); ++i) aggregate("storey/" + m_storeys[i].name, m_storeyIds[i], parts[i]);
    m_containerRole = "storey/" + m_storeys[0].name + "/elements";
}

void IfcWriter::header(const scenefile::HeaderRecord&)
{
    writeStructure();
}

void IfcWriter::frameBegin(const scenefile::FrameRecord& r)
{
    m_placement.enter(r);
    // The role of a frame is its place in the tree, not its heights: each frame from the root by its
    // place among its siblings and its name (counted, so that no name can pass for another).
    const std::size_t depth = static_cast<std::size_t>(r.depth);
    m_framePath.resize(depth);
    m_framePath[depth - 1] = (depth > 1 ? m_framePath[depth - 2] : std::string("box/")) + std::to_string(r.index) + ":" +
                             std::to_string(r.name.size()) + ":" + std::string(r.name) + "/";
}

void IfcWriter::shape(const scenefile::ShapeRecord& r)
{
    const long place = m_shapes++;
    const Box box = boxAt(r, m_placement.current());
    if (!isFinite(box)) return;  // counted by the survey
    if (m_wizard && place == m_survey.siteBox) {
        const int terrain = writeElement("IFCGEOGRAPHICELEMENT", "TERRAIN", r, box, m_sitePlacement, 0);
        contain("site", m_site, {ref(terrain)});
        return;
    }
    const bool footing = m_wizard && place == m_survey.footingBox;
    m_elements.push_back(ref(writeElement(footing ? "IFCFOOTING" : "IFCBUILDINGELEMENTPROXY", "NOTDEFINED", r, box,
                                          m_storeyPlacements[0], m_storeys[0].elevation)));
    if (m_elements.size() == kElementsPerRelation) flushElements();
}

void IfcWriter::end()
{
    flushElements();
    const std::vector<std::string> before = notes();
    warnings.insert(warnings.begin(), before.begin(), before.end());
    if (m_survey.nonFinite > 0) {
        warnings.push_back(messages::filledIn(_("boxes with a value that is not finite, left out: %s"),
                                              std::to_string(m_survey.nonFinite)));
    }
    m_bodiless.warn(warnings);
}

std::vector<std::string> IfcWriter::notes() const
{
    std::vector<std::string> lines;
    if (m_survey.unit != 0) {
        lines.push_back(messages::filledIn(_("unit code %s has no defined length: taken as millimetres (the wizard's "
                                             "unit is code 0)"),
                                           std::to_string(m_survey.unit)));
    }
    if (m_survey.turned > 0) {
        lines.push_back(messages::filledIn(_("rotated or scaled objects, placed by the sums of positions without their "
                                             "rotations and scales: %s"),
                                           std::to_string(m_survey.turned)));
    }
    return lines;
}

step::Header headerOf(const IfcOptions& options)
{
    step::Header header;
    header.description = "ViewDefinition [ReferenceView_V1.2]";
    header.name = options.fileName;
    header.timeStamp = options.timeStamp;
    header.preprocessorVersion = ifcOriginatingSystem();
    header.originatingSystem = ifcOriginatingSystem();
    header.schema = "IFC4";
    return header;
}

}  // namespace

IfcResult exportIfc(const std::string& scenePath, const std::string& outPath, const IfcOptions& options)
{
    IfcResult result;
    fileio::OutputFile out(outPath);
    std::FILE* stream = out.open();
    if (!stream) {
        result.outputError = cannotWrite(out.error());
        return result;
    }
    step::File file(stream);
    file.begin(headerOf(options));
    Survey survey;
    IfcWriter writer(survey, options, file);
    scenefile::ParseOptions parseOptions;
    parseOptions.dashIsStandardInput = true;  // "-" is standard input, as in every cwstool command
    const scenefile::ParseResult parsed = scenefile::parseSceneFileChecked(scenePath, survey, writer, parseOptions);
    if (!parsed.accepted()) {
        result.sceneError = parsed.error;
        return result;  // the output file's destructor removes what was written of it
    }
    file.end();
    result.warnings = std::move(writer.warnings);
    if (file.failed() || !out.commit()) result.outputError = cannotWrite(out.error());
    return result;
}

IfcResult ifcFromBytes(std::string_view sceneBytes, const IfcOptions& options, std::string& ifc)
{
    IfcResult result;
    Survey survey;
    scenefile::ParseResult parsed = scenefile::parseScene(sceneBytes, survey);
    step::File file;
    IfcWriter writer(survey, options, file);
    if (parsed.accepted()) {
        file.begin(headerOf(options));
        parsed = scenefile::parseScene(sceneBytes, writer);
        file.end();
    }
    result.sceneError = parsed.error;
    result.warnings = std::move(writer.warnings);
    ifc = parsed.accepted() ? file.text() : std::string();
    return result;
}

}  // namespace cwstool
