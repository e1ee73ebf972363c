#include <gtest/gtest.h>

#include "platform/dbase/dbase_date.h"

namespace {

TEST(DbaseDate, TextToDayNumber) {
  const struct {
    const char* text;
    std::int32_t day;
  } cases[] = {
      {"18010101", 4},
      {"99991231", 2994626},
      {"20240229", 81512},
      {"20260301", 82243},
      {"        ", 0},
      {"", 0},
      // Something that is not a date is told apart from no date.
      {"18001231", dbase::kNotADate},
      {"20230229", dbase::kNotADate},
      {"20261301", dbase::kNotADate},
      {"2026 301", dbase::kNotADate},
      {"18001227", dbase::kNotADate},
      {"99999999", dbase::kNotADate},
  };
  for (const auto& c : cases) EXPECT_EQ(dbase::dateFromText(c.text), c.day) << c.text;
}

}  // namespace
