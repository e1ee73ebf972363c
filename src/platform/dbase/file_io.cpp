#include "platform/dbase/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/text/codepage.h"

namespace dbase {

std::string resolveName(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (path.empty() || fs::exists(path, ec)) return path;
  const fs::path p(path);
  const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
  const std::string want = text::upper1252(p.filename().string());
  for (const auto& entry : fs::directory_iterator(dir, ec))
    if (text::upper1252(entry.path().filename().string()) == want) return entry.path().string();
  return path;
}

Error openError(int err, const std::string& path) {
  switch (err) {
    case ENOENT:
    case ENOTDIR: return makeError(Code::FileMissing, path);
    case EACCES:
    case EPERM: return makeError(Code::AccessDenied, path);
    default: return makeError(Code::SystemError, path + ": " + std::strerror(err));
  }
}

Error readAll(int fd, std::string& out, std::size_t limit, const std::string& path) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return openError(errno, path);
  if (!S_ISREG(st.st_mode)) return makeError(Code::InvalidFile, path + " is not a regular file");
  const auto size = static_cast<std::size_t>(st.st_size);
  out.resize(size < limit ? size : limit);
  std::size_t got = 0;
  while (got < out.size()) {
    const ssize_t n = pread(fd, out.data() + got, out.size() - got, static_cast<off_t>(got));
    if (n < 0) {
      if (errno == EINTR) continue;
      return makeError(Code::SystemError, path + ": " + std::strerror(errno));
    }
    if (n == 0) break;  // shrank meanwhile
    got += static_cast<std::size_t>(n);
  }
  out.resize(got);
  return {};
}

Error readFile(const std::string& path, std::string& out, std::size_t limit) {
  // Non-blocking, so that a named pipe is refused by readAll instead of hanging the open.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return openError(errno, path);
  Error e = readAll(fd, out, limit, path);
  ::close(fd);
  return e;
}

}  // namespace dbase
