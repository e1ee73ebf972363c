// Per-thread state and the use counters.
#include "data/thread_state.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "data/file_names.h"
#include "data/open_file_check.h"
#include "data/use_counters.h"
#include "platform/store/error.h"
#include "platform/store/paths.h"
#include "scratch_dir.h"

using namespace testing_util;
using data::FileId;

namespace {

class ThreadStateTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  void SetUp() override {
    data::setDataDirectory(dir.path().string());
    data::SetFileNames();
  }
  void TearDown() override { data::resetFileNames(); }
};

TEST_F(ThreadStateTest, ANewThreadStartsClearedWhateverAnotherThreadHolds) {
  auto& mine = data::thr();
  mine.LAB = "K1";
  mine.PR_TYPE = "U";
  mine.ThreadRequest = 4;
  mine.MapLab.rec.LABNAVN = "Lab";
  mine.MapParam.rec.FAKTOR = 2.5;
  ASSERT_EQ(data::useFile(FileId::MapLab), 0);

  std::thread([&] {
    auto& t = data::thr();
    EXPECT_NE(&t, &mine);
    EXPECT_TRUE(t.LAB.blank());
    EXPECT_TRUE(t.PR_TYPE.blank());
    EXPECT_EQ(t.ThreadRequest, 0);
    EXPECT_EQ(t.ThreadResponse, 0);
    EXPECT_TRUE(t.MapLab.rec.LABNAVN.blank());
    EXPECT_EQ(t.MapParam.rec.FAKTOR, 0.0);
    EXPECT_FALSE(t.MapLab.isOpen());
    for (auto c : t.useCount) EXPECT_EQ(c, 0);
  }).join();
  data::dropFile(FileId::MapLab);
  mine.LAB.clear();
  mine.PR_TYPE.clear();
  mine.ThreadRequest = 0;
}

TEST_F(ThreadStateTest, AThreadsInstancesAreReleasedWhenItEnds) {
  const auto openDescriptors = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator());
  };
  ASSERT_EQ(data::useFile(FileId::MapParam), 0);  // the file exists before the count
  data::dropFile(FileId::MapParam);
  const auto before = openDescriptors();
  std::thread([] {
    ASSERT_EQ(data::useFile(FileId::MapParam), 0);
    ASSERT_EQ(data::useFile(FileId::MapSted), 0);
    // ends without dropping them
  }).join();
  EXPECT_EQ(openDescriptors(), before);
}

TEST_F(ThreadStateTest, CountersOpenOnceAndCloseWithTheLastUser) {
  auto& t = data::thr();
  const auto path = store::resolvePath(data::fileName(FileId::MapLever));
  ASSERT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(data::useFile(FileId::MapLever), 0);  // a list: created and opened
  EXPECT_TRUE(std::filesystem::exists(path));
  ASSERT_EQ(data::useFile(FileId::MapLever), 0);  // its form: the same instance
  EXPECT_EQ(t.useCount[std::size_t(FileId::MapLever)], 2);
  t.MapLever.rec.LAB = "K1";
  ASSERT_EQ(t.MapLever.add(), 0);
  data::dropFile(FileId::MapLever);  // the form closes
  EXPECT_TRUE(t.MapLever.isOpen());
  data::dropFile(FileId::MapLever);  // the list closes
  EXPECT_FALSE(t.MapLever.isOpen());
  data::dropFile(FileId::MapLever);  // one drop too many changes nothing
  EXPECT_EQ(t.useCount[std::size_t(FileId::MapLever)], 0);
  EXPECT_TRUE(data::hasUseCounter(FileId::MapLever));
  EXPECT_FALSE(data::hasUseCounter(FileId::Driftsdata));
}

TEST_F(ThreadStateTest, FilesWithoutACounterAreNeverCounted) {
  // Datasett has its own process-wide counter, the import log and the six files never
  // opened have none; counting them would write past the thread's counters.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  for (const FileId id : {FileId::Datasett, FileId::ImportLog, FileId::Driftsdata}) {
    SCOPED_TRACE(std::string(data::fileLabel(id)));
    EXPECT_DEATH(data::useFile(id), "no use counter");
    EXPECT_DEATH(data::dropFile(id), "no use counter");
  }
}

TEST_F(ThreadStateTest, AnOpenFileKeepsItsNameUntilItIsOpenedAgain) {
  auto& t = data::thr();
  ASSERT_EQ(data::useFile(FileId::MapLab), 0);
  const std::string first = t.MapLab.openedPath();

  ScratchDir other;
  data::setDataDirectory(other.path().string());  // the user picks another dataset
  data::SetFileNames();
  t.MapLab.rec.LAB = "OLD";
  ASSERT_EQ(t.MapLab.add(), 0);
  EXPECT_EQ(t.MapLab.openedPath(), first);
  data::dropFile(FileId::MapLab);

  ASSERT_EQ(data::useFile(FileId::MapLab), 0);
  EXPECT_EQ(t.MapLab.openedPath(), other.file("MapFile.tps"));
  EXPECT_EQ(t.MapLab.records(), 0);
  data::dropFile(FileId::MapLab);
}

TEST_F(ThreadStateTest, OpenFileCheckReportsWhatItCouldNotRepair) {
  auto& t = data::thr();
  // Without creation a missing file ends the program (a warning, then the Halt box); the
  // open-file check's own tests (tests/shell) drive those paths through the robot.
  EXPECT_EQ(data::openFileChecked(t.PrType, 1), 0);
  EXPECT_EQ(data::openFileChecked(t.PrType, 1), 0);  // already open counts as opened
  t.PrType.close();

  data::setFileName(FileId::Datasett, dir.file("Datasett.tps"));
  ASSERT_EQ(data::useDatasett(), 0);
  {
    auto& ds = data::datasett();
    std::lock_guard lk(ds.lock);
    EXPECT_TRUE(ds.file.isOpen());
    EXPECT_EQ(ds.useCount, 1);
  }
  data::dropDatasett();
  EXPECT_FALSE(data::datasett().file.isOpen());
}

}  // namespace
