#include "ui_message_double.h"

#include <mutex>

namespace testing_ui {

std::vector<Box>& boxes() {
  static std::vector<Box> b;
  return b;
}

}  // namespace testing_ui

namespace ui {

int message(std::string_view text, std::string_view caption, Icon icon, int buttons, int) {
  testing_ui::boxes().push_back({std::string(text), std::string(caption), icon});
  return buttons & Button::Ok ? Button::Ok : buttons;
}

}  // namespace ui
