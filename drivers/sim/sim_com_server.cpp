// The simulated module as an in-process COM server: the class factory and the
// registration of the class under the ProgID AddIn.DrvTarvo.
//
// regsvr32 registers it for the current user (under HKEY_CURRENT_USER, key
// Software\Classes), which Windows merges into the classes every program
// sees; "regsvr32 /n /i:machine" registers it for all users (the same key
// under HKEY_LOCAL_MACHINE) instead, which needs an administrator on Windows
// and is what Wine's ProgID lookup sees.
#include <windows.h>
#include <olectl.h>

#include <new>
#include <string>

#include "platform/module_file_win.h"
#include "sim_com_object.h"

namespace {

using namespace lk40::sim::com;

HMODULE gModule = nullptr;

constexpr wchar_t kProgId[] = L"AddIn.DrvTarvo";
constexpr wchar_t kDescription[] = L"AddIn.DrvTarvo: simulated weighing module";

class ClassFactory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** out) override {
    if (out == nullptr) return E_POINTER;
    if (id == IID_IUnknown || id == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  // One static factory: its references keep the server loaded, nothing more.
  ULONG STDMETHODCALLTYPE AddRef() override {
    lockServer(true);
    return 2;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    lockServer(false);
    return 1;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** out) override {
    if (out != nullptr) *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return createObject(id, out);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lockServer(lock != FALSE);
    return S_OK;
  }
};

ClassFactory gFactory;

std::wstring classIdText() {
  wchar_t text[64] = {};
  StringFromGUID2(kClassId, text, 64);
  return text;
}

bool setText(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return false;
  const LSTATUS status = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

std::wstring readText(HKEY root, const std::wstring& path) {
  wchar_t value[128] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return {};
  return value;
}

HRESULT registerUnder(HKEY classes) {
  const std::wstring clsid = classIdText();
  const std::wstring file = lk40::platform::moduleFileName(gModule);
  if (file.empty()) return SELFREG_E_CLASS;
  const std::wstring classKey = L"CLSID\\" + clsid;
  const bool ok = setText(classes, classKey, nullptr, kDescription) &&
                  setText(classes, classKey + L"\\InprocServer32", nullptr, file) &&
                  setText(classes, classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
                  setText(classes, classKey + L"\\ProgID", nullptr, kProgId) &&
                  setText(classes, kProgId, nullptr, kDescription) &&
                  setText(classes, std::wstring(kProgId) + L"\\CLSID", nullptr, clsid);
  return ok ? S_OK : SELFREG_E_CLASS;
}

// Whether the server of the other bitness is registered for this class. On a
// 64-bit Windows a class's keys are kept apart for 32- and 64-bit programs,
// its ProgID's key is one for both; on a 32-bit Windows the view flag is
// ignored and this reads our own view.
bool registeredForOtherBitness(bool machine, const std::wstring& clsid) {
#ifdef _WIN64
  constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
  constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif
  HKEY key = nullptr;
  const std::wstring path = L"Software\\Classes\\CLSID\\" + clsid + L"\\InprocServer32";
  if (RegOpenKeyExW(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, path.c_str(), 0,
                    KEY_QUERY_VALUE | kOtherView, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

HRESULT unregisterUnder(HKEY classes, bool machine) {
  const std::wstring clsid = classIdText();
  const LSTATUS status = RegDeleteTreeW(classes, (L"CLSID\\" + clsid).c_str());
  // The ProgID goes only while it names this class (another driver
  // registered under it since is not ours to remove) and while no server of
  // the other bitness still serves the class through it: taking the 64-bit
  // twin away must leave the 32-bit one reachable by its ProgID.
  if (readText(classes, std::wstring(kProgId) + L"\\CLSID") == clsid && !registeredForOtherBitness(machine, clsid))
    RegDeleteTreeW(classes, kProgId);
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

// The classes key of the current user or of the machine; closed by the caller.
HKEY openClasses(bool machine) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return nullptr;
  return key;
}

HRESULT changeRegistration(bool install, bool machine) {
  HKEY classes = openClasses(machine);
  if (classes == nullptr) return machine ? E_ACCESSDENIED : SELFREG_E_CLASS;
  const HRESULT hr = install ? registerUnder(classes) : unregisterUnder(classes, machine);
  RegCloseKey(classes);
  return hr;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    gModule = instance;
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID classId, REFIID id, LPVOID* out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (classId != kClassId) return CLASS_E_CLASSNOTAVAILABLE;
  return gFactory.QueryInterface(id, out);
}

STDAPI DllCanUnloadNow() { return serverInUse() ? S_FALSE : S_OK; }

STDAPI DllRegisterServer() { return changeRegistration(true, false); }

STDAPI DllUnregisterServer() { return changeRegistration(false, false); }

// "machine" registers for all users; anything else, or nothing, for the
// current user.
STDAPI DllInstall(BOOL install, PCWSTR commandLine) {
  const bool machine = commandLine != nullptr && lstrcmpiW(commandLine, L"machine") == 0;
  return changeRegistration(install != FALSE, machine);
}
