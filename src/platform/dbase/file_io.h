#pragma once
// Reading whole files and finding a file whose name differs only in letter case.
#include <cstddef>
#include <string>

#include "platform/dbase/error.h"

namespace dbase {

// `path` when it exists, else a file in the same folder whose name matches ignoring case,
// else `path` unchanged.
std::string resolveName(const std::string& path);
// The error of a failed open(2) by its errno.
Error openError(int err, const std::string& path);
// Reads up to `limit` bytes of an open descriptor from its start.
Error readAll(int fd, std::string& out, std::size_t limit, const std::string& path);
Error readFile(const std::string& path, std::string& out, std::size_t limit);

}  // namespace dbase
