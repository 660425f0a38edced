#include "analysis/fit_csv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace corvel {
namespace {

TEST(FitCsv, NumbersHaveSixSignificantDigits) {
  EXPECT_EQ(FitNumber(25.89213), "25.8921");
  EXPECT_EQ(FitNumber(343.4023), "343.402");
  EXPECT_EQ(FitNumber(4e-5), "4e-05");
  EXPECT_EQ(FitNumber(-0.0), "0");
  EXPECT_EQ(FitNumber(std::nan("")), "");
  EXPECT_EQ(FitNumber(1.0 / 0.0), "");
}

TEST(FitCsv, CellsWithCommasOrQuotesAreQuoted) {
  EXPECT_EQ(CsvCell("ALGA01"), "ALGA01");
  EXPECT_EQ(CsvCell("a,b"), "\"a,b\"");
  EXPECT_EQ(CsvCell("say \"hi\""), "\"say \"\"hi\"\"\"");
}

TEST(FitCsv, HeaderAsTheToolWritesIt) {
  StringSink sink;
  ASSERT_TRUE(WriteFitCsvHeader(sink));
  EXPECT_EQ(sink.text,
            "record,name,model,rETRmax,rETRmax_se,alpha,alpha_se,Ik,Ik_se,beta,Im,Iopt,r2,rss,aic,"
            "status\r\n");
}

TEST(FitCsv, RowOfAPlattFit) {
  LightCurveFit fit;
  fit.model = FitModel::kPlatt;
  fit.status = FitStatus::kOk;
  fit.value = {25.8921, 0.3, 86.307, 0.01, 343.4, 0};
  fit.se = {0.5, 0.01, 2, 0.001, 7, 0};
  fit.r2 = 0.998;
  fit.rss = 1.25;
  fit.aic = -12.5;
  StringSink sink;
  ASSERT_TRUE(WriteFitCsvRow(sink, 3, "ALGA01", FitChoice::kAuto, fit));
  EXPECT_EQ(sink.text,
            "3,ALGA01,platt,25.8921,0.5,0.3,0.01,86.307,2,0.01,343.4,,0.998,1.25,-12.5,ok\r\n");
}

TEST(FitCsv, RowWithoutAFitHasOnlyTheReason) {
  LightCurveFit fit;
  fit.status = FitStatus::kAllZero;
  StringSink sink;
  ASSERT_TRUE(WriteFitCsvRow(sink, 1, "X", FitChoice::kAuto, fit));
  EXPECT_EQ(sink.text, "1,X,auto,,,,,,,,,,,,,no fit: rETR is zero at every step\r\n");
}

TEST(FitCsv, FitWithoutStandardErrorsLeavesTheirCellsEmpty) {
  LightCurveFit fit;
  fit.model = FitModel::kEilersPeeters;
  fit.status = FitStatus::kNoStandardErrors;
  fit.value = {30.975, 0.2, 154.87, 0, 0, 353.55};
  fit.se = {9, 9, 9, 0, 0, 9};
  StringSink sink;
  ASSERT_TRUE(WriteFitCsvRow(sink, 2, "Y", FitChoice::kEilersPeeters, fit));
  EXPECT_EQ(sink.text,
            "2,Y,eilers-peeters,30.975,,0.2,,154.87,,,,353.55,0,0,0,fitted; standard errors "
            "undetermined\r\n");
}

}  // namespace
}  // namespace corvel
