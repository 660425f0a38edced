// The rules of the comparison page: the group editor's actions on the session's groups, the
// comparison they give (the same routine corvel-cli compare runs), the curve choice and the
// radar's parameters, and what the page draws. The page's widgets only ask and show.
#pragma once

#include <string>
#include <vector>

#include "analysis/compare_plot.h"
#include "analysis/comparison.h"
#include "viewer/session.h"

namespace corvel {

// What a group editor action did, or why it did nothing.
enum class GroupEdit {
  kDone,
  kNoParameters,     // the type has no parameter table: nothing to compare
  kEmptyList,        // the proposal over an empty list
  kNothingSelected,  // a group from the selection with nothing selected
  kEmptyName,
  kNameTaken,
  kNoSuchGroup,
};

class CompareView {
 public:
  explicit CompareView(Session& session) : session_(session) {}

  // Recomputes the comparison and the drawings from the session: after an open, a type switch,
  // a delete and every change of the groups (the actions below call it themselves).
  void Refresh();

  // A group of the selected records; an empty name takes the first unused "组N".
  GroupEdit MakeGroup(const std::string& name);
  GroupEdit Rename(int group, const std::string& name);
  GroupEdit Remove(int group);
  // The default proposal: records whose names share the name without its trailing digits.
  GroupEdit Propose();
  GroupEdit SetControl(int group);

  // Whether the type has difference kinetics to draw (OJIP).
  bool has_curves() const;
  CompareCurve curve() const { return curve_; }
  void SetCurve(CompareCurve curve);
  // The radar's parameters, as chosen or the type's default; `shown` adds or removes one.
  const std::vector<std::string>& radar_parameters() const { return radar_parameters_; }
  void SetRadarParameter(const std::string& name, bool shown);

  CompareStatus status() const { return status_; }
  const Comparison& comparison() const { return comparison_; }
  const CompareCurvePlot& curve_plot() const { return curve_plot_; }
  const RadarPlot& radar_plot() const { return radar_plot_; }

  // The group's records as 1-based list positions with ranges, as --select takes them: "1-3,5".
  std::string PositionsText(int group) const;

  // The summary's save dialog and the save itself: the bytes corvel-cli compare writes.
  static SaveDialogSetup SaveSummaryDialog();
  FileResult SaveSummary(const std::string& path) const;

 private:
  GroupEdit Edited();

  Session& session_;
  Comparison comparison_;
  CompareStatus status_ = CompareStatus::kNoGroups;
  CompareCurve curve_ = CompareCurve::kDV;
  int radar_item_ = -1;  // the type the radar's parameters belong to
  bool radar_chosen_ = false;
  std::vector<std::string> radar_parameters_;
  CompareCurvePlot curve_plot_;
  RadarPlot radar_plot_;
};

}  // namespace corvel
