#include "chart_view.h"

#include <QContextMenuEvent>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QRubberBand>
#include <QToolTip>
#include <QWheelEvent>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "chart_view_parts.h"
#include "charts/axis_ticks.h"
#include "charts/smooth_curve.h"

namespace {

using namespace chart_view_parts;

// The label format of a chart state's pattern, as Qt Charts takes it.
QString QtLabelFormat(std::string_view pattern) {
  const std::string format = corvel::LabelPrintf(pattern).printf;
  return QString::fromLatin1(format.data(), static_cast<qsizetype>(format.size()));
}

}  // namespace

ChartView::ChartView(corvel::ChartState* state, QWidget* parent)
    : QChartView(parent),
      state_(state),
      chart_(new QChart),
      bottom_linear_(new QValueAxis),
      bottom_log_(new QLogValueAxis),
      left_(new QValueAxis),
      right_(new QValueAxis) {
  setFrameShape(QFrame::NoFrame);
  setRenderHint(QPainter::Antialiasing);
  setBackgroundBrush(Qt::white);

  chart_->legend()->hide();
  chart_->setBackgroundBrush(Qt::white);
  chart_->setBackgroundPen(Qt::NoPen);
  chart_->setBackgroundRoundness(0);
  chart_->setDropShadowEnabled(false);
  // The frame of the plot area stands for the chart's walls.
  chart_->setPlotAreaBackgroundVisible(true);
  chart_->setPlotAreaBackgroundBrush(Qt::white);
  chart_->setPlotAreaBackgroundPen(QPen(QColor(0x80, 0x80, 0x80), 1));

  QFont title_font(QStringLiteral("Courier New"));
  title_font.setStyleHint(QFont::TypeWriter);
  title_font.setPixelSize(16);
  chart_->setTitleFont(title_font);
  chart_->setTitleBrush(Qt::transparent);  // keeps the room; the text is drawn right-aligned
  title_ = new QGraphicsSimpleTextItem(chart_);
  title_->setFont(title_font);
  title_->setBrush(Qt::red);
  title_->setZValue(10);

  bottom_log_->setBase(10);
  bottom_log_->setMinorTickCount(8);
  bottom_log_->setVisible(false);
  for (QValueAxis* axis : {bottom_linear_, left_, right_})
    axis->setTickType(QValueAxis::TicksDynamic);
  chart_->addAxis(bottom_linear_, Qt::AlignBottom);
  chart_->addAxis(bottom_log_, Qt::AlignBottom);
  chart_->addAxis(left_, Qt::AlignLeft);
  chart_->addAxis(right_, Qt::AlignRight);
  bottom_ = bottom_linear_;

  const QImage marker = CrossMarker(Qt::black);
  for (int i = 0; i < corvel::kSeriesCount; ++i) {
    curve_[i] = new QLineSeries;
    marks_[i] = new QLineSeries;
    marks_[i]->setPen(Qt::NoPen);
    marks_[i]->setLightMarker(marker);
    marks_[i]->setMarkerSize(kMarkerSize);
    line_[i] = new QLineSeries;
    for (QXYSeries* s : {curve_[i], marks_[i], line_[i]}) {
      chart_->addSeries(s);
      s->attachAxis(bottom_);
      s->attachAxis(left_);
    }
  }
  for (int i = 0; i < corvel::kBoxCount; ++i) {
    fit_[i] = new QLineSeries;
    chart_->addSeries(fit_[i]);
    fit_[i]->setPen(QPen(Qt::black, 1, Qt::DashLine));
    fit_[i]->attachAxis(bottom_);
    fit_[i]->attachAxis(right_);
  }
  hover_mark_ = new QGraphicsEllipseItem(chart_);
  hover_mark_->setZValue(20);
  hover_mark_->setBrush(Qt::NoBrush);
  hover_mark_->hide();
  band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
  band_->hide();
  setMouseTracking(true);
  viewport()->setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);

  setChart(chart_);
  connect(chart_, &QChart::plotAreaChanged, this, [this] {
    UpdateTicks();
    PlaceTitle();
  });
  points_.reserve(static_cast<qsizetype>(corvel::kSeriesCapacity));
  smooth_.reserve(corvel::kSeriesCapacity);
  smooth_scratch_.axis_points.reserve(corvel::kSeriesCapacity);
  smooth_scratch_.tangents.reserve(corvel::kSeriesCapacity);
  Render();
}

