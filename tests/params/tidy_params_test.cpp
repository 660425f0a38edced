#include "params/tidy_params.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "param_files.h"

namespace corvel {
namespace {

using testing::kOjipCode;
using testing::MakeRecord;
using testing::Table;
using testing::Trace;

// Fo 100, peak 1000 at 50 us, Fk 300, Fj 600, Fi 800 (the trace of the fill tests).
synth::RecordSpec Ojip() {
  return MakeRecord(1, {0xC00A0BB8}, {synth::OjipBlock(kOjipCode, testing::EarlyPeakTrace())});
}

synth::RecordSpec Rlc(uint32_t adaptation) {
  std::vector<synth::Bytes> blocks{Trace(500, 2500)};
  for (int k = 0; k < 10; ++k) blocks.push_back(Trace(700, 1500));
  return MakeRecord(3, {adaptation}, blocks);
}

const TidyValue* Find(const TidyRecord& r, std::string_view name, int step = 0) {
  for (const TidyValue& v : r.values)
    if (v.name == name && v.step == step) return &v;
  return nullptr;
}

std::string Write(TidyFormat format, const std::vector<int>& items, const std::string& file,
                  const std::vector<TidyRecord>& records) {
  StringSink sink;
  TidyWriter writer(format, items, sink);
  writer.Begin();
  for (const TidyRecord& r : records) writer.Add(file, r);
  writer.End();
  return sink.text;
}

TEST(TidyParams, OjipValuesKeepTheirFullPrecision) {
  Table t;
  t.Open({Ojip()}, 1);
  TidyRecord r;
  TidyRecordAt(0, GridSource{*t.image, *t.list, *t.results}, 0, r);
  EXPECT_EQ(r.name, "ALGA00010001");
  EXPECT_EQ(r.steps, 0);
  ASSERT_EQ(r.settings.size(), 1u);
  EXPECT_STREQ(r.settings[0].name, "SL(T:s)");
  EXPECT_EQ(r.settings[0].text, "3000(10S)");
  ASSERT_EQ(r.values.size(), 31u);  // 8 trace points and 23 JIP test values
  EXPECT_EQ(Find(r, "Fo")->value, 100.0f);
  EXPECT_EQ(Find(r, "Fv")->value, 900.0f);
  // The table shows 0.56 for Vj = (600 - 100) / 900.
  EXPECT_EQ(FloatText(Find(r, "Vj")->value), "0.5555556");
  EXPECT_EQ(FloatText(Find(r, "Fv/Fm")->value), "0.9");
  EXPECT_NE(Find(r, "\xA6\xD5po"), nullptr);
}

TEST(TidyParams, LightAdaptedRlcHasNoQuenchingValuesAndNumberedSteps) {
  Table t;
  t.Open({Rlc(0xB0000000), Rlc(0xCA00320A)}, 3);
  const GridSource src{*t.image, *t.list, *t.results};
  TidyRecord dark, light;
  TidyRecordAt(2, src, 0, dark);
  TidyRecordAt(2, src, 1, light);
  EXPECT_EQ(dark.steps, 10);
  EXPECT_EQ(dark.values.size(), 10u * 9);  // AL, Y(II), rETR and six quenching values
  EXPECT_EQ(light.values.size(), 10u * 3);
  EXPECT_EQ(Find(dark, "AL", 10)->value, 1500.0f);
  EXPECT_EQ(Find(light, "qP", 1), nullptr);
  EXPECT_EQ(light.settings[0].text, "100(5)");

  const std::string wide = Write(TidyFormat::kWide, {2}, "f.bin", {light});
  EXPECT_EQ(wide.substr(0, wide.find('\n')),
            "file,type,record,name,datetime,step,AL,Y(II),rETR,Fm'/Fm,qP,qL,qN,Y(NO),Y(NPQ)");
  // The quenching cells of a light-adapted curve stay empty, as in the table.
  // The light-adapted curve is the second in the list.
  EXPECT_NE(wide.find("f.bin,rlc,2,ALGA00010001,"), std::string::npos);
  EXPECT_NE(wide.find(",3,80,"), std::string::npos);
  EXPECT_NE(wide.find(",,,,,,\n"), std::string::npos);
}

TEST(TidyParams, FirstDarkRelaxationPulseHasNoNpq) {
  std::vector<synth::Bytes> pulses;
  for (int k = 0; k < 20; ++k) pulses.push_back(Trace(400, 2000));
  Table t;
  t.Open({MakeRecord(4, {0xCA00320A, 0, 0, 0xCA0BB800}, pulses)}, 4);
  TidyRecord r;
  TidyRecordAt(3, GridSource{*t.image, *t.list, *t.results}, 0, r);
  EXPECT_EQ(r.steps, 20);
  EXPECT_EQ(Find(r, "NPQ", 1), nullptr);
  EXPECT_NE(Find(r, "NPQ", 2), nullptr);
  EXPECT_EQ(Find(r, "Fo", 20)->value, 400.0f);
}

TEST(TidyParams, LongFormOneRowPerValueWithQuotedCells) {
  Table t;
  t.Open({Ojip()}, 1);
  TidyRecord r;
  TidyRecordAt(0, GridSource{*t.image, *t.list, *t.results}, 0, r);
  const std::string csv = Write(TidyFormat::kLong, {0}, "a,b.bin", {r});
  EXPECT_EQ(csv.substr(0, csv.find('\n') + 1),
            "file,type,record,name,datetime,step,parameter,value\n");
  EXPECT_NE(csv.find("\"a,b.bin\",ojip,1,ALGA00010001,2024-06-13 10:00:00,,Fo,100\n"),
            std::string::npos);
  // The Greek titles are UTF-8.
  EXPECT_NE(csv.find(",\xCF\x86po,"), std::string::npos);
  size_t lines = 0;
  for (const char c : csv) lines += c == '\n';
  EXPECT_EQ(lines, 1u + 31);
}

TEST(TidyParams, JsonHoldsSettingsParametersAndSteps) {
  Table t;
  t.Open({Rlc(0xB0000000)}, 3);
  TidyRecord r;
  TidyRecordAt(2, GridSource{*t.image, *t.list, *t.results}, 0, r);
  const std::string json = Write(TidyFormat::kJson, {2}, "q\"x.bin", {r, r});
  EXPECT_EQ(json.substr(0, 2), "[\n");
  EXPECT_EQ(json.substr(json.size() - 3), "\n]\n");
  EXPECT_NE(json.find("{\"file\": \"q\\\"x.bin\", \"type\": \"rlc\", \"record\": 1"),
            std::string::npos);
  EXPECT_NE(json.find("\"settings\": {\"LAdap(t:min)\": \"0(0)\"}"), std::string::npos);
  EXPECT_NE(json.find("{\"step\": 10, \"AL\": 1500, "), std::string::npos);
  EXPECT_NE(json.find("}]},\n  {"), std::string::npos);  // two records, comma-separated
  EXPECT_EQ(Write(TidyFormat::kJson, {2}, "x", {}), "[]\n");
}

TEST(TidyParams, WideColumnsOfSeveralTypesAppearOnce) {
  StringSink sink;
  TidyWriter writer(TidyFormat::kWide, {0, 1}, sink);
  writer.Begin();
  const std::string header = sink.text;
  EXPECT_EQ(header.find(",Fo,"), header.rfind(",Fo,"));
  EXPECT_NE(header.find(",Y(NPQ)\n"), std::string::npos);
  EXPECT_EQ(TidyParameterNames(8).size(), 0u);
  EXPECT_EQ(TidyParameterNames(4).size(), 0u);  // after steady state has settings only
}

TEST(TidyParams, FloatTextIsTheShortestThatReadsBack) {
  EXPECT_EQ(FloatText(0.1f), "0.1");
  EXPECT_EQ(FloatText(1234.0f), "1234");
  EXPECT_EQ(FloatText(0.0f), "0");
  EXPECT_EQ(FloatText(1e-05f), "1e-05");
  EXPECT_EQ(FloatText(-2.5f), "-2.5");
}

}  // namespace
}  // namespace corvel
