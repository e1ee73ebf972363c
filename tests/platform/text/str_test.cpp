#include "platform/text/str.h"

#include <gtest/gtest.h>

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

TEST(Str, UpperCoversLatin1Letters) {
  EXPECT_EQ(Str<6>("æøå é").upper().str(), "ÆØÅ É");
  EXPECT_EQ(text::compareBlankPaddedNoCase(text::toCp1252("bæ"), text::toCp1252("BÆ ")), 0);
}

}  // namespace
