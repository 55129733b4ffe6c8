// Tests for cwstool's IFC export (tools/cwstool/export/ifc/): the STEP spelling of values, GlobalIds,
// the storeys' layout, a strict parse of the whole file (syntax, every entity with its IFC4 attribute
// count, every reference defined), the checks of the validation service's rules on each export, stable
// GlobalIds and reproducible bytes, and the files read back by two readers not written here, web-ifc
// (tests/tools/ifc-read.js) and IfcPlusPlus (tests/tools/ifcpp-read.cpp).
#include "tools/cwstool/Commands.h"
#include "tools/cwstool/export/ifc/IfcExport.h"
#include "tools/cwstool/export/ifc/IfcGlobalId.h"
#include "tools/cwstool/export/ifc/StepWriter.h"
#include "CwstoolRun.h"
#include "NodeTools.h"

#include <cwscene/Scene.h>
#include <cwscene/SceneItems.h>
#include "testutil/Cp932.h"
#include "testutil/Hex.h"
#include "builder/CommandLineRecord.h"
#include "builder/ParamFile.h"  // SetDefaultParams
#include "builder/Registry.h"
#include "builder/SceneBuilder.h"
#include "builder/WizardParams.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>    // NAN
#include <cstdlib>  // getenv, putenv, system
#include <filesystem>
#include <iterator>  // size
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>  // move
#include <vector>

namespace {

using cwstooltest::golden;

// `cwstool ARGS...` run in-process, for the commands that write nothing on standard output.
cwstooltest::Outcome silentCwstool(std::vector<std::string> args)
{
    cwstooltest::Outcome outcome = cwstooltest::cwstool(std::move(args));
    EXPECT_EQ(outcome.out, "");
    return outcome;
}

// ---------------------------------------------------------------------------------------------------
// A strict reader of the DATA section: each line "#n=TYPE(attributes);", n counting from 1, each value
// spelt as ISO 10303-21 allows (strings in printable ASCII with '' and \\ and \X2\ or \X4\ runs of
// upper-case hex, numbers, enumerations, references, $, *, lists).
struct Entity {
    std::string type;
    std::size_t attributes = 0;
    std::vector<std::string> values;  // each attribute as the file spells it
};

class StepReader {
public:
    std::map<int, Entity> entities;
    std::set<int> references;  // every #n used in an attribute
    std::string problem;       // the first line refused, and why

    void line(const std::string& text, int expectedId)
    {
        m_text = text;
        m_at = 0;
        const int id = number();
        if (!take('=') || id != expectedId) return fail("expected #" + std::to_string(expectedId) + "=");
        Entity entity;
        entity.type = keyword();
        if (!take('(')) return fail("expected ( after the type");
        if (!take(')')) {
            do {
                const std::size_t start = m_at;
                if (!value()) return fail("bad value at column " + std::to_string(m_at));
                ++entity.attributes;
                entity.values.push_back(m_text.substr(start, m_at - start));
            } while (take(','));
            if (!take(')')) return fail("expected ) or ,");
        }
        if (!take(';') || m_at != m_text.size()) return fail("expected ; at the end");
        entities[id] = entity;
    }

private:
    void fail(const std::string& why)
    {
        if (problem.empty()) problem = m_text + ": " + why;
    }
    bool take(char c)
    {
        if (m_at >= m_text.size() || m_text[m_at] != c) return false;
        ++m_at;
        return true;
    }
    bool digitsOrNone()
    {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && std::isdigit(static_cast<unsigned char>(m_text[m_at]))) ++m_at;
        return m_at > start;
    }
    int number()
    {
        if (!take('#')) return -1;
        const std::size_t start = m_at;
        return digitsOrNone() ? std::stoi(m_text.substr(start, m_at - start)) : -1;
    }
    std::string keyword()
    {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && (std::isupper(static_cast<unsigned char>(m_text[m_at])) ||
                                        std::isdigit(static_cast<unsigned char>(m_text[m_at])) || m_text[m_at] == '_')) {
            ++m_at;
        }
        return m_text.substr(start, m_at - start);
    }
    bool hexRun(std::size_t width)
    {
        std::size_t count = 0;
        while (m_at < m_text.size() && m_text[m_at] != '\\') {
            const char c = m_text[m_at++];
            if (!std::isdigit(static_cast<unsigned char>(c)) && (c < 'A' || c > 'F')) return false;
            ++count;
        }
        return count > 0 && count % width == 0 && m_text.compare(m_at, 4, "\\X0\\") == 0 && (m_at += 4, true);
    }
    bool stringValue()
    {
        for (;;) {
            if (m_at >= m_text.size()) return false;
            const char c = m_text[m_at++];
            if (c < 0x20 || c > 0x7E) return false;
            if (c == '\'' && !take('\'')) return true;
            if (c != '\\' || take('\\')) continue;
            if (m_text.compare(m_at, 3, "X2\\") == 0 && (m_at += 3, hexRun(4))) continue;
            if (m_text.compare(m_at, 3, "X4\\") == 0 && (m_at += 3, hexRun(8))) continue;
            return false;
        }
    }
    bool numberValue()
    {
        take('-') || take('+');
        if (!digitsOrNone()) return false;
        if (take('.')) digitsOrNone();
        if (take('E')) {
            take('-') || take('+');
            return digitsOrNone();
        }
        return true;
    }
    bool value()
    {
        if (m_at >= m_text.size()) return false;
        const char c = m_text[m_at];
        if (c == '$' || c == '*') return ++m_at, true;
        if (c == '\'') return ++m_at, stringValue();
        if (c == '#') {
            const int id = number();
            references.insert(id);
            return id > 0;
        }
        if (c == '.') return ++m_at, !keyword().empty() && take('.');
        if (c == '(') {
            ++m_at;
            if (take(')')) return true;
            do {
                if (!value()) return false;
            } while (take(','));
            return take(')');
        }
        if (std::isupper(static_cast<unsigned char>(c))) return !keyword().empty() && take('(') && value() && take(')');
        return numberValue();
    }

    std::string m_text;
    std::size_t m_at = 0;
};

