// Chart1 of the curve page: shows the chart state of the core with Qt Charts and writes the chart
// as shown to a bitmap file. The Qt series are created once and refilled by Render(). A smoothed
// series is drawn as two: the curve through its points and the cross markers on the points.
#pragma once

#include <QChartView>
#include <QColor>
#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>

#include "charts/chart_state.h"

class QAbstractAxis;
class QChart;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QLogValueAxis;
class QResizeEvent;
class QValueAxis;
class QXYSeries;

class ChartView : public QChartView {
  Q_DECLARE_TR_FUNCTIONS(ChartView)

 public:
  explicit ChartView(corvel::ChartState* state, QWidget* parent = nullptr);

  // Makes the chart show the state: axes, title, and points, colour, visibility, width and axis
  // of every series. Call after every change of the state.
  void Render();

  // Writes the chart as shown, at its on-screen size, as a BMP file. The picture goes to a
  // temporary file beside `path` that replaces it only when completely written; on failure an
  // existing file stays as it was and `error` names the path and the reason.
  bool SavePicture(const QString& path, QString* error);

  corvel::ChartState* state() const { return state_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void RenderAxes();
  void RenderSmoothed(int slot);
  void RenderLine(int slot);
  static void SetPen(QXYSeries* series, QColor color, int width);
  static void SetPoints(QXYSeries* series, const QList<QPointF>& points);
  void BindBottom(QAbstractAxis* axis);
  void BindLine(int slot, bool right_axis);
  void UpdateFrame();
  void UpdateTicks();
  // The tick step that fits the plot area for the range min..max of `axis`.
  double TickStep(const QValueAxis* axis, double min, double max) const;
  // Sets the range (an empty one becomes min..min + 1) and the tick step that fits it.
  void SetValueRange(QValueAxis* axis, double min, double max);
  void PlaceTitle();
  const QImage& CrossMarker(QColor color);

  corvel::ChartState* state_;
  QChart* chart_;
  QValueAxis* bottom_linear_;
  QLogValueAxis* bottom_log_;
  QValueAxis* left_;
  QValueAxis* right_;
  QAbstractAxis* bottom_ = nullptr;           // the bottom axis on the chart now
  QLineSeries* curve_[corvel::kSeriesCount];  // smoothed series: the curve
  QLineSeries* marks_[corvel::kSeriesCount];  // smoothed series: the markers, no line
  QLineSeries* line_[corvel::kSeriesCount];
  bool line_on_right_[corvel::kSeriesCount] = {};
  QGraphicsSimpleTextItem* title_;
  QHash<QRgb, QImage> markers_;
  QList<QPointF> points_;  // scratch for the points handed to a series
};
