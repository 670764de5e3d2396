// Writes a file so that the target is only ever replaced by a complete one: the bytes go to a
// temporary file in the same folder, which is renamed over the target on Commit. A writer
// destroyed without Commit removes its temporary file and leaves the target untouched.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace skelda {

class AtomicFileWriter {
 public:
  // Creates the temporary file; throws CreateFileError naming the target when it cannot.
  explicit AtomicFileWriter(std::string path);
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  // Throws WriteFileError naming the target on failure.
  void Write(const void* data, std::size_t size);
  void Write(std::string_view text) { Write(text.data(), text.size()); }
  // Flushes, closes and renames over the target; throws WriteFileError on failure.
  void Commit();

  const std::string& path() const { return path_; }

 private:
  void Discard() noexcept;

  std::string path_;
  std::string tempPath_;
  int fd_ = -1;
  bool committed_ = false;
};

// Writes the whole buffer through an AtomicFileWriter.
void WriteFileAtomically(const std::string& path, const void* data, std::size_t size);

}  // namespace skelda
