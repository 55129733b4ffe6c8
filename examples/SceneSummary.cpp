// SceneSummary.cpp - a program of your own that reads a scene file with the scene library's reader and
// prints what it holds.
//
//   scene-summary FILE         prints the encoding, the frame tree with each frame's height above
//                              the root, and the counts; exit 1 when the file is refused
//
// This one builds the whole scene (scene::readSceneFile) and walks it. A program that only looks
// at a large file can instead hand a visitor to scenefile::parseSceneFile (cwscene/RecordParser.h),
// which streams the records without building anything. Names are Shift-JIS in the file; they are
// shown in UTF-8 (cwscene::toUtf8).
#include <cwscene/SceneReader.h>
#include <cwscene/ShiftJis.h>

#include <cstdio>
#include <string>

namespace {

// Positions are relative to the parent frame, so a frame's height is the sum of the z offsets above it.
void printFrame(const CWFrame& frame, int depth, float parentHeight, int& frames, int& shapes)
{
    const float height = parentHeight + frame.position().m_z;
    std::printf("%*s%s  z %+.1f  height %.1f  (%zu shapes)\n", 2 * depth, "", cwscene::toUtf8(frame.name().GetText()).c_str(),
                static_cast<double>(frame.position().m_z), static_cast<double>(height), frame.shapeCount());
    ++frames;
    shapes += static_cast<int>(frame.shapeCount());
    for (std::size_t i = 0; i < frame.childCount(); ++i) printFrame(frame.child(i), depth + 1, height, frames, shapes);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: scene-summary FILE\n");
        return 2;
    }
    scene::ReadResult read = scene::readSceneFile(argv[1]);
    if (!read) {
        std::fprintf(stderr, "scene-summary: %s: %s\n", argv[1], read.error.c_str());
        return 1;
    }
    const CWScene& scene = *read.scene;
    std::printf("%s: %s encoding, unit %u\n", argv[1],
                read.encoding == scenefile::Encoding::Text ? "text" : "binary", static_cast<unsigned>(scene.unit()));
    int frames = 0, shapes = 0;
    if (const CWFrame* root = scene.rootFrame()) printFrame(*root, 1, 0.0f, frames, shapes);
    std::printf("%d frames, %d shapes, %zu materials, %zu sensors\n", frames, shapes, scene.materialCount(),
                scene.sensorCount());
    return 0;
}
