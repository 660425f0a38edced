#include "viewer/compare_view.h"

#include <algorithm>

#include "analysis/table_params.h"
#include "records/measurement_type.h"

namespace corvel {

bool CompareView::has_curves() const {
  return session_.radio_item() == ItemIndex(RadioItem::kOjip);
}

void CompareView::Refresh() {
  status_ = session_.Compare(has_curves(), comparison_);
  const int item = session_.radio_item();
  if (item != radar_item_) {
    // Another type has other parameters: its default set until the user chooses.
    radar_item_ = item;
    radar_chosen_ = false;
  }
  if (!radar_chosen_ && status_ == CompareStatus::kOk)
    radar_parameters_ = DefaultRadarParameters(comparison_);
  PlotCompareCurves(comparison_, curve_, curve_plot_);
  PlotRadar(comparison_, radar_parameters_, radar_plot_);
}

GroupEdit CompareView::Edited() {
  Refresh();
  return GroupEdit::kDone;
}

GroupEdit CompareView::MakeGroup(const std::string& name) {
  if (!HasTableParameters(session_.radio_item())) return GroupEdit::kNoParameters;
  if (session_.list().selected_count == 0) return GroupEdit::kNothingSelected;
  SessionGroups& groups = session_.groups();
  const std::string chosen = name.empty() ? groups.UnusedName() : name;
  for (const RecordGroup& g : groups.groups())
    if (g.name == chosen) return GroupEdit::kNameTaken;
  groups.MakeFromSelection(session_.list(), chosen);
  return Edited();
}

GroupEdit CompareView::Rename(int group, const std::string& name) {
  SessionGroups& groups = session_.groups();
  if (group < 0 || group >= static_cast<int>(groups.groups().size()))
    return GroupEdit::kNoSuchGroup;
  if (name.empty()) return GroupEdit::kEmptyName;
  if (!groups.Rename(group, name)) return GroupEdit::kNameTaken;
  return Edited();
}

GroupEdit CompareView::Remove(int group) {
  SessionGroups& groups = session_.groups();
  if (group < 0 || group >= static_cast<int>(groups.groups().size()))
    return GroupEdit::kNoSuchGroup;
  groups.Remove(group);
  return Edited();
}

GroupEdit CompareView::Propose() {
  if (!HasTableParameters(session_.radio_item())) return GroupEdit::kNoParameters;
  if (session_.list().count == 0) return GroupEdit::kEmptyList;
  session_.groups().Propose(session_.image(), session_.list());
  return Edited();
}

GroupEdit CompareView::SetControl(int group) {
  if (!session_.groups().SetControl(group)) return GroupEdit::kNoSuchGroup;
  return Edited();
}

void CompareView::SetCurve(CompareCurve curve) {
  curve_ = curve;
  PlotCompareCurves(comparison_, curve_, curve_plot_);
}

void CompareView::SetRadarParameter(const std::string& name, bool shown) {
  const auto at = std::find(radar_parameters_.begin(), radar_parameters_.end(), name);
  if (shown == (at != radar_parameters_.end())) return;
  radar_chosen_ = true;
  if (!shown) {
    radar_parameters_.erase(at);
  } else {
    // The axes keep the table's column order.
    std::vector<std::string> ordered;
    for (const std::string& p : comparison_.parameters)
      if (p == name || std::find(radar_parameters_.begin(), radar_parameters_.end(), p) !=
                           radar_parameters_.end())
        ordered.push_back(p);
    radar_parameters_ = std::move(ordered);
  }
  PlotRadar(comparison_, radar_parameters_, radar_plot_);
}

std::string CompareView::PositionsText(int group) const {
  const std::vector<RecordGroup>& groups = session_.groups().groups();
  if (group < 0 || group >= static_cast<int>(groups.size())) return {};
  const std::vector<int>& p = groups[static_cast<size_t>(group)].positions;
  std::string text;
  for (size_t i = 0; i < p.size();) {
    size_t last = i;
    while (last + 1 < p.size() && p[last + 1] == p[last] + 1) ++last;
    if (!text.empty()) text += ',';
    text += std::to_string(p[i] + 1);
    if (last > i) text += '-' + std::to_string(p[last] + 1);
    i = last + 1;
  }
  return text;
}

SaveDialogSetup CompareView::SaveSummaryDialog() {
  return {"存储比较汇总", "FLCompare_", "*.csv", "csv"};
}

FileResult CompareView::SaveSummary(const std::string& path) const {
  return session_.SaveComparison(path);
}

}  // namespace corvel
