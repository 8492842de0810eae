#include "core/run_options.h"

#include <filesystem>
#include <string_view>

namespace lk40::core {

namespace {

struct Option {
  std::string_view name;
  std::string RunOptions::*value;
  const char* missing;
};

const Option kOptions[] = {
    {"--run", &RunOptions::script, "--run: не указан файл сценария"},
    {"--report", &RunOptions::report, "--report: не указан файл отчёта"},
};

bool sameFile(const std::string& a, const std::string& b) {
  namespace fs = std::filesystem;
  return fs::u8path(a).lexically_normal() == fs::u8path(b).lexically_normal();
}

}  // namespace

RunOptions parseRunOptions(const std::vector<std::string>& arguments) {
  RunOptions options;
  const auto fail = [&](std::string error) {
    if (options.error.empty()) options.error = std::move(error);
  };
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
    std::string& slot = options.*(option->value);
    if (!slot.empty()) fail(std::string(option->name) + ": указан дважды");
    if (!hasValue || value.empty() || value.rfind("--", 0) == 0)
      fail(option->missing);
    else
      slot = value;
  }
  if (options.error.empty() && !options.report.empty()) {
    if (options.script.empty())
      fail("--report: нужен --run");
    else if (sameFile(options.script, options.report))
      fail("--report: отчёт записался бы поверх сценария");
  }
  return options;
}

}  // namespace lk40::core
