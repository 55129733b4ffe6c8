// Tests for scenefile/RecordParser: the records of a file reach the visitor in file order (partial
// wraps, action steps and backgrounds after what must precede them), the same through a sliding
// window as from memory; malformed files are refused at the right place, and nothing is built to
// find that out.
#include <cwscene/RecordParser.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>  // strlen
#include <sstream>
#include <string>
#include <vector>

#include <cwscene/Encoding.h>
#include "scenefile/RecordParserDetail.h"  // parseSceneStream, with a small window
#include "testutil/EncodingCapture.h"
#include "testutil/Hex.h"

namespace {

using testutil::Encoding;

// The error of parsing `bytes` with a visitor that does nothing ("" when accepted).
std::string refusal(std::string_view bytes)
{
    scenefile::SceneVisitor nothing;
    return scenefile::parseScene(bytes, nothing).error;
}

// Every callback as a line with the fields that tell records apart.
class Log : public scenefile::SceneVisitor {
public:
    void header(const scenefile::HeaderRecord& r) override { line() << "header " << r.formatVersion << " " << r.unit; }
    void material(const scenefile::MaterialRecord& r) override { entry("material", r) << r.name; }
    void frameBegin(const scenefile::FrameRecord& r) override
    {
        line() << "frameBegin " << r.depth << " " << r.name << " shapes " << r.shapeCount << " parent "
               << (r.parent ? r.parent->name : "-") << " position z " << r.position.z;
    }
    void shape(const scenefile::ShapeRecord& r) override
    {
        entry("shape", r) << r.name << " wraps " << r.partialWrapCount << " lock " << r.lock[0] << " " << r.lock[1];
    }
    void partialWrap(const scenefile::PartialWrapRecord& r) override
    {
        entry("partialWrap", r) << r.textureFileName.size() << " bytes " << r.textureFileName.substr(0, 5) << " "
                                << r.textureIndex;
    }
    void frameTail(const scenefile::FrameTailRecord& r) override
    {
        line() << "frameTail " << r.frame->name << " sprm " << r.sprmFirst.size() << "/" << r.sprmSecond.size()
               << " steps " << r.actionStepCount << " texts " << r.actionTexts[0] << r.actionTexts[3] << " children "
               << r.childCount;
    }
    void actionStep(const scenefile::ActionStepRecord& r) override { entry("actionStep", r) << r.scalar; }
    void frameEnd(const scenefile::FrameRecord& r) override { line() << "frameEnd " << r.name; }
    void background(const scenefile::BackgroundRecord& r) override
    {
        entry("background", r) << r.name << " " << r.imageFileName;
    }
    void gridInterval(float interval) override { line() << "gridInterval " << interval; }
    void end() override { line() << "end"; }

