// corvel-cli: the viewer's rules in a batch. Every output is what the window would have written.
#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/compare_csv.h"
#include "analysis/table_params.h"
#include "charts/chart_json.h"
#include "charts/curve_data.h"
#include "charts/picture_format.h"
#include "cli/options.h"
#include "cli/params_command.h"
#include "export/export_names.h"
#include "export/file_writer.h"
#include "export/info_text.h"
#include "params/table_csv.h"
#include "records/byte_sink.h"
#include "records/measurement_type.h"
#include "records/native_path.h"
#include "records/record.h"
#include "synth/kinds.h"
#include "viewer/session.h"

#ifdef CORVEL_HAVE_PLOT
#include "chart_plot.h"
#endif

namespace corvel::cli {
namespace {

constexpr int kFailure = 1;
constexpr int kUsageError = 2;

int Usage() {
  std::fputs(kUsage, stderr);
  return kUsageError;
}

int Fail(const std::string& why) {
  std::fprintf(stderr, "corvel-cli: %s\n", why.c_str());
  return kFailure;
}

// The failure of a write to standard output, with the reason the system gave.
int FailStdout(int error) {
  return Fail(std::string("cannot write to standard output: ") +
              std::strerror(error != 0 ? error : EIO));
}

// Flushes standard output; 0 when everything printed reached it, else the failure.
int FinishStdout() {
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) return FailStdout(errno);
  return 0;
}

// An output name that cannot name a file: empty, ending in a path separator, or an existing
// folder. Such a name would otherwise become a hidden ".csv" or ".bin" inside the folder.
bool IsBadOutputName(const std::string& name) {
  return name.empty() || LastPathSeparator(name) == name.size() - 1 || IsFolder(name);
}

// Standard output without -o; otherwise the named file, written whole or not at all.
int Emit(const Options& o, const char* default_extension,
         const std::function<bool(ByteSink&)>& produce) {
  if (!o.output) {
    StdioSink out(stdout);
    errno = 0;
    if (!produce(out)) return FailStdout(errno);
    return FinishStdout();
  }
  const std::string path =
      default_extension ? WithDefaultExtension(*o.output, default_extension) : *o.output;
  const FileResult r = WriteFileAtomically(path, produce);
  return r.ok ? 0 : Fail(r.message);
}

// Opens the file, switches to the type and applies the selection as list clicks would.
int Prepare(const Options& o, Session& session, bool click) {
  const FileResult loaded = session.Open(o.file);
  if (!loaded.ok) return Fail(loaded.message);
  if (o.radio_item != session.radio_item()) session.SwitchType(o.radio_item);
  auto positions = ParseSelection(o.select, session.list().count);
  if (!positions) return Usage();
  for (int p : *positions) session.SetSelected(p, true);
  if (click) session.ListClick();
  return 0;
}

int Info(const Options& o) {
  Session session;
  const FileResult loaded = session.Open(o.file);
  if (!loaded.ok) return Fail(loaded.message);
  const FileImage& image = session.image();
  unsigned live[kTypeCount] = {}, unknown = 0, deleted = 0;
  const ChainEnd end = WalkRecords(image, [&](uint32_t off) {
    const Record rec(image, off);
    if (rec.deleted())
      ++deleted;
    else if (TypeOfCode(rec.type_code()) != nullptr)
      ++live[rec.type_code()];
    else
      ++unknown;
    return true;
  });
  std::printf("file: %s\nheader: %u bytes\nrecord area: %u bytes read\n", o.file.c_str(),
              kHeaderSize, image.loaded_bytes);
  for (int item = 0; item < kTypeCount; ++item)
    std::printf("%-10s %u\n", std::string(kRadioName[item]).c_str(), live[kRadioTypeCode[item]]);
  std::printf("unknown type %u\ndeleted    %u\n", unknown, deleted);
  std::printf("chain end: record offset %u%s\n", end.offset,
              end.damaged ? " (damaged record)" : "");
  std::string notice = session.Notice();
  for (int item = 1; item < kTypeCount; ++item) {
    session.SwitchType(item);
    if (session.last_build().truncated) notice = session.Notice();
  }
  if (!notice.empty()) std::printf("notice: %s\n", notice.c_str());
  return FinishStdout();
}

int List(const Options& o) {
  Session session;
  if (int rc = Prepare(o, session, false)) return rc;
  return Emit(o, nullptr, [&](ByteSink& sink) {
    const RecordList& list = session.list();
    for (int i = 0; i < list.count; ++i)
      if (!sink.Write(list.label(i)) || !sink.Write("\n")) return false;
    return true;
  });
}

int Table(const Options& o) {
  Session session;
  if (int rc = Prepare(o, session, true)) return rc;
  return Emit(o, "csv", [&](ByteSink& sink) {
    WriteTableCsv(session.grid(), sink);
    return true;
  });
}

int Listing(Options o) {
  o.radio_item = ItemIndex(RadioItem::kUser);
  Session session;
  if (int rc = Prepare(o, session, true)) return rc;
  return Emit(o, nullptr, [&](ByteSink& sink) { return WriteInfoText(session.info_text(), sink); });
}

int Chart(const Options& o) {
  Session session;
  if (int rc = Prepare(o, session, true)) return rc;
  if (o.choice_given) session.ComboChanged(o.choice);
  if (o.csv) {
    // The curves as the window's curve data item writes them before any zoom.
    const ViewRanges shown = DrawingRanges(session.chart());
    return Emit(o, "csv", [&](ByteSink& sink) {
      return WriteCurveCsv(session.chart(), shown.bottom.min, shown.bottom.max, sink);
    });
  }
  return Emit(o, nullptr,
              [&](ByteSink& sink) { return sink.Write(ChartStateJson(session.chart())); });
}

int Plot(const Options& o) {
  if (!o.output) return Usage();
  // A name typed without an extension gets the picture dialog's default one, as in the window.
  const std::string path = WithDefaultExtension(*o.output, "bmp");
  const std::optional<PictureFormat> format = PictureFormatForPath(path);
  if (!format) {
    std::fprintf(stderr, "corvel-cli: %s: unknown picture format (use .bmp, .png, .svg or .pdf)\n",
                 path.c_str());
    return Usage();
  }
#ifdef CORVEL_HAVE_PLOT
  // The largest side of a rendered picture in pixels: beyond it the image would not fit memory.
  constexpr long kPlotPixelLimit = 20000;
  plot::PlotOptions options;
  options.format = *format;
  if (o.width > 0) {
    options.width = o.width;
    options.height = o.height;
  }
  options.dpi = o.dpi;
  const bool raster = *format == PictureFormat::kBmp || *format == PictureFormat::kPng;
  const int default_dpi = *format == PictureFormat::kPng ? plot::kDefaultPngDpi : plot::kScreenDpi;
  const int dpi = raster && o.dpi > 0 ? o.dpi : (raster ? default_dpi : plot::kScreenDpi);
  if (long{options.width} * dpi / plot::kScreenDpi > kPlotPixelLimit ||
      long{options.height} * dpi / plot::kScreenDpi > kPlotPixelLimit)
    return Usage();
  if (!kMeasurementTypes[o.radio_item].has_chart)
    return Fail(o.file + ": " + std::string(kRadioName[o.radio_item]) +
                " records have no chart: nothing to plot");
  Session session;
  if (int rc = Prepare(o, session, true)) return rc;
  if (o.choice_given) session.ComboChanged(o.choice);
  const FileResult r = plot::WritePlot(session.chart(), options, path);
  return r.ok ? 0 : Fail(r.message);
#else
  return Fail("plot: this corvel-cli was built without the viewer (Qt), so it cannot draw charts");
#endif
}

const char* RefusalText(SaveRefusal r) {
  switch (r) {
    case SaveRefusal::kNoLiveRecord:
      return "the file holds no live record: nothing to save";
    case SaveRefusal::kEmptyList:
      return "the record list of this type is empty: nothing to save";
    case SaveRefusal::kNothingSelected:
      return "no record is selected: nothing to save";
    case SaveRefusal::kNone:
      break;
  }
  return "";
}

// The fit table of the selected rapid light curves, as the window saves it beside the table.
static_assert(kFitChoiceCount == kFitModelNameCount, "--model names follow FitChoice");

int Fit(Options o) {
  o.radio_item = ItemIndex(RadioItem::kRlc);
  Session session;
  if (int rc = Prepare(o, session, false)) return rc;
  session.SetFitChoice(static_cast<FitChoice>(o.fit_model));
  const std::vector<FitRow>& rows = session.FitRows();
  return Emit(o, "csv",
              [&](ByteSink& sink) { return WriteFitRows(rows, session.fit_choice(), sink); });
}

const char* GroupProblemText(GroupProblem problem) {
  switch (problem) {
    case GroupProblem::kEmptyName:
      return "a group needs a name";
    case GroupProblem::kDuplicateName:
      return "two groups have the same name";
    case GroupProblem::kNoRecord:
      return "a group has no record";
    case GroupProblem::kOutsideList:
      return "a selection lies outside the list";
    case GroupProblem::kOverlap:
      return "a record is in two groups";
    case GroupProblem::kNone:
      break;
  }
  return "";
}

// The groups' statistics against the control, or with --curves the OJIP difference kinetics.
int CompareCommand(const Options& o) {
  if (o.curves && o.radio_item != 0) {
    std::fputs("corvel-cli: --curves: only OJIP records have difference kinetics\n", stderr);
    return Usage();
  }
  if (!HasTableParameters(o.radio_item))
    return Fail(o.file + ": " + std::string(kRadioName[o.radio_item]) +
                " records have no parameter table: nothing to compare");
  Session session;
  const FileResult loaded = session.Open(o.file);
  if (!loaded.ok) return Fail(loaded.message);
  if (o.radio_item != session.radio_item()) session.SwitchType(o.radio_item);
  const int count = session.list().count;
  std::vector<RecordGroup> groups;
  for (const auto& [name, selection] : o.groups) {
    auto positions = ParseSelection(selection, count);
    if (!positions) {
      std::fprintf(stderr, "corvel-cli: --group %s=%s: not a selection of the %d records\n",
                   name.c_str(), selection.c_str(), count);
      return Usage();
    }
    std::sort(positions->begin(), positions->end());
    positions->erase(std::unique(positions->begin(), positions->end()), positions->end());
    groups.push_back({name, std::move(*positions)});
  }
  if (groups.empty()) groups = ProposeGroups(session.image(), session.list());
  if (groups.empty())
    return Fail(o.file + ": the record list of this type is empty: nothing to compare");
  if (const GroupCheck check = CheckGroups(groups, count); check.problem != GroupProblem::kNone) {
    std::fprintf(stderr, "corvel-cli: --group %s: %s\n",
                 groups[static_cast<size_t>(check.group)].name.c_str(),
                 GroupProblemText(check.problem));
    return Usage();
  }
  int control = 0;
  if (o.control) {
    control = -1;
    for (size_t g = 0; g < groups.size(); ++g)
      if (groups[g].name == *o.control) control = static_cast<int>(g);
    if (control < 0) {
      std::fprintf(stderr, "corvel-cli: --control %s: no group of that name\n", o.control->c_str());
      return Usage();
    }
  }
  Comparison comparison;
  const GridSource source{session.image(), session.list(), session.results()};
  if (Compare(source, o.radio_item, groups, control, o.curves, comparison) != CompareStatus::kOk)
    return Fail(o.file + ": nothing to compare");
  return Emit(o, "csv", [&](ByteSink& sink) {
    return o.curves ? WriteCompareCurvesCsv(comparison, sink) : WriteCompareCsv(comparison, sink);
  });
}

int Save(const Options& o, SaveMode mode, const char* extension) {
  if (!o.output) return Usage();
  Session session;
  if (int rc = Prepare(o, session, true)) return rc;
  const SaveRefusal refusal = session.CheckSave(mode);
  // The refusal names the input file, as a batch over many files needs.
  if (refusal != SaveRefusal::kNone) return Fail(o.file + ": " + RefusalText(refusal));
  const SaveOutcome outcome = session.SaveData(mode, WithDefaultExtension(*o.output, extension));
  return outcome.write.ok ? 0 : Fail(outcome.write.message);
}

int Synth(const Options& o) {
  if (!o.output) return Usage();
  const std::string& kind = o.file;
  auto save = [](const std::string& path, const synth::Bytes& bytes) {
    return WriteFileAtomically(
        path, [&](ByteSink& sink) { return sink.Write(bytes.data(), bytes.size()); });
  };
  FileResult r;
  if (kind == "demo") {
    r = save(*o.output, synth::MakeDemoFile(o.seed));
  } else if (kind == "capacity") {
    if (!o.type_given) return Usage();
    r = save(*o.output, synth::MakeCapacityFile(o.radio_item, o.seed));
  } else if (kind == "lightcurves") {
    r = save(*o.output, synth::MakeLightCurveFile(o.seed));
  } else if (kind == "edge") {
    for (const auto& [name, bytes] : synth::MakeEdgeFiles()) {
      r = save(*o.output + "/" + name, bytes);
      if (!r.ok) break;
    }
  } else {
    return Usage();
  }
  return r.ok ? 0 : Fail(r.message);
}

int Run(int argc, char** argv) {
  // A save stopped by Ctrl+C or a kill leaves no temporary file beside its target.
  RemoveTemporaryFilesOnTerminationSignals();
  auto options = ParseOptions(argc, argv);
  if (!options) return Usage();
  const Options& o = *options;
  const std::string& c = o.command;
  if (c != "synth" && o.output && IsBadOutputName(*o.output)) {
    std::fprintf(stderr, "corvel-cli: -o \"%s\" does not name a file\n", o.output->c_str());
    return Usage();
  }
  if (c == "info") return Info(o);
  if (c == "list") return List(o);
  if (c == "table") return Table(o);
  if (c == "listing") return Listing(o);
  if (c == "chart") return Chart(o);
  if (c == "plot") return Plot(o);
  if (c == "export") return Save(o, SaveMode::kSelectedAsCsv, "csv");
  if (c == "save") {
    const std::optional<SaveMode> mode = SaveModeAt(o.mode);
    return mode ? Save(o, *mode, "bin") : Usage();
  }
  if (c == "synth") return Synth(o);
  if (c == "fit") return Fit(o);
  if (c == "params") return Params(o);
  if (c == "compare") return CompareCommand(o);
  return Usage();
}

}  // namespace
}  // namespace corvel::cli

#ifdef _WIN32
// The arguments as UTF-8, whatever the console's code page; the outputs byte for byte as on Linux
// (no LF to CR LF translation on standard output and standard error).
int main() {
  int argc = 0;
  wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  if (!wide) {
    std::fputs("corvel-cli: cannot read the command line\n", stderr);
    return 1;
  }
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<size_t>(argc));
  for (int i = 0; i < argc; ++i) arguments.push_back(corvel::Utf8FromWide(wide[i]));
  ::LocalFree(wide);
  std::vector<char*> argv;
  for (std::string& a : arguments) argv.push_back(a.data());
  argv.push_back(nullptr);
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  return corvel::cli::Run(argc, argv.data());
}
#else
int main(int argc, char** argv) {
  return corvel::cli::Run(argc, argv);
}
#endif
