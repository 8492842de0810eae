// The JUnit file of a scripted run on disk: made anew before the first step,
// patched in place as the run goes (JunitReport says where), and replaced
// whole once, with the properties, when the run ends.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/run_junit.h"
#include "platform/text_file.h"

namespace lk40::core {

class JunitFile {
 public:
  // The file made anew at `path` with `initial` in it; nullptr when it
  // cannot be made or written (it is then checked before anything runs).
  static std::unique_ptr<JunitFile> create(const std::string& path, const std::string& initial);

  // False once a write did not reach the file.
  bool apply(const std::vector<FilePatch>& patches);
  // The finished document in place of the file, written aside and renamed
  // over it; the file as it stood stays when that fails. No write after it.
  bool finish(const JunitReport::Finished& finished);

 private:
  JunitFile(std::string path, std::unique_ptr<platform::OutputFile> file)
      : path_(std::move(path)), file_(std::move(file)) {}

  std::string path_;
  std::unique_ptr<platform::OutputFile> file_;
};

}  // namespace lk40::core
