#pragma once
// The log viewer's line file: opened read-only with all sharing denied (the exclusive flock the
// import run's log takes, so a run and a load exclude each other), read line by line with the
// byte count of each line. Only a regular file is read; a line that is not UTF-8 is read as
// Windows-1252.
#include <cstdint>
#include <string>
#include <vector>

namespace import {

class LineReader {
 public:
  // Longest line kept, in characters (the line file's record); the rest of a line is dropped.
  static constexpr std::size_t kLineChars = 255;

  LineReader() = default;
  ~LineReader() { close(); }
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // Opens the file and locks it; false with code() 2 (missing), 32 (in use) or 5 (other, also
  // anything but a regular file).
  bool open(const std::string& path);
  void close();
  bool isOpen() const { return fd_ >= 0; }
  std::int64_t size() const { return size_; }

  // The next line without its line end; its byte count (line end included), or -1 at the end
  // of the file or on a read error.
  std::int64_t next(std::string& line);

  int code() const { return code_; }
  const std::string& error() const { return error_; }

 private:
  bool fill();

  int fd_ = -1;
  std::int64_t size_ = 0;
  std::vector<char> buf_;
  std::size_t pos_ = 0, end_ = 0;
  bool eof_ = false;
  int code_ = 0;
  std::string error_;
};

// `line` cut to at most `chars` UTF-8 characters.
void cutToChars(std::string& line, std::size_t chars);

}  // namespace import
