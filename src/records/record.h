// Fields of one measurement record, read in place from the file image, and the two walks over the
// file: the record chain and the data blocks of one record.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/file_image.h"

namespace corvel {

inline constexpr uint16_t kRecordMagic = 0x4946;  // "FI"
inline constexpr uint16_t kBlockMagic = 0x4441;   // "AD"
inline constexpr uint32_t kDeletionMarker = 0xDEDADEDA;
inline constexpr uint32_t kEndCommand = 0xBE000000;

// Record header offsets.
inline constexpr uint32_t kOffHeaderLength = 2;
inline constexpr uint32_t kOffRecordLength = 4;
inline constexpr uint32_t kOffName = 8;
inline constexpr uint32_t kOffNumber = 16;
inline constexpr uint32_t kOffYear = 18;
inline constexpr uint32_t kOffProgramName = 24;
inline constexpr uint32_t kOffTypeWord = 40;

// Data block opcodes (top byte of the trace code).
inline constexpr uint8_t kTraceOjip = 0xC0;
inline constexpr uint8_t kTracePulse = 0xCE;

struct RecordStamp {
  int8_t year, month, day, hour, minute, second;
};

// A record addressed by its offset in the record area.
class Record {
 public:
  Record(const FileImage& image, uint32_t offset) : image_(&image), off_(offset) {}

  uint32_t offset() const { return off_; }
  uint16_t header_length() const { return image_->U16(off_ + kOffHeaderLength); }
  uint32_t record_length() const { return image_->U32(off_ + kOffRecordLength); }
  uint32_t type_word() const { return image_->U32(off_ + kOffTypeWord); }
  uint8_t type_code() const { return static_cast<uint8_t>(type_word() & 0xFF); }
  uint8_t rb_marker() const { return static_cast<uint8_t>((type_word() >> 8) & 0x0F); }
  bool deleted() const { return type_word() == kDeletionMarker; }
  uint16_t number() const { return image_->U16(off_ + kOffNumber); }
  RecordStamp stamp() const;
  // The program word at record offset `rel` (40 is the type word, 44 the first after it).
  uint32_t word(uint32_t rel) const { return image_->U32(uint64_t{off_} + rel); }

  // The 8-byte name up to its first NUL; writes at most 8 bytes plus a NUL, returns the length.
  size_t name(char out[9]) const;
  // The 16-byte program name up to its first NUL; writes at most 16 bytes plus a NUL.
  size_t program_name(char out[17]) const;

  // Record offset of the first data block.
  uint64_t first_block() const { return uint64_t{off_} + header_length(); }

 private:
  const FileImage* image_;
  uint32_t off_;
};

// Where and why the record chain ended.
struct ChainEnd {
  uint32_t offset = 0;   // offset of the first position that is not part of the chain
  bool damaged = false;  // a record with impossible lengths ended the chain there
};

// Walks the record chain from offset 0. Calls visit(offset) for every record the chain holds,
// deleted ones included; visit returns false to stop. The chain ends at a position without "FI",
// at the end of the area, or at a record whose record length is 0 or below its header length, or
// whose header length is 0 (such a record is not visited).
template <class Visit>
ChainEnd WalkRecords(const FileImage& image, Visit&& visit) {
  uint64_t off = 0;
  while (off < kAreaSize) {
    if (image.U16(off) != kRecordMagic) return {static_cast<uint32_t>(off), false};
    const uint16_t header_length = image.U16(off + kOffHeaderLength);
    const uint32_t record_length = image.U32(off + kOffRecordLength);
    if (record_length == 0 || header_length == 0 || record_length < header_length)
      return {static_cast<uint32_t>(off), true};
    if (!visit(static_cast<uint32_t>(off))) return {static_cast<uint32_t>(off), false};
    off += record_length;
  }
  return {kAreaSize, false};
}

// A data block at a position in the record area.
struct Block {
  uint64_t pos;
  uint16_t length;
  uint32_t code;
  uint8_t kind() const { return static_cast<uint8_t>(code >> 24); }
  // (length - 8) / 2; a block shorter than its 8-byte header holds no samples (rule D8), so
  // every decoder and drawing that takes its count from here sees 0, never a negative count.
  int32_t sample_count() const { return length < 8 ? 0 : (static_cast<int32_t>(length) - 8) / 2; }
  uint64_t samples() const { return pos + 8; }
};

inline Block BlockAt(const FileImage& image, uint64_t pos) {
  return Block{pos, image.U16(pos + 2), image.U32(pos + 4)};
}

// True where a checked block walk may handle a block: the magic is there, the length is at least
// 8 and the position lies inside the area.
inline bool IsWalkableBlock(const FileImage& image, uint64_t pos) {
  return pos < kAreaSize && image.U16(pos) == kBlockMagic && image.U16(pos + 2) >= 8;
}

// The position after a block reached without testing its magic: a block length of 0 stays put.
inline uint64_t NextBlockUnchecked(const FileImage& image, uint64_t pos) {
  return pos + image.U16(pos + 2);
}

// Walks the data blocks from `pos` while they are walkable, at most `limit` blocks. Calls
// visit(Block); returns the number of blocks visited.
template <class Visit>
unsigned WalkBlocks(const FileImage& image, uint64_t pos, unsigned limit, Visit&& visit) {
  unsigned count = 0;
  while (count < limit && IsWalkableBlock(image, pos)) {
    const Block b = BlockAt(image, pos);
    visit(b);
    ++count;
    pos += b.length;
  }
  return count;
}

// Sample i of a trace as the decoders see it: 0 past the end of the trace or the area.
inline uint16_t TraceSample(const FileImage& image, const Block& b, int32_t i) {
  return (i >= 0 && i < b.sample_count()) ? image.U16(b.samples() + 2u * static_cast<uint32_t>(i))
                                          : 0;
}

}  // namespace corvel
