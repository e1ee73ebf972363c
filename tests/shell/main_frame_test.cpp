// The program's start, its main frame and its ways out, played through the headless robot.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "data/thread_state.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "shell/main.h"
#include "shell_fixture.h"

namespace shelltest {
namespace {

constexpr const char* kFrame = "P1$APPFRAME";

bool has(const std::vector<std::string>& v, const std::string& prefix) {
  return std::any_of(v.begin(), v.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

std::size_t indexOf(const std::vector<std::string>& v, const std::string& prefix) {
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i].rfind(prefix, 0) == 0) return i;
  }
  return v.size();
}

class MainFrameTest : public ShellTest {
 protected:
  void startProgram() {
    ASSERT_TRUE(session().start([] { shell::Main(); }));
  }
};

TEST_P(MainFrameTest, FirstRunShowsTheSettingsWindowBeforeTheFrameAndOnlyOnce) {
  makeDatasetList({{"Demo", dataDir().string()}});
  writeIni("[Datasett]\nDatasett_navn=Demo\n");
  startProgram();
  ASSERT_TRUE(robot().window("Innstillinger")) << failure();
  ASSERT_TRUE(robot().close()) << failure();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("E&xit")) << failure();
  EXPECT_EQ(session().finish(), 0);
  const auto first = lines();
  EXPECT_LT(indexOf(first, "open \"Innstillinger\""), indexOf(first, "open \"Brakel-Sivra Provex\""));
  EXPECT_TRUE(fs::exists(work() / "Lab2Siv.Tps"));
  EXPECT_TRUE(fs::exists(work() / "Labuser.tps"));
  EXPECT_TRUE(fs::exists(dataDir() / "MapFile.tps"));

  // The default record was stored with both switches on.
  data::Lab2Siv s;
  s.setName((work() / "Lab2Siv.Tps").string());
  ASSERT_EQ(s.open(), 0);
  s.set();
  ASSERT_EQ(s.next(), 0);
  EXPECT_EQ(s.rec.PREIMPRUNSTATUS, 1);
  EXPECT_EQ(s.rec.PREIMPRUNDOS, 1);
  EXPECT_TRUE(s.rec.PREIMPRUN.blank());
  EXPECT_NE(s.next(), 0) << "one settings record only";
  s.close();

  session_.reset();
  resetProgram();
  newSession();
  startProgram();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("E&xit")) << failure();
  EXPECT_EQ(session().finish(), 0);
  EXPECT_FALSE(has(lines(), "open \"Innstillinger\""));
}

// The shared settings file is there but cannot be read (here a named pipe, which not even an
// administrator reads as a file): the user is told, and "Avslutt" does not replace it.
TEST_P(MainFrameTest, AnUnreadableSettingsFileIsSaidAndNeverWritten) {
  makeKnownInstallation();
  fs::remove(iniPath());
  ASSERT_EQ(::mkfifo(iniPath().c_str(), 0644), 0);
  startProgram();
  ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
  ASSERT_TRUE(answer("Stop", "Ignore")) << failure();  // the dataset's name is in that file
  ASSERT_TRUE(answer("Stop", "Ignore")) << failure();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("Avslutt")) << failure();
  ASSERT_TRUE(answer("Advarsel", "Ok")) << failure();
  EXPECT_EQ(session().finish(), 0);
  const auto boxes = linesStarting("box \"Advarsel\"");
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].substr(0, boxes[0].find("\" icon")),
            "box \"Advarsel\" \"Kan ikke lese innstillingsfila: " + iniPath().string() +
                "|Not a regular file|Innstillingene blir ikke lagret når programmet avsluttes.");
  EXPECT_EQ(boxes[1].substr(0, boxes[1].find("\" icon")),
            "box \"Advarsel\" \"Kan ikke lagre innstillingene i fila: " + iniPath().string() + "|Not a regular file");
  EXPECT_TRUE(fs::is_fifo(iniPath()));
}

TEST_P(MainFrameTest, TitleNamesTheDataset) {
  makeKnownInstallation();
  startProgram();
  ASSERT_TRUE(robot().window("Brakel-Sivra Provex (Rnx-versjon) [Demo]")) << failure();
}

