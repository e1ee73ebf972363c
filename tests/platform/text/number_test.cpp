#include "platform/text/number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <limits>

namespace {

struct ToNumberCase {
  const char* text;
  double value;
  bool numeric;
};

class ToNumber : public testing::TestWithParam<ToNumberCase> {};

TEST_P(ToNumber, TakesTheLongestLeadingNumber) {
  const ToNumberCase& c = GetParam();
  EXPECT_DOUBLE_EQ(text::toNumber(c.text), c.value) << '"' << c.text << '"';
  EXPECT_EQ(text::isNumeric(c.text), c.numeric) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToNumber,
    testing::Values(ToNumberCase{"12", 12, true}, ToNumberCase{"12   ", 12, true},
                    ToNumberCase{"   7.25", 7.25, false},  // skipped for the value, not for the test
                    ToNumberCase{"12,5", 12, false},       // a comma ends the number
                    ToNumberCase{" -3.5e2x", -350, false}, ToNumberCase{"+4", 4, true}, ToNumberCase{"1.", 1, true},
                    ToNumberCase{".5", 0.5, true}, ToNumberCase{"-.5E-1", -0.05, true},
                    ToNumberCase{"1e", 1, false},  // an exponent needs digits
                    ToNumberCase{"2e+", 2, false}, ToNumberCase{"1.2.3", 1.2, false}, ToNumberCase{"", 0, false},
                    ToNumberCase{"    ", 0, false}, ToNumberCase{".", 0, false}, ToNumberCase{"-", 0, false},
                    ToNumberCase{"abc", 0, false},
                    ToNumberCase{"<0.5", 0, false},  // laboratory "below" results are not numbers
                    ToNumberCase{"1 2", 1, false}, ToNumberCase{"007", 7, true}));

TEST(ToNumber, IgnoresAProcessLocaleWithADecimalComma) {
  // The GUI toolkit sets the locale from the environment; a Norwegian one must not change parsing.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = old ? old : "C";
  if (!std::setlocale(LC_NUMERIC, "nb_NO.UTF-8") && !std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
    GTEST_SKIP() << "no locale with a decimal comma installed";
  EXPECT_DOUBLE_EQ(text::toNumber("2.5"), 2.5);
  EXPECT_EQ(text::numberToText(2.5), "2.5");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberToText, WritesUpToFifteenSignificantDigits) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {-0.0, "0"},
      {1, "1"},
      {2.5, "2.5"},
      {-1.25, "-1.25"},
      {100, "100"},
      {0.1 + 0.2, "0.3"},  // the 17th digit is noise
      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346e+15"},
      {1e20, "1e+20"},
      {0.0001, "0.0001"},
      {0.00001, "1e-05"},
      {1.0 / 3, "0.333333333333333"},
      {std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const auto& c : cases) EXPECT_EQ(text::numberToText(c.value), c.text) << c.value;
}

TEST(NumberToText, RoundTripsThroughToNumber) {
  for (double v : {0.5, 1234.125, -42.0, 3.14159265358979, 7e-9, 6.02e23})
    EXPECT_DOUBLE_EQ(text::toNumber(text::numberToText(v)), v);
}

}  // namespace
