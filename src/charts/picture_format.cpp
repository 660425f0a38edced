#include "charts/picture_format.h"

#include <iterator>

namespace corvel {

std::string_view PictureExtension(PictureFormat format) {
  // Indexed by the format, in the enumeration's order.
  constexpr std::string_view kExtensions[] = {"bmp", "png", "svg", "pdf"};
  const auto k = static_cast<size_t>(format);
  return k < std::size(kExtensions) ? kExtensions[k] : kExtensions[0];
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
