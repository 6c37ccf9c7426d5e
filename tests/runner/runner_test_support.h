// Helpers of the plug-in runner tests: the probe plug-in as the build left
// it, and a scratch plug-in directory of copies of it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace vireo::test {

namespace fs = std::filesystem;

// The probe plug-in and its layout, beside it in the build tree.
inline std::string ProbePlugin() { return VIREO_TEST_PLUGIN; }
inline std::string ProbeLayout() {
  return (fs::path(VIREO_TEST_PLUGIN).parent_path() / "rptFrameProbe.json").string();
}

// A temporary directory, removed afterwards, where tests lay out plug-in
// directories of their own.
class ScratchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "vireo-runner-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  // A copy of the probe as lib<name>.so in `sub`, with the layouts named.
  fs::path CopyProbe(const std::string& sub, const std::string& name,
                     std::initializer_list<std::string> layouts) {
    const fs::path dir = dir_ / sub;
    fs::create_directories(dir);
    fs::copy_file(ProbePlugin(), dir / ("lib" + name + ".so"));
    for (const std::string& layout : layouts) fs::copy_file(ProbeLayout(), dir / layout);
    return dir;
  }

  fs::path dir_;
};

}  // namespace vireo::test
