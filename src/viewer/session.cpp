#include "viewer/session.h"

#include <cstdio>

#include "analysis/compare_csv.h"
#include "charts/draw.h"
#include "export/binary_save.h"
#include "export/csv_export.h"
#include "export/export_names.h"
#include "params/fill_grid.h"
#include "params/table_csv.h"
#include "records/cmd_decoder.h"
#include "records/measurement_type.h"
#include "records/record.h"

namespace corvel {

Session::Session()
    : image_(std::make_unique<FileImage>()),
      staging_(std::make_unique<FileImage>()),
      list_(std::make_unique<RecordList>()),
      results_(std::make_unique<ResultTables>()),
      chart_(std::make_unique<ChartState>()),
      fits_(std::make_unique<LightCurveFits>()) {
  grid_.Reset();
}

Session::~Session() = default;

uint8_t Session::type_code() const {
  return kRadioTypeCode[radio_item_];
}

FileResult Session::Open(const std::string& path) {
  // The file is read into the spare image so that a failed read leaves the loaded one untouched.
  FileResult result = LoadFileImage(path, *staging_);
  if (!result.ok) return result;
  Accept(path);
  return result;
}

FileResult Session::Open(std::span<const uint8_t> bytes, const std::string& path) {
  FileResult result = LoadFileImage(bytes, *staging_);
  Accept(path);
  return result;
}

void Session::Accept(const std::string& path) {
  std::swap(image_, staging_);
  has_file_ = true;
  path_ = path;
  chain_end_ = WalkRecords(*image_, [](uint32_t) { return true; });
  record_tally_ = 0;
  SwitchType(0);
  deleted_flag_ = false;
  saved_flag_ = true;
  file_bytes_ = image_->header_bytes + image_->loaded_bytes;
  if (file_bytes_ == 0)
    file_content_ = FileContent::kEmptyFile;
  else if (image_->header_bytes < kHeaderSize)
    file_content_ = FileContent::kShortHeader;
  else if (record_tally_ == 0)
    file_content_ = FileContent::kNoRecord;
  else
    file_content_ = FileContent::kRecords;
}

void Session::SwitchType(int radio_item) {
  if (TypeAt(radio_item) == nullptr) return;
  radio_item_ = radio_item;
  info_text_.clear();
  ResetForTypeSwitch(*chart_, radio_item_);
  const uint8_t code = type_code();
  last_build_ = FillFNtoListBox(*image_, code, *list_, record_tally_);
  CacuFNinListBox(*image_, code, *list_, *results_);
  groups_.Clear();
  fits_->Reset();
  fit_rows_.clear();
  fit_rows_stale_ = true;
  RunFitCurves();
  if (radio_item_ == 0) {
    ojip_fm_max_ = 0;
    for (int i = 0; i < list_->count; ++i)
      if (results_->ojip[i].Fm > ojip_fm_max_) ojip_fm_max_ = results_->ojip[i].Fm;
  }
  // Rule D18: the table never keeps rows of the list it was filled from. The new list has
  // nothing selected, so this leaves the type's title row as its list click would.
  const GridSource source{*image_, *list_, *results_};
  FillTableForRadio(radio_item_, source, grid_);
}

ChartLimit Session::chart_limit() const {
  switch (radio_item_) {
    case 0:  // OJIP
    case 1:  // pulse kinetics
    case 2:  // rapid light curve
    case 5:  // PIFR
      return list_->selected_count > kBoxCount ? ChartLimit::kFirstTen : ChartLimit::kNone;
    case 3:  // dark relaxation
    case 4:  // after steady state
    case 6:  // multi-light OJIP
    case 7:  // Fo'
      return list_->selected_count > 1 ? ChartLimit::kFirstOnly : ChartLimit::kNone;
    default:
      return ChartLimit::kNone;  // no chart
  }
}

void Session::SetSelected(int position, bool selected) {
  if (position < 0 || position >= list_->count) return;
  uint8_t& slot = list_->selected[position];
  if ((slot != 0) == selected) return;
  slot = selected ? 1 : 0;
  list_->selected_count += selected ? 1 : -1;
}

void Session::ListClick() {
  const GridSource source{*image_, *list_, *results_};
  FillTableForRadio(radio_item_, source, grid_);
  fit_rows_stale_ = true;
  if (radio_item_ == ItemIndex(RadioItem::kUser)) {
    FillUserCmdtoREdit(*image_, *list_, info_text_);
    return;
  }
  RunChart();
}

void Session::RunChart() {
  const ChartSource source{*image_, *list_, *results_, ojip_fm_max_};
  DrawChartForRadio(radio_item_, source, *chart_);
  RunFitCurves();
}

void Session::RunFitCurves() {
  DrawFitCurves(*image_, *list_, *results_, radio_item_, fit_choice_, *fits_, *chart_);
}

void Session::SetFitChoice(FitChoice choice) {
  fit_choice_ = choice;
  fit_rows_stale_ = true;
  RunFitCurves();
}

const std::vector<FitRow>& Session::FitRows() {
  if (fit_rows_stale_) {
    fit_rows_.clear();
    if (radio_item_ == 2) FillFitRows(*image_, *list_, *results_, fit_choice_, *fits_, fit_rows_);
    fit_rows_stale_ = false;
  }
  return fit_rows_;
}

FileResult Session::SaveFitTable(const std::string& path) {
  const std::vector<FitRow>& rows = FitRows();
  return WriteFileAtomically(path,
                             [&](ByteSink& sink) { return WriteFitRows(rows, fit_choice_, sink); });
}

bool Session::SelectAll() {
  if (list_->count == 0) return false;
  std::fill(list_->selected, list_->selected + list_->count, uint8_t{1});
  list_->selected_count = list_->count;
  ListClick();
  return true;
}

bool Session::DeselectAll() {
  if (list_->selected_count == 0) return false;
  std::fill(list_->selected, list_->selected + list_->count, uint8_t{0});
  list_->selected_count = 0;
  ListClick();
  return true;
}

void Session::DeleteSelected() {
  if (list_->selected_count == 0) return;
  for (int i = 0; i < list_->count; ++i)
    if (list_->selected[i])
      image_->PutU32(uint64_t{list_->offset(i)} + kOffTypeWord, kDeletionMarker);
  deleted_flag_ = true;
  saved_flag_ = false;
  SwitchType(radio_item_);
}

void Session::CheckBoxClicked(int slot, bool checked) {
  SetBoxChecked(*chart_, radio_item_, slot, checked);
}

void Session::ComboChanged(int index) {
  const ChartSource source{*image_, *list_, *results_, ojip_fm_max_};
  CbBoxSKChange(index, radio_item_, source, *chart_);
  RunFitCurves();
}

int Session::SaveModeForDialog() const {
  if (record_tally_ == 0) return -1;
  if (list_->selected_count > 0) return 2;
  if (list_->count > 0) return 1;
  return 0;
}

std::optional<SaveMode> SaveModeAt(int item) {
  if (item < 0 || item > 3) return std::nullopt;
  return static_cast<SaveMode>(item);
}

SaveRefusal Session::CheckSave(SaveMode mode) const {
  if (record_tally_ == 0) return SaveRefusal::kNoLiveRecord;
  const bool needs_selection = mode == SaveMode::kSelected || mode == SaveMode::kSelectedAsCsv;
  if (needs_selection && list_->selected_count == 0) return SaveRefusal::kNothingSelected;
  if (mode != SaveMode::kAllTypes && list_->count == 0) return SaveRefusal::kEmptyList;
  return SaveRefusal::kNone;
}

SaveDialogSetup Session::SaveDataDialog(SaveMode mode, const std::string& today_yyyymmdd) const {
  SaveDialogSetup setup{"数据另存为", "", "", ""};
  if (mode == SaveMode::kSelectedAsCsv) {
    setup.initial_name = "FLGrid";
    setup.filter = "*.csv";
    setup.default_extension = "csv";
    if (list_->selected_count > 1) setup.title = "数据另存为多个文件";
  } else {
    setup.initial_name = "FLData" + today_yyyymmdd;
    setup.filter = "*.bin";
    setup.default_extension = "bin";
  }
  return setup;
}

SaveDialogSetup Session::SaveGridDialog() {
  return {"存储表格数据", "FLGrid_", "*.csv", "csv"};
}

SaveDialogSetup Session::SavePictureDialog() {
  return {"存储图像", "FLPic_", "*.bmp", "bmp"};
}

SaveOutcome Session::SaveData(SaveMode mode, const std::string& chosen_path) {
  SaveOutcome outcome;
  if (CheckSave(mode) != SaveRefusal::kNone) return outcome;
  const FileImage& image = *image_;
  const RecordList& list = *list_;
  switch (mode) {
    case SaveMode::kAllTypes:
      outcome.write = WriteFileAtomically(
          chosen_path, [&](ByteSink& sink) { return WriteFileImage(image, sink); });
      break;
    case SaveMode::kCurrentType:
    case SaveMode::kSelected: {
      const RecordSelection selection =
          mode == SaveMode::kSelected ? RecordSelection::kSelected : RecordSelection::kAll;
      outcome.write = WriteFileAtomically(chosen_path, [&](ByteSink& sink) {
        return WriteListRecords(image, list, selection, sink);
      });
      break;
    }
    case SaveMode::kSelectedAsCsv:
      if (radio_item_ == ItemIndex(RadioItem::kChlConc)) {
        // The chlorophyll table as shown; the dialog stays open and nothing counts as saved.
        outcome.write = SaveGrid(chosen_path);
        return outcome;
      }
      if (Comparison comparison;
          !groups_.empty() && Compare(false, comparison) == CompareStatus::kOk) {
        // The groups' summary belongs to the export, beside the record files.
        const ExtraExportFile summary{
            "_Compare.csv", [&](ByteSink& sink) { return WriteCompareCsv(comparison, sink); }};
        outcome.write =
            ExportRecordsCsv(image, list, RemoveExtension(chosen_path), info_text_, &summary);
      } else {
        outcome.write = ExportRecordsCsv(image, list, RemoveExtension(chosen_path), info_text_);
      }
      break;
    default:
      return outcome;
  }
  // Only a measurement file makes deletions permanent; a failed save marks nothing.
  if (outcome.write.ok) {
    if (mode != SaveMode::kSelectedAsCsv) saved_flag_ = true;
    outcome.hide_dialog = true;
  }
  return outcome;
}

CompareStatus Session::Compare(bool with_curves, Comparison& out) const {
  const GridSource source{*image_, *list_, *results_};
  return corvel::Compare(source, radio_item_, groups_.groups(), groups_.control(), with_curves,
                         out);
}

FileResult Session::SaveComparison(const std::string& path) const {
  Comparison comparison;
  Compare(false, comparison);
  return WriteFileAtomically(path,
                             [&](ByteSink& sink) { return WriteCompareCsv(comparison, sink); });
}

FileResult Session::SaveGrid(const std::string& path) const {
  return WriteFileAtomically(path, [&](ByteSink& sink) {
    WriteTableCsv(grid_, sink);
    return true;
  });
}

std::string Session::Notice() const {
  std::string notice;
  char buf[160];
  if (image_->cut_at_capacity) {
    notice += "文件长于64字节文件头加16 MiB记录区，超出部分未读取。";
  }
  if (has_file_ && chain_end_.offset < image_->loaded_bytes) {
    std::snprintf(buf, sizeof buf, "%s记录链在记录区偏移 %u 处结束（%s），其后的数据不显示。",
                  notice.empty() ? "" : "  ", chain_end_.offset,
                  chain_end_.damaged ? "记录长度损坏" : "无记录标记");
    notice += buf;
  }
  if (last_build_.truncated) {
    std::snprintf(buf, sizeof buf, "%s该类型的记录超过列表容量，只列出前 %d 条。",
                  notice.empty() ? "" : "  ", kListLimit);
    notice += buf;
  }
  return notice;
}

}  // namespace corvel
