// A drawing as a picture file: BMP or PNG at a resolution, SVG or PDF as a vector drawing of the
// on-screen size, written through the one atomic writer (rule D12). The chart view and the
// comparison page's charts save their pictures with it.
#pragma once

#include <QByteArray>
#include <QRectF>
#include <QSize>
#include <QString>
#include <functional>

#include "charts/picture_format.h"
#include "records/file_result.h"

class QPainter;

namespace corvel::app {

// Paints the drawing into `target`; `vector` is true for SVG and PDF.
using PaintPicture = std::function<void(QPainter& painter, const QRectF& target, bool vector)>;

// The bytes of the picture of `size` (on-screen pixels at 96 DPI) in `format`; BMP and PNG at
// `dpi` dots per inch (0 keeps the on-screen size). Empty when it could not be rendered.
QByteArray PictureBytes(corvel::PictureFormat format, int dpi, QSize size, const QString& title,
                        const PaintPicture& paint);

// Writes the picture in `format`; a failure names the path and the reason.
corvel::FileResult SavePictureFile(const QString& path, corvel::PictureFormat format, int dpi,
                                   QSize size, const QString& title, const PaintPicture& paint);

// The same in the format the name's extension gives (.bmp, .png, .svg or .pdf) at the on-screen
// size; a name with any other extension is refused with a message and nothing is written.
corvel::FileResult SavePictureFile(const QString& path, QSize size, const QString& title,
                                   const PaintPicture& paint);

// Writes `bytes` to `path` whole or not at all.
corvel::FileResult WriteBytesFile(const QString& path, const QByteArray& bytes);

}  // namespace corvel::app
