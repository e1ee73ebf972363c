// Several threads, each with its own instance, see each other's committed records.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/store/error.h"
#include "platform/store/paths.h"
#include "platform/store/transaction.h"
#include "scratch_dir.h"
#include "test_record.h"
#include "wait_limit.h"

using namespace testing_util;

namespace {

TEST(ConcurrencyTest, ThreadsAddThroughTheirOwnInstancesAndSeeEveryRecord) {
  ScratchDir dir;
  const std::string path = dir.file("Test.tps");
  {
    TestFile f{path};
    ASSERT_EQ(f.create(), 0);
  }
  store::setDefaultWaitMs(l2stest::kWaitLimitMs);  // four writers take turns, however slowly they run
  constexpr int kThreads = 4, kEach = 25;
  std::atomic<int> failures{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      TestFile f{path};
      if (f.open() != 0) {
        ++failures;
        return;
      }
      for (int i = 0; i < kEach; ++i) {
        f.clear();
        f.rec.CODE = std::to_string(t * 100 + i);
        f.rec.N = t;
        // Half of them in small transactions, the others one by one.
        if (i % 2) {
          store::Transaction tx;
          if (tx.begin({&f}, 5) != 0 || f.add() != 0 || tx.commit() != 0) ++failures;
        } else if (f.add() != 0) {
          ++failures;
        }
      }
    });
  }
  for (auto& th : threads) th.join();
  store::setDefaultWaitMs(1000);
  EXPECT_EQ(failures, 0);

  TestFile reader{path};
  ASSERT_EQ(reader.open(), 0);
  EXPECT_EQ(reader.records(), kThreads * kEach);
  std::set<std::string> codes;
  reader.set(CODEKEY);
  while (reader.next() == 0) codes.insert(reader.rec.CODE.str());
  EXPECT_EQ(codes.size(), std::size_t(kThreads * kEach));
}

TEST(ConcurrencyTest, AnInstanceSeesAnotherThreadsRecordOnItsNextRead) {
  ScratchDir dir;
  const std::string path = dir.file("Test.tps");
  TestFile mine{path};
  ASSERT_EQ(mine.create(), 0);
  ASSERT_EQ(mine.open(), 0);
  mine.rec.CODE = "A";
  ASSERT_EQ(mine.add(), 0);
  mine.set(CODEKEY);
  ASSERT_EQ(mine.next(), 0);

  std::thread([&] {
    TestFile theirs{path};
    ASSERT_EQ(theirs.open(), 0);
    theirs.rec.CODE = "B";
    ASSERT_EQ(theirs.add(), 0);
  }).join();

  ASSERT_EQ(mine.next(), 0);  // in the middle of a sequence
  EXPECT_EQ(mine.rec.CODE, "B");
}

TEST(ConcurrencyTest, AnotherProcesssCommitIsSeenByAnOpenInstance) {
  ScratchDir dir;
  const std::string path = dir.file("Test.tps");
  {
    TestFile f{path};
    ASSERT_EQ(f.create(), 0);
  }
  TestFile mine{path};
  ASSERT_EQ(mine.open(), 0);
  mine.rec.CODE = "A";
  ASSERT_EQ(mine.add(), 0);
  mine.set(CODEKEY);
  ASSERT_EQ(mine.next(), 0);

  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    TestFile theirs{path};
    store::Transaction tx;
    theirs.rec.CODE = "B";
    const bool ok = theirs.open() == 0 && tx.begin({&theirs}, 5) == 0 && theirs.add() == 0 && tx.commit() == 0;
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_EQ(mine.next(), 0);
  EXPECT_EQ(mine.rec.CODE, "B");
  EXPECT_EQ(mine.records(), 2);
}

}  // namespace
