#pragma once
// Single-byte OEM/ANSI code pages of dBase tables, converted byte by byte through tables
// built once per code page.
#include <array>
#include <cstdint>
#include <string>

namespace dbase {

struct CodePageTable {
  int codePage = 865;
  std::array<std::string, 256> utf8;      // each byte as UTF-8
  std::array<unsigned char, 256> cp1252;  // each byte in Windows-1252 ('?' when absent there)
};

// The code page named by a header's language-driver byte; CP865 when the byte is 0 or unknown.
int codePageFromLanguageDriver(std::uint8_t driver);
// The table of a code page (cached, thread-safe). An unknown page falls back to CP865.
const CodePageTable& codePageTable(int codePage);

}  // namespace dbase