// The three stop boxes come in order; Abort on any of them ends the program at once with exit
// code 0, before any file of the program is created or any setting is written.
TEST_P(MainFrameTest, AbortOnAStopBoxEndsTheProgramWritingNothing) {
  struct Case {
    const char* name;
    bool list;
    const char* directory;  // of dataset "Demo"; nullptr: no such dataset
    std::vector<std::string> boxes;
  };
  const std::string open = "Kan ikke åpne fila: Datasett.tps";
  const std::string notFound = "Finner ikke gyldig datasett!";
  const std::string noDir = "Datakataloger må være angitt!";
  // A directory the dataset list holds, but too long for some of the names built from it.
  const std::string longDir = (root_ / std::string(194 - root_.string().size(), 'd')).string();
  const std::string tooLong =
      "Datakatalogen er for lang: " + longDir + "|Navnet på fila Postadresser.tps blir lengre enn 200 tegn.";
  const Case cases[] = {
      {"no dataset list", false, nullptr, {open}},
      {"dataset not in the list", true, nullptr, {notFound}},
      {"dataset without a directory", true, "", {noDir}},
      {"directory too long for the file names", true, longDir.c_str(), {tooLong}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    session_.reset();
    freshWorkDirectory();
    resetProgram();
    newSession();
    if (c.list) {
      if (c.directory) {
        makeDatasetList({{"Demo", c.directory}});
      } else {
        makeDatasetList({{"Annet", dataDir().string()}});
      }
    }
    const std::string ini = "[Datasett]\nDatasett_navn=Demo\n";
    writeIni(ini);
    startProgram();
    ASSERT_TRUE(answer("Stop", "Abort")) << failure();
    EXPECT_EQ(session().finish(), 0);
    const auto boxes = linesStarting("box ");
    ASSERT_EQ(boxes.size(), c.boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) {
      EXPECT_EQ(boxes[i], "box \"Stop\" \"" + c.boxes[i] + "\" icon stop buttons Abort|Ignore answer Abort");
    }
    EXPECT_FALSE(fs::exists(work() / "Lab2Siv.Tps"));
    EXPECT_FALSE(fs::exists(work() / "Labuser.tps"));
    EXPECT_EQ(iniText(), ini);
  }
}

TEST_P(MainFrameTest, IgnoreGoesOnThroughEveryStopBoxWithABlankDataDirectory) {
  startProgram();  // no settings file, no dataset list
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(answer("Stop", "Ignore")) << failure();
  // A first run: the settings window before the frame, with an empty (created) dataset list.
  ASSERT_TRUE(robot().window("Innstillinger")) << failure();
  ASSERT_TRUE(robot().dump("?GLO:DATASETT_NAVN")) << failure();
  ASSERT_TRUE(robot().close()) << failure();
  ASSERT_TRUE(robot().window("Brakel-Sivra Provex (Rnx-versjon) []")) << failure();
  ASSERT_TRUE(robot().menu("E&xit")) << failure();
  EXPECT_EQ(session().finish(), 0);

  const auto boxes = linesStarting("box \"Stop\"");
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_NE(boxes[0].find("Kan ikke åpne fila: Datasett.tps"), std::string::npos);
  EXPECT_NE(boxes[1].find("Finner ikke gyldig datasett!"), std::string::npos);
  EXPECT_NE(boxes[2].find("Datakataloger må være angitt!"), std::string::npos);
  EXPECT_TRUE(has(lines(), "dump ?GLO:DATASETT_NAVN \"\" selected 0 rows 0"));
  // A blank data directory: the bare backslash-led names, at the drive's root.
  EXPECT_TRUE(data::DataDirectory().empty());
  EXPECT_EQ(data::fileName(data::FileId::MapLab), "\\MapFile.tps");
  EXPECT_TRUE(fs::exists(drive() / "MapFile.tps"));
  EXPECT_TRUE(fs::exists(work() / "Datasett.tps"));
}

// A window the import area would plug in: changes the supplier range as the user would.
void changeSupplierRange() {
  shell::editGlobals([](shell::GlobalSettings& g) {
    g.LEVERAND1 = "300";
    g.LEVERAND2 = "400";
  });
}

TEST_P(MainFrameTest, OnlyAvsluttWritesTheSettingsBack) {
  struct Case {
    const char* way;
    bool stores;
  };
  for (const Case c : {Case{"Avslutt", true}, Case{"E&xit", false}, Case{"close box", false}}) {
    SCOPED_TRACE(c.way);
    session_.reset();
    resetProgram();
    freshWorkDirectory();
    makeKnownInstallation();
    newSession();
    shell::setProcedure("ImportWindow", changeSupplierRange);
    startProgram();
    ASSERT_TRUE(robot().window(kFrame)) << failure();
    ASSERT_TRUE(robot().menu("Import av labdata")) << failure();
    ASSERT_TRUE(robot().settle()) << failure();
    if (std::string(c.way) == "close box") {
      ASSERT_TRUE(robot().close()) << failure();
    } else {
      ASSERT_TRUE(robot().menu(c.way)) << failure();
    }
    EXPECT_EQ(session().finish(), 0);
    const std::string ini = iniText();
    EXPECT_EQ(ini.find("Leverand1=300") != std::string::npos, c.stores) << ini;
    EXPECT_EQ(ini.find("Leverand2=400") != std::string::npos, c.stores) << ini;
    EXPECT_EQ(ini.find("Leverand1=100") != std::string::npos, !c.stores) << ini;
    if (c.stores) {
      EXPECT_NE(ini.find("Datasett=Demo"), std::string::npos);
      EXPECT_NE(ini.find("UtslKtr=1"), std::string::npos);
    }
  }
}

// A stand-in import window: open until it is closed.
void importWindow() {
  ui::WindowDef def;
  def.title = "Import";
  def.kind = ui::WindowKind::MdiChild;
  ui::Window win(def);
  win.open();
  while (win.accept()) {
  }
}

TEST_P(MainFrameTest, EveryImportStartOpensAnotherWindowOnAnotherThread) {
  makeKnownInstallation();
  shell::setProcedure("ImportWindow", importWindow);
  startProgram();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("&Import")) << failure();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("Import av labdata")) << failure();
  // Nothing registered for the laboratories list yet: its start shows nothing.
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("&Laboratorier")) << failure();
  ASSERT_TRUE(robot().settle()) << failure();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("Avslutt")) << failure();
  EXPECT_EQ(session().finish(), 0);

  const auto opened = linesStarting("open \"Import\" thread ");
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_NE(opened[0], opened[1]);
  const auto frameOpen = linesStarting("open \"Brakel-Sivra Provex\" thread ");
  ASSERT_EQ(frameOpen.size(), 1u);
  EXPECT_EQ(std::set<std::string>({opened[0].substr(14), opened[1].substr(14), frameOpen[0].substr(27)}).size(), 3u);
  // The frame's closing lets both import windows close too.
  EXPECT_EQ(linesStarting("close \"Import\"").size(), 2u);
  EXPECT_EQ(linesStarting("open ").size(), 3u);
}

