// Chart1 of the curve page: shows the chart state of the core with Qt Charts and writes the chart
// as shown to a picture file (BMP, PNG, SVG or PDF). The Qt series are created once and refilled
// by Render(). A smoothed series is drawn as two: the curve through its points and the cross
// markers on the points. The reader's tools live here too: a tooltip with the sample under the
// pointer, rubber-band and wheel zoom, and the shown curves as CSV. The zoom is the view's own:
// the chart state is never changed, and a new drawing is shown at its own scale again.
#pragma once

#include <QChartView>
#include <QColor>
#include <QCoreApplication>
#include <QHash>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <vector>

#include "charts/chart_state.h"
#include "charts/curve_data.h"
#include "charts/picture_format.h"
#include "charts/smooth_curve.h"
#include "charts/view_range.h"
#include "records/file_result.h"

class QAbstractAxis;
class QChart;
class QGraphicsEllipseItem;
class QPainter;
class QRubberBand;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QLogValueAxis;
class QResizeEvent;
class QValueAxis;
class QXYSeries;

class ChartView : public QChartView {
  Q_OBJECT

 public:
  explicit ChartView(corvel::ChartState* state, QWidget* parent = nullptr);

  // Makes the chart show the state: axes, title, and points, colour, visibility, width and axis
  // of every series. Call after every change of the state.
  void Render();

  // Writes the chart as shown (zoom included, no hover mark) at its on-screen size, in the format
  // the name's extension gives: .bmp, .png, .svg or .pdf. A name with any other extension is
  // refused with a message and nothing is written. The picture goes to a temporary file beside
  // `path` that replaces it only when completely written; on failure an existing file stays as it
  // was and the result names the path and the reason.
  corvel::FileResult SavePicture(const QString& path);
  // The same in `format`; BMP and PNG at `dpi` dots per inch (the on-screen size is 96; 0 keeps
  // it), SVG and PDF as vector drawings of the on-screen size.
  corvel::FileResult SavePicture(const QString& path, corvel::PictureFormat format, int dpi);
  // The bytes of that picture file; empty when it could not be rendered.
  QByteArray Picture(corvel::PictureFormat format, int dpi);

  // Writes the shown curves, inside the shown part of the bottom axis, as CSV.
  corvel::FileResult SaveCurveCsv(const QString& path);

  // What the view shows of each axis: the drawing's ranges, or the zoomed ones.
  corvel::ViewRanges ShownRanges() const;
  bool zoomed() const { return zoomed_; }
  // Shows `ranges` instead of the drawing's until ResetZoom or the next drawing.
  void ZoomTo(const corvel::ViewRanges& ranges);
  // Back to the ranges the drawing set (double-click, Esc).
  void ResetZoom();

  // Where a value pair lies in the view's coordinates (against the right axis when asked).
  QPointF PositionOf(double x, double y, bool right_axis = false) const;
  // The tooltip text of the sample marked now; empty when none is.
  const QString& HoverText() const { return hover_text_; }

  // The axis title of a quantity, with its unit.
  static QString AxisTitle(corvel::AxisQuantity quantity);

  corvel::ChartState* state() const { return state_; }

 signals:
  // The context menu's curve data item: the window asks for a file name.
  void CurveCsvRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void RenderTitles();
  void SetAxisTitle(QAbstractAxis* axis, const QString& title);
  void PaintChart(QPainter& painter, const QRectF& target, bool vector);
  QSize PictureSize() const;
  // Marks the sample nearest to `pos` (view coordinates) and shows its tooltip at `global`.
  void Hover(QPointF pos, QPoint global);
  void HideHover();
  // The fraction of the plot area's width and height at `pos`, y upwards.
  QPointF AreaFraction(QPointF pos) const;
  void RenderAxes();
  void RenderSmoothed(int slot);
  void RenderLine(int slot);
  void RenderFit(int slot);
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
  QLineSeries* fit_[corvel::kBoxCount];  // fitted light curves, dashed, on the right axis
  QGraphicsSimpleTextItem* title_;
  QHash<QRgb, QImage> markers_;
  QList<QPointF> points_;                   // scratch for the points handed to a series
  std::vector<corvel::ChartPoint> smooth_;  // scratch for a smoothed curve
  corvel::SmoothScratch smooth_scratch_;

  bool zoomed_ = false;
  corvel::ViewRanges zoom_;
  uint32_t zoom_drawing_ = 0;  // the drawing the zoom belongs to
  QRubberBand* band_ = nullptr;
  QPoint band_origin_;
  bool banding_ = false;
  QGraphicsEllipseItem* hover_mark_;
  QString hover_text_;
};
