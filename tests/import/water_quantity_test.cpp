#include "import/water_quantity.h"

#include <gtest/gtest.h>

namespace {

TEST(WaterQuantity, FromIdentificationOrRegistrationCode) {
  struct Case {
    const char* ident;
    const char* regkode;
    double before;
    double expected;
  };
  const Case cases[] = {
      {"125 m3/d", "", 0, 125},
      {"12,5 m3/d", "", 0, 12.5},
      {"125m3/d", "", 0, 125},  // no blank before the unit: the last digit stays
      {"m3/d", "00350", 7, 0},  // the identification branch makes no numeric test
      {"ca 40 m3/d", "", 7, 0},
      {"Prøve", "00350ABC", 0, 350},  // five characters of the code
      {"", "  3,5xyz", 0, 3.5},       // leading blanks dropped, comma read as point
      {"", "AB123", 120, 120},        // not numeric: the quantity stays
      {"", "", 9, 9},
      {"M3/D 40", "00200", 0, 200},         // letter case counts in "m3/d"
      {"1234567890m3/d", "00200", 0, 200},  // the unit must lie in the twelve characters
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.ident) + " / " + c.regkode);
    import::ImportRunState st;
    st.WaterQuantity = c.before;
    import::takeWaterQuantity(st, c.ident, c.regkode);
    EXPECT_DOUBLE_EQ(st.WaterQuantity, c.expected);
  }
}

TEST(WaterQuantity, CommaToPointTrimsAndReplacesEveryComma) {
  text::Str<32> w("1,2,3   ");
  import::CommaToPoint(w);
  EXPECT_EQ(w.str(), "1.2.3");
}

TEST(WaterQuantity, ResultsReadADecimalComma) {
  EXPECT_DOUBLE_EQ(import::resultNumber("0,5"), 0.5);
  EXPECT_DOUBLE_EQ(import::resultNumber("12,5 "), 12.5);
  EXPECT_DOUBLE_EQ(import::resultNumber("<0.5"), 0);  // the caller strips "<" first
  EXPECT_DOUBLE_EQ(import::resultNumber("abc"), 0);
}

}  // namespace
