// ifcpp-read.cpp FILE - reads an IFC file with IfcPlusPlus (Debian's libifcplusplus-dev, installed by
// scripts/install-deps.sh all), a second reader not written here beside web-ifc (ifc-read.js), and
// prints the storeys, spaces and slabs it finds, one line each, in ifc-read.js's form, for
// tests/tools/IfcExportTest.cpp to compare:
//
//   storey 中2階 PARTIAL elevation 2060 placed at 2060 in IfcBuildingStorey 1階
//   IfcSpace 1階 10000 x 5000 x 2400 from z 610 in 1階
//   IfcSlab 1階床 FLOOR 10000 x 5000 x 210 from z 400 in 1階
//
// Every message of the reader that is a warning or an error goes to standard error and makes the exit
// status 2, as do an instance the reader left out and a file that cannot be read.
#include "text/Utf8Append.h"

#include <ifcpp/IFC4/include/IfcAxis2Placement3D.h>
#include <ifcpp/IFC4/include/IfcBuildingStorey.h>
#include <ifcpp/IFC4/include/IfcCartesianPoint.h>
#include <ifcpp/IFC4/include/IfcElementCompositionEnum.h>
#include <ifcpp/IFC4/include/IfcExtrudedAreaSolid.h>
#include <ifcpp/IFC4/include/IfcLabel.h>
#include <ifcpp/IFC4/include/IfcLengthMeasure.h>
#include <ifcpp/IFC4/include/IfcLocalPlacement.h>
#include <ifcpp/IFC4/include/IfcPositiveLengthMeasure.h>
#include <ifcpp/IFC4/include/IfcProductRepresentation.h>
#include <ifcpp/IFC4/include/IfcRectangleProfileDef.h>
#include <ifcpp/IFC4/include/IfcRelAggregates.h>
#include <ifcpp/IFC4/include/IfcRelContainedInSpatialStructure.h>
#include <ifcpp/IFC4/include/IfcRepresentation.h>
#include <ifcpp/IFC4/include/IfcSlab.h>
#include <ifcpp/IFC4/include/IfcSlabTypeEnum.h>
#include <ifcpp/IFC4/include/IfcSpace.h>
#include <ifcpp/model/BuildingModel.h>
#include <ifcpp/reader/ReaderSTEP.h>

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

int g_problems = 0;

std::string utf8(const std::wstring& text)
{
    std::string out;
    for (wchar_t wc : text) wizard::platform::appendUtf8(out, static_cast<char32_t>(wc));  // wchar_t is UTF-32 here
    return out;
}

std::string number(double value)
{
    std::ostringstream text;
    text.precision(15);
    text << value + 0.0;
    return text.str();
}

void onMessage(void*, shared_ptr<StatusCallback::Message> m)
{
    if (m->m_message_type != StatusCallback::MESSAGE_TYPE_MINOR_WARNING &&
        m->m_message_type != StatusCallback::MESSAGE_TYPE_WARNING && m->m_message_type != StatusCallback::MESSAGE_TYPE_ERROR) {
        return;
    }
    std::cerr << "ifcpp-read: " << utf8(m->m_message_text) << "\n";
    ++g_problems;
}

std::string nameOf(const shared_ptr<IfcRoot>& object)
{
    return object && object->m_Name ? utf8(object->m_Name->m_value) : "(no name)";
}

// The absolute height of a chain of local placements; NaN when a placement is turned or missing.
double placedZ(shared_ptr<IfcObjectPlacement> placement)
{
    double z = 0;
    for (auto local = dynamic_pointer_cast<IfcLocalPlacement>(placement); local;
         local = dynamic_pointer_cast<IfcLocalPlacement>(local->m_PlacementRelTo)) {
        const auto axes = dynamic_pointer_cast<IfcAxis2Placement3D>(local->m_RelativePlacement);
        if (!axes || axes->m_Axis || axes->m_RefDirection || !axes->m_Location || axes->m_Location->m_Coordinates.size() != 3) {
            return NAN;
        }
        z += axes->m_Location->m_Coordinates[2]->m_value;
    }
    return z;
}

