// A transport over one file descriptor (a serial device, a socket): poll, read, write.
#pragma once

#include <functional>
#include <string>

#include "machine/transport.h"

namespace skelda {

class FdTransport : public Transport {
 public:
  // `release` closes what owns the descriptor (the descriptor itself by default).
  FdTransport(int fd, std::string name, std::function<void(int)> release = {});
  ~FdTransport() override;

  void Write(const void* data, std::size_t size) override;
  std::size_t Read(char* buffer, std::size_t capacity, int timeoutMs) override;
  void Close() override;
  int Descriptor() const override { return fd_; }
  const std::string& Name() const override { return name_; }

 private:
  [[noreturn]] void Lost(const std::string& what, int errnoValue);

  int fd_;
  std::string name_;
  std::function<void(int)> release_;
};

}  // namespace skelda
