// Key attributes: uniqueness ignoring letter case, optional keys, key order with duplicates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/store/error.h"
#include "scratch_dir.h"
#include "test_record.h"

using namespace testing_util;

namespace {

class KeysTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  TestFile f{dir.file("Test.tps")};
  void SetUp() override {
    ASSERT_EQ(f.create(), 0);
    ASSERT_EQ(f.open(), 0);
  }
  int add(const std::string& code, const std::string& name, int n = 0) {
    f.clear();
    f.rec.CODE = code;
    f.rec.NAME = name;
    f.rec.N = n;
    return f.add();
  }
  std::vector<std::string> walk(store::KeyId key, bool forward = true) {
    std::vector<std::string> out;
    f.set(key);
    while ((forward ? f.next() : f.previous()) == 0) out.push_back(f.rec.NAME.str());
    EXPECT_EQ(f.errorCode(), store::Err::NoRecord);
    return out;
  }
};

TEST_F(KeysTest, UniqueCaseInsensitiveKeyRefusesDuplicates) {
  struct Case {
    std::string first, second;
    int code;
  };
  const Case cases[] = {
      {"k1", "K1", store::Err::DuplicateKey},
      {"æøå", "ÆØÅ", store::Err::DuplicateKey},
      {"Ab ", "aB", store::Err::DuplicateKey},
      {"abc", "abd", 0},
      {"a", "á", 0},  // an accent is another letter, not another case
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.first + " / " + c.second);
    ScratchDir d;
    TestFile g{d.file("T.tps")};
    ASSERT_EQ(g.create(), 0);
    ASSERT_EQ(g.open(), 0);
    g.rec.CODE = c.first;
    ASSERT_EQ(g.add(), 0);
    g.clear();
    g.rec.CODE = c.second;
    EXPECT_EQ(g.add(), c.code);
    if (c.code) {
      EXPECT_EQ(g.errorText(), "Creates Duplicate Key");
      EXPECT_EQ(store::lastError().code, c.code);
    }
    EXPECT_EQ(g.records(), c.code ? 1 : 2);
  }
}

TEST_F(KeysTest, RewriteIntoAnotherRecordsKeyIsADuplicate) {
  ASSERT_EQ(add("A", "one"), 0);
  ASSERT_EQ(add("B", "two"), 0);
  f.rec.CODE = "a";
  EXPECT_EQ(f.put(), store::Err::DuplicateKey);
  f.rec.CODE = "b";  // its own value in another case is fine
  EXPECT_EQ(f.put(), 0);
}

TEST_F(KeysTest, OptionalKeyLeavesBlankRecordsOut) {
  ASSERT_EQ(add("", "blank1"), 0);
  ASSERT_EQ(add("   ", "blank2"), 0);  // blanks only: also left out, so no duplicate
  ASSERT_EQ(add("K", "keyed"), 0);
  f.clear();
  EXPECT_EQ(f.get(CODEKEY), store::Err::RecordNotFound);
  EXPECT_EQ(walk(CODEKEY), (std::vector<std::string>{"keyed"}));
  EXPECT_EQ(walk(NAMEKEY).size(), 3u);  // a key that is not optional holds them all
  EXPECT_EQ(walk(store::Physical), (std::vector<std::string>{"blank1", "blank2", "keyed"}));
}

TEST_F(KeysTest, OptionalKeyOverTextAndNumberNeedsBothBlank) {
  ASSERT_EQ(add("A", "", 0), 0);
  ASSERT_EQ(add("B", "", 5), 0);
  ASSERT_EQ(add("C", "x", 0), 0);
  std::vector<std::string> codes;
  f.set(NAMENKEY);
  while (f.next() == 0) codes.push_back(f.rec.CODE.str());
  EXPECT_EQ(codes, (std::vector<std::string>{"B", "C"}));
}

TEST_F(KeysTest, CaseInsensitiveOrderUsesUpperCaseCodePointsAndRowidForDuplicates) {
  for (const char* n : {"b", "A", "å", "Æ", "a", "Z", "é"}) ASSERT_EQ(add("", n), 0);
  const std::vector<std::string> want = {"A", "a", "b", "Z", "å", "Æ", "é"};
  EXPECT_EQ(walk(NAMEKEY), want);
  EXPECT_EQ(walk(NAMEKEY, false), std::vector<std::string>(want.rbegin(), want.rend()));
  // The case-sensitive key orders by code point as stored, then by the number.
  EXPECT_EQ(walk(NAMENKEY), (std::vector<std::string>{"A", "Z", "a", "b", "Æ", "å", "é"}));
}

TEST_F(KeysTest, GetFindsTheFirstOfEqualKeysIgnoringCase) {
  ASSERT_EQ(add("1", "Ola", 1), 0);
  ASSERT_EQ(add("2", "OLA", 2), 0);
  ASSERT_EQ(add("3", "Kari", 3), 0);
  f.clear();
  f.rec.NAME = "ola";
  ASSERT_EQ(f.get(NAMEKEY), 0);
  EXPECT_EQ(f.rec.N, 1);
  f.clear();
  f.rec.NAME = "Per";
  EXPECT_EQ(f.get(NAMEKEY), store::Err::RecordNotFound);
  EXPECT_EQ(f.errorText(), "Record Not Found");
}

}  // namespace
