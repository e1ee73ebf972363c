#pragma once
// Str<N>: a fixed-width text field of N Windows-1252 bytes, blank-padded, as the record
// buffers hold it. Every value going in or out is UTF-8; trailing blanks never count.
#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/text/codepage.h"

namespace text {

// Compares two Windows-1252 texts as if both were padded with blanks to the same length,
// byte by byte as unsigned values.
int compareBlankPadded(std::string_view a, std::string_view b);
// The same after upper-casing both (case-insensitive keys).
int compareBlankPaddedNoCase(std::string_view a, std::string_view b);
// Removes trailing blanks.
std::string_view trimRight(std::string_view s);
// True when the UTF-8 text fits a field of `width` Windows-1252 bytes whole: no character
// outside Windows-1252, nothing cut.
bool fitsStr(std::string_view utf8, std::size_t width);

template <std::size_t N>
class Str {
  static_assert(N > 0);

 public:
  Str() { clear(); }
  Str(std::string_view utf8) { assign(utf8); }  // NOLINT: implicit from UTF-8 text on purpose
  Str(const char* utf8) { assign(utf8 ? std::string_view(utf8) : std::string_view()); }  // NOLINT
  Str(const std::string& utf8) { assign(utf8); }                                         // NOLINT

  Str& operator=(std::string_view utf8) {
    assign(utf8);
    return *this;
  }
  Str& operator=(const char* utf8) { return *this = std::string_view(utf8 ? utf8 : ""); }
  Str& operator=(const std::string& utf8) { return *this = std::string_view(utf8); }
  template <std::size_t M>
  Str& operator=(const Str<M>& other) requires(M != N) {
    assignRaw(other.raw());
    return *this;
  }

  static constexpr std::size_t size() { return N; }

  void clear() { std::memset(bytes_, ' ', N); }
  // Stores UTF-8 text, cut to N bytes after conversion.
  void assign(std::string_view utf8) { assignRaw(toCp1252(utf8)); }
  // Stores Windows-1252 bytes as they are, cut to N.
  void assignRaw(std::string_view cp1252) {
    const std::size_t n = std::min(cp1252.size(), N);
    std::memcpy(bytes_, cp1252.data(), n);
    std::memset(bytes_ + n, ' ', N - n);
  }

  // The text in UTF-8 without trailing blanks.
  std::string str() const { return fromCp1252(trimmedRaw()); }
  // All N bytes in Windows-1252.
  std::string_view raw() const { return {bytes_, N}; }
  std::string_view trimmedRaw() const { return trimRight(raw()); }
  bool blank() const { return trimmedRaw().empty(); }
  Str upper() const {
    Str out;
    out.assignRaw(upper1252(raw()));
    return out;
  }

  char* data() { return bytes_; }
  const char* data() const { return bytes_; }
  // One byte (0-based), Windows-1252.
  char& operator[](std::size_t i) { return bytes_[i]; }
  char operator[](std::size_t i) const { return bytes_[i]; }

  // Inline, without the byte-by-byte loop: the common part matches and the longer text has
  // only blanks beyond it. Record fields are compared this way in the import's inner loops.
  template <std::size_t M>
  bool operator==(const Str<M>& o) const {
    constexpr std::size_t k = N < M ? N : M;
    if (std::memcmp(bytes_, o.data(), k) != 0) return false;
    const char* rest = N > M ? bytes_ + k : o.data() + k;
    for (std::size_t i = 0; i < (N > M ? N : M) - k; ++i)
      if (rest[i] != ' ') return false;
    return true;
  }
  template <std::size_t M>
  std::strong_ordering operator<=>(const Str<M>& o) const {
    return compareBlankPadded(raw(), o.raw()) <=> 0;
  }
  bool operator==(std::string_view utf8) const { return compareBlankPadded(raw(), toCp1252(utf8)) == 0; }
  bool operator==(const char* utf8) const { return *this == std::string_view(utf8); }
  std::strong_ordering operator<=>(std::string_view utf8) const {
    return compareBlankPadded(raw(), toCp1252(utf8)) <=> 0;
  }

 private:
  char bytes_[N];
};

}  // namespace text
