// The window's state and the rules of every handler: the loaded file, the current measurement type,
// the record list and its selection, the result tables, the parameter table, the info box text,
// the chart state and the flags that guard leaving. The desktop window and the command-line tool
// both drive this class, so they cannot disagree.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "analysis/comparison.h"
#include "charts/chart_state.h"
#include "export/file_writer.h"
#include "params/grid.h"
#include "params/result_tables.h"
#include "records/file_image.h"
#include "records/record_list.h"
#include "viewer/light_curve_fits.h"
#include "viewer/session_groups.h"

namespace corvel {

// What a save dialog is set up with before it is shown.
struct SaveDialogSetup {
  std::string title;
  std::string initial_name;
  std::string filter;             // the one pattern offered, such as "*.bin"
  std::string default_extension;  // without the dot
};

// The four items of the save-mode dialog. A type of its own: which records a list save writes
// is a RecordSelection, derived from the mode in one place (SaveData), never the mode number.
enum class SaveMode { kAllTypes = 0, kCurrentType = 1, kSelected = 2, kSelectedAsCsv = 3 };

// The mode of dialog item `item` (0..3), or nothing for any other number.
std::optional<SaveMode> SaveModeAt(int item);

// Why the save-mode dialog's save button did nothing.
enum class SaveRefusal { kNone, kNothingSelected, kEmptyList, kNoLiveRecord };

// What an opened file holds, for the window's status bar: records, or why there are none.
enum class FileContent { kRecords, kEmptyFile, kShortHeader, kNoRecord };

// What the chart after a list click leaves out of the selection: the record charts draw the
// first ten selected records, the charts of one record's traces the first selected record only.
enum class ChartLimit { kNone, kFirstTen, kFirstOnly };

struct SaveOutcome {
  FileResult write;          // ok with an empty message when nothing was refused or failed
  bool hide_dialog = false;  // the dialog closes after a successful save of records
};

class Session {
 public:
  Session();
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  // Opening. A file that cannot be opened or read leaves the loaded file, its list and its flags
  // as they were and returns the reason.
  FileResult Open(const std::string& path);
  // The same for the bytes of a measurement file held in memory, shown under the name `path`.
  FileResult Open(std::span<const uint8_t> bytes, const std::string& path);
  bool has_file() const { return has_file_; }
  const std::string& path() const { return path_; }

  // What the file opened last holds; for an empty or short file also how many bytes it had.
  FileContent file_content() const { return file_content_; }
  uint32_t file_bytes() const { return file_bytes_; }

  // Leaving or opening another file asks first while deletions are unsaved.
  bool HasUnsavedDeletions() const { return deleted_flag_ && !saved_flag_; }

  // The measurement type switch (radio item 0..9 in screen order). Like an open and a delete, it
  // resets the table to the type's title row with no record rows (rule D18).
  void SwitchType(int radio_item);
  int radio_item() const { return radio_item_; }
  uint8_t type_code() const;

  // The record list and its selection. SetSelected changes the selection only; the window calls
  // ListClick after every change of the selection, as the list box's click does.
  const RecordList& list() const { return *list_; }
  void SetSelected(int position, bool selected);
  void ListClick();
  bool SelectAll();    // false when the list is empty (nothing happens)
  bool DeselectAll();  // false when nothing was selected (nothing happens)
  bool CanDelete() const { return list_->selected_count > 0; }
  // What the current chart leaves out of the selection.
  ChartLimit chart_limit() const;
  // Writes the deletion marker over every selected record and switches type again. Call only
  // after the user confirmed.
  void DeleteSelected();

  // The save-mode dialog. SaveModeForDialog gives the dialog item the dialog is set to when the
  // save-as button is pressed, or -1 when it does nothing (no live record since the file was
  // opened).
  int SaveModeForDialog() const;
  // Whether the save button acts for `mode`; when it does, the file dialog's setup.
  SaveRefusal CheckSave(SaveMode mode) const;
  SaveDialogSetup SaveDataDialog(SaveMode mode, const std::string& today_yyyymmdd) const;
  // Saves with `mode` to the name the file dialog returned (default extension already added).
  SaveOutcome SaveData(SaveMode mode, const std::string& chosen_path);
  // The table save button.
  FileResult SaveGrid(const std::string& path) const;
  static SaveDialogSetup SaveGridDialog();
  static SaveDialogSetup SavePictureDialog();

  const FileImage& image() const { return *image_; }
  const ResultTables& results() const { return *results_; }
  const Grid& grid() const { return grid_; }
  const std::string& info_text() const { return info_text_; }
  void set_info_text(std::string text) { info_text_ = std::move(text); }

  ChartState& chart() { return *chart_; }
  const ChartState& chart() const { return *chart_; }
  // A record check box's checked state changed (by the user or by a drawing).
  void CheckBoxClicked(int slot, bool checked);
  // The curve-choice combo box picked item `index` (-1 for none).
  void ComboChanged(int index);

  // Light-curve fits of the rapid light curves. The choice (auto or one model) applies to the
  // fit table and to the fitted curves of the chart; changing it redraws them.
  FitChoice fit_choice() const { return fit_choice_; }
  void SetFitChoice(FitChoice choice);
  // The fit table of the selected rapid light curves, computed when first asked for after a
  // list click (empty for the other types).
  const std::vector<FitRow>& FitRows();
  // The fit table as CSV, written whole or not at all (rule D12).
  FileResult SaveFitTable(const std::string& path);

  // The groups of the comparison page; an open, a type switch and a delete clear them.
  SessionGroups& groups() { return groups_; }
  const SessionGroups& groups() const { return groups_; }
  // The comparison of the groups for the current type (with the OJIP curves when asked for).
  CompareStatus Compare(bool with_curves, Comparison& out) const;
  // The comparison's summary as CSV, written whole or not at all (rule D12).
  FileResult SaveComparison(const std::string& path) const;

  bool deleted_flag() const { return deleted_flag_; }
  bool saved_flag() const { return saved_flag_; }
  uint32_t record_tally() const { return record_tally_; }
  uint32_t ojip_fm_max() const { return ojip_fm_max_; }

  // What the file does not let the viewer show (cut file, damaged chain, list limit); empty when
  // there is nothing to say. For the window's status bar.
  std::string Notice() const;
  const ListBuild& last_build() const { return last_build_; }
  // Where the loaded file's record chain ends.
  const ChainEnd& chain_end() const { return chain_end_; }

 private:
  // Makes the staged image the loaded file named `path` and lists its first type.
  void Accept(const std::string& path);
  void RunChart();
  void RunFitCurves();

  std::unique_ptr<FileImage> image_;
  std::unique_ptr<FileImage> staging_;
  std::unique_ptr<RecordList> list_;
  std::unique_ptr<ResultTables> results_;
  std::unique_ptr<ChartState> chart_;
  Grid grid_;
  std::string info_text_;
  std::string path_;
  bool has_file_ = false;
  int radio_item_ = 0;
  bool deleted_flag_ = false;
  bool saved_flag_ = true;
  uint32_t record_tally_ = 0;
  uint32_t ojip_fm_max_ = 0;
  ListBuild last_build_;
  ChainEnd chain_end_;
  std::unique_ptr<LightCurveFits> fits_;
  FitChoice fit_choice_ = FitChoice::kAuto;
  std::vector<FitRow> fit_rows_;
  bool fit_rows_stale_ = true;
  SessionGroups groups_;
  FileContent file_content_ = FileContent::kRecords;
  uint32_t file_bytes_ = 0;
};

}  // namespace corvel
