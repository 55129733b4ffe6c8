// Tests for cwstool's IFC export (tools/cwstool/IfcExport.h, StepWriter.h, IfcGlobalId.h): the STEP
// spelling of values, GlobalIds, the storeys' layout, a strict parse of the whole file (syntax, every
// entity with its IFC4 attribute count, every reference defined), reproducible bytes, and the file read
// back by web-ifc, a reader not written here (tests/tools/ifc-read.js).
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

#include <gtest/gtest.h>

#include <cmath>    // NAN
#include <cstdlib>  // getenv, system
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
                if (!value()) return fail("bad value at column " + std::to_string(m_at));
                ++entity.attributes;
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
    {"IFCGEOMETRICREPRESENTATIONCONTEXT", 6},
    {"IFCGEOMETRICREPRESENTATIONSUBCONTEXT", 10},
    {"IFCLOCALPLACEMENT", 2},
    {"IFCPRODUCTDEFINITIONSHAPE", 3},
    {"IFCPROJECT", 9},
    {"IFCQUANTITYLENGTH", 5},
    {"IFCRECTANGLEPROFILEDEF", 5},
    {"IFCRELAGGREGATES", 6},
    {"IFCRELCONTAINEDINSPATIALSTRUCTURE", 6},
    {"IFCRELDEFINESBYPROPERTIES", 6},
    {"IFCSHAPEREPRESENTATION", 4},
    {"IFCSITE", 14},
    {"IFCSIUNIT", 4},
    {"IFCSTYLEDITEM", 3},
    {"IFCSURFACESTYLE", 3},
    {"IFCSURFACESTYLERENDERING", 9},
    {"IFCUNITASSIGNMENT", 1},
};

// Reads a whole IFC file strictly; returns its entities by id, with failures reported.
std::map<int, Entity> readStrictly(const std::string& ifc)
{
    std::istringstream in(ifc);
    std::string text;
    std::vector<std::string> lines;
    while (std::getline(in, text)) lines.push_back(text);
    EXPECT_GE(lines.size(), 10u);
    EXPECT_EQ(lines.at(0), "ISO-10303-21;");
    EXPECT_EQ(lines.at(1), "HEADER;");
    EXPECT_EQ(lines.at(2), "FILE_DESCRIPTION(('ViewDefinition [ReferenceView_V1.2]'),'2;1');");
    EXPECT_EQ(lines.at(3).rfind("FILE_NAME('house.ifc','',(''),(''),'cwstool ", 0), 0u) << lines.at(3);
    EXPECT_EQ(lines.at(4), "FILE_SCHEMA(('IFC4'));");
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
    return reader.entities;
}

std::size_t countOf(const std::map<int, Entity>& entities, const std::string& type)
{
    std::size_t count = 0;
    for (const auto& entry : entities) count += entry.second.type == type ? 1 : 0;
    return count;
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
    EXPECT_EQ(file.add("IFCDIRECTION", {list({real(1), real(0), real(0)})}), 1);
    EXPECT_EQ(file.add("IFCAXIS2PLACEMENT3D", {reference(1), unset(), unset()}), 2);
    Header header{"ViewDefinition [X]", "a.ifc", "", "p 1", "o 1", "IFC4"};
    EXPECT_EQ(file.text(header), "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION(('ViewDefinition [X]'),'2;1');\n"
                                 "FILE_NAME('a.ifc','',(''),(''),'p 1','o 1','');\nFILE_SCHEMA(('IFC4'));\nENDSEC;\n"
                                 "DATA;\n#1=IFCDIRECTION((1.,0.,0.));\n#2=IFCAXIS2PLACEMENT3D(#1,$,$);\nENDSEC;\n"
                                 "END-ISO-10303-21;\n");
}

TEST(IfcGlobalId, TwentyTwoDigitsOfBase64AndReproducible)
{
    // 128 bits as 22 digits, most significant first; the first digit holds the top 2 bits.
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 0), "0000000000000000000000");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 1), "0000000000000000000001");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 64 + 63), "000000000000000000001$");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 62), "000000000000000000000_");
    EXPECT_EQ(cwstool::ifcGlobalIdText(1ull << 63, 0), "2000000000000000000000");
    EXPECT_EQ(cwstool::ifcGlobalIdText(~0ull, ~0ull), "3$$$$$$$$$$$$$$$$$$$$$");
    EXPECT_EQ(cwstool::ifcGlobalIdText(0, 1ull << 63), "0000000000080000000000");  // bit 63: 63 = 6 * 10 + 3

    cwstool::GlobalIds first("scene bytes"), again("scene bytes"), other("other bytes");
    const std::string id = first("storey/1階インテリア");
    EXPECT_EQ(id, again("storey/1階インテリア"));
    EXPECT_NE(id, other("storey/1階インテリア"));
    EXPECT_NE(id, first("storey/2階インテリア"));
    EXPECT_NE(id, first("storey/1階インテリア"));  // asked twice: a second, different id
}

