// The chart view's pictures and curve data: the chart as shown drawn into a BMP, PNG, SVG or PDF
// file, and the shown curves as CSV, both written through the one atomic writer.
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "chart_view.h"
#include "chart_view_parts.h"
#include "export/file_writer.h"

using namespace chart_view_parts;

void ChartView::PaintChart(QPainter& painter, const QRectF& target, bool vector) {
  // The hover mark belongs to the pointer, not to the figure.
  const bool marked = hover_mark_->isVisible();
  hover_mark_->hide();
  // A vector drawing gets every curve as one path, stopped at the frame (an SVG has no clipping),
  // and the cross markers of a curve as one path instead of a small bitmap per point, so they
  // stay sharp at any scale.
  std::vector<std::unique_ptr<QGraphicsPathItem>> paths;
  std::vector<QXYSeries*> hidden;
  if (vector) {
    const QRectF area = chart_->plotArea();
    const auto add = [&](QXYSeries* series, const QPainterPath& path, const QPen& pen) {
      auto item = std::make_unique<QGraphicsPathItem>(path, chart_);
      item->setPen(pen);
      item->setZValue(5);
      paths.push_back(std::move(item));
      series->setVisible(false);
      hidden.push_back(series);
    };
    for (int i = 0; i < corvel::kSeriesCount; ++i) {
      for (QXYSeries* series :
           {static_cast<QXYSeries*>(curve_[i]), static_cast<QXYSeries*>(line_[i])}) {
        if (!series->isVisible() || series->count() == 0) continue;
        QPainterPath path;
        bool down = false;
        QPointF last, previous;
        bool first = true;
        for (const QPointF& p : series->points()) {
          const QPointF at = chart_->mapToPosition(p, series);
          if (first) {
            first = false;
            previous = at;
            continue;
          }
          double x0 = previous.x(), y0 = previous.y(), x1 = at.x(), y1 = at.y();
          if (corvel::ClipSegment(x0, y0, x1, y1, area.left(), area.top(), area.right(),
                                  area.bottom())) {
            if (!down || last != QPointF(x0, y0)) path.moveTo(x0, y0);
            path.lineTo(x1, y1);
            last = QPointF(x1, y1);
            down = x1 == at.x() && y1 == at.y();
          } else {
            down = false;
          }
          previous = at;
        }
        QPen pen = series->pen();
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        add(series, path, pen);
      }
      if (!marks_[i]->isVisible() || marks_[i]->count() == 0) continue;
      QPainterPath path;
      constexpr double arm = kMarkerSize / 2;
      for (const QPointF& p : marks_[i]->points()) {
        const QPointF at = chart_->mapToPosition(p, marks_[i]);
        if (!area.contains(at)) continue;
        path.moveTo(at.x() - arm, at.y());
        path.lineTo(at.x() + arm, at.y());
        path.moveTo(at.x(), at.y() - arm);
        path.lineTo(at.x(), at.y() + arm);
      }
      add(marks_[i], path, QPen(ToColor(state_->smoothed[i].color), 1));
    }
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.fillRect(target, Qt::white);
  scene()->render(&painter, target, QRectF(QPointF(0, 0), chart_->size()), Qt::IgnoreAspectRatio);
  paths.clear();
  for (QXYSeries* series : hidden) series->setVisible(true);
  hover_mark_->setVisible(marked);
}

QByteArray ChartView::Picture(corvel::PictureFormat format, int dpi) {
  const QSizeF logical = chart_->size();
  const QSize size(qRound(logical.width()), qRound(logical.height()));
  QByteArray bytes;
  if (size.isEmpty()) return bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  const QString title = FromGbk(state_->title);
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
      PaintChart(painter, QRectF(QPointF(0, 0), image.size()), false);
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
      PaintChart(painter, QRectF(QPointF(0, 0), size), true);
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
      PaintChart(painter, QRectF(0, 0, pdf.width(), pdf.height()), true);
      painter.end();
      break;
    }
  }
  buffer.close();
  return bytes;
}

namespace {

// Every file goes through the one atomic writer (rule D12): the bytes are made in memory first.
bool WriteBytes(const QString& path, const std::string& bytes, QString* error) {
  const corvel::WriteResult r = corvel::WriteFileAtomically(
      QFile::encodeName(path).toStdString(),
      [&](corvel::ByteSink& s) { return s.Write(bytes.data(), bytes.size()); });
  if (!r.ok && error) *error = QString::fromUtf8(r.message);
  return r.ok;
}

}  // namespace

bool ChartView::SavePicture(const QString& path, corvel::PictureFormat format, int dpi,
                            QString* error) {
  const QByteArray bytes = Picture(format, dpi);
  if (bytes.isEmpty()) {
    if (error) *error = tr("%1: 图形无法生成").arg(path);
    return false;
  }
  return WriteBytes(path, bytes.toStdString(), error);
}

bool ChartView::SavePicture(const QString& path, QString* error) {
  const QByteArray name = QFile::encodeName(path);
  const std::optional<corvel::PictureFormat> format =
      corvel::PictureFormatForPath(std::string_view(name.constData(), name.size()));
  if (!format) {
    // Never the bytes of one format under another format's name.
    if (error)
      *error = tr("%1: 不能保存为“.%2”格式的图形，请使用 .bmp、.png、.svg 或 .pdf")
                   .arg(path, QFileInfo(path).suffix());
    return false;
  }
  return SavePicture(path, *format, 0, error);
}

bool ChartView::SaveCurveCsv(const QString& path, QString* error) {
  const corvel::ViewRanges shown = ShownRanges();
  corvel::StringSink csv;
  corvel::WriteCurveCsv(*state_, shown.bottom.min, shown.bottom.max, csv);
  return WriteBytes(path, csv.text, error);
}
