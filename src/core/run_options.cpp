#include "core/run_options.h"

#include <filesystem>
#include <string_view>

namespace lk40::core {

namespace {

// Limits up to thirty days, in whole seconds.
constexpr uint32_t kMaxLimitS = 30u * 24 * 60 * 60;

bool takeSeconds(const std::string& text, uint32_t& ms) {
  if (text.empty() || text.size() > 7 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  const unsigned long seconds = std::stoul(text);
  if (seconds < 1 || seconds > kMaxLimitS) return false;
  ms = static_cast<uint32_t>(seconds * 1000);
  return true;
}

enum class Needs { Run, Alone };

struct Option {
  std::string_view name;
  const char* missing;  // the value is missing or bad
  bool (*take)(RunOptions& options, const std::string& value);
  Needs needs;
};

const Option kOptions[] = {
    {"--run", "--run: не указан файл сценария",
     [](RunOptions& o, const std::string& v) {
       o.script = v;
       return true;
     },
     Needs::Alone},
    {"--report", "--report: не указан файл отчёта",
     [](RunOptions& o, const std::string& v) {
       o.report = v;
       return true;
     },
     Needs::Run},
    {"--junit", "--junit: не указан файл JUnit",
     [](RunOptions& o, const std::string& v) {
       o.junit = v;
       return true;
     },
     Needs::Run},
    {"--timeout", "--timeout: нужно целое число секунд от 1 до 2592000",
     [](RunOptions& o, const std::string& v) { return takeSeconds(v, o.limits.runMs); }, Needs::Run},
    {"--step-timeout", "--step-timeout: нужно целое число секунд от 1 до 2592000",
     [](RunOptions& o, const std::string& v) { return takeSeconds(v, o.limits.stepMs); }, Needs::Run},
    {"--check", "--check: не указан файл сценария",
     [](RunOptions& o, const std::string& v) {
       o.check = v;
       return true;
     },
     Needs::Alone},
    {"--record", "--record: не указан файл сценария",
     [](RunOptions& o, const std::string& v) {
       o.record = v;
       return true;
     },
     Needs::Alone},
};

}  // namespace

bool sameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  const fs::path first = fs::u8path(a);
  const fs::path second = fs::u8path(b);
  std::error_code error;
  if (fs::equivalent(first, second, error)) return true;
  const auto normal = [&](const fs::path& p) { return fs::absolute(p, error).lexically_normal(); };
  return normal(first) == normal(second);
}

RunOptions parseRunOptions(const std::vector<std::string>& arguments) {
  RunOptions options;
  const auto fail = [&](std::string error) {
    if (options.error.empty()) options.error = std::move(error);
  };
  std::vector<const Option*> given;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    const Option* option = nullptr;
    std::string value;
    bool hasValue = false;
    for (const Option& candidate : kOptions) {
      if (argument == candidate.name) {
        option = &candidate;
        hasValue = i + 1 < arguments.size();
        if (hasValue) value = arguments[++i];
      } else if (argument.rfind(std::string(candidate.name) + "=", 0) == 0) {
        option = &candidate;
        hasValue = true;
        value = argument.substr(candidate.name.size() + 1);
      }
    }
    if (option == nullptr) {
      options.rest.push_back(argument);
      continue;
    }
    for (const Option* earlier : given)
      if (earlier == option) fail(std::string(option->name) + ": указан дважды");
    given.push_back(option);
    if (!hasValue || value.empty() || value.rfind("--", 0) == 0 || !option->take(options, value))
      fail(option->missing);
  }
  if (options.error.empty() && !options.scripted()) {
    for (const Option* option : given)
      if (option->needs == Needs::Run) fail(std::string(option->name) + ": нужен --run");
  }
  if (options.error.empty()) {
    const Option* alone = nullptr;
    for (const Option* option : given) {
      if (option->needs != Needs::Alone) continue;
      if (alone) fail(std::string(option->name) + ": не вместе с " + std::string(alone->name));
      alone = option;
    }
  }
  if (options.error.empty() && !options.report.empty() && sameFile(options.script, options.report))
    fail("--report: отчёт записался бы поверх сценария");
  if (options.error.empty() && !options.junit.empty() && sameFile(options.script, options.junit))
    fail("--junit: файл JUnit записался бы поверх сценария");
  if (options.error.empty() && !options.junit.empty() && !options.report.empty() &&
      sameFile(options.report, options.junit))
    fail("--junit: файл JUnit записался бы поверх отчёта");
  return options;
}

}  // namespace lk40::core
