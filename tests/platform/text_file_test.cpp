#include "platform/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "temp_folder.h"

namespace lk40::platform {
namespace {

using testing::readBytes;
using testing::TempFolder;
using testing::writeBytes;

TEST(OutputFile, AppendNeverTruncates) {
  const TempFolder folder;
  const std::string path = folder / "weights.log";
  writeBytes(path, "line 1\r\n");
  {
    const auto file = OutputFile::openForAppend(path);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(readBytes(path), "line 1\r\n");  // opening alone changes nothing
    EXPECT_TRUE(file->write("line 2\r\n"));
    EXPECT_EQ(readBytes(path), "line 1\r\nline 2\r\n");  // on disk before the file closes
  }
  const auto again = OutputFile::openForAppend(path);
  ASSERT_NE(again, nullptr);
  EXPECT_TRUE(again->write("line 3\r\n"));
  EXPECT_EQ(readBytes(path), "line 1\r\nline 2\r\nline 3\r\n");
}

TEST(OutputFile, AppendCreatesAMissingFile) {
  const TempFolder folder;
  const std::string path = folder / "new.log";
  EXPECT_FALSE(fileExists(path));
  const auto file = OutputFile::openForAppend(path);
  ASSERT_NE(file, nullptr);
  EXPECT_TRUE(fileExists(path));
  EXPECT_TRUE(file->write(std::string("\xC2\xE5\xF1\0;", 5)));
  EXPECT_EQ(readBytes(path), std::string("\xC2\xE5\xF1\0;", 5));
}

TEST(OutputFile, NothingToOpenGivesNull) {
  const TempFolder folder;
  EXPECT_EQ(OutputFile::openForAppend(folder / "missing/x.log"), nullptr);
  EXPECT_EQ(OutputFile::recreate(folder / "missing/x.log"), nullptr);
  EXPECT_EQ(OutputFile::openForAppend(folder.path().string()), nullptr);  // a folder
  EXPECT_FALSE(fileExists(folder / "missing/x.log"));
  EXPECT_FALSE(fileExists(folder.path().string()));
}

TEST(OutputFile, RecreateEmptiesAndWriteAtPatchesInPlace) {
  const TempFolder folder;
  const std::string path = folder / "test.log";
  writeBytes(path, "an old test log that is longer");
  const auto file = OutputFile::recreate(path);
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(readBytes(path), "");
  ASSERT_TRUE(file->write("Count: ????\r\n"));
  ASSERT_TRUE(file->write("row 1\r\n"));
  ASSERT_TRUE(file->writeAt(7, "0042"));
  EXPECT_EQ(readBytes(path), "Count: 0042\r\nrow 1\r\n");
  ASSERT_TRUE(file->write("row 2\r\n"));  // back at the end after the patch
  EXPECT_EQ(readBytes(path), "Count: 0042\r\nrow 1\r\nrow 2\r\n");
  EXPECT_FALSE(file->writeAt(-1, "x"));
  ASSERT_TRUE(file->write("row 3\r\n"));
  EXPECT_EQ(readBytes(path), "Count: 0042\r\nrow 1\r\nrow 2\r\nrow 3\r\n");
}

TEST(OutputFile, RecreateReplacesOnlyTheFileNamed) {
  const TempFolder folder;
  // The name as the bench hands it over: UTF-8, whatever the system's code page.
  const std::filesystem::path named = folder.path() / std::filesystem::u8path("тест.log");
  writeBytes(named, "an old log");
  {
    const auto file = OutputFile::recreate(named.u8string());
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(file->write("new"));
    const auto appended = OutputFile::openForAppend(named.u8string());
    ASSERT_NE(appended, nullptr);
    EXPECT_TRUE(appended->write("+"));
  }
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
    names.push_back(entry.path().filename().u8string());
  EXPECT_EQ(names, std::vector<std::string>{"тест.log"});
  EXPECT_EQ(readBytes(named), "new+");

  // A folder is never deleted for a log, not even an empty one.
  const std::filesystem::path emptyFolder = folder.path() / "folder.log";
  std::filesystem::create_directory(emptyFolder);
  EXPECT_EQ(OutputFile::recreate(emptyFolder.u8string()), nullptr);
  EXPECT_TRUE(std::filesystem::is_directory(emptyFolder));
}

TEST(OutputFile, WriteAtWorksOnAnAppendedFile) {
  const TempFolder folder;
  const std::string path = folder / "log";
  writeBytes(path, "abcdef");
  const auto file = OutputFile::openForAppend(path);
  ASSERT_NE(file, nullptr);
  ASSERT_TRUE(file->writeAt(0, "XY"));
  ASSERT_TRUE(file->write("gh"));
  EXPECT_EQ(readBytes(path), "XYcdefgh");
}

}  // namespace
}  // namespace lk40::platform
