// The log viewer through the robot: loading (one tick, missing, empty, held by a run, Cancel in
// the middle of a long load), paging, searching with the wrap question, and printing.
#include "import/viewers/log_file_view.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "../../maintenance/window_harness.h"
#include "import/log_file.h"
#include "platform/store/paths.h"
#include "platform/ui/api/line_printer.h"

namespace {

constexpr const char* kTitle = "Se på Logg-file";

class LogFileViewTest : public l2stest::WindowHarness {
 protected:
  void TearDown() override {
    ui::setLinePrinter({});
    WindowHarness::TearDown();
  }
  std::string logPath() const { return store::resolvePath(data::fileName(data::FileId::ImportLog)); }
  void writeLog(const std::vector<std::string>& lines) {
    std::ofstream out(logPath(), std::ios::binary);
    for (const auto& l : lines) out << l << '\n';
  }
  void open() {
    ASSERT_TRUE(ui::startProcedure([] { import::LogFileView(); }));
    ASSERT_TRUE(robot.window(kTitle));
  }
  void close() {
    ASSERT_TRUE(robot.window(kTitle));
    ASSERT_TRUE(robot.press("?CLOSE"));
    ASSERT_TRUE(robot.waitEnd());
  }
  std::vector<std::string> shown() { return rows(kTitle, "?ASCIIBOX"); }
  std::string current() {
    const auto c = control(kTitle, "?ASCIIBOX");
    return c.selected >= 1 && c.selected <= static_cast<long long>(c.rows.size())
               ? c.rows[static_cast<std::size_t>(c.selected - 1)].cells.at(0)
               : std::string();
  }
};

TEST_F(LogFileViewTest, ALogSmallerThanOneTickIsReadAtOnceAndPagedByTheList) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 25; ++i) lines.push_back("Linje " + std::to_string(i) + " Lagret Utslippskontroll");
  writeLog(lines);
  open();
  EXPECT_TRUE(transcriptHas("close \"Reading File\"")) << "the first tick ends the load";
  EXPECT_TRUE(control(kTitle, "?ASCIIBOX").enabled);
  EXPECT_FALSE(control(kTitle, "?ASCIIREPEAT").enabled);
  EXPECT_EQ(shown(), std::vector<std::string>(lines.begin(), lines.begin() + 10)) << "one page of ten";
  EXPECT_EQ(current(), lines[0]);

  ASSERT_TRUE(robot.key("?ASCIIBOX", "End"));
  EXPECT_EQ(shown(), std::vector<std::string>(lines.end() - 10, lines.end()));
  EXPECT_EQ(current(), lines.back());
  EXPECT_EQ(control(kTitle, "?ASCIIBOX").vscrollPos, 100);
  ASSERT_TRUE(robot.key("?ASCIIBOX", "PgUp"));
  EXPECT_EQ(current(), lines[14]);
  ASSERT_TRUE(robot.drag("?ASCIIBOX", 0));
  EXPECT_EQ(shown().front(), lines[0]);
  ASSERT_TRUE(robot.choose("?ASCIIBOX", lines[3]));
  EXPECT_EQ(current(), lines[3]);
  ASSERT_TRUE(robot.key("?ASCIIBOX", "Down"));
  EXPECT_EQ(current(), lines[4]);
  close();
  EXPECT_TRUE(import::LogFile().open(logPath())) << "the viewer holds the log only while it loads";
}

struct FailedLoad {
  const char* name;
  int kind;
  const char* text;
};

