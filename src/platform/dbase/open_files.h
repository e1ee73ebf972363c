#pragma once
// The process's register of open tables, so a second open of the same file reports 52
// whatever path spelling it uses.
#include <cstdint>

namespace dbase {

// False when the file (device, inode) is registered already.
bool registerOpenFile(std::uint64_t device, std::uint64_t inode);
void unregisterOpenFile(std::uint64_t device, std::uint64_t inode);

}  // namespace dbase