// "10000 x 5000 x 210 from z 400": the product's one extruded rectangle; "no body" without one.
std::string boxText(const shared_ptr<IfcProduct>& product)
{
    if (!product->m_Representation) return "no body";
    const auto& representations = product->m_Representation->m_Representations;
    if (representations.empty() || representations[0]->m_Items.empty()) return "no body";
    const auto solid = dynamic_pointer_cast<IfcExtrudedAreaSolid>(representations[0]->m_Items[0]);
    const auto area = solid ? dynamic_pointer_cast<IfcRectangleProfileDef>(solid->m_SweptArea) : nullptr;
    if (!area) return "a body of another kind";
    double bottom = placedZ(product->m_ObjectPlacement);
    if (solid->m_Position && solid->m_Position->m_Location) bottom += solid->m_Position->m_Location->m_Coordinates[2]->m_value;
    return number(area->m_XDim->m_value) + " x " + number(area->m_YDim->m_value) + " x " + number(solid->m_Depth->m_value) +
           " from z " + number(bottom);
}

// What aggregates or contains each object.
std::map<const IfcObjectDefinition*, shared_ptr<IfcObjectDefinition>> wholes(const BuildingModel& model)
{
    std::map<const IfcObjectDefinition*, shared_ptr<IfcObjectDefinition>> of;
    for (const auto& [id, entity] : model.getMapIfcEntities()) {
        if (const auto rel = dynamic_pointer_cast<IfcRelAggregates>(entity)) {
            for (const auto& part : rel->m_RelatedObjects) of[part.get()] = rel->m_RelatingObject;
        } else if (const auto rel = dynamic_pointer_cast<IfcRelContainedInSpatialStructure>(entity)) {
            for (const auto& element : rel->m_RelatedElements) of[element.get()] = rel->m_RelatingStructure;
        }
    }
    return of;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: ifcpp-read FILE\n";
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    if (!in) {
        std::cerr << "ifcpp-read: cannot read " << argv[1] << "\n";
        return 2;
    }
    std::string text = content.str();
    // The reader passes over instances it cannot make (an unknown type, say) without a message:
    // count them, so that one left out is an error too.
    std::size_t instances = 0;
    for (std::size_t at = text.find("\n#"); at != std::string::npos; at = text.find("\n#", at + 1)) ++instances;
    auto model = make_shared<BuildingModel>();
    auto reader = make_shared<ReaderSTEP>();
    model->setMessageCallBack(nullptr, &onMessage);
    reader->setMessageCallBack(nullptr, &onMessage);
    reader->loadModelFromString(text, model);

    if (model->getMapIfcEntities().size() != instances) {
        std::cerr << "ifcpp-read: " << instances - model->getMapIfcEntities().size() << " of " << instances
                  << " instances not read\n";
        ++g_problems;
    }
    const auto whole = wholes(*model);
    const auto container = [&](const IfcObjectDefinition* object) {
        const auto found = whole.find(object);
        return found == whole.end() ? std::string("nothing") : nameOf(found->second);
    };
    std::vector<std::string> storeys, spaces, slabs;
    for (const auto& [id, entity] : model->getMapIfcEntities()) {
        if (const auto storey = dynamic_pointer_cast<IfcBuildingStorey>(entity)) {
            const auto found = whole.find(storey.get());
            const std::string composition = !storey->m_CompositionType ? "$"
                                             : storey->m_CompositionType->m_enum == IfcElementCompositionEnum::ENUM_PARTIAL
                                                 ? "PARTIAL"
                                                 : "ELEMENT";
            storeys.push_back("storey " + nameOf(storey) + " " + composition + " elevation " +
                              (storey->m_Elevation ? number(storey->m_Elevation->m_value) : "$") + " placed at " +
                              number(placedZ(storey->m_ObjectPlacement)) + " in " +
                              (found == whole.end() ? std::string("nothing")
                                                    : std::string(found->second->className()) + " " + nameOf(found->second)));
        } else if (const auto space = dynamic_pointer_cast<IfcSpace>(entity)) {
            spaces.push_back("IfcSpace " + nameOf(space) + " " + boxText(space) + " in " + container(space.get()));
        } else if (const auto slab = dynamic_pointer_cast<IfcSlab>(entity)) {
            const std::string type = !slab->m_PredefinedType                                        ? "$"
                                     : slab->m_PredefinedType->m_enum == IfcSlabTypeEnum::ENUM_FLOOR ? "FLOOR"
                                     : slab->m_PredefinedType->m_enum == IfcSlabTypeEnum::ENUM_ROOF  ? "ROOF"
                                                                                                    : "other";
            slabs.push_back("IfcSlab " + nameOf(slab) + " " + type + " " + boxText(slab) + " in " + container(slab.get()));
        }
    }
    for (const auto* list : {&storeys, &spaces, &slabs}) {
        for (const std::string& line : *list) std::cout << line << "\n";
    }
    return g_problems ? 2 : 0;
}