TEST(IfcExport, StoreysStackByTheirOwnHeightsAndMezzaninesJoinTheMainStoreyBelow)
{
    const double nan = NAN;
    const struct {
        const char* what;
        std::vector<std::pair<const char*, double>> levels;
        // name elevation gross net PARTIAL/ELEMENT in
        std::vector<std::string> expected;
    } rows[] = {
        {"the wizard's names, unequal heights, listed out of order",
         {{"中3階インテリア", 4800}, {"2階インテリア", 3300}, {"1階インテリア", 600}, {"1階天井", 2800}, {"中2階インテリア", 2000},
          {"中2階天井", 4300}, {"2階天井", 5500}, {"2階屋根", 5900}, {"中3階天井", 7000}},
         {"1階 600 2700 2200 ELEMENT -", "2階 3300 2600 2200 ELEMENT -", "中2階 2000 2800 2300 PARTIAL 1階",
          "中3階 4800 nan 2200 PARTIAL 2階"}},
        {"a mezzanine below every main storey joins the lowest",
         {{"1階インテリア", 1000}, {"2階インテリア", 4000}, {"中1階インテリア", 200}},
         {"1階 1000 3000 nan ELEMENT -", "2階 4000 nan nan ELEMENT -", "中1階 200 nan nan PARTIAL 1階"}},
        {"equal elevations: the mezzanine is part of that storey",
         {{"1階インテリア", 1000}, {"2階インテリア", 4000}, {"中2階インテリア", 4000}},
         {"1階 1000 3000 nan ELEMENT -", "2階 4000 nan nan ELEMENT -", "中2階 4000 nan nan PARTIAL 2階"}},
        {"mezzanines alone are whole storeys", {{"中2階インテリア", 2000}, {"中2階天井", 1500}},
         {"中2階 2000 nan -500 ELEMENT -"}},
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
                          (s.parent >= 0 ? laid.at(static_cast<std::size_t>(s.parent)).name : "-"));
        }
        EXPECT_EQ(got, row.expected);
    }
}

TEST(IfcExport, WizardSceneIsStrictStepWithEveryEntityComplete)
{
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    const cwstooltest::Outcome result = silentCwstool({"export", dir.file("zendel.cws"), dir.file("house.ifc")});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    const std::string ifc = testutil::readFile(dir.file("house.ifc"));
    const std::map<int, Entity> entities = readStrictly(ifc);
    EXPECT_EQ(countOf(entities, "IFCBUILDINGSTOREY"), 7u);
    EXPECT_EQ(countOf(entities, "IFCFOOTING"), 1u);
    EXPECT_EQ(countOf(entities, "IFCBUILDINGELEMENTPROXY"), 0u);
    EXPECT_EQ(countOf(entities, "IFCELEMENTQUANTITY"), 7u);
    EXPECT_NE(ifc.find("IFCBUILDINGSTOREY('"), std::string::npos);
    EXPECT_NE(ifc.find("'\\X2\\4E2D\\X0\\2\\X2\\968E\\X0\\',$,$,#"), std::string::npos);  // 中2階

    // The same file gives the same bytes; the same scene in the text encoding, other GlobalIds.
    ASSERT_EQ(silentCwstool({"export", dir.file("zendel.cws"), dir.file("house.ifc")}).status, 0);
    EXPECT_EQ(testutil::readFile(dir.file("house.ifc")), ifc);
    ASSERT_EQ(silentCwstool({"convert", "--text", dir.file("zendel.cws"), dir.file("text.cws")}).status, 0);
    ASSERT_EQ(silentCwstool({"export", dir.file("text.cws"), dir.file("house.ifc")}).status, 0);
    const std::string fromText = testutil::readFile(dir.file("house.ifc"));
    readStrictly(fromText);
    const std::size_t guid = ifc.find("IFCPROJECT('") + 12;
    EXPECT_NE(fromText.substr(fromText.find("IFCPROJECT('") + 12, 22), ifc.substr(guid, 22));
}

TEST(IfcExport, PlainSceneGetsProxiesInOneStoreyWithAWarning)
{
    CWScene scene;
    buildPlainScene(scene);
    const cwstool::IfcExport ifc = cwstool::ifcFromScene(scene, {"bytes", "table", "house.ifc"});
    const std::map<int, Entity> entities = readStrictly(ifc.bytes);
    EXPECT_EQ(countOf(entities, "IFCBUILDINGSTOREY"), 1u);
    EXPECT_EQ(countOf(entities, "IFCBUILDINGELEMENTPROXY"), 2u);
    EXPECT_EQ(countOf(entities, "IFCSURFACESTYLE"), 1u);  // the second leg's red; the first has no material
    EXPECT_EQ(countOf(entities, "IFCELEMENTQUANTITY"), 0u);
    EXPECT_EQ(ifc.warnings, std::vector<std::string>{"no frame is named as the wizard names a storey's levels: the boxes "
                                                     "are building element proxies in one storey at height 0"});

    // A turned box is placed unturned, and one that cannot be placed is left out, each said.
    CWFrame root = *scene.rootFrame();
    CWCube turned, lost;
    turned.SetRotation(0, 0, 30);
    lost.SetSize(NAN, 1, 1);
    root.AddShape(turned);
    root.AddShape(lost);
    scene.SetRootFrame(root);
    const cwstool::IfcExport more = cwstool::ifcFromScene(scene, {"bytes", "table", "house.ifc"});
    EXPECT_EQ(countOf(readStrictly(more.bytes), "IFCBUILDINGELEMENTPROXY"), 3u);
    EXPECT_EQ(more.warnings, (std::vector<std::string>{
                                 "rotated or scaled objects, placed by the sums of positions without their rotations and scales: 1",
                                 ifc.warnings.at(0), "boxes with a value that is not finite, left out: 1"}));
}

