#include "sim_text.h"

#include "platform/code_page.h"
#include "platform/utf8.h"

namespace lk40::sim {

std::string ansiToUtf8(const std::vector<uint8_t>& bytes) {
  return platform::ansiToUtf8(std::string(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> utf8ToAnsi(std::string_view utf8) {
  const std::string bytes = platform::utf8ToAnsi(utf8);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool isValidUtf8(std::string_view text) {
  for (size_t pos = 0; pos < text.size();) {
    const platform::Utf8Step step = platform::decodeUtf8(text, pos);
    if (!step.valid) return false;
    pos += step.length;
  }
  return true;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (foldAscii(a[i]) != foldAscii(b[i])) return false;
  }
  return true;
}

}  // namespace lk40::sim
