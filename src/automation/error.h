// The one exception type for every failure that reaches the bench from a driver:
// an error the driver raised, a member it lacks, a value that does not convert.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace lk40::automation {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message, int32_t code = 0)
      : std::runtime_error(message), code_(code) {}
  // The driver's error code or HRESULT, 0 when there is none.
  int32_t code() const noexcept { return code_; }

 private:
  int32_t code_;
};

// Raised by createObject when no driver can be had for a ProgID; what() says why.
class CreationError : public Error {
 public:
  using Error::Error;
};

// "Method '%s' not supported by automation object" for the given name.
std::string unknownNameMessage(const std::string& name);

// The text for a failure HRESULT that came without a description: the
// system's words for the codes automation defines, or, for any other code,
// "OLE error %.8x"; never both.
std::string oleErrorMessage(int32_t hresult);

}  // namespace lk40::automation
