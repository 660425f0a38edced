// The chart view's pictures and curve data: the chart as shown drawn into a BMP, PNG, SVG or PDF
// file, and the shown curves as CSV, both written through the one atomic writer.
#include <QFile>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QPainter>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <memory>
#include <vector>

#include "chart_view.h"
#include "chart_view_parts.h"
#include "export/file_writer.h"
#include "picture_file.h"

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

QSize ChartView::PictureSize() const {
  const QSizeF logical = chart_->size();
  return QSize(qRound(logical.width()), qRound(logical.height()));
}

QByteArray ChartView::Picture(corvel::PictureFormat format, int dpi) {
  return corvel::app::PictureBytes(format, dpi, PictureSize(), FromGbk(state_->title),
                                   [this](QPainter& painter, const QRectF& target, bool vector) {
                                     PaintChart(painter, target, vector);
                                   });
}

corvel::FileResult ChartView::SavePicture(const QString& path, corvel::PictureFormat format,
                                          int dpi) {
  const QByteArray bytes = Picture(format, dpi);
  if (bytes.isEmpty()) return {false, tr("%1: 图形无法生成").arg(path).toStdString()};
  return corvel::app::WriteBytesFile(path, bytes);
}

corvel::FileResult ChartView::SavePicture(const QString& path) {
  return corvel::app::SavePictureFile(path, PictureSize(), FromGbk(state_->title),
                                      [this](QPainter& painter, const QRectF& target, bool vector) {
                                        PaintChart(painter, target, vector);
                                      });
}

corvel::FileResult ChartView::SaveCurveCsv(const QString& path) {
  const corvel::ViewRanges shown = ShownRanges();
  corvel::StringSink csv;
  corvel::WriteCurveCsv(*state_, shown.bottom.min, shown.bottom.max, csv);
  return corvel::app::WriteBytesFile(
      path, QByteArray(csv.text.data(), static_cast<qsizetype>(csv.text.size())));
}
