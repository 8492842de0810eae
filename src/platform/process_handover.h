// Handing the whole run over to another program: it starts with this
// process's own arguments and a mark in its environment, and its exit code
// becomes this process's. The mark is how the other program knows it was
// handed the run and must never hand it back.
#pragma once

#include <string>
#include <string_view>

namespace lk40::platform {

inline constexpr char kHandedOverVariable[] = "LK40_HANDED_OVER";

// True when this process was handed the run by runHandingOver.
bool handedOver();

// Starts program (UTF-8 path) with the arguments of this process exactly as
// its command line holds them and the mark in its environment, with this
// process's standard handles, waits for it and returns its exit code.
// Raises std::runtime_error with the system's words when it cannot be
// started. Windows only: on POSIX it always raises.
int runHandingOver(const std::string& program);

// The arguments of a Windows command line after the program's name, as they
// stand: the name runs to the closing quote when it starts with one, else to
// the first space or tab, as the system's own parser takes it.
template <typename Char>
std::basic_string_view<Char> argumentsAfterProgram(std::basic_string_view<Char> line) {
  std::size_t end = 0;
  if (!line.empty() && line[0] == Char('"')) {
    end = line.find(Char('"'), 1);
    end = end == std::basic_string_view<Char>::npos ? line.size() : end + 1;
  } else {
    while (end < line.size() && line[end] != Char(' ') && line[end] != Char('\t')) ++end;
  }
  return line.substr(end);
}

}  // namespace lk40::platform
