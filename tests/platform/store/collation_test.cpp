// The collation of case-insensitive keys: upper case by Windows-1252 rules, then code points,
// trailing blanks left out.
#include <gtest/gtest.h>

#include <string>

#include "platform/store/upper1252.h"

namespace {

TEST(CollationTest, ComparesUpperCasedCodePoints) {
  struct Case {
    std::string a, b;
    int want;
  };
  const Case cases[] = {
      {"abc", "ABC", 0},
      {"æøå", "ÆØÅ", 0},
      {"ÿ", "Ÿ", 0},
      {"šœž", "ŠŒŽ", 0},
      {"a", "b", -1},
      {"Z", "a", 1},
      {"å", "Æ", -1},  // Å U+00C5 before Æ U+00C6
      {"é", "Z", 1},
      {"ab", "abc", -1},
      {"", "a", -1},
      {"ÿ", "€", -1},  // Ÿ U+0178 < € U+20AC
      {"ß", "SS", 1},
      {"\xC3", "\xC3", 0},  // a broken sequence compares as its byte, equal to itself
      // Trailing blanks never count; other blanks and trailing tabs do.
      {"FJL", "fjl  ", 0},
      {" ", "", 0},
      {"FJL ", "FJLA", -1},
      {"FJL\t", "FJL ", 1},
      {" A", "A", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.a + " / " + c.b);
    EXPECT_EQ(store::compareUpper1252(c.a, c.b), c.want);
    EXPECT_EQ(store::compareUpper1252(c.b, c.a), -c.want);
  }
}

}  // namespace
