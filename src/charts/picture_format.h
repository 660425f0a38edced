// The picture formats the chart is saved in. A file's format is its name's extension, so a name
// ending in .png always holds PNG bytes; a name with another extension is refused.
#pragma once

#include <optional>
#include <string_view>

namespace corvel {

enum class PictureFormat { kBmp, kPng, kSvg, kPdf };

// In the order the save dialog offers them: BMP first, the default.
inline constexpr PictureFormat kPictureFormats[] = {PictureFormat::kBmp, PictureFormat::kPng,
                                                    PictureFormat::kSvg, PictureFormat::kPdf};

// "bmp", "png", "svg", "pdf".
std::string_view PictureExtension(PictureFormat format);

// The format named by the extension of the last component of `path` (letter case ignored);
// nothing for a name without an extension or with one that is not a picture format.
std::optional<PictureFormat> PictureFormatForPath(std::string_view path);

// The extension of the last component of `path`, without the dot; empty when there is none.
std::string_view PathExtension(std::string_view path);

}  // namespace corvel
