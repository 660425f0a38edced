#include "cli/options.h"

#include <charconv>
#include <cstring>

#include "records/measurement_type.h"

namespace corvel::cli {

const char kUsage[] =
    "usage: corvel-cli COMMAND FILE [options]\n"
    "  info FILE\n"
    "  list FILE [--type TYPE]\n"
    "  table FILE --type TYPE [--select SEL] [-o OUT]\n"
    "  listing FILE [--select SEL] [-o OUT]\n"
    "  export FILE --type TYPE [--select SEL] -o BASE\n"
    "  save FILE --mode 0|1|2 [--type TYPE] [--select SEL] -o OUT\n"
    "  chart FILE --type TYPE [--select SEL] [--choice N] [--csv] [-o OUT.json|OUT.csv]\n"
    "  plot FILE --type TYPE [--select SEL] [--choice N] [--size WxH] [--dpi N]\n"
    "       -o OUT.bmp|OUT.png|OUT.svg|OUT.pdf\n"
    "  synth demo|capacity|edge -o OUT [--type TYPE] [--seed N]\n"
    "  fit FILE [--select SEL] [--model auto|webb|jassby-platt|platt|eilers-peeters] [-o OUT.csv]\n"
    "  synth lightcurves -o OUT [--seed N]\n"
    "  params FILE... [--type TYPE|all] [--select SEL] [--format long|wide|json] [-o OUT]\n"
    "  compare FILE --type TYPE [--group NAME=SEL ...] [--control NAME] [--curves] [-o OUT.csv]\n"
    "TYPE: ojip slowkin rlc dr afterss pifr multiojip foprime user chlconc\n"
    "SEL: all (default), none, or 1-based positions and ranges such as 1,3,5-9\n";

namespace {

std::optional<int> Number(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<Options> ParseOptions(int argc, char** argv) {
  if (argc < 3) return std::nullopt;
  Options o;
  o.command = argv[1];
  o.file = argv[2];
  const bool params = o.command == "params";
  for (int i = params ? 2 : 3; i < argc; ++i) {
    const std::string flag = argv[i];
    // params takes any number of files before, between and after its options.
    if (params && (flag.empty() || flag[0] != '-')) {
      o.files.push_back(flag);
      continue;
    }
    if (flag == "--csv") {
      o.csv = true;
      continue;
    }
    if (flag == "--curves") {
      o.curves = true;
      continue;
    }
    if (i + 1 >= argc) return std::nullopt;
    const std::string value = argv[++i];
    if (params && flag == "--type" && value == "all") {
      o.all_types = true;
      o.type_given = true;
    } else if (params && flag == "--format") {
      if (value != "long" && value != "wide" && value != "json") return std::nullopt;
      o.format = value;
    } else if (flag == "--type") {
      auto item = RadioItemByName(value);
      if (!item) return std::nullopt;
      o.radio_item = *item;
      o.type_given = true;
    } else if (flag == "--group") {
      const size_t eq = value.find('=');
      if (eq == 0 || eq == std::string::npos) return std::nullopt;
      o.groups.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    } else if (flag == "--control") {
      o.control = value;
    } else if (flag == "--select") {
      o.select = value;
    } else if (flag == "-o") {
      o.output = value;
    } else if (flag == "--mode") {
      auto m = Number(value);
      if (!m || *m < 0 || *m > 2) return std::nullopt;
      o.mode = *m;
    } else if (flag == "--choice") {
      auto c = Number(value);
      if (!c || *c < -1 || *c > 7) return std::nullopt;
      o.choice = *c;
      o.choice_given = true;
    } else if (flag == "--model") {
      int m = 0;
      while (m < kFitModelNameCount && value != kFitModelNames[m]) ++m;
      if (m == kFitModelNameCount) return std::nullopt;
      o.fit_model = m;
    } else if (flag == "--size") {
      auto size = ParseSize(value);
      if (!size) return std::nullopt;
      o.width = size->first;
      o.height = size->second;
    } else if (flag == "--dpi") {
      auto d = Number(value);
      if (!d || *d < 24 || *d > 1200) return std::nullopt;
      o.dpi = *d;
    } else if (flag == "--seed") {
      auto s = Number(value);
      if (!s || *s < 0) return std::nullopt;
      o.seed = static_cast<unsigned>(*s);
    } else {
      return std::nullopt;
    }
  }
  if (params && o.files.empty()) return std::nullopt;
  if (params && !o.type_given) o.all_types = true;  // every type that has parameters
  return o;
}

std::optional<std::pair<int, int>> ParseSize(const std::string& text) {
  const size_t x = text.find_first_of("xX");
  if (x == std::string::npos) return std::nullopt;
  auto w = Number(text.substr(0, x));
  auto h = Number(text.substr(x + 1));
  if (!w || !h || *w < 64 || *w > 8192 || *h < 64 || *h > 8192) return std::nullopt;
  return std::make_pair(*w, *h);
}

std::optional<std::vector<int>> ParseSelection(const std::string& text, int count) {
  std::vector<int> positions;
  if (text == "all") {
    for (int i = 0; i < count; ++i) positions.push_back(i);
    return positions;
  }
  if (text == "none") return positions;
  size_t start = 0;
  while (start <= text.size()) {
    size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    const std::string item = text.substr(start, comma - start);
    const size_t dash = item.find('-');
    auto first = Number(dash == std::string::npos ? item : item.substr(0, dash));
    auto last = dash == std::string::npos ? first : Number(item.substr(dash + 1));
    if (!first || !last || *first < 1 || *last > count || *first > *last) return std::nullopt;
    for (int p = *first; p <= *last; ++p) positions.push_back(p - 1);
    start = comma + 1;
  }
  return positions;
}

}  // namespace corvel::cli
