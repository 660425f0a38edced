// Where the writers put their bytes: a file being written (see export/file_writer.h) or a string
// in tests and in the command-line tool's standard output.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace corvel {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Returns false once a write failed; later writes are ignored.
  virtual bool Write(const void* data, size_t size) = 0;
  bool Write(std::string_view text) { return Write(text.data(), text.size()); }
};

class StringSink final : public ByteSink {
 public:
  bool Write(const void* data, size_t size) override {
    text.append(static_cast<const char*>(data), size);
    return true;
  }
  using ByteSink::Write;
  std::string text;
};

class StdioSink final : public ByteSink {
 public:
  explicit StdioSink(std::FILE* f) : f_(f) {}
  bool Write(const void* data, size_t size) override {
    if (!ok_) return false;
    ok_ = std::fwrite(data, 1, size, f_) == size;
    return ok_;
  }
  using ByteSink::Write;

 private:
  std::FILE* f_;
  bool ok_ = true;
};

}  // namespace corvel