// The attribute count of each IFC4 entity type the export writes (ISO 16739-1:2018, inherited
// attributes included).
const std::map<std::string, std::size_t> kIfc4AttributeCounts = {
    {"IFCAXIS2PLACEMENT2D", 2},
    {"IFCAXIS2PLACEMENT3D", 3},
    {"IFCBUILDING", 12},
    {"IFCBUILDINGELEMENTPROXY", 9},
    {"IFCBUILDINGSTOREY", 10},
    {"IFCCARTESIANPOINT", 1},
    {"IFCCOLOURRGB", 4},
    {"IFCDIRECTION", 1},
    {"IFCELEMENTQUANTITY", 6},
    {"IFCEXTRUDEDAREASOLID", 4},
    {"IFCFOOTING", 9},
    {"IFCGEOGRAPHICELEMENT", 9},
    {"IFCGEOMETRICREPRESENTATIONCONTEXT", 6},
    {"IFCGEOMETRICREPRESENTATIONSUBCONTEXT", 10},
    {"IFCLOCALPLACEMENT", 2},
    {"IFCPRODUCTDEFINITIONSHAPE", 3},
    {"IFCPROJECT", 9},
    {"IFCQUANTITYAREA", 5},
    {"IFCQUANTITYLENGTH", 5},
    {"IFCQUANTITYVOLUME", 5},
    {"IFCRECTANGLEPROFILEDEF", 5},
    {"IFCRELAGGREGATES", 6},
    {"IFCRELCONTAINEDINSPATIALSTRUCTURE", 6},
    {"IFCRELDEFINESBYPROPERTIES", 6},
    {"IFCSHAPEREPRESENTATION", 4},
    {"IFCSITE", 14},
    {"IFCSIUNIT", 4},
    {"IFCSLAB", 9},
    {"IFCSPACE", 11},
    {"IFCSTYLEDITEM", 3},
    {"IFCSURFACESTYLE", 3},
    {"IFCSURFACESTYLERENDERING", 9},
    {"IFCUNITASSIGNMENT", 1},
};

// A whole IFC file read strictly: its header lines and its entities by id, with failures reported.
struct StepFile {
    std::vector<std::string> header;  // FILE_DESCRIPTION, FILE_NAME, FILE_SCHEMA
    std::map<int, Entity> entities;
};

StepFile readStrictly(const std::string& ifc)
{
    std::istringstream in(ifc);
    std::string text;
    std::vector<std::string> lines;
    while (std::getline(in, text)) lines.push_back(text);
    if (lines.size() < 10) {
        ADD_FAILURE() << "too short: " << ifc;
        return {};
    }
    EXPECT_EQ(lines.at(0), "ISO-10303-21;");
    EXPECT_EQ(lines.at(1), "HEADER;");
    EXPECT_EQ(lines.at(5), "ENDSEC;");
    EXPECT_EQ(lines.at(6), "DATA;");
    EXPECT_EQ(lines.at(lines.size() - 2), "ENDSEC;");
    EXPECT_EQ(lines.back(), "END-ISO-10303-21;");
    StepReader reader;
    for (std::size_t i = 7; i + 2 < lines.size(); ++i) reader.line(lines[i], static_cast<int>(i - 6));
    EXPECT_EQ(reader.problem, "");
    for (const auto& [id, entity] : reader.entities) {
        const auto count = kIfc4AttributeCounts.find(entity.type);
        if (count == kIfc4AttributeCounts.end()) {
            ADD_FAILURE() << "#" << id << ": " << entity.type << " is not in the table of IFC4 types";
        } else {
            EXPECT_EQ(entity.attributes, count->second) << "#" << id << "=" << entity.type;
        }
    }
    for (int id : reader.references) EXPECT_EQ(reader.entities.count(id), 1u) << "#" << id << " is not defined";
    return {{lines[2], lines[3], lines[4]}, reader.entities};
}

std::size_t countOf(const std::map<int, Entity>& entities, const std::string& type)
{
    std::size_t count = 0;
    for (const auto& entry : entities) count += entry.second.type == type ? 1 : 0;
    return count;
}

// The items of a STEP list "(a,'b,c',(d,e))": "a", "'b,c'", "(d,e)".
std::vector<std::string> itemsOf(const std::string& list)
{
    std::vector<std::string> items;
    std::string item;
    int depth = 0;
    bool quoted = false;
    for (std::size_t i = 1; i + 1 < list.size(); ++i) {
        const char c = list[i];
        quoted = c == '\'' ? !quoted : quoted;  // '' inside a string toggles twice
        depth += quoted ? 0 : c == '(' ? 1 : c == ')' ? -1 : 0;
        if (!quoted && depth == 0 && c == ',') {
            items.push_back(item);
            item.clear();
        } else {
            item += c;
        }
    }
    if (!item.empty()) items.push_back(item);
    return items;
}

int idOf(const std::string& reference) { return reference.size() > 1 && reference[0] == '#' ? std::stoi(reference.substr(1)) : 0; }

// 'YYYY-MM-DDThh:mm:ss', then Z or an offset ±hh:mm or nothing: ISO 8601 as the header policy asks.
bool isIsoTimeStamp(const std::string& quoted)
{
    const std::string form = "'dddd-dd-ddTdd:dd:dd";
    if (quoted.size() < form.size() + 1 || quoted.back() != '\'') return false;
    for (std::size_t i = 0; i < form.size(); ++i) {
        if (form[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(quoted[i])) : quoted[i] != form[i]) return false;
    }
    const std::string zone = quoted.substr(form.size(), quoted.size() - form.size() - 1);
    return zone.empty() || zone == "Z" ||
           (zone.size() == 6 && (zone[0] == '+' || zone[0] == '-') && std::isdigit(static_cast<unsigned char>(zone[1])) &&
            std::isdigit(static_cast<unsigned char>(zone[2])) && zone[3] == ':' &&
            std::isdigit(static_cast<unsigned char>(zone[4])) && std::isdigit(static_cast<unsigned char>(zone[5])));
}

// 'organisation - application - version', none of the three empty or holding a '-'.
bool isOrganisationApplicationVersion(const std::string& quoted)
{
    if (quoted.size() < 2 || quoted.front() != '\'' || quoted.back() != '\'') return false;
    std::string rest = quoted.substr(1, quoted.size() - 2) + " - ";
    int parts = 0;
    for (std::size_t at; (at = rest.find(" - ")) != std::string::npos; rest.erase(0, at + 3), ++parts) {
        if (at == 0 || rest.substr(0, at).find('-') != std::string::npos) return false;
    }
    return parts == 3 && rest.empty();
}

// '22 characters of IFC's base 64, the first 0 to 3'.
bool isGlobalId(const std::string& quoted)
{
    static const std::string digits = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_$";
    if (quoted.size() != 24 || quoted.front() != '\'' || quoted.back() != '\'' || quoted[1] < '0' || quoted[1] > '3') return false;
    return quoted.find_first_not_of(digits, 1) == 23;
}

