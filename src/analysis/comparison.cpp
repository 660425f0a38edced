#include "analysis/comparison.h"

#include <memory>

#include "analysis/table_params.h"
#include "records/record.h"

namespace corvel {

int Comparison::ParameterIndex(const std::string& name) const {
  for (size_t k = 0; k < parameters.size(); ++k)
    if (parameters[k] == name) return static_cast<int>(k);
  return -1;
}

namespace {

void CompareCurves(const GridSource& src, const std::vector<RecordGroup>& groups, int control,
                   Comparison& out) {
  out.curves.resize(groups.size());
  auto builder = std::make_unique<GroupCurveBuilder>();
  auto record = std::make_unique<RecordCurves>();
  uint16_t samples[kOjipCurvePoints];
  for (size_t g = 0; g < groups.size(); ++g) {
    *builder = GroupCurveBuilder();
    for (const int p : groups[g].positions) {
      const Block b = BlockAt(src.image, Record(src.image, src.list.offset(p)).first_block());
      int count = b.sample_count();
      if (count > kOjipCurvePoints) count = kOjipCurvePoints;
      for (int i = 0; i < count; ++i)
        samples[i] = src.image.U16(b.samples() + 2u * static_cast<uint32_t>(i));
      ComputeRecordCurves(samples, count, src.results.ojip[p], *record);
      builder->Add(*record);
    }
    builder->Finish(out.curves[g]);
  }
  for (GroupCurves& c : out.curves)
    if (&c != &out.curves[static_cast<size_t>(control)])
      DifferenceToControl(c, out.curves[static_cast<size_t>(control)]);
  // The control against itself: zero wherever its mean is defined.
  DifferenceToControl(out.curves[static_cast<size_t>(control)],
                      out.curves[static_cast<size_t>(control)]);
}

}  // namespace

CompareStatus Compare(const GridSource& src, int radio_item, const std::vector<RecordGroup>& groups,
                      int control, bool with_curves, Comparison& out) {
  out = Comparison();
  out.radio_item = radio_item;
  out.control = control;
  if (!HasTableParameters(radio_item)) return CompareStatus::kNoParameters;
  if (groups.empty()) return CompareStatus::kNoGroups;
  out.check = CheckGroups(groups, src.list.count);
  if (out.check.problem != GroupProblem::kNone) return CompareStatus::kBadGroups;
  if (control < 0 || control >= static_cast<int>(groups.size())) return CompareStatus::kBadControl;
  for (const RecordGroup& g : groups) out.groups.push_back(g.name);

  std::vector<RunningMoments> moments(groups.size() * kTableParamKeys);
  TableParamReader reader(radio_item);
  for (size_t g = 0; g < groups.size(); ++g) {
    RunningMoments* row = moments.data() + g * kTableParamKeys;
    for (const int p : groups[g].positions)
      reader.Read(src, p, [&](int key, double value) { row[key].Add(value); });
  }
  for (int key = 0; key < kTableParamKeys; ++key)
    for (size_t g = 0; g < groups.size(); ++g)
      if (moments[g * kTableParamKeys + static_cast<size_t>(key)].n > 0) {
        out.keys.push_back(key);
        out.parameters.push_back(TableParameterName(radio_item, key));
        break;
      }
  const size_t params = out.keys.size();
  out.stats.resize(groups.size() * params);
  for (size_t g = 0; g < groups.size(); ++g)
    for (size_t k = 0; k < params; ++k)
      out.stats[g * params + k] =
          Describe(moments[g * kTableParamKeys + static_cast<size_t>(out.keys[k])]);
  const size_t c = static_cast<size_t>(control);
  for (size_t g = 0; g < groups.size(); ++g) {
    if (g == c) continue;
    for (size_t k = 0; k < params; ++k)
      CompareToControl(out.stats[g * params + k], out.stats[c * params + k]);
  }
  for (size_t k = 0; k < params; ++k) {
    GroupStat& s = out.stats[c * params + k];
    s.ratio = RatioToControl(s.mean, s.mean);
  }
  if (with_curves && radio_item == 0) CompareCurves(src, groups, control, out);
  return CompareStatus::kOk;
}

}  // namespace corvel
