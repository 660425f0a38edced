// Inputs and scratch folders for the export tests.
#pragma once

#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "records/file_image.h"
#include "records/record_list.h"
#include "synth/writer.h"

namespace corvel::testing {

// Copies file bytes into an image as loading would: header, area, zero fill.
inline std::unique_ptr<FileImage> ImageOf(const synth::Bytes& bytes) {
  auto image = std::make_unique<FileImage>();
  std::memcpy(image->header.data(), bytes.data(), kHeaderSize);
  const size_t area = std::min<size_t>(bytes.size() - kHeaderSize, kAreaSize);
  std::memcpy(image->area(), bytes.data() + kHeaderSize, area);
  image->loaded_bytes = static_cast<uint32_t>(area);
  return image;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "corvel-export-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~ScratchDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_))
      names.insert(e.path().filename().string());
    return names;
  }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace corvel::testing
