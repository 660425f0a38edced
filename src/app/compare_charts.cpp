#include "compare_charts.h"

#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <numbers>

#include "chart_view.h"
#include "picture_file.h"
#include "viewer/compare_view.h"

namespace {

QColor GroupColour(uint32_t rgb, int alpha = 255) {
  QColor c = QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb));
  c.setAlpha(alpha);
  return c;
}

QString Utf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Utf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A number as an axis label: no more decimals than the step needs.
QString Number(double v, double step) {
  int decimals = 0;
  while (decimals < 6 && std::fabs(step * std::pow(10.0, decimals) -
                                   std::round(step * std::pow(10.0, decimals))) > 1e-6)
    ++decimals;
  if (std::fabs(v) < step * 1e-9) v = 0;
  return QString::number(v, 'f', decimals);
}

// A whole decade of microseconds as a power of ten ("10³"), which fits under a narrow chart.
QString DecadeLabel(double us) {
  static const char16_t kSuperscript[] =
      u"\u2070\u00B9\u00B2\u00B3\u2074\u2075\u2076\u2077\u2078\u2079";
  const int exponent = static_cast<int>(std::lround(std::log10(us)));
  if (exponent == 0) return QStringLiteral("1");
  if (exponent == 1) return QStringLiteral("10");
  QString label = QStringLiteral("10");
  if (exponent < 0) label += QChar(0x207B);
  for (const QChar digit : QString::number(std::abs(exponent)))
    label += QChar(kSuperscript[digit.digitValue()]);
  return label;
}

// The group names with their colours, one line each, from the top left of `area`.
void DrawLegend(QPainter& painter, const QRectF& area, const corvel::Comparison& c,
                const QString& control_mark) {
  const QFontMetricsF fm(painter.font());
  double y = area.top() + 4;
  for (size_t g = 0; g < c.groups.size(); ++g) {
    QString name = Utf8(c.groups[g]);
    if (static_cast<int>(g) == c.control) name += control_mark;
    const QColor colour = GroupColour(corvel::GroupColor(static_cast<int>(g)));
    painter.fillRect(QRectF(area.left() + 6, y + fm.height() / 2 - 4, 16, 8), colour);
    painter.setPen(colour);
    painter.drawText(QPointF(area.left() + 28, y + fm.ascent()), name);
    y += fm.height() + 2;
  }
}

void DrawCentred(QPainter& painter, const QRectF& area, const QString& text) {
  painter.setPen(Qt::darkGray);
  painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

}  // namespace

// ---- The group curves -------------------------------------------------------------------------

CompareCurveChart::CompareCurveChart(const corvel::CompareView* view, QWidget* parent)
    : QWidget(parent), view_(view) {
  setMinimumSize(320, 240);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QString CompareCurveChart::Title() const {
  const int choice = static_cast<int>(view_->curve());
  return tr("%1：各组平均值 ± 标准差").arg(Utf8(corvel::kCompareCurveNames[choice]));
}

void CompareCurveChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, QRectF(rect()), false);
}

