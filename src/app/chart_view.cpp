#include "chart_view.h"

#include <QBuffer>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsSimpleTextItem>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QResizeEvent>
#include <QRubberBand>
#include <QStringDecoder>
#include <QSvgGenerator>
#include <QToolTip>
#include <QWheelEvent>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "export/file_writer.h"

namespace {

constexpr double kScreenDpi = 96;   // the on-screen size is the size at 96 dots per inch
constexpr double kHoverReach = 12;  // pixels from the pointer to the sample it reads
constexpr int kBandMinimum = 4;     // a drag shorter than this zooms nothing along that axis
constexpr double kWheelStep = 0.8;  // span factor of one wheel notch towards the pointer

constexpr int kMarkerSize = 7;  // a cross three pixels to each side of the point

QColor ToColor(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb));
}

QString FromGbk(const std::string& text) {
  QStringDecoder decode("GBK");
  if (!decode.isValid())
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

bool IsNumberChar(char c) {
  return c == '#' || c == '0' || c == ',' || c == '.';
}

// A label number pattern ("0" a digit always printed, "#" a digit printed when significant, ","
// thousands separators, other characters as they stand) as the printf form Qt Charts formats
// labels with. Optional decimals become %g.
QString PatternToPrintf(std::string_view pattern, int* decimals) {
  size_t first = 0;
  while (first < pattern.size() && !IsNumberChar(pattern[first])) ++first;
  size_t last = first;
  while (last < pattern.size() && IsNumberChar(pattern[last])) ++last;
  const std::string_view number = pattern.substr(first, last - first);
  const bool group = number.find(',') != std::string_view::npos;
  int required = 0, optional = 0;
  const size_t point = number.find('.');
  if (point != std::string_view::npos)
    for (const char c : number.substr(point + 1)) (c == '0' ? required : optional)++;
  const auto literal = [](std::string_view s) {
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()))
        .replace(QLatin1Char('%'), QLatin1String("%%"));
  };
  QString conversion = QStringLiteral("%");
  if (group) conversion += QLatin1Char('\'');
  if (optional > 0) {
    conversion += QLatin1Char('g');
    *decimals = required + optional;
  } else {
    conversion += QStringLiteral(".%1f").arg(required);
    *decimals = required;
  }
  return literal(pattern.substr(0, first)) + conversion + literal(pattern.substr(last));
}

// A tick step of 1, 2 or 5 times a power of ten that gives at most `ticks` steps over `span`.
double NiceStep(double span, int ticks, bool whole) {
  if (!(span > 0) || ticks < 1) return 1;
  const double raw = span / ticks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * magnitude;
  for (const double m : {1.0, 2.0, 5.0})
    if (m * magnitude >= raw) {
      step = m * magnitude;
      break;
    }
  return whole ? std::max(step, 1.0) : step;
}

// The curve through the points of a smoothed series: a monotone cubic between each two points
// (the tangents of Steffen's method), so the curve never overshoots the neighbouring samples. It
// is computed in the coordinates of the axes (decades on a logarithmic time axis), where the
// curve is seen; segments that span several pixels are divided, the dense tail stays straight.
// Points that a logarithmic axis cannot show (x <= 0) are left out.
void SmoothCurve(const std::vector<corvel::ChartPoint>& in, bool log_x, double x_span,
                 QList<QPointF>& out) {
  out.clear();
  const auto ax = [log_x](double x) { return log_x ? std::log10(x) : x; };
  const auto back = [log_x](double u) { return log_x ? std::pow(10.0, u) : u; };
  std::vector<corvel::ChartPoint> p;
  p.reserve(in.size());
  for (const corvel::ChartPoint& q : in)
    if (!log_x || q.x > 0) p.push_back({ax(q.x), q.y});
  const size_t n = p.size();
  if (n < 3) {
    for (const corvel::ChartPoint& q : p) out.append(QPointF(back(q.x), q.y));
    return;
  }
  const auto slope = [&](size_t i) {
    const double h = p[i + 1].x - p[i].x;
    return h > 0 ? (p[i + 1].y - p[i].y) / h : 0.0;
  };
  std::vector<double> d(n, 0.0);
  d[0] = slope(0);
  d[n - 1] = slope(n - 2);
  for (size_t i = 1; i + 1 < n; ++i) {
    const double h0 = p[i].x - p[i - 1].x, h1 = p[i + 1].x - p[i].x;
    if (!(h0 > 0) || !(h1 > 0)) continue;
    const double s0 = slope(i - 1), s1 = slope(i);
    const double mid = (s0 * h1 + s1 * h0) / (h0 + h1);
    const double sign = (s0 > 0) - (s0 < 0) + (s1 > 0) - (s1 < 0);
    d[i] = sign * std::min({std::fabs(s0), std::fabs(s1), 0.5 * std::fabs(mid)});
  }
  const double pixel = x_span > 0 ? x_span / 800 : 1;
  out.append(QPointF(back(p[0].x), p[0].y));
  for (size_t i = 0; i + 1 < n; ++i) {
    const double h = p[i + 1].x - p[i].x;
    const int parts = h > 0 ? static_cast<int>(std::min(16.0, std::ceil(h / (2 * pixel)))) : 1;
    for (int k = 1; k < parts; ++k) {
      const double t = static_cast<double>(k) / parts, t2 = t * t, t3 = t2 * t;
      const double y = (2 * t3 - 3 * t2 + 1) * p[i].y + (t3 - 2 * t2 + t) * h * d[i] +
                       (-2 * t3 + 3 * t2) * p[i + 1].y + (t3 - t2) * h * d[i + 1];
      out.append(QPointF(back(p[i].x + t * h), y));
    }
    out.append(QPointF(back(p[i + 1].x), p[i + 1].y));
  }
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
  int decimals = 0;
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
    bottom_log_->setLabelFormat(PatternToPrintf(st.bottom.format, &decimals));
  } else {
    BindBottom(bottom_linear_);
    bottom_linear_->setLabelFormat(PatternToPrintf(st.bottom.format, &decimals));
    SetValueRange(bottom_linear_, shown.bottom.min, shown.bottom.max);
  }
  left_->setLabelFormat(PatternToPrintf(st.left.format, &decimals));
  SetValueRange(left_, shown.left.min, shown.left.max);
  right_->setLabelFormat(PatternToPrintf(st.right.format, &decimals));
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
    int decimals = 0;
    PatternToPrintf(state_->bottom.format, &decimals);
    const QString widest =
        QString::asprintf(axis->labelFormat().toLatin1().constData(), std::max(max, -min));
    const int ticks = static_cast<int>(area.width() / (fm.horizontalAdvance(widest) + 24));
    return NiceStep(max - min, std::max(ticks, 1), decimals == 0);
  }
  const int ticks = static_cast<int>(area.height() / (fm.height() * 2.5));
  return NiceStep(max - min, std::max(ticks, 1), false);
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
  SmoothCurve(data.points, log_x, span, points_);
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

void ChartView::Render() {
  HideHover();
  RenderAxes();
  for (int i = 0; i < corvel::kSeriesCount; ++i) {
    RenderSmoothed(i);
    RenderLine(i);
  }
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

// ---- Pictures and curve data -------------------------------------------------------------------

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
