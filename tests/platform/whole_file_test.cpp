#include "platform/whole_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <string>
#include <vector>

#include "platform/config_folder.h"
#include "platform/text_file.h"
#include "temp_folder.h"

namespace lk40::platform {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;
#ifndef _WIN32
using testing::asAnotherUser;
#endif

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

#ifndef _WIN32
// A file the operator names (the journal's CSV, the test log) is written in
// its own place and never takes over someone else's file: not through a link,
// not by deleting or renaming over a file the user could not write, in a
// folder anyone may write.
TEST(WholeFile, FilesTheOperatorNamesTakeNothingOver) {
  const TempFolder folder;
  fs::permissions(folder.path(), fs::perms(0755));
  const fs::path shared = folder.path() / "shared";
  fs::create_directory(shared);
  fs::permissions(shared, fs::perms(0777));  // writable by all, not sticky
  const fs::path elsewhere = folder.path() / "elsewhere.txt";
  writeBytes(elsewhere, "elsewhere");
  fs::create_symlink(elsewhere, shared / "link.csv");
  const fs::path theirs = shared / "theirs.csv";
  writeBytes(theirs, "theirs");
  fs::permissions(theirs, fs::perms(0444 | (::geteuid() == 0 ? 0200 : 0)));  // root's own 0644

  const std::pair<const char*, std::function<bool(const fs::path&)>> writers[] = {
      {"export", [](const fs::path& p) { return !replaceFileAtomically(p, "new", FileRole::Export); }},
      {"test log", [](const fs::path& p) {
         const auto file = OutputFile::recreate(p.string());
         return file && file->write("new");
       }},
  };
  for (const auto& [name, write] : writers) {
    EXPECT_EQ(asAnotherUser([&] { return write(theirs) ? 1 : 0; }), 0) << name;
    EXPECT_EQ(readBytes(theirs), "theirs") << name;
    // An export refuses the link; the test log, made anew, removes it.
    EXPECT_EQ(write(shared / "link.csv"), std::string_view(name) == "test log") << name;
    EXPECT_EQ(readBytes(elsewhere), "elsewhere") << name;
  }

  // A new export gets the mode of any saved file; the store's own stay private.
  const mode_t old = ::umask(027);
  const std::pair<FileRole, fs::perms> modes[] = {{FileRole::Export, fs::perms(0640)},
                                                  {FileRole::Store, fs::perms(0600)}};
  for (const auto& [role, mode] : modes) {
    const fs::path file = folder.path() / ("new-" + std::to_string(static_cast<int>(role)));
    EXPECT_EQ(replaceFileAtomically(file, "x", role), std::error_code());
    EXPECT_EQ(fs::status(file).permissions(), mode) << static_cast<int>(role);
  }
  ::umask(old);
}
#endif

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
