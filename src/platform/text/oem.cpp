#include "platform/text/oem.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <string>
#include <utility>

namespace text {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // what iconv_open returns on failure

// iconv_t is not safe to share between threads: each thread keeps its own converters.
class Converters {
 public:
  ~Converters() {
    for (auto& [key, cd] : open_)
      if (cd != kNoConverter) iconv_close(cd);
  }
  // toUtf8: from the page to UTF-8; else the other way. kNoConverter when iconv lacks the page.
  iconv_t get(int codePage, bool toUtf8) {
    const auto key = std::make_pair(codePage, toUtf8);
    auto it = open_.find(key);
    if (it == open_.end()) {
      const std::string page = "CP" + std::to_string(codePage);
      const iconv_t cd = toUtf8 ? iconv_open("UTF-8", page.c_str()) : iconv_open(page.c_str(), "UTF-8");
      it = open_.emplace(key, cd).first;
    }
    return it->second;
  }

 private:
  std::map<std::pair<int, bool>, iconv_t> open_;
};

Converters& converters() {
  thread_local Converters c;
  return c;
}

// Length of the UTF-8 sequence led by b, 1 for a stray byte.
std::size_t utf8Length(unsigned char b) {
  if ((b & 0xE0) == 0xC0) return 2;
  if ((b & 0xF0) == 0xE0) return 3;
  if ((b & 0xF8) == 0xF0) return 4;
  return 1;
}

// Converts everything, writing '?' for each input unit iconv refuses: one byte from a code
// page, one character (or one broken byte) from UTF-8.
std::string convert(iconv_t cd, std::string_view in, bool fromUtf8) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string out;
  out.reserve(in.size() * 2 + 8);
  char buf[1024];
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    char* dst = buf;
    std::size_t room = sizeof buf;
    const std::size_t rc = iconv(cd, &src, &left, &dst, &room);
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (rc != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (a sequence cut off at the end): skip the unit.
    std::size_t skip = 1;
    if (fromUtf8) {
      const std::size_t n = utf8Length(static_cast<unsigned char>(*src));
      bool whole = n <= left;
      for (std::size_t k = 1; whole && k < n; ++k) whole = (static_cast<unsigned char>(src[k]) & 0xC0) == 0x80;
      if (whole) skip = n;
    }
    out += '?';
    src += skip;
    left -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

// Without a converter only ASCII is certain.
std::string asciiOnly(std::string_view in, bool fromUtf8) {
  std::string out;
  for (std::size_t i = 0; i < in.size();) {
    const auto b = static_cast<unsigned char>(in[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
    } else {
      out += '?';
      i += fromUtf8 ? std::min(utf8Length(b), in.size() - i) : 1;
    }
  }
  return out;
}

}  // namespace

std::string oemToUtf8(std::string_view bytes, int codePage) {
  const iconv_t cd = converters().get(codePage, true);
  if (cd == kNoConverter) return asciiOnly(bytes, false);
  return convert(cd, bytes, false);
}

std::string utf8ToOem(std::string_view utf8, int codePage) {
  const iconv_t cd = converters().get(codePage, false);
  if (cd == kNoConverter) return asciiOnly(utf8, true);
  return convert(cd, utf8, true);
}

bool isKnownCodePage(int codePage) { return converters().get(codePage, true) != kNoConverter; }

}  // namespace text
