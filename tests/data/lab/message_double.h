#pragma once
// Records the message boxes instead of showing them.
#include <string>
#include <vector>

#include "platform/ui/api/message.h"

namespace lab_test {

struct Box {
  std::string text, caption;
  ui::Icon icon;
  int buttons;
};

std::vector<Box>& boxes();

}  // namespace lab_test
