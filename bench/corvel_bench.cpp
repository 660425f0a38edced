// Benchmarks of the hot paths on capacity files of every type, each against the baseline of
// reading the same file into memory. Run: build/bench/corvel_bench (see bench/README.md).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "export/binary_save.h"
#include "export/record_csv.h"
#include "params/table_csv.h"
#include "records/byte_sink.h"
#include "records/measurement_type.h"
#include "synth/kinds.h"
#include "viewer/light_curve_fits.h"
#include "viewer/session.h"

namespace corvel {
namespace {

// Copies into one buffer allocated once, reused from its start by every run, so that writers are
// measured without the disk.
class NullSink final : public ByteSink {
 public:
  NullSink() : buffer_(new uint8_t[kCapacity]) {}
  bool Write(const void* data, size_t size) override {
    const size_t at = bytes % kCapacity;
    const size_t n = size < kCapacity - at ? size : kCapacity - at;
    std::memcpy(buffer_.get() + at, data, n);
    bytes += size;
    return true;
  }
  using ByteSink::Write;
  size_t bytes = 0;

 private:
  static constexpr size_t kCapacity = size_t{kHeaderSize} + kAreaSize;
  std::unique_ptr<uint8_t[]> buffer_;
};

const std::string& CapacityFile(int item) {
  static std::string paths[kTypeCount];
  if (paths[item].empty()) {
    const auto dir = std::filesystem::temp_directory_path() / "corvel_bench";
    std::filesystem::create_directories(dir);
    paths[item] = (dir / (std::string(kRadioName[item]) + ".bin")).string();
    const synth::Bytes bytes = synth::MakeCapacityFile(item, 7);
    std::FILE* f = std::fopen(paths[item].c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return paths[item];
}

Session& SessionFor(int item) {
  static std::unique_ptr<Session> sessions[kTypeCount];
  if (!sessions[item]) {
    sessions[item] = std::make_unique<Session>();
    sessions[item]->Open(CapacityFile(item));
    sessions[item]->SwitchType(item);
  }
  return *sessions[item];
}

void BM_ReadFile(benchmark::State& state) {
  const std::string& path = CapacityFile(static_cast<int>(state.range(0)));
  std::vector<uint8_t> buffer(kHeaderSize + kAreaSize + 1);
  for (auto _ : state) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), f));
    std::fclose(f);
  }
}

// Open: bulk read, record list and result tables of the type.
void BM_OpenAndList(benchmark::State& state) {
  const int item = static_cast<int>(state.range(0));
  Session session;
  for (auto _ : state) {
    session.Open(CapacityFile(item));
    session.SwitchType(item);
    benchmark::DoNotOptimize(session.list().count);
  }
  state.counters["listed"] = session.list().count;
}

// Select all: the table model and the chart of the whole list.
void BM_SelectAll(benchmark::State& state) {
  Session& session = SessionFor(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    session.SelectAll();
    benchmark::DoNotOptimize(session.grid().row_count());
  }
  state.counters["rows"] = session.grid().row_count();
}

void BM_TableCsv(benchmark::State& state) {
  Session& session = SessionFor(static_cast<int>(state.range(0)));
  session.SelectAll();
  NullSink sink;
  for (auto _ : state) WriteTableCsv(session.grid(), sink);
}

void BM_SaveMode0(benchmark::State& state) {
  Session& session = SessionFor(static_cast<int>(state.range(0)));
  NullSink sink;
  for (auto _ : state) WriteFileImage(session.image(), sink);
}

void BM_CsvExport100(benchmark::State& state) {
  Session& session = SessionFor(static_cast<int>(state.range(0)));
  const RecordList& list = session.list();
  NullSink sink;
  for (auto _ : state)
    for (int i = 0; i < 100 && i < list.count; ++i)
      WriteRecordCsv(session.image(), list.offset(i), sink);
}

// Light-curve fits, auto (all four models) of every record of the rapid light curve file, from
// scratch each time: the fit table of select all.
void BM_FitAll(benchmark::State& state) {
  Session& session = SessionFor(static_cast<int>(state.range(0)));
  session.SelectAll();
  auto fits = std::make_unique<LightCurveFits>();
  std::vector<FitRow> rows;
  rows.reserve(kSlotCount);
  for (auto _ : state) {
    fits->Reset();
    FillFitRows(session.image(), session.list(), session.results(), FitChoice::kAuto, *fits, rows);
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["records"] = static_cast<double>(rows.size());
}

#define CORVEL_EVERY_TYPE(bm) \
  BENCHMARK(bm)->DenseRange(0, kTypeCount - 1)->Unit(benchmark::kMillisecond)
CORVEL_EVERY_TYPE(BM_ReadFile);
CORVEL_EVERY_TYPE(BM_OpenAndList);
CORVEL_EVERY_TYPE(BM_SelectAll);
CORVEL_EVERY_TYPE(BM_TableCsv);
CORVEL_EVERY_TYPE(BM_SaveMode0);
CORVEL_EVERY_TYPE(BM_CsvExport100);
BENCHMARK(BM_FitAll)->Arg(2)->Unit(benchmark::kMillisecond);

// Prints the usual console lines, then every step's time as a multiple of reading the same file.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
      const std::string name = run.benchmark_name();
      const size_t slash = name.find('/');
      const int item = std::stoi(name.substr(slash + 1));
      const std::string step = name.substr(0, slash);
      const double ms = run.GetAdjustedRealTime();
      if (step == "BM_ReadFile") baseline_[item] = ms;
      results_.push_back({step, item, ms});
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-16s %-10s %12s %12s %8s\n", "step", "type", "ms", "read ms", "ratio");
    for (const auto& r : results_) {
      if (r.step == "BM_ReadFile") continue;
      const double base = baseline_[r.item];
      std::printf("%-16s %-10s %12.3f %12.3f %8.2f\n", r.step.c_str() + 3,
                  std::string(kRadioName[r.item]).c_str(), r.ms, base,
                  base > 0 ? r.ms / base : 0.0);
    }
  }

 private:
  struct Result {
    std::string step;
    int item;
    double ms;
  };
  double baseline_[kTypeCount] = {};
  std::vector<Result> results_;
};

}  // namespace
}  // namespace corvel

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  corvel::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

// Select all + compare: after select all, the whole selection made one group and compared as the
// comparison page does (every table parameter; for OJIP also the group curves, the delta V chart
// and the radar). The select all itself is the SelectAll step.
#include "viewer/compare_view.h"

namespace corvel {
namespace {

void BM_SelectAllCompare(benchmark::State& state) {
  Session& session = SessionFor(static_cast<int>(state.range(0)));
  session.SelectAll();
  CompareView view(session);
  for (auto _ : state) {
    session.groups().Clear();
    if (view.MakeGroup("all") != GroupEdit::kDone) view.Refresh();
    benchmark::DoNotOptimize(view.comparison().stats.data());
  }
  state.counters["groups"] = static_cast<double>(view.comparison().groups.size());
}
CORVEL_EVERY_TYPE(BM_SelectAllCompare);

}  // namespace
}  // namespace corvel
