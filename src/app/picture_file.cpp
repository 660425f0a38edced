#include "picture_file.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <optional>
#include <string_view>

#include "export/file_writer.h"

namespace corvel::app {

namespace {

constexpr double kScreenDpi = 96;  // the on-screen size is the size at 96 dots per inch

}  // namespace

QByteArray PictureBytes(corvel::PictureFormat format, int dpi, QSize size, const QString& title,
                        const PaintPicture& paint) {
  QByteArray bytes;
  if (size.isEmpty()) return bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  switch (format) {
    case corvel::PictureFormat::kBmp:
    case corvel::PictureFormat::kPng: {
      const double scale = dpi > 0 ? dpi / kScreenDpi : 1.0;
      QImage image(qRound(size.width() * scale), qRound(size.height() * scale),
                   QImage::Format_RGB32);
      if (image.isNull()) return {};
      const int dots_per_metre = qRound((dpi > 0 ? dpi : kScreenDpi) / 0.0254);
      image.setDotsPerMeterX(dots_per_metre);
      image.setDotsPerMeterY(dots_per_metre);
      QPainter painter(&image);
      paint(painter, QRectF(QPointF(0, 0), image.size()), false);
      painter.end();
      const char* kind = format == corvel::PictureFormat::kBmp ? "BMP" : "PNG";
      if (!image.save(&buffer, kind)) return {};
      break;
    }
    case corvel::PictureFormat::kSvg: {
      QSvgGenerator svg;
      svg.setOutputDevice(&buffer);
      svg.setSize(size);
      svg.setViewBox(QRect(QPoint(0, 0), size));
      svg.setResolution(static_cast<int>(kScreenDpi));
      svg.setTitle(title);
      QPainter painter;
      if (!painter.begin(&svg)) return {};
      paint(painter, QRectF(QPointF(0, 0), size), true);
      painter.end();
      break;
    }
    case corvel::PictureFormat::kPdf: {
      QPdfWriter pdf(&buffer);
      pdf.setResolution(static_cast<int>(kScreenDpi));
      pdf.setCreator(QStringLiteral("corvel-viewer"));
      pdf.setTitle(title);
      const QSizeF points = QSizeF(size) * (72.0 / kScreenDpi);
      pdf.setPageLayout(
          QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                      QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
      QPainter painter;
      if (!painter.begin(&pdf)) return {};
      paint(painter, QRectF(0, 0, pdf.width(), pdf.height()), true);
      painter.end();
      break;
    }
  }
  buffer.close();
  return bytes;
}

corvel::FileResult WriteBytesFile(const QString& path, const QByteArray& bytes) {
  return corvel::WriteFileAtomically(
      QFile::encodeName(path).toStdString(), [&](corvel::ByteSink& s) {
        return s.Write(bytes.constData(), static_cast<size_t>(bytes.size()));
      });
}

corvel::FileResult PictureFailure(const QString& text) {
  return {false, text.toStdString()};
}

corvel::FileResult SavePictureFile(const QString& path, corvel::PictureFormat format, int dpi,
                                   QSize size, const QString& title, const PaintPicture& paint) {
  const QByteArray bytes = PictureBytes(format, dpi, size, title, paint);
  if (bytes.isEmpty())
    return PictureFailure(QCoreApplication::translate("ChartView", "%1: 图形无法生成").arg(path));
  return WriteBytesFile(path, bytes);
}

corvel::FileResult SavePictureFile(const QString& path, QSize size, const QString& title,
                                   const PaintPicture& paint) {
  const QByteArray name = QFile::encodeName(path);
  const std::optional<corvel::PictureFormat> format =
      corvel::PictureFormatForPath(std::string_view(name.constData(), name.size()));
  if (!format) {
    // Never the bytes of one format under another format's name.
    // The chart view's context, where the text was first translated.
    return PictureFailure(
        QCoreApplication::translate(
            "ChartView", "%1: 不能保存为“.%2”格式的图形，请使用 .bmp、.png、.svg 或 .pdf")
            .arg(path, QFileInfo(path).suffix()));
  }
  return SavePictureFile(path, *format, 0, size, title, paint);
}

}  // namespace corvel::app
