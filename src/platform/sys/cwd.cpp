#include "platform/sys/cwd.h"

namespace sys {

std::filesystem::path currentDirectory() {
  std::error_code ec;
  auto p = std::filesystem::current_path(ec);
  return ec ? std::filesystem::path() : p;
}

}  // namespace sys
