#include "maintenance/form_call.h"

#include "data/thread_state.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/event.h"
#include "shell/procedures.h"

namespace maintenance {

int callForm(std::string_view name, int request) {
  data::ThreadState& t = data::thr();
  t.ThreadRequest = request;
  if (!shell::callProcedure(name)) {
    t.ThreadRequest = 0;
    t.ThreadResponse = 2;
  }
  return t.ThreadResponse == 1 ? 1 : 2;
}

int takeRequest() {
  data::ThreadState& t = data::thr();
  const int request = t.ThreadRequest;
  t.ThreadRequest = 0;
  t.ThreadResponse = 0;
  if (ui::lastKey() == ui::Key::MouseRight) ui::clearLastKey();
  return request;
}

}  // namespace maintenance