// The checks of the validation service's rules that this export could break, each failure a line
// that names the rule.
std::vector<std::string> ruleFailures(const StepFile& file)
{
    const std::map<int, Entity>& all = file.entities;
    std::vector<std::string> failures;
    const auto fail = [&](const std::string& rule, const std::string& what) { failures.push_back(rule + ": " + what); };
    const auto entity = [&](const std::string& reference) -> const Entity& {
        static const Entity none;
        const auto found = all.find(idOf(reference));
        return found == all.end() ? none : found->second;
    };
    const auto value = [&](const std::string& reference, std::size_t i) {
        const Entity& e = entity(reference);
        return i < e.values.size() ? e.values[i] : std::string();
    };

    // IFC101: a schema the service knows. Header policy: an ISO 8601 time stamp, the originating
    // system as "organisation - application - version" with no '-' inside them.
    if (file.header.size() != 3 || file.header[2] != "FILE_SCHEMA(('IFC4'));") fail("IFC101", "schema");
    const std::string fileName = file.header.size() == 3 ? file.header[1] : "";
    const std::vector<std::string> name = fileName.rfind("FILE_NAME(", 0) == 0 && fileName.size() > 11
                                              ? itemsOf(fileName.substr(9, fileName.size() - 10))
                                              : std::vector<std::string>{};
    if (name.size() != 7 || !isIsoTimeStamp(name[1])) fail("header", "time stamp in " + fileName);
    if (name.size() != 7 || !isOrganisationApplicationVersion(name[5])) fail("header", "originating system in " + fileName);
    // PJS101: one project. PJS003 and the uniqueness rule: each GlobalId 22 characters of IFC's
    // alphabet, the first 0 to 3, and no two alike.
    if (countOf(all, "IFCPROJECT") != 1) fail("PJS101", std::to_string(countOf(all, "IFCPROJECT")) + " projects");
    static const std::set<std::string> spatial = {"IFCSITE", "IFCBUILDING", "IFCBUILDINGSTOREY", "IFCSPACE"};
    static const std::set<std::string> elements = {"IFCSLAB", "IFCFOOTING", "IFCBUILDINGELEMENTPROXY", "IFCGEOGRAPHICELEMENT"};
    static const std::set<std::string> others = {"IFCPROJECT", "IFCRELAGGREGATES", "IFCRELCONTAINEDINSPATIALSTRUCTURE",
                                                 "IFCRELDEFINESBYPROPERTIES", "IFCELEMENTQUANTITY"};
    std::set<std::string> guids;
    for (const auto& [id, e] : all) {
        if (!spatial.count(e.type) && !elements.count(e.type) && !others.count(e.type)) continue;
        if (!isGlobalId(e.values.at(0))) fail("PJS003", "#" + std::to_string(id) + " " + e.values.at(0));
        if (!guids.insert(e.values.at(0)).second) fail("uniqueness", "#" + std::to_string(id) + " " + e.values.at(0));
    }
    // SPS002: project -> site -> building -> storey, a storey into PARTIAL storeys and spaces.
    std::map<int, int> wholeOf;
    for (const auto& [id, e] : all) {
        if (e.type != "IFCRELAGGREGATES") continue;
        const std::string& whole = entity(e.values.at(4)).type;
        for (const std::string& part : itemsOf(e.values.at(5))) {
            const std::string& type = entity(part).type;
            const bool allowed = (whole == "IFCPROJECT" && type == "IFCSITE") || (whole == "IFCSITE" && type == "IFCBUILDING") ||
                                 (whole == "IFCBUILDING" && type == "IFCBUILDINGSTOREY") ||
                                 (whole == "IFCBUILDINGSTOREY" && type == "IFCSPACE") ||
                                 (whole == "IFCBUILDINGSTOREY" && type == "IFCBUILDINGSTOREY" && value(part, 8) == ".PARTIAL.");
            if (!allowed) fail("SPS002", whole + " aggregates " + type);
            if (!wholeOf.emplace(idOf(part), idOf(e.values.at(4))).second) fail("SPS002", part + " in two wholes");
        }
    }
    // SPS007: every element in a spatial structure, once; every spatial element under the project.
    std::map<int, int> containerOf;
    for (const auto& [id, e] : all) {
        if (e.type != "IFCRELCONTAINEDINSPATIALSTRUCTURE") continue;
        if (!spatial.count(entity(e.values.at(5)).type)) fail("SPS007", "contained in a " + entity(e.values.at(5)).type);
        for (const std::string& element : itemsOf(e.values.at(4))) {
            if (!containerOf.emplace(idOf(element), idOf(e.values.at(5))).second) fail("SPS007", element + " contained twice");
        }
    }
    for (const auto& [id, e] : all) {
        if (elements.count(e.type) && !containerOf.count(id)) fail("SPS007", e.type + " #" + std::to_string(id) + " not contained");
        if (spatial.count(e.type) && !wholeOf.count(id)) fail("SPS002", e.type + " #" + std::to_string(id) + " in nothing");
        // SPS008: site, building and storey carry no representation.
        if (spatial.count(e.type) && e.type != "IFCSPACE" && e.values.at(6) != "$") fail("SPS008", e.type + " has a body");
    }
    // GEM051: one 3D model context; GEM052: its "Body" sub-context, which every body is drawn in.
    int context = 0, body = 0;
    for (const auto& [id, e] : all) {
        if (e.type == "IFCGEOMETRICREPRESENTATIONCONTEXT" && e.values.at(1) == "'Model'" && e.values.at(2) == "3") {
            if (context) fail("GEM051", "two model contexts");
            context = id;
        }
    }
    if (!context) fail("GEM051", "no 3D model context");
    for (const auto& [id, e] : all) {
        if (e.type == "IFCGEOMETRICREPRESENTATIONSUBCONTEXT" && e.values.at(0) == "'Body'" && idOf(e.values.at(6)) == context &&
            e.values.at(8) == ".MODEL_VIEW.") {
            body = id;
        }
    }
    if (!body) fail("GEM052", "no Body sub-context");
    for (const auto& [id, e] : all) {
        if (e.type == "IFCSHAPEREPRESENTATION" && (idOf(e.values.at(0)) != body || e.values.at(1) != "'Body'")) {
            fail("GEM052", "#" + std::to_string(id) + " outside the Body sub-context");
        }
    }
    // A storey's Elevation is the height its placements come to.
    const auto placedZ = [&](std::string placement) {
        double z = 0;
        for (; placement != "$"; placement = value(placement, 0)) {
            const std::string axes = value(placement, 1);
            if (value(axes, 1) != "$" || value(axes, 2) != "$") return std::nan("");
            z += std::stod(itemsOf(value(value(axes, 0), 0)).at(2));
        }
        return z;
    };
    for (const auto& [id, e] : all) {
        if (e.type == "IFCBUILDINGSTOREY" && std::stod(e.values.at(9)) != placedZ(e.values.at(5))) {
            fail("storey elevation", e.values.at(2) + " " + e.values.at(9));
        }
    }
    // No length of 0 or less: profiles, extrusions and length quantities.
    const std::pair<const char*, std::size_t> lengths[] = {{"IFCRECTANGLEPROFILEDEF", 3}, {"IFCRECTANGLEPROFILEDEF", 4},
                                                           {"IFCEXTRUDEDAREASOLID", 3},   {"IFCQUANTITYLENGTH", 3},
                                                           {"IFCQUANTITYAREA", 3},        {"IFCQUANTITYVOLUME", 3}};
    for (const auto& [id, e] : all) {
        for (const auto& [type, index] : lengths) {
            if (e.type == type && !(std::stod(e.values.at(index)) > 0)) fail("positive length", "#" + std::to_string(id));
        }
    }
    return failures;
}

