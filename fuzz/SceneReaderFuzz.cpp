// SceneReaderFuzz.cpp - fuzz target for the scene file reader: the record parser alone, the parser
// reading through a small sliding window, and the builder of a CWScene, which must all agree; with
// the writer as the builder's oracle.
//
// Properties, for every input:
//   - the parser in memory and the parser through a FILE with a 64-byte window accept the same inputs,
//     refuse the others with the same message, and hand the same records on (cwstool's dump of each);
//   - the builder accepts exactly what the parser accepts, with the same message, and its scene has
//     the frames, shapes, materials and defaulted names the records announced;
// and for every input accepted:
//   - the writer reproduces it byte for byte in its own encoding (unless names had to be defaulted);
//   - the text the writer makes of the scene is accepted again, and writing that back as text gives
//     the same text;
//   - when every float survives six decimals, text -> binary gives the binary bytes again.
// Writing never fails for a scene the builder built. cwstool's preview runs on every accepted input
// too, since it faces the same files.
#include "fuzz/FuzzTargets.h"
#include <cwscene/SceneReader.h>
#include <cwscene/Encoding.h>
#include <cwscene/RecordParser.h>
#include "scenefile/RecordParserDetail.h"  // parseSceneStream, with a small window
#include "tools/cwstool/read/SceneDump.h"
#include "tools/cwstool/preview/SvgPreview.h"

#include <cstdio>   // open_memstream, fmemopen (POSIX; the fuzz build is Linux only)
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
    require(ok, "the writer refused a scene that the builder built");
    return bytes;
}

// cwstool's dump of the records, and the counts the builder's scene must show.
class Records : public cwstool::SceneDump {
public:
    Records() : SceneDump(m_text) {}
    ~Records() override { flush(); }  // before m_text goes
    void material(const scenefile::MaterialRecord& r) override
    {
        SceneDump::material(r);
        ++materials;
        defaulted.note(r);
    }
    void frameBegin(const scenefile::FrameRecord& r) override
    {
        SceneDump::frameBegin(r);
        ++frames;
        shapes += r.shapeCount;
        defaulted.note(r);
    }
    void light(const scenefile::LightRecord& r) override
    {
        SceneDump::light(r);
        defaulted.note(r);
    }
    void view(const scenefile::ViewRecord& r) override
    {
        SceneDump::view(r);
        defaulted.note(r);
    }
    void lead(const scenefile::LeadRecord& r) override
    {
        SceneDump::lead(r);
        defaulted.note(r);
    }
    void sensor(const scenefile::SensorRecord& r) override
    {
        SceneDump::sensor(r);
        defaulted.note(r);
    }
    std::string text()
    {
        flush();
        return m_text.str();
    }

    std::size_t frames = 0, shapes = 0, materials = 0;
    scene::DefaultedNames defaulted;

private:
    std::ostringstream m_text;
};

void countFrames(const CWFrame& frame, std::size_t& frames, std::size_t& shapes)
{
    ++frames;
    shapes += frame.shapeCount();
    for (std::size_t i = 0; i < frame.childCount(); ++i) countFrames(frame.child(i), frames, shapes);
}

}  // namespace

int sceneReader(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);

    Records inMemory;
    scenefile::ParseResult parsed = scenefile::parseScene(input, inMemory);
    require(parsed.accepted() || !parsed.error.empty(), "a refusal without a message");

    // The same bytes as a file read through a small window: it slides, grows for long names, and goes
    // back for the records read twice.
    if (size > 0) {
        std::FILE* stream = ::fmemopen(const_cast<char*>(input.data()), size, "rb");
        require(stream != nullptr, "fmemopen failed");
        Records throughWindow;
        scenefile::ParseResult streamed = scenefile::parseSceneStream(stream, size, throughWindow, {}, 64);
        std::fclose(stream);
        require(streamed.error == parsed.error, "the windowed parser and the parser in memory disagree");
        require(throughWindow.text() == inMemory.text(), "the windowed parser handed on other records");
    }

    scenefile::ParseOptions countLossy;
    countLossy.countLossyTextFloats = true;
    scene::ReadResult built = scene::readScene(input, countLossy);
    require(built.error == parsed.error && static_cast<bool>(built) == parsed.accepted(),
            "the builder and the parser disagree");
    if (!built) return 0;

    std::size_t frames = 0, shapes = 0;
    countFrames(*built.scene->rootFrame(), frames, shapes);
    require(frames == inMemory.frames && shapes == inMemory.shapes &&
                built.scene->materialCount() == inMemory.materials,
            "the builder's scene does not hold what the records announced");
    require(built.defaultedNames == inMemory.defaulted.total(), "the builder defaulted other names");

    cwstool::SidePreview preview;
    scenefile::parseScene(input, preview);
    std::string svg = preview.svg("fuzz");
    require(svg.size() > 100 && svg.compare(svg.size() - 7, 7, "</svg>\n") == 0, "preview did not end its SVG");

    const bool binaryInput = built.encoding == scenefile::Encoding::Binary;
    std::string binary = written(*built.scene, true);
    std::string text = written(*built.scene, false);
    if (built.defaultedNames == 0) {
        require((binaryInput ? binary : text) == input, "reader -> writer changed the bytes");
    }

    scene::ReadResult fromText = scene::readScene(text);
    require(static_cast<bool>(fromText), "the writer's text was refused");
    require(written(*fromText.scene, false) == text, "text -> reader -> writer changed the text");

    scene::ReadResult fromBinary = scene::readScene(binary, countLossy);
    require(static_cast<bool>(fromBinary), "the writer's binary was refused");
    if (fromBinary.lossyTextFloats == 0) {
        require(written(*fromText.scene, true) == binary, "binary -> text -> binary changed the bytes");
    }
    return 0;
}

}  // namespace fuzz
