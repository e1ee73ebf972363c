#pragma once
// A fixture base: the test file created and open in a scratch directory.
#include <gtest/gtest.h>

#include <string>

#include "scratch_dir.h"
#include "test_record.h"

namespace testing_util {

template <class Base = ::testing::Test>
class OpenTestFile : public Base {
 protected:
  ScratchDir dir;
  std::string path = dir.file("Test.tps");
  TestFile f{path};
  void SetUp() override {
    ASSERT_EQ(f.create(), 0);
    ASSERT_EQ(f.open(), 0);
  }
};

}  // namespace testing_util
