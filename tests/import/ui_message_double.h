#pragma once
// The message boxes a test's code showed, recorded by the double of ui::message.
#include <string>
#include <vector>

#include "platform/ui/api/message.h"

namespace testing_ui {

struct Box {
  std::string text;
  std::string caption;
  ui::Icon icon;
};

std::vector<Box>& boxes();

}  // namespace testing_ui