// The GlobalIds of the named objects of one type: name -> GlobalId.
std::map<std::string, std::string> globalIdsOf(const StepFile& file, const std::string& type)
{
    std::map<std::string, std::string> ids;
    for (const auto& [id, e] : file.entities) {
        if (e.type == type) ids[e.values.at(2)] = e.values.at(0);
    }
    return ids;
}

// The bytes of a scene built here.
std::string sceneBytes(void (*build)(CWScene&), const testutil::TempDir& dir)
{
    CWScene scene;
    build(scene);
    EXPECT_EQ(scene.Save(dir.file("built.cws")), 1);
    return testutil::readFile(dir.file("built.cws"));
}

// A scene of another program: two boxes on a frame 1 m up, no level names.
void buildPlainScene(CWScene& scene)
{
    CWMaterial red;
    red.SetName("red");
    red.SetColor1(200, 0, 0);
    scene.AddMaterial(red);
    CWFrame root;
    root.SetName("table");
    root.SetPosition(0, 0, 1000);
    for (int i = 0; i < 2; ++i) {
        CWCube box;
        box.SetName(("leg" + std::to_string(i)).c_str());
        box.SetPosition(static_cast<float>(500 * i), 0, 50);
        box.SetSize(40, 60, 100);
        box.SetMaterialIndex(static_cast<std::int16_t>(i - 1));  // the first has none
        root.AddShape(box);
    }
    scene.SetUnit(0);
    scene.SetRootFrame(root);
}

// A split level named as the wizard names it, with the heights of the file, not the wizard's rules:
// frames side by side under one root, at absolute heights in mm. Storey 2 is 3000 high (room 2600),
// the mezzanine between 1 and 2 has no storey of its own above it in its block, so its gross height
// runs to its roof.
void buildOddSplitLevel(CWScene& scene)
{
    const std::pair<const char*, float> levels[] = {
        {"1階間取り", 300},  {"1階インテリア", 500},   {"1階天井", 2700},   {"2階インテリア", 3000},
        {"2階天井", 5600},   {"2階屋根", 6000},        {"中2階間取り", 1600}, {"中2階インテリア", 1800},
        {"中2階天井", 4100}, {"中2階屋根", 4400},      {"外構", 0},
    };
    CWFrame root;
    root.SetName("root");
    for (const auto& [name, z] : levels) {
        CWFrame frame;
        frame.SetName(testutil::toCp932(name).c_str());
        frame.SetPosition(0, 0, z);
        root.AddChild(frame);
    }
    scene.SetUnit(0);
    scene.SetRootFrame(root);
}

// ---------------------------------------------------------------------------------------------------
// Tests

TEST(StepWriter, SpellsEachKindOfValueAsTheStandardDoes)
{
    using namespace cwstool::step;
    const struct { const char* what; Value value; const char* expected; } rows[] = {
        {"plain", string("Body"), "'Body'"},
        {"empty", string(""), "''"},
        {"quote and backslash doubled", string("it's a\\b"), "'it''s a\\\\b'"},
        {"one run per stretch of non-ASCII", string("中2階"), "'\\X2\\4E2D\\X0\\2\\X2\\968E\\X0\\'"},
        {"a run of two", string("基礎"), "'\\X2\\57FA790E\\X0\\'"},
        {"beyond the BMP", string("\xF0\x9F\x8F\xA0!"), "'\\X4\\0001F3E0\\X0\\!'"},
        {"BMP then beyond", string("\xE9\x9A\x8E\xF0\x9F\x8F\xA0"), "'\\X2\\968E\\X0\\\\X4\\0001F3E0\\X0\\'"},
        {"a control character", string("a\nb"), "'a\\X2\\000A\\X0\\b'"},
        {"a byte that is not UTF-8", string("a\xFF"), "'a\\X2\\FFFD\\X0\\'"},
        {"whole real", real(610), "610."},
        {"fraction", real(0.5), "0.5"},
        {"negative", real(-610), "-610."},
        {"negative zero", real(-0.0), "0."},
        {"shortest digits", real(0.1), "0.1"},
        {"small", real(1e-5), "1.E-005"},
        {"large", real(2.5e20), "2.5E+020"},
        {"integer", integer(3), "3"},
        {"enumeration", enumeration("ELEMENT"), ".ELEMENT."},
        {"reference", reference(12), "#12"},
        {"list", list({real(0), real(0), real(1)}), "(0.,0.,1.)"},
        {"empty list", list(std::vector<Value>{}), "()"},
        {"unset", unset(), "$"},
        {"derived", derived(), "*"},
    };
    for (const auto& row : rows) EXPECT_EQ(row.value.text, row.expected) << row.what;

    File file;
    file.begin({"ViewDefinition [X]", "a.ifc", "2026-12-08T00:00:00+00:00", "p 1", "o 1", "IFC4"});
    EXPECT_EQ(file.add("IFCDIRECTION", {list({real(1), real(0), real(0)})}), 1);
    EXPECT_EQ(file.add("IFCAXIS2PLACEMENT3D", {reference(1), unset(), unset()}), 2);
    file.end();
    EXPECT_EQ(file.text(), "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('ViewDefinition [X]'),'2;1');\n"
                           "FILE_NAME('a.ifc','2026-12-08T00:00:00+00:00',(''),(''),'p 1','o 1','');\n"
                           "FILE_SCHEMA(('IFC4'));\nENDSEC;\nDATA;\n#1=IFCDIRECTION((1.,0.,0.));\n"
                           "#2=IFCAXIS2PLACEMENT3D(#1,$,$);\nENDSEC;\nEND-ISO-10303-21;\n");

    // Seconds since 1970 as ISO 8601 in UTC, across a leap day and the years' ends.
    const std::pair<std::int64_t, const char*> stamps[] = {
        {0, "1970-01-01T00:00:00+00:00"},          {951782400, "2000-02-29T00:00:00+00:00"},
        {1796688000 + 1500, "2026-12-08T00:25:00+00:00"}, {4102444799, "2099-12-31T23:59:59+00:00"},
        {-1, "1969-12-31T23:59:59+00:00"},
    };
    for (const auto& [seconds, text] : stamps) EXPECT_EQ(cwstool::ifcTimeStamp(seconds), text) << seconds;
}

