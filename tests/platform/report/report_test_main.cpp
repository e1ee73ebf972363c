// Test programs that paint reports: an offscreen Qt application lives as long as the tests.
#include <gtest/gtest.h>

#include "platform/report/report.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  report::Painting painting(argc, argv);
  return RUN_ALL_TESTS();
}
