#include "platform/ui/api/message.h"

#include <stdexcept>

#include "platform/ui/api/backend.h"
#include "platform/ui/api/thread_state.h"

namespace ui {

int message(std::string_view text, std::string_view caption, Icon icon, int buttons, int defaultButton) {
  Backend* b = backend();
  if (!b) throw std::logic_error("ui: no window backend installed");
  if (buttons == 0) buttons = Button::Ok;
  return detail::modal([&](const detail::ModalGuard& g) {
    BoxRequest r;
    r.caption = std::string(caption);
    r.text = std::string(text);
    r.icon = icon;
    r.buttons = buttons;
    r.defaultButton = defaultButton;
    r.thread = g.thread();
    r.window = g.window();
    return b->messageBox(r);
  });
}

}  // namespace ui
