#include "chart_plot.h"

#include <QApplication>
#include <QFile>
#include <QtGlobal>
#include <cstdio>
#include <memory>

#include "chart_view.h"

namespace corvel::plot {

namespace {

// Qt's own notes (fonts, the offscreen platform) are not the tool's output: only a fatal one
// reaches standard error.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg)
    std::fprintf(stderr, "corvel-cli: %s\n", text.toLocal8Bit().constData());
}

}  // namespace

FileResult WritePlot(const ChartState& chart, const PlotOptions& options, const std::string& path) {
  std::unique_ptr<QApplication> app;
  int argc = 1;
  char name[] = "corvel-cli";
  char* argv[] = {name, nullptr};
  const QtMessageHandler previous = qInstallMessageHandler(QuietMessages);
  if (QCoreApplication::instance() == nullptr) {
    // A figure needs no display: the offscreen platform unless the caller chose one.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app = std::make_unique<QApplication>(argc, argv);
  }
  FileResult result;
  {
    ChartState shown = chart;  // the view reads its state through a pointer it does not own
    ChartView view(&shown);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(options.width, options.height);
    view.show();
    QCoreApplication::processEvents();
    view.Render();
    QCoreApplication::processEvents();
    int dpi = options.dpi;
    if (dpi <= 0) dpi = options.format == PictureFormat::kPng ? kDefaultPngDpi : kScreenDpi;
    result =
        view.SavePicture(QFile::decodeName(QByteArray::fromStdString(path)), options.format, dpi);
  }
  app.reset();
  qInstallMessageHandler(previous);
  return result;
}

}  // namespace corvel::plot