TEST_F(LogFileViewTest, AMissingEmptyOrBusyLogWarnsAndLeavesAnEmptyDisabledList) {
  const FailedLoad cases[] = {
      {"missing", 26, "File Load Error.  Error: File Not Found (2)."},
      {"empty", 28, "The file you've requested contains no text."},
      {"held by a run", 26, "Error: File Is Locked (32)."},
      // Opened without waiting for a writer, and refused.
      {"named pipe", 26, "Error: Fila er ikke en vanlig fil (5)."},
      {"directory", 26, "Error: Fila er ikke en vanlig fil (5)."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(logPath());
    import::LogFile run;
    const std::string name = c.name;
    if (c.kind == 28) writeLog({});
    if (name == "held by a run") {
      ASSERT_TRUE(run.create(logPath()));
    }
    if (name == "named pipe") {
      ASSERT_EQ(::mkfifo(logPath().c_str(), 0644), 0);
    }
    if (name == "directory") std::filesystem::create_directory(logPath());
    ASSERT_TRUE(ui::startProcedure([] { import::LogFileView(); }));
    ASSERT_TRUE(robot.answer("File Load Error", "Ok"));
    ASSERT_TRUE(robot.window(kTitle));
    EXPECT_TRUE(transcriptHas(logPath() + " File Load Error.")) << "the box names the file";
    EXPECT_TRUE(transcriptHas(c.text));
    EXPECT_FALSE(control(kTitle, "?ASCIIBOX").enabled);
    EXPECT_TRUE(shown().empty());
    EXPECT_TRUE(control(kTitle, "?ASCIISEARCH").enabled) << "the other buttons stay usable";
    EXPECT_FALSE(transcriptHas("Reading File"));
    close();
  }
  std::filesystem::remove_all(logPath());
}

// Logs from before the log was UTF-8 hold Windows-1252 lines; each line is read by itself.
TEST_F(LogFileViewTest, ALineThatIsNotUtf8IsReadAsWindows1252) {
  writeLog({"M\xe5lested \xf8 Innl\xf8p", "Lagret Slamkontroll - Anlegg: Ålesund", "\x80 \xe6\xc6 \x81"});
  open();
  EXPECT_EQ(shown(), (std::vector<std::string>{"Målested ø Innløp", "Lagret Slamkontroll - Anlegg: Ålesund",
                                               "€ æÆ \xEF\xBF\xBD"}));
  close();
}

// The Cancel button arrives while the timer is still reading, as a user's click would: once the
// progress text shows that some lines were read.
void clickWhileLoading(ui::headless::HeadlessBackend& backend, const char* equate) {
  const bool clicked = l2stest::pollUntil([&] {
    int window = 0, control = 0;
    {
      std::lock_guard lock(backend.mutex());
      for (auto& [id, w] : backend.windows()) {
        if (w.title != "Reading File") continue;
        bool reading = false;
        for (auto& [cid, c] : w.controls) {
          if (c.def.equate == "?PROGRESS:PCTTEXT") reading = c.value.find("bytes") != std::string::npos;
          if (c.def.equate == equate) control = cid;
        }
        if (reading) window = id;
      }
    }
    if (window != 0) {
      ui::Event ev;
      ev.kind = ui::EventKind::Accepted;
      ev.control = control;
      ev.key = ui::Key::MouseLeft;
      ui::deliver(window, ev);
    }
    return window != 0;
  });
  if (!clicked) ADD_FAILURE() << "the progress window did not open";
}

TEST_F(LogFileViewTest, CancelDuringALongLoadAsksAndKeepsTheLinesRead) {
  std::vector<std::string> lines;
  const int total = 60000;  // about 4 MB: some 200 ticks
  for (int i = 1; i <= total; ++i) lines.push_back("Linje " + std::to_string(i) + std::string(60, '.'));
  writeLog(lines);
  const auto lastShown = [&] {
    EXPECT_TRUE(robot.window(kTitle));
    EXPECT_TRUE(robot.key("?ASCIIBOX", "End"));
    const std::string last = current();
    EXPECT_EQ(last.rfind("Linje ", 0), 0u) << last;
    const int n = last.size() > 6 ? std::atoi(last.c_str() + 6) : 0;
    EXPECT_EQ(last, lines.at(static_cast<std::size_t>(std::max(n, 1) - 1))) << "the lines are kept in order";
    return n;
  };

  // Answered Cancel: the load goes on to the end.
  ASSERT_TRUE(ui::startProcedure([] { import::LogFileView(); }));
  clickWhileLoading(backend, "?PROGRESS:CANCEL");
  ASSERT_TRUE(robot.answer("Cancel Request", "Cancel"));
  EXPECT_TRUE(transcriptHas("Are you certain you want to stop loading " + logPath() + "?"));
  EXPECT_EQ(lastShown(), total);
  close();

  // Answered OK: the load stops and the lines read stay.
  ASSERT_TRUE(ui::startProcedure([] { import::LogFileView(); }));
  clickWhileLoading(backend, "?PROGRESS:CANCEL");
  ASSERT_TRUE(robot.answer("Cancel Request", "Ok"));
  const int read = lastShown();
  EXPECT_GT(read, 0);
  EXPECT_LT(read, total) << "the load stopped";
  close();
}

struct SearchCase {
  const char* name;
  const char* text;
  bool wholeWord, matchCase;
  const char* direction;
  const char* wrapAnswer;  // "" when no wrap question comes
  int found;               // 1-based row current afterwards
};

TEST_F(LogFileViewTest, SearchFindsByCaseAndWholeWordAndAsksAtTheEnds) {
  const std::vector<std::string> lines{"Import startet", "Anleggsnr 010101 Anlegg Nord", "ANLEGG 020202",
                                       "Lagret anlegg"};
  writeLog(lines);
  const SearchCase cases[] = {
      {"down, any case", "anlegg", false, false, "Down", "", 2},
      {"down, case counts", "anlegg", false, true, "Down", "", 4},
      {"whole word: the second occurrence in the row", "anlegg", true, false, "Down", "", 2},
      {"whole word at the row's end", "020202", true, false, "Down", "", 3},
      {"up from the first row, wrap Yes", "anlegg", false, false, "Up", "Yes", 4},
      {"up from the first row, wrap No", "anlegg", false, false, "Up", "No", 1},
      {"not found, wrap No keeps the row", "finnes ikke", false, false, "Down", "No", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    open();
    ASSERT_TRUE(robot.press("?ASCIISEARCH"));
    ASSERT_TRUE(robot.window("Searching Text..."));
    ASSERT_TRUE(robot.type("?ASC1:SEARCHSTRING", c.text));
    ASSERT_TRUE(robot.check("?ASC1:WHOLEWORD", c.wholeWord));
    ASSERT_TRUE(robot.check("?ASC1:MATCHCASE", c.matchCase));
    ASSERT_TRUE(robot.choose("?ASC1:DIRECTION", c.direction));
    ASSERT_TRUE(robot.press("?ASC1:SEARCH"));
    if (*c.wrapAnswer) {
      ASSERT_TRUE(robot.answer(std::string(c.direction) == "Up" ? "Beginning of File Error" : "End of File Error",
                               c.wrapAnswer));
    }
    ASSERT_TRUE(robot.window(kTitle));
    EXPECT_EQ(current(), lines[static_cast<std::size_t>(c.found - 1)]);
    EXPECT_TRUE(control(kTitle, "?ASCIIREPEAT").enabled);
    close();
  }
}

TEST_F(LogFileViewTest, SearchAgainKeepsTheSettingsAndCancelDisablesIt) {
  writeLog({"Anlegg 1", "noe", "Anlegg 2"});
  open();
  ASSERT_TRUE(robot.press("?ASCIISEARCH"));
  ASSERT_TRUE(robot.window("Searching Text..."));
  ASSERT_TRUE(robot.type("?ASC1:SEARCHSTRING", "anlegg"));
  ASSERT_TRUE(robot.press("?ASC1:SEARCH"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(current(), "Anlegg 2");
  ASSERT_TRUE(robot.press("?ASCIIREPEAT"));
  ASSERT_TRUE(robot.answer("End of File Error", "Yes"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(current(), "Anlegg 1") << "after Yes the first row is searched too";

  ASSERT_TRUE(robot.press("?ASCIISEARCH"));
  ASSERT_TRUE(robot.window("Searching Text..."));
  EXPECT_EQ(control("Searching Text...", "?ASC1:SEARCHSTRING").value, "") << "emptied at each opening";
  EXPECT_EQ(control("Searching Text...", "?ASC1:DIRECTION").value, "Down");
  ASSERT_TRUE(robot.press("?ASC1:CANCELSEARCH"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_FALSE(control(kTitle, "?ASCIIREPEAT").enabled);
  EXPECT_EQ(current(), "Anlegg 1");
  close();
}

// Enter in "Find What" is "Find"; leaving the field by Tab is not.
TEST_F(LogFileViewTest, EnterInTheSearchTextFinds) {
  writeLog({"Import startet", "noe", "Lagret anlegg"});
  open();
  ASSERT_TRUE(robot.press("?ASCIISEARCH"));
  ASSERT_TRUE(robot.window("Searching Text..."));
  ASSERT_TRUE(robot.type("?ASC1:SEARCHSTRING", "anlegg"));
  ASSERT_TRUE(robot.window("Searching Text...")) << "typing and leaving the field does not search";
  ASSERT_TRUE(robot.key("?ASC1:SEARCHSTRING", "Enter"));
  ASSERT_TRUE(robot.window(kTitle));
  EXPECT_EQ(current(), "Lagret anlegg");
  EXPECT_TRUE(control(kTitle, "?ASCIIREPEAT").enabled);
  close();
}

TEST_F(LogFileViewTest, PrintSendsEveryLineInAFixedPitchFont) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 30; ++i) lines.push_back("Linje " + std::to_string(i));
  writeLog(lines);
  std::vector<std::string> printed;
  std::string font;
  int points = 0, calls = 0;
  ui::setLinePrinter([&](const std::vector<std::string>& l, std::string_view f, int p) {
    printed = l;
    font = f;
    points = p;
    ++calls;
    return std::string();
  });
  open();
  ASSERT_TRUE(robot.press("?ASCIIPRINT"));
  EXPECT_EQ(printed, lines) << "every line, not only the page shown";
  EXPECT_EQ(font, "Fixedsys");
  EXPECT_EQ(points, 9);
  EXPECT_FALSE(transcriptHas("box ")) << "no preview, no question";
  close();

  ui::setLinePrinter({});
  open();
  ASSERT_TRUE(robot.press("?ASCIIPRINT"));
  ASSERT_TRUE(robot.answer("Advarsel", "Ok")) << "without a printer the user is told";
  close();
  EXPECT_EQ(calls, 1);
}

}  // namespace