TEST(IfcGlobalId, TwentyTwoDigitsOfBase64FromTheIdentityAndTheRole)
{
    // 128 bits as 22 digits, most significant first; the first digit holds the top 2 bits.
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 0), "0000000000000000000000");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 1), "0000000000000000000001");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 64 + 63), "000000000000000000001$");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 62), "000000000000000000000_");
    EXPECT_EQ(cwstool::ifcGlobalIdText(1ull << 63, 0), "2000000000000000000000");
    EXPECT_EQ(cwstool::ifcGlobalIdText(~0ull, ~0ull), "3$$$$$$$$$$$$$$$$$$$$$");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 1ull << 63), "0000000000080000000000");  // bit 63: 63 = 6 * 10 + 3

    const cwstool::GlobalIds first("house"), again("house"), other("house2");
    const std::string id = first("storey/1階");
    EXPECT_EQ(id, again("storey/1階"));
    EXPECT_NE(id, other("storey/1階"));
    EXPECT_NE(id, first("storey/2階"));
}

TEST(IfcExport, StoreysStackByTheirOwnHeightsAndMezzaninesJoinTheMainStoreyBelow)
{
    const double nan = NAN;
    const struct {
        const char* what;
        std::vector<std::pair<const char*, double>> levels;
        // name elevation gross net PARTIAL/ELEMENT in, the foot of its floor slab, its roof
        std::vector<std::string> expected;
    } rows[] = {
        {"the wizard's names, unequal heights, listed out of order",
         {{"中3階インテリア", 4800}, {"2階インテリア", 3300}, {"1階インテリア", 600}, {"1階天井", 2800}, {"中2階インテリア", 2000},
          {"中2階天井", 4300}, {"2階天井", 5500}, {"2階屋根", 5900}, {"中3階天井", 7000}},
         {"1階 600 2700 2200 ELEMENT - nan nan", "2階 3300 2600 2200 ELEMENT - 2800 5900",
          "中2階 2000 2800 2300 PARTIAL 1階 nan nan", "中3階 4800 nan 2200 PARTIAL 2階 4300 nan"}},
        {"a block's lowest slab: from the first floor's plan, twice a mezzanine's plan's depth under it",
         {{"1階間取り", 400}, {"1階インテリア", 610}, {"中2階間取り", 1810}, {"中2階インテリア", 2060}, {"中2階屋根", 4000}},
         {"1階 610 nan nan ELEMENT - 400 nan", "中2階 2060 1940 nan PARTIAL 1階 1560 4000"}},
        {"a mezzanine below every main storey joins the lowest",
         {{"1階インテリア", 1000}, {"2階インテリア", 4000}, {"中1階インテリア", 200}},
         {"1階 1000 3000 nan ELEMENT - nan nan", "2階 4000 nan nan ELEMENT - nan nan", "中1階 200 nan nan PARTIAL 1階 nan nan"}},
        {"equal elevations: the mezzanine is part of that storey",
         {{"1階インテリア", 1000}, {"2階インテリア", 4000}, {"中2階インテリア", 4000}},
         {"1階 1000 3000 nan ELEMENT - nan nan", "2階 4000 nan nan ELEMENT - nan nan", "中2階 4000 nan nan PARTIAL 2階 nan nan"}},
        {"mezzanines alone are whole storeys", {{"中2階インテリア", 2000}, {"中2階天井", 1500}},
         {"中2階 2000 nan -500 ELEMENT - nan nan"}},
        {"no interior, no storey; other names and heights that are not finite count nothing",
         {{"1階天井", 2800}, {"エクステリア", 0}, {"2階インテリア", nan}}, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        cwstool::Storeys storeys;
        for (const auto& [name, height] : row.levels) storeys.note(name, height);
        const std::vector<cwstool::IfcStorey> laid = cwstool::ifcStoreys(storeys);
        std::vector<std::string> got;
        const auto text = [](double v) { return std::isnan(v) ? std::string("nan") : std::to_string(static_cast<long>(v)); };
        for (const cwstool::IfcStorey& s : laid) {
            got.push_back(s.name + " " + text(s.elevation) + " " + text(s.grossHeight) + " " + text(s.netHeight) +
                          (s.partial ? " PARTIAL " : " ELEMENT ") +
                          (s.parent >= 0 ? laid.at(static_cast<std::size_t>(s.parent)).name : "-") + " " + text(s.slabBottom) +
                          " " + text(s.roof));
        }
        EXPECT_EQ(got, row.expected);
    }
}

// The readers not written here. The native build names their commands in SKIPFLOOR_IFC_READ (web-ifc,
// tests/tools/ifc-read.js) and SKIPFLOOR_IFCPP_READ (IfcPlusPlus, tests/tools/ifcpp-read.cpp); the
// Windows build, whose tests run under Wine, leaves them empty.
std::string readWith(const char* command, const std::string& ifcPath)
{
    const std::string report = ifcPath + ".txt";
    const int status = std::system((std::string(command) + " '" + ifcPath + "' >'" + report + "' 2>&1").c_str());
    const std::string output = testutil::readFile(report);
    EXPECT_EQ(status, 0) << command << ": " << output << "(both readers are installed by scripts/install-deps.sh all)";
    return output;
}

bool readersHere() { return !std::string(SKIPFLOOR_IFC_READ).empty(); }

// Skips the test where the build has no readers (the Windows build), and skips it with the reason, or
// fails it under the test command, where one is not installed.
#define NEEDS_IFC_READERS()                                                                         \
    do {                                                                                            \
        if (!readersHere()) GTEST_SKIP() << "no IFC reader in this build";                          \
        SKIPFLOOR_NEEDS_NODE_TOOL("web-ifc");                                                       \
        SKIPFLOOR_NEEDS_TOOL(std::string(SKIPFLOOR_IFCPP_READ).empty()                              \
                                 ? "IfcPlusPlus is not installed (libifcplusplus-dev and libboost-dev, " \
                                   "scripts/install-deps.sh all)"                                   \
                                 : "");                                                             \
    } while (false)

// Each line of IfcPlusPlus's listing (storeys, spaces, slabs) as web-ifc gives it: web-ifc's storey
// lines go on with the quantities.
void expectReadersAgree(const std::string& webIfc, const std::string& ifcpp)
{
    std::istringstream lines(ifcpp);
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_TRUE(webIfc.find(line + "\n") != std::string::npos || webIfc.find(line + " gross") != std::string::npos)
            << "IfcPlusPlus: " << line << "\nweb-ifc:\n" << webIfc;
    }
    EXPECT_GT(count, 0u);
}

