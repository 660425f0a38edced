#include "export/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

namespace corvel {

namespace {

// Buffers the writers' many small pieces into large writes.
class FdSink final : public ByteSink {
 public:
  explicit FdSink(int fd) : fd_(fd) {}
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

  int error() const { return error_; }

 private:
  bool WriteAll(const char* p, size_t size) {
    while (size > 0) {
      const ssize_t n = ::write(fd_, p, size);
      if (n < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return false;
      }
      if (n == 0) {  // a regular file that accepts nothing is full
        error_ = ENOSPC;
        return false;
      }
      p += n;
      size -= static_cast<size_t>(n);
    }
    return true;
  }

  int fd_;
  int error_ = 0;
  size_t used_ = 0;
  char buf_[1 << 16];
};

WriteResult Failure(const std::string& path, const char* reason) {
  return {false, "cannot write " + path + ": " + reason};
}

// Opens a new file with a unique name beside the target. Creating it with O_EXCL and mode 0666
// lets the process's umask decide the permissions, as for any newly created file.
int CreateTemporary(const std::string& path, std::string& temp_path) {
  static std::atomic<unsigned> counter{0};
  const size_t slash = path.rfind('/');
  const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.size() > 200) base.resize(200);  // room for the suffix within a name's length limit
  const auto now =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld.%u.%llx.tmp", static_cast<long>(::getpid()),
                  counter.fetch_add(1), now & 0xFFFFFFull);
    temp_path = dir + "." + base + suffix;
    const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

WriteResult WriteFileAtomically(const std::string& path,
                                const std::function<bool(ByteSink&)>& produce) {
  if (path.empty()) return Failure(path, "no file name");
  std::string temp_path;
  const int fd = CreateTemporary(path, temp_path);
  if (fd < 0) return Failure(path, std::strerror(errno));

  // A file that is replaced keeps the permissions it had.
  struct stat target;
  if (::stat(path.c_str(), &target) == 0 && S_ISREG(target.st_mode))
    (void)::fchmod(fd, target.st_mode & 07777);

  int error = 0;
  bool produced = false;
  {
    FdSink sink(fd);
    produced = produce(sink);
    if (produced) sink.Flush();
    error = sink.error();
  }
  if (::close(fd) != 0 && errno != EINTR && error == 0) error = errno;

  if (error == 0 && produced && ::rename(temp_path.c_str(), path.c_str()) == 0) return {};
  if (error == 0 && produced) error = errno;  // the rename failed
  ::unlink(temp_path.c_str());
  if (error != 0) return Failure(path, std::strerror(error));
  return Failure(path, "the output could not be produced completely");
}

}  // namespace corvel
