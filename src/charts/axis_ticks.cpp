#include "charts/axis_ticks.h"

#include <algorithm>
#include <cmath>

namespace corvel {

namespace {

bool IsNumberChar(char c) {
  return c == '#' || c == '0' || c == ',' || c == '.';
}

void AppendLiteral(std::string& out, std::string_view text) {
  for (const char c : text) {
    if (c == '%') out += '%';
    out += c;
  }
}

}  // namespace

LabelFormat LabelPrintf(std::string_view pattern) {
  size_t first = 0;
  while (first < pattern.size() && !IsNumberChar(pattern[first])) ++first;
  size_t last = first;
  while (last < pattern.size() && IsNumberChar(pattern[last])) ++last;
  const std::string_view number = pattern.substr(first, last - first);
  int required = 0, optional = 0;
  const size_t point = number.find('.');
  if (point != std::string_view::npos)
    for (const char c : number.substr(point + 1)) (c == '0' ? required : optional)++;
  LabelFormat format;
  AppendLiteral(format.printf, pattern.substr(0, first));
  format.printf += '%';
  if (number.find(',') != std::string_view::npos) format.printf += '\'';
  if (optional > 0) {
    format.printf += 'g';
    format.decimals = required + optional;
  } else {
    format.printf += '.' + std::to_string(required) + 'f';
    format.decimals = required;
  }
  AppendLiteral(format.printf, pattern.substr(last));
  return format;
}

double NiceStep(double span, int ticks, bool whole) {
  if (!(span > 0) || ticks < 1) return 1;
  const double raw = span / ticks;
  const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
  double step = 10 * magnitude;
  for (const double m : {1.0, 2.0, 5.0})
    if (m * magnitude >= raw) {
      step = m * magnitude;
      break;
    }
  return whole ? std::max(step, 1.0) : step;
}

}  // namespace corvel
