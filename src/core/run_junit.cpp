#include "core/run_junit.h"

#include <filesystem>

#include "platform/utf8.h"

namespace lk40::core {

namespace {

constexpr std::string_view kTail = "  </testsuite>\n</testsuites>\n";
constexpr std::string_view kOutOpen = "    <system-out>";
constexpr std::string_view kOutClose = "</system-out>\n";
// Room for a counter's value, so that it can be overwritten in place.
constexpr std::size_t kSlot = 20;

std::string seconds(uint32_t ms) {
  std::string fraction = std::to_string(ms % 1000);
  return std::to_string(ms / 1000) + "." + std::string(3 - fraction.size(), '0') + fraction;
}

std::string attribute(std::string_view name, std::string_view value) {
  return " " + std::string(name) + "=\"" + xmlEscaped(value, true) + "\"";
}

// A counter with its room: blanks between attributes are no part of them.
std::string slot(std::string_view name, const std::string& value) {
  return attribute(name, value) + std::string(kSlot > value.size() ? kSlot - value.size() : 0, ' ');
}

std::string problem(std::string_view element, std::string_view type, const std::string& message,
                    const std::string& body) {
  return "      <" + std::string(element) + attribute("type", type) + attribute("message", message) + ">" +
         xmlEscaped(body, false) + "</" + std::string(element) + ">\n";
}

}  // namespace

std::string xmlEscaped(std::string_view utf8, bool attribute) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const platform::Utf8Step step = platform::decodeUtf8(utf8, pos);
    if (!step.valid || step.codePoint == 0xFFFE || step.codePoint == 0xFFFF) {
      out += "\xEF\xBF\xBD";
      pos += step.length;
      continue;
    }
    const char32_t c = step.codePoint;
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"' && attribute) out += "&quot;";
    else if ((c == '\n' || c == '\r' || c == '\t') && attribute) out += "&#" + std::to_string(c) + ";";
    else if (c < 0x20 && c != '\n' && c != '\r' && c != '\t') {
      const char* hex = "0123456789ABCDEF";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      out.append(utf8.substr(pos, step.length));
    }
    pos += step.length;
  }
  return out;
}

JunitReport::JunitReport(std::string suite, std::string timestamp)
    : suite_(std::move(suite)), timestamp_(std::move(timestamp)) {
  // Cases are grouped under the script's name without its folder and ending.
  className_ = std::filesystem::u8path(suite_).stem().u8string();
  if (className_.empty()) className_ = suite_;
  headSize_ = head(0, nullptr).size();
  casesEnd_ = headSize_;
}

std::string JunitReport::head(uint32_t runMs, const RunProperties* properties) const {
  // The finished file is not written over again: its counters need no room.
  const auto counter = [properties](std::string_view name, const std::string& value) {
    return properties ? attribute(name, value) : slot(name, value);
  };
  const std::string counters = counter("tests", std::to_string(tests_)) + counter("failures", std::to_string(failures_)) +
                               counter("errors", std::to_string(errors_)) + counter("time", seconds(runMs));
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" + attribute("name", "lk40-drvtest") +
                    counters + ">\n  <testsuite" + attribute("name", suite_) + counters + attribute("skipped", "0") +
                    attribute("timestamp", timestamp_) + ">\n";
  if (properties && !properties->empty()) {
    out += "    <properties>\n";
    for (const auto& [name, value] : *properties)
      out += "      <property" + attribute("name", name) + attribute("value", value) + "/>\n";
    out += "    </properties>\n";
  }
  return out;
}

std::string JunitReport::begin() const { return head(0, nullptr) + std::string(kTail); }

std::string JunitReport::pendingOut() const {
  return pending_.empty() ? std::string() : std::string(kOutOpen) + pending_ + std::string(kOutClose);
}

std::vector<FilePatch> JunitReport::testcase(const std::string& name, const std::string& trouble, uint32_t ms,
                                             uint32_t runMs) {
  ++tests_;
  std::string text = "    <testcase" + attribute("name", name) + attribute("classname", className_) +
                     attribute("time", seconds(ms)) + ">\n" + trouble;
  if (!pending_.empty()) text += "      <system-out>" + pending_ + std::string(kOutClose);
  text += "    </testcase>\n";
  std::vector<FilePatch> patches{{casesEnd_, text + std::string(kTail)}, {0, head(runMs, nullptr)}};
  casesEnd_ += text.size();
  pending_.clear();
  pendingMs_ = 0;
  return patches;
}

std::vector<FilePatch> JunitReport::step(const RunStep& at, const StepResult& result, const std::string& reportText,
                                         uint32_t runMs) {
  const Step& step = *at.step;
  const std::size_t before = pending_.size();
  const std::string piece = xmlEscaped(reportText, false);
  pending_ += piece;
  pendingMs_ += result.elapsedMs;
  std::string trouble;
  if (result.outcome == Outcome::Failed && step.isExpectation()) {
    ++failures_;
    trouble = problem("failure", "expect", expectationMismatch(step, result), reportText);
  } else if (result.outcome == Outcome::Failed) {
    ++errors_;
    trouble = problem("error", "step", result.reason, reportText);
  } else if (result.outcome == Outcome::Bad) {
    ++errors_;
    trouble = problem("error", "script", result.reason, reportText);
  }
  if (step.isExpectation() || !trouble.empty())
    return testcase(at.place + ": " + step.source, trouble, pendingMs_, runMs);
  // Not a testcase (yet): the suite's system-out holds it until one comes.
  FilePatch patch;
  if (before == 0) {
    patch = {casesEnd_, pendingOut() + std::string(kTail)};
  } else {
    patch = {casesEnd_ + kOutOpen.size() + before, piece + std::string(kOutClose) + std::string(kTail)};
  }
  return {std::move(patch), {0, head(runMs, nullptr)}};
}

std::vector<FilePatch> JunitReport::error(const std::string& name, std::string_view type, const std::string& message,
                                          const std::string& reportText, uint32_t runMs) {
  ++errors_;
  pending_ += xmlEscaped(reportText, false);
  return testcase(name, problem("error", type, message, reportText), pendingMs_, runMs);
}

JunitReport::Finished JunitReport::finish(const RunProperties& properties, uint32_t runMs) const {
  return {head(runMs, &properties), headSize_, casesEnd_, pendingOut() + std::string(kTail)};
}

}  // namespace lk40::core
