// The hand-over to the twin of the other bitness on the system itself: which
// view of the registry holds a class's in-process server, and a program
// started in this one's place with its arguments and the mark.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "automation/class_registration.h"
#include "platform/process_handover.h"
#include "platform/wide_text_win.h"

namespace lk40 {
namespace {

constexpr char kProgId[] = "LK40.Tests.ViewProbe";
constexpr wchar_t kClsid[] = L"{6C1D2E3F-4A5B-4C6D-8E9F-0A1B2C3D4E5F}";

// The machine's classes in one view of the registry.
void writeKey(REGSAM view, const std::wstring& subKey, const std::wstring& value) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (L"Software\\Classes\\" + subKey).c_str(), 0, nullptr, 0,
                            KEY_SET_VALUE | view, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void removeClass() {
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\LK40.Tests.ViewProbe");  // this process's view
    HKEY classes = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes", 0, KEY_ALL_ACCESS | view, &classes) == ERROR_SUCCESS) {
      RegDeleteTreeW(classes, L"LK40.Tests.ViewProbe");
      RegDeleteTreeW(classes, (std::wstring(L"CLSID\\") + kClsid).c_str());
      RegCloseKey(classes);
    }
  }
}

class ClassViews : public ::testing::Test {
 protected:
  void SetUp() override { removeClass(); }
  void TearDown() override { removeClass(); }
};

TEST_F(ClassViews, TellWhichBitnessHasTheInProcessServer) {
  const struct {
    bool in32, in64;
  } cases[] = {{true, false}, {false, true}, {true, true}};
  for (const auto& c : cases) {
    removeClass();
    for (const auto& [wanted, view] : {std::pair{c.in32, KEY_WOW64_32KEY}, std::pair{c.in64, KEY_WOW64_64KEY}}) {
      if (!wanted) continue;
      writeKey(view, L"LK40.Tests.ViewProbe\\CLSID", kClsid);
      writeKey(view, std::wstring(L"CLSID\\") + kClsid + L"\\InprocServer32", L"C:\\nowhere\\probe.dll");
    }
    const automation::ClassRegistration found = automation::findClassRegistration(kProgId);
    EXPECT_EQ(found.clsid, platform::narrow(kClsid)) << c.in32 << c.in64;
    EXPECT_EQ(found.for32Bit, c.in32) << c.in32 << c.in64;
    EXPECT_EQ(found.for64Bit, c.in64) << c.in32 << c.in64;
  }
}

// A name of its own: CTest runs the cases side by side, and the case above
// writes and removes its class meanwhile.
TEST(ClassViewsOfNoClass, AProgIdOfNoClassFindsNothing) {
  const automation::ClassRegistration found = automation::findClassRegistration("LK40.Tests.NoSuchClass");
  EXPECT_EQ(found.clsid, "");
  EXPECT_FALSE(found.for32Bit || found.for64Bit);
}

// handover_child.exe (beside this test) writes the arguments it was given to
// LK40_CHILD_OUT and exits with 7 when it carries the mark, else 3.
std::string besideThisTest(const std::string& name) {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder.erase(folder.find_last_of(L"\\/") + 1);
  return platform::narrow(folder) + name;
}

TEST(Handover, TheOtherProgramTakesTheseArgumentsAndTheMarkAndGivesItsExitCode) {
  const std::string out = besideThisTest("handover_child.txt");
  DeleteFileW(platform::widen(out).c_str());
  SetEnvironmentVariableW(L"LK40_CHILD_OUT", platform::widen(out).c_str());
  ASSERT_FALSE(platform::handedOver());
  const int code = platform::runHandingOver(besideThisTest("handover_child.exe"));
  SetEnvironmentVariableW(L"LK40_HANDED_OVER", nullptr);  // the other tests run unmarked
  EXPECT_EQ(code, 7);
  std::ifstream file(out, std::ios::binary);
  const std::string given((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  EXPECT_EQ(given, platform::narrow(platform::argumentsAfterProgram(std::wstring_view(GetCommandLineW()))));
}

TEST(Handover, AMissingProgramRaisesTheSystemsWords) {
  try {
    platform::runHandingOver(besideThisTest("no-such-twin.exe"));
    ADD_FAILURE() << "started a missing program";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("no-such-twin.exe: "), std::string::npos) << e.what();
  }
  SetEnvironmentVariableW(L"LK40_HANDED_OVER", nullptr);
}

}  // namespace
}  // namespace lk40
