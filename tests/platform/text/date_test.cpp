#include "platform/text/date.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

using text::Date;
using text::Ymd;

TEST(Date, DayNumbersAtTheCalendarsEdges) {
  const struct {
    Ymd ymd;
    Date date;
  } cases[] = {
      {{1801, 1, 1}, 4},      {{1801, 1, 2}, 5},
      {{1900, 2, 28}, 36221}, {{1900, 3, 1}, 36222},  // 1900 is no leap year
      {{2000, 2, 29}, 72746},                         // 2000 is one
      {{2024, 2, 29}, 81512}, {{9999, 12, 31}, 2994626},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text::dateFromYmd(c.ymd.year, c.ymd.month, c.ymd.day), c.date) << c.ymd.year;
    EXPECT_EQ(text::toYmd(c.date), c.ymd) << c.date;
  }
}

TEST(Date, EveryDayRoundTrips) {
  Ymd prev = text::toYmd(text::kFirstDate);
  for (Date d = text::kFirstDate + 1; d <= text::kLastDate; ++d) {
    const Ymd y = text::toYmd(d);
    ASSERT_EQ(text::dateFromYmd(y.year, y.month, y.day), d);
    // Consecutive numbers are consecutive days.
    const bool nextDay = y.day == prev.day + 1 && y.month == prev.month && y.year == prev.year;
    const bool nextMonth = y.day == 1 && (y.month == prev.month + 1 || (y.month == 1 && prev.month == 12));
    ASSERT_TRUE(nextDay || nextMonth) << d;
    prev = y;
  }
}

TEST(Date, InvalidOrOutOfRangeGivesNoDate) {
  const Ymd invalid[] = {{1800, 12, 31}, {10000, 1, 1}, {1900, 2, 29}, {2023, 2, 29},
                         {2024, 4, 31},  {2024, 0, 1},  {2024, 13, 1}, {2024, 1, 0}};
  for (const auto& y : invalid) EXPECT_EQ(text::dateFromYmd(y.year, y.month, y.day), 0) << y.year;
  for (Date d : {0, 1, 3, -5, text::kLastDate + 1}) {
    EXPECT_EQ(text::toYmd(d), (Ymd{0, 0, 0})) << d;
    EXPECT_EQ(text::yearOf(d), 0);
  }
  EXPECT_EQ(text::monthOf(text::dateFromYmd(2008, 9, 5)), 9);
  EXPECT_EQ(text::dayOf(text::dateFromYmd(2008, 9, 5)), 5);
}

TEST(Date, DbaseDates) {
  EXPECT_EQ(text::dateFromDbase("20080905"), text::dateFromYmd(2008, 9, 5));
  EXPECT_EQ(text::dateToDbase(text::dateFromYmd(2008, 9, 5)), "20080905");
  EXPECT_EQ(text::dateToDbase(text::dateFromYmd(1801, 1, 1)), "18010101");
  EXPECT_EQ(text::dateToDbase(text::kLastDate), "99991231");
  for (text::Date outside : {0, text::kFirstDate - 1, text::kLastDate + 1, -1})
    EXPECT_EQ(text::dateToDbase(outside), "        ") << outside;
  for (const char* bad : {"", "        ", "2008090", "2008-9-5", "20080230", "2008090x", "00000000"})
    EXPECT_EQ(text::dateFromDbase(bad), 0) << '"' << bad << '"';
}

class FixedClock : public text::Clock {
 public:
  explicit FixedClock(std::chrono::system_clock::time_point t) : t_(t) {}
  std::chrono::system_clock::time_point now() const override { return t_; }

 private:
  std::chrono::system_clock::time_point t_;
};

TEST(Date, TodayAndTimeComeFromTheInstalledClock) {
  const char* oldTz = std::getenv("TZ");
  const std::string saved = oldTz ? oldTz : "";
  setenv("TZ", "UTC", 1);
  tzset();
  // 5 September 2008, 23:59:30 UTC.
  const FixedClock clock(std::chrono::system_clock::from_time_t(1220659170));
  text::setClock(&clock);
  EXPECT_EQ(text::today(), text::dateFromYmd(2008, 9, 5));
  EXPECT_EQ(text::clockSeconds(), 23 * 3600 + 59 * 60 + 30);
  text::setClock(nullptr);
  EXPECT_GT(text::today(), text::dateFromYmd(2020, 1, 1));
  if (oldTz)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

}  // namespace
