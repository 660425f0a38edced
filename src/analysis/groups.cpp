#include "analysis/groups.h"

#include <algorithm>

#include "records/gbk_text.h"
#include "records/record.h"

namespace corvel {

GroupCheck CheckGroups(const std::vector<RecordGroup>& groups, int count) {
  std::vector<int> owner(static_cast<size_t>(count > 0 ? count : 0), -1);
  for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
    const RecordGroup& group = groups[static_cast<size_t>(g)];
    if (group.name.empty()) return {GroupProblem::kEmptyName, g, -1};
    for (int h = 0; h < g; ++h)
      if (groups[static_cast<size_t>(h)].name == group.name)
        return {GroupProblem::kDuplicateName, g, -1};
    if (group.positions.empty()) return {GroupProblem::kNoRecord, g, -1};
    for (const int p : group.positions) {
      if (p < 0 || p >= count) return {GroupProblem::kOutsideList, g, p};
      int& o = owner[static_cast<size_t>(p)];
      if (o >= 0) return {GroupProblem::kOverlap, g, p};
      o = g;
    }
  }
  return {};
}

std::string_view NameStem(std::string_view name) {
  size_t end = name.size();
  while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9') --end;
  return name.substr(0, end);
}

std::vector<RecordGroup> ProposeGroups(const FileImage& image, const RecordList& list) {
  std::vector<RecordGroup> groups;
  std::vector<std::string> stems;  // GBK, parallel to groups
  char name[9];
  for (int p = 0; p < list.count; ++p) {
    const size_t length = Record(image, list.offset(p)).name(name);
    const std::string_view whole(name, length);
    std::string_view stem = NameStem(whole);
    if (stem.empty()) stem = whole;
    const auto found = std::find(stems.begin(), stems.end(), stem);
    if (found != stems.end()) {
      groups[static_cast<size_t>(found - stems.begin())].positions.push_back(p);
      continue;
    }
    stems.emplace_back(stem);
    groups.push_back({stem.empty() ? std::string("-") : GbkToUtf8(stem), {p}});
  }
  return groups;
}

}  // namespace corvel
