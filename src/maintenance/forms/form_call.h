#pragma once
// Calling an update form or a nested window by name on this thread, through the thread's
// request and response: the caller's buffer holds (or is primed for) the record.
#include <string_view>

namespace maintenance {

// Runs the procedure registered as `name` on this thread with `request` (data::callWithRequest):
// 1 completed, 2 cancelled. A procedure not yet registered counts as cancelled.
int callForm(std::string_view name, int request);

// The called side, as it starts: takes the thread's request and clears request and response. A
// right click that opened it from a list's pop-up menu does not act in it.
int takeRequest();

}  // namespace maintenance
