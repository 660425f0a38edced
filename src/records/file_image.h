// The loaded measurement file: the 64-byte file header kept raw and the record area of exactly
// 16 MiB, zero-filled past the end of the file. Every read of the area is bounded: a byte at or
// past the end of the area reads as 0, whatever offset a length field produced.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>

#include "records/file_result.h"

namespace corvel {

inline constexpr uint32_t kAreaSize = 16777216;  // bytes of the record area
inline constexpr uint32_t kHeaderSize = 64;      // bytes of the file header

class FileImage;
FileResult LoadFileImage(const std::string& path, FileImage& image);
FileResult LoadFileImage(std::span<const uint8_t> bytes, FileImage& image);

class FileImage {
 public:
  FileImage();  // allocates the record area once, all zero (untouched pages stay unbacked)

  FileImage(const FileImage&) = delete;
  FileImage& operator=(const FileImage&) = delete;

  std::array<uint8_t, kHeaderSize> header{};

  // Writable access: the whole area counts as written afterwards (see dirty_).
  uint8_t* area() {
    dirty_ = kAreaSize;
    return area_.get();
  }
  const uint8_t* area() const { return area_.get(); }

  // Bounded little-endian readers over the record area. Offsets are 64-bit so that sums of
  // length fields never wrap.
  uint8_t U8(uint64_t off) const { return off < kAreaSize ? area_[off] : 0; }
  int8_t I8(uint64_t off) const { return static_cast<int8_t>(U8(off)); }
  uint16_t U16(uint64_t off) const {
    if (off + 2 <= kAreaSize) return static_cast<uint16_t>(area_[off] | (area_[off + 1] << 8));
    return static_cast<uint16_t>(U8(off) | (U8(off + 1) << 8));
  }
  uint32_t U32(uint64_t off) const {
    if (off + 4 <= kAreaSize) {
      const uint8_t* p = &area_[off];
      return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
             (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
    }
    return static_cast<uint32_t>(U16(off)) | (static_cast<uint32_t>(U16(off + 2)) << 16);
  }
  // Bounded writer: bytes that would fall outside the area are dropped.
  void PutU32(uint64_t off, uint32_t value);

  // How many bytes of the header and of the area came from the file, and whether the file went
  // on past the area.
  uint32_t header_bytes = 0;
  uint32_t loaded_bytes = 0;
  bool cut_at_capacity = false;

  // Zeroes the header and the area and forgets what was loaded.
  void Clear();

 private:
  friend FileResult LoadFileImage(const std::string& path, FileImage& image);
  friend FileResult LoadFileImage(std::span<const uint8_t> bytes, FileImage& image);

  // Zero from byte `from` on, for a load of `from` bytes; only the bytes an earlier load or
  // write may have left are cleared, which spares touching the whole 16 MiB for a small file.
  void ZeroFrom(uint32_t from);

  struct Free {
    void operator()(uint8_t* p) const { std::free(p); }
  };
  std::unique_ptr<uint8_t[], Free> area_;
  uint32_t dirty_ = 0;  // the bytes at and past this offset are zero
};

// Reads a measurement file in one bulk read into `image` (header, area, zero fill). A file shorter
// than 64 bytes leaves 0xFF in the header bytes it could not fill. On failure `image` holds
// unspecified bytes; callers load into a staging image and swap only on success.
FileResult LoadFileImage(const std::string& path, FileImage& image);

// The same from the bytes of a measurement file held in memory (a test's or a fuzz target's
// input): exactly what loading a file of these bytes gives. It cannot fail.
FileResult LoadFileImage(std::span<const uint8_t> bytes, FileImage& image);

}  // namespace corvel
