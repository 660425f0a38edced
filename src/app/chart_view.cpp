#include "chart_view.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGraphicsSimpleTextItem>
#include <QPainter>
#include <QResizeEvent>
#include <QSaveFile>
#include <QStringDecoder>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtCharts/QLogValueAxis>
#include <QtCharts/QValueAxis>
#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

namespace {

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
  int decimals = 0;
  if (st.bottom.log) {
    BindBottom(bottom_log_);
    const double min = st.bottom.min > 0 ? st.bottom.min : 1;
    bottom_log_->setRange(min, st.bottom.max > min ? st.bottom.max : min * 10);
    bottom_log_->setLabelFormat(PatternToPrintf(st.bottom.format, &decimals));
  } else {
    BindBottom(bottom_linear_);
    bottom_linear_->setLabelFormat(PatternToPrintf(st.bottom.format, &decimals));
    SetValueRange(bottom_linear_, st.bottom.min, st.bottom.max);
  }
  left_->setLabelFormat(PatternToPrintf(st.left.format, &decimals));
  SetValueRange(left_, st.left.min, st.left.max);
  right_->setLabelFormat(PatternToPrintf(st.right.format, &decimals));
  SetValueRange(right_, st.right.min, st.right.max);
  right_->setVisible(st.right.visible);
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
  const double decades = std::log10(bottom_log_->max() / bottom_log_->min());
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
  QChartView::resizeEvent(event);
  UpdateFrame();
  PlaceTitle();
}

bool ChartView::SavePicture(const QString& path, QString* error) {
  const QImage picture = grab().toImage().convertToFormat(QImage::Format_RGB32);
  QSaveFile file(path);
  const auto fail = [&](const QString& reason) {
    if (error) *error = tr("无法写入 %1：%2").arg(path, reason);
    return false;
  };
  if (picture.isNull()) return fail(tr("图形无法生成"));
  if (!file.open(QIODevice::WriteOnly)) return fail(file.errorString());
  if (!picture.save(&file, "BMP")) {
    const QString reason =
        file.error() != QFileDevice::NoError ? file.errorString() : tr("图形未能完整写入");
    file.cancelWriting();
    return fail(reason);
  }
  if (!file.commit()) return fail(file.errorString());
  return true;
}
