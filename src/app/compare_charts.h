// The comparison page's two charts, drawn with QPainter from what corvel::CompareView computed:
// the OJIP group curves (each group's mean with a band of plus and minus one SD on the
// logarithmic time axis) and the radar of the parameters' ratios to the control. They only
// render; the geometry is in analysis/compare_plot.h. Both save their picture through the
// picture file writer the curve page uses.
#pragma once

#include <QRectF>
#include <QSize>
#include <QString>
#include <QWidget>

#include "records/file_result.h"

namespace corvel {
class CompareView;
}

class CompareCurveChart : public QWidget {
  Q_OBJECT

 public:
  explicit CompareCurveChart(const corvel::CompareView* view, QWidget* parent = nullptr);

  void Paint(QPainter& painter, const QRectF& target, bool vector);
  // The chart at its on-screen size as .bmp, .png, .svg or .pdf (the name's extension).
  corvel::FileResult SavePicture(const QString& path);
  QString Title() const;

  // What the last paint drew: band paths (one per group with a band) and mean curves.
  int drawn_bands() const { return drawn_bands_; }
  int drawn_curves() const { return drawn_curves_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const corvel::CompareView* view_;
  int drawn_bands_ = 0;
  int drawn_curves_ = 0;
};

class RadarChart : public QWidget {
  Q_OBJECT

 public:
  explicit RadarChart(const corvel::CompareView* view, QWidget* parent = nullptr);

  void Paint(QPainter& painter, const QRectF& target, bool vector);
  corvel::FileResult SavePicture(const QString& path);
  QString Title() const;

  // Group polygons the last paint drew.
  int drawn_polygons() const { return drawn_polygons_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const corvel::CompareView* view_;
  int drawn_polygons_ = 0;
};
