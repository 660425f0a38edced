// What the chart view's source files share: its sizes and the conversions of the chart state's
// colours and GBK texts.
#pragma once

#include <QColor>
#include <QString>
#include <QStringDecoder>
#include <cstdint>
#include <string>

namespace chart_view_parts {

inline constexpr double kScreenDpi = 96;   // the on-screen size is the size at 96 dots per inch
inline constexpr double kHoverReach = 12;  // pixels from the pointer to the sample it reads
inline constexpr int kBandMinimum = 4;     // a drag shorter than this zooms nothing along that axis
inline constexpr double kWheelStep = 0.8;  // span factor of one wheel notch towards the pointer

inline constexpr int kMarkerSize = 7;  // a cross three pixels to each side of the point

inline QColor ToColor(uint32_t rgb) {
  return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb));
}

inline QString FromGbk(const std::string& text) {
  QStringDecoder decode("GBK");
  if (!decode.isValid())
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
  return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

}  // namespace chart_view_parts
