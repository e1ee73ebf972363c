#pragma once
// Settings files by section and key ("[Section]" lines, "key=value" lines).
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ini {

// Values longer than this are cut when read.
inline constexpr std::size_t kMaxValueLength = 1023;

// A bare file name (no '/') lies in the system settings directory: $LAB2SIV_SYSTEM_DIR when
// set, else $XDG_CONFIG_HOME, else ~/.config. A name with a directory part is used as it is.
std::filesystem::path resolve(std::string_view file);

// Why the file cannot be read ("Permission denied"), "" when it can. Only a missing file reads
// as empty; any other file that cannot be read is never written (putValue fails).
std::string readProblem(std::string_view file);

// The value of `key` in `section` (names compared ignoring letter case), blanks around it
// removed, cut to kMaxValueLength; `def` when the file, the section or the key is missing, or
// the file cannot be read (readProblem says why). A file that is not valid UTF-8 is read as
// Windows-1252.
std::string getValue(std::string_view file, std::string_view section, std::string_view key, std::string_view def);

// Writes `key=value` into `section`, keeping every other line as it was; adds a missing
// section or key, creates a missing file and its directory. The file is replaced atomically,
// and writers in this process and in others are serialised. False when it could not be written,
// and when the file is there but cannot be read: writing it then would lose every other line.
bool putValue(std::string_view file, std::string_view section, std::string_view key, std::string_view value);

// Writes several keys, in their order, as putValue does but with one replacement of the
// file: all are written or none.
struct Entry {
  std::string section;
  std::string key;
  std::string value;
};
bool putValues(std::string_view file, const std::vector<Entry>& entries);

}  // namespace ini
