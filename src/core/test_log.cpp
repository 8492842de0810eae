#include "core/test_log.h"

#include "platform/code_page.h"

namespace lk40::core {

namespace {

constexpr std::string_view kEol = "\r\n";

void line(std::string& out, std::string_view utf8) {
  out += platform::utf8ToAnsi(utf8);
  out += kEol;
}

// "; " + a 13-character label + blanks + line end: the values go in over the
// blanks, from the 17th character of the line on.
std::string summaryLine(std::string_view label, size_t blanks) {
  std::string text = "; ";
  text += label;
  text.append(blanks, ' ');
  return text;
}

std::string fitted(std::string_view utf8, size_t field) {
  std::string bytes = platform::utf8ToAnsi(utf8);
  if (bytes.size() > field) bytes.resize(field);
  return bytes;
}

}  // namespace

std::string baudRateText(int32_t index) {
  static constexpr std::array<const char*, 7> kRates{"2400", "4800", "9600", "19200", "38400", "57600", "115200"};
  if (index >= 0 && index < static_cast<int32_t>(kRates.size())) return kRates[static_cast<size_t>(index)];
  return std::to_string(index);
}

std::vector<std::string> memoLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view piece = text.substr(begin, end - begin);
    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    lines.emplace_back(piece);
    begin = end + 1;
  }
  return lines;
}

TestLogHeader composeTestLogHeader(const TestLogRun& run) {
  TestLogHeader header;
  std::string& out = header.bytes;
  line(out, "; " + run.description);
  line(out, ";");
  for (const std::string& comment : run.comment) line(out, "; " + comment);
  line(out, ";");
  line(out, "; COM" + std::to_string(run.comNumber) + ", скорость = " + baudRateText(run.baudRate) +
                ", период опроса = " + run.period + " мс");
  line(out, ";");
  line(out, "; Начало:      " + run.start);
  header.summaryOffset = static_cast<int64_t>(out.size());
  line(out, summaryLine("Завершение:  ", 30));
  line(out, summaryLine("Время работы:", 30));
  line(out, summaryLine("Измерений:   ", 10));
  line(out, summaryLine("Переполнений:", 10));
  line(out, ";");
  return header;
}

std::string testLogBlockStart(std::string_view typeName) {
  std::string out;
  line(out, "; тип данных = " + std::string(typeName));
  line(out, "<B>");
  return out;
}

std::array<SummaryWrite, 4> testLogSummary(int64_t summaryOffset, std::string_view stop, std::string_view elapsed,
                                           std::string_view measurements, std::string_view overflows) {
  return {{{summaryOffset + 16, fitted(stop, kTimeField)},
           {summaryOffset + 63, fitted(elapsed, kTimeField)},
           {summaryOffset + 110, fitted(measurements, kCountField)},
           {summaryOffset + 137, fitted(overflows, kCountField)}}};
}

}  // namespace lk40::core
