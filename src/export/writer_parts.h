// What the POSIX and the Windows form of the file writer share: the name of the temporary file
// and the sink that gathers the writers' many small pieces into large writes.
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>

#include "records/byte_sink.h"

namespace corvel {

// A new name for a temporary file beside `path`, whose folder part ends at `slash` (npos: no
// folder): ".NAME.PID.N.X.tmp", with NAME cut to 200 bytes to leave room for the suffix within a
// name's length limit, N counting the process's temporaries and X taken from the clock.
inline std::string TemporaryNameBeside(const std::string& path, size_t slash, unsigned long pid) {
  static std::atomic<unsigned> counter{0};
  const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.size() > 200) base.resize(200);
  const auto now =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  char suffix[48];
  std::snprintf(suffix, sizeof suffix, ".%lu.%u.%llx.tmp", pid, counter.fetch_add(1),
                now & 0xFFFFFFull);
  return dir + "." + base + suffix;
}

// `Out` writes a part of a piece to the file: `size_t Out::WriteSome(const char*, size_t, Error&)`
// gives the bytes written, or 0 with the system's error code set. After the first failure
// nothing more is written and error() keeps that code.
template <typename Out, typename Error>
class BufferedSink final : public ByteSink {
 public:
  explicit BufferedSink(Out out) : out_(out) {}
  using ByteSink::Write;

  bool Write(const void* data, size_t size) override {
    if (error_ != 0) return false;
    const char* p = static_cast<const char*>(data);
    if (used_ + size > sizeof buf_) {
      if (!Flush()) return false;
      if (size >= sizeof buf_) return WriteAll(p, size);
    }
    std::memcpy(buf_ + used_, p, size);
    used_ += size;
    return true;
  }

  bool Flush() {
    if (error_ != 0) return false;
    const bool ok = WriteAll(buf_, used_);
    used_ = 0;
    return ok;
  }

  Error error() const { return error_; }

 private:
  bool WriteAll(const char* p, size_t size) {
    while (size > 0) {
      const size_t n = out_.WriteSome(p, size, error_);
      if (n == 0) return false;
      p += n;
      size -= n;
    }
    return true;
  }

  Out out_;
  Error error_ = 0;
  size_t used_ = 0;
  char buf_[1 << 16];
};

// Lets produce() write through a BufferedSink of `out` and flushes what it wrote; `error` gets
// the first failure's code. False when produce() gave up.
template <typename Out, typename Error>
bool ProduceInto(Out out, const std::function<bool(ByteSink&)>& produce, Error& error) {
  BufferedSink<Out, Error> sink(out);
  const bool produced = produce(sink);
  if (produced) sink.Flush();
  error = sink.error();
  return produced;
}

}  // namespace corvel
