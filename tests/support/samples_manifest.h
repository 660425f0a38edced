// The sample measurement files (CORVEL_SAMPLES) and their manifest: one line per expected output,
// its file or folder, a tab, then the corvel-cli command that produces it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "records/record_list.h"

namespace corvel::testing {

struct ManifestCommand {
  std::string expected;           // file or folder, relative to the samples folder
  std::vector<std::string> args;  // the command's words: verb, file, options

  std::string Option(const std::string& name, const std::string& fallback) const {
    for (size_t i = 1; i + 1 < args.size(); ++i)
      if (args[i] == name) return args[i + 1];
    return fallback;
  }
};

// The samples folder, or empty when CORVEL_SAMPLES is not set or has no manifest.
inline std::filesystem::path SamplesDir() {
  const char* env = std::getenv("CORVEL_SAMPLES");
  if (env == nullptr ||
      !std::filesystem::is_regular_file(std::filesystem::path(env) / "manifest.tsv"))
    return {};
  return env;
}

// The manifest's commands of one verb ("table", "export", ...) that name a file.
inline std::vector<ManifestCommand> ReadManifest(const std::filesystem::path& dir,
                                                 const std::string& verb) {
  std::vector<ManifestCommand> lines;
  std::ifstream in(dir / "manifest.tsv");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos) continue;
    ManifestCommand c;
    c.expected = line.substr(0, tab);
    std::istringstream words(line.substr(tab + 1));
    for (std::string w; words >> w;) c.args.push_back(w);
    if (c.args.size() >= 2 && c.args[0] == verb) lines.push_back(c);
  }
  return lines;
}

inline std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Marks the list positions of a selection, as corvel-cli reads it: "all", "none" or 1-based
// positions and ranges separated by commas. False for a position outside the list.
inline bool SelectPositions(const std::string& sel, RecordList& list) {
  for (int i = 0; i < list.count; ++i) list.selected[i] = 0;
  list.selected_count = 0;
  if (sel == "none") return true;
  std::istringstream parts(sel);
  for (std::string part; std::getline(parts, part, ',');) {
    int first = 1, last = list.count;
    if (part != "all") {
      const size_t dash = part.find('-');
      first = std::atoi(part.substr(0, dash).c_str());
      last = dash == std::string::npos ? first : std::atoi(part.substr(dash + 1).c_str());
      if (first < 1 || last > list.count || first > last) return false;
    }
    for (int p = first; p <= last; ++p) list.selected[p - 1] = 1;
  }
  for (int i = 0; i < list.count; ++i) list.selected_count += list.selected[i] != 0;
  return true;
}

}  // namespace corvel::testing
