// Views: key order through a filter over the record and bound variables.
#include "platform/store/view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/store/error.h"
#include "platform/text/str.h"
#include "scratch_dir.h"
#include "test_record.h"

using namespace testing_util;
using V = std::vector<std::string>;

namespace {

class ViewTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  TestFile f{dir.file("Test.tps")};
  text::Str<4> boundLab;  // the thread variable the filter names
  // "UPPER(TST:Name) = UPPER(boundLab)" written as code.
  store::View<TestRecord> view{f, CODEKEY, [this](const TestRecord& r) { return r.NAME.upper() == boundLab.upper(); }};

  void SetUp() override {
    ASSERT_EQ(f.create(), 0);
    ASSERT_EQ(f.open(), 0);
    const std::pair<const char*, const char*> rows[] = {{"a1", "lab"}, {"a2", "LAB"}, {"b1", "other"}, {"b2", "Lab"},
                                                        {"c1", "x"},   {"c2", "lAb"}, {"d1", "y"}};
    for (const auto& [code, name] : rows) {
      f.clear();
      f.rec.CODE = code;
      f.rec.NAME = name;
      ASSERT_EQ(f.add(), 0);
    }
    boundLab = "LAB";
  }
  V read(bool forward = true, int max = 100) {
    V out;
    while (max-- > 0 && (forward ? view.next() : view.previous()) == 0) out.push_back(f.rec.CODE.str());
    return out;
  }
};

TEST_F(ViewTest, FilterPassesOverOtherRecordsInBothDirections) {
  ASSERT_EQ(view.start(), 0);
  EXPECT_EQ(read(), (V{"a1", "a2", "b2", "c2"}));
  EXPECT_EQ(view.next(), store::Err::NoRecord);
  ASSERT_EQ(view.start(), 0);
  EXPECT_EQ(read(false), (V{"c2", "b2", "a2", "a1"}));

  boundLab = "x";  // the bound variable is read at each record
  ASSERT_EQ(view.start(), 0);
  EXPECT_EQ(read(), (V{"c1"}));
  boundLab = "none";
  ASSERT_EQ(view.start(), 0);
  EXPECT_EQ(view.next(), store::Err::NoRecord);
}

TEST_F(ViewTest, StartAtAKeyValueOrAPosition) {
  f.clear();
  f.rec.CODE = "B";
  ASSERT_EQ(view.startAt(), 0);
  EXPECT_EQ(read(), (V{"b2", "c2"}));
  f.rec.CODE = "B";
  ASSERT_EQ(view.startAt(), 0);
  EXPECT_EQ(read(false), (V{"a2", "a1"}));

  // A page of two, then the next page from the last row's position.
  ASSERT_EQ(view.start(), 0);
  EXPECT_EQ(read(true, 2), (V{"a1", "a2"}));
  const std::string last = view.position();
  ASSERT_EQ(view.reset(last), 0);
  EXPECT_EQ(read(true, 3), (V{"a2", "b2", "c2"}));
  ASSERT_EQ(view.startAtPosition(last), 0);
  EXPECT_EQ(read(false), (V{"a2", "a1"}));
}

TEST_F(ViewTest, AFilteredOutRecordAtThePositionIsPassedOver) {
  f.clear();
  f.rec.CODE = "b1";
  ASSERT_EQ(f.get(CODEKEY), 0);
  const std::string pos = f.position(CODEKEY);
  ASSERT_EQ(view.startAtPosition(pos), 0);
  EXPECT_EQ(read(), (V{"b2", "c2"}));
}

}  // namespace
