#include "platform/text/str.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

using text::Str;

TEST(Str, StoresWindows1252AndReturnsUtf8) {
  Str<10> s("Ant. Døgn");
  EXPECT_EQ(s.raw(), std::string_view("Ant. D\xF8gn "));
  EXPECT_EQ(s.str(), "Ant. Døgn");
  EXPECT_TRUE(s == "Ant. Døgn");
  EXPECT_FALSE(s == "Ant. døgn");
}

TEST(Str, CutsToWidthAfterConversion) {
  Str<3> s("ÆØÅX");
  EXPECT_EQ(s.str(), "ÆØÅ");
}

TEST(Str, TrailingBlanksNeverCount) {
  Str<8> a("abc");
  Str<4> b("abc ");
  EXPECT_TRUE(a == b);
  EXPECT_TRUE(a == "abc   ");
  EXPECT_TRUE(Str<5>("ab") < Str<5>("abc"));
  EXPECT_TRUE(Str<5>().blank());
}

TEST(Str, OutsideWindows1252BecomesQuestionMark) {
  Str<4> s("a\u4e2db");
  EXPECT_EQ(s.str(), "a?b");
}

// What a form refuses: the characters the stored field would turn into '?'.
TEST(Codepage, NamesWhatWindows1252CannotHold) {
  struct Case {
    std::string_view utf8;
    std::string_view outside;
  } const cases[] = {
      {"Ærlig? Ja – 5 € og „sitat“ œ", ""},  // '?' itself and the 0x80..0x9F letters fit
      {"", ""},
      {"Analyse 漢字 AS", "漢字"},
      {"😀", "😀"},
      {"/data/lab-Čech", "Č"},
      {"a\xFF"
       "b",
       "\uFFFD"},  // a broken sequence is no text at all
      {"\uFFFD", "\uFFFD"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(text::outsideCp1252(c.utf8), c.outside) << c.utf8;
    EXPECT_EQ(text::fitsCp1252(c.utf8), c.outside.empty()) << c.utf8;
    if (c.outside.empty()) {
      EXPECT_EQ(text::fromCp1252(text::toCp1252(c.utf8)), c.utf8);
    }
  }
}

TEST(Str, UpperCoversLatin1Letters) {
  EXPECT_EQ(Str<6>("æøå é").upper().str(), "ÆØÅ É");
  EXPECT_EQ(text::compareBlankPaddedNoCase(text::toCp1252("bæ"), text::toCp1252("BÆ ")), 0);
}

}  // namespace
