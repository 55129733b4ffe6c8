// TinyGltf.cpp - the one unit that compiles tinygltf's implementation (Debian's libtinygltf-dev header,
// JSON by nlohmann-json). Image support is switched off in CMakeLists.txt: the export writes no images.
// Built without the project's warning set: the code is not ours.
#define TINYGLTF_IMPLEMENTATION
#include <tiny_gltf.h>
