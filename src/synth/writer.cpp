#include "synth/writer.h"

#include <cstdio>

#include "records/native_path.h"

namespace corvel::synth {

namespace {

constexpr uint16_t kRecordMagic = 0x4946;  // "FI"
constexpr uint16_t kBlockMagic = 0x4441;   // "AD"
constexpr size_t kFixedHeader = 44;        // identification fields and the type word

void AppendU16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

void AppendU32(Bytes& b, uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void AppendText(Bytes& b, const std::string& text, size_t width) {
  for (size_t i = 0; i < width; ++i)
    b.push_back(i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
}

// Block header plus the samples; the length field keeps its low 16 bits like the instrument's.
Bytes Block(uint32_t code, size_t sample_count, const uint16_t* first, size_t stride) {
  Bytes b;
  b.reserve(8 + 2 * sample_count);
  AppendU16(b, kBlockMagic);
  AppendU16(b, static_cast<uint16_t>(8 + 2 * sample_count));
  AppendU32(b, code);
  for (size_t i = 0; i < sample_count; ++i) AppendU16(b, first[i * stride]);
  return b;
}

}  // namespace

void PutU16(Bytes& bytes, size_t offset, uint16_t value) {
  if (bytes.size() < offset + 2) bytes.resize(offset + 2);
  bytes[offset] = static_cast<uint8_t>(value);
  bytes[offset + 1] = static_cast<uint8_t>(value >> 8);
}

void PutU32(Bytes& bytes, size_t offset, uint32_t value) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

uint16_t GetU16(const Bytes& bytes, size_t offset) {
  if (offset + 2 > bytes.size()) return 0;
  return static_cast<uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

uint32_t GetU32(const Bytes& bytes, size_t offset) {
  if (offset + 4 > bytes.size()) return 0;
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | bytes[offset + i];
  return v;
}

Bytes OjipBlock(uint32_t code, const std::vector<uint16_t>& samples) {
  return Block(code, samples.size(), samples.data(), 1);
}

Bytes PulseBlock(uint32_t code, const std::vector<std::pair<uint16_t, uint16_t>>& pairs) {
  std::vector<uint16_t> flat;
  flat.reserve(2 * pairs.size());
  for (const auto& [d1, d2] : pairs) {
    flat.push_back(d1);
    flat.push_back(d2);
  }
  return Block(code, flat.size(), flat.data(), 1);
}

Bytes RawBlock(uint32_t code, const std::vector<uint16_t>& samples) {
  return Block(code, samples.size(), samples.data(), 1);
}

Bytes RecordBytes(const RecordSpec& rec) {
  const size_t header = kFixedHeader + 4 * rec.program.size();
  size_t total = header;
  for (const Bytes& block : rec.blocks) total += block.size();

  Bytes b;
  b.reserve(total);
  AppendU16(b, kRecordMagic);
  AppendU16(b, rec.header_length.value_or(static_cast<uint16_t>(header)));
  AppendU32(b, rec.record_length.value_or(static_cast<uint32_t>(total)));
  AppendText(b, rec.name, 8);
  AppendU16(b, rec.number);
  for (int8_t v : {rec.year, rec.month, rec.day, rec.hour, rec.minute, rec.second})
    b.push_back(static_cast<uint8_t>(v));
  AppendText(b, rec.program_name, 16);
  AppendU32(b, rec.type_word);
  for (uint32_t word : rec.program) AppendU32(b, word);
  for (const Bytes& block : rec.blocks) b.insert(b.end(), block.begin(), block.end());
  return b;
}

FileBuilder::FileBuilder() {
  for (size_t i = 0; i < header.size(); ++i) header[i] = static_cast<uint8_t>(i * 7 + 3);
}

FileBuilder& FileBuilder::Add(const RecordSpec& rec) {
  const Bytes record = RecordBytes(rec);
  bytes_.insert(bytes_.end(), record.begin(), record.end());
  return *this;
}

FileBuilder& FileBuilder::AddRaw(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

Bytes FileBuilder::File() const {
  Bytes file;
  file.reserve(header.size() + bytes_.size());
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), bytes_.begin(), bytes_.end());
  return file;
}

bool FileBuilder::Save(const std::string& path) const {
  return SaveBytes(File(), path);
}

bool SaveBytes(const Bytes& bytes, const std::string& path) {
  std::FILE* f = OpenFile(path, "wb");
  if (!f) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  const bool closed = std::fclose(f) == 0;
  return written && closed;
}

}  // namespace corvel::synth
