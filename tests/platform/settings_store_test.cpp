#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include "platform/reg_file.h"
#include "temp_folder.h"

namespace lk40::platform {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;
using testing::ScopedEnv;
using testing::TempFolder;
using testing::writeBytes;
using namespace std::string_literals;

const std::string kKey = "\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param";
const std::string kHeader = "Windows Registry Editor Version 5.00\r\n";
const std::string kSection = "[HKEY_CURRENT_USER\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param]\r\n";

class SettingsStoreTest : public ::testing::Test {
 protected:
  std::string file() const { return folder_ / "HKEY_CURRENT_USER.reg"; }
  SettingsStore store() const { return SettingsStore(file()); }
  std::unique_ptr<SettingsKey> openExisting() const { return store().open(kKey, false); }

  std::string readString(const SettingsKey& key, const std::string& name) const {
    std::string value;
    EXPECT_EQ(key.readString(name, value), ReadResult::Ok) << name;
    return value;
  }
  int32_t readInteger(const SettingsKey& key, const std::string& name) const {
    int32_t value = 0;
    EXPECT_EQ(key.readInteger(name, value), ReadResult::Ok) << name;
    return value;
  }
  ReadResult stringResult(const SettingsKey& key, const std::string& name) const {
    std::string value;
    return key.readString(name, value);
  }
  ReadResult integerResult(const SettingsKey& key, const std::string& name) const {
    int32_t value = 0;
    return key.readInteger(name, value);
  }
  std::vector<std::string> folderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) names.push_back(entry.path().filename());
    return names;
  }

  TempFolder folder_;
};

TEST_F(SettingsStoreTest, WritesTheExportFormat) {
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", "150");
  key->writeInteger("20", 2);
  key->writeInteger("90", -1);
  key->writeString("a\"b", "c\\d");
  ASSERT_TRUE(key->close());
  EXPECT_EQ(readBytes(file()), kHeader + "\r\n" + kSection +
                                   "\"19\"=\"150\"\r\n"
                                   "\"20\"=dword:00000002\r\n"
                                   "\"90\"=dword:ffffffff\r\n"
                                   "\"a\\\"b\"=\"c\\\\d\"\r\n"
                                   "\r\n");
}

TEST_F(SettingsStoreTest, ValuesAndTypesRoundTrip) {
  const std::string awkward = "кг \"нетто\" C:\\path\\ \\\\ end\\";
  {
    auto key = store().open(kKey, true);
    ASSERT_NE(key, nullptr);
    key->writeString("19", "150");
    key->writeString("145", "");
    key->writeString(awkward, awkward);
    key->writeString("lines", "one\r\ntwo\nthree ЛК-40 \xF0\x9F\x98\x80");
    key->writeInteger("20", 2);
    key->writeInteger("90", -1);
    key->writeInteger("min", INT32_MIN);
    key->writeInteger("max", INT32_MAX);
    key->writeInteger("19", 7);   // replaces the string, and its type
    key->writeString("20", "x");  // and the other way round
    ASSERT_TRUE(key->close());
  }
  const auto key = openExisting();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(readInteger(*key, "19"), 7);
  EXPECT_EQ(readString(*key, "20"), "x");
  EXPECT_EQ(readString(*key, "145"), "");
  EXPECT_EQ(readString(*key, awkward), awkward);
  EXPECT_EQ(readString(*key, "lines"), "one\r\ntwo\nthree ЛК-40 \xF0\x9F\x98\x80");
  EXPECT_EQ(readInteger(*key, "90"), -1);
  EXPECT_EQ(readInteger(*key, "min"), INT32_MIN);
  EXPECT_EQ(readInteger(*key, "max"), INT32_MAX);
  EXPECT_EQ(integerResult(*key, "20"), ReadResult::WrongType);
  EXPECT_EQ(stringResult(*key, "19"), ReadResult::WrongType);
  EXPECT_EQ(stringResult(*key, "21"), ReadResult::Missing);
  EXPECT_EQ(integerResult(*key, "21"), ReadResult::Missing);
}

