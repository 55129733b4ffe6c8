// GltfExport.h - a scene as glTF 2.0, for `cwstool export`: frames become nodes, boxes become mesh
// nodes of a unit cube, materials become glTF materials. The mapping and its assumptions are in
// docs/gltf-export.md.
//
// Tool layer. The glTF is built and encoded with tinygltf (TinyGltf.cpp); the file is written through
// fileio::OutputFile like every file the system writes, so a failed export leaves the target as it was.
#pragma once

#include <string>
#include <vector>

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

// Encodes `scene` as glTF. Never fails on a scene the library can hold: what glTF cannot carry is left
// out and named in `warnings`.
GltfExport gltfFromScene(const CWScene& scene, GltfContainer container, const GltfOptions& options = {});

struct GltfWriteResult {
    bool written = false;
    std::string error;                  // why not written: "cannot write the file: Permission denied"
    std::vector<std::string> warnings;  // as gltfFromScene gives them
};

// Encodes `scene` in the container that the UTF-8 path's name selects and writes it there.
GltfWriteResult exportGltf(const CWScene& scene, const std::string& utf8Path, const GltfOptions& options = {});

}  // namespace cwstool