// An export as cwstool writes it, by the command line, read strictly, with the rules checked.
StepFile exportChecked(const std::vector<std::string>& args, const std::string& expectedErr = "")
{
    const cwstooltest::Outcome result = silentCwstool(args);
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, expectedErr);
    StepFile file = readStrictly(testutil::readFile(args.back()));
    EXPECT_EQ(ruleFailures(file), std::vector<std::string>{});
    return file;
}

TEST(IfcExport, WizardScenesPassTheRulesAndBothReadersListStoreysSpacesAndSlabs)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    const StepFile file = exportChecked({"export", dir.file("zendel.cws"), dir.file("house.ifc")});
    const std::pair<const char*, std::size_t> counts[] = {{"IFCBUILDINGSTOREY", 7}, {"IFCSPACE", 7}, {"IFCSLAB", 9},
                                                          {"IFCFOOTING", 1},        {"IFCGEOGRAPHICELEMENT", 1},
                                                          {"IFCBUILDINGELEMENTPROXY", 0}, {"IFCELEMENTQUANTITY", 23}};
    for (const auto& [type, count] : counts) EXPECT_EQ(countOf(file.entities, type), count) << type;
    EXPECT_NE(file.header[1].find("'Skip floor wizard developers - cwstool - "), std::string::npos);

    // The same file gives the same bytes.
    const std::string ifc = testutil::readFile(dir.file("house.ifc"));
    ASSERT_EQ(silentCwstool({"export", dir.file("zendel.cws"), dir.file("house.ifc")}).status, 0);
    EXPECT_EQ(testutil::readFile(dir.file("house.ifc")), ifc);

    NEEDS_IFC_READERS();
    // The wizard's defaults: main floors 2900 apart from 610, the mezzanines half a level (1450) above
    // each, rooms 2400 high over half of the 10 m square each. The floor slabs: t1 = 210 under 1階, t
    // = 500 under the others, from the ceiling below or, for 中2階, twice as far below its interior as
    // its plan (1810) is, the plans of the upper storeys lying in the middle of their slabs.
    const std::string webIfc = readWith(SKIPFLOOR_IFC_READ, dir.file("house.ifc"));
    EXPECT_EQ(webIfc,
              "schema IFC4\n"
              "length unit MILLI METRE\n"
              "site 敷地\n"
              "storey 1階 ELEMENT elevation 610 placed at 610 in IfcBuilding zendel gross 2900 net 2400\n"
              "storey 2階 ELEMENT elevation 3510 placed at 3510 in IfcBuilding zendel gross 2900 net 2400\n"
              "storey 3階 ELEMENT elevation 6410 placed at 6410 in IfcBuilding zendel gross 2900 net 2400\n"
              "storey 4階 ELEMENT elevation 9310 placed at 9310 in IfcBuilding zendel gross 2650 net 2400\n"
              "storey 中2階 PARTIAL elevation 2060 placed at 2060 in IfcBuildingStorey 1階 gross 2900 net 2400\n"
              "storey 中3階 PARTIAL elevation 4960 placed at 4960 in IfcBuildingStorey 2階 gross 2900 net 2400\n"
              "storey 中4階 PARTIAL elevation 7860 placed at 7860 in IfcBuildingStorey 3階 gross 2650 net 2400\n"
              "IfcSpace 1階 10000 x 5000 x 2400 from z 610 in 1階\n"
              "IfcSpace 2階 10000 x 5000 x 2400 from z 3510 in 2階\n"
              "IfcSpace 3階 10000 x 5000 x 2400 from z 6410 in 3階\n"
              "IfcSpace 4階 10000 x 5000 x 2400 from z 9310 in 4階\n"
              "IfcSpace 中2階 10000 x 5000 x 2400 from z 2060 in 中2階\n"
              "IfcSpace 中3階 10000 x 5000 x 2400 from z 4960 in 中3階\n"
              "IfcSpace 中4階 10000 x 5000 x 2400 from z 7860 in 中4階\n"
              "IfcSlab 1階床 FLOOR 10000 x 5000 x 210 from z 400 in 1階\n"
              "IfcSlab 2階床 FLOOR 10000 x 5000 x 500 from z 3010 in 2階\n"
              "IfcSlab 3階床 FLOOR 10000 x 5000 x 500 from z 5910 in 3階\n"
              "IfcSlab 4階床 FLOOR 10000 x 5000 x 500 from z 8810 in 4階\n"
              "IfcSlab 4階屋根 ROOF 10000 x 5000 x 250 from z 11710 in 4階\n"
              "IfcSlab 中2階床 FLOOR 10000 x 5000 x 500 from z 1560 in 中2階\n"
              "IfcSlab 中3階床 FLOOR 10000 x 5000 x 500 from z 4460 in 中3階\n"
              "IfcSlab 中4階床 FLOOR 10000 x 5000 x 500 from z 7360 in 中4階\n"
              "IfcSlab 中4階屋根 ROOF 10000 x 5000 x 250 from z 10260 in 中4階\n"
              "IfcFooting 基礎 10000 x 10000 x 400 from z 0 in 1階\n"
              "IfcGeographicElement 敷地 TERRAIN 15000 x 15000 x 100 from z -100 in 敷地\n"
              "globalids 93 valid unique\n");
    expectReadersAgree(webIfc, readWith(SKIPFLOOR_IFCPP_READ, dir.file("house.ifc")));

    // Room height 1 at 2000: 1階 and 中2階 (over it) 400 lower, and everything above 1階's ceiling;
    // the slabs keep their thicknesses.
    testutil::writeFile(dir.file("h1.cws"), golden("zendel-h1-2000.hex"));
    exportChecked({"export", dir.file("h1.cws"), dir.file("h1.ifc")});
    const std::string lower = readWith(SKIPFLOOR_IFC_READ, dir.file("h1.ifc"));
    for (const char* line : {"storey 2階 ELEMENT elevation 3110 placed at 3110", "IfcSpace 1階 10000 x 5000 x 2000 from z 610",
                             "IfcSlab 2階床 FLOOR 10000 x 5000 x 500 from z 2610", "IfcSpace 中2階 10000 x 5000 x 2000 from z 2060"}) {
        EXPECT_NE(lower.find(line), std::string::npos) << line << "\n" << lower;
    }
    expectReadersAgree(lower, readWith(SKIPFLOOR_IFCPP_READ, dir.file("h1.ifc")));
}

