#include "records/file_image.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace corvel {

FileImage::FileImage() : area_(new uint8_t[kAreaSize]()) {}

void FileImage::PutU32(uint64_t off, uint32_t value) {
  for (int i = 0; i < 4; ++i)
    if (off + i < kAreaSize) area_[off + i] = static_cast<uint8_t>(value >> (8 * i));
}

void FileImage::Clear() {
  header.fill(0);
  std::memset(area_.get(), 0, kAreaSize);
  header_bytes = 0;
  loaded_bytes = 0;
  cut_at_capacity = false;
}

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

std::string Reason(int err) {
  return err ? std::strerror(err) : "unknown error";
}

}  // namespace

LoadResult LoadFileImage(const std::string& path, FileImage& image) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) return {LoadStatus::kCannotOpen, "Cannot open " + path + ": " + Reason(errno)};

  // Header bytes that the file cannot fill read as 0xFF, as the instrument's own reader left them.
  image.header.fill(0xFF);
  const size_t header_read = std::fread(image.header.data(), 1, kHeaderSize, f.get());
  size_t area_read = 0;
  if (header_read == kHeaderSize) area_read = std::fread(image.area(), 1, kAreaSize, f.get());
  if (std::ferror(f.get()))
    return {LoadStatus::kReadError, "Cannot read " + path + ": " + Reason(errno)};
  std::memset(image.area() + area_read, 0, kAreaSize - area_read);
  image.header_bytes = static_cast<uint32_t>(header_read);
  image.loaded_bytes = static_cast<uint32_t>(area_read);
  image.cut_at_capacity = false;
  if (area_read == kAreaSize) image.cut_at_capacity = std::fgetc(f.get()) != EOF;
  if (std::ferror(f.get()))
    return {LoadStatus::kReadError, "Cannot read " + path + ": " + Reason(errno)};
  return {};
}

LoadResult LoadFileImage(std::span<const uint8_t> bytes, FileImage& image) {
  image.header.fill(0xFF);
  const size_t header_read = std::min<size_t>(bytes.size(), kHeaderSize);
  if (header_read > 0) std::memcpy(image.header.data(), bytes.data(), header_read);
  size_t area_read = 0;
  if (header_read == kHeaderSize) {
    area_read = std::min<size_t>(bytes.size() - kHeaderSize, kAreaSize);
    std::memcpy(image.area(), bytes.data() + kHeaderSize, area_read);
  }
  std::memset(image.area() + area_read, 0, kAreaSize - area_read);
  image.header_bytes = static_cast<uint32_t>(header_read);
  image.loaded_bytes = static_cast<uint32_t>(area_read);
  image.cut_at_capacity = bytes.size() > size_t{kHeaderSize} + kAreaSize;
  return {};
}

}  // namespace corvel
