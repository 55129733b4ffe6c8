// FuzzRegressionTest - every seed of fuzz/corpus/<target>/ and every kept finding of
// fuzz/regressions/<target>/ through its fuzz target. A target aborts on a violated property, so a
// regression fails this test (and, in the sanitizer build, any memory fault it provokes).
#include "fuzz/FuzzTargets.h"

#include <gtest/gtest.h>

#include <cstdlib>  // getenv
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(FuzzRegression, EverySeedAndFindingPasses)
{
    struct Target { const char* name; int (*function)(const std::uint8_t*, std::size_t); };
    const Target targets[] = {
        {"scene_reader", fuzz::sceneReader},
        {"number_text", fuzz::numberText},
        {"param_file", fuzz::paramFile},
        {"registry_store", fuzz::registryStore},
    };
    const char* root = std::getenv("SKIPFLOOR_SOURCE_DIR");
    ASSERT_NE(root, nullptr) << "SKIPFLOOR_SOURCE_DIR names the source tree";
    for (const Target& target : targets) {
        int inputs = 0;
        for (const char* kind : {"corpus", "regressions"}) {
            std::filesystem::path dir = std::filesystem::path(root) / "fuzz" / kind / target.name;
            if (!std::filesystem::is_directory(dir)) continue;
            for (const auto& entry : std::filesystem::directory_iterator(dir)) {
                SCOPED_TRACE(entry.path().string());
                std::string bytes = readAll(entry.path());
                EXPECT_EQ(target.function(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
                ++inputs;
            }
        }
        EXPECT_GT(inputs, 0) << "no seeds for " << target.name;
    }
}

}  // namespace