const QImage& ChartView::CrossMarker(QColor color) {
  const QRgb key = color.rgb();
  auto it = markers_.find(key);
  if (it != markers_.end()) return *it;
  QImage image(kMarkerSize, kMarkerSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setPen(QPen(color, 1));
  p.drawLine(0, kMarkerSize / 2, kMarkerSize - 1, kMarkerSize / 2);
  p.drawLine(kMarkerSize / 2, 0, kMarkerSize / 2, kMarkerSize - 1);
  p.end();
  return *markers_.insert(key, image);
}

void ChartView::BindBottom(QAbstractAxis* axis) {
  if (axis == bottom_) return;
  // Points at 0 s cannot lie on a logarithmic axis: the series are emptied before the axis
  // changes and refilled after it.
  const QList<QPointF> none;
  for (int i = 0; i < corvel::kSeriesCount; ++i) {
    for (QXYSeries* s : {curve_[i], marks_[i], line_[i]}) {
      s->replace(none);
      s->detachAxis(bottom_);
      s->attachAxis(axis);
    }
  }
  for (QLineSeries* s : fit_) {
    s->replace(none);
    s->detachAxis(bottom_);
    s->attachAxis(axis);
  }
  bottom_->setVisible(false);
  axis->setVisible(true);
  bottom_ = axis;
}

void ChartView::BindLine(int slot, bool right_axis) {
  if (line_on_right_[slot] == right_axis) return;
  QLineSeries* s = line_[slot];
  s->detachAxis(right_axis ? left_ : right_);
  s->attachAxis(right_axis ? right_ : left_);
  line_on_right_[slot] = right_axis;
}

void ChartView::RenderAxes() {
  const corvel::ChartState& st = *state_;
  // A new drawing is shown at its own scale: the zoom belongs to the drawing it was made on.
  if (zoomed_ && zoom_drawing_ != st.drawing) zoomed_ = false;
  const corvel::ViewRanges shown = ShownRanges();
  if (st.bottom.log) {
    BindBottom(bottom_log_);
    bottom_log_->setRange(shown.bottom.min, shown.bottom.max);
    // The axis labels the powers of its base: a zoom inside two decades is labelled at powers of
    // two, or at four even steps where even those are too far apart, so it never goes blank.
    const double span = shown.bottom.max / shown.bottom.min;
    const double base = span >= 100 ? 10 : span >= 4 ? 2 : std::pow(span, 0.25);
    if (bottom_log_->base() != base) {
      bottom_log_->setBase(base);
      bottom_log_->setMinorTickCount(base == 10 ? 8 : 0);
    }
    bottom_log_->setLabelFormat(QtLabelFormat(st.bottom.format));
  } else {
    BindBottom(bottom_linear_);
    bottom_linear_->setLabelFormat(QtLabelFormat(st.bottom.format));
    SetValueRange(bottom_linear_, shown.bottom.min, shown.bottom.max);
  }
  left_->setLabelFormat(QtLabelFormat(st.left.format));
  SetValueRange(left_, shown.left.min, shown.left.max);
  right_->setLabelFormat(QtLabelFormat(st.right.format));
  SetValueRange(right_, shown.right.min, shown.right.max);
  right_->setVisible(st.right.visible);
  RenderTitles();
}

QString ChartView::AxisTitle(corvel::AxisQuantity quantity) {
  using corvel::AxisQuantity;
  switch (quantity) {
    case AxisQuantity::kTimeUs:
      return tr("时间 (µs)");
    case AxisQuantity::kFluorescence:
      return tr("荧光强度 (a.u.)");
    case AxisQuantity::kPulseNumber:
      return tr("脉冲序号");
    case AxisQuantity::kPar:
      return tr("PAR (µmol m⁻² s⁻¹)");
    case AxisQuantity::kRatio:
      return tr("产额与淬灭系数");
    case AxisQuantity::kRetr:
      return tr("rETR");
    case AxisQuantity::kTimeS:
      return tr("时间 (s)");
    case AxisQuantity::kNone:
      break;
  }
  return {};
}

void ChartView::SetAxisTitle(QAbstractAxis* axis, const QString& title) {
  if (axis->titleText() != title) axis->setTitleText(title);
}

void ChartView::RenderTitles() {
  const corvel::ChartState& st = *state_;
  const corvel::AxisQuantities q = corvel::AxisQuantitiesOf(st);
  QString left = AxisTitle(q.left);
  // A comparison of one parameter names it on its axis (rETR has the right axis).
  const int choice = st.combo.index;
  if (q.left == corvel::AxisQuantity::kRatio && st.combo.visible && choice > corvel::kRowRetr &&
      choice < corvel::kQuenchingRows)
    left = QString::fromLatin1(corvel::kCurveChoice[choice].data(),
                               static_cast<qsizetype>(corvel::kCurveChoice[choice].size()));
  SetAxisTitle(bottom_linear_, AxisTitle(q.bottom));
  SetAxisTitle(bottom_log_, AxisTitle(q.bottom));
  SetAxisTitle(left_, left);
  SetAxisTitle(right_, AxisTitle(q.right));
}

double ChartView::TickStep(const QValueAxis* axis, double min, double max) const {
  const QRectF area = chart_->plotArea();
  const QFontMetricsF fm(axis->labelsFont());
  if (axis == bottom_linear_) {
    const int decimals = corvel::LabelPrintf(state_->bottom.format).decimals;
    const QString widest =
        QString::asprintf(axis->labelFormat().toLatin1().constData(), std::max(max, -min));
    const int ticks = static_cast<int>(area.width() / (fm.horizontalAdvance(widest) + 24));
    return corvel::NiceStep(max - min, std::max(ticks, 1), decimals == 0);
  }
  const int ticks = static_cast<int>(area.height() / (fm.height() * 2.5));
  return corvel::NiceStep(max - min, std::max(ticks, 1), false);
}

void ChartView::SetValueRange(QValueAxis* axis, double min, double max) {
  if (!(max > min)) max = min + 1;
  const double step = TickStep(axis, min, max);
  if (axis->min() == min && axis->max() == max && axis->tickInterval() == step) return;
  // The axis lays out a label per step at once: a step meant for the other range would make
  // thousands of labels in between, so the step is made coarse over both ranges first.
  const double both = std::max(max - min, axis->max() - axis->min());
  if (axis->tickInterval() < both) axis->setTickInterval(both);
  axis->setTickAnchor(0);
  axis->setRange(min, max);
  axis->setTickInterval(step);
}

void ChartView::SetPen(QXYSeries* series, QColor color, int width) {
  QPen pen = series->pen();
  if (pen.color() == color && pen.width() == width) return;
  pen.setColor(color);
  pen.setWidth(width);
  series->setPen(pen);
}

// A box click changes visibility, not points: a series is refilled only when its points differ.
void ChartView::SetPoints(QXYSeries* series, const QList<QPointF>& points) {
  if (series->points() != points) series->replace(points);
}

void ChartView::RenderSmoothed(int slot) {
  const corvel::Series& data = state_->smoothed[slot];
  const QColor color = ToColor(data.color);
  SetPen(curve_[slot], color, data.width);
  const QImage& marker = CrossMarker(color);
  if (marks_[slot]->lightMarker().cacheKey() != marker.cacheKey())
    marks_[slot]->setLightMarker(marker);

  const bool log_x = state_->bottom.log;
  const double span = log_x ? std::log10(bottom_log_->max() / bottom_log_->min())
                            : bottom_linear_->max() - bottom_linear_->min();
  corvel::SmoothCurve(data.points, log_x, span, smooth_, smooth_scratch_);
  points_.clear();
  for (const corvel::ChartPoint& p : smooth_) points_.append(QPointF(p.x, p.y));
  SetPoints(curve_[slot], points_);
  points_.clear();
  for (const corvel::ChartPoint& p : data.points)
    if (!log_x || p.x > 0) points_.append(QPointF(p.x, p.y));
  SetPoints(marks_[slot], points_);
  curve_[slot]->setVisible(data.visible);
  marks_[slot]->setVisible(data.visible);
}

void ChartView::RenderLine(int slot) {
  const corvel::Series& data = state_->line[slot];
  if (!data.points.empty() || !line_[slot]->points().isEmpty()) BindLine(slot, data.right_axis);
  SetPen(line_[slot], ToColor(data.color), data.width);
  const bool log_x = state_->bottom.log;
  points_.clear();
  for (const corvel::ChartPoint& p : data.points)
    if (!log_x || p.x > 0) points_.append(QPointF(p.x, p.y));
  SetPoints(line_[slot], points_);
  line_[slot]->setVisible(data.visible);
}

void ChartView::RenderFit(int slot) {
  const corvel::Series& data = state_->fit[slot];
  SetPen(fit_[slot], ToColor(data.color), 1);
  points_.clear();
  for (const corvel::ChartPoint& p : data.points) points_.append(QPointF(p.x, p.y));
  SetPoints(fit_[slot], points_);
  fit_[slot]->setVisible(data.visible && !data.points.empty());
}

void ChartView::Render() {
  HideHover();
  RenderAxes();
  for (int i = 0; i < corvel::kSeriesCount; ++i) {
    RenderSmoothed(i);
    RenderLine(i);
  }
  for (int i = 0; i < corvel::kBoxCount; ++i) RenderFit(i);
  const QString title = FromGbk(state_->title);
  // An empty title takes no room above the plot area.
  chart_->setTitle(title);
  title_->setText(title);
  UpdateFrame();
  UpdateTicks();
  PlaceTitle();
}

void ChartView::UpdateFrame() {
  // Margins of 1 % of the chart's size at top, left and bottom, 4 % at the right.
  const QSizeF size = chart_->size();
  const int w = static_cast<int>(size.width()), h = static_cast<int>(size.height());
  const QMargins margins(w / 100, h / 100, w * 4 / 100, h / 100);
  if (chart_->margins() != margins) chart_->setMargins(margins);
}

void ChartView::UpdateTicks() {
  const QRectF area = chart_->plotArea();
  if (area.width() < 1 || area.height() < 1) return;
  for (QValueAxis* axis : {bottom_linear_, left_, right_})
    SetValueRange(axis, axis->min(), axis->max());
  // The time axis labels every decade; where the widest label does not fit its decade the labels
  // stand upright rather than be cut short (a slanted last label runs past the chart's edge).
  const double decades =
      std::log(bottom_log_->max() / bottom_log_->min()) / std::log(bottom_log_->base());
  if (decades > 0) {
    const QFontMetricsF fm(bottom_log_->labelsFont());
    const double room = area.width() / decades - 6;
    const double wide = fm.horizontalAdvance(
        QString::asprintf(bottom_log_->labelFormat().toLatin1().constData(), bottom_log_->max()));
    const int angle = wide <= room ? 0 : -90;
    if (bottom_log_->labelsAngle() != angle) bottom_log_->setLabelsAngle(angle);
  }
}

void ChartView::PlaceTitle() {
  const QSizeF size = chart_->size();
  const QMargins m = chart_->margins();
  const QRectF text = title_->boundingRect();
  title_->setPos(size.width() - m.right() - text.width(), m.top());
}

void ChartView::resizeEvent(QResizeEvent* event) {
  HideHover();
  QChartView::resizeEvent(event);
  UpdateFrame();
  PlaceTitle();
}

// ---- Zoom and hover -----------------------------------------------------------------------------

corvel::ViewRanges ChartView::ShownRanges() const {
  return zoomed_ ? zoom_ : corvel::DrawingRanges(*state_);
}

void ChartView::ZoomTo(const corvel::ViewRanges& ranges) {
  zoom_ = ranges;
  zoom_drawing_ = state_->drawing;
  zoomed_ = true;
  HideHover();
  Render();
}

void ChartView::ResetZoom() {
  if (!zoomed_) return;
  zoomed_ = false;
  HideHover();
  Render();
}

QPointF ChartView::AreaFraction(QPointF pos) const {
  const QRectF area = chart_->plotArea();
  const QPointF at = chart_->mapFromScene(mapToScene(pos.toPoint()));
  return {(at.x() - area.left()) / area.width(), (area.bottom() - at.y()) / area.height()};
}

QPointF ChartView::PositionOf(double x, double y, bool right_axis) const {
  const corvel::ViewRanges shown = ShownRanges();
  const QRectF area = chart_->plotArea();
  const double fx = corvel::RangeFraction(shown.bottom, x);
  const double fy = corvel::RangeFraction(right_axis ? shown.right : shown.left, y);
  const QPointF at(area.left() + fx * area.width(), area.bottom() - fy * area.height());
  return mapFromScene(chart_->mapToScene(at));
}

void ChartView::HideHover() {
  hover_mark_->hide();
  if (!hover_text_.isEmpty()) QToolTip::hideText();
  hover_text_.clear();
}

void ChartView::Hover(QPointF pos, QPoint global) {
  const QRectF area = chart_->plotArea();
  const QPointF at = chart_->mapFromScene(mapToScene(pos.toPoint()));
  if (area.width() < 1 || area.height() < 1 ||
      !area.adjusted(-kHoverReach, -kHoverReach, kHoverReach, kHoverReach).contains(at)) {
    HideHover();
    return;
  }
  const corvel::ViewRanges shown = ShownRanges();
  const corvel::NearestSample near =
      corvel::FindNearestSample(*state_, shown, area.width(), area.height(), at.x() - area.left(),
                                at.y() - area.top(), kHoverReach);
  if (!near.found) {
    HideHover();
    return;
  }
  const corvel::Series& s = corvel::SeriesOf(*state_, near.curve);
  const corvel::ChartPoint& p = s.points[near.index];
  const bool right = near.curve.kind == corvel::SeriesKind::kLine && s.right_axis;
  const corvel::AxisQuantities q = corvel::AxisQuantitiesOf(*state_);
  const QString x_title = AxisTitle(q.bottom);
  const QString y_title = AxisTitle(right ? q.right : q.left);
  const auto number = [](double v) { return QString::fromStdString(corvel::FormatCurveNumber(v)); };
  hover_text_ = QStringLiteral("%1\n%2: %3\n%4: %5")
                    .arg(FromGbk(corvel::CurveName(*state_, near.curve)),
                         x_title.isEmpty() ? QStringLiteral("x") : x_title, number(p.x),
                         y_title.isEmpty() ? QStringLiteral("y") : y_title, number(p.y));
  // The mark: a ring in the curve's colour around the sample.
  const double fx = corvel::RangeFraction(shown.bottom, p.x);
  const double fy = corvel::RangeFraction(right ? shown.right : shown.left, p.y);
  const QPointF centre(area.left() + fx * area.width(), area.bottom() - fy * area.height());
  hover_mark_->setRect(QRectF(centre - QPointF(5, 5), QSizeF(10, 10)));
  hover_mark_->setPen(QPen(ToColor(s.color), 2));
  hover_mark_->show();
  QToolTip::showText(global, hover_text_, this);
}

void ChartView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    banding_ = true;
    band_origin_ = event->position().toPoint();
    band_->setGeometry(QRect(band_origin_, QSize()));
    band_->show();
    HideHover();
    event->accept();
    return;
  }
  QChartView::mousePressEvent(event);
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
  if (banding_) {
    band_->setGeometry(QRect(band_origin_, event->position().toPoint()).normalized());
    event->accept();
    return;
  }
  Hover(event->position(), event->globalPosition().toPoint());
  QChartView::mouseMoveEvent(event);
}

