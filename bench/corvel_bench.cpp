// Benchmarks of the hot paths on capacity files of every type, each against the baseline of
// reading the same file into memory. Run: build/bench/corvel_bench (see bench/README.md). By
// default each step and its baseline are measured interleaved, several repetitions each, and the
// medians compared; any --benchmark_* option runs the Google Benchmark cases instead.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cli/options.h"
#include "cli/params_command.h"
#include "export/binary_save.h"
#include "export/record_csv.h"
#include "params/parallel_for.h"
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
  // The buffer is touched once here, so that its first page faults are not measured.
  NullSink() : buffer_(new uint8_t[kCapacity]()) {}
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
    std::fflush(f);
    ::fsync(fileno(f));  // written back before measuring, not while
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
    if (item != 0) session.SwitchType(item);
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

// The interleaved run: every step of every type measured against its own baseline, repetition by
// repetition (read, step, read, step, ...), so that a change of the machine's load reaches both.
namespace corvel {
namespace {

using Clock = std::chrono::steady_clock;

struct Step {
  std::string name;
  int item;  // -1: not per type (Params100)
  std::function<void()> body;
  std::function<void()> baseline;
};

// Milliseconds per call of f, over as many calls as fill min_seconds (at least one).
double MsPerCall(const std::function<void()>& f, double min_seconds) {
  int calls = 0;
  const auto start = Clock::now();
  double elapsed = 0;
  do {
    f();
    ++calls;
    elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  } while (elapsed < min_seconds);
  return elapsed * 1000.0 / calls;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void ReadWhole(const std::string& path, std::vector<uint8_t>& buffer) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  benchmark::DoNotOptimize(std::fread(buffer.data(), 1, buffer.size(), f));
  std::fclose(f);
}

// 100 demo files written once; Params100 runs corvel-cli params over them in this process.
const std::vector<std::string>& DemoFiles() {
  static std::vector<std::string> paths;
  if (paths.empty()) {
    const auto dir = std::filesystem::temp_directory_path() / "corvel_bench" / "demo";
    std::filesystem::create_directories(dir);
    for (int i = 0; i < 100; ++i) {
      paths.push_back((dir / ("demo" + std::to_string(i) + ".bin")).string());
      const synth::Bytes bytes = synth::MakeDemoFile(static_cast<uint32_t>(i + 1));
      std::FILE* f = std::fopen(paths.back().c_str(), "wb");
      std::fwrite(bytes.data(), 1, bytes.size(), f);
      std::fflush(f);
      ::fsync(fileno(f));
      std::fclose(f);
    }
  }
  return paths;
}

// The session of the type with everything selected (selected once).
Session& SelectedSessionFor(int item) {
  static bool selected[kTypeCount] = {};
  Session& session = SessionFor(item);
  if (!selected[item]) session.SelectAll();
  selected[item] = true;
  return session;
}

std::vector<Step> MakeSteps() {
  std::vector<Step> steps;
  auto buffer = std::make_shared<std::vector<uint8_t>>(kHeaderSize + kAreaSize + 1);
  auto sink = std::make_shared<NullSink>();
  for (int item = 0; item < kTypeCount; ++item) {
    const std::string& path = CapacityFile(item);
    auto read = [path, buffer] { ReadWhole(path, *buffer); };
    auto open_session = std::make_shared<Session>();
    steps.push_back({"OpenAndList", item,
                     [item, path, open_session] {
                       // As the window opens a file: the open lists OJIP, another type is a
                       // switch after it.
                       open_session->Open(path);
                       if (item != 0) open_session->SwitchType(item);
                     },
                     read});
    steps.push_back({"SelectAll", item, [item] { SessionFor(item).SelectAll(); }, read});
    steps.push_back({"TableCsv", item,
                     [item, sink] { WriteTableCsv(SelectedSessionFor(item).grid(), *sink); },
                     read});
    steps.push_back({"SaveMode0", item,
                     [item, sink] { WriteFileImage(SessionFor(item).image(), *sink); }, read});
    steps.push_back({"CsvExport100", item,
                     [item, sink] {
                       Session& session = SessionFor(item);
                       const RecordList& list = session.list();
                       for (int i = 0; i < 100 && i < list.count; ++i)
                         WriteRecordCsv(session.image(), list.offset(i), *sink);
                     },
                     read});
    auto view = std::make_shared<std::unique_ptr<CompareView>>();
    steps.push_back({"SelectAllCompare", item,
                     [item, view] {
                       Session& session = SelectedSessionFor(item);
                       if (!*view) *view = std::make_unique<CompareView>(session);
                       session.groups().Clear();
                       if ((*view)->MakeGroup("all") != GroupEdit::kDone) (*view)->Refresh();
                     },
                     read});
    if (item == 2) {
      auto fits = std::make_shared<LightCurveFits>();
      auto rows = std::make_shared<std::vector<FitRow>>();
      steps.push_back({"FitAll", item,
                       [item, fits, rows] {
                         Session& session = SelectedSessionFor(item);
                         fits->Reset();
                         FillFitRows(session.image(), session.list(), session.results(),
                                     FitChoice::kAuto, *fits, *rows);
                       },
                       read});
    }
  }
  const std::vector<std::string>& demos = DemoFiles();
  const std::string out =
      (std::filesystem::temp_directory_path() / "corvel_bench" / "params100.csv").string();
  steps.push_back({"Params100", -1,
                   [&demos, out] {
                     cli::Options o;
                     o.command = "params";
                     o.files = demos;
                     o.all_types = true;
                     o.output = out;
                     cli::Params(o);
                   },
                   [&demos, buffer] {
                     for (const std::string& p : demos) ReadWhole(p, *buffer);
                   }});
  return steps;
}

int RunInterleaved(int reps, double min_seconds, const std::string& filter) {
  std::printf("%-16s %-10s %10s %10s %8s %8s %8s\n", "step", "type", "ms", "read ms", "ratio",
              "min", "max");
  for (const Step& step : MakeSteps()) {
    const std::string type = step.item < 0 ? "demo x100" : std::string(kRadioName[step.item]);
    if (!filter.empty() && (step.name + "/" + type).find(filter) == std::string::npos) continue;
    step.body();  // warm: the session and the caches as a user's second click finds them
    std::vector<double> base, ms, ratio;
    for (int r = 0; r < reps; ++r) {
      base.push_back(MsPerCall(step.baseline, min_seconds));
      ms.push_back(MsPerCall(step.body, min_seconds));
      ratio.push_back(ms.back() / base.back());
    }
    const double b = Median(base), m = Median(ms);
    std::printf("%-16s %-10s %10.3f %10.3f %8.2f %8.2f %8.2f\n", step.name.c_str(), type.c_str(), m,
                b, m / b, *std::min_element(ratio.begin(), ratio.end()),
                *std::max_element(ratio.begin(), ratio.end()));
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace
}  // namespace corvel

int main(int argc, char** argv) {
  bool google = false;
  int reps = 7;
  double min_seconds = 0.05;
  std::string filter;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a.rfind("--benchmark", 0) == 0) {
      google = true;
    } else if (a == "--reps" && i + 1 < argc) {
      reps = std::max(1, std::atoi(argv[++i]));
    } else if (a == "--min-time" && i + 1 < argc) {
      min_seconds = std::atof(argv[++i]);
    } else if (a == "--filter" && i + 1 < argc) {
      filter = argv[++i];
    } else if (a == "--threads" && i + 1 < argc) {
      corvel::SetWorkerThreads(std::max(0, std::atoi(argv[++i])));
    } else {
      std::fprintf(
          stderr,
          "usage: corvel_bench [--reps N] [--min-time SECONDS] [--filter TEXT] [--threads N] | "
          "[--benchmark_* ...]\n");
      return 2;
    }
  }
  if (!google) return corvel::RunInterleaved(reps, min_seconds, filter);
  benchmark::Initialize(&argc, argv);
  corvel::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
