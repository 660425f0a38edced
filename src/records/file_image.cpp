#include "records/file_image.h"

#ifdef _WIN32
#include <windows.h>

#include "records/native_path.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

namespace corvel {

FileImage::FileImage() : area_(static_cast<uint8_t*>(std::calloc(kAreaSize, 1))) {
  if (!area_) throw std::bad_alloc();
}

void FileImage::PutU32(uint64_t off, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    if (off + i < kAreaSize) area_[off + i] = static_cast<uint8_t>(value >> (8 * i));
  if (off < kAreaSize)
    dirty_ = std::max(dirty_, static_cast<uint32_t>(std::min<uint64_t>(off + 4, kAreaSize)));
}

void FileImage::ZeroFrom(uint32_t from) {
  if (dirty_ > from) std::memset(area_.get() + from, 0, dirty_ - from);
  dirty_ = from;
}

void FileImage::Clear() {
  header.fill(0);
  ZeroFrom(0);
  header_bytes = 0;
  loaded_bytes = 0;
  cut_at_capacity = false;
}

namespace {

#ifdef _WIN32

// The Windows form of the reader: a handle opened by the wide name, so that any folder name works.
using FileHandle = HANDLE;

std::string Reason() {
  return WindowsErrorReason(::GetLastError());
}

bool ReadUpTo(HANDLE file, uint8_t* data, size_t size, size_t& got) {
  got = 0;
  while (got < size) {
    const DWORD want = static_cast<DWORD>(std::min<size_t>(size - got, 1u << 30));
    DWORD n = 0;
    if (!::ReadFile(file, data + got, want, &n, nullptr)) return false;
    if (n == 0) break;
    got += n;
  }
  return true;
}

struct HandleCloser {
  HANDLE file;
  ~HandleCloser() { ::CloseHandle(file); }
};

// Opens a regular file for reading; a folder or a device is refused before any read.
FileResult OpenForReading(const std::string& path, HANDLE& file) {
  const std::wstring wide = WidePath(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return CannotOpen(path, "not a regular file");
  file = ::CreateFileW(wide.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE) return CannotOpen(path, Reason());
  if (::GetFileType(file) != FILE_TYPE_DISK) {
    ::CloseHandle(file);
    return CannotOpen(path, "not a regular file");
  }
  return {};
}

#else

using FileHandle = int;

std::string Reason(int err) {
  return err ? std::strerror(err) : "unknown error";
}

// Reads up to `size` bytes, fewer only at the end of the file. Returns false on a read error.
bool ReadUpTo(int fd, uint8_t* data, size_t size, size_t& got) {
  got = 0;
  while (got < size) {
    const ssize_t n = ::read(fd, data + got, size - got);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  return true;
}

struct FdCloser {
  int fd;
  ~FdCloser() { ::close(fd); }
};

std::string Reason() {
  return Reason(errno);
}

// Opens a regular file for reading. Without O_NONBLOCK a FIFO would hold the open until some
// process writes into it; a FIFO, a device or a folder is refused before any read.
FileResult OpenForReading(const std::string& path, int& fd) {
  fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return CannotOpen(path, Reason(errno));
  struct stat st;
  const bool known = ::fstat(fd, &st) == 0;
  const int error = errno;
  if (known && S_ISREG(st.st_mode)) return {};
  ::close(fd);
  return CannotOpen(path, known ? std::string("not a regular file") : Reason(error));
}

#endif

}  // namespace

FileResult LoadFileImage(const std::string& path, FileImage& image) {
  FileHandle fd{};
  if (FileResult opened = OpenForReading(path, fd); !opened.ok) return opened;
#ifdef _WIN32
  const HandleCloser closer{fd};
#else
  const FdCloser closer{fd};
#endif

  // Header bytes that the file cannot fill read as 0xFF, as the instrument's own reader left them.
  image.header.fill(0xFF);
  size_t header_read = 0, area_read = 0;
  // A failed read may have left anything in the area; a read that succeeds wrote only its bytes.
  const uint32_t dirty_before = image.dirty_;
  image.dirty_ = kAreaSize;
  if (!ReadUpTo(fd, image.header.data(), kHeaderSize, header_read) ||
      (header_read == kHeaderSize && !ReadUpTo(fd, image.area_.get(), kAreaSize, area_read)))
    return CannotRead(path, Reason());
  image.dirty_ = std::max(dirty_before, static_cast<uint32_t>(area_read));
  image.ZeroFrom(static_cast<uint32_t>(area_read));
  image.header_bytes = static_cast<uint32_t>(header_read);
  image.loaded_bytes = static_cast<uint32_t>(area_read);
  image.cut_at_capacity = false;
  if (area_read == kAreaSize) {
    uint8_t probe;
    size_t more = 0;
    if (!ReadUpTo(fd, &probe, 1, more)) return CannotRead(path, Reason());
    image.cut_at_capacity = more != 0;
  }
  return {};
}

FileResult LoadFileImage(std::span<const uint8_t> bytes, FileImage& image) {
  image.header.fill(0xFF);
  const size_t header_read = std::min<size_t>(bytes.size(), kHeaderSize);
  if (header_read > 0) std::memcpy(image.header.data(), bytes.data(), header_read);
  size_t area_read = 0;
  if (header_read == kHeaderSize) {
    area_read = std::min<size_t>(bytes.size() - kHeaderSize, kAreaSize);
    std::memcpy(image.area_.get(), bytes.data() + kHeaderSize, area_read);
  }
  image.dirty_ = std::max(image.dirty_, static_cast<uint32_t>(area_read));
  image.ZeroFrom(static_cast<uint32_t>(area_read));
  image.header_bytes = static_cast<uint32_t>(header_read);
  image.loaded_bytes = static_cast<uint32_t>(area_read);
  image.cut_at_capacity = bytes.size() > size_t{kHeaderSize} + kAreaSize;
  return {};
}

}  // namespace corvel