void ChartView::mouseReleaseEvent(QMouseEvent* event) {
  if (!banding_ || event->button() != Qt::LeftButton) {
    QChartView::mouseReleaseEvent(event);
    return;
  }
  banding_ = false;
  band_->hide();
  event->accept();
  const QPoint end = event->position().toPoint();
  const QRect drag = QRect(band_origin_, end).normalized();
  const bool along_x = drag.width() >= kBandMinimum, along_y = drag.height() >= kBandMinimum;
  if (!along_x && !along_y) return;
  const QPointF a = AreaFraction(band_origin_), b = AreaFraction(end);
  const auto inside = [](double f) { return std::clamp(f, 0.0, 1.0); };
  corvel::ViewRanges next = ShownRanges();
  if (along_x) next.bottom = corvel::RangeBetween(next.bottom, inside(a.x()), inside(b.x()));
  if (along_y) {
    next.left = corvel::RangeBetween(next.left, inside(a.y()), inside(b.y()));
    next.right = corvel::RangeBetween(next.right, inside(a.y()), inside(b.y()));
  }
  ZoomTo(next);
}

void ChartView::mouseDoubleClickEvent(QMouseEvent* event) {
  banding_ = false;
  band_->hide();
  ResetZoom();
  event->accept();
}

void ChartView::wheelEvent(QWheelEvent* event) {
  const double notches = event->angleDelta().y() / 120.0;
  if (notches == 0) {
    QChartView::wheelEvent(event);
    return;
  }
  event->accept();
  const double anchor = std::clamp(AreaFraction(event->position()).x(), 0.0, 1.0);
  const corvel::ViewRanges drawing = corvel::DrawingRanges(*state_);
  corvel::ViewRanges next = ShownRanges();
  next.bottom =
      corvel::ZoomRange(next.bottom, anchor, std::pow(kWheelStep, notches), drawing.bottom);
  ZoomTo(next);
  if (next.bottom.min == drawing.bottom.min && next.bottom.max == drawing.bottom.max &&
      next.left.min == drawing.left.min && next.left.max == drawing.left.max &&
      next.right.min == drawing.right.min && next.right.max == drawing.right.max)
    ResetZoom();  // zoomed all the way out: the drawing's view again
}

void ChartView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && zoomed_) {
    ResetZoom();
    event->accept();
    return;
  }
  QChartView::keyPressEvent(event);
}

void ChartView::leaveEvent(QEvent* event) {
  HideHover();
  QChartView::leaveEvent(event);
}

void ChartView::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* csv = menu.addAction(tr("保存曲线数据 (CSV)…"));
  QAction* reset = menu.addAction(tr("还原视图"));
  reset->setEnabled(zoomed_);
  QAction* chosen = menu.exec(event->globalPos());
  if (chosen == csv) emit CurveCsvRequested();
  if (chosen == reset) ResetZoom();
}
