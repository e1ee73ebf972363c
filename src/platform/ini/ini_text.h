#pragma once
// The text side of settings files: finding and setting a key in a file's contents (UTF-8).
#include <optional>
#include <string>
#include <string_view>

namespace ini {

// The value of key in section, blanks around it removed; nullopt when missing.
// Names compare ignoring letter case; lines that are neither a section, a key, a comment nor
// blank are passed over.
std::optional<std::string> findValue(std::string_view content, std::string_view section, std::string_view key);

// content with key set to value in section; every other line kept byte for byte. A missing
// key is added after the section's last line, a missing section at the end of the file.
// Line breaks inside value become blanks, so a value cannot add lines of its own.
std::string withValue(std::string_view content, std::string_view section, std::string_view key, std::string_view value);

// A section or key name that can be written: not empty, no line break, no ']' or '[',
// not starting with ';' or '#', no blanks around it.
bool isValidName(std::string_view name);

// The first maxChars characters of UTF-8 text.
std::string cutToLength(std::string_view utf8, std::size_t maxChars);

}  // namespace ini
