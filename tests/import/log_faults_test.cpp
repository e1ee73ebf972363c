// A run must not start, or must stop, when its log cannot be written: otherwise it stores
// records that no log accounts for, or writes through a link into another file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "file_size_limit.h"
#include "import/log_file.h"
#include "scenario.h"
#include "ui_message_double.h"

namespace testing_import {
namespace {

namespace fs = std::filesystem;

using LogFaultsTest = ScenarioFixture;

TEST_F(LogFaultsTest, ALogThatCannotBeOpenedKeepsTheRunFromStarting) {
  const fs::path elsewhere = dir / "elsewhere.txt";
  import::LogFile holder;  // another station's run
  struct Case {
    const char* name;
    std::function<void(const std::string&)> place;
    const char* reason;
  };
  const Case cases[] = {
      {"symbolic link",
       [&](const std::string& p) {
         std::ofstream(elsewhere) << "ikke en logg\n";
         fs::create_symlink(elsewhere, p);
       },
       "Fila er en symbolsk lenke"},
      {"named pipe", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0); },
       "Fila er ikke en vanlig fil"},
      {"directory", [](const std::string& p) { fs::create_directory(p); }, "Is a directory"},
      {"held by another run", [&](const std::string& p) { ASSERT_TRUE(holder.create(p)); },
       "File is locked by another process"},
  };
  for (const Case& c : cases) {
    for (bool afresh : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (afresh ? ", new log" : ", appended"));
      holder.close();
      fs::remove_all(logPath());
      c.place(logPath());
      testing_ui::boxes().clear();
      fake.closes = 0;
      auto ch = allOn();
      ch.LOGSLETT = afresh;
      run(ch);
      ASSERT_EQ(testing_ui::boxes().size(), 1u);
      EXPECT_EQ(testing_ui::boxes()[0].text,
                "Kan ikke åpne logg-fila: " + logPath() + "|" + c.reason + "|Importen er ikke startet!");
      EXPECT_TRUE(dumpUtslippskontroll().empty());
      EXPECT_EQ(fake.closes, 1);
      EXPECT_EQ(progress.logViews, 0);
    }
  }
  std::ifstream in(elsewhere);
  std::string kept;
  std::getline(in, kept);
  EXPECT_EQ(kept, "ikke en logg");  // never emptied or written through the link
}

TEST_F(LogFaultsTest, AFailedAppendStopsTheRunAndSaysSo) {
  constexpr rlim_t kLimit = 8 << 20;
  std::ofstream(logPath()).close();
  fs::resize_file(logPath(), kLimit - 10);
  auto ch = allOn();
  ch.LOGSLETT = false;
  {
    FileSizeLimit limit(kLimit);
    run(ch);
  }
  // The blank line before the plant's header fitted; the header, which the limit cut, was
  // taken back.
  EXPECT_EQ(logText().substr(kLimit - 10), "\n");
  ASSERT_EQ(testing_ui::boxes().size(), 1u);
  EXPECT_EQ(testing_ui::boxes()[0].text,
            "Kan ikke skrive til logg-fila: " + logPath() + "|File too large|Importen er stoppet!");
  EXPECT_EQ(progress.lines[1], "Importen er stoppet!");
  // The first supplier's journals were stored; the counts shown are those records, no more.
  EXPECT_EQ(state.UtslippskontrollCount, static_cast<int>(dumpUtslippskontroll().size()));
  EXPECT_LT(state.UtslippskontrollCount, 6);
  EXPECT_EQ(fake.closes, 1);
}

}  // namespace
}  // namespace testing_import
