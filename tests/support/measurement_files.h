// Measurement files built in memory, loaded into a FileImage the way opening the file would.
#pragma once

#include <memory>
#include <span>

#include "records/file_image.h"
#include "synth/writer.h"

namespace corvel::testing {

inline void LoadBytes(const synth::Bytes& bytes, FileImage& image) {
  LoadFileImage(std::span<const uint8_t>(bytes), image);
}

inline std::unique_ptr<FileImage> ImageOf(const synth::Bytes& bytes) {
  auto image = std::make_unique<FileImage>();
  LoadBytes(bytes, *image);
  return image;
}

}  // namespace corvel::testing