TEST_F(SettingsStoreTest, MissingStoreOrKey) {
  EXPECT_EQ(openExisting(), nullptr);
  EXPECT_FALSE(fs::exists(file()));  // looking does not create
  writeBytes(file(), kHeader + "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\r\n\"19\"=\"1\"\r\n");
  EXPECT_EQ(openExisting(), nullptr);
  // A key with no values still exists.
  writeBytes(file(), kHeader + "\r\n" + kSection);
  EXPECT_NE(openExisting(), nullptr);
}

TEST_F(SettingsStoreTest, KeyPathsAndNamesIgnoreCaseAndLeadingBackslash) {
  writeBytes(file(), kHeader + "\r\n[hkey_current_user\\software\\KELVOR\\tests\\drvtarvo\\param]\r\n\"Name\"=\"v\"\r\n");
  for (const std::string& path : {kKey, kKey.substr(1), std::string("SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param\\")}) {
    const auto key = store().open(path, false);
    ASSERT_NE(key, nullptr) << path;
    EXPECT_EQ(readString(*key, "NAME"), "v");
  }
  // Writing through another spelling changes the value where it stands.
  auto key = store().open(kKey.substr(1), true);
  key->writeString("name", "w");
  ASSERT_TRUE(key->close());
  EXPECT_EQ(readBytes(file()),
            kHeader + "\r\n[hkey_current_user\\software\\KELVOR\\tests\\drvtarvo\\param]\r\n\"name\"=\"w\"\r\n");
}

TEST_F(SettingsStoreTest, ReadsLfLinesBomAndShortDwords) {
  writeBytes(file(),
             "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n\n"
             "[HKEY_CURRENT_USER\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param]\n"
             "\"19\"=\"150\"\n\"20\"=dword:2\n\"21\"=DWORD:FFFFFFFF\n\"22\"=dword:00aBcDeF\n"
             "\"23\"=dword:\n\"24\"=dword:123456789\n\"25\"=dword:12g4\n@=\"default\"");
  const auto key = openExisting();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(readString(*key, "19"), "150");
  EXPECT_EQ(readInteger(*key, "20"), 2);
  EXPECT_EQ(readInteger(*key, "21"), -1);
  EXPECT_EQ(readInteger(*key, "22"), 0xABCDEF);
  for (const char* bad : {"23", "24", "25"}) EXPECT_EQ(integerResult(*key, bad), ReadResult::Missing) << bad;
  EXPECT_EQ(readString(*key, ""), "default");  // last line had no line end
}

TEST_F(SettingsStoreTest, DamagedLinesReadAsMissing) {
  writeBytes(file(), kHeader + "\r\n" + kSection +
                         "\"1\"=\"good\"\r\n"
                         "garbage here\r\n"
                         "\"2\"=\"bad \\n escape\"\r\n"
                         "\"3\"=\"unterminated\r\n"
                         "\"4\"=\"trailing\" junk\r\n"
                         "\"5\"\r\n"
                         "\"6\"=\r\n"
                         "\"bad\\name\"=\"x\"\r\n"
                         "\"7\"=-\r\n"
                         "\x01\xFF\x00\x80[\"\\\r\n"s +
                         "\"8\"=dword:0000000a\r\n"
                         "\"9\"=\"trunc");
  const auto key = openExisting();
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(readString(*key, "1"), "good");
  EXPECT_EQ(readInteger(*key, "8"), 10);  // lines after the damage still count
  for (const char* name : {"2", "3", "4", "5", "6", "bad\\name", "bad", "7", "9"}) {
    EXPECT_EQ(stringResult(*key, name), ReadResult::Missing) << name;
    EXPECT_EQ(integerResult(*key, name), ReadResult::Missing) << name;
  }
}

