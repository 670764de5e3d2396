// Writes a file so that the target is only ever replaced by a complete one: the bytes go to a
// temporary file in the target's folder, which is renamed over the target on Commit. A writer
// destroyed without Commit removes its temporary file and leaves the target untouched, and so
// does a SIGINT, SIGTERM or SIGHUP that ends the process meanwhile.
//
// A symbolic link is followed: the file it points to is replaced, the link stays. An existing
// target keeps its permissions; a new one gets 0666 less the umask. A device, pipe or other
// special file cannot be replaced and is written directly, without a temporary.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace skelda {

// Writes every byte to the descriptor, again after an interrupted call; a failure throws
// WriteFileError naming the file.
void WriteAll(int fd, const void* data, std::size_t size, const std::string& name);

class AtomicFileWriter {
 public:
  // Creates the temporary file; throws CreateFileError naming the target when it cannot, or
  // when the target is a folder or a file the user may not write.
  explicit AtomicFileWriter(std::string path);
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  ~AtomicFileWriter();

  // Throws WriteFileError naming the target on failure.
  void Write(const void* data, std::size_t size);
  void Write(std::string_view text) { Write(text.data(), text.size()); }
  // Flushes and closes the temporary and checks again that the target can be replaced, so that
  // several files can all be made ready before any of them replaces its target. Throws
  // WriteFileError or CreateFileError.
  void Finish();
  // Finishes (when not yet done) and renames over the target; throws as Finish, or
  // CreateFileError when the rename fails.
  void Commit();

  const std::string& path() const { return path_; }

 private:
  void CreateTemporary(int mode);
  void Discard() noexcept;

  std::string path_;    // as given, for the messages
  std::string target_;  // symbolic links followed
  std::string tempPath_;
  int fd_ = -1;
  int cleanupSlot_ = -1;
  bool direct_ = false;
  bool finished_ = false;
  bool committed_ = false;
};

// Writes the whole buffer through an AtomicFileWriter.
void WriteFileAtomically(const std::string& path, const void* data, std::size_t size);

}  // namespace skelda
