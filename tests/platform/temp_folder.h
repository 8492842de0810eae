// A fresh folder per test, removed with everything in it afterwards, and small
// file helpers for tests that look at bytes on disk.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace lk40::platform::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::string& bytes);

#ifndef _WIN32
// Runs `act` as a user who owns nothing here and returns its result: in a
// child process as "nobody" when this one is root, who may write anything,
// else in this process. -1 when the child could not be run.
int asAnotherUser(const std::function<int()>& act);
#endif

// Sets an environment variable for one scope and puts back what was there.
class ScopedEnv {
 public:
  ScopedEnv(std::string name, const char* value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name_;
  bool had_ = false;
  std::string old_;
};

}  // namespace lk40::platform::testing
