// GltfExport.h - a scene as glTF 2.0, for `cwstool export`: frames become nodes, boxes become mesh
// nodes of a unit cube, materials become glTF materials. The mapping and its assumptions are in
// docs/gltf-export.md.
//
// Tool layer. The glTF is written as the scene file is read, record by record, so that its memory is
// the unit cube's buffer and a little per open frame and per material, however large the scene; the
// file is written through fileio::OutputFile like every file the system writes, so a failed export
// leaves the target as it was.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <cwscene/RecordParser.h>  // ParseOptions

class CWScene;

namespace cwstool {

enum class GltfContainer {
    Binary,  // .glb: the JSON chunk and the binary buffer in one file
    Json,    // .gltf: JSON text, the buffer embedded as a base64 data URI
};

// .gltf (any case) selects JSON; every other name binary.
GltfContainer gltfContainerFor(const std::string& path);

struct GltfExport {
    std::string bytes;                  // the whole file
    std::vector<std::string> warnings;  // one line per kind of object left out or value assumed
};

struct GltfOptions {
    // Adds the storeys that the frames name (LevelVolumes.h) as translucent rooms and grey slabs under
    // a second root node "levels", beside the scene's own nodes.
    bool levels = false;
};

struct GltfWriteResult {
    bool written = false;
    std::string refusal;                // the scene file's refusal: "offset 1234: expected ..."
    std::string error;                  // why not written: "cannot write the file: Permission denied"
    std::vector<std::string> warnings;  // one line per kind of object left out or value assumed
    int defaultedNames = 0;             // unnamed objects, written with the library's default names
};

// Reads the scene file at `scenePath` (as scenefile::parseSceneFile does, with `parseOptions`) and
// writes it as glTF, in the container that the UTF-8 path `utf8Path` selects, as it reads. Never fails
// on a scene the reader accepts: what glTF cannot carry is left out and named in `warnings`.
GltfWriteResult exportGltf(const std::string& scenePath, const std::string& utf8Path, const GltfOptions& options = {},
                           const scenefile::ParseOptions& parseOptions = {});

// The same from a scene file's bytes in memory; `bytes` empty when they were refused.
GltfExport gltfFromSceneBytes(std::string_view sceneBytes, GltfContainer container, const GltfOptions& options = {});

// The same from a built scene (written to memory first), and written to `utf8Path`: for tests and for
// callers that hold a scene rather than a file.
GltfExport gltfFromScene(const CWScene& scene, GltfContainer container, const GltfOptions& options = {});
GltfWriteResult exportGltf(const CWScene& scene, const std::string& utf8Path, const GltfOptions& options = {});

}  // namespace cwstool
