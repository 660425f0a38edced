// Loading a measurement file from bytes in memory gives the image that loading the file gives.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "records/file_image.h"
#include "synth/writer.h"

namespace corvel {
namespace {

std::span<const uint8_t> Span(const synth::Bytes& bytes) {
  return std::span<const uint8_t>(bytes);
}

TEST(LoadFromMemory, AShortFileLeavesTheRestOfTheHeaderAt0xFF) {
  auto image = std::make_unique<FileImage>();
  image->area()[5] = 9;  // left over from an earlier load
  const synth::Bytes ten(10, 0x41);
  EXPECT_TRUE(LoadFileImage(Span(ten), *image).ok);
  EXPECT_EQ(image->header_bytes, 10u);
  EXPECT_EQ(image->loaded_bytes, 0u);
  EXPECT_EQ(image->header[9], 0x41);
  EXPECT_EQ(image->header[10], 0xFF);
  EXPECT_EQ(image->area()[5], 0);
  EXPECT_FALSE(image->cut_at_capacity);
}

TEST(LoadFromMemory, BytesPastTheAreaAreCutAndSaidSo) {
  auto image = std::make_unique<FileImage>();
  synth::Bytes big(kHeaderSize + kAreaSize + 1, 0);
  big[kHeaderSize + kAreaSize - 1] = 7;
  LoadFileImage(Span(big), *image);
  EXPECT_EQ(image->loaded_bytes, kAreaSize);
  EXPECT_EQ(image->U8(kAreaSize - 1), 7);
  EXPECT_TRUE(image->cut_at_capacity);
  big.pop_back();  // exactly header and area: nothing is cut
  LoadFileImage(Span(big), *image);
  EXPECT_FALSE(image->cut_at_capacity);
}

TEST(LoadFromMemory, EqualsLoadingTheSameBytesFromAFile) {
  synth::Bytes bytes(kHeaderSize + 100);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i * 7);
  const std::string path =
      (std::filesystem::temp_directory_path() / "corvel-load-from-memory.bin").string();
  ASSERT_TRUE(synth::SaveBytes(bytes, path));
  auto from_file = std::make_unique<FileImage>();
  auto from_memory = std::make_unique<FileImage>();
  ASSERT_TRUE(LoadFileImage(path, *from_file).ok);
  std::remove(path.c_str());
  LoadFileImage(Span(bytes), *from_memory);
  EXPECT_EQ(from_memory->header, from_file->header);
  EXPECT_EQ(from_memory->header_bytes, from_file->header_bytes);
  EXPECT_EQ(from_memory->loaded_bytes, from_file->loaded_bytes);
  EXPECT_EQ(std::memcmp(from_memory->area(), from_file->area(), kAreaSize), 0);
}

}  // namespace
}  // namespace corvel