    std::string text() const
    {
        std::string all;
        for (const auto& l : m_lines) all += l.str() + "\n";
        return all;
    }

private:
    std::ostringstream& line() { return m_lines.emplace_back(); }
    std::ostream& entry(const char* what, const scenefile::Entry& e)
    {
        return line() << what << " " << e.index << "/" << e.count << " ";
    }
    std::vector<std::ostringstream> m_lines;
};

// ---------------------------------------------------------------------------------------------------
// 1. Records in order, from memory and through a window

void tag(const char (&name)[5], std::FILE* s) { WriteBlock(name, 4, s, kOmitLength); }
void text(const std::string& bytes, std::FILE* s) { WriteBlock(bytes.data(), bytes.size(), s, kWithLength); }
void frameHead(const char* name, float z, std::FILE* s)
{
    tag("PART", s);
    text(name, s);
    for (float value : {0.0f, 0.0f, z, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f, 1.0f}) WriteFloat(value, s);
    tag("PMID", s);
    WriteInt32(1, s);
    WriteInt32(0, s);
    tag("TCDN", s);
    WriteInt32(0, s);
}

// A file with every record the parser reads twice: a shape with two partial wraps (one named by 300
// bytes, longer than a small window) and a lock chunk after them, an action whose two steps come
// before its texts, two backgrounds; then `extraShapes` shapes in a second frame, to make it long.
std::string replayFile(Encoding encoding, int extraShapes = 0)
{
    testutil::EncodingScope scope(encoding);
    return testutil::capture([&](std::FILE* s) {
        WriteInt32(4, s);
        tag("SHAP", s);
        tag("UNIT", s);
        WriteUInt16(0, s);
        frameHead("R", 100.0f, s);
        writeCount(1, s);
        tag("CUBE", s);
        text("S", s);
        for (int i = 0; i < 9; ++i) WriteFloat(1.0f, s);
        WriteInt16(0, s);
        WriteInt16(-2, s);  // partial wraps follow
        writeCount(2, s);
        text("tile.bmp", s);
        WriteInt16(3, s);
        WriteChar('D', s);
        text(std::string(300, 'w'), s);
        WriteInt16(-7, s);
        WriteChar('D', s);
        tag("LCKS", s);
        for (int stored : {6, 7, 7}) WriteUInt16(static_cast<std::uint16_t>(stored), s);
        tag("SPRM", s);
        writeCount(1, s);
        WriteUInt16(5, s);
        writeCount(0, s);
        tag("ACTN", s);
        WriteInt16(3, s);
        WriteUInt16(1, s);
        writeCount(2, s);
        for (float scalar : {0.5f, 0.75f}) {
            for (int i = 0; i < 10; ++i) WriteFloat(i == 0 ? scalar : 0.0f, s);
        }
        for (const char* actionText : {"a", "b", "c", "d"}) text(actionText, s);
        writeCount(1, s);  // one child
        frameHead("C", 2900.0f, s);
        writeCount(static_cast<std::size_t>(extraShapes), s);
        for (int n = 0; n < extraShapes; ++n) {
            tag("CUBE", s);
            text("box", s);
            for (int i = 0; i < 9; ++i) WriteFloat(static_cast<float>(n), s);
            WriteInt16(0, s);
            WriteInt16(-1, s);
        }
        writeCount(0, s);
        tag("BACK", s);
        text("sky", s);
        for (std::uint8_t value : {1, 2, 3}) WriteByte(value, s);
        text("", s);
        tag("BACK", s);
        text("photo", s);
        for (std::uint8_t value : {1, 2, 3}) WriteByte(value, s);
        text("site.jpg", s);
        tag("GINT", s);
        WriteFloat(1000.0f, s);
        tag("EXIT", s);
    });
}

const char kReplayLog[] =
    "header 4 0\n"
    "frameBegin 1 R shapes 1 parent - position z 100\n"
    "shape 0/1 S wraps 2 lock 1 0\n"
    "partialWrap 0/2 8 bytes tile. 3\n"
    "partialWrap 1/2 300 bytes wwwww -7\n"
    "frameTail R sprm 1/0 steps 2 texts ad children 1\n"
    "actionStep 0/2 0.5\n"
    "actionStep 1/2 0.75\n"
    "frameBegin 2 C shapes 0 parent R position z 2900\n"
    "frameTail C sprm 0/0 steps 0 texts  children 0\n"
    "frameEnd C\n"
    "frameEnd R\n"
    "background 0/2 sky \n"
    "background 1/2 photo site.jpg\n"
    "gridInterval 1000\n"
    "end\n";

TEST(RecordParser, HandsOnRecordsInOrderFromMemoryAndThroughAWindow)
{
    for (Encoding encoding : {Encoding::Binary, Encoding::Text}) {
        SCOPED_TRACE(encoding == Encoding::Binary ? "binary" : "text");
        const std::string bytes = replayFile(encoding);
        Log fromMemory;
        ASSERT_EQ(scenefile::parseScene(bytes, fromMemory).error, "");
        EXPECT_EQ(fromMemory.text(), kReplayLog);

        // A window smaller than one wrap's name: it grows for the name, slides all the time, and the
        // wraps and steps are read again from the file.
        for (std::size_t window : {16, 64, 4096}) {
            SCOPED_TRACE(window);
            std::FILE* stream = std::tmpfile();
            ASSERT_NE(stream, nullptr);
            std::fwrite(bytes.data(), 1, bytes.size(), stream);
            std::rewind(stream);
            Log throughWindow;
            EXPECT_EQ(scenefile::parseSceneStream(stream, bytes.size(), throughWindow, {}, window).error, "");
            std::fclose(stream);
            EXPECT_EQ(throughWindow.text(), kReplayLog);
        }
    }
}

// A file longer than the window, read by path: the same records as from memory, and a refusal near
// its end names the same line.
TEST(RecordParser, ReadsAFileLongerThanTheWindow)
{
    testutil::TempDir dir;
    std::string text = replayFile(Encoding::Text, 6000);
    ASSERT_GT(text.size(), 2 * scenefile::ByteInput::kWindowSize);
    testutil::writeFile(dir.file("long.cws"), text);
    Log fromMemory, fromFile;
    ASSERT_EQ(scenefile::parseScene(text, fromMemory).error, "");
    ASSERT_EQ(scenefile::parseSceneFile(dir.file("long.cws"), fromFile).error, "");
    EXPECT_EQ(fromFile.text(), fromMemory.text());

    std::string broken = text;
    broken.replace(broken.rfind("1000.000000"), 11, "1000.00000x");
    testutil::writeFile(dir.file("broken.cws"), broken);
    scenefile::SceneVisitor nothing;
    std::string error = scenefile::parseSceneFile(dir.file("broken.cws"), nothing).error;
    EXPECT_EQ(error, refusal(broken));
    EXPECT_EQ(error.substr(0, 5), "line ");
}

// ---------------------------------------------------------------------------------------------------
// 2. Refused input

// The smallest valid binary file up to the root's shape count, for building broken variants.
const char* const kHead = "04 00 00 00 53 48 41 50 55 4E 49 54 00 00 ";  // header, SHAP, UNIT 0
const char* const kPartA = "50 41 52 54 01 00 41 "                      // PART, "A"
                           "00000000 00000000 00000000 00000000 00000000 00000000 "
                           "0000803F 0000803F 0000803F ";
const char* const kIds = "50 4D 49 44 00000000 00000000 54 43 44 4E 00000000 ";  // PMID, TCDN

TEST(RecordParser, RefusesMalformedBinaryAtTheRightOffset)
{
    struct Row { const char* what; std::string hex; const char* message; };
    const std::string head = kHead, part = kPartA, ids = kIds;
    const std::string leaf = part + ids + "00 00 00 00 ";  // no shapes, no children
    const Row rows[] = {
        {"empty", "", "the file is empty"},
        {"header only", "04 00 00 00", "offset 4: expected the tag SHAP, found 'end of file'"},
        {"other version", "05 00 00 00 53 48 41 50", "offset 0: format version 5 is not supported (expected 4)"},
        {"truncated unit", "04 00 00 00 53 48 41 50 55 4E 49 54 00",
         "offset 12: unexpected end of file: expected the unit (2 bytes), 1 left"},
        {"no part section", head + "45 58 49 54", "offset 14: expected the part section (tag PART"},
        {"empty colour section", head + "43 4F 4C 52 00 00" + leaf + "45 58 49 54",
         "offset 18: material count is 0; the writer leaves an empty list out instead"},
        {"lying material count", head + "43 4F 4C 52 FF FF 00 00",
         "offset 18: material count 65535 cannot be right: that many need at least 983025 bytes, only 2 remain"},
        {"lying child count", head + part + ids + "00 00 FF FF 50 41 52 54",
         "offset 79: child count 65535 cannot be right"},
        {"lying name length", head + "50 41 52 54 FF 00 41",
         "offset 20: unexpected end of file: expected part name (255 bytes), 1 left"},
        {"NUL in a name", head + "50 41 52 54 02 00 41 00",
         "offset 18: part name holds a NUL byte at index 1"},
        {"wrong hidden mark", head + part + "53 48 57 50 59" + ids + "00 00 00 00 45 58 49 54",
         "offset 61: expected hidden mark 'N', found 'Y'"},
        {"lock value above 7", head + part + "4C 43 4B 50 07 00 08 00 07 00" + ids + "00 00 00 00 45 58 49 54",
         "offset 63: part lock value 8 is not from 0 to 7"},
        {"optional chunks out of order", head + part + "4C 59 52 4C 59 53 48 57 50 4E" + ids,
         "offset 62: expected the tag PMID (after the optional SHWP, LCKP, LYRL and GRDP, in this order), "
         "found 'SHWPNPMI'"},
        {"empty GRDP", head + part + "47 52 44 50 00 00 00 00 00 00" + ids, "offset 57: GRDP with three empty lists"},
        {"unknown shape", head + part + ids + "01 00 53 50 48 52" + std::string(32, '0'),
         "offset 79: expected the shape type CUBE (the only kind of shape), found 'SPHR'"},
        {"wrap marker without wraps",
         head + part + ids + "01 00 43 55 42 45 00 00" + std::string(72, '0') + "00 00 FE FF 00 00",
         "offset 125: partial wrap count is 0"},
        {"missing EXIT", head + leaf, "offset 81: expected LIGT, VIEW, BACK, LEAD, SENS, GRDW, GINT, THCK or EXIT, "
                                      "found 'end of file'"},
        {"sections out of order", head + leaf + "47 49 4E 54 00 00 7A 44 4C 45 41 44",
         "offset 89: expected THCK or EXIT, found 'LEAD'"},
        {"grid interval of 0", head + leaf + "47 49 4E 54 00 00 00 00 45 58 49 54",
         "offset 81: GINT with a grid interval that is not above 0"},
        {"17 lights", head + leaf + "4C 49 47 54 11 00" + std::string(17 * 2 * 17, '0') + "45 58 49 54",
         "offset 81: more than 16 lights (17)"},
        {"bytes after EXIT", head + leaf + "45 58 49 54 00", "offset 85: 1 bytes after EXIT"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::string error = refusal(testutil::fromHex(row.hex));
        EXPECT_EQ(error.substr(0, std::strlen(row.message)), row.message) << error;
    }
}

TEST(RecordParser, RefusesMalformedTextAtTheRightLine)
{
    auto lines = [](std::initializer_list<std::string> items) { return testutil::lines(items); };
    const std::string head = lines({"4", "SHAP", "UNIT", "0"});
    const std::string floats = lines({"0.000000", "0.000000", "0.000000", "0.000000", "0.000000", "0.000000",
                                      "1.000000", "1.000000", "1.000000"});
    const std::string leafTail = lines({"PMID", "0", "0", "TCDN", "0", "0", "0", "EXIT"});
    struct Row { const char* what; std::string text; const char* message; };
    const Row rows[] = {
        {"version 5", lines({"5", "SHAP"}), "line 1: format version 5 is not supported"},
        {"LF without CR", "4\nSHAP\n", "line 1: line ends in LF without CR"},
        {"unit not a number", lines({"4", "SHAP", "UNIT", "x"}),
         "line 4: expected the unit (an integer from 0 to 65535), found 'x'"},
        {"unit out of range", lines({"4", "SHAP", "UNIT", "65536"}), "line 4: expected the unit (an integer from 0"},
        {"lying block length", head + lines({"PART", "99 A"}),
         "line 6: unexpected end of file: part name claims 99 bytes"},
        {"block without its blank", head + lines({"PART", "1A"}), "line 6: expected part name as a length"},
        {"exponent in a float", head + lines({"PART", "1 A", "1.0e5"}),
         "line 7: expected part position (a 32-bit float in fixed notation), found '1.0e5'"},
        {"float beyond the float range", head + lines({"PART", "1 A", std::string(40, '9') + ".000000"}),
         "line 7: expected part position (a 32-bit float"},
        {"character line too long", head + lines({"PART", "1 A"}) + floats + lines({"SHWP", "NN"}),
         "line 17: expected CR LF after hidden mark"},
        {"name with a line break read by length", head + lines({"PART", "4 A", "B"}) + floats + leafTail + "x",
         "line 25: 1 bytes after EXIT"},
        // Spellings the writer never makes: one spelling per value keeps text -> text identical.
        {"version with a leading zero", lines({"04", "SHAP"}), "line 1: expected the format version (an integer"},
        {"unit 00", lines({"4", "SHAP", "UNIT", "00"}), "line 4: expected the unit (an integer from 0 to 65535), found '00'"},
        {"unit -0", lines({"4", "SHAP", "UNIT", "-0"}), "line 4: expected the unit (an integer from 0 to 65535), found '-0'"},
        {"length with a leading zero", head + lines({"PART", "01 A"}), "line 6: expected part name as a length"},
        {"integer where a float stands", head + lines({"PART", "1 A", "13"}),
         "line 7: expected part position (a 32-bit float in fixed notation), found '13'"},
        {"two decimals", head + lines({"PART", "1 A", "1.00"}), "line 7: expected part position (a 32-bit float"},
        {"a float that is written otherwise", head + lines({"PART", "1 A", "16777217.000000"}),
         "line 7: expected part position (a 32-bit float in fixed notation), found '16777217.000000', which the "
         "writer writes as '16777216.000000'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::string error = refusal(row.text);
        EXPECT_EQ(error.substr(0, std::strlen(row.message)), row.message) << error;
    }
}

// Binary bytes of `depth` frames nested one in the other, each with one child but the innermost.
std::string nestedFrames(int depth)
{
    std::string bytes = testutil::fromHex(kHead);
    const std::string part = testutil::fromHex(std::string(kPartA) + kIds + "00 00");
    for (int i = 0; i < depth; ++i) bytes += part + (i + 1 < depth ? std::string("\x01\x00", 2) : std::string(2, '\0'));
    return bytes + "EXIT";
}

TEST(RecordParser, RefusesFramesNestedDeeperThanTheLimit)
{
    EXPECT_EQ(refusal(nestedFrames(scenefile::kMaxFrameDepth)), "");
    std::string tooDeep = refusal(nestedFrames(scenefile::kMaxFrameDepth + 1));
    EXPECT_NE(tooDeep.find("frames nested deeper than 256 levels"), std::string::npos) << tooDeep;
    // A file a million levels deep is refused just as quickly, without exhausting the stack.
    EXPECT_NE(refusal(nestedFrames(100000)), "");
}


}  // namespace
