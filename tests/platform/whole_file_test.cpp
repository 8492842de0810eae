#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/config_folder.h"
#include "temp_folder.h"

namespace lk40::platform {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

std::vector<std::string> entries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  return names;
}

TEST(WholeFile, ReplaceCreatesAndReplacesLeavingNothingBeside) {
  const TempFolder folder;
  const fs::path file = folder.path() / "sim-driver.ini";
  for (const std::string bytes : {"[Connection]\nComNumber=3\n", "", "short"}) {
    ASSERT_EQ(replaceFileAtomically(file, bytes), std::error_code());
    EXPECT_EQ(readBytes(file), bytes);
    std::string read = "stale";
    EXPECT_EQ(readWholeFile(file, read), std::error_code());
    EXPECT_EQ(read, bytes);
  }
  EXPECT_EQ(entries(folder.path()), std::vector<std::string>{"sim-driver.ini"});
}

TEST(WholeFile, ReadTellsAMissingFileFromOneThatCannotBeRead) {
  const TempFolder folder;
  std::string bytes;
  EXPECT_EQ(readWholeFile(folder.path() / "none.ini", bytes), std::errc::no_such_file_or_directory);
  const std::error_code folderRead = readWholeFile(folder.path(), bytes);
  EXPECT_TRUE(folderRead);
  EXPECT_NE(folderRead, std::errc::no_such_file_or_directory);
}

TEST(WholeFile, PrepareMakesTheFoldersAndAReplaceIntoAMissingOneFails) {
  const TempFolder folder;
  const fs::path file = folder.path() / "a" / "b" / "devices.ini";
  EXPECT_TRUE(replaceFileAtomically(file, "x")) << "no folder to write in";
  ASSERT_EQ(prepareFolderFor(file), std::error_code());
  EXPECT_TRUE(fs::is_directory(file.parent_path()));
  EXPECT_TRUE(entries(file.parent_path()).empty()) << "the probe is gone";
  writeBytes(folder.path() / "plain", "");
  EXPECT_TRUE(prepareFolderFor(folder.path() / "plain" / "devices.ini")) << "a file stands where the folder goes";
}

#ifdef _WIN32
TEST(ConfigFolder, IsInTheRoamingFolder) {
  {
    const testing::ScopedEnv appData("APPDATA", "C:\\Users\\operator\\AppData\\Roaming");
    EXPECT_EQ(configFolder(), fs::path("C:\\Users\\operator\\AppData\\Roaming\\lk40-drvtest"));
  }
  const testing::ScopedEnv appData("APPDATA", nullptr);
  EXPECT_EQ(configFolder(), fs::path());
}
#endif

}  // namespace
}  // namespace lk40::platform