TEST_F(SettingsStoreTest, DamagedFilesNeverCrashAndReadAsMissing) {
  const std::string junk = "\x00\xFF\xFE\x01[\r\r\n\"\\\"=\xC0\x80\n\x00"s;
  const std::string cases[] = {
      "",
      "\xEF\xBB\xBF",
      junk,
      "REGEDIT4\r\n\r\n" + kSection + "\"19\"=\"150\"\r\n",  // wrong header
      "Windows Registry Editor Version 5.0",                  // truncated header
      kHeader + "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Par",  // truncated section
      kHeader + junk + "\r\n" + kSection.substr(0, 20) + junk,
  };
  for (const std::string& bytes : cases) {
    writeBytes(file(), bytes);
    EXPECT_EQ(openExisting(), nullptr) << ::testing::PrintToString(bytes);
    // The store still serves as one: the key is made and saved over the damage.
    auto key = store().open(kKey, true);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(stringResult(*key, "19"), ReadResult::Missing);
    key->writeString("19", "150");
    ASSERT_TRUE(key->close());
    const auto reread = openExisting();
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(readString(*reread, "19"), "150");
  }
}

TEST_F(SettingsStoreTest, OtherTypesAreWrongTypeAndKeptVerbatim) {
  const std::string binary = "\"30\"=hex:01,02,\\\r\n  03,04\r\n";
  const std::string expand = "\"31\"=hex(2):25,00,54,00,00,00\r\n";
  writeBytes(file(), kHeader + "\r\n" + kSection + binary + expand + "\"19\"=\"old\"\r\n");
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  for (const char* name : {"30", "31"}) {
    EXPECT_EQ(stringResult(*key, name), ReadResult::WrongType) << name;
    EXPECT_EQ(integerResult(*key, name), ReadResult::WrongType) << name;
  }
  EXPECT_EQ(stringResult(*key, "03,04"), ReadResult::Missing);  // the continuation is no value of its own
  key->writeString("19", "new");
  key->writeInteger("20", 1);
  ASSERT_TRUE(key->close());
  EXPECT_EQ(readBytes(file()),
            kHeader + "\r\n" + kSection + binary + expand + "\"19\"=\"new\"\r\n\"20\"=dword:00000001\r\n");
}

TEST_F(SettingsStoreTest, OtherSectionsAreKeptByteForByte) {
  const std::string before = kHeader +
                             "\r\n"
                             "; written by hand\r\n"
                             "[HKEY_CURRENT_USER\\SOFTWARE\\First]\r\n"
                             "\"19\"=\"not ours\"\r\n"
                             "  odd line \t\r\n"
                             "\r\n";
  const std::string after =
      "\r\n"
      "[HKEY_CURRENT_USER\\SOFTWARE\\Last]\r\n"
      "\"x\"=hex(7):41,00,00,00,00,00\r\n"
      "@=\"d\"\r\n"
      "\r\n";
  writeBytes(file(), before + kSection + "\"20\"=dword:00000002\r\n\"19\"=\"150\"\r\n" + after);
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", "200");  // in place
  key->writeInteger("161", 12);   // new: after the key's last value
  ASSERT_TRUE(key->close());
  EXPECT_EQ(readBytes(file()),
            before + kSection + "\"20\"=dword:00000002\r\n\"19\"=\"200\"\r\n\"161\"=dword:0000000c\r\n" + after);
}

TEST_F(SettingsStoreTest, NewKeyGoesAfterTheOtherSections) {
  const std::string other = kHeader + "\r\n[HKEY_CURRENT_USER\\SOFTWARE\\Other]\r\n\"a\"=\"b\"";
  writeBytes(file(), other);  // no line end at the end
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", "150");
  ASSERT_TRUE(key->close());
  EXPECT_EQ(readBytes(file()), other + "\r\n\r\n" + kSection + "\"19\"=\"150\"\r\n\r\n");
}

TEST_F(SettingsStoreTest, CloseWritesOnlyWhatChanged) {
  const std::string lf = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param]\n";
  writeBytes(file(), lf);
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->close());
  EXPECT_EQ(readBytes(file()), lf);  // untouched: still LF
  EXPECT_TRUE(key->close());

  // A key that had to be made is saved even with no value in it.
  fs::remove(file());
  key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  ASSERT_TRUE(key->close());
  EXPECT_EQ(readBytes(file()), kHeader + "\r\n" + kSection + "\r\n");
}

