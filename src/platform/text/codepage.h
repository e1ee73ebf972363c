#pragma once
// Conversions between UTF-8 (every boundary of the program) and the single-byte code pages
// the stored data uses: Windows-1252 for the program's own text, OEM pages for dBase tables.
#include <string>
#include <string_view>

namespace text {

// UTF-8 to Windows-1252; a character outside Windows-1252 (or a broken sequence) becomes '?'.
std::string toCp1252(std::string_view utf8);
// True when toCp1252 keeps every character: valid UTF-8 and nothing outside Windows-1252.
bool fitsCp1252(std::string_view utf8);
// The characters of the text that Windows-1252 cannot hold, in order, in UTF-8 (a broken
// sequence shows as U+FFFD); empty when it fits.
std::string outsideCp1252(std::string_view utf8);
// Windows-1252 to UTF-8; the five unassigned bytes map to U+FFFD.
std::string fromCp1252(std::string_view cp1252);

// Upper case of one Windows-1252 byte: a-z and the Latin-1 letters (æ ø å é ...), š œ ž ÿ.
unsigned char upper1252(unsigned char c);
std::string upper1252(std::string_view cp1252);

// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

}  // namespace text