class DragDouble : public sys::Desktop {
 public:
  explicit DragDouble(bool on) : on_(on) {}
  bool fullWindowDrag() const override { return on_; }
  void setFullWindowDrag(bool on) override {
    on_ = on;
    sets.push_back(on);
  }
  std::vector<bool> sets;

 private:
  bool on_;
};

TEST_P(MainFrameTest, FullWindowDragIsOffWhileTheProgramRunsWhenItWasOn) {
  for (bool onAtStart : {true, false}) {
    SCOPED_TRACE(onAtStart ? "on at start" : "off at start");
    session_.reset();
    resetProgram();
    freshWorkDirectory();
    makeKnownInstallation();
    newSession();
    DragDouble desk(onAtStart);
    sys::setDesktop(&desk);
    startProgram();
    ASSERT_TRUE(robot().window(kFrame)) << failure();
    EXPECT_FALSE(desk.fullWindowDrag());
    ASSERT_TRUE(robot().menu("E&xit")) << failure();
    EXPECT_EQ(session().finish(), 0);
    sys::setDesktop(nullptr);
    EXPECT_EQ(desk.fullWindowDrag(), onAtStart);
    EXPECT_EQ(desk.sets, onAtStart ? std::vector<bool>({false, true}) : std::vector<bool>{});
  }
}

TEST_P(MainFrameTest, HelpMenuAndButtonOpenTheirPages) {
  makeKnownInstallation();
  startProgram();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("Hjelp for dette vindu")) << failure();
  ASSERT_TRUE(robot().window("Hjelp - Hovedmeny")) << failure();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("&Innhold")) << failure();
  ASSERT_TRUE(robot().window("Hjelp - Innhold")) << failure();
  ASSERT_TRUE(robot().choose("?EMNER", "Innstillinger")) << failure();
  ASSERT_TRUE(robot().press("?VIS")) << failure();
  ASSERT_TRUE(robot().window("Hjelp - Innstillinger")) << failure();
  ASSERT_TRUE(robot().dump("?EMNER")) << failure();
  EXPECT_EQ(linesStarting("dump ?EMNER").back(), "dump ?EMNER selected 5 rows 8");
  ASSERT_TRUE(robot().type("?SOKEORD", "loggfilen")) << failure();
  ASSERT_TRUE(robot().press("?SOK")) << failure();
  ASSERT_TRUE(robot().dump("?EMNER")) << failure();
  // A double click on a topic opens it.
  ASSERT_TRUE(robot().choose("?EMNER", "Import")) << failure();
  ASSERT_TRUE(robot().key("?EMNER", "DoubleClick")) << failure();
  ASSERT_TRUE(robot().window("Hjelp - Import")) << failure();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  EXPECT_TRUE(robot().menu("P&rint Setup...")) << failure();
  // F1 asks for the window's own page, as its menu item does.
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().key("", "F1")) << failure();
  ASSERT_TRUE(robot().window("Hjelp - Hovedmeny")) << failure();
  ASSERT_TRUE(robot().window(kFrame)) << failure();
  ASSERT_TRUE(robot().menu("E&xit")) << failure();
  EXPECT_EQ(session().finish(), 0);
  EXPECT_TRUE(has(lines(), "dump ?EMNER selected 1 rows 2"));
  EXPECT_TRUE(has(lines(), "  row 1 \"Import\""));
  EXPECT_TRUE(has(lines(), "printer-setup"));
  // The help asked for, by the window's keyword and by the contents.
  EXPECT_TRUE(has(lines(), "help \"#contents\""));
  EXPECT_EQ(linesStarting("help \"Hovedmeny\"").size(), 2u) << session().text();
  EXPECT_EQ(linesStarting("help ").size(), 3u) << session().text();
}

INSTANTIATE_TEST_SUITE_P(Backends, MainFrameTest, ::testing::ValuesIn(l2stest::windowBackends()), l2stest::backendName);

}  // namespace
}  // namespace shelltest
