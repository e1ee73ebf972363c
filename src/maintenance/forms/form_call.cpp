#include "maintenance/forms/form_call.h"

#include "data/thread_state.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/event.h"
#include "shell/procedures.h"

namespace maintenance {

int callForm(std::string_view name, int request) {
  return data::callWithRequest(request, [name] { return shell::callProcedure(name); });
}

int takeRequest() {
  const int request = data::takeThreadRequest();
  if (ui::lastKey() == ui::Key::MouseRight) ui::clearLastKey();
  return request;
}

}  // namespace maintenance
