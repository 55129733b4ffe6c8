// PrimitivesClient.cpp - a program of one's own that writes through the scene library's public
// primitives, as a record writer of its own would (cwscene/Encoding.h), built against the installed
// library by scripts/test-package.sh: on Linux against the static and the shared library, and as a
// Windows program against the DLL (CWSCENE_SHARED), run under Wine.
//
//   primitives-client SCRATCH   writes SCRATCH in both encodings, reads it back, prints "ok"
//
// It includes every public header, so that a header a client cannot compile fails here; calls each
// primitive through a staged stream as Save does, so that the exported functions and the library's
// stage behind them are what write; and catches the library's failure on a stream that refuses
// writes. The expected bytes are the format's (docs/scene-file-format.md), written out by hand.
#include <cwscene/Action.h>
#include <cwscene/Encoding.h>
#include <cwscene/Export.h>
#include <cwscene/FileAccess.h>
#include <cwscene/Frame.h>
#include <cwscene/Material.h>
#include <cwscene/NumberText.h>
#include <cwscene/RecordParser.h>
#include <cwscene/Scene.h>
#include <cwscene/SceneItems.h>
#include <cwscene/SceneReader.h>
#include <cwscene/SceneRecords.h>
#include <cwscene/ScriptObject.h>
#include <cwscene/Shape.h>
#include <cwscene/ShiftJis.h>
#include <cwscene/Translation.h>
#include <cwscene/Version.h>

#include <cstdio>
#include <string>

namespace {

// Every primitive once, in one staging.
bool writeEach(std::FILE* stream)
{
    scenefile::StagedStream staged(stream);
    WriteInt32(-2, stream);
    WriteChar('A', stream);
    WriteByte(200, stream);
    WriteUInt16(0xBEEF, stream);
    WriteInt16(-3, stream);
    WriteFloat(1.5f, stream);
    WriteBlock("SHAP", 4, stream, kOmitLength);
    WriteBlock("A", 1, stream, kWithLength);
    writeCount(2, stream);
    return staged.flush();
}

// The bytes at `path` after writeEach in the encoding the switch names, or "" when it failed.
std::string written(const char* path)
{
    std::FILE* stream = std::fopen(path, "wb");
    if (!stream) return "";
    const bool flushed = writeEach(stream);
    if (std::fclose(stream) != 0 || !flushed) return "";
    std::string bytes;
    stream = std::fopen(path, "rb");
    if (!stream) return "";
    for (int c; (c = std::fgetc(stream)) != EOF;) bytes += static_cast<char>(c);
    std::fclose(stream);
    return bytes;
}

bool same(const char* what, const std::string& got, const std::string& expected)
{
    if (got == expected) return true;
    std::fprintf(stderr, "primitives-client: the %s bytes differ (%zu bytes, %zu expected)\n", what, got.size(),
                 expected.size());
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: primitives-client SCRATCH\n");
        return 2;
    }
    const std::string binary("\xFE\xFF\xFF\xFF"  // -2
                             "\x41"              // 'A'
                             "\xC8"              // 200
                             "\xEF\xBE"          // 0xBEEF
                             "\xFD\xFF"          // -3
                             "\x00\x00\xC0\x3F"  // 1.5f
                             "SHAP"              // a tag
                             "\x01\x00" "A"      // a counted block
                             "\x02\x00",         // a count
                             23);
    const std::string text("-2\r\nA\r\n200\r\n48879\r\n-3\r\n1.500000\r\nSHAP\r\n1 A\r\n2\r\n");
    setBinaryModeSwitch(1);
    if (!same("binary", written(argv[1]), binary)) return 1;
    setBinaryModeSwitch(0);
    if (!same("text", written(argv[1]), text)) return 1;
    setBinaryModeSwitch(1);

    // A stream open for reading refuses the write: the library's failure reaches the program.
    std::FILE* readOnly = std::fopen(argv[1], "rb");
    if (!readOnly) return 1;
    bool thrown = false;
    try {
        WriteInt32(1, readOnly);
        std::fflush(readOnly);
    } catch (const WriteFailure& failure) {
        thrown = failure.text()[0] != '\0';
    }
    std::fclose(readOnly);
    if (!thrown) {
        std::fprintf(stderr, "primitives-client: a refused write threw no WriteFailure\n");
        return 1;
    }
    std::printf("ok\n");
    return 0;
}
