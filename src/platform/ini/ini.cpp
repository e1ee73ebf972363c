#include "platform/ini/ini.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <vector>

#include "platform/ini/ini_text.h"
#include "platform/text/codepage.h"

namespace ini {
namespace {

namespace fs = std::filesystem;

std::mutex gWriteMutex;

struct ReadResult {
  std::optional<std::string> bytes;  // nullopt: missing or unreadable
  std::string error;                 // why it could not be read; "" when missing or read
};

ReadResult readAll(const fs::path& p) {
  // Non-blocking, so that a named pipe in its place does not hang the start.
  const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return {std::nullopt, errno == ENOENT ? std::string() : std::strerror(errno)};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return {std::nullopt, "Not a regular file"};
  }
  std::string out;
  char buf[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      const std::string why = std::strerror(errno);
      ::close(fd);
      return {std::nullopt, why};
    }
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return {std::move(out), ""};
}

// Settings are UTF-8; older files written by Windows programs are Windows-1252.
std::string decode(std::string bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  if (!text::isValidUtf8(bytes)) return text::fromCp1252(bytes);
  return bytes;
}

std::string homeDirectory() {
  if (const char* h = std::getenv("HOME"); h && *h) return h;
  if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return ".";
}

bool writeFully(int fd, const std::string& data) {
  std::size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

void syncDirectory(const fs::path& dir) {
  const int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

// Writes data to a temporary file beside target, syncs it and renames it over target.
bool replaceFile(const fs::path& target, const std::string& data) {
  std::string tmpl = target.string() + ".XXXXXX";
  const int fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  // Keep the file's permissions; a new file gets the usual ones.
  const mode_t mode = ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
  }();
  bool ok = ::fchmod(fd, mode) == 0 && writeFully(fd, data) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  if (ok) ok = ::rename(tmpl.c_str(), target.c_str()) == 0;
  if (!ok) {
    ::unlink(tmpl.c_str());
    return false;
  }
  syncDirectory(target.parent_path());
  return true;
}

// Holds an exclusive flock on "<file>.lock" for other processes writing the same file. The
// holder removes the lock file as it lets go; a writer that was waiting on the removed file
// then locks the one now at the path instead.
class FileLock {
 public:
  explicit FileLock(const fs::path& target) : name_(target.string() + ".lock") {
    for (;;) {
      fd_ = ::open(name_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
      if (fd_ < 0) return;
      while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
      }
      struct stat mine {
      }, there{};
      if (::fstat(fd_, &mine) == 0 && ::stat(name_.c_str(), &there) == 0 && mine.st_dev == there.st_dev &&
          mine.st_ino == there.st_ino)
        return;
      ::close(fd_);
    }
  }
  ~FileLock() {
    if (fd_ < 0) return;
    ::unlink(name_.c_str());  // while still held, so no one locks it after we let go
    ::close(fd_);
  }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  bool held() const { return fd_ >= 0; }

 private:
  std::string name_;
  int fd_ = -1;
};

}  // namespace

fs::path resolve(std::string_view file) {
  if (file.find('/') != std::string_view::npos) return fs::path(std::string(file));
  fs::path dir;
  if (const char* s = std::getenv("LAB2SIV_SYSTEM_DIR"); s && *s) {
    dir = s;
  } else if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) {
    dir = x;
  } else {
    dir = fs::path(homeDirectory()) / ".config";
  }
  return dir / std::string(file);
}

std::string readProblem(std::string_view file) { return readAll(resolve(file)).error; }

std::string getValue(std::string_view file, std::string_view section, std::string_view key, std::string_view def) {
  const auto read = readAll(resolve(file));
  if (!read.bytes) return std::string(def);
  const auto value = findValue(decode(*read.bytes), section, key);
  if (!value) return std::string(def);
  return cutToLength(*value, kMaxValueLength);
}

bool putValue(std::string_view file, std::string_view section, std::string_view key, std::string_view value) {
  return putValues(file, {{std::string(section), std::string(key), std::string(value)}});
}

bool putValues(std::string_view file, const std::vector<Entry>& entries) {
  for (const auto& e : entries)
    if (!isValidName(e.section) || !isValidName(e.key) || e.key.find('=') != std::string::npos) return false;
  fs::path target = resolve(file);
  std::error_code ec;
  // Write through a symbolic link rather than replacing it.
  if (fs::is_symlink(target, ec)) {
    const fs::path real = fs::canonical(target, ec);
    if (!ec) target = real;
  }
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), ec);

  std::lock_guard<std::mutex> guard(gWriteMutex);
  FileLock lock(target);
  if (!lock.held()) return false;
  const auto read = readAll(target);
  if (!read.error.empty()) return false;
  std::string content = read.bytes ? decode(*read.bytes) : std::string();
  for (const auto& e : entries) content = withValue(content, e.section, e.key, e.value);
  return replaceFile(target, content);
}

}  // namespace ini
