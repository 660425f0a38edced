#include "charts/picture_format.h"

namespace corvel {

std::string_view PictureExtension(PictureFormat format) {
  switch (format) {
    case PictureFormat::kBmp:
      return "bmp";
    case PictureFormat::kPng:
      return "png";
    case PictureFormat::kSvg:
      return "svg";
    case PictureFormat::kPdf:
      return "pdf";
  }
  return "bmp";
}

std::string_view PathExtension(std::string_view path) {
  const size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  // A leading dot names a hidden file, not an extension.
  if (dot == std::string_view::npos || dot == 0) return {};
  return name.substr(dot + 1);
}

std::optional<PictureFormat> PictureFormatForPath(std::string_view path) {
  const std::string_view ext = PathExtension(path);
  const auto same = [](std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
      const char c = (a[i] >= 'A' && a[i] <= 'Z') ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
      if (c != b[i]) return false;
    }
    return true;
  };
  for (const PictureFormat format : kPictureFormats)
    if (same(ext, PictureExtension(format))) return format;
  return std::nullopt;
}

}  // namespace corvel
