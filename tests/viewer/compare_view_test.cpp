#include "viewer/compare_view.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "analysis/compare_csv.h"
#include "records/measurement_type.h"
#include "support/record_builders.h"
#include "synth/writer.h"
#include "viewer/session.h"

namespace corvel {
namespace {

using testing::OjipRamp;

class CompareViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    synth::FileBuilder b;
    b.Add(OjipRamp("CK1", 1800))
        .Add(OjipRamp("CK2", 1900))
        .Add(OjipRamp("T1", 2500))
        .Add(OjipRamp("T2", 2600));
    const synth::Bytes bytes = b.File();
    ASSERT_TRUE(s.Open(bytes, "four.bin").ok);
  }
  void Select(std::initializer_list<int> positions) {
    for (int p = 0; p < s.list().count; ++p) s.SetSelected(p, false);
    for (const int p : positions) s.SetSelected(p, true);
  }
  Session s;
  CompareView view{s};
};

TEST_F(CompareViewTest, AGroupNeedsASelectionAndAFreeName) {
  EXPECT_EQ(view.MakeGroup("A"), GroupEdit::kNothingSelected);
  Select({0, 1});
  EXPECT_EQ(view.MakeGroup("A"), GroupEdit::kDone);
  Select({2});
  EXPECT_EQ(view.MakeGroup("A"), GroupEdit::kNameTaken);
  EXPECT_EQ(view.MakeGroup(""), GroupEdit::kDone);  // the first unused name
  EXPECT_EQ(s.groups().groups()[1].name,
            "\xE7\xBB\x84"
            "1");
  EXPECT_EQ(view.Rename(1, ""), GroupEdit::kEmptyName);
  EXPECT_EQ(view.Rename(1, "A"), GroupEdit::kNameTaken);
  EXPECT_EQ(view.Rename(5, "B"), GroupEdit::kNoSuchGroup);
  EXPECT_EQ(view.Remove(5), GroupEdit::kNoSuchGroup);
}

TEST_F(CompareViewTest, EveryEditRecomputesTheComparison) {
  Select({0, 1});
  view.MakeGroup("CK");
  Select({2, 3});
  view.MakeGroup("T");
  ASSERT_EQ(view.status(), CompareStatus::kOk);
  EXPECT_EQ(view.comparison().groups, (std::vector<std::string>{"CK", "T"}));
  EXPECT_EQ(view.comparison().curves.size(), 2u);  // OJIP: with the group curves
  EXPECT_EQ(view.curve_plot().groups.size(), 2u);  // the default choice, delta V
  EXPECT_EQ(view.radar_plot().polygons.size(), 2u);
  view.SetControl(1);
  EXPECT_EQ(view.comparison().control, 1);
  view.Rename(0, "X");
  EXPECT_EQ(view.comparison().groups[0], "X");
  view.Remove(0);
  EXPECT_EQ(view.comparison().groups, (std::vector<std::string>{"T"}));
}

TEST_F(CompareViewTest, TheProposalGroupsByTheNameWithoutItsDigits) {
  EXPECT_EQ(view.Propose(), GroupEdit::kDone);
  EXPECT_EQ(view.comparison().groups, (std::vector<std::string>{"CK", "T"}));
  EXPECT_EQ(view.PositionsText(1), "3-4");
}

TEST_F(CompareViewTest, PositionsAreOneBasedWithRanges) {
  Select({0, 1, 3});
  view.MakeGroup("A");
  EXPECT_EQ(view.PositionsText(0), "1-2,4");
  EXPECT_EQ(view.PositionsText(1), "");
}

TEST_F(CompareViewTest, TheRadarKeepsTheTableOrderOfTheChosenParameters) {
  view.Propose();
  EXPECT_EQ(view.radar_parameters().size(), 8u);
  view.SetRadarParameter("Vj", false);
  view.SetRadarParameter("Fo", true);
  ASSERT_EQ(view.radar_parameters().size(), 8u);
  EXPECT_EQ(view.radar_parameters()[0], "Fo");
  EXPECT_EQ(view.radar_parameters()[1], "Fv/Fm");
  EXPECT_EQ(view.radar_plot().axes[2], "Mo");
  // The choice stays over a change of the groups.
  view.SetControl(1);
  EXPECT_EQ(view.radar_parameters()[0], "Fo");
}

TEST_F(CompareViewTest, ATypeWithoutAParameterTableHasNothingToGroup) {
  s.SwitchType(ItemIndex(RadioItem::kUser));
  view.Refresh();
  EXPECT_EQ(view.Propose(), GroupEdit::kNoParameters);
  EXPECT_EQ(view.status(), CompareStatus::kNoParameters);
  EXPECT_FALSE(view.has_curves());
}

TEST_F(CompareViewTest, TheSummarySaveWritesTheComparisonsCsv) {
  view.Propose();
  const std::string path = ::testing::TempDir() + "compare_view_summary.csv";
  ASSERT_TRUE(view.SaveSummary(path).ok);
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  StringSink expected;
  WriteCompareCsv(view.comparison(), expected);
  EXPECT_EQ(bytes, expected.text);
  EXPECT_EQ(bytes.substr(0, kCompareCsvHeader.size()), kCompareCsvHeader);
  in.close();  // Windows removes no file that is still open
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace corvel
