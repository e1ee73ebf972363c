#include "platform/text/picture.h"

#include <gtest/gtest.h>

namespace {

using text::dateFromYmd;

TEST(Picture, DatesAsDdMmYy) {
  EXPECT_EQ(text::formatDate(dateFromYmd(2008, 9, 5)), "05.09.08");
  EXPECT_EQ(text::formatDate(dateFromYmd(1999, 12, 31)), "31.12.99");
  EXPECT_EQ(text::formatDate(0), "");
}

TEST(Picture, TypedDates) {
  const struct {
    const char* typed;
    std::optional<text::Date> date;
  } cases[] = {
      {"05.09.08", dateFromYmd(2008, 9, 5)},
      {"5.9.08", dateFromYmd(2008, 9, 5)},
      {" 05.09.2008 ", dateFromYmd(2008, 9, 5)},
      {"050908", dateFromYmd(2008, 9, 5)},
      {"05092008", dateFromYmd(2008, 9, 5)},
      {"05/09/08", dateFromYmd(2008, 9, 5)},
      {"05-09-1949", dateFromYmd(1949, 9, 5)},
      {"01.01.49", dateFromYmd(2049, 1, 1)},  // the century turns between 49 and 50
      {"01.01.50", dateFromYmd(1950, 1, 1)},
      {"29.02.00", dateFromYmd(2000, 2, 29)},
      {"", 0},
      {"   ", 0},
      {"31.02.08", std::nullopt},
      {"29.02.1900", std::nullopt},
      {"1.2.3", std::nullopt},
      {"05.09", std::nullopt},
      {"5908", std::nullopt},
      {"aa.bb.cc", std::nullopt},
      {"05..08", std::nullopt},
      {"05.09.208", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text::parseDateStrict(c.typed), c.date) << '"' << c.typed << '"';
    EXPECT_EQ(text::parseDate(c.typed), c.date.value_or(0)) << '"' << c.typed << '"';
  }
}

TEST(Picture, NumbersWithADecimalComma) {
  const struct {
    double value;
    int width, decimals;
    bool blankWhenZero;
    const char* text;
  } cases[] = {
      {1.5, 7, 3, true, "  1,500"},      {-1.5, 7, 3, true, " -1,500"},
      {0.0015, 7, 3, true, "  0,002"},  // rounded to the picture's places
      {123.4567, 7, 3, true, "123,457"}, {0, 7, 3, true, "       "},
      {0.0004, 7, 3, true, "       "},  // zero once rounded
      {-0.0004, 7, 3, false, "  0,000"}, {0, 7, 3, false, "  0,000"},
      {1234.5, 7, 3, true, "#######"},  // too wide: never a cut number
      {42, 4, 0, true, "  42"},          {2.25, 0, 2, true, "2,25"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(text::formatNumber(c.value, c.width, c.decimals, c.blankWhenZero), c.text) << c.value;
}

TEST(Picture, TypedNumbers) {
  EXPECT_EQ(text::parseNumber("1,5"), 1.5);
  EXPECT_EQ(text::parseNumber(" 1.5 "), 1.5);
  EXPECT_EQ(text::parseNumber("-0,001"), -0.001);
  EXPECT_EQ(text::parseNumber(""), 0.0);
  EXPECT_EQ(text::parseNumber("  "), 0.0);
  for (const char* bad : {"1,5,0", "abc", "1.5x", ",", "1 000"}) EXPECT_EQ(text::parseNumber(bad), std::nullopt) << bad;
}

TEST(Picture, LogLayouts) {
  EXPECT_EQ(text::formatLogDate(dateFromYmd(2008, 9, 5)), " 5.09.08");
  EXPECT_EQ(text::formatLogDate(dateFromYmd(2010, 12, 31)), "31.12.10");
  EXPECT_EQ(text::formatLogDate(0), "        ");
  EXPECT_EQ(text::formatLogTime(9 * 3600 + 5 * 60 + 59), " 9.05");
  EXPECT_EQ(text::formatLogTime(0), " 0.00");
  EXPECT_EQ(text::formatLogTime(23 * 3600 + 59 * 60), "23.59");
  EXPECT_EQ(text::formatCount5(0), "    0");
  EXPECT_EQ(text::formatCount5(12345), "12345");
  EXPECT_EQ(text::formatCount5(1234567), "1234567");  // written in full, never cut
  EXPECT_EQ(text::formatRightAligned(7, 2), " 7");
}

TEST(Picture, StringPictureCutsCharactersNotBytes) {
  EXPECT_EQ(text::formatPictureS("Ant. Døgn", 6), "Ant. D");
  EXPECT_EQ(text::formatPictureS("ØÆÅabc", 3), "ØÆÅ");
  EXPECT_EQ(text::formatPictureS("ab", 6), "ab");
  EXPECT_EQ(text::formatPictureS("ab", 0), "");
}

}  // namespace