void CompareCurveChart::Paint(QPainter& painter, const QRectF& target, bool) {
  drawn_bands_ = 0;
  drawn_curves_ = 0;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(target, Qt::white);
  const QFontMetricsF fm(painter.font());
  const corvel::CompareCurvePlot& plot = view_->curve_plot();
  const corvel::Comparison& c = view_->comparison();

  painter.setPen(Qt::black);
  painter.drawText(QRectF(target.left(), target.top() + 4, target.width(), fm.height()),
                   Qt::AlignHCenter, Title());
  const QRectF area(target.left() + 16 + fm.horizontalAdvance(QStringLiteral("-0.000")),
                    target.top() + 12 + fm.height(), 0, 0);
  QRectF plot_area(area.topLeft(),
                   QPointF(target.right() - 24, target.bottom() - 12 - 2 * fm.height()));
  if (!plot_area.isValid()) {
    painter.restore();
    return;
  }
  if (plot.groups.empty()) {
    DrawCentred(painter, plot_area,
                c.groups.empty() ? tr("没有分组：在上方由所选记录建组，或按名称自动分组")
                                 : tr("所选曲线没有可显示的数值"));
    painter.restore();
    return;
  }
  const double lx0 = std::log10(plot.x_min), lx1 = std::log10(plot.x_max);
  const auto px = [&](double x) {
    return plot_area.left() + (std::log10(x) - lx0) / (lx1 - lx0) * plot_area.width();
  };
  const auto py = [&](double y) {
    return plot_area.bottom() - (y - plot.y_min) / (plot.y_max - plot.y_min) * plot_area.height();
  };

  // Grid, ticks and labels: whole decades along the bottom, whole steps up the left.
  painter.setPen(QPen(QColor(0xEE, 0xEE, 0xEE), 1));
  for (double x = plot.x_min; x <= plot.x_max * 1.0001; x *= 10) {
    for (int m = 2; m <= 9 && x * m < plot.x_max; ++m)
      painter.drawLine(QPointF(px(x * m), plot_area.top()), QPointF(px(x * m), plot_area.bottom()));
  }
  painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
  const int steps = static_cast<int>(std::lround((plot.y_max - plot.y_min) / plot.y_step));
  for (int k = 0; k <= steps; ++k) {
    const double y = plot.y_min + k * plot.y_step;
    painter.drawLine(QPointF(plot_area.left(), py(y)), QPointF(plot_area.right(), py(y)));
  }
  for (double x = plot.x_min; x <= plot.x_max * 1.0001; x *= 10)
    painter.drawLine(QPointF(px(x), plot_area.top()), QPointF(px(x), plot_area.bottom()));
  painter.setPen(Qt::black);
  for (int k = 0; k <= steps; ++k) {
    const double y = plot.y_min + k * plot.y_step;
    const QString label = Number(y, plot.y_step);
    painter.drawText(QRectF(target.left(), py(y) - fm.height() / 2,
                            plot_area.left() - 6 - target.left(), fm.height()),
                     Qt::AlignRight | Qt::AlignVCenter, label);
  }
  for (double x = plot.x_min; x <= plot.x_max * 1.0001; x *= 10) {
    const QString label = DecadeLabel(x);
    const double w = fm.horizontalAdvance(label);
    painter.drawText(QPointF(px(x) - w / 2, plot_area.bottom() + 4 + fm.ascent()), label);
  }
  painter.drawText(QRectF(plot_area.left(), plot_area.bottom() + 6 + fm.height(), plot_area.width(),
                          fm.height()),
                   Qt::AlignHCenter, ChartView::AxisTitle(corvel::AxisQuantity::kTimeUs));
  if (plot.y_min < 0 && plot.y_max > 0) {
    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashLine));
    painter.drawLine(QPointF(plot_area.left(), py(0)), QPointF(plot_area.right(), py(0)));
  }

  painter.setClipRect(plot_area);
  for (const corvel::GroupBand& band : plot.groups) {
    if (band.polygons.empty()) continue;
    QPainterPath path;
    for (const std::vector<corvel::ChartPoint>& polygon : band.polygons) {
      QPolygonF points;
      for (const corvel::ChartPoint& p : polygon) points << QPointF(px(p.x), py(p.y));
      path.addPolygon(points);
      path.closeSubpath();
    }
    painter.fillPath(path, GroupColour(band.color, 48));
    ++drawn_bands_;
  }
  for (const corvel::GroupBand& band : plot.groups) {
    QPainterPath path;
    for (const std::vector<corvel::ChartPoint>& line : band.lines) {
      path.moveTo(px(line.front().x), py(line.front().y));
      for (const corvel::ChartPoint& p : line) path.lineTo(px(p.x), py(p.y));
    }
    painter.strokePath(path, QPen(GroupColour(band.color), 2));
    ++drawn_curves_;
  }
  painter.setClipping(false);
  painter.setPen(Qt::black);
  painter.drawRect(plot_area);
  DrawLegend(painter, plot_area, c, tr("（对照）"));
  painter.restore();
}

corvel::FileResult CompareCurveChart::SavePicture(const QString& path) {
  return corvel::app::SavePictureFile(path, size(), Title(),
                                      [this](QPainter& painter, const QRectF& target, bool vector) {
                                        Paint(painter, target, vector);
                                      });
}

// ---- The radar ----------------------------------------------------------------------------------

RadarChart::RadarChart(const corvel::CompareView* view, QWidget* parent)
    : QWidget(parent), view_(view) {
  setMinimumSize(280, 240);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QString RadarChart::Title() const {
  return tr("各参数与对照之比（对照 = 1）");
}

void RadarChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Paint(painter, QRectF(rect()), false);
}

