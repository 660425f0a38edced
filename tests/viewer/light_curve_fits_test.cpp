#include "viewer/light_curve_fits.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>

#include "analysis/fit_csv.h"
#include "synth/kinds.h"
#include "viewer/session.h"

namespace corvel {
namespace {

constexpr int kRlc = 2;

class KnownCurves : public ::testing::Test {
 protected:
  void SetUp() override {
    bytes_ = synth::MakeLightCurveFile(1);
    ASSERT_TRUE(session_.Open(std::span<const uint8_t>(bytes_), "known_curves.bin").ok);
    session_.SwitchType(kRlc);
    ASSERT_EQ(session_.list().count, 12);
  }

  const FitRow& Row(int position, FitChoice choice) {
    session_.SetFitChoice(choice);
    for (int p = 0; p < session_.list().count; ++p) session_.SetSelected(p, p == position);
    session_.ListClick();
    return session_.FitRows().at(0);
  }

  synth::Bytes bytes_;
  Session session_;
};

FitChoice ChoiceOf(synth::RlcModel m) {
  return static_cast<FitChoice>(static_cast<int>(m) + 1);
}

// Integer samples carry each step's yield to a few parts in ten thousand.
TEST_F(KnownCurves, EachModelRecoversItsParametersFromTheFileTo1Percent) {
  const auto known = synth::KnownLightCurves();
  for (int i = 0; i < static_cast<int>(known.size()); ++i) {
    if (known[i].curve.noise > 0) continue;
    const FitRow& row = Row(i, ChoiceOf(known[i].curve.model));
    ASSERT_TRUE(row.fit.fitted()) << known[i].name;
    EXPECT_EQ(row.fit.points, 10);
    for (int j = 0; j < FitParamCount(row.fit.model); ++j)
      EXPECT_NEAR(row.fit.params[j], known[i].curve.p[j], 0.01 * known[i].curve.p[j])
          << known[i].name << " parameter " << j;
  }
}

TEST_F(KnownCurves, AutoPicksTheGeneratingModelOnNoiseFreeCurves) {
  const auto known = synth::KnownLightCurves();
  for (int i = 0; i < static_cast<int>(known.size()); ++i) {
    if (known[i].curve.noise > 0) continue;
    EXPECT_EQ(Row(i, FitChoice::kAuto).fit.model,
              static_cast<FitModel>(static_cast<int>(known[i].curve.model)))
        << known[i].name;
  }
}

// 3 % noise: the generating parameters lie within a few standard errors.
TEST_F(KnownCurves, NoisyCurvesFitWithinTheirStandardErrors) {
  const auto known = synth::KnownLightCurves();
  for (int i = 0; i < static_cast<int>(known.size()); ++i) {
    if (known[i].curve.noise == 0) continue;
    const FitRow& row = Row(i, ChoiceOf(known[i].curve.model));
    ASSERT_EQ(row.fit.status, FitStatus::kOk) << known[i].name;
    EXPECT_GT(row.fit.r2, 0.95);
    for (int j = 0; j < FitParamCount(row.fit.model); ++j)
      EXPECT_LT(std::fabs(row.fit.params[j] - known[i].curve.p[j]), 5 * row.fit.params_se[j])
          << known[i].name << " parameter " << j;
  }
}

TEST_F(KnownCurves, FitTableHasOneRowPerSelectedRecordInListOrder) {
  session_.SetSelected(4, true);
  session_.SetSelected(1, true);
  session_.ListClick();
  const std::vector<FitRow>& rows = session_.FitRows();
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].position, 1);
  EXPECT_EQ(rows[0].name, "WEBB2");
  EXPECT_EQ(rows[1].name, "JP2");
}

TEST_F(KnownCurves, SingleRecordViewDrawsItsFitInTheRetrBoxsColour) {
  Row(6, FitChoice::kPlatt);
  const Series& s = session_.chart().fit[0];
  ASSERT_EQ(s.points.size(), 61u);  // 0 to 1500 in steps of 25
  EXPECT_TRUE(s.right_axis);
  EXPECT_TRUE(s.visible);
  EXPECT_EQ(s.color, kBoxColor[0]);
  EXPECT_NEAR(s.points[4].y, 30 * (1 - std::exp(-0.3 * 100 / 30)) * std::exp(-0.01 * 100 / 30),
              0.01);
  EXPECT_TRUE(session_.chart().fit[1].points.empty());
}

TEST_F(KnownCurves, ComparisonDrawsFitsOnlyWhenRetrIsChosen) {
  session_.SetSelected(0, true);
  session_.SetSelected(3, true);
  session_.ListClick();
  session_.ComboChanged(1);  // Y(II)
  EXPECT_TRUE(session_.chart().fit[0].points.empty());
  session_.ComboChanged(0);  // rETR
  EXPECT_FALSE(session_.chart().fit[0].points.empty());
  EXPECT_FALSE(session_.chart().fit[1].points.empty());
  EXPECT_EQ(session_.chart().fit[1].color, kBoxColor[1]);
  // Unchecking a record's box hides its fit with its points.
  session_.CheckBoxClicked(1, false);
  EXPECT_FALSE(session_.chart().fit[1].visible);
  EXPECT_FALSE(session_.chart().line[1].visible);
}

TEST_F(KnownCurves, TypeSwitchClearsTheFits) {
  Row(0, FitChoice::kAuto);
  session_.SwitchType(0);
  EXPECT_TRUE(session_.chart().fit[0].points.empty());
  EXPECT_TRUE(session_.FitRows().empty());
}

TEST_F(KnownCurves, SavedFitTableMatchesTheRows) {
  session_.SelectAll();
  const std::string out = (std::filesystem::temp_directory_path() /
                           ("corvel_known_curves_" + std::to_string(::getpid()) + "_fit.csv"))
                              .string();
  ASSERT_TRUE(session_.SaveFitTable(out).ok);
  std::ifstream in(out, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  in.close();  // Windows removes no file that is still open
  std::filesystem::remove(out);
  EXPECT_EQ(text.rfind(std::string(kFitCsvHeader) + "\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\n1,WEBB1,webb,"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find("inf"), std::string::npos);
}

TEST(FitTablePath, SitsBesideTheTable) {
  EXPECT_EQ(FitTablePath("/tmp/FLGrid_1.csv"), "/tmp/FLGrid_1_fit.csv");
  EXPECT_EQ(FitTablePath("/tmp/a.b/FLGrid"), "/tmp/a.b/FLGrid_fit.csv");
}

}  // namespace
}  // namespace corvel