TEST_F(SettingsStoreTest, MakesItsFoldersAndSavesADroppedKey) {
  const SettingsStore nested(folder_ / "a/b/c/store.reg");
  nested.open(kKey, true)->writeString("19", "150");
  const auto key = nested.open(kKey, false);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(readString(*key, "19"), "150");
}

TEST_F(SettingsStoreTest, UnwritableFolderGivesNoKey) {
  // A regular file where the folder should be stops root as well as anyone.
  writeBytes(folder_ / "blocker", "x");
  const SettingsStore blocked(folder_ / "blocker/store.reg");
  std::string why;
  EXPECT_EQ(blocked.open(kKey, true, &why), nullptr);
  EXPECT_EQ(why, blocked.file() + ": " + std::generic_category().message(ENOTDIR));
  EXPECT_EQ(blocked.open(kKey, false), nullptr);
  const SettingsStore deeper(folder_ / "blocker/sub/store.reg");
  EXPECT_EQ(deeper.open(kKey, true), nullptr);
  // A store that is a folder cannot be read, so it is not replaced either.
  fs::create_directory(folder_ / "dir.reg");
  EXPECT_EQ(SettingsStore(folder_ / "dir.reg").open(kKey, true), nullptr);
}

// Restores the file size limit, and the signal it raises, on leaving the scope.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = old_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

TEST_F(SettingsStoreTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
  const std::string old = kHeader + "\r\n" + kSection + "\"19\"=\"150\"\r\n";
  writeBytes(file(), old);
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", std::string(4096, 'x'));
  {
    // The size limit holds for root too: the temporary file cannot be written whole.
    const FileSizeLimit limit(old.size());
    EXPECT_FALSE(key->close());
  }
  EXPECT_EQ(key->error(), file() + ": " + std::generic_category().message(EFBIG));
  EXPECT_EQ(readBytes(file()), old);
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"HKEY_CURRENT_USER.reg"});
  // The writes are still pending: a later close saves them.
  ASSERT_TRUE(key->close());
  EXPECT_EQ(key->error(), "");
  const auto reread = openExisting();
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(readString(*reread, "19"), std::string(4096, 'x'));
}

TEST_F(SettingsStoreTest, FailedRenameLeavesNoTemporary) {
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", "150");
  // Something else took the store's name meanwhile: a folder with a file in it.
  fs::create_directory(file());
  writeBytes(fs::path(file()) / "inside", "kept");
  EXPECT_FALSE(key->close());
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"HKEY_CURRENT_USER.reg"});
  EXPECT_EQ(readBytes(fs::path(file()) / "inside"), "kept");
}

TEST_F(SettingsStoreTest, ReplacesTheTargetOfALink) {
  const std::string real = folder_ / "real.reg";
  writeBytes(real, kHeader + "\r\n" + kSection);
  fs::create_symlink(real, file());
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", "150");
  ASSERT_TRUE(key->close());
  EXPECT_TRUE(fs::is_symlink(file()));
  EXPECT_EQ(readBytes(real), kHeader + "\r\n" + kSection + "\"19\"=\"150\"\r\n");
  // A link to a file not made yet: the first save makes it.
  fs::remove(real);
  fs::remove(file());
  fs::create_symlink("real.reg", file());
  key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  EXPECT_TRUE(key->close()) << key->error();
  EXPECT_TRUE(fs::is_symlink(file()));
  EXPECT_EQ(readBytes(real), kHeader + "\r\n" + kSection + "\r\n");
}

