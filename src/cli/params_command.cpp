#include "cli/params_command.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "export/export_names.h"
#include "export/file_writer.h"
#include "params/tidy_params.h"
#include "records/measurement_type.h"
#include "records/record_list.h"
#include "viewer/session.h"

namespace corvel::cli {

namespace {

void Report(const std::string& file, const std::string& why) {
  std::fprintf(stderr, "corvel-cli: %s: %s\n", file.c_str(), why.c_str());
}

// What the file does not let the viewer show, as a failure of that file; false when nothing.
bool ReportShortfall(const std::string& file, const Session& session) {
  bool failed = false;
  if (session.image().cut_at_capacity) {
    Report(file,
           "longer than the 64-byte header plus the 16 MiB record area; the rest was not read");
    failed = true;
  }
  const ChainEnd& end = session.chain_end();
  if (end.offset < session.image().loaded_bytes) {
    Report(file, "the record chain ends at record area offset " + std::to_string(end.offset) +
                     (end.damaged ? " (damaged record length)" : " (no record magic)") +
                     "; the records after it are not included");
    failed = true;
  }
  return failed;
}

}  // namespace

int Params(const Options& o) {
  std::vector<int> items;
  if (o.all_types) {
    for (int item = 0; item < kTypeCount; ++item)
      if (item != 8) items.push_back(item);  // user-defined programs have no parameters
  } else {
    items.push_back(o.radio_item);
  }
  // A selection that is malformed for any list is a usage error before any file is read.
  if (o.select != "all" && o.select != "none" && !ParseSelection(o.select, kListLimit)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const TidyFormat format = o.format == "wide"   ? TidyFormat::kWide
                            : o.format == "json" ? TidyFormat::kJson
                                                 : TidyFormat::kLong;

  auto session = std::make_unique<Session>();
  TidyRecord record;
  bool failed = false;
  const auto produce = [&](ByteSink& sink) {
    TidyWriter writer(format, items, sink);
    writer.Begin();
    for (const std::string& file : o.files) {
      const FileResult loaded = session->Open(file);
      if (!loaded.ok) {
        std::fprintf(stderr, "corvel-cli: %s\n", loaded.message.c_str());
        failed = true;
        continue;
      }
      if (ReportShortfall(file, *session)) failed = true;
      for (const int item : items) {
        session->SwitchType(item);
        const RecordList& list = session->list();
        if (session->last_build().truncated) {
          Report(file, std::string(kRadioName[item]) +
                           " has more records than the list holds; "
                           "only the first " +
                           std::to_string(kListLimit) + " are included");
          failed = true;
        }
        auto positions = ParseSelection(o.select, list.count);
        if (!positions) {
          // With every type, a position a list does not have is passed over; with one type the
          // selection must fit the file's list.
          if (!o.all_types) {
            Report(file, "the selection " + o.select + " lies outside the " +
                             std::to_string(list.count) + " " + std::string(kRadioName[item]) +
                             " records");
            failed = true;
            continue;
          }
          positions.emplace();
          const auto all = ParseSelection(o.select, kListLimit);
          for (const int p : *all)
            if (p < list.count) positions->push_back(p);
        }
        const GridSource src{session->image(), list, session->results()};
        for (const int p : *positions) {
          TidyRecordAt(item, src, p, record);
          writer.Add(file, record);
        }
      }
    }
    writer.End();
    return true;
  };

  if (!o.output) {
    StdioSink out(stdout);
    produce(out);
    if (std::fflush(stdout) != 0) {
      std::fputs("corvel-cli: cannot write to standard output\n", stderr);
      return 1;
    }
  } else {
    const std::string path =
        WithDefaultExtension(*o.output, format == TidyFormat::kJson ? "json" : "csv");
    const FileResult written = WriteFileAtomically(path, produce);
    if (!written.ok) {
      std::fprintf(stderr, "corvel-cli: %s\n", written.message.c_str());
      return 1;
    }
  }
  return failed ? 1 : 0;
}

}  // namespace corvel::cli
