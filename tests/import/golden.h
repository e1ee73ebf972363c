#pragma once
// Expected files of the golden import (tests/fixtures/import/expected). Setting
// LAB2SIV_UPDATE_GOLDEN=1 rewrites them from the run instead of comparing.
#include <string>

namespace testing_import {

std::string readFile(const std::string& path);
// Compares `actual` with the expected file, or rewrites it when asked to.
void expectGolden(const std::string& name, const std::string& actual);

}  // namespace testing_import