TEST(IfcExport, GlobalIdsFollowTheIdentityAndTheRoleNotTheDimensions)
{
    // The identity is the scene file's name unless --id gives one: house.cws before and after a change.
    testutil::TempDir dir;
    std::filesystem::create_directory(std::filesystem::u8path(dir.file("changed")));
    testutil::writeFile(dir.file("house.cws"), golden("zendel-default.hex"));
    testutil::writeFile(dir.file("changed/house.cws"), golden("zendel-h1-2000.hex"));
    const StepFile before = exportChecked({"export", dir.file("house.cws"), dir.file("before.ifc")});
    const StepFile after = exportChecked({"export", dir.file("changed/house.cws"), dir.file("after.ifc")});
    const StepFile other = exportChecked({"export", "--id", "house 2", dir.file("house.cws"), dir.file("other.ifc")});
    std::set<std::string> otherIds;
    for (const auto& [id, e] : other.entities) {
        if (e.values.size() > 1 && e.values[0].size() == 24 && e.values[1] == "$") otherIds.insert(e.values[0]);
    }
    for (const char* type : {"IFCPROJECT", "IFCBUILDINGSTOREY", "IFCSPACE", "IFCSLAB", "IFCFOOTING", "IFCGEOGRAPHICELEMENT"}) {
        const auto ids = globalIdsOf(before, type);
        EXPECT_FALSE(ids.empty()) << type;
        EXPECT_EQ(globalIdsOf(after, type), ids) << type;  // room height 1 changed, the same identity
        for (const auto& [name, id] : ids) EXPECT_EQ(otherIds.count(id), 0u) << type << " " << name;
    }
}

// A parseable SOURCE_DATE_EPOCH or none (putenv: the C runtimes of both builds have it).
void setSourceDateEpoch(const char* seconds)
{
    static std::string setting;
    setting = std::string("SOURCE_DATE_EPOCH=") + seconds;
    ::putenv(setting.data());
}

TEST(IfcExport, TimeStampIsSourceDateEpochElseTheSceneFilesTime)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    const auto stampOf = [&](const char* out) {
        const std::string ifc = testutil::readFile(dir.file(out));
        const std::size_t at = ifc.find("FILE_NAME('") + std::string("FILE_NAME('").size() + std::string(out).size() + 3;
        return ifc.substr(at, 25);
    };
    namespace fs = std::filesystem;
    const fs::path scene = fs::u8path(dir.file("zendel.cws"));
    fs::last_write_time(scene, fs::last_write_time(scene) - std::chrono::hours(24 * 400));
    ASSERT_EQ(silentCwstool({"export", dir.file("zendel.cws"), dir.file("a.ifc")}).status, 0);
    fs::last_write_time(scene, fs::last_write_time(scene) + std::chrono::hours(24));
    ASSERT_EQ(silentCwstool({"export", dir.file("zendel.cws"), dir.file("b.ifc")}).status, 0);
    EXPECT_NE(stampOf("a.ifc"), stampOf("b.ifc"));  // a day later
    setSourceDateEpoch("1796688000");
    ASSERT_EQ(silentCwstool({"export", dir.file("zendel.cws"), dir.file("c.ifc")}).status, 0);
    const std::string first = testutil::readFile(dir.file("c.ifc"));
    fs::last_write_time(scene, fs::last_write_time(scene) + std::chrono::hours(24));
    ASSERT_EQ(silentCwstool({"export", dir.file("zendel.cws"), dir.file("c.ifc")}).status, 0);
    setSourceDateEpoch("yesterday");
    const cwstooltest::Outcome refused = silentCwstool({"export", dir.file("zendel.cws"), dir.file("e.ifc")});
    setSourceDateEpoch("");
    EXPECT_EQ(stampOf("a.ifc").substr(10), stampOf("b.ifc").substr(10));  // the same time of day
    EXPECT_EQ(stampOf("c.ifc"), "2026-12-08T00:00:00+00:00");
    EXPECT_TRUE(testutil::readFile(dir.file("c.ifc")) == first);  // another day, the same bytes
    EXPECT_EQ(refused.err, "cwstool: warning: SOURCE_DATE_EPOCH 'yesterday' is not a number of seconds: the scene file's "
                           "time is used\n");
    EXPECT_NE(stampOf("e.ifc"), stampOf("c.ifc"));
}