TEST_F(SettingsStoreTest, WritesAfterAFileEndingInAContinuedLineAreKept) {
  const std::string other = "SOFTWARE\\Other";
  const std::string otherSection = "[HKEY_CURRENT_USER\\" + other + "]\r\n";
  // The continued value is the file's last line: in the key itself, or in
  // another section so that the key is appended whole. However many
  // backslashes end it, only the next line continues it.
  const std::pair<std::string, std::string> cases[] = {
      {kHeader + "\r\n" + kSection + "\"19\"=\"1\"\r\n\"h\"=hex:01,\\\r\n", kKey.substr(1)},
      {kHeader + "\r\n" + otherSection + "\"h\"=hex:01,\\\r\n  02,\\", other},
      {kHeader + "\r\n" + otherSection + "\"h\"=hex:\\\\\r\n", other},
      {kHeader + "\r\n" + otherSection + "\"h\"=hex:01,\\\\", other},
      {kHeader + "\r\n" + otherSection + "\"h\"=hex(2):41,00,\\\\\\\r\n", other},
      {kHeader + "\r\n" + otherSection + "\"h\"=hex(1):41,00,\\\r\n", other},  // reads "A" before and after
  };
  for (const auto& [start, keyOfH] : cases) {
    writeBytes(file(), start);
    std::string before;
    const ReadResult beforeResult = store().open(keyOfH, false)->readString("h", before);
    {
      auto key = store().open(kKey, true);
      ASSERT_NE(key, nullptr);
      key->writeString("19", "150");
      key->writeInteger("20", 2);
      ASSERT_TRUE(key->close());
    }
    for (int round = 0; round < 2; ++round) {  // and once more over what the first save wrote
      auto key = openExisting();
      ASSERT_NE(key, nullptr) << start;
      EXPECT_EQ(readString(*key, "19"), "150");
      EXPECT_EQ(readInteger(*key, "20"), 2);
      key->writeString("22", "7");
      ASSERT_TRUE(key->close());
    }
    EXPECT_EQ(readString(*openExisting(), "22"), "7");
    std::string after;
    EXPECT_EQ(store().open(keyOfH, false)->readString("h", after), beforeResult) << start;
    EXPECT_EQ(after, before) << start;
  }
}

// Files made of lines that continue, end or break values in every order:
// what a save writes reads back, and every other value reads as it did.
TEST(RegFileProperty, SavesKeepWhatTheyWriteAndEverythingElse) {
  const std::string key = "HKEY_CURRENT_USER\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param";
  const std::string other = "HKEY_CURRENT_USER\\SOFTWARE\\Other";
  const std::string pieces[] = {"[" + key + "]", "[" + other + "]", "\"h\"=hex:01,\\", "\"h\"=hex:\\\\",
                                "\"s\"=hex(1):41,00,\\", "\"h\"=hex(2):41,00,\\\\\\", "  42,00,\\\\", "  00,00",
                                "\"19\"=\"old\"", "\"s\"=\"v\\\\\"", "\"20\"=dword:1", "@=hex:\\", "\\", "", "  "};
  const std::string names[] = {"h", "s", "19", "20", ""};
  const auto reads = [&](const RegFile& file) {
    std::vector<std::string> out;
    for (const std::string& section : {key, other})
      for (const std::string& name : names) {
        std::string text;
        int32_t number = 0;
        const int asString = static_cast<int>(file.readString(section, name, text));
        const int asInteger = static_cast<int>(file.readInteger(section, name, number));
        out.push_back(std::to_string(asString) + text + "|" + std::to_string(asInteger) + std::to_string(number));
      }
    return out;
  };
  std::mt19937 random(16);
  for (int n = 0; n < 1000; ++n) {
    std::string bytes = "Windows Registry Editor Version 5.00";
    for (int lines = static_cast<int>(random() % 9); lines > 0; --lines)
      bytes += (random() % 2 ? "\r\n" : "\n") + pieces[random() % std::size(pieces)];
    if (random() % 2) bytes += "\r\n";
    RegFile file = RegFile::parse(bytes);
    // Only the two values written change: "19" to the string, "20" to the integer.
    std::vector<std::string> expected = reads(file);
    expected[2] = "0150|20";
    expected[3] = "2|02";
    for (int save = 0; save < 2; ++save) {
      file.writeString(key, "19", "150");
      file.writeInteger(key, "20", 2);
      file = RegFile::parse(file.serialise());
      ASSERT_EQ(reads(file), expected) << ::testing::PrintToString(bytes) << " save " << save;
    }
  }
}

