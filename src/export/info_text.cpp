#include "export/info_text.h"

namespace corvel {

bool WriteInfoText(std::string_view text, ByteSink& out) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!out.Write(line) || !out.Write("\r\n", 2)) return false;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return true;
}

}  // namespace corvel
