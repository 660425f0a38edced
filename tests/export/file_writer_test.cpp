#include "export/file_writer.h"

#include <gtest/gtest.h>

// The tests of links, FIFOs, devices, permissions and signals are for POSIX systems only; the
// others hold on Windows too (file_writer_windows_test.cpp has what is Windows' own).
#ifndef _WIN32
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <csignal>
#include <cstring>
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
  FileResult r = WriteFileAtomically(path, Writes("first"));
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
  const FileResult r = WriteFileAtomically(dir / "big.bin", [&](ByteSink& out) {
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
  const FileResult r = WriteFileAtomically(path, Writes("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(path), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("No such file or directory"), std::string::npos) << r.message;
  EXPECT_TRUE(dir.Names().empty());
}

TEST(WriteFileAtomically, FolderThatIsAFileFails) {
  ScratchDir dir;
  WriteFile(dir / "plain", "keep");
  const std::string path = dir / "plain/out.csv";
  const FileResult r = WriteFileAtomically(path, Writes("x"));
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
  const FileResult r = WriteFileAtomically(path, [](ByteSink& out) {
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
  const FileResult r = WriteFileAtomically(dir / "sub", Writes("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.message.find(dir / "sub"), std::string::npos) << r.message;
  EXPECT_EQ(dir.Names(), std::set<std::string>{"sub"});
  EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "sub"));
}

#ifndef _WIN32
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

#endif  // _WIN32

TEST(WriteFileAtomically, NameWithoutFolderIsWrittenInTheWorkingFolder) {
  ScratchDir dir;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  const FileResult r = WriteFileAtomically("here.txt", Writes("x"));
  std::filesystem::current_path(cwd);
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(ReadFile(dir / "here.txt"), "x");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"here.txt"});
}

#ifndef _WIN32
TEST(WriteFileAtomically, SymlinkTargetIsWrittenThroughAndStaysALink) {
  ScratchDir dir;
  std::filesystem::create_directory(dir.path() / "data");
  WriteFile(dir / "data/real.csv", "old");
  // A relative link, and a link to that link: the chain ends at data/real.csv.
  ASSERT_EQ(::symlink("data/real.csv", (dir / "link.csv").c_str()), 0);
  ASSERT_EQ(::symlink("link.csv", (dir / "link2.csv").c_str()), 0);
  const FileResult r = WriteFileAtomically(dir / "link2.csv", Writes("new"));
  ASSERT_TRUE(r.ok) << r.message;
  EXPECT_EQ(ReadFile(dir / "data/real.csv"), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.csv"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link2.csv"));
  // The temporary was made beside the real file and is gone.
  EXPECT_EQ(dir.Names(), (std::set<std::string>{"data", "link.csv", "link2.csv"}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "data"), {}), 1);
}

TEST(WriteFileAtomically, DanglingSymlinkCreatesTheFileItNames) {
  ScratchDir dir;
  ASSERT_EQ(::symlink("made.txt", (dir / "link.txt").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(dir / "link.txt", Writes("x")).ok);
  EXPECT_EQ(ReadFile(dir / "made.txt"), "x");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "link.txt"));
}

TEST(WriteFileAtomically, HardLinkedTargetGetsANewFileAndTheOtherNameKeepsTheOldBytes) {
  ScratchDir dir;
  WriteFile(dir / "a.csv", "old");
  ASSERT_EQ(::link((dir / "a.csv").c_str(), (dir / "b.csv").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(dir / "a.csv", Writes("new")).ok);
  EXPECT_EQ(ReadFile(dir / "a.csv"), "new");
  EXPECT_EQ(ReadFile(dir / "b.csv"), "old");
}

TEST(WriteFileAtomically, FifoWithoutReaderIsRefusedAtOnceAndStaysAFifo) {
  ScratchDir dir;
  const std::string path = dir / "pipe";
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const FileResult r = WriteFileAtomically(path, Writes("x"));
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "cannot write " + path + ": no process reads from this pipe");
  EXPECT_TRUE(std::filesystem::is_fifo(path));
  EXPECT_EQ(dir.Names(), std::set<std::string>{"pipe"});
}

