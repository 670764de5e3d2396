// Where a G-code program goes: a file, standard output, a stream or a string. The writer hands
// over large blocks, so one virtual call per block costs nothing.
#pragma once

#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace skelda {

class AtomicFileWriter;

class GcodeSink {
 public:
  virtual ~GcodeSink() = default;
  // Throws when the bytes cannot be written.
  virtual void Write(const char* data, std::size_t size) = 0;
};

class StringSink : public GcodeSink {
 public:
  void Write(const char* data, std::size_t size) override { text.append(data, size); }
  std::string text;
};

// Throws WriteFileError naming `name` when the stream fails.
class StreamSink : public GcodeSink {
 public:
  StreamSink(std::ostream& out, std::string name) : out_(out), name_(std::move(name)) {}
  void Write(const char* data, std::size_t size) override;

 private:
  std::ostream& out_;
  std::string name_;
};

// An open file descriptor (standard output, /dev/null); not owned. Throws WriteFileError naming
// `name` on failure.
class FileDescriptorSink : public GcodeSink {
 public:
  FileDescriptorSink(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
  void Write(const char* data, std::size_t size) override;

 private:
  int fd_;
  std::string name_;
};

class AtomicFileSink : public GcodeSink {
 public:
  explicit AtomicFileSink(AtomicFileWriter& writer) : writer_(writer) {}
  void Write(const char* data, std::size_t size) override;

 private:
  AtomicFileWriter& writer_;
};

// Collects lines in a large block and hands full blocks to the sink.
class BufferedOutput {
 public:
  static constexpr std::size_t kCapacity = std::size_t{1} << 20;

  explicit BufferedOutput(GcodeSink& sink) : sink_(sink), block_(kCapacity) {
    pos_ = block_.data();
    end_ = pos_ + block_.size();
  }

  void Put(std::string_view text) {
    if (static_cast<std::size_t>(end_ - pos_) < text.size()) Flush();
    if (text.size() > block_.size()) {
      sink_.Write(text.data(), text.size());
      return;
    }
    std::memcpy(pos_, text.data(), text.size());
    pos_ += text.size();
  }
  // Copies a whole slot of `width` bytes and keeps the first `length` of them.
  void PutSlot(const char* slot, std::size_t width, std::size_t length) {
    if (static_cast<std::size_t>(end_ - pos_) < width) Flush();
    std::memcpy(pos_, slot, width);
    pos_ += length;
  }
  // Room for `size` bytes written in place, up to the pointer handed to Advance.
  char* Reserve(std::size_t size) {
    if (static_cast<std::size_t>(end_ - pos_) < size) Flush();
    return pos_;
  }
  void Advance(char* end) { pos_ = end; }
  void Flush() {
    if (pos_ != block_.data())
      sink_.Write(block_.data(), static_cast<std::size_t>(pos_ - block_.data()));
    pos_ = block_.data();
  }

 private:
  GcodeSink& sink_;
  std::vector<char> block_;
  char* pos_;
  char* end_;
};

}  // namespace skelda
