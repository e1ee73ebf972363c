#pragma once
// Modal message boxes. The box blocks only the calling thread; "|" in a text breaks a line.
#include <string_view>

namespace ui {

enum class Icon { None, Information, Exclamation, Question, Stop };

// Buttons of a message box; combine with |. The value returned is the one pressed.
namespace Button {
inline constexpr int Ok = 1;
inline constexpr int Yes = 2;
inline constexpr int No = 4;
inline constexpr int Abort = 8;
inline constexpr int Retry = 16;
inline constexpr int Ignore = 32;
inline constexpr int Cancel = 64;
inline constexpr int Help = 128;
}  // namespace Button

// Shows a box with the given caption, icon and buttons; `defaultButton` 0 means the first one.
// Returns the button pressed.
int message(std::string_view text, std::string_view caption = {}, Icon icon = Icon::None, int buttons = Button::Ok,
            int defaultButton = 0);

}  // namespace ui
