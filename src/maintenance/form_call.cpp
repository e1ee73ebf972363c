#include "maintenance/form_call.h"

#include "data/thread_state.h"
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

}  // namespace maintenance
