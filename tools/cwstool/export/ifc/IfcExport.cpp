// IfcExport.cpp - the IFC4 export of `cwstool export FILE OUT.ifc` (see IfcExport.h; for users
// docs/ifc-export.md).
//
// Sections of this file:
//   [SECTION] The storeys' layout
//   [SECTION] Shared entities: units, contexts, points and placements
//   [SECTION] Bodies: a box as an extruded rectangle, its colour
//   [SECTION] The spatial structure: project, site, building, storeys
//   [SECTION] Elements: the footing and the proxies
//   [SECTION] The whole file
//
// Every entity is written with all of its IFC4 attributes, in schema order, one value per line of the
// call where a reader may want to tick them off. No IfcOwnerHistory (optional in IFC4): the file
// records no person, application registration or time, so the same scene gives the same bytes.
#include "tools/cwstool/export/ifc/IfcExport.h"

#include "text/Messages.h"

#include <cwscene/Scene.h>
#include <cwscene/Version.h>
#include "tools/cwstool/export/ifc/IfcGlobalId.h"
#include "tools/cwstool/export/ifc/StepWriter.h"

#include <algorithm>  // stable_sort
#include <cmath>      // isfinite
#include <limits>
#include <map>

namespace cwstool {

namespace {

using step::Value;

// The wizard's two boxes, by name: the site slab becomes the site's body, the foundation block a footing.
constexpr char kSiteBoxName[] = "敷地";
constexpr char kFoundationBoxName[] = "基礎";

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// A length that may be unknown or negative (heights of odd parameters): only a known length of 0 or
// more is a quantity.
bool isQuantity(double length) { return std::isfinite(length) && length >= 0; }

}  // namespace

// ---------------------------------------------------------------------------------------------------
// [SECTION] The storeys' layout

std::vector<IfcStorey> ifcStoreys(const Storeys& storeys)
{
    std::vector<IfcStorey> mains, mezzanines;
    for (const auto& [key, s] : storeys.all()) {
        if (!std::isfinite(s.interior)) continue;
        IfcStorey storey{storeyName(s.interiorName), "storey/" + s.interiorName, s.interior,
                         storeys.nextFloor(key) - s.interior, s.ceiling - s.interior, key.first, -1};
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

namespace {

class IfcWriter {
public:
    IfcWriter(const CWScene& scene, const IfcSource& source)
        : m_scene(scene), m_source(source), m_ids(source.content), m_levels(sceneLevels(scene))
    {
    }

    IfcExport write();

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

    // The project with its unit (millimetres: the wizard's lengths, so they go in unchanged) and its
    // model context, with the "Body" sub-context every body is drawn in.
    int writeProject()
    {
        const int metre = m_file.add("IFCSIUNIT", {step::derived(), step::enumeration("LENGTHUNIT"), step::enumeration("MILLI"),
                                                   step::enumeration("METRE")});
        const int units = m_file.add("IFCUNITASSIGNMENT", {step::list({ref(metre)})});
        m_origin = m_file.add("IFCAXIS2PLACEMENT3D", {ref(point(0, 0, 0)), step::unset(), step::unset()});
        m_up = m_file.add("IFCDIRECTION", {step::list({real(0), real(0), real(1)})});
        const int context = m_file.add("IFCGEOMETRICREPRESENTATIONCONTEXT",
                                       {step::unset(), step::string("Model"), step::integer(3), real(1e-5), ref(m_origin),
                                        step::unset()});
        m_body = m_file.add("IFCGEOMETRICREPRESENTATIONSUBCONTEXT",
                            {step::string("Body"), step::string("Model"), step::derived(), step::derived(), step::derived(),
                             step::derived(), ref(context), step::unset(), step::enumeration("MODEL_VIEW"), step::unset()});
        return m_file.add("IFCPROJECT", {guid("project"), step::unset(), step::string(m_source.projectName), step::unset(),
                                         step::unset(), step::unset(), step::unset(), step::list({ref(context)}), ref(units)});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Bodies: a box as an extruded rectangle, its colour

    // The surface style of a scene material, made once per material; 0 for a box without a known one.
    int surfaceStyle(std::int16_t materialIndex)
    {
        if (materialIndex < 0 || static_cast<std::size_t>(materialIndex) >= m_scene.materialCount()) return 0;
        int& style = m_styles[materialIndex];
        if (style) return style;
        const CWMaterial& material = m_scene.material(static_cast<std::size_t>(materialIndex));
        const CWMaterial::Color& c = material.color1();
        const int colour = m_file.add("IFCCOLOURRGB", {step::unset(), real(c[0] / 255.0), real(c[1] / 255.0), real(c[2] / 255.0)});
        const int rendering = m_file.add("IFCSURFACESTYLERENDERING",
                                         {ref(colour), real(0), step::unset(), step::unset(), step::unset(), step::unset(),
                                          step::unset(), step::unset(), step::enumeration("NOTDEFINED")});
        style = m_file.add("IFCSURFACESTYLE", {step::string(utf8Of(material.name())), step::enumeration("BOTH"), step::list({ref(rendering)})});
        return style;
    }

    // A box's body: its plan rectangle extruded upwards by its height, the rectangle's centre at
    // `bottomCentre` in the product's placement; in the box's material colour.
    int boxBody(const PlacedBox& box, const Point& bottomCentre)
    {
        const int centre2d = m_file.add("IFCCARTESIANPOINT", {step::list({real(0), real(0)})});
        const int profileAxes = m_file.add("IFCAXIS2PLACEMENT2D", {ref(centre2d), step::unset()});
        const int profile = m_file.add("IFCRECTANGLEPROFILEDEF", {step::enumeration("AREA"), step::unset(), ref(profileAxes),
                                                                  real(box.size.x), real(box.size.y)});
        const bool atOrigin = bottomCentre.x == 0 && bottomCentre.y == 0 && bottomCentre.z == 0;
        const int position = atOrigin ? m_origin
                                      : m_file.add("IFCAXIS2PLACEMENT3D", {ref(point(bottomCentre.x, bottomCentre.y, bottomCentre.z)),
                                                                           step::unset(), step::unset()});
        const int solid = m_file.add("IFCEXTRUDEDAREASOLID", {ref(profile), ref(position), ref(m_up), real(box.size.z)});
        if (const int style = surfaceStyle(box.materialIndex)) {
            m_file.add("IFCSTYLEDITEM", {ref(solid), step::list({ref(style)}), step::unset()});
        }
        const int shape = m_file.add("IFCSHAPEREPRESENTATION", {ref(m_body), step::string("Body"), step::string("SweptSolid"),
                                                                step::list({ref(solid)})});
        return m_file.add("IFCPRODUCTDEFINITIONSHAPE", {step::unset(), step::unset(), step::list({ref(shape)})});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] The spatial structure: project, site, building, storeys

    // The site at the root, with the site slab as its body when there is one.
    int writeSite(const PlacedBox* slab)
    {
        m_sitePlacement = placement(0, 0, 0, 0);
        const int body = slab ? boxBody(*slab, bottomCentreOf(*slab)) : 0;
        return m_file.add("IFCSITE", {guid("site"), step::unset(), slab ? step::string(slab->name) : step::unset(), step::unset(),
                                      step::unset(), ref(m_sitePlacement), body ? ref(body) : step::unset(), step::unset(),
                                      step::enumeration("ELEMENT"), step::unset(), step::unset(), step::unset(), step::unset(),
                                      step::unset()});
    }

    int writeBuilding()
    {
        m_buildingPlacement = placement(m_sitePlacement, 0, 0, 0);
        return m_file.add("IFCBUILDING", {guid("building"), step::unset(), step::string(m_source.projectName), step::unset(),
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
                                             {guid(s.path), step::unset(), step::string(s.name), step::unset(), step::unset(),
                                              ref(at), step::unset(), step::unset(),
                                              step::enumeration(s.partial ? "PARTIAL" : "ELEMENT"), real(s.elevation)}));
        }
    }

    // Qto_BuildingStoreyBaseQuantities with the heights that are known.
    void writeQuantities(std::size_t index)
    {
        const IfcStorey& s = m_storeys[index];
        std::vector<Value> quantities;
        const std::pair<const char*, double> lengths[] = {{"GrossHeight", s.grossHeight}, {"NetHeight", s.netHeight}};
        for (const auto& [name, length] : lengths) {
            if (!isQuantity(length)) continue;
            quantities.push_back(ref(m_file.add("IFCQUANTITYLENGTH", {step::string(name), step::unset(), step::unset(), real(length),
                                                                      step::unset()})));
        }
        if (quantities.empty()) return;
        const int set = m_file.add("IFCELEMENTQUANTITY", {guid("quantities/" + s.path), step::unset(),
                                                          step::string("Qto_BuildingStoreyBaseQuantities"), step::unset(),
                                                          step::unset(), step::list(quantities)});
        m_file.add("IFCRELDEFINESBYPROPERTIES", {guid("defines/" + s.path), step::unset(), step::unset(), step::unset(),
                                                 step::list({ref(m_storeyIds[index])}), ref(set)});
    }

    void aggregate(const std::string& path, int whole, const std::vector<Value>& parts)
    {
        if (parts.empty()) return;
        m_file.add("IFCRELAGGREGATES", {guid("aggregates/" + path), step::unset(), step::unset(), step::unset(), ref(whole),
                                        step::list(parts)});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] Elements: the footing and the proxies

    // A box as an element of the storey `index`: placed at the centre of its bottom face, its body
    // around that point.
    int writeElement(const char* type, const PlacedBox& box, std::size_t index)
    {
        const Point bottom = bottomCentreOf(box);
        const int at = placement(m_storeyPlacements[index], bottom.x, bottom.y, bottom.z - m_storeys[index].elevation);
        const int body = boxBody(box, Point{});
        return m_file.add(type, {guid("box/" + box.path), step::unset(), step::string(box.name), step::unset(), step::unset(),
                                 ref(at), ref(body), step::unset(), step::enumeration("NOTDEFINED")});
    }

    // -----------------------------------------------------------------------------------------------
    // [SECTION] The whole file

    void planStoreys(std::vector<std::string>& warnings);
    void writeAggregation(int project, int site, int building);
    void writeElements(const PlacedBox* slab, std::vector<std::string>& warnings);
    std::vector<std::string> notes() const;

    static Point bottomCentreOf(const PlacedBox& b) { return {b.centre.x, b.centre.y, b.centre.z - b.size.z / 2}; }
    static Value real(double value) { return step::real(value + 0.0); }  // + 0.0: no "-0."
    static Value ref(int id) { return step::reference(id); }
    Value guid(const std::string& path) { return step::string(m_ids(path)); }

    const CWScene& m_scene;
    const IfcSource& m_source;
    GlobalIds m_ids;
    SceneLevels m_levels;
    step::File m_file;
    std::vector<IfcStorey> m_storeys;
    std::vector<int> m_storeyIds, m_storeyPlacements;  // by index in m_storeys
    bool m_wizard = false;                                // the frames name storeys
    std::map<int, int> m_styles;                          // material index -> IfcSurfaceStyle
    int m_origin = 0, m_up = 0, m_body = 0;               // shared axes, +z, the Body context
    int m_sitePlacement = 0, m_buildingPlacement = 0;
};

// The storeys the frames name, or one storey at height 0 for a scene of another program.
void IfcWriter::planStoreys(std::vector<std::string>& warnings)
{
    m_storeys = ifcStoreys(m_levels.storeys);
    m_wizard = !m_storeys.empty();
    if (m_wizard) return;
    const CWFrame* root = m_scene.rootFrame();
    m_storeys.push_back({root ? utf8Of(root->name()) : std::string(), "storey", 0.0, kNaN, kNaN, false, -1});
    warnings.push_back(_("no frame is named as the wizard names a storey's levels: the boxes are building element "
                         "proxies in one storey at height 0"));
}

void IfcWriter::writeAggregation(int project, int site, int building)
{
    aggregate("project", project, {ref(site)});
    aggregate("site", site, {ref(building)});
    std::vector<Value> inBuilding;
    std::vector<std::vector<Value>> inStorey(m_storeys.size());
    for (std::size_t i = 0; i < m_storeys.size(); ++i) {
        const int parent = m_storeys[i].parent;
        (parent >= 0 ? inStorey[static_cast<std::size_t>(parent)] : inBuilding).push_back(ref(m_storeyIds[i]));
    }
    aggregate("building", building, inBuilding);
    for (std::size_t i = 0; i < m_storeys.size(); ++i) aggregate(m_storeys[i].path, m_storeyIds[i], inStorey[i]);
}

// Every box but the site slab, in the lowest main storey (the first in the list): the wizard's
// foundation block a footing, anything else a proxy.
void IfcWriter::writeElements(const PlacedBox* slab, std::vector<std::string>& warnings)
{
    std::vector<Value> elements;
    bool footing = false;
    for (const PlacedBox& box : m_levels.boxes) {
        if (&box == slab) continue;
        const bool isFooting = m_wizard && !footing && box.name == kFoundationBoxName;
        footing = footing || isFooting;
        elements.push_back(ref(writeElement(isFooting ? "IFCFOOTING" : "IFCBUILDINGELEMENTPROXY", box, 0)));
    }
    if (!elements.empty()) {
        m_file.add("IFCRELCONTAINEDINSPATIALSTRUCTURE", {guid("contains/" + m_storeys[0].path), step::unset(), step::unset(),
                                                        step::unset(), step::list(elements), ref(m_storeyIds[0])});
    }
    if (m_levels.nonFiniteBoxes > 0) {
        warnings.push_back(messages::filledIn(_("boxes with a value that is not finite, left out: %s"),
                                              std::to_string(m_levels.nonFiniteBoxes)));
    }
}

std::vector<std::string> IfcWriter::notes() const
{
    std::vector<std::string> lines;
    if (m_scene.unit() != 0) {
        lines.push_back(messages::filledIn(_("unit code %s has no defined length: taken as millimetres (the wizard's "
                                             "unit is code 0)"),
                                           std::to_string(m_scene.unit())));
    }
    if (m_levels.turned > 0) {
        lines.push_back(messages::filledIn(_("rotated or scaled objects, placed by the sums of positions without their "
                                             "rotations and scales: %s"),
                                           std::to_string(m_levels.turned)));
    }
    return lines;
}

IfcExport IfcWriter::write()
{
    IfcExport result;
    result.warnings = notes();
    planStoreys(result.warnings);
    const int project = writeProject();
    const PlacedBox* slab = nullptr;
    for (const PlacedBox& box : m_levels.boxes) {
        if (m_wizard && !slab && box.name == kSiteBoxName) slab = &box;
    }
    const int site = writeSite(slab);
    const int building = writeBuilding();
    writeStoreys();
    writeAggregation(project, site, building);
    for (std::size_t i = 0; i < m_storeys.size(); ++i) writeQuantities(i);
    writeElements(slab, result.warnings);

    step::Header header;
    header.description = "ViewDefinition [ReferenceView_V1.2]";
    header.name = m_source.fileName;
    header.preprocessorVersion = "cwstool " CWSCENE_VERSION;
    header.originatingSystem = "cwstool " CWSCENE_VERSION;
    header.schema = "IFC4";
    result.bytes = m_file.text(header);
    return result;
}

}  // namespace

IfcExport ifcFromScene(const CWScene& scene, const IfcSource& source)
{
    IfcWriter writer(scene, source);
    return writer.write();
}

}  // namespace cwstool
