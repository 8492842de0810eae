#include <windows.h>

#include <climits>
#include <stdexcept>

#include "platform/wide_text_win.h"

namespace lk40::platform {

namespace {

std::wstring toWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX) throw std::length_error("text too long");
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, out.data(), length);
  return out;
}

std::string fromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  if (text.size() > INT_MAX / 3) throw std::length_error("text too long");
  const int size = static_cast<int>(text.size());
  const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), size, out.data(), length, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring widen(std::string_view utf8) { return toWide(CP_UTF8, utf8); }
std::string narrow(std::wstring_view utf16) { return fromWide(CP_UTF8, utf16); }

std::string systemMessage(unsigned long code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  return narrow(text);
}

}  // namespace lk40::platform
