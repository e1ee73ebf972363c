#include <gtest/gtest.h>

#include "platform/dbase/dbase_date.h"

namespace {

TEST(DbaseDate, TextToDayNumber) {
  const struct {
    const char* text;
    std::int32_t day;
  } cases[] = {
      {"18010101", 4},       {"18001231", 0},     {"99991231", 2994626}, {"20240229", 81512},
      {"20230229", 0},       {"20261301", 0},     {"        ", 0},       {"", 0},
      {"2026 301", 0},       {"18001227", 0},     {"20260301", 82243},
  };
  for (const auto& c : cases) EXPECT_EQ(dbase::dateFromText(c.text), c.day) << c.text;
}

}  // namespace
