#include "sim_settings.h"

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

#include "sim_scenario.h"

namespace lk40::sim {
namespace {

constexpr std::string_view kSection = "[Connection]";

struct Field {
  const char* key;
  int32_t StoredSettings::*member;
  int32_t low;
  int32_t high;
};

constexpr Field kFields[] = {
    {"ComNumber", &StoredSettings::comNumber, 1, 32},
    {"BaudRate", &StoredSettings::baudRate, 0, 6},
    {"Timeout", &StoredSettings::timeout, 1, 0xFFFF},
    {"Password", &StoredSettings::password, 0, 9999},
    {"PortNumber", &StoredSettings::portNumber, 0, 0xFF},
};

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace

std::string defaultSettingsFile() {
#ifdef _WIN32
  // The per-user roaming folder; the variables of a Unix home mean nothing here.
  // Narrow paths are in the ANSI code page throughout, as the C library's are.
  const char* appData = std::getenv("APPDATA");
  if (appData == nullptr || *appData == '\0') return {};
  return (std::filesystem::path(appData) / "lk40-drvtest" / "sim-driver.ini").string();
#else
  std::filesystem::path base;
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (config != nullptr && std::filesystem::path(config).is_absolute()) {
    base = config;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".config";
  } else {
    return {};
  }
  return (base / "lk40-drvtest" / "sim-driver.ini").string();
#endif
}

StoredSettings loadSettings(const std::string& file) {
  StoredSettings settings;
  if (file.empty()) return settings;
  std::ifstream file_in(file, std::ios::binary);
  if (!file_in) return settings;
  std::ostringstream whole;
  whole << file_in.rdbuf();
  try {
    settings.faults = parseScenario(whole.str());
  } catch (const ScenarioError&) {
    // A damaged fault section must not keep the driver from starting.
  }
  std::istringstream in(whole.str());
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') continue;
    if (text.front() == '[') {
      inSection = text == kSection;
      continue;
    }
    const size_t eq = text.find('=');
    if (!inSection || eq == std::string_view::npos) continue;
    const std::string_view key = trim(text.substr(0, eq));
    const std::string_view value = trim(text.substr(eq + 1));
    for (const Field& field : kFields) {
      if (key != field.key) continue;
      int32_t number = 0;
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
      if (error == std::errc() && end == value.data() + value.size() && number >= field.low &&
          number <= field.high) {
        settings.*field.member = number;
      }
    }
  }
  return settings;
}

bool writeFileAtomically(const std::string& file, const std::string& text) {
  if (file.empty()) return false;
  const std::filesystem::path target(file);
  std::error_code error;
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  if (error) return false;
  std::filesystem::path aside = target;
  aside += ".tmp";
  {
    std::ofstream out(aside, std::ios::binary | std::ios::trunc);
    out << text;
    out.flush();
    if (!out) {
      std::filesystem::remove(aside, error);
      return false;
    }
  }
  std::filesystem::rename(aside, target, error);
  if (error) {
    std::filesystem::remove(aside, error);
    return false;
  }
  return true;
}

std::string logicalDevicesFile(const std::string& settingsFile) {
  if (settingsFile.empty()) return {};
  return (std::filesystem::path(settingsFile).parent_path() / "sim-logical-devices.ini").string();
}

bool saveSettings(const std::string& file, const StoredSettings& settings) {
  std::ostringstream text;
  text << kSection << '\n';
  for (const Field& field : kFields) text << field.key << '=' << settings.*field.member << '\n';
  text << scenarioText(settings.faults);
  return writeFileAtomically(file, text.str());
}

}  // namespace lk40::sim
