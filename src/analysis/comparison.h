// The comparison of treatments for the current type and record list: every group's statistics
// of every table parameter against the control group and, for OJIP, the groups' mean curves and
// their difference kinetics with the K- and L-bands.
#pragma once

#include <string>
#include <vector>

#include "analysis/group_stats.h"
#include "analysis/groups.h"
#include "analysis/ojip_curves.h"
#include "params/fill_grid.h"

namespace corvel {

enum class CompareStatus {
  kOk,
  kNoParameters,  // the type's table has no numeric parameter columns
  kBadGroups,     // see Comparison::check
  kNoGroups,
  kBadControl,
};

struct Comparison {
  int radio_item = 0;
  std::vector<std::string> groups;  // names, in the order given
  int control = 0;
  std::vector<int> keys;                // parameter keys (see table_params.h) in column order
  std::vector<std::string> parameters;  // their names
  std::vector<GroupStat> stats;         // group-major: stats[g * parameters.size() + k]
  std::vector<GroupCurves> curves;      // OJIP with curves: one per group, else empty
  GroupCheck check;

  const GroupStat& stat(int group, int parameter) const {
    return stats[static_cast<size_t>(group) * parameters.size() + static_cast<size_t>(parameter)];
  }
  // The index of a parameter by name, -1 when the comparison has none of that name.
  int ParameterIndex(const std::string& name) const;
};

// Computes the comparison of `groups` against groups[control] for the type of radio item
// `radio_item` from its result tables (and, for OJIP with `with_curves`, the traces). The
// parameters are those columns that at least one grouped record has a value of. The control's
// own row has ratio 1 (empty when its mean is 0) and no p-value.
CompareStatus Compare(const GridSource& src, int radio_item, const std::vector<RecordGroup>& groups,
                      int control, bool with_curves, Comparison& out);

}  // namespace corvel
