#pragma once
// OEM code pages of dBase tables (865, 850, 437, 1252 and any other page iconv knows as CPnnn).
#include <string>
#include <string_view>

namespace text {

// Bytes in `codePage` to UTF-8; a byte the page does not define becomes '?'. An unknown code
// page converts bytes 0..127 as ASCII and every other byte to '?'.
std::string oemToUtf8(std::string_view bytes, int codePage);
// UTF-8 to `codePage`; a character the page cannot hold (or a broken sequence) becomes '?'.
std::string utf8ToOem(std::string_view utf8, int codePage);

// True when iconv knows the page.
bool isKnownCodePage(int codePage);

}  // namespace text
