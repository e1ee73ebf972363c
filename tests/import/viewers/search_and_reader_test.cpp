// The log viewer's pieces without a window: finding a text in a row, the search's steps and
// wrap question, and the line file it loads from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "import/log_file.h"
#include "import/viewers/line_reader.h"
#include "import/viewers/text_search.h"

namespace {

using import::SearchSettings;

struct MatchCase {
  const char* row;
  const char* text;
  bool wholeWord, matchCase, expected;
};

TEST(RowMatches, CaseWholeWordsAndEveryOccurrence) {
  const MatchCase cases[] = {
      {"Lagret Utslippskontroll - Anlegg: 010101", "anlegg:", false, false, true},
      {"Lagret Utslippskontroll - Anlegg: 010101", "anlegg:", false, true, false},
      {"Lagret Utslippskontroll - Anlegg: 010101", "Anlegg:", false, true, true},
      {"Finner ikke ANLEGG for leverandør Ø160", "leverandør ø160", false, false, true},  // æøå upper-cased too
      // Whole word: a blank or the row's end on both sides.
      {"Anleggsnr 010101", "anlegg", true, false, false},
      {"Anleggsnr 010101", "anlegg", false, false, true},
      {"Totalt lagret 12", "12", true, false, true},
      {"Totalt lagret 12   ", "12", true, false, true},  // trailing blanks are not counted
      {"Totalt lagret 12x", "12", true, false, false},
      {"Totalt lagret 12", "totalt", true, false, true},
      // The word twice, first inside a longer word: the second occurrence counts.
      {"Anleggsnr 010101 Anlegg 010101", "anlegg", true, false, true},
      {"Anleggsnr 010101 Anlegget", "anlegg", true, false, false},
      {"noe", "", false, false, false},
  };
  for (const auto& c : cases) {
    SearchSettings s{c.text, c.wholeWord, c.matchCase, true};
    EXPECT_EQ(import::rowMatches(c.row, s), c.expected)
        << '"' << c.row << "\" / \"" << c.text << "\" whole " << c.wholeWord << " case " << c.matchCase;
  }
}

struct StepCase {
  const char* name;
  std::size_t from;
  bool down;
  std::vector<bool> answers;  // to the wrap questions, in order
  std::size_t found;
  std::vector<bool> asked;  // directions asked
};

TEST(SearchRows, StepsFromTheCurrentRowAndAsksAtTheEnds) {
  const std::vector<std::string> rows{"treff en", "ingen", "treff to", "ingen"};
  const StepCase cases[] = {
      {"down from none finds the first row", 0, true, {}, 1, {}},
      {"down skips the current row", 1, true, {}, 3, {}},
      {"down from the last row asks at once; Yes finds the first", 4, true, {true}, 1, {true}},
      {"down past the last match, No keeps the row", 3, true, {false}, 0, {true}},
      {"up finds the row above", 4, false, {}, 3, {}},
      {"up from the first row asks; Yes goes on from the last", 1, false, {true}, 3, {false}},
      {"up from none asks at once", 0, false, {false}, 0, {false}},
  };
  for (const auto& c : cases) {
    std::vector<bool> asked;
    std::size_t answer = 0;
    const std::size_t found =
        import::searchRows(rows, c.from, SearchSettings{"treff", false, false, c.down}, [&](bool down) {
          asked.push_back(down);
          return answer < c.answers.size() && c.answers[answer++];
        });
    EXPECT_EQ(found, c.found) << c.name;
    EXPECT_EQ(asked, c.asked) << c.name;
  }
}

TEST(SearchRows, AnEmptyListAsksUntilTheUserStops) {
  int asked = 0;
  EXPECT_EQ(import::searchRows({}, 0, SearchSettings{"x", false, false, true}, [&](bool) { return ++asked < 3; }), 0u);
  EXPECT_EQ(asked, 3);
}

class LineReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = (std::filesystem::temp_directory_path() /
             ("l2s-reader-" + std::to_string(::getpid()) + "-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name())))
                .string();
  }
  void TearDown() override { std::filesystem::remove(path_); }
  void write(const std::string& content) { std::ofstream(path_, std::ios::binary) << content; }
  std::string path_;
};

TEST_F(LineReaderTest, ReadsLinesWithTheirByteCounts) {
  const std::string longLine(300, 'x');
  write("første\r\n\n" + longLine + "\nsiste uten linjeskift");
  import::LineReader r;
  ASSERT_TRUE(r.open(path_));
  EXPECT_EQ(r.size(), static_cast<std::int64_t>(std::filesystem::file_size(path_)));
  std::string line;
  std::int64_t total = 0, n = 0;
  std::vector<std::string> lines;
  while ((n = r.next(line)) >= 0) {
    total += n;
    lines.push_back(line);
  }
  EXPECT_EQ(total, r.size()) << "every byte is counted, line ends included";
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "første");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[2], std::string(255, 'x')) << "a line holds at most 255 characters";
  EXPECT_EQ(lines[3], "siste uten linjeskift");
}

TEST_F(LineReaderTest, LongLinesAreCutOnACharacterBoundary) {
  std::string s(254, 'a');
  s += "øøø";
  import::cutToChars(s, 255);
  EXPECT_EQ(s, std::string(254, 'a') + "ø");
}

TEST_F(LineReaderTest, MissingFileAndALogTheImportHoldsAreRefused) {
  import::LineReader r;
  EXPECT_FALSE(r.open(path_));
  EXPECT_EQ(r.code(), 2);

  import::LogFile log;
  ASSERT_TRUE(log.create(path_));
  log.append("Lagret");
  EXPECT_FALSE(r.open(path_)) << "a run that writes the log keeps the viewer out";
  EXPECT_EQ(r.code(), 32);
  log.close();
  ASSERT_TRUE(r.open(path_));
  EXPECT_FALSE(log.open(path_)) << "and a load keeps the run out";
  r.close();
  EXPECT_TRUE(log.open(path_));
}

}  // namespace
