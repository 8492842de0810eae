#include "sim_scenario.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <sstream>

#include "platform/ascii_text.h"
#include "platform/utf8.h"
#include "sim_members.h"
#include "sim_module.h"

namespace lk40::sim {
namespace {

using platform::equalsIgnoringAsciiCase;
using platform::trimBlanks;

constexpr double kMaxLoad = 1000.0;
constexpr int32_t kMaxDelayMs = 60000;
constexpr const char* kDefaultErrorText = "Ошибка драйвера (имитация)";

struct Named {
  std::string_view name;
  int32_t bit;
};
constexpr Named kWeighingStates[] = {{"zero-error", weighing_state::kZeroError},
                                     {"overload", weighing_state::kOverload},
                                     {"adc-error", weighing_state::kAdcError},
                                     {"underload", weighing_state::kUnderload}};
constexpr Named kSupplyStates[] = {{"charging", supply_flags::kCharging},
                                   {"discharged70", supply_flags::kDischarged70},
                                   {"discharged90", supply_flags::kDischarged90},
                                   {"out-of-range", supply_flags::kOutOfRange}};
constexpr Named kProfiles[] = {{"scene", static_cast<int32_t>(LoadProfile::Kind::Scene)},
                               {"none", static_cast<int32_t>(LoadProfile::Kind::None)},
                               {"fixed", static_cast<int32_t>(LoadProfile::Kind::Fixed)},
                               {"steps", static_cast<int32_t>(LoadProfile::Kind::Steps)},
                               {"ramp", static_cast<int32_t>(LoadProfile::Kind::Ramp)}};

template <typename T>
std::optional<T> number(std::string_view text) {
  T value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> decimal(std::string_view text, char mark) {
  std::string s(trimBlanks(text));
  if (mark == ',')
    for (char& c : s)
      if (c == ',') c = '.';
  const auto value = number<double>(s);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::string formatDouble(double value) {
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, value);
  return error == std::errc() ? std::string(text, end) : "0";
}

enum class Section {
  None,
  Skip,
  Scenario,
  Unplugged,
  Slow,
  Flaky,
  ModuleError,
  Weighing,
  Load,
  Supply,
  Exception
};

struct SectionName {
  std::string_view name;
  Section section;
};
constexpr SectionName kSections[] = {
    {"Connection", Section::Skip},     {"Scenario", Section::Scenario}, {"Unplugged", Section::Unplugged},
    {"Slow", Section::Slow},           {"Flaky", Section::Flaky},       {"ModuleError", Section::ModuleError},
    {"Weighing", Section::Weighing},   {"Load", Section::Load},         {"Supply", Section::Supply},
    {"Exception", Section::Exception},
};

// Collects one section's keys, then turns them into an entry of the plan.
class Parser {
 public:
  FaultPlan run(std::string_view text) {
    size_t start = 0;
    while (start <= text.size()) {
      const size_t stop = std::min(text.find('\n', start), text.size());
      line_ = ++lineNo_;
      std::string_view line = text.substr(start, stop - start);
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      take(trimBlanks(line));
      start = stop + 1;
    }
    close();
    return plan_;
  }

 private:
  [[noreturn]] void fail(const std::string& what) const {
    throw ScenarioError("строка " + std::to_string(line_) + ": " + what);
  }

  void take(std::string_view text) {
    if (text.empty() || text.front() == ';' || text.front() == '#') return;
    if (text.front() == '[') {
      if (text.back() != ']') fail("раздел без закрывающей скобки");
      close();
      line_ = lineNo_;
      open(trimBlanks(text.substr(1, text.size() - 2)));
      return;
    }
    const size_t eq = text.find('=');
    if (eq == std::string_view::npos) fail("ожидается Ключ = значение");
    if (section_ == Section::Skip) return;
    if (section_ == Section::None) fail("ключ вне раздела");
    const std::string key(trimBlanks(text.substr(0, eq)));
    for (const Key& k : keys_)
      if (equalsIgnoringAsciiCase(k.key, key)) fail("ключ " + key + " повторён");
    keys_.push_back({key, std::string(trimBlanks(text.substr(eq + 1))), line_});
  }

  void open(std::string_view name) {
    for (const SectionName& s : kSections) {
      if (!equalsIgnoringAsciiCase(s.name, name)) continue;
      section_ = s.section;
      if (section_ == Section::Load && loadSeen_) fail("раздел [Load] повторён");
      if (section_ == Section::Scenario && plan_.seed) fail("раздел [Scenario] повторён");
      sectionLine_ = line_;
      return;
    }
    fail("неизвестный раздел [" + std::string(name) + "]");
  }

  // The value of a key of the current section, marked as used.
  std::optional<std::string> value(std::string_view key) {
    for (Key& k : keys_) {
      if (!equalsIgnoringAsciiCase(k.key, key)) continue;
      k.used = true;
      line_ = k.line;
      return k.value;
    }
    line_ = sectionLine_;
    return std::nullopt;
  }

  std::string required(std::string_view key) {
    auto v = value(key);
    if (!v) fail("в разделе нет ключа " + std::string(key));
    return *v;
  }

  int64_t integer(std::string_view key, int64_t fallback, int64_t low, int64_t high) {
    const auto v = value(key);
    if (!v) return fallback;
    const auto n = number<int64_t>(*v);
    if (!n || *n < low || *n > high) {
      fail(std::string(key) + ": ожидается целое от " + std::to_string(low) + " до " + std::to_string(high));
    }
    return *n;
  }

  double percent(std::string_view key) {
    const auto v = value(key);
    if (!v) return 0.0;
    const auto p = decimal(*v, '.');
    if (!p || *p < 0 || *p > 100) fail(std::string(key) + ": ожидается число от 0 до 100");
    return *p;
  }

  int32_t bits(std::string_view key, const Named (&names)[4]) {
    const std::string list = required(key);
    int32_t result = 0;
    std::string_view rest = list;
    while (true) {
      const size_t comma = rest.find(',');
      const std::string_view item = trimBlanks(rest.substr(0, comma));
      bool known = false;
      for (const Named& n : names) {
        if (equalsIgnoringAsciiCase(n.name, item)) {
          result |= n.bit;
          known = true;
        }
      }
      if (!known) fail(std::string(key) + ": неизвестное состояние \"" + std::string(item) + "\"");
      if (comma == std::string_view::npos) break;
      rest.remove_prefix(comma + 1);
    }
    return result;
  }

  Window window() {
    Window w;
    w.from = integer("From", 1, 1, INT64_MAX);
    w.to = integer("To", 0, 0, INT64_MAX);
    if (w.to != 0 && w.to < w.from) fail("To меньше From");
    return w;
  }

  void close() {
    switch (section_) {
      case Section::None:
      case Section::Skip: break;
      case Section::Scenario: {
        const auto v = required("Seed");
        const auto seed = number<uint64_t>(v);
        if (!seed) fail("Seed: ожидается целое без знака");
        plan_.seed = *seed;
        break;
      }
      case Section::Unplugged: plan_.unplugged.push_back(window()); break;
      case Section::Slow: {
        const Window w = window();
        if (!value("DelayMs")) fail("в разделе нет ключа DelayMs");
        plan_.slow.push_back({w, static_cast<int32_t>(integer("DelayMs", 0, 0, kMaxDelayMs))});
        break;
      }
      case Section::Flaky: {
        const Window w = window();
        const double loss = percent("LossPercent");
        const double bad = percent("BadCheckPercent");
        plan_.flaky.push_back({w, loss, bad});
        break;
      }
      case Section::ModuleError: {
        const Window w = window();
        const std::string name = required("Command");
        const auto command = commandByName(trimBlanks(name));
        if (!command) fail("Command: неизвестная команда \"" + name + "\"");
        if (!value("Code")) fail("в разделе нет ключа Code");
        plan_.moduleErrors.push_back({w, *command, static_cast<int32_t>(integer("Code", 0, 1, 255))});
        break;
      }
      case Section::Weighing: {
        const Window w = window();
        plan_.weighing.push_back({w, bits("State", kWeighingStates)});
        break;
      }
      case Section::Supply: {
        const Window w = window();
        int32_t flags = bits("State", kSupplyStates);
        if (flags & supply_flags::kDischarged90) flags |= supply_flags::kDischarged70;
        plan_.supply.push_back({w, flags});
        break;
      }
      case Section::Exception: {
        const Window w = window();
        const std::string name = required("Member");
        const Member* member = findMember(name);
        if (member == nullptr) fail("Member: нет члена \"" + name + "\"");
        // The dialog is the way out of a plan; it must stay within reach.
        if (member->name == "ShowProperties") fail("Member: ShowProperties не может отказывать");
        std::string text = value("Text").value_or(kDefaultErrorText);
        if (text.empty() || !platform::isValidUtf8(text)) fail("Text: ожидается непустой текст в UTF-8");
        plan_.driverErrors.push_back({w, std::string(member->name), std::move(text)});
        break;
      }
      case Section::Load: closeLoad(); break;
    }
    for (const Key& k : keys_) {
      if (k.used) continue;
      line_ = k.line;
      fail("неизвестный ключ " + k.key);
    }
    keys_.clear();
    section_ = Section::None;
  }

  void closeLoad() {
    loadSeen_ = true;
    LoadProfile& load = plan_.load;
    const std::string kind = required("Profile");
    bool known = false;
    for (const Named& p : kProfiles) {
      if (equalsIgnoringAsciiCase(p.name, trimBlanks(kind))) {
        load.kind = static_cast<LoadProfile::Kind>(p.bit);
        known = true;
      }
    }
    if (!known) fail("Profile: ожидается scene, none, fixed, steps или ramp");
    load.length = static_cast<int32_t>(integer("Length", 20, 1, 1000000));
    auto list = value("Weights");
    if (!list) list = value("Weight");
    size_t needed = 1;
    if (load.kind == LoadProfile::Kind::Ramp) needed = 2;
    if (load.kind == LoadProfile::Kind::None) needed = 0;
    if (needed == 0) {
      if (list) fail("профилю " + kind + " веса не нужны");
      return;
    }
    if (!list) fail("в разделе нет ключа Weights");
    const auto weights = parseWeights(*list);
    if (!weights) fail("Weights: ожидается список весов в кг, каждый от -1000 до 1000");
    if (weights->size() < needed) fail("Weights: профилю ramp нужны хотя бы два веса");
    if (load.kind == LoadProfile::Kind::Fixed && weights->size() != 1)
      fail("Weights: профилю fixed нужен один вес");
    load.weights = *weights;
  }

  struct Key {
    std::string key;
    std::string value;
    int line = 0;
    bool used = false;
  };

  FaultPlan plan_;
  Section section_ = Section::None;
  std::vector<Key> keys_;
  int lineNo_ = 0;  // the line being read
  int line_ = 0;    // the line an error names
  int sectionLine_ = 0;
  bool loadSeen_ = false;
};

void writeWindow(std::ostringstream& out, const Window& w) {
  if (w.from != 1) out << "From=" << w.from << '\n';
  if (w.to != 0) out << "To=" << w.to << '\n';
}

std::string names(int32_t bits, const Named (&table)[4]) {
  std::string list;
  for (const Named& n : table) {
    if ((bits & n.bit) == 0) continue;
    if (!list.empty()) list += ", ";
    list += n.name;
  }
  return list;
}

}  // namespace

FaultPlan parseScenario(std::string_view text) {
  // Editors on Windows like to start UTF-8 files with a byte-order mark.
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  if (text.substr(0, kBom.size()) == kBom) text.remove_prefix(kBom.size());
  return Parser().run(text);
}

FaultPlan loadScenario(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ScenarioError("сценарий " + file + ": файл не открывается");
  std::ostringstream text;
  text << in.rdbuf();
  try {
    return parseScenario(text.str());
  } catch (const ScenarioError& e) {
    throw ScenarioError("сценарий " + file + ", " + e.what());
  }
}

std::string scenarioText(const FaultPlan& plan) {
  std::ostringstream out;
  if (plan.seed) out << "[Scenario]\nSeed=" << *plan.seed << '\n';
  for (const Window& w : plan.unplugged) {
    out << "[Unplugged]\n";
    writeWindow(out, w);
  }
  for (const auto& s : plan.slow) {
    out << "[Slow]\nDelayMs=" << s.delayMs << '\n';
    writeWindow(out, s.when);
  }
  for (const auto& f : plan.flaky) {
    out << "[Flaky]\nLossPercent=" << formatDouble(f.lossPercent)
        << "\nBadCheckPercent=" << formatDouble(f.badCheckPercent) << '\n';
    writeWindow(out, f.when);
  }
  for (const auto& e : plan.moduleErrors) {
    out << "[ModuleError]\nCommand=" << commandName(e.command) << "\nCode=" << e.code << '\n';
    writeWindow(out, e.when);
  }
  for (const auto& w : plan.weighing) {
    out << "[Weighing]\nState=" << names(w.bits, kWeighingStates) << '\n';
    writeWindow(out, w.when);
  }
  if (plan.load.kind != LoadProfile::Kind::Scene) {
    out << "[Load]\nProfile=" << kProfiles[static_cast<int>(plan.load.kind)].name << '\n';
    if (plan.load.kind != LoadProfile::Kind::None) {
      out << "Weights=" << weightsText(plan.load.weights) << "\nLength=" << plan.load.length << '\n';
    }
  }
  for (const auto& s : plan.supply) {
    out << "[Supply]\nState=" << names(s.flags, kSupplyStates) << '\n';
    writeWindow(out, s.when);
  }
  for (const auto& e : plan.driverErrors) {
    out << "[Exception]\nMember=" << e.member << "\nText=" << e.text << '\n';
    writeWindow(out, e.when);
  }
  return out.str();
}

std::optional<std::vector<double>> parseWeights(std::string_view text) {
  const bool semicolons = text.find(';') != std::string_view::npos;
  const char separator = semicolons ? ';' : ',';
  std::vector<double> weights;
  while (true) {
    const size_t cut = text.find(separator);
    const auto w = decimal(text.substr(0, cut), semicolons ? ',' : '.');
    if (!w || std::fabs(*w) > kMaxLoad) return std::nullopt;
    weights.push_back(*w);
    if (cut == std::string_view::npos) break;
    text.remove_prefix(cut + 1);
  }
  return weights;
}

std::string weightsText(const std::vector<double>& weights) {
  std::string text;
  for (const double w : weights) {
    if (!text.empty()) text += "; ";
    text += formatDouble(w);
  }
  return text;
}

}  // namespace lk40::sim
