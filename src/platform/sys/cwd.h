#pragma once
#include <filesystem>

namespace sys {

// The process's current directory; empty when it cannot be read (it was removed).
std::filesystem::path currentDirectory();

}  // namespace sys
