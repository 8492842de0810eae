#include "core/run_junit_file.h"

#include <filesystem>
#include <fstream>

#include "platform/whole_file.h"

namespace lk40::core {

std::unique_ptr<JunitFile> JunitFile::create(const std::string& path, const std::string& initial) {
  std::unique_ptr<platform::OutputFile> file = platform::OutputFile::recreate(path);
  if (!file || !file->write(initial)) return nullptr;
  return std::unique_ptr<JunitFile>(new JunitFile(path, std::move(file)));
}

bool JunitFile::apply(const std::vector<FilePatch>& patches) {
  if (!file_) return false;
  bool written = true;
  for (const FilePatch& patch : patches)
    written = file_->writeAt(static_cast<int64_t>(patch.offset), patch.bytes) && written;
  return written;
}

bool JunitFile::finish(const JunitReport::Finished& finished) {
  if (!file_) return false;
  file_.reset();  // closed before it is replaced: Windows renames no open file
  std::ifstream in(std::filesystem::u8path(path_), std::ios::binary);
  std::string body(finished.bodyEnd - finished.bodyBegin, '\0');
  in.seekg(static_cast<std::streamoff>(finished.bodyBegin));
  if (!in || !in.read(body.data(), static_cast<std::streamsize>(body.size()))) return false;
  in.close();
  return !platform::replaceFileAtomically(std::filesystem::u8path(path_), finished.head + body + finished.tail,
                                          platform::FileRole::Export);
}

}  // namespace lk40::core
