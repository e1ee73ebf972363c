#include "maintenance/form_call.h"

#include "data/thread_state.h"
#include "shell/procedures.h"

namespace maintenance {

int callForm(std::string_view name, int request) {
  data::ThreadState& t = data::thr();
  t.request = request;
  if (!shell::callProcedure(name)) {
    t.request = 0;
    t.response = 2;
  }
  return t.response == 1 ? 1 : 2;
}

}  // namespace maintenance