// web-ifc (tests/tools/ifc-read.js) reads the exports back. The native build names the command in
// SKIPFLOOR_IFC_READ; the Windows build, whose tests run under Wine without Node.js, leaves it empty.
std::string readWithWebIfc(const std::string& ifcPath)
{
    const std::string report = ifcPath + ".txt";
    const std::string command = std::string(SKIPFLOOR_IFC_READ) + " '" + ifcPath + "' >'" + report + "' 2>&1";
    const int status = std::system(command.c_str());
    const std::string output = testutil::readFile(report);
    EXPECT_EQ(status, 0) << output << "(web-ifc is installed by scripts/install-deps.sh all)";
    return output;
}

TEST(IfcExport, IndependentReaderFindsTheStoreysTheirHeightsAndTheFooting)
{
    if (std::string(SKIPFLOOR_IFC_READ).empty()) GTEST_SKIP() << "no IFC reader in this build";
    SKIPFLOOR_NEEDS_NODE_TOOL("web-ifc");
    testutil::TempDir dir;
    testutil::writeFile(dir.file("zendel.cws"), golden("zendel-default.hex"));
    ASSERT_EQ(silentCwstool({"export", dir.file("zendel.cws"), dir.file("house.ifc")}).status, 0);
    // The wizard's defaults: main floors 2900 apart from 610, the mezzanines half a level (1450) above
    // each, rooms 2400 high; the top storeys' gross height runs to their roofs (11960, 10510).
    EXPECT_EQ(readWithWebIfc(dir.file("house.ifc")),
              "schema IFC4\n"
              "length unit MILLI METRE\n"
              "site 敷地 body 15000 x 15000 x 100 from z -100\n"
              "storey 1階 ELEMENT elevation 610 placed at 610 in IfcBuilding zendel gross 2900 net 2400\n"
              "storey 2階 ELEMENT elevation 3510 placed at 3510 in IfcBuilding zendel gross 2900 net 2400\n"
              "storey 3階 ELEMENT elevation 6410 placed at 6410 in IfcBuilding zendel gross 2900 net 2400\n"
              "storey 4階 ELEMENT elevation 9310 placed at 9310 in IfcBuilding zendel gross 2650 net 2400\n"
              "storey 中2階 PARTIAL elevation 2060 placed at 2060 in IfcBuildingStorey 1階 gross 2900 net 2400\n"
              "storey 中3階 PARTIAL elevation 4960 placed at 4960 in IfcBuildingStorey 2階 gross 2900 net 2400\n"
              "storey 中4階 PARTIAL elevation 7860 placed at 7860 in IfcBuildingStorey 3階 gross 2650 net 2400\n"
              "IfcFooting 基礎 10000 x 10000 x 400 from z 0 in 1階\n"
              "globalids 32 valid unique\n");

    // A scene built here, exported under `name` and read back.
    const auto readBack = [&](void (*build)(CWScene&), const std::string& name) {
        CWScene scene;
        build(scene);
        testutil::writeFile(dir.file(name + ".ifc"), cwstool::ifcFromScene(scene, {name, name, name + ".ifc"}).bytes);
        return readWithWebIfc(dir.file(name + ".ifc"));
    };
    EXPECT_EQ(readBack(buildOddSplitLevel, "odd"),
              "schema IFC4\n"
              "length unit MILLI METRE\n"
              "site (no name)\n"
              "storey 1階 ELEMENT elevation 500 placed at 500 in IfcBuilding odd gross 2500 net 2200\n"
              "storey 2階 ELEMENT elevation 3000 placed at 3000 in IfcBuilding odd gross 3000 net 2600\n"
              "storey 中2階 PARTIAL elevation 1800 placed at 1800 in IfcBuildingStorey 1階 gross 2600 net 2300\n"
              "globalids 16 valid unique\n");

    EXPECT_EQ(readBack(buildPlainScene, "plain"),
              "schema IFC4\n"
              "length unit MILLI METRE\n"
              "site (no name)\n"
              "storey table ELEMENT elevation 0 placed at 0 in IfcBuilding plain\n"
              "IfcBuildingElementProxy leg0 40 x 60 x 100 from z 1000 in table\n"
              "IfcBuildingElementProxy leg1 40 x 60 x 100 from z 1000 in table\n"
              "globalids 10 valid unique\n");
}

}  // namespace