TEST(WriteFileAtomically, FifoWithReaderReceivesTheBytesAndStaysAFifo) {
  ScratchDir dir;
  const std::string path = dir / "pipe";
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const FileResult r = WriteFileAtomically(path, Writes("through the pipe"));
  ASSERT_TRUE(r.ok) << r.message;
  char got[64] = {};
  EXPECT_EQ(::read(reader, got, sizeof got), 16);
  ::close(reader);
  EXPECT_STREQ(got, "through the pipe");
  EXPECT_TRUE(std::filesystem::is_fifo(path));
  EXPECT_EQ(dir.Names(), std::set<std::string>{"pipe"});
}

TEST(WriteFileAtomically, CharacterDeviceTargetIsWrittenIntoAndStaysADevice) {
  ScratchDir dir;
  const std::string path = dir / "null";
  // A copy of /dev/null; making a device node needs the privilege to.
  if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
    GTEST_SKIP() << "mknod: " << std::strerror(errno);
  const FileResult r = WriteFileAtomically(path, Writes(std::string(100000, 'd')));
  ASSERT_TRUE(r.ok) << r.message;
  struct stat st;
  ASSERT_EQ(::lstat(path.c_str(), &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  EXPECT_EQ(st.st_rdev, makedev(1, 3));
  EXPECT_EQ(dir.Names(), std::set<std::string>{"null"});
  // The system's own node, reached through a link as /dev/stdout is.
  ASSERT_EQ(::symlink("/dev/null", (dir / "to-null").c_str()), 0);
  ASSERT_TRUE(WriteFileAtomically(dir / "to-null", Writes("x")).ok);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "to-null"));
}

TEST(WriteFileAtomically, SocketTargetIsRefusedAsNotARegularFile) {
  ScratchDir dir;
  const std::string path = dir / "sock";
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const FileResult r = WriteFileAtomically(path, Writes("x"));
  ::close(fd);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "cannot write " + path + ": not a regular file");
  EXPECT_TRUE(std::filesystem::is_socket(path));
  EXPECT_EQ(dir.Names(), std::set<std::string>{"sock"});
}

TEST(WriteFileAtomically, FullDiskLeavesTheOldFileAndNoTemporary) {
  ScratchDir dir;
  const std::string path = dir / "big.bin";
  WriteFile(path, "the old file");
  // A file size limit fails the writes as a full disk does (EFBIG instead of ENOSPC).
  struct rlimit old_limit;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = old_limit;
  limit.rlim_cur = 100000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const FileResult r = WriteFileAtomically(path, Writes(std::string(300000, 'b')));
  ::setrlimit(RLIMIT_FSIZE, &old_limit);
  std::signal(SIGXFSZ, old_handler);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.message, "cannot write " + path + ": " + std::strerror(EFBIG));
  EXPECT_EQ(ReadFile(path), "the old file");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"big.bin"});
}

// The child process saves, and a SIGTERM (or SIGINT) arrives in the middle of it: the process
// still ends by that signal, and the temporary beside the target is gone.
void SaveInterruptedBy(int signal_number, const std::string& path) {
  RemoveTemporaryFilesOnTerminationSignals();
  WriteFileAtomically(path, [signal_number](ByteSink& out) {
    out.Write(std::string(200000, 'p'));  // part of it is in the temporary already
    std::raise(signal_number);
    return true;
  });
  std::_Exit(0);  // not reached
}

TEST(WriteFileAtomicallyDeathTest, TerminationSignalInTheMiddleOfASaveRemovesTheTemporary) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  ScratchDir dir;
  const std::string path = dir / "kept.bin";
  WriteFile(path, "old");
  EXPECT_EXIT(SaveInterruptedBy(SIGTERM, path), ::testing::KilledBySignal(SIGTERM), "");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"kept.bin"});
  EXPECT_EXIT(SaveInterruptedBy(SIGINT, path), ::testing::KilledBySignal(SIGINT), "");
  EXPECT_EQ(dir.Names(), std::set<std::string>{"kept.bin"});
  EXPECT_EQ(ReadFile(path), "old");
}
#endif  // _WIN32

}  // namespace
}  // namespace corvel
