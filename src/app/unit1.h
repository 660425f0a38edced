// The main window TForm1. Its handlers only ask the user, hand the answer to the session and show
// what changed: the record list, the table, the info box, the protocol picture, the check boxes
// and the chart. The rules themselves live in corvel::Session.
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "prompter.h"
#include "records/measurement_type.h"
#include "viewer/session.h"

class ChartView;
class ComparePage;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QItemSelection;
class QLabel;
class QMenu;
class QSplitter;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableView;
class TForm2;

namespace corvel::app {
class FitTableModel;
class GridModel;
class Prompter;
class RecordListModel;
class Settings;
class RecordListView;
}  // namespace corvel::app

class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  // Asks through `prompter` (not owned), or through the real dialogs when it is null.
  explicit TForm1(corvel::app::Prompter* prompter = nullptr, QWidget* parent = nullptr);
  ~TForm1() override;

  corvel::Session& session() { return *session_; }
  corvel::app::Prompter& prompter() { return *prompter_; }
  // The save-mode dialog that "另存为" shows.
  void SetSaveModeDialog(TForm2* form2) { form2_ = form2; }

  // Remembers places, recent files, geometry, splitters and the last type in `settings` (not
  // owned; null remembers nothing). Restores what it holds; call before the first show.
  void UseSettings(corvel::app::Settings* settings);
  corvel::app::Settings* settings() const { return settings_; }

  // Opens a file named outside the open dialog (command line, drop), asking first while
  // deletions are unsaved. False when the user refused or the file could not be read.
  bool OpenFile(const QString& path);

  // The recent-files menu of the open button (its context menu and Ctrl+Shift+O), rebuilt from
  // the settings; entries whose file no longer exists are removed and the status bar says so.
  QMenu* RecentMenu();
  void ShowRecentMenu();

  // Asks for a save file name, starting in the folder remembered for `place` and remembering
  // the folder chosen.
  QString AskSaveFileName(QWidget* parent, const corvel::app::SaveSetup& setup,
                          const QString& place);

  // The handlers, also what the buttons, the radio group and the list run.
  void BtnOpenClick();
  void BtnExitClick();
  void RdGrpMTypeClick();
  void LBoxFNClick();
  void BtnSelAllClick();
  void BtnDeSelClick();
  void BtnDelClick();
  void BtnSaveSelectClick();
  void BtnSaveGridClick();
  void BtnSavePicClick();
  // The chart's context menu item: the shown curves as CSV.
  void SaveCurveDataClick();
  // A record's check box on the curve page was clicked: the curve is shown or hidden.
  void PicChkBoxFNClk(int slot, bool checked);
  // The curve-choice combo changed: the pulse kinetics or light curve chart is redrawn.
  void CbBoxSKChange(int index);
  // The light-curve model choice (item 0 auto, then the four models).
  void CbBoxFitChange(int index);

  int RdGrpMTypeItemIndex() const;

  // Why a save did nothing, for the status bar; ShowStatus puts a text there.
  static QString SaveRefusalText(corvel::SaveRefusal refusal);
  void ShowStatus(const QString& text);

  // The controls, under the names they carry as object names too.
  QPushButton* BtnOpen;
  QPushButton* BtnExit;
  QGroupBox* RdGrpMType;
  QRadioButton* RdGrpMTypeItems[corvel::kTypeCount];
  corvel::app::RecordListView* LBoxFN;
  QPushButton* BtnSelAll;
  QPushButton* BtnDeSel;
  QPushButton* BtnDel;
  QPushButton* BtnSaveSelect;
  QTabWidget* PageCtrl;
  QWidget* TabSheet1;
  QPlainTextEdit* RichEditInfo;
  QPushButton* BtnSaveGrid;
  QSplitter* SplitterTable;  // the info box and pictures above, the table below
  QTableView* StrGridDat;
  QLabel* Image[8];  // Image1 .. Image8
  QWidget* TabSheet2;
  ChartView* Chart1;
  QGroupBox* GroupBox1;
  QCheckBox* CBoxFN[10];  // CBoxFN1 .. CBoxFN10
  QPushButton* BtnSavePic;
  QComboBox* CbBoxSK;
  QLabel* LblFit;
  QComboBox* CbBoxFit;
  QWidget* TabSheet3;  // the light-curve fits of the selected rapid light curves
  QTableView* StrGridFit;
  ComparePage* ComparePage1;  // the comparison of treatments

 protected:
  void showEvent(QShowEvent* event) override;    // FormShow
  void closeEvent(QCloseEvent* event) override;  // FormClose
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildRightColumn(QWidget* column);
  void BuildTablePage();
  void BuildCurvePage();
  void BuildFitPage();
  // Shows the fit table when its page is in front (the fits are computed only for it).
  void ShowFits();
  void Connect();

  void FormShow();
  bool ConfirmLeave();
  bool ConfirmOpenOther();
  bool OpenPath(const QString& path);
  // Shows the list, picture, info box and chart after the session switched type or reloaded.
  void ShowTypeSwitch();
  void ShowListClick();
  void BeginGridChange();
  void EndGridChange();
  void ShowChart();
  void ShowNotice();
  // Makes the view's selection the session's, without running the list click.
  void SyncListSelection();
  void ListSelectionChanged(const QItemSelection& selected, const QItemSelection& deselected);
  void SetInfoText(const std::string& gbk);
  void InfoTextEdited();
  void CopyGridSelection();
  void RestoreSettings();
  void StoreSettings();
  void ChooseLanguage(const QString& code);

  std::unique_ptr<corvel::Session> session_;
  std::unique_ptr<corvel::app::Prompter> own_prompter_;
  corvel::app::Prompter* prompter_;
  TForm2* form2_ = nullptr;
  QButtonGroup* type_group_;
  corvel::app::RecordListModel* list_model_;
  corvel::app::GridModel* grid_model_;
  corvel::app::FitTableModel* fit_model_ = nullptr;
  QLabel* file_label_;
  corvel::app::Settings* settings_ = nullptr;
  QMenu* recent_menu_ = nullptr;
  int pending_type_ = -1;  // the remembered type, shown by the first open of the run
  std::vector<int> column_widths_;
  bool shown_ = false;
  bool leaving_ = false;  // the exit button has already asked
  bool syncing_ = false;  // the window itself changes the list or the boxes
  bool setting_info_ = false;
};
