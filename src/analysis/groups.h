// Groups of records for a comparison of treatments: a named set of list positions of the current
// type. A record belongs to at most one group.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "records/file_image.h"
#include "records/record_list.h"

namespace corvel {

struct RecordGroup {
  std::string name;            // UTF-8, as the user typed it or as the proposal made it
  std::vector<int> positions;  // 0-based list positions, ascending
};

enum class GroupProblem {
  kNone,
  kEmptyName,
  kDuplicateName,
  kNoRecord,     // a group without records
  kOutsideList,  // a position outside 0..count-1
  kOverlap,      // a position in two groups
};

struct GroupCheck {
  GroupProblem problem = GroupProblem::kNone;
  int group = -1;     // the group at fault (the later one of two)
  int position = -1;  // the position at fault, for kOutsideList and kOverlap
};

// The first problem of `groups` over a list of `count` records, in group order.
GroupCheck CheckGroups(const std::vector<RecordGroup>& groups, int count);

// A record name without its trailing ASCII digits ("CK12" gives "CK").
std::string_view NameStem(std::string_view name);

// The default grouping: one group per name stem, in the order the stems first occur in the
// list, named by the stem (decoded from GBK). A name of digits only keeps its whole name; a
// record without a name goes to the group "-".
std::vector<RecordGroup> ProposeGroups(const FileImage& image, const RecordList& list);

}  // namespace corvel
