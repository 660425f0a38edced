#include "viewer/session_groups.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "support/record_builders.h"
#include "support/test_folder.h"
#include "synth/writer.h"
#include "viewer/session.h"

namespace corvel {
namespace {

using testing::OjipRamp;

class SessionGroupsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = testing::TestFolder("groups");
    synth::FileBuilder b;
    b.Add(OjipRamp("CK1", 1800))
        .Add(OjipRamp("CK2", 1900))
        .Add(OjipRamp("T1", 2500))
        .Add(OjipRamp("T2", 2600));
    file = dir + "/four.bin";
    ASSERT_TRUE(b.Save(file));
    ASSERT_TRUE(s.Open(file).ok);
  }
  void Select(std::initializer_list<int> positions) {
    for (int p = 0; p < s.list().count; ++p) s.SetSelected(p, false);
    for (const int p : positions) s.SetSelected(p, true);
  }
  std::string dir, file;
  Session s;
};

TEST_F(SessionGroupsTest, AGroupFromTheSelectionTakesItsRecordsFromOtherGroups) {
  SessionGroups& g = s.groups();
  Select({0, 1, 2});
  ASSERT_TRUE(g.MakeFromSelection(s.list(), "A"));
  Select({2, 3});
  ASSERT_TRUE(g.MakeFromSelection(s.list(), "B"));
  EXPECT_EQ(g.groups()[0].positions, (std::vector<int>{0, 1}));
  EXPECT_EQ(g.groups()[1].positions, (std::vector<int>{2, 3}));
  EXPECT_FALSE(g.MakeFromSelection(s.list(), "A"));  // the name is taken
  EXPECT_TRUE(g.SetControl(1));
  Select({0, 1});
  ASSERT_TRUE(g.MakeFromSelection(s.list(), "C"));  // A is left empty and goes
  ASSERT_EQ(g.groups().size(), 2u);
  EXPECT_EQ(g.groups()[g.control()].name, "B");
  EXPECT_EQ(g.GroupOf(1), 1);
}

TEST_F(SessionGroupsTest, TypeSwitchAndDeleteClearTheGroups) {
  s.groups().Propose(s.image(), s.list());
  ASSERT_EQ(s.groups().groups().size(), 2u);
  s.SwitchType(0);
  EXPECT_TRUE(s.groups().empty());
  s.groups().Propose(s.image(), s.list());
  Select({3});
  s.DeleteSelected();
  EXPECT_TRUE(s.groups().empty());
}

TEST_F(SessionGroupsTest, CsvExportWritesTheSummaryBesideTheRecordsWhenGroupsExist) {
  s.groups().Propose(s.image(), s.list());
  Select({0, 2});
  s.ListClick();
  ASSERT_TRUE(s.SaveData(SaveMode::kSelectedAsCsv, dir + "/out.csv").write.ok);
  std::ifstream in(dir + "/out_Compare.csv", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(text.rfind("group,parameter,n,mean,sd,se,ratio,p\r\nCK,Fo,2,", 0), 0u);
  EXPECT_NE(text.find("\r\nT,Fv/Fm,2,"), std::string::npos);
  s.groups().Clear();
  ASSERT_TRUE(s.SaveData(SaveMode::kSelectedAsCsv, dir + "/bare.csv").write.ok);
  EXPECT_FALSE(std::filesystem::exists(dir + "/bare_Compare.csv"));
}

}  // namespace
}  // namespace corvel
