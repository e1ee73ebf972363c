#include "import/log_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text/codepage.h"
#include "platform/text/str.h"

namespace import {

bool LogFile::open(const std::string& path) { return openWith(path, O_RDWR | O_APPEND, false); }

bool LogFile::create(const std::string& path) { return openWith(path, O_RDWR | O_APPEND | O_CREAT, true); }

bool LogFile::openWith(const std::string& path, int flags, bool empty) {
  close();
  error_.clear();
  appendFailed_ = false;
  // Non-blocking, so that a named pipe in its place is refused instead of waited on.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
  if (fd < 0) {
    error_ = errno == ELOOP ? "Fila er en symbolsk lenke" : std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error_ = "Fila er ikke en vanlig fil";
    ::close(fd);
    return false;
  }
  // Lock before truncating, so emptying never destroys a log another writer holds.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    error_ = errno == EWOULDBLOCK ? "File is locked by another process" : std::strerror(errno);
    ::close(fd);
    return false;
  }
  if (empty && ::ftruncate(fd, 0) != 0) {
    error_ = std::strerror(errno);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void LogFile::close() {
  if (fd_ >= 0) {
    ::close(fd_);  // releases the flock
    fd_ = -1;
  }
}

bool LogFile::append(std::string_view utf8) {
  if (fd_ < 0) {
    if (error_.empty()) error_ = "Fila er ikke åpnet";
    appendFailed_ = true;
    return false;
  }
  std::string cp = text::toCp1252(utf8);
  // One record is one line: a line break inside a text (a plant name, a driver's error text)
  // must not split it into two records.
  for (char& c : cp)
    if (c == '\n' || c == '\r') c = ' ';
  if (cp.size() > kLineWidth) cp.resize(kLineWidth);
  std::string line = text::fromCp1252(text::trimRight(cp));
  line += '\n';
  // The line goes whole or not at all: a write the disk cuts short is taken back, so the log
  // never ends in half a line.
  const off_t start = ::lseek(fd_, 0, SEEK_END);
  std::string_view rest = line;
  while (!rest.empty()) {
    const ssize_t n = ::write(fd_, rest.data(), rest.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      error_ =
          err == ENOSPC || err == EDQUOT ? "Disken er full: " + std::string(std::strerror(err)) : std::strerror(err);
      if (start >= 0 && rest.size() < line.size() && ::ftruncate(fd_, start) != 0)
        error_ += "; siste linje er ufullstendig";
      appendFailed_ = true;
      return false;
    }
    rest.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace import
