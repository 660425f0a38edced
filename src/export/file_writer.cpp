// The POSIX form of the writer; file_writer_windows.cpp is the Windows one.
#ifndef _WIN32
#include "export/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "export/writer_parts.h"

namespace corvel {

namespace {

// Writes to a file descriptor for BufferedSink.
struct FdOut {
  int fd;

  size_t WriteSome(const char* p, size_t size, int& error) const {
    for (;;) {
      const ssize_t n = ::write(fd, p, size);
      if (n > 0) return static_cast<size_t>(n);
      if (n < 0 && errno == EINTR) continue;
      error = n < 0 ? errno : ENOSPC;  // a regular file that accepts nothing is full
      return 0;
    }
  }
};

// The temporary file of the save in progress, for the signal handler: a handler may neither
// allocate nor take a lock, so the name lives in a fixed buffer and a flag says it is valid.
std::atomic<bool> g_cleanup_installed{false};
char g_pending_temporary[4096];
volatile std::sig_atomic_t g_pending = 0;

extern "C" void RemovePendingTemporary(int signal_number) {
  if (g_pending) ::unlink(g_pending_temporary);
  // End as the signal would have ended the process without this handler.
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

void SetPending(const std::string& temp_path) {
  if (!g_cleanup_installed.load(std::memory_order_relaxed)) return;
  g_pending = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
  if (temp_path.size() >= sizeof g_pending_temporary) return;
  std::memcpy(g_pending_temporary, temp_path.c_str(), temp_path.size() + 1);
  std::atomic_signal_fence(std::memory_order_seq_cst);
  g_pending = 1;
}

void ClearPending() {
  g_pending = 0;
  std::atomic_signal_fence(std::memory_order_seq_cst);
}

// Opens a new file with a unique name beside the target. Creating it with O_EXCL and mode 0666
// lets the process's umask decide the permissions, as for any newly created file.
int CreateTemporary(const std::string& path, std::string& temp_path) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = TemporaryNameBeside(path, path.rfind('/'), static_cast<unsigned long>(::getpid()));
    SetPending(temp_path);  // before the file exists, so no moment leaves it unregistered
    const int fd = ::open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) {
      if (fd < 0) ClearPending();
      return fd;
    }
  }
  ClearPending();
  errno = EEXIST;
  return -1;
}

// Follows a chain of symbolic links to the name it ends at (which may not exist yet); a relative
// link counts from the folder of the link.
bool FollowLinks(std::string& path, int& error) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char link[4096];
    const ssize_t n = ::readlink(path.c_str(), link, sizeof link);
    if (n < 0 || static_cast<size_t>(n) == sizeof link) {
      error = n < 0 ? errno : ENAMETOOLONG;
      return false;
    }
    std::string next(link, static_cast<size_t>(n));
    if (next.empty() || next[0] != '/') {
      const size_t slash = path.rfind('/');
      next = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + next;
    }
    path = std::move(next);
  }
  error = ELOOP;
  return false;
}

// Flushes a folder's entries to disk, so that a rename in it survives a power loss. File systems
// that cannot flush a folder say EINVAL; that is no failure of the save.
int SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string dir =
      slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int error = ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  ::close(fd);
  return error;
}

// A FIFO or a character device cannot be replaced: the bytes go into it. A FIFO without a reader
// would block the open for ever, so it is refused instead.
FileResult StreamInto(const std::string& path, const std::function<bool(ByteSink&)>& produce) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0)
    return CannotWrite(path,
                       errno == ENXIO ? "no process reads from this pipe" : std::strerror(errno));
  struct stat st;
  if (::fstat(fd, &st) != 0 || !(S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
    ::close(fd);
    return CannotWrite(path, "not a regular file");
  }
  // Full pipes make the writes wait, as for any program writing into a pipe.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  int error = 0;
  const bool produced = ProduceInto(FdOut{fd}, produce, error);
  if (::close(fd) != 0 && errno != EINTR && error == 0) error = errno;
  if (error != 0) return CannotWrite(path, std::strerror(error));
  if (!produced) return CannotWrite(path, "the output could not be produced completely");
  return {};
}

}  // namespace

void RemoveTemporaryFilesOnTerminationSignals() {
  g_cleanup_installed.store(true);
  struct sigaction action {};
  action.sa_handler = RemovePendingTemporary;
  sigemptyset(&action.sa_mask);
  for (int signal_number : {SIGINT, SIGTERM}) {
    struct sigaction old {};
    // A signal the caller's parent set to be ignored stays ignored (as nohup expects).
    if (::sigaction(signal_number, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(signal_number, &action, nullptr);
  }
}

FileResult WriteFileAtomically(const std::string& path,
                               const std::function<bool(ByteSink&)>& produce) {
  if (path.empty()) return CannotWrite(path, "no file name");

  // What the name is decides how it is written (see the header); messages name it as given.
  std::string target = path;
  struct stat st;
  if (::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode)) {
    struct stat final_st;
    const bool resolves = ::stat(path.c_str(), &final_st) == 0;
    const bool link = S_ISLNK(st.st_mode);
    if (resolves || !link) {
      const mode_t mode = resolves ? final_st.st_mode : st.st_mode;
      if (S_ISFIFO(mode) || S_ISCHR(mode)) return StreamInto(path, produce);
      if (!S_ISREG(mode) && !S_ISDIR(mode)) return CannotWrite(path, "not a regular file");
    }
    int error = 0;
    if (link && !FollowLinks(target, error)) return CannotWrite(path, std::strerror(error));
  }

  std::string temp_path;
  const int fd = CreateTemporary(target, temp_path);
  if (fd < 0) return CannotWrite(path, std::strerror(errno));

  // A file that is replaced keeps the permissions it had.
  if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode))
    (void)::fchmod(fd, st.st_mode & 07777);

  int error = 0;
  const bool produced = ProduceInto(FdOut{fd}, produce, error);
  // The bytes reach the disk before the name points at them (rule D12).
  if (error == 0 && produced && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && errno != EINTR && error == 0) error = errno;

  if (error == 0 && produced) {
    if (::rename(temp_path.c_str(), target.c_str()) == 0) {
      ClearPending();
      error = SyncFolderOf(target);
      return error == 0 ? FileResult{} : CannotWrite(path, std::strerror(error));
    }
    error = errno;
  }
  ::unlink(temp_path.c_str());
  ClearPending();
  if (error != 0) return CannotWrite(path, std::strerror(error));
  return CannotWrite(path, "the output could not be produced completely");
}

}  // namespace corvel

#endif  // _WIN32
