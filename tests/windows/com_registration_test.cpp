// Unregistering the simulated module's server of one bitness: on a 64-bit
// Windows the class's keys are kept apart for 32- and 64-bit programs, the
// ProgID's key is one for both, so the ProgID stays while the server of the
// other bitness is registered for the class, and goes with the last one.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

#ifdef _WIN64
constexpr REGSAM kOwnView = KEY_WOW64_64KEY;
constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kOwnView = KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif
constexpr wchar_t kProgIdClass[] = L"Software\\Classes\\AddIn.DrvTarvo\\CLSID";
constexpr wchar_t kBackup[] = L"Software\\lk40-tests\\other-view-class";

using Install = HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR);

std::wstring readText(HKEY root, const std::wstring& path) {
  wchar_t value[128] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return {};
  return value;
}

bool keyExists(REGSAM view, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Copies a key's tree between two places; false when the source is missing.
bool copyTree(HKEY fromRoot, const std::wstring& from, REGSAM fromView, HKEY toRoot, const std::wstring& to,
              REGSAM toView) {
  HKEY source = nullptr, target = nullptr;
  if (RegOpenKeyExW(fromRoot, from.c_str(), 0, KEY_READ | fromView, &source) != ERROR_SUCCESS) return false;
  const bool ok = RegCreateKeyExW(toRoot, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | toView, nullptr, &target,
                                  nullptr) == ERROR_SUCCESS &&
                  RegCopyTreeW(source, nullptr, target) == ERROR_SUCCESS;
  RegCloseKey(source);
  if (target != nullptr) RegCloseKey(target);
  return ok;
}

void deleteTree(HKEY root, const std::wstring& path, REGSAM view) {
  HKEY parent = nullptr;
  const size_t cut = path.find_last_of(L'\\');
  if (RegOpenKeyExW(root, path.substr(0, cut).c_str(), 0, KEY_ALL_ACCESS | view, &parent) != ERROR_SUCCESS) return;
  RegDeleteTreeW(parent, path.substr(cut + 1).c_str());
  RegCloseKey(parent);
}

TEST(ComRegistration, TheSharedProgIdStaysWhileTheOtherBitnessIsRegistered) {
  const HMODULE server = LoadLibraryW(L"AddIn.DrvTarvo.dll");
  ASSERT_NE(server, nullptr);
  const auto install = reinterpret_cast<Install>(reinterpret_cast<void*>(GetProcAddress(server, "DllInstall")));
  ASSERT_NE(install, nullptr);
  ASSERT_EQ(install(TRUE, L"machine"), S_OK);
  const std::wstring clsid = readText(HKEY_LOCAL_MACHINE, kProgIdClass);
  ASSERT_FALSE(clsid.empty());
  const std::wstring classKey = L"Software\\Classes\\CLSID\\" + clsid;

  // What the other bitness has registered is kept aside and put back, even
  // when an assertion ends the test early.
  deleteTree(HKEY_CURRENT_USER, kBackup, 0);
  struct Restore {
    const std::wstring& classKey;
    bool otherWasRegistered;
    ~Restore() {
      deleteTree(HKEY_LOCAL_MACHINE, classKey, kOtherView);
      if (otherWasRegistered) copyTree(HKEY_CURRENT_USER, kBackup, 0, HKEY_LOCAL_MACHINE, classKey, kOtherView);
      deleteTree(HKEY_CURRENT_USER, L"Software\\lk40-tests", 0);
    }
  } restore{classKey, copyTree(HKEY_LOCAL_MACHINE, classKey, kOtherView, HKEY_CURRENT_USER, kBackup, 0)};

  const struct {
    bool otherRegistered, progIdStays;
  } cases[] = {{true, true}, {false, false}};
  for (const auto& c : cases) {
    deleteTree(HKEY_LOCAL_MACHINE, classKey, kOtherView);
    if (c.otherRegistered) {
      HKEY key = nullptr;
      ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (classKey + L"\\InprocServer32").c_str(), 0, nullptr, 0,
                                KEY_SET_VALUE | kOtherView, nullptr, &key, nullptr),
                ERROR_SUCCESS);
      RegCloseKey(key);
    }
    ASSERT_EQ(install(TRUE, L"machine"), S_OK);
    EXPECT_EQ(install(FALSE, L"machine"), S_OK);
    EXPECT_FALSE(keyExists(kOwnView, classKey)) << c.otherRegistered;
    EXPECT_EQ(keyExists(0, kProgIdClass), c.progIdStays) << c.otherRegistered;
  }

  // Our own view registered again, as the other tests expect it.
  EXPECT_EQ(install(TRUE, L"machine"), S_OK);
  EXPECT_EQ(readText(HKEY_LOCAL_MACHINE, kProgIdClass), clsid);
}

}  // namespace
