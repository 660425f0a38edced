#include "export/file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <set>
#include <string>

#include "export_test_files.h"

namespace corvel {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteFile;

auto Writes(std::string text) {
  return [text](ByteSink& out) { return out.Write(text); };
}

TEST(WriteFileAtomically, CreatesAndReplacesTheTarget) {
  ScratchDir dir;
  const std::string path = dir / "out.csv";
  WriteResult r = WriteFileAtomically(path, Writes("first"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(ReadFile(path), "first");
  r = WriteFileAtomically(path, Writes("second, longer"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(ReadFile(path), "second, longer");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"out.csv"});
}

TEST(WriteFileAtomically, ManySmallAndSomeLargeWritesArriveInOrder) {
  ScratchDir dir;
  std::string want;
  const WriteResult r = WriteFileAtomically(dir / "big.bin", [&](ByteSink& out) {
    for (int i = 0; i < 100000; ++i) {
      const char c = static_cast<char>('a' + i % 26);
      want += c;
      if (!out.Write(&c, 1)) return false;
    }
    const std::string block(300000, 'Z');
    want += block;
    if (!out.Write(block)) return false;
    want += "end";
    return out.Write("end");
  });
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_TRUE(ReadFile(dir / "big.bin") == want);
}

TEST(WriteFileAtomically, MissingFolderFailsNamingThePath) {
  ScratchDir dir;
  const std::string path = dir / "no-such-folder/out.csv";
  const WriteResult r = WriteFileAtomically(path, Writes("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("No such file or directory"), std::string::npos) << r.message;
  EXPECT_TRUE(dir.Names().empty());
}

TEST(WriteFileAtomically, FolderThatIsAFileFails) {
  ScratchDir dir;
  WriteFile(dir / "plain", "keep");
  const std::string path = dir / "plain/out.csv";
  const WriteResult r = WriteFileAtomically(path, Writes("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("Not a directory"), std::string::npos) << r.message;
  EXPECT_EQ(ReadFile(dir / "plain"), "keep");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"plain"});
}

TEST(WriteFileAtomically, FailedProduceLeavesTheTargetAndNoTemporary) {
  ScratchDir dir;
  const std::string path = dir / "table.csv";
  WriteFile(path, "the old table");
  const WriteResult r = WriteFileAtomically(path, [](ByteSink& out) {
    out.Write(std::string(100000, 'n'));  // more than the buffer: part of it reaches the disk
    return false;
  });
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  EXPECT_EQ(ReadFile(path), "the old table");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"table.csv"});
}

TEST(WriteFileAtomically, TargetThatIsAFolderFailsAndLeavesNoTemporary) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "sub");
  const WriteResult r = WriteFileAtomically(dir / "sub", Writes("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(dir / "sub"), std::string::npos) << r.message;
  EXPECT_EQ(dir.Names(), std::set<std::string>{"sub"});
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "sub"));
}

TEST(WriteFileAtomically, ReplacedFileKeepsItsPermissions) {
  ScratchDir dir;
  const std::string path = dir / "data.bin";
  WriteFile(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(path, Writes("new")).ok);
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(WriteFileAtomically, NameWithoutFolderIsWrittenInTheWorkingFolder) {
  ScratchDir dir;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const WriteResult r = WriteFileAtomically("here.txt", Writes("x"));
  std::filesystem::current_path(cwd);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(ReadFile(dir / "here.txt"), "x");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"here.txt"});
}

}  // namespace
}  // namespace corvel
