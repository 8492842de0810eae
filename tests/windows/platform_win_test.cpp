// The Windows backends of the platform layer on the system itself: the
// registry store under a scratch key of the current user, the ANSI code page
// and the user's regional formats (the runner sets a Russian locale).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/code_page.h"
#include "platform/file_version.h"
#include "platform/regional_formats.h"
#include "platform/settings_store.h"

namespace lk40::platform {
namespace {

constexpr char kKey[] = "\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param";

// A scratch root under HKEY_CURRENT_USER standing in for the hive, removed
// with everything below it before and after each test.
class RegistryStore : public ::testing::Test {
 protected:
  static constexpr wchar_t kRoot[] = L"Software\\lk40-drvtest-tests";
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kRoot); }

  const SettingsStore store{"Software\\lk40-drvtest-tests"};

  // The raw value as the registry holds it.
  static bool rawValue(const wchar_t* name, DWORD& type, DWORD& dword) {
    DWORD size = sizeof dword;
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\lk40-drvtest-tests\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param",
                        name, RRF_RT_ANY, &type, &dword, &size) == ERROR_SUCCESS;
  }
};

TEST_F(RegistryStore, SavesAndRestoresStringsAndIntegers) {
  EXPECT_EQ(store.open(kKey, false), nullptr);  // first run: no key, and none made
  {
    const auto key = store.open(kKey, true);
    ASSERT_NE(key, nullptr);
    key->writeString("19", "150");
    key->writeString("105", "Весы №1");
    key->writeString("145", "");
    key->writeInteger("20", 2);
    key->writeInteger("90", -1);
    EXPECT_TRUE(key->close());
  }
  DWORD type = 0, dword = 0;
  ASSERT_TRUE(rawValue(L"90", type, dword));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(dword, 0xFFFFFFFFu);
  ASSERT_TRUE(rawValue(L"20", type, dword));
  EXPECT_EQ(dword, 2u);

  const auto key = store.open("SOFTWARE\\kelvor\\tests\\drvtarvo\\param", false);
  ASSERT_NE(key, nullptr);
  std::string text;
  int32_t number = 0;
  EXPECT_EQ(key->readString("19", text), ReadResult::Ok);
  EXPECT_EQ(text, "150");
  EXPECT_EQ(key->readString("105", text), ReadResult::Ok);
  EXPECT_EQ(text, "Весы №1");
  EXPECT_EQ(key->readString("145", text), ReadResult::Ok);
  EXPECT_EQ(text, "");
  EXPECT_EQ(key->readInteger("20", number), ReadResult::Ok);
  EXPECT_EQ(number, 2);
  EXPECT_EQ(key->readInteger("90", number), ReadResult::Ok);
  EXPECT_EQ(number, -1);
}

TEST_F(RegistryStore, MissingValuesAndWrongTypesAreTold) {
  {
    const auto key = store.open(kKey, true);
    ASSERT_NE(key, nullptr);
    key->writeString("19", "150");
    key->writeInteger("20", 2);
  }  // dropped unclosed: still saved
  const auto key = store.open(kKey, false);
  ASSERT_NE(key, nullptr);
  std::string text;
  int32_t number = 0;
  EXPECT_EQ(key->readInteger("19", number), ReadResult::WrongType);
  EXPECT_EQ(key->readString("20", text), ReadResult::WrongType);
  EXPECT_EQ(key->readInteger("22", number), ReadResult::Missing);
  EXPECT_EQ(key->readString("22", text), ReadResult::Missing);
  // A binary value is neither a string nor an integer.
  const BYTE bytes[] = {1, 2, 3, 4};
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\lk40-drvtest-tests\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param",
                            L"21", REG_BINARY, bytes, sizeof bytes),
            ERROR_SUCCESS);
  EXPECT_EQ(key->readInteger("21", number), ReadResult::WrongType);
  EXPECT_EQ(key->readString("21", text), ReadResult::WrongType);
}

TEST_F(RegistryStore, AKeyThatCannotBeMadeGivesNoKey) {
  // Key names are limited to 255 characters: the registry refuses this one.
  const std::string tooLong = "SOFTWARE\\" + std::string(300, 'k');
  std::string why;
  EXPECT_EQ(store.open(tooLong, true, &why), nullptr);
  // The key and the system's words for the refusal.
  const std::string named = "HKEY_CURRENT_USER\\Software\\lk40-drvtest-tests\\" + tooLong + ": ";
  EXPECT_EQ(why.substr(0, named.size()), named);
  EXPECT_GT(why.size(), named.size() + 2) << why;
  EXPECT_EQ(store.open(tooLong, false), nullptr);
}

TEST_F(RegistryStore, AValueTheRegistryRefusesFailsTheClose) {
  const auto key = store.open(kKey, true);
  ASSERT_NE(key, nullptr);
  key->writeString("19", "150");
  key->writeString(std::string(20000, 'v'), "x");  // value names stop at 16383 characters
  EXPECT_FALSE(key->close());
  EXPECT_FALSE(key->close());  // still pending, still refused: never reported as saved
  const std::string named = "HKEY_CURRENT_USER\\Software\\lk40-drvtest-tests\\SOFTWARE\\Kelvor\\Tests\\DrvTarvo\\Param: ";
  EXPECT_EQ(key->error().substr(0, named.size()), named);
  EXPECT_GT(key->error().size(), named.size() + 2) << key->error();
  std::string text;
  EXPECT_EQ(store.open(kKey, false)->readString("19", text), ReadResult::Ok);  // what came before it landed
  EXPECT_EQ(text, "150");
}

TEST(CodePage, AllBytesRoundTripThroughTheSystemsCodePage) {
  ASSERT_EQ(GetACP(), 1251u) << "the runner sets a Russian locale";
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToAnsi(ansiToUtf8(all)), all);
  EXPECT_EQ(utf8ToAnsi("Вес №"), "\xC2\xE5\xF1 \xB9");
  EXPECT_EQ(utf8ToAnsi("a\xC3\xA9z"), "a?z");  // no byte for é in 1251
}

TEST(RegionalFormatsWin, ComeFromTheUsersLocale) {
  const RegionalFormats f = RegionalFormats::fromUserLocale();
  EXPECT_EQ(f.decimalSeparator, ',');
  EXPECT_EQ(f.shortDate, "dd.MM.yyyy");
  // Windows' Russian hour is unpadded, Wine's is padded.
  EXPECT_TRUE(f.longTime == "H:mm:ss" || f.longTime == "HH:mm:ss") << f.longTime;
}

TEST(FileVersionWin, ReadsTheVersionResourceOfAFile) {
  const std::string self = currentExecutablePath();
  ASSERT_FALSE(self.empty());
  const auto version = readFileVersion(self);  // built from the bench's own .rc
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(version->major, LK40_VERSION_MAJOR);
  EXPECT_EQ(version->minor, LK40_VERSION_MINOR);
  EXPECT_EQ(version->release, LK40_VERSION_PATCH);
  EXPECT_EQ(version->build, LK40_VERSION_TWEAK);
  EXPECT_FALSE(readFileVersion(self + ".missing").has_value());
}

}  // namespace
}  // namespace lk40::platform
