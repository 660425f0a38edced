// The command line: COMMAND FILE [options].
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvel::cli {

struct Options {
  std::string command;
  std::string file;  // the measurement file, or the synthetic kind for synth
  int radio_item = 0;
  bool type_given = false;
  std::string select = "all";
  std::optional<std::string> output;
  int mode = -1;
  int choice = -1;
  bool choice_given = false;
  unsigned seed = 1;
  int fit_model = 0;  // index into kFitModelNames
  bool csv = false;   // chart: the shown curves as CSV instead of the chart state
  int width = 0;      // plot: the chart's size in pixels at 96 dots per inch (0: the default)
  int height = 0;
  int dpi = 0;  // plot: BMP and PNG resolution (0: the format's default)
  // params: every measurement file named, --type all, and --format long|wide|json.
  std::vector<std::string> files;
  bool all_types = false;
  std::string format = "long";
  // compare: --group NAME=SEL in the order given, --control NAME, --curves.
  std::vector<std::pair<std::string, std::string>> groups;
  std::optional<std::string> control;
  bool curves = false;
};

// "WxH" with both sides in 64..8192; nothing otherwise.
std::optional<std::pair<int, int>> ParseSize(const std::string& text);

// The light-curve fit choices of --model, in the order of corvel::FitChoice.
inline constexpr int kFitModelNameCount = 5;
inline constexpr const char* kFitModelNames[kFitModelNameCount] = {"auto", "webb", "jassby-platt",
                                                                   "platt", "eilers-peeters"};

// Parses argv; returns nothing on a bad option, an unknown type or a missing argument.
std::optional<Options> ParseOptions(int argc, char** argv);

// Positions (0-based) of a selection "all", "none" or "1,3,5-9" in a list of `count` entries;
// nothing when a position lies outside 1..count or the text is malformed.
std::optional<std::vector<int>> ParseSelection(const std::string& text, int count);

extern const char kUsage[];

}  // namespace corvel::cli
