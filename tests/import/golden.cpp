#include "golden.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testing_import {

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void expectGolden(const std::string& name, const std::string& actual) {
  const std::string path = std::string(LAB2SIV_FIXTURES) + "/import/expected/" + name;
  const char* update = std::getenv("LAB2SIV_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  EXPECT_EQ(actual, readFile(path)) << "differs from " << path;
}

}  // namespace testing_import
