// A folder of its own for each test that writes files, so that tests run in parallel never share
// a file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace corvel::testing {

// TempDir()/PREFIX_TESTNAME, created.
inline std::string TestFolder(const std::string& prefix) {
  const std::string dir = ::testing::TempDir() + prefix + "_" +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name();
  std::filesystem::create_directories(dir);
  return dir;
}

}  // namespace corvel::testing
