// The open-file check against real store files: what it repairs, what it asks, and how it ends
// the program when nothing helps.
#include "data/open_file_check.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "data/thread_state.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

void exec(const fs::path& db, const std::string& sql) {
  sqlite3* c = nullptr;
  ASSERT_EQ(sqlite3_open(db.c_str(), &c), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(c, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(c);
  sqlite3_close(c);
}

bool hasIndex(const fs::path& db, const std::string& name) {
  sqlite3* c = nullptr;
  sqlite3_open(db.c_str(), &c);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(c, "SELECT 1 FROM sqlite_master WHERE type='index' AND name=?", -1, &st, nullptr);
  sqlite3_bind_text(st, 1, name.c_str(), -1, SQLITE_TRANSIENT);
  const bool found = sqlite3_step(st) == SQLITE_ROW;
  sqlite3_finalize(st);
  sqlite3_close(c);
  return found;
}

// Holds an exclusive lock on a database from another connection, for `hold` or, without one,
// until it goes out of scope (a lock that must outlast every wait of the program, however
// slowly it runs).
class Locker {
 public:
  explicit Locker(const fs::path& db, std::optional<std::chrono::milliseconds> hold = std::nullopt) {
    sqlite3_open(db.c_str(), &c_);
    sqlite3_exec(c_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    t_ = std::thread([this, hold] {
      std::unique_lock lock(m_);
      if (hold)
        released_.wait_for(lock, *hold, [this] { return done_; });
      else
        released_.wait(lock, [this] { return done_; });
      sqlite3_exec(c_, "COMMIT", nullptr, nullptr, nullptr);
    });
  }
  ~Locker() {
    {
      std::lock_guard lock(m_);
      done_ = true;
    }
    released_.notify_one();
    t_.join();
    sqlite3_close(c_);
  }
  Locker(const Locker&) = delete;
  Locker& operator=(const Locker&) = delete;

 private:
  sqlite3* c_ = nullptr;
  std::mutex m_;
  std::condition_variable released_;
  bool done_ = false;
  std::thread t_;
};

class OpenFileCheckTest : public ShellTest {
 public:
  fs::path mapFile() const { return dataDir() / "MapFile.tps"; }

  void makeMapFile() {
    data::MapLab f;
    f.setName(mapFile().string());
    ASSERT_EQ(f.create(), 0) << f.errorText();
  }

  // Opens the thread's MapLab in `dir` through the check on a procedure thread, answering
  // the boxes as given; tells whether the check returned with the file open.
  bool openChecked(std::optional<std::uint8_t> create, const std::vector<std::pair<std::string, std::string>>& answers,
                   const fs::path& dir) {
    bool opened = false;
    EXPECT_TRUE(session().start([&opened, create, dir] {
      data::setDataDirectory(dir.string());
      data::SetFileNames();
      auto& f = data::thr().MapLab;
      if (data::openFileChecked(f, create) == 0) opened = f.isOpen();
    }));
    for (const auto& [caption, button] : answers) EXPECT_TRUE(answer(caption, button)) << failure();
    EXPECT_TRUE(robot().waitEnd()) << failure();
    session().finish();
    return opened;
  }
  bool openChecked(std::optional<std::uint8_t> create,
                   const std::vector<std::pair<std::string, std::string>>& answers) {
    return openChecked(create, answers, dataDir());
  }

  // The captions of the boxes shown, in order.
  std::vector<std::string> captions() const {
    std::vector<std::string> out;
    for (const std::string& l : linesStarting("box \"")) out.push_back(l.substr(5, l.find('"', 5) - 5));
    return out;
  }
  bool halted() const { return !linesStarting("halt 0").empty(); }
  std::string boxText(const std::string& caption) const {
    for (const std::string& l : linesStarting("box \"" + caption + "\" \"")) {
      const std::size_t from = caption.size() + 8;
      return l.substr(from, l.find("\" icon ") - from);
    }
    return {};
  }
};

TEST_P(OpenFileCheckTest, AMissingFileIsCreatedAndOpenedWithoutAWord) {
  EXPECT_TRUE(openChecked(1, {}));
  EXPECT_TRUE(captions().empty());
  EXPECT_TRUE(fs::exists(mapFile()));
  EXPECT_FALSE(halted());
}

TEST_P(OpenFileCheckTest, AFileAlreadyOpenOnTheThreadCountsAsOpened) {
  makeMapFile();
  bool opened = false;
  ASSERT_TRUE(session().start([&] {
    data::setDataDirectory(dataDir().string());
    data::SetFileNames();
    auto& f = data::thr().MapLab;
    opened = data::openFileChecked(f, 1) == 0 && data::openFileChecked(f, 1) == 0 && f.isOpen();
  }));
  ASSERT_TRUE(robot().waitEnd()) << failure();
  EXPECT_TRUE(opened);
  EXPECT_TRUE(captions().empty());
}

// Every failure the check cannot repair: its warning, then the end-of-program box.
TEST_P(OpenFileCheckTest, UnrepairableFailuresEndTheProgram) {
  struct Case {
    const char* name;
    std::function<void(OpenFileCheckTest&)> setup;
    std::optional<std::uint8_t> create;
    const char* warning;
    const char* finalMessage;
    bool inMissingDirectory = false;
  };
  const Case cases[] = {
      {"missing, creation not allowed", [](OpenFileCheckTest&) {}, 0, "File Creation Error", "File Creation Error!"},
      {"missing, creation not asked for", [](OpenFileCheckTest&) {}, std::nullopt, "File Access Error", "Disk Error"},
      {"missing in a directory that does not exist", [](OpenFileCheckTest&) {}, 1, "File Creation Error",
       "File Creation Error!", true},
      {"record layout does not match",
       [](OpenFileCheckTest& t) { exec(t.mapFile(), "CREATE TABLE MapLab (LAB TEXT)"); }, 1, "Invalid File",
       "Invalid File!"},
      {"not a keyed file at all", [](OpenFileCheckTest& t) { fs::create_directories(t.mapFile()); }, 1,
       "File Access Error", "Disk Error"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    session_.reset();
    fs::remove_all(dataDir());
    fs::create_directories(dataDir());
    resetProgram();
    newSession();
    c.setup(*this);
    const fs::path dir = c.inMissingDirectory ? root_ / "missing" : dataDir();
    EXPECT_FALSE(openChecked(c.create, {{c.warning, "Ok"}, {"Halt", "Ok"}}, dir));
    EXPECT_EQ(captions(), std::vector<std::string>({c.warning, "Halt"})) << session().text();
    EXPECT_EQ(boxText("Halt"), c.finalMessage);
    EXPECT_TRUE(halted());
    // The warning names the file by its path.
    EXPECT_NE(boxText(c.warning).find((dir / "MapFile.tps").string()), std::string::npos) << boxText(c.warning);
  }
}

TEST_P(OpenFileCheckTest, InvalidKeysAreRebuiltWhenTheUserSaysYes) {
  makeMapFile();
  exec(mapFile(), "DROP INDEX \"MAP:MAPLABKEY\"");
  EXPECT_TRUE(openChecked(1, {{"Invalid Key", "Yes"}}));
  EXPECT_EQ(captions(), std::vector<std::string>({"Invalid Key"}));
  EXPECT_EQ(boxText("Invalid Key"), mapFile().string() + " key file is invalid.  Do you want to rebuild the key?");
  EXPECT_TRUE(hasIndex(mapFile(), "MAP:MAPLABKEY"));
  EXPECT_FALSE(halted());
}

TEST_P(OpenFileCheckTest, InvalidKeysEndTheProgramWhenTheUserSaysNo) {
  makeMapFile();
  exec(mapFile(), "DROP INDEX \"MAP:MAPLABKEY\"");
  EXPECT_FALSE(openChecked(1, {{"Invalid Key", "No"}, {"Halt", "Ok"}}));
  EXPECT_EQ(boxText("Halt"), "Invalid Key!");
  EXPECT_TRUE(halted());
  EXPECT_FALSE(hasIndex(mapFile(), "MAP:MAPLABKEY"));
}

TEST_P(OpenFileCheckTest, ALockedFileIsOpenedAfterTheRecoveryOption) {
  makeMapFile();
  Locker lock(mapFile(), std::chrono::milliseconds(1800));  // past the first open's wait
  EXPECT_TRUE(openChecked(1, {}));
  EXPECT_TRUE(captions().empty());
}

TEST_P(OpenFileCheckTest, AFileThatStaysLockedEndsTheProgramWithDiskError) {
  makeMapFile();
  Locker lock(mapFile());  // past the recovery wait of 10 s
  EXPECT_FALSE(openChecked(1, {{"File Access Error", "Ok"}, {"Halt", "Ok"}}));
  EXPECT_EQ(boxText("File Access Error").rfind("File (" + mapFile().string() + ") could not be opened.  Error: ", 0),
            0u)
      << boxText("File Access Error");
  EXPECT_NE(boxText("File Access Error").find("(32)."), std::string::npos);
  EXPECT_EQ(boxText("Halt"), "Disk Error");
}

INSTANTIATE_TEST_SUITE_P(Backends, OpenFileCheckTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
}  // namespace shelltest