TEST_F(SettingsStoreTest, StringsWithLineBreaksKeepNulsAndBytesThatAreNotUtf8) {
  const std::string values[] = {"a\r\nb\0c"s, "\0"s, "line\n\xFF\xC3("s, "\n\xED\xB2\x80 \xF0\x9F\x98"s,
                                "end\n\0"s, "\r\xC3\xA9\0\0"s};
  {
    auto key = store().open(kKey, true);
    ASSERT_NE(key, nullptr);
    for (std::size_t i = 0; i < std::size(values); ++i) key->writeString(std::to_string(i), values[i]);
    ASSERT_TRUE(key->close());
  }
  const auto key = openExisting();
  ASSERT_NE(key, nullptr);
  for (std::size_t i = 0; i < std::size(values); ++i) EXPECT_EQ(readString(*key, std::to_string(i)), values[i]) << i;
}

TEST_F(SettingsStoreTest, LeftoversOfKilledSavesAreRemoved) {
  // A pid that surely ran and ended.
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  waitpid(gone, nullptr, 0);
  const std::string storeName = "HKEY_CURRENT_USER.reg";
  const std::pair<std::string, bool> entries[] = {
      {storeName + ".tmp-" + std::to_string(gone), true},     // its owner ended
      {storeName + ".tmp-" + std::to_string(getpid()), true},  // this process is not saving
      {storeName + ".tmp-1", false},                           // owned by a running process
      {storeName + ".tmp-0" + std::to_string(gone), false},    // no save names it so
      {storeName + ".backup", false},                          // the operator's own copies,
      {storeName + ".bak001", false},                          // whatever their name
      {storeName + ".2024v1", false},
      {storeName + ".Bak123", false},
  };
  for (const auto& [name, leftover] : entries)
    writeBytes(folder_ / name, name == storeName + ".Bak123" ? "mine" : kHeader);
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", "150");
  ASSERT_TRUE(key->close());
  for (const auto& [name, leftover] : entries) EXPECT_EQ(fs::exists(folder_ / name), !leftover) << name;
}

TEST_F(SettingsStoreTest, SavesKilledAtAnyMomentLeaveOnlyTheStore) {
  const std::string big(20000, 'x');
  {
    auto first = store().open(kKey, true);
    ASSERT_NE(first, nullptr);
    first->writeString("19", big);
    ASSERT_TRUE(first->close());
  }
  std::mt19937 random(8);
  for (int kill = 0; kill < 150; ++kill) {
    const pid_t saver = fork();
    if (saver == 0) {
      const SettingsStore own(file());
      for (int i = 0;; ++i) {
        auto key = own.open(kKey, true);
        if (key) key->writeString("19", big + std::to_string(i));
        if (key) key->close();
      }
    }
    ASSERT_GT(saver, 0);
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 3000));
    ::kill(saver, SIGKILL);
    waitpid(saver, nullptr, 0);
  }
  auto key = store().open(kKey, true);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(readString(*key, "19").substr(0, big.size()), big);
  key->writeString("20", "y");
  ASSERT_TRUE(key->close());
  EXPECT_EQ(folderEntries(), std::vector<std::string>{"HKEY_CURRENT_USER.reg"});
}

TEST(SettingsStoreDefault, FollowsXdgConfigHome) {
  {
    const ScopedEnv xdg("XDG_CONFIG_HOME", "/tmp/xdg-config");
    EXPECT_EQ(SettingsStore::defaultFile(), "/tmp/xdg-config/lk40-drvtest/HKEY_CURRENT_USER.reg");
    EXPECT_EQ(SettingsStore().file(), SettingsStore::defaultFile());
  }
  const ScopedEnv home("HOME", "/home/operator");
  for (const char* unset : {static_cast<const char*>(nullptr), "", "relative/config"}) {
    const ScopedEnv xdg("XDG_CONFIG_HOME", unset);
    EXPECT_EQ(SettingsStore::defaultFile(), "/home/operator/.config/lk40-drvtest/HKEY_CURRENT_USER.reg");
  }
}

}  // namespace
}  // namespace lk40::platform
