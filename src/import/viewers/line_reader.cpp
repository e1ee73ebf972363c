#include "import/viewers/line_reader.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/text/codepage.h"

namespace import {
namespace {

// Logs written before the log was UTF-8 hold Windows-1252 lines.
void toUtf8(std::string& line) {
  if (!text::isValidUtf8(line)) line = text::fromCp1252(line);
}

}  // namespace

bool LineReader::open(const std::string& path) {
  close();
  code_ = 0;
  error_.clear();
  // Non-blocking, so that a named pipe in its place is refused instead of waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    code_ = errno == ENOENT ? 2 : 5;
    error_ = errno == ENOENT ? "File Not Found" : std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    code_ = 5;
    error_ = "Fila er ikke en vanlig fil";
    ::close(fd);
    return false;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    code_ = errno == EWOULDBLOCK ? 32 : 5;
    error_ = errno == EWOULDBLOCK ? "File Is Locked" : std::strerror(errno);
    ::close(fd);
    return false;
  }
  fd_ = fd;
  size_ = st.st_size;
  buf_.resize(1 << 16);
  pos_ = end_ = 0;
  eof_ = false;
  return true;
}

void LineReader::close() {
  if (fd_ >= 0) {
    ::close(fd_);  // releases the lock
    fd_ = -1;
  }
}

bool LineReader::fill() {
  if (eof_ || fd_ < 0) return false;
  if (pos_ > 0) {
    std::memmove(buf_.data(), buf_.data() + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
  }
  if (end_ == buf_.size()) buf_.resize(buf_.size() * 2);
  for (;;) {
    const ssize_t n = ::read(fd_, buf_.data() + end_, buf_.size() - end_);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      eof_ = true;
      return false;
    }
    end_ += static_cast<std::size_t>(n);
    return true;
  }
}

std::int64_t LineReader::next(std::string& line) {
  for (;;) {
    const char* start = buf_.data() + pos_;
    if (const void* nl = std::memchr(start, '\n', end_ - pos_)) {
      const std::size_t len = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
      line.assign(start, len);
      pos_ += len + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      toUtf8(line);
      cutToChars(line, kLineChars);
      return static_cast<std::int64_t>(len + 1);
    }
    if (!fill()) break;
  }
  if (pos_ == end_) return -1;
  // The last line without a line end.
  const std::size_t len = end_ - pos_;
  line.assign(buf_.data() + pos_, len);
  pos_ = end_;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  toUtf8(line);
  cutToChars(line, kLineChars);
  return static_cast<std::int64_t>(len);
}

void cutToChars(std::string& line, std::size_t chars) {
  if (line.size() <= chars) return;  // never more characters than bytes
  std::size_t n = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if ((static_cast<unsigned char>(line[i]) & 0xC0) == 0x80) continue;  // continuation byte
    if (n == chars) {
      line.resize(i);
      return;
    }
    ++n;
  }
}

}  // namespace import