TEST(IfcExport, SceneOfAnotherProgramGetsProxiesInOneStoreyWithAWarning)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("table.cws"), sceneBytes(buildPlainScene, dir));
    const StepFile file = exportChecked({"export", dir.file("table.cws"), dir.file("table.ifc")},
                                        "cwstool: " + dir.file("table.cws") +
                                            ": warning: no frame is named as the wizard names a storey's levels: the boxes "
                                            "are building element proxies in one storey at height 0\n");
    EXPECT_EQ(countOf(file.entities, "IFCBUILDINGSTOREY"), 1u);
    EXPECT_EQ(countOf(file.entities, "IFCBUILDINGELEMENTPROXY"), 2u);
    EXPECT_EQ(countOf(file.entities, "IFCSPACE") + countOf(file.entities, "IFCSLAB"), 0u);
    EXPECT_EQ(countOf(file.entities, "IFCSURFACESTYLE"), 1u);  // the second leg's red; the first has no material

    // A turned box is placed unturned, one that cannot be placed is left out, one of no volume has no
    // body, each said; a thousand and more boxes take more than one containment relation.
    CWScene scene;
    buildPlainScene(scene);
    CWFrame root = *scene.rootFrame();
    CWCube turned, lost, flat;
    turned.SetRotation(0, 0, 30);
    turned.SetSize(1, 1, 1);
    lost.SetSize(NAN, 1, 1);
    flat.SetName("flat");
    flat.SetSize(1, 0, 1);
    for (CWCube* box : {&turned, &lost, &flat}) root.AddShape(*box);
    CWFrame many;
    many.SetName("many");
    CWCube small;
    small.SetSize(1, 1, 1);
    for (int i = 0; i < 1000; ++i) many.AddShape(small);
    root.AddChild(many);
    scene.SetRootFrame(root);
    ASSERT_EQ(scene.Save(dir.file("more.cws")), 1);
    std::string ifc;
    const cwstool::IfcResult more =
        cwstool::ifcFromBytes(testutil::readFile(dir.file("more.cws")), {"more", "more", "more.ifc", "2026-12-08T00:00:00+00:00"}, ifc);
    const StepFile moreFile = readStrictly(ifc);
    EXPECT_EQ(ruleFailures(moreFile), std::vector<std::string>{});
    EXPECT_EQ(countOf(moreFile.entities, "IFCBUILDINGELEMENTPROXY"), 1004u);
    EXPECT_EQ(countOf(moreFile.entities, "IFCRELCONTAINEDINSPATIALSTRUCTURE"), 2u);
    EXPECT_EQ(more.warnings,
              (std::vector<std::string>{
                  "rotated or scaled objects, placed by the sums of positions without their rotations and scales: 1",
                  "no frame is named as the wizard names a storey's levels: the boxes are building element proxies in one "
                  "storey at height 0",
                  "boxes with a value that is not finite, left out: 1",
                  "written without a body, having a size, height or thickness of 0 or less: flat"}));

    NEEDS_IFC_READERS();
    EXPECT_EQ(readWith(SKIPFLOOR_IFC_READ, dir.file("table.ifc")),
              "schema IFC4\n"
              "length unit MILLI METRE\n"
              "site (no name)\n"
              "storey table ELEMENT elevation 0 placed at 0 in IfcBuilding table\n"
              "IfcBuildingElementProxy leg0 40 x 60 x 100 from z 1000 in table\n"
              "IfcBuildingElementProxy leg1 40 x 60 x 100 from z 1000 in table\n"
              "globalids 10 valid unique\n");
    expectReadersAgree(readWith(SKIPFLOOR_IFC_READ, dir.file("table.ifc")), readWith(SKIPFLOOR_IFCPP_READ, dir.file("table.ifc")));

    // Storeys named as the wizard names them, but no box to stand on: rooms and slabs without bodies.
    testutil::writeFile(dir.file("odd.cws"), sceneBytes(buildOddSplitLevel, dir));
    exportChecked({"export", dir.file("odd.cws"), dir.file("odd.ifc")});
    EXPECT_EQ(readWith(SKIPFLOOR_IFCPP_READ, dir.file("odd.ifc")),
              "storey 1階 ELEMENT elevation 500 placed at 500 in IfcBuilding odd\n"
              "storey 2階 ELEMENT elevation 3000 placed at 3000 in IfcBuilding odd\n"
              "storey 中2階 PARTIAL elevation 1800 placed at 1800 in IfcBuildingStorey 1階\n"
              "IfcSpace 1階 no body in 1階\n"
              "IfcSpace 2階 no body in 2階\n"
              "IfcSpace 中2階 no body in 中2階\n"
              "IfcSlab 1階床 FLOOR no body in 1階\n"
              "IfcSlab 2階床 FLOOR no body in 2階\n"
              "IfcSlab 2階屋根 ROOF no body in 2階\n"
              "IfcSlab 中2階床 FLOOR no body in 中2階\n"
              "IfcSlab 中2階屋根 ROOF no body in 中2階\n");
}

// A null registry for the wizard's builder: the test wants its scene files only.
class NoRegistry : public wizard::Registry {
public:
    wizard::RegistryOutcome createKey(wizard::RegistryKey, const char*, wizard::RegistryKey* key) override
    {
        *key = this;
        return {};
    }
    wizard::RegistryOutcome setStringValue(wizard::RegistryKey, const char*, const char*, std::uint32_t) override { return {}; }
    wizard::RegistryOutcome closeKey(wizard::RegistryKey) override { return {}; }
};

TEST(IfcExport, EveryWizardRowAtZeroAndAtItsSmallestValueGivesAValidFile)
{
    testutil::TempDir dir;
    double wizard::WizardParams::*const rows[] = {
        &wizard::WizardParams::m_foundationHeight,    &wizard::WizardParams::m_firstFloorThickness,
        &wizard::WizardParams::m_otherFloorThickness, &wizard::WizardParams::m_roomHeight1,
        &wizard::WizardParams::m_roomHeight2,         &wizard::WizardParams::m_roomHeight3,
        &wizard::WizardParams::m_roomHeight4,         &wizard::WizardParams::m_levelDifference,
        &wizard::WizardParams::m_siteWidth,           &wizard::WizardParams::m_siteDepth,
        &wizard::WizardParams::m_buildingWidth,       &wizard::WizardParams::m_buildingDepth,
        &wizard::WizardParams::m_wallThickness,
    };
    std::vector<std::string> files;
    for (std::size_t row = 0; row < std::size(rows); ++row) {
        // 0, the smallest positive float (the scene file holds floats), and the most negative double.
        for (double value : {0.0, 1.4e-45, -1.7e308}) {
            SCOPED_TRACE("row " + std::to_string(row) + " at " + std::to_string(value));
            wizard::WizardParams params;
            wizard::SetDefaultParams(params);
            params.*rows[row] = value;
            wizard::CommandLineRecord commandLine;
            commandLine.m_bNoPath = 0;
            commandLine.m_strScenePath = dir.file("row.cws");
            NoRegistry registry;
            wizard::BuildScene(params, commandLine, registry);
            files.push_back(dir.file("row" + std::to_string(files.size()) + ".ifc"));
            const cwstooltest::Outcome result = silentCwstool({"export", dir.file("row.cws"), files.back()});
            EXPECT_EQ(result.status, 0) << result.err;
            EXPECT_EQ(ruleFailures(readStrictly(testutil::readFile(files.back()))), std::vector<std::string>{});
            if (row == 0 && value == 0.0) {  // the foundation on the ground: a footing of no height
                EXPECT_EQ(result.err, "cwstool: " + dir.file("row.cws") +
                                          ": warning: written without a body, having a size, height or thickness of 0 or "
                                          "less: 基礎\n");
            }
        }
    }
    NEEDS_IFC_READERS();
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        readWith(SKIPFLOOR_IFCPP_READ, file);
    }
    for (std::size_t i = 0; i < files.size(); i += 3) readWith(SKIPFLOOR_IFC_READ, files[i]);  // the rows at 0
}

}  // namespace
