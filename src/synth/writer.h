// A writer of measurement files: file header, records with their identification fields and
// measurement program, and data blocks. Tests, examples and benchmarks build their inputs with it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvel::synth {

using Bytes = std::vector<uint8_t>;

// A complete data block: "AD", block length, trace code, samples.
Bytes OjipBlock(uint32_t code, const std::vector<uint16_t>& samples);
Bytes PulseBlock(uint32_t code, const std::vector<std::pair<uint16_t, uint16_t>>& pairs);
// Any trace code with raw samples (unknown kinds, odd sample counts).
Bytes RawBlock(uint32_t code, const std::vector<uint16_t>& samples);

struct RecordSpec {
  std::string name;  // record name bytes; cut or NUL-padded to 8
  uint16_t number = 1;
  int8_t year = 24, month = 6, day = 13, hour = 10, minute = 0, second = 0;
  std::string program_name;       // cut or NUL-padded to 16
  uint32_t type_word = 1;         // type code in bits 0-7, R/B marker in bits 8-11
  std::vector<uint32_t> program;  // the words after the type word, from record offset 44
  std::vector<Bytes> blocks;
  // Overrides of the computed lengths, for damaged files.
  std::optional<uint16_t> header_length;
  std::optional<uint32_t> record_length;
};

// The bytes of one record: 40 fixed bytes, the type word, the program, then the blocks.
Bytes RecordBytes(const RecordSpec& record);

class FileBuilder {
 public:
  FileBuilder();  // header: a fixed recognisable pattern
  std::array<uint8_t, 64> header{};
  FileBuilder& Add(const RecordSpec& record);
  FileBuilder& AddRaw(const Bytes& bytes);  // arbitrary bytes appended after the records so far
  const Bytes& bytes() const { return bytes_; }
  // Header plus records.
  Bytes File() const;
  bool Save(const std::string& path) const;

 private:
  Bytes bytes_;
};

// Little-endian field access on byte buffers, for patching lengths and codes into built bytes.
// The writers grow the buffer when the field lies past its end; the readers give 0 there.
void PutU16(Bytes& bytes, size_t offset, uint16_t value);
void PutU32(Bytes& bytes, size_t offset, uint32_t value);
uint16_t GetU16(const Bytes& bytes, size_t offset);
uint32_t GetU32(const Bytes& bytes, size_t offset);

// Writes the bytes to a file; false when it cannot be created or written completely.
bool SaveBytes(const Bytes& bytes, const std::string& path);

}  // namespace corvel::synth
