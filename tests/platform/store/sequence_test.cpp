// Key-order reading, positions and change detection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "open_test_file.h"
#include "platform/store/error.h"
#include "platform/text/str.h"
#include "scratch_dir.h"
#include "test_record.h"

using namespace testing_util;

namespace {

// Run once reading record by record and once reading ahead (QUICKSCAN=on).
class SequenceTest : public OpenTestFile<::testing::TestWithParam<bool>> {
 protected:
  void SetUp() override {
    OpenTestFile::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(f.sendOption(GetParam() ? "QUICKSCAN=on" : "QUICKSCAN=off"), 0);
    for (const char* c : {"A", "B", "C", "D", "E"}) add(c, c);
  }
  void add(const std::string& code, const std::string& name) {
    f.clear();
    f.rec.CODE = code;
    f.rec.NAME = name;
    ASSERT_EQ(f.add(), 0);
  }
  std::vector<std::string> rest(bool forward = true) {
    std::vector<std::string> out;
    while ((forward ? f.next() : f.previous()) == 0) out.push_back(f.rec.CODE.str());
    return out;
  }
  using V = std::vector<std::string>;
};

TEST_P(SequenceTest, StartAtTheBufferValueFromEitherSide) {
  struct Case {
    const char* value;
    bool forward;
    V want;
  };
  const Case cases[] = {
      {"C", true, {"C", "D", "E"}},
      {"c", false, {"C", "B", "A"}},
      {"BB", true, {"C", "D", "E"}},
      {"BB", false, {"B", "A"}},
      {"Z", true, {}},
      {"", true, {"A", "B", "C", "D", "E"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.value) + (c.forward ? " next" : " previous"));
    f.clear();
    f.rec.CODE = c.value;
    ASSERT_EQ(f.setFrom(CODEKEY), 0);
    EXPECT_EQ(rest(c.forward), c.want);
    EXPECT_EQ(f.errorCode(), store::Err::NoRecord);
  }
  f.set(CODEKEY);
  EXPECT_EQ(rest(false), (V{"E", "D", "C", "B", "A"}));
}

TEST_P(SequenceTest, ReadingGoesOnFromTheOldPlaceAfterRewriteOrDelete) {
  f.set(CODEKEY);
  ASSERT_EQ(f.next(), 0);
  ASSERT_EQ(f.next(), 0);  // B
  f.rec.CODE = "Z";
  ASSERT_EQ(f.put(), 0);
  ASSERT_EQ(f.next(), 0);
  EXPECT_EQ(f.rec.CODE, "C");
  ASSERT_EQ(f.remove(), 0);
  EXPECT_EQ(rest(), (V{"D", "E", "Z"}));

  // Moving a record before the current place: it is not met again.
  f.set(CODEKEY);
  ASSERT_EQ(f.next(), 0);  // A
  ASSERT_EQ(f.next(), 0);  // D
  f.rec.CODE = "0";
  ASSERT_EQ(f.put(), 0);
  EXPECT_EQ(rest(false), (V{"A", "0"}));
}

TEST_P(SequenceTest, PositionSurvivesTheDeletionOfItsRecord) {
  f.clear();
  f.rec.CODE = "B";
  ASSERT_EQ(f.get(CODEKEY), 0);
  // Kept in a fixed-width text field as the list's queue keeps it.
  text::Str<512> kept = f.position(CODEKEY);
  ASSERT_LE(f.position(CODEKEY).size(), 512u);

  TestFile other{path};
  ASSERT_EQ(other.open(), 0);
  other.rec.CODE = "B";
  ASSERT_EQ(other.get(CODEKEY), 0);
  ASSERT_EQ(other.remove(), 0);

  EXPECT_EQ(f.reget(CODEKEY, kept.str()), store::Err::RecordNotFound);
  ASSERT_EQ(f.reset(CODEKEY, kept.str()), 0);
  EXPECT_EQ(rest(), (V{"C", "D", "E"}));
  ASSERT_EQ(f.reset(CODEKEY, kept.str()), 0);
  EXPECT_EQ(rest(false), (V{"A"}));
}

TEST_P(SequenceTest, ResetReturnsThatRecordFirstAmongDuplicates) {
  for (const char* c : {"F", "G", "H"}) add(c, "Same|%");
  f.clear();
  f.rec.CODE = "G";
  ASSERT_EQ(f.get(CODEKEY), 0);
  const std::string pos = f.position(NAMEKEY);
  f.clear();
  ASSERT_EQ(f.reset(NAMEKEY, pos), 0);
  EXPECT_EQ(rest(), (V{"G", "H"}));
  ASSERT_EQ(f.reset(NAMEKEY, pos), 0);
  EXPECT_EQ(rest(false), (V{"G", "F", "E", "D", "C", "B", "A"}));
  ASSERT_EQ(f.reget(NAMEKEY, pos), 0);
  EXPECT_EQ(f.rec.CODE, "G");
  EXPECT_EQ(f.reset(NAMEKEY, "not a position"), store::Err::RecordNotFound);
}

TEST_P(SequenceTest, WatchedRewriteFailsWhenAnotherInstanceRewroteTheRecord) {
  f.clear();
  f.rec.CODE = "C";
  ASSERT_EQ(f.get(CODEKEY), 0);
  const std::string pos = f.position(CODEKEY);
  ASSERT_EQ(f.reget(CODEKEY, pos, /*watch*/ true), 0);

  TestFile other{path};
  ASSERT_EQ(other.open(), 0);
  other.rec.CODE = "C";
  ASSERT_EQ(other.get(CODEKEY), 0);
  other.rec.NAME = "theirs";
  ASSERT_EQ(other.put(), 0);

  f.rec.NAME = "mine";
  EXPECT_EQ(f.put(), store::Err::ChangedByOther);
  EXPECT_EQ(f.errorText(), "Record Changed By Another Station");
  // Re-read with the watch armed again: the user's next attempt goes through.
  f.watch();
  ASSERT_EQ(f.reget(CODEKEY, pos), 0);
  EXPECT_EQ(f.rec.NAME, "theirs");
  f.rec.NAME = "mine";
  EXPECT_EQ(f.put(), 0);
  EXPECT_EQ(f.put(), 0);  // its own rewrites do not count as someone else's

  // Without the watch the last writer wins.
  ASSERT_EQ(other.get(CODEKEY), 0);
  ASSERT_EQ(f.get(CODEKEY), 0);
  other.rec.NAME = "x";
  ASSERT_EQ(other.put(), 0);
  EXPECT_EQ(f.put(), 0);
}

TEST_P(SequenceTest, OperationsNeedACurrentRecordAndAnOpenFile) {
  TestFile fresh{path};
  EXPECT_EQ(fresh.next(), store::Err::NotOpen);
  ASSERT_EQ(fresh.open(), 0);
  EXPECT_EQ(fresh.put(), store::Err::NoRecord);
  EXPECT_EQ(fresh.remove(), store::Err::NoRecord);
  EXPECT_EQ(fresh.position(CODEKEY), "");
  ASSERT_EQ(fresh.set(), 0);
  ASSERT_EQ(fresh.next(), 0);  // physical order: the first record added
  EXPECT_EQ(fresh.rec.CODE, "A");
}

TEST_P(SequenceTest, ReadingSeesARecordAnotherInstanceAddedMidWalk) {
  f.set(CODEKEY);
  ASSERT_EQ(f.next(), 0);
  ASSERT_EQ(f.next(), 0);  // B
  TestFile other{path};
  ASSERT_EQ(other.open(), 0);
  other.rec.CODE = "C2";
  ASSERT_EQ(other.add(), 0);
  EXPECT_EQ(rest(), (V{"C", "C2", "D", "E"}));
}

INSTANTIATE_TEST_SUITE_P(ReadAhead, SequenceTest, ::testing::Bool());

}  // namespace
