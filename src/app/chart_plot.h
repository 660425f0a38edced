// The chart of a list click rendered without a window, for corvel-cli's plot command: the same
// ChartView the window shows, laid out at a chosen size on an offscreen surface. This header has
// no Qt in it, so the command-line tool can include it; the tool links the library only where the
// viewer is built.
#pragma once

#include <string>

#include "charts/chart_state.h"
#include "charts/picture_format.h"
#include "export/file_writer.h"

namespace corvel::plot {

inline constexpr int kDefaultWidth = 900;  // the chart's size in pixels at 96 dots per inch
inline constexpr int kDefaultHeight = 600;
inline constexpr int kDefaultPngDpi = 300;  // a PNG for print unless told otherwise
inline constexpr int kScreenDpi = 96;

struct PlotOptions {
  PictureFormat format = PictureFormat::kPng;
  int width = kDefaultWidth;
  int height = kDefaultHeight;
  int dpi = 0;  // BMP and PNG only; 0: 300 for PNG, the on-screen 96 for BMP
};

// Renders `chart` as the window's chart view shows it at the given size and writes the picture to
// `path` through the atomic writer. Creates the Qt application when there is none, on the
// offscreen platform unless QT_QPA_PLATFORM names another, so no display is needed.
FileResult WritePlot(const ChartState& chart, const PlotOptions& options, const std::string& path);

}  // namespace corvel::plot
