#pragma once
// The window procedures the frame starts, by name ("LabBrowse", "ImportWindow", "AboutWindow").
// Each area registers its own at program start; a name with nothing registered starts nothing,
// so the frame works before every window exists.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace shell {

using Procedure = std::function<void()>;

// Registers (or replaces; an empty fn removes) the procedure of `name`.
void setProcedure(std::string_view name, Procedure fn);
// The procedure of `name`, empty when none is registered.
Procedure procedure(std::string_view name);

// Starts the procedure of `name` on a new thread with the requested stack (raised to the
// platform's floor). False when nothing is registered or the thread could not start.
bool startProcedure(std::string_view name, std::size_t requestedStack = 25000);
// Runs the procedure of `name` on the calling thread; false when nothing is registered.
bool callProcedure(std::string_view name);

}  // namespace shell