void RadarChart::Paint(QPainter& painter, const QRectF& target, bool) {
  drawn_polygons_ = 0;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.fillRect(target, Qt::white);
  const QFontMetricsF fm(painter.font());
  const corvel::RadarPlot& plot = view_->radar_plot();
  const corvel::Comparison& c = view_->comparison();
  painter.setPen(Qt::black);
  painter.drawText(QRectF(target.left(), target.top() + 4, target.width(), fm.height()),
                   Qt::AlignHCenter, Title());
  const QRectF area = target.adjusted(8, 12 + fm.height(), -8, -8);
  if (c.groups.empty()) {
    DrawCentred(painter, area, tr("没有分组：在上方由所选记录建组，或按名称自动分组"));
    painter.restore();
    return;
  }
  const size_t n = plot.axes.size();
  if (n < 3) {
    DrawCentred(painter, area, tr("雷达图需要至少三个参数：请在右侧选择"));
    painter.restore();
    return;
  }
  double label_width = 0;
  for (const std::string& axis : plot.axes)
    label_width = std::max(label_width, fm.horizontalAdvance(Utf8(axis)));
  const double radius = std::max(
      10.0, std::min(area.width() / 2 - label_width - 8, area.height() / 2 - 2 * fm.height()));
  const QPointF centre = area.center();
  const auto at = [&](const corvel::ChartPoint& p, double scale) {
    return QPointF(centre.x() + p.x * scale * radius, centre.y() - p.y * scale * radius);
  };

  // Rings (the control's ring of 1 darker), spokes and their labels.
  for (const double ring : plot.rings) {
    QPolygonF polygon;
    for (const corvel::ChartPoint& d : plot.directions) polygon << at(d, ring / plot.outer);
    const bool one = std::fabs(ring - 1) < 1e-9;
    painter.setPen(QPen(one ? QColor(0x80, 0x80, 0x80) : QColor(0xD0, 0xD0, 0xD0), one ? 1.5 : 1));
    painter.drawPolygon(polygon);
    painter.setPen(Qt::darkGray);
    // Between the first two spokes, clear of the axis names.
    const double half = std::numbers::pi / static_cast<double>(n);
    const QPointF label = at({std::sin(half), std::cos(half)}, ring / plot.outer);
    painter.drawText(QPointF(label.x() + 2, label.y()), QString::number(ring));
  }
  painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
  for (const corvel::ChartPoint& d : plot.directions) painter.drawLine(centre, at(d, 1));
  painter.setPen(Qt::black);
  for (size_t a = 0; a < n; ++a) {
    const corvel::ChartPoint& d = plot.directions[a];
    const QString label = Utf8(plot.axes[a]);
    const double w = fm.horizontalAdvance(label);
    const QPointF tip = at(d, 1.0);
    const double x = tip.x() + d.x * 6 - (d.x > 0.2 ? 0 : d.x < -0.2 ? w : w / 2);
    const double y = tip.y() - d.y * 6 +
                     (d.y > 0.2    ? -fm.descent()
                      : d.y < -0.2 ? fm.ascent()
                                   : fm.ascent() / 2);
    painter.drawText(QPointF(x, y), label);
  }

  for (const corvel::RadarPolygon& polygon : plot.polygons) {
    QPolygonF points;
    for (const corvel::ChartPoint& v : polygon.vertices) points << at(v, 1);
    QPainterPath path;
    path.addPolygon(points);
    path.closeSubpath();
    painter.fillPath(path, GroupColour(polygon.color, 40));
    painter.strokePath(path, QPen(GroupColour(polygon.color), 2));
    for (const QPointF& p : points)
      painter.fillRect(QRectF(p.x() - 2.5, p.y() - 2.5, 5, 5), GroupColour(polygon.color));
    ++drawn_polygons_;
  }
  DrawLegend(painter, area, c, tr("（对照）"));
  painter.restore();
}

corvel::FileResult RadarChart::SavePicture(const QString& path) {
  return corvel::app::SavePictureFile(path, size(), Title(),
                                      [this](QPainter& painter, const QRectF& target, bool vector) {
                                        Paint(painter, target, vector);
                                      });
}
