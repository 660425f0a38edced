// The comparison page "比  较": the group editor (a group from the selected records, rename in
// place, delete, the default proposal, the control), the summary table of every parameter
// (group, parameter, n, mean, SD, SE, ratio, p) with its CSV save, and the charts: for OJIP the
// groups' curves with their SD bands, and the radar of the ratios to the control. The rules are
// corvel::CompareView's; the page asks, hands on and shows.
#pragma once

#include <QWidget>
#include <memory>

#include "viewer/compare_view.h"

class CompareCurveChart;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSplitter;
class QTableView;
class QTableWidget;
class RadarChart;
class TForm1;

namespace corvel::app {
class CompareSummaryModel;
}

class ComparePage : public QWidget {
  Q_OBJECT

 public:
  explicit ComparePage(TForm1* form, QWidget* parent = nullptr);
  ~ComparePage() override;

  // Shows the session's groups and their comparison again: after an open, a type switch and a
  // delete (which clear the groups).
  void Refresh();

  corvel::CompareView& view() { return *view_; }

  // The handlers, also what the buttons and boxes run.
  void BtnMakeGroupClick();
  void BtnProposeClick();
  void BtnRemoveGroupClick();
  void CbBoxControlChange(int index);
  void CbBoxCurveChange(int index);
  void BtnSaveSummaryClick();
  void BtnSaveCurvePicClick();
  void BtnSaveRadarPicClick();

  // Why a group editor action did nothing, for the status bar.
  static QString EditRefusalText(corvel::GroupEdit edit);

  QLineEdit* EditGroupName;
  QPushButton* BtnMakeGroup;
  QPushButton* BtnPropose;
  QPushButton* BtnRemoveGroup;
  QTableWidget* GroupTable;  // name (edited in place), records, positions
  QComboBox* CbBoxControl;
  QTableView* SummaryTable;
  QPushButton* BtnSaveSummary;
  QLabel* LblCompareNote;
  QComboBox* CbBoxCurve;
  QPushButton* BtnSaveCurvePic;
  CompareCurveChart* CurveChart;
  QListWidget* RadarParams;  // the parameters of the radar, checked
  QPushButton* BtnSaveRadarPic;
  RadarChart* Radar;
  QSplitter* SplitterCompare;

 private:
  void ShowGroups();
  void ShowCharts();
  void GroupRenamed(int row, int column);
  void RadarParamChanged();
  void SavePicture(bool radar);

  TForm1* form_;
  std::unique_ptr<corvel::CompareView> view_;
  corvel::app::CompareSummaryModel* summary_;
  QWidget* curve_panel_;
  bool showing_ = false;  // the page itself fills the boxes
};
