#pragma once
// The import log: a UTF-8 line file of records of 150 characters. While open it holds an
// exclusive flock, so no other process (and no second opening in this one) writes it meanwhile.
// It is opened without following a symbolic link and must be a regular file: a link would have
// the run empty and fill the file it points to, and a named pipe would hang it.
#include <string>
#include <string_view>

namespace import {

class LogFile {
 public:
  static constexpr std::size_t kLineWidth = 150;

  LogFile() = default;
  ~LogFile() { close(); }
  LogFile(const LogFile&) = delete;
  LogFile& operator=(const LogFile&) = delete;

  // Opens an existing log for appending; fails when it is missing or held by another writer.
  bool open(const std::string& path);
  // Creates the log, or empties an existing one, and opens it. An existing log held by another
  // writer is left untouched and the call fails.
  bool create(const std::string& path);
  void close();
  bool isOpen() const { return fd_ >= 0; }

  // Appends one line: line breaks in the text become blanks, then it is cut to 150 characters
  // and loses its trailing blanks. The line is written whole or not at all. Fails when closed;
  // on a full disk error() starts "Disken er full: ".
  bool append(std::string_view utf8);

  // Text of the last failure, empty after a success.
  const std::string& error() const { return error_; }
  // True once an append failed since the last open or create; error() says why.
  bool appendFailed() const { return appendFailed_; }

 private:
  bool openWith(const std::string& path, int flags, bool empty);

  int fd_ = -1;
  bool appendFailed_ = false;
  std::string error_;
};

}  // namespace import
