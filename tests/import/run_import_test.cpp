#include "import/run_import.h"

#include <gtest/gtest.h>

#include "scenario.h"
#include "ui_message_double.h"

namespace testing_import {
namespace {

using RunImportTest = ScenarioFixture;

TEST_F(RunImportTest, Smoke) {
  run(allOn());
  std::cout << logText();
  for (auto& s : dumpUtslippskontroll()) std::cout << s << "\n";
  for (auto& s : dumpSlamkontroll()) std::cout << s << "\n";
  for (auto& s : progress.shown) std::cout << s << "\n";
}

}  // namespace
}  // namespace testing_import
