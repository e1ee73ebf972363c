#include "platform/ui/api/picture.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

#include "platform/text/date.h"

namespace {

struct Shown {
  const char* picture;
  double value;
  const char* text;
};

TEST(Picture, FormatsNumbersAndDates) {
  const Shown cases[] = {
      {"@n7,3b", 1.5, "1,500"},
      {"@n7,3b", 0, ""},
      {"@n7.3", 0, "0.000"},
      {"n5", 42, "42"},
      {"@n-10,2", -3.256, "-3,26"},
      {"", 0.1, "0.1"},
      {"", 1e15, "1e+15"},
      {"@d6", 4, "01.01.01"},
      {"@d10", 4, "01.01.1801"},
      {"@d6", 0, ""},
      {"@d10", 2994626, "31.12.9999"},
  };
  for (const Shown& c : cases) EXPECT_EQ(ui::formatNumber(c.picture, c.value), c.text) << c.picture << " " << c.value;
}

TEST(Picture, ReadsTypedTextBackOrRejectsIt) {
  struct Typed {
    const char* picture;
    const char* text;
    bool ok;
    double value;
  };
  const Typed cases[] = {
      {"@n7,3b", "1,5", true, 1.5},
      {"@n7,3b", " 2.25 ", true, 2.25},
      {"@n7,3b", "", true, 0},
      {"@n7,3b", "abc", false, 0},
      {"@n7,3b", "1,5x", false, 0},
      {"@d10", "01.01.1801", true, 4},
      {"@d6", "29.02.23", false, 0},
      {"@d6", "29.02.24", true, 0},
      {"@d10", "1.1", false, 0},
      // The year's digits, not the text's length, tell a two-digit year; no day before 1801.
      {"@d10", "1.1.1999", true, static_cast<double>(text::dateFromYmd(1999, 1, 1))},
      {"@d6", "1.1.99", true, static_cast<double>(text::dateFromYmd(1999, 1, 1))},
      {"@d10", "31.12.1800", false, 0},
      // A number the picture cannot show is refused, not shown wider than its field.
      {"@n7,3b", "999,999", true, 999.999},
      {"@n7,3b", "-99,999", true, -99.999},
      {"@n7,3b", "1000", false, 0},
      {"@n7,3b", "-100", false, 0},
      {"@n7,3b", "999,9996", false, 0},
      {"@n7,3b", "1e308", false, 0},
      {"@n7,3b", "1e309", false, 0},
      {"", "1e308", true, 1e308},
      {"", "1e309", false, 0},
  };
  for (const Typed& c : cases) {
    double v = -1;
    EXPECT_EQ(ui::parseNumber(c.picture, c.text, v), c.ok) << c.picture << " " << c.text;
    if (c.ok && c.value != 0) {
      EXPECT_DOUBLE_EQ(v, c.value) << c.picture << " " << c.text;
    }
  }
  // A date read back shows as typed.
  double d = 0;
  ASSERT_TRUE(ui::parseNumber("@d6", "29.02.24", d));
  EXPECT_EQ(ui::formatNumber("@d6", d), "29.02.24");
}

// The GUI toolkit sets the process locale from the environment; a Norwegian one has a decimal
// comma, which printf and strtod would follow.
class PictureUnderLocale : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    saved_ = std::setlocale(LC_ALL, nullptr);
    ASSERT_NE(std::setlocale(LC_ALL, GetParam()), nullptr)
        << GetParam() << " is not installed (scripts/install-deps generates it)";
  }
  void TearDown() override { std::setlocale(LC_ALL, saved_.c_str()); }

 private:
  std::string saved_;
};

TEST_P(PictureUnderLocale, ShowsAndReadsNumbersByTheirPicture) {
  EXPECT_EQ(ui::formatNumber("@n7.3", 1.5), "1.500");
  EXPECT_EQ(ui::formatNumber("@n7,3", 1.5), "1,500");
  EXPECT_EQ(ui::formatNumber("", 0.25), "0.25");
  const struct {
    const char* text;
    bool ok;
    double value;
  } typed[] = {
      {"12.5", true, 12.5}, {"12,5", true, 12.5}, {"0,001", true, 0.001}, {"-3", true, -3},
      {"1,2,3", false, 0},  {"inf", false, 0},    {"nan", false, 0},      {"0x10", false, 0},
  };
  for (const auto& c : typed) {
    double v = -1;
    EXPECT_EQ(ui::parseNumber("@n10,4", c.text, v), c.ok) << c.text;
    // What was typed is kept exactly, not rounded to the picture's decimals.
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, PictureUnderLocale, ::testing::Values("C", "nb_NO.UTF-8"));

TEST(Picture, CutsTextToItsWidthInCharacters) {
  EXPECT_EQ(ui::formatText("@s4", "Ærøskøbing"), "Ærøs");
  EXPECT_EQ(ui::formatText("s30", "kort"), "kort");
  EXPECT_EQ(ui::formatText("", "uendret"), "uendret");
}

}  // namespace
