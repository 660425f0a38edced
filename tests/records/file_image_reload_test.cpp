// A load clears only what an earlier load or write may have left in the record area; whatever
// came before, the bytes past the end of the file read as 0.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "records/file_image.h"
#include "synth/writer.h"

namespace corvel {
namespace {

synth::Bytes FileOf(size_t area_bytes, uint8_t fill) {
  return synth::Bytes(kHeaderSize + area_bytes, fill);
}

void Load(const synth::Bytes& bytes, FileImage& image) {
  LoadFileImage(std::span<const uint8_t>(bytes), image);
}

TEST(FileImageReload, AShortFileAfterALongOneReadsZeroPastItsEnd) {
  auto image = std::make_unique<FileImage>();
  Load(FileOf(1000, 0xAB), *image);
  Load(FileOf(10, 0xCD), *image);
  const FileImage& loaded = *image;
  EXPECT_EQ(loaded.U8(9), 0xCD);
  EXPECT_EQ(loaded.U8(10), 0);
  EXPECT_EQ(loaded.U8(999), 0);
}

TEST(FileImageReload, AShortFileReadFromDiskAfterALongOne) {
  const auto dir = std::filesystem::temp_directory_path() / "corvel_reload_test";
  std::filesystem::create_directories(dir);
  const std::string long_path = (dir / "long.bin").string();
  const std::string short_path = (dir / "short.bin").string();
  for (const auto& [path, size] : {std::pair{long_path, size_t{5000}}, {short_path, size_t{3}}}) {
    const synth::Bytes bytes = FileOf(size, 0x5A);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  auto image = std::make_unique<FileImage>();
  ASSERT_TRUE(LoadFileImage(long_path, *image).ok);
  ASSERT_TRUE(LoadFileImage(short_path, *image).ok);
  const FileImage& loaded = *image;
  EXPECT_EQ(loaded.U8(2), 0x5A);
  EXPECT_EQ(loaded.U8(3), 0);
  EXPECT_EQ(loaded.U8(4999), 0);
  std::filesystem::remove_all(dir);
}

TEST(FileImageReload, AWordWrittenPastTheFileIsClearedByTheNextLoad) {
  auto image = std::make_unique<FileImage>();
  Load(FileOf(10, 1), *image);
  image->PutU32(5000, 0xFFFFFFFF);
  EXPECT_EQ(image->U32(5000), 0xFFFFFFFFu);
  Load(FileOf(10, 1), *image);
  EXPECT_EQ(image->U32(5000), 0u);
}

TEST(FileImageReload, ClearZeroesWhatWasLoaded) {
  auto image = std::make_unique<FileImage>();
  Load(FileOf(100, 0xAB), *image);
  image->Clear();
  EXPECT_EQ(image->U8(0), 0);
  EXPECT_EQ(image->U8(99), 0);
}

}  // namespace
}  // namespace corvel
