#include "sim_settings.h"

#include <charconv>
#include <filesystem>
#include <sstream>
#include <string_view>
#include <system_error>

#include "platform/ascii_text.h"
#include "platform/config_folder.h"
#include "platform/whole_file.h"
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

}  // namespace

std::string defaultSettingsFile() {
  const std::filesystem::path folder = platform::configFolder();
  return folder.empty() ? std::string() : (folder / "sim-driver.ini").string();
}

StoredSettings loadSettings(const std::string& file) {
  StoredSettings settings;
  if (file.empty()) return settings;
  std::string whole;
  if (platform::readWholeFile(file, whole)) return settings;
  try {
    settings.faults = parseScenario(whole);
  } catch (const ScenarioError&) {
    // A damaged fault section must not keep the driver from starting.
  }
  std::istringstream in(whole);
  std::string line;
  bool inSection = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string_view text = platform::trimBlanks(line);
    if (text.empty() || text.front() == ';' || text.front() == '#') continue;
    if (text.front() == '[') {
      inSection = text == kSection;
      continue;
    }
    const size_t eq = text.find('=');
    if (!inSection || eq == std::string_view::npos) continue;
    const std::string_view key = platform::trimBlanks(text.substr(0, eq));
    const std::string_view value = platform::trimBlanks(text.substr(eq + 1));
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
  return !file.empty() && !platform::prepareFolderFor(file) && !platform::replaceFileAtomically(file, text);
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
