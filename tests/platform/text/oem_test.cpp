#include "platform/text/oem.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

TEST(Oem, NorwegianLettersInTheOemPages) {
  const struct {
    int page;
    const char* bytes;
  } cases[] = {
      {865, "\x91\x9B\x86\x92\x9D\x8F"},  // æ ø å Æ Ø Å
      {850, "\x91\x9B\x86\x92\x9D\x8F"},
      {1252, "\xE6\xF8\xE5\xC6\xD8\xC5"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text::oemToUtf8(c.bytes, c.page), "æøåÆØÅ") << c.page;
    EXPECT_EQ(text::utf8ToOem("æøåÆØÅ", c.page), c.bytes) << c.page;
  }
  // 437 has æ and Æ and å but no ø.
  EXPECT_EQ(text::utf8ToOem("æøå", 437), "\x91?\x86");
  EXPECT_EQ(text::oemToUtf8("Ant. D\x9Bgn", 865), "Ant. Døgn");
}

TEST(Oem, UnconvertibleBecomesQuestionMark) {
  // 0x81 is unassigned in 1252; the euro sign is not in 865; a broken UTF-8 byte is one '?'.
  EXPECT_EQ(text::oemToUtf8("a\x81z", 1252), "a?z");
  EXPECT_EQ(text::utf8ToOem("1€2", 865), "1?2");
  EXPECT_EQ(text::utf8ToOem("a\xC3", 865), "a?");
  EXPECT_EQ(text::utf8ToOem("a\xFF"
                            "b",
                            865),
            "a?b");
  // A page iconv does not know keeps ASCII only.
  EXPECT_FALSE(text::isKnownCodePage(99999));
  EXPECT_EQ(text::oemToUtf8("ab\x91", 99999), "ab?");
  EXPECT_EQ(text::utf8ToOem("abæ", 99999), "ab?");
  EXPECT_EQ(text::oemToUtf8("", 865), "");
}

TEST(Oem, LongTextAndManyThreads) {
  const std::string bytes(5000, '\x9B');
  std::string expected;
  for (int i = 0; i < 5000; ++i) expected += "ø";
  std::vector<std::thread> threads;
  std::vector<int> ok(4, 0);
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i)
        ok[static_cast<std::size_t>(t)] +=
            text::oemToUtf8(bytes, 865) == expected && text::utf8ToOem(expected, 865) == bytes;
    });
  for (auto& th : threads) th.join();
  for (int n : ok) EXPECT_EQ(n, 50);
}

}  // namespace
