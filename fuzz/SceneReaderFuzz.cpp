// SceneReaderFuzz.cpp - fuzz target for the scene file reader, with the writer as its oracle.
//
// Properties, for every input the reader accepts:
//   - the binary writer reproduces a binary input byte for byte (unless names had to be defaulted);
//   - the text the writer makes of the scene is accepted again, and writing that back as text gives
//     the same text (the text encoding is a fixed point after one pass);
//   - when every float survives six decimals, text -> binary gives the binary bytes again.
// Writing never fails for a scene the reader built. Refused inputs carry a message. cwstool's dump and
// preview run on every accepted scene too, since they face the same files.
#include "fuzz/FuzzTargets.h"
#include "scenefile/Encoding.h"
#include "scene/SceneReader.h"
#include "tools/cwstool/SceneDump.h"
#include "tools/cwstool/SvgPreview.h"

#include <cstdio>   // open_memstream (POSIX; the fuzz build is Linux only)
#include <cstdlib>  // free
#include <sstream>
#include <string>

namespace fuzz {

namespace {

// The scene file as the library writes it in one encoding.
std::string written(CWScene& scene, bool binary)
{
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream = ::open_memstream(&buffer, &size);
    require(stream != nullptr, "open_memstream failed");
    setBinaryModeSwitch(binary ? 1 : 0);
    bool ok = true;
    try {
        scene.Write(stream);
    } catch (const WriteFailure&) {
        ok = false;
    }
    setBinaryModeSwitch(1);
    std::fclose(stream);
    std::string bytes(buffer, size);
    std::free(buffer);
    require(ok, "the writer refused a scene that the reader built");
    return bytes;
}

}  // namespace

int sceneReader(const std::uint8_t* data, std::size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    scenefile::ReadResult result = scenefile::readScene(input);
    if (!result) {
        require(!result.error.empty(), "a refusal without a message");
        return 0;
    }
    std::ostringstream dump;
    cwstool::dumpScene(*result.scene, dump);
    std::string svg = cwstool::previewSvg(*result.scene, "fuzz");
    require(svg.size() > 100 && svg.compare(svg.size() - 7, 7, "</svg>\n") == 0, "preview did not end its SVG");

    std::string binary = written(*result.scene, true);
    if (result.encoding == scenefile::Encoding::Binary && result.defaultedNames == 0) {
        require(binary == input, "binary -> reader -> writer changed the bytes");
    }

    std::string text = written(*result.scene, false);
    scenefile::ReadResult fromText = scenefile::readScene(text);
    require(static_cast<bool>(fromText), "the writer's text was refused");
    require(written(*fromText.scene, false) == text, "text -> reader -> writer changed the text");

    scenefile::ReadResult fromBinary = scenefile::readScene(binary);
    require(static_cast<bool>(fromBinary), "the writer's binary was refused");
    if (fromBinary.lossyTextFloats == 0) {
        require(written(*fromText.scene, true) == binary, "binary -> text -> binary changed the bytes");
    }
    return 0;
}

}  // namespace fuzz
