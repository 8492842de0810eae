#include "platform/file_version.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace lk40::platform {
namespace {

TEST(FileVersion, ReadBackFromTheRunningExecutable) {
  const std::string self = currentExecutablePath();
  ASSERT_FALSE(self.empty());
  const auto version = readFileVersion(self);
  ASSERT_TRUE(version.has_value()) << "this test is built with the version note";
  EXPECT_EQ(version->major, LK40_TEST_VERSION_MAJOR);
  EXPECT_EQ(version->minor, LK40_TEST_VERSION_MINOR);
  EXPECT_EQ(version->release, LK40_TEST_VERSION_PATCH);
  EXPECT_EQ(version->build, LK40_TEST_VERSION_TWEAK);
}

TEST(FileVersion, NothingFromFilesWithoutARecord) {
  testing::TempFolder folder;
  const std::string self = currentExecutablePath();
  const std::string image = testing::readBytes(self);
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"text", "not an executable at all"},
      {"only the ELF header", image.substr(0, 64)},
      {"cut inside the program headers", image.substr(0, 200)},
      {"header pointing far away", image.substr(0, 32) + std::string(32, '\xFF')},
  };
  for (const auto& [name, bytes] : cases) {
    testing::writeBytes(folder.path() / "f", bytes);
    EXPECT_FALSE(readFileVersion(folder / "f").has_value()) << name;
  }
  EXPECT_FALSE(readFileVersion(folder / "missing").has_value());
  EXPECT_FALSE(readFileVersion("").has_value());
}

}  // namespace
}  // namespace lk40::platform
