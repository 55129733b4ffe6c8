// NodeTools.h - whether the readers that some tests run (the Khronos glTF Validator and web-ifc on
// Node.js, IfcPlusPlus) are there, and what a test does when one is not.
//
// They are installed beside the source tree (scripts/install-gltf-validator.sh and
// install-ifc-reader.sh, into build-tools/PACKAGE/), which the README's test command does. Under a
// plain ctest on a machine without them such a test is skipped with the reason; under the test
// command, which sets SKIPFLOOR_REQUIRE_NODE_TOOLS=1, it fails instead, so that a check the suite
// promises is never left out unnoticed.
#pragma once

#include <cstdlib>  // getenv
#include <filesystem>
#include <string>

namespace testutil {

// Why `package` cannot run here ("" when it can): no node program, or the package not installed.
inline std::string nodeToolMissing(const std::string& package)
{
    const std::string node = SKIPFLOOR_NODE;
    std::error_code error;
    const bool found = node.find('/') != std::string::npos
                           ? std::filesystem::exists(node, error)
                           : std::system(("command -v '" + node + "' >/dev/null 2>&1").c_str()) == 0;
    if (!found) return "node (Node.js) is not installed, which " + package + " runs on";
    const std::filesystem::path module = std::filesystem::path(SKIPFLOOR_BUILD_TOOLS) / package / "node_modules" / package;
    if (!std::filesystem::is_directory(module, error))
        return package + " is not installed in " + module.string() + " (scripts/install-deps.sh all installs it)";
    return std::string();
}

// True when a missing tool fails the test instead of skipping it.
inline bool nodeToolsRequired()
{
    const char* required = std::getenv("SKIPFLOOR_REQUIRE_NODE_TOOLS");
    return required && std::string(required) == "1";
}

}  // namespace testutil

// Skips the test with `missing`, why a tool it needs cannot run ("" when it can), or fails it where the
// tools are required.
#define SKIPFLOOR_NEEDS_TOOL(missing)                                                       \
    do {                                                                                    \
        const std::string missingTool = (missing);                                          \
        if (!missingTool.empty() && ::testutil::nodeToolsRequired()) FAIL() << missingTool; \
        if (!missingTool.empty()) GTEST_SKIP() << missingTool;                              \
    } while (false)

// Skips the test with the reason when `package` cannot run, or fails it where the tools are required.
#define SKIPFLOOR_NEEDS_NODE_TOOL(package) SKIPFLOOR_NEEDS_TOOL(::testutil::nodeToolMissing(package))
