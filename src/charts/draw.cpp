#include "charts/draw.h"

#include "charts/draw_parts.h"
#include "params/quenching.h"
#include "records/measurement_type.h"
#include "records/ojip_decoder.h"
#include "records/record.h"
#include "records/time_base.h"

namespace corvel {

namespace {

constexpr int kRadioSlowKin = ItemIndex(RadioItem::kSlowKin);
constexpr int kRadioRlc = ItemIndex(RadioItem::kRlc);

constexpr size_t kCaptionLength = 12;

void ResetBoxes(ChartState& chart, int radio_item) {
  for (int i = 0; i < kBoxCount; ++i) {
    chart.box[i].caption.assign(1, ' ');  // GCC 12 at -O3 warns falsely (-Wrestrict) on assign(" ")
    chart.box[i].enabled = false;
    chart.box[i].record = -1;
    SetBoxChecked(chart, radio_item, i, false);
  }
}

uint32_t AxisExtent(uint32_t max) {
  return max < 2000u ? 2000u : max + 100u;
}
uint32_t RightExtent(uint32_t max) {
  return max < 25u ? 30u : max + 5u;
}

}  // namespace

std::string_view LabelStart(const RecordList& list, int position) {
  return list.label(position).substr(0, kCaptionLength);
}

int FirstSelected(const RecordList& list) {
  for (int p = 0; p < list.count; ++p)
    if (list.selected[p]) return p;
  return -1;
}

void UseBox(ChartState& chart, int radio_item, int slot, std::string_view caption) {
  CheckBox& box = chart.box[slot];
  box.caption.assign(caption);
  box.enabled = true;
  box.record = -1;
  SetBoxChecked(chart, radio_item, slot, true);
}

void UseRecordBox(ChartState& chart, int radio_item, int slot, const RecordList& list, int p) {
  UseBox(chart, radio_item, slot, LabelStart(list, p));
  chart.box[slot].record = p;
}

// The maximum starts at 0, so only the upper end needs a bound.
uint32_t TruncateMax(float max) {
  if (!(max > 0.0f)) return 0;
  if (max >= 4294967040.0f) return 4294967040u;
  return static_cast<uint32_t>(max);
}

void AddPoint(Series& series, double x, double y) {
  series.points.push_back({x, y});
}

uint64_t FirstBlock(const ChartSource& source, int position) {
  return Record(source.image, source.list.offset(position)).first_block();
}

void PrepareChoiceCurve(ChartState& chart, int slot) {
  Series& s = chart.line[slot];
  s.right_axis = chart.combo.index == kRowRetr;
  s.color = kBoxColor[slot];
}

void PrepareQuenchingRows(ChartState& chart, int radio_item, int title_position,
                          const RecordList& list) {
  chart.title.assign(LabelStart(list, title_position));
  chart.combo.visible = false;
  for (int m = 0; m < kQuenchingRows; ++m) {
    UseBox(chart, radio_item, m, kCurveChoice[m]);
    Series& s = chart.line[m];
    s.color = kBoxColor[m];
    s.right_axis = false;
    s.visible = true;
  }
  chart.line[kRowRetr].right_axis = true;
}

uint64_t DrawBoxTrace(const ChartSource& source, ChartState& chart, int radio_item, int slot,
                      std::string_view caption, uint64_t block) {
  UseBox(chart, radio_item, slot, caption);
  DrawOJIP(source.image, block, chart.smoothed[slot], kBoxColor[slot]);
  return NextBlockUnchecked(source.image, block);
}

uint32_t LargestOf(const uint16_t* v, int n) {
  uint32_t largest = 0;
  for (int k = 0; k < n; ++k)
    if (v[k] > largest) largest = v[k];
  return largest;
}

void BeginSingleRecordOjipChart(ChartState& chart, int radio_item, const RecordList& list, int p,
                                uint32_t left_max) {
  ReDrawAxis(chart, radio_item, kAxisOjipTime, left_max, 0, 0);
  chart.title.assign(LabelStart(list, p));
}

void SetBoxChecked(ChartState& chart, int radio_item, int slot, bool checked) {
  if (slot < 0 || slot >= kBoxCount) return;
  if (chart.box[slot].checked == checked) return;
  chart.box[slot].checked = checked;
  PicChkBoxFNClk(chart, radio_item, slot);
}

void PicChkBoxFNClk(ChartState& chart, int radio_item, int slot) {
  if (slot < 0 || slot >= kBoxCount) return;
  const MeasurementType* type = TypeAt(radio_item);
  switch (type ? type->binding : BoxBinding::kNone) {
    case BoxBinding::kSmoothed:
      chart.smoothed[slot].visible = chart.box[slot].checked;
      break;
    case BoxBinding::kLine:
      chart.line[slot].visible = chart.box[slot].checked;
      break;
    case BoxBinding::kLineAndFit:
      chart.line[slot].visible = chart.box[slot].checked;
      chart.fit[slot].visible = chart.box[slot].checked;
      break;
    case BoxBinding::kFirstAndLast:
      // Only the first and the last of the twenty traces have a box.
      chart.smoothed[0].visible = chart.box[0].checked;
      chart.smoothed[kSeriesCount - 1].visible = chart.box[kBoxCount - 1].checked;
      break;
    case BoxBinding::kNone:
      break;
  }
}

void ResetForTypeSwitch(ChartState& chart, int radio_item) {
  ++chart.drawing;
  chart.combo.visible = false;
  ResetBoxes(chart, radio_item);
  for (int k = 0; k < kSeriesCount; ++k) {
    chart.smoothed[k].points.clear();
    chart.line[k].points.clear();
  }
  chart.title.clear();
}

void ReDrawAxis(ChartState& chart, int radio_item, uint8_t mode, uint32_t left_max,
                uint32_t bottom_max, uint32_t right_max) {
  ++chart.drawing;
  ResetBoxes(chart, radio_item);
  for (int k = 0; k < kSeriesCount; ++k) {
    chart.smoothed[k].points.clear();
    chart.smoothed[k].width = 3;
    chart.line[k].points.clear();
    chart.line[k].width = 3;
    chart.line[k].right_axis = false;
  }
  chart.title.clear();
  chart.left.min = 0;
  chart.right.min = 0;
  chart.bottom.min = 0;
  chart.right.visible = false;
  switch (mode) {
    case kAxisOjipTime:
      chart.left.max = AxisExtent(left_max);
      chart.bottom.log = true;
      chart.bottom.format.assign(kFormatOjipTime);
      chart.bottom.max = 10000000;
      chart.bottom.min = 10;
      break;
    case kAxisPulse:
    case kAxisLight:
      // Quenching values on the left from 0 to 1, rETR on the right.
      chart.left.max = 1;
      chart.right.visible = true;
      chart.right.max = RightExtent(right_max);
      chart.bottom.log = false;
      chart.bottom.format.assign(mode == kAxisPulse ? kFormatPulse : kFormatLight);
      chart.bottom.max = mode == kAxisPulse ? 20 : 2500;
      chart.bottom.min = mode == kAxisPulse ? 1 : 0;
      break;
    case kAxisSeconds:
      chart.left.max = AxisExtent(left_max);
      chart.bottom.log = false;
      chart.bottom.format.assign(kFormatSeconds);
      chart.bottom.min = 0;
      chart.bottom.max = bottom_max;
      break;
    default:
      break;
  }
}

void DrawOJIP(const FileImage& image, uint64_t block_pos, Series& series, uint32_t color) {
  series.color = color;
  const Block b = BlockAt(image, block_pos);
  int32_t n = b.sample_count();
  if (n <= 0) return;
  if (n > kOjipSamplesUsed) n = kOjipSamplesUsed;
  // A trace shorter than the time base draws only the samples it holds.
  for (int32_t i = 0; i < n; ++i)
    AddPoint(series, OjipTimeUs(static_cast<uint32_t>(i)),
             image.U16(b.samples() + 2u * static_cast<uint32_t>(i)));
}

void CbBoxSKChange(int index, int radio_item, const ChartSource& source, ChartState& chart) {
  chart.combo.index = (index >= 0 && index < kQuenchingRows) ? index : -1;
  if (radio_item == kRadioSlowKin)
    DrawChart_SlowK(source, chart);
  else if (radio_item == kRadioRlc)
    DrawChart_RLC(source, chart);
}

void DrawChartForRadio(int radio_item, const ChartSource& source, ChartState& chart) {
  using Drawing = void (*)(const ChartSource&, ChartState&);
  // In screen order; user-defined programs and chlorophyll concentration have no chart.
  static constexpr Drawing kDrawing[kTypeCount] = {
      DrawChart_OJIP, DrawChart_SlowK,  DrawChart_RLC, DrawChart_DR, DrawChart_ASS,
      DrawChart_PIFR, DrawChart_MTOJIP, DrawChart_Fo,  nullptr,      nullptr};
  const MeasurementType* type = TypeAt(radio_item);
  if (type != nullptr && type->has_chart) kDrawing[radio_item](source, chart);
}

}  // namespace corvel
