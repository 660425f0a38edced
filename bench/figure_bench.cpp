// Rendering a figure: a 10-curve OJIP comparison drawn by the window's chart view, written as a
// 300 DPI PNG and as SVG and PDF, each against the baseline of grabbing the same view at its
// on-screen size (what the screen shows). Run: build/bench/corvel_figure_bench.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "chart_view.h"
#include "charts/picture_format.h"
#include "records/measurement_type.h"
#include "synth/instruments.h"
#include "synth/writer.h"
#include "viewer/session.h"

namespace {

constexpr int kWidth = 900;  // a chart of the window's size at 96 dots per inch
constexpr int kHeight = 600;

// Ten OJIP records, all selected: ten curves of 208 samples with their markers.
struct Figure {
  corvel::Session session;
  std::unique_ptr<ChartView> view;

  Figure() {
    corvel::synth::Rng rng(7);
    corvel::synth::SynthStamp stamp;
    corvel::synth::FileBuilder b;
    for (int i = 0; i < corvel::kBoxCount; ++i) {
      b.Add(corvel::synth::SynthOjip(rng, stamp));
      stamp.Advance(600);
    }
    const std::string path = "/tmp/corvel_figure_bench.bin";
    const corvel::synth::Bytes bytes = b.File();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    session.Open(path);
    session.SelectAll();
    view = std::make_unique<ChartView>(&session.chart());
    view->setAttribute(Qt::WA_DontShowOnScreen);
    view->resize(kWidth, kHeight);
    view->show();
    QCoreApplication::processEvents();
    view->Render();
    QCoreApplication::processEvents();
  }
};

Figure& TheFigure() {
  static Figure figure;
  return figure;
}

void BM_ScreenGrab(benchmark::State& state) {
  Figure& f = TheFigure();
  for (auto _ : state) benchmark::DoNotOptimize(f.view->grab().toImage());
}

void BM_Picture(benchmark::State& state) {
  Figure& f = TheFigure();
  const auto format = static_cast<corvel::PictureFormat>(state.range(0));
  const int dpi = static_cast<int>(state.range(1));
  size_t bytes = 0;
  for (auto _ : state) bytes = static_cast<size_t>(f.view->Picture(format, dpi).size());
  state.counters["bytes"] = static_cast<double>(bytes);
}

BENCHMARK(BM_ScreenGrab)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Picture)
    ->Args({static_cast<int>(corvel::PictureFormat::kBmp), 0})
    ->Args({static_cast<int>(corvel::PictureFormat::kPng), 300})
    ->Args({static_cast<int>(corvel::PictureFormat::kSvg), 0})
    ->Args({static_cast<int>(corvel::PictureFormat::kPdf), 0})
    ->Unit(benchmark::kMillisecond);

// After the usual lines: each picture as a multiple of the on-screen grab.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (!run.error_occurred && run.run_type == Run::RT_Iteration)
        ms_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const double grab = ms_["BM_ScreenGrab"];
    const char* names[] = {"BMP, on-screen size", "PNG, 300 DPI", "SVG", "PDF"};
    std::printf("\n%-22s %10s %8s\n", "picture", "ms", "ratio");
    std::printf("%-22s %10.2f %8.2f\n", "screen grab", grab, 1.0);
    for (int k = 0; k < 4; ++k) {
      const std::string key =
          "BM_Picture/" + std::to_string(k) + "/" + std::to_string(k == 1 ? 300 : 0);
      if (ms_.count(key) && grab > 0)
        std::printf("%-22s %10.2f %8.2f\n", names[k], ms_[key], ms_[key] / grab);
    }
  }

 private:
  std::map<std::string, double> ms_;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  TheFigure().view.reset();
  return 0;
}
