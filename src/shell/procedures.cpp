#include "shell/procedures.h"

#include <map>
#include <mutex>

#include "platform/ui/api/procedure.h"

namespace shell {
namespace {

std::mutex gMutex;
std::map<std::string, Procedure, std::less<>>& registry() {
  static std::map<std::string, Procedure, std::less<>> r;
  return r;
}

}  // namespace

void setProcedure(std::string_view name, Procedure fn) {
  std::lock_guard lock(gMutex);
  if (fn) {
    registry()[std::string(name)] = std::move(fn);
  } else {
    registry().erase(std::string(name));
  }
}

Procedure procedure(std::string_view name) {
  std::lock_guard lock(gMutex);
  const auto it = registry().find(name);
  return it == registry().end() ? Procedure{} : it->second;
}

bool startProcedure(std::string_view name, std::size_t requestedStack) {
  Procedure fn = procedure(name);
  if (!fn) return false;
  return ui::startProcedure(std::move(fn), requestedStack);
}

bool callProcedure(std::string_view name) {
  Procedure fn = procedure(name);
  if (!fn) return false;
  fn();
  return true;
}

}  // namespace shell
