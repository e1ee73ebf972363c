// Boxes, pop-up menus, file dialogs, help and the end of the program, answered by the robot.
#include "platform/ui/api/dialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "event_log.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "platform/ui/headless/session.h"
#include "test_session.h"

using namespace ui;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

WindowDef buttons(const std::string& title, std::vector<std::string> equates) {
  WindowDef def;
  def.title = title;
  def.help = "Hovedmeny";
  for (auto& e : equates) {
    ControlDef d;
    d.kind = ControlKind::Button;
    d.equate = e;
    d.text = e.substr(1);
    def.controls.push_back(d);
  }
  return def;
}

// Runs `onPress` for every press of a button of a one-window procedure.
void buttonProcedure(const std::string& title, std::vector<std::string> equates,
                     std::function<void(Window&, const std::string&)> onPress, bool* closed = nullptr) {
  Window win(buttons(title, std::move(equates)));
  win.open();
  while (auto ev = win.accept())
    if (ev.kind == EventKind::Accepted) onPress(win, win.equate(ev.control));
  if (closed) *closed = true;
}

// A box takes the focus from the window it stands over and gives it back when answered, as
// on the real windows: a window that refreshes on gaining the focus refreshes after a box.
TEST(HeadlessDialogs, ABoxTakesTheFocusFromItsWindowAndGivesItBack) {
  EventLog log;
  l2stest::Session s;
  s.start([&] {
    Window win(buttons("Liste", {"?ASK"}));
    win.open();
    while (auto ev = win.accept()) {
      if (ev.kind == EventKind::OpenWindow) continue;
      log.add(win, ev);
      if (ev.kind == EventKind::Accepted) message("Sikker?", "Spørsmål", Icon::Question, Button::Yes | Button::No);
    }
  });
  ASSERT_TRUE(s.robot().window("Liste"));
  ASSERT_TRUE(s.robot().press("?ASK"));
  ASSERT_TRUE(s.robot().answer("Spørsmål", "No"));
  ASSERT_TRUE(s.robot().close());
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_THAT(log.lines(), ElementsAre("GainFocus", "Accepted ?ASK", "LoseFocus", "GainFocus", "CloseWindow"));
}

TEST(HeadlessDialogs, PopupCountsItemsWithoutSeparatorsAndRefusesGreyedOnes) {
  struct Case {
    const char* text;
    int item;
    bool ok;
    int returned;
  };
  const Case cases[] = {
      {"&Ny|&Endre|&Slette|-|&Velg", 4, true, 4},
      {"&Ny|~&Endre|~&Slette|-|~&Velg", 2, false, 0},
      {"&Ny|~&Endre", 0, true, 0},  // dismissed
  };
  for (const Case& c : cases) {
    int returned = -1;
    l2stest::Session s;
    s.start(
        [&] { buttonProcedure("Liste", {"?POP"}, [&](Window&, const std::string&) { returned = popup(c.text); }); });
    ASSERT_TRUE(s.robot().window("Liste"));
    s.robot().press("?POP");
    EXPECT_EQ(s.robot().popup(c.item), c.ok) << c.text;
    s.finish();
    if (c.ok) {
      EXPECT_EQ(returned, c.returned) << c.text;
    } else {
      EXPECT_THAT(s.text(), HasSubstr("pop-up item \"&Endre\" is greyed"));
    }
  }
}

TEST(HeadlessDialogs, BoxesReturnTheAnswerAndAreRecorded) {
  std::vector<int> answers;
  l2stest::Session s;
  s.start([&] {
    buttonProcedure("Skjema", {"?OK"}, [&](Window&, const std::string&) {
      answers.push_back(
          message("Lagre endringene?", "Update Cancelled", Icon::Question, Button::Yes | Button::No | Button::Cancel));
      answers.push_back(message("Linje 1|Linje 2"));
    });
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Skjema"));
  r.press("?OK");
  r.answer("Update Cancelled", "No");
  EXPECT_FALSE(r.answer("Advarsel", "Ok"));  // the waiting box has no caption
  EXPECT_EQ(s.finish(), headless::kRunFailed);
  EXPECT_THAT(answers, ElementsAre(Button::No));
  EXPECT_THAT(s.text(), HasSubstr("box \"Update Cancelled\" \"Lagre endringene?\" icon question buttons "
                                  "Yes|No|Cancel answer No\n"));
  EXPECT_THAT(s.text(),
              HasSubstr("error: no box \"Advarsel\" to answer; waiting instead: box \"\" \"Linje 1|Linje 2\""));
}

TEST(HeadlessDialogs, FileAndDirectoryDialogsTakeAPathOrAreCancelled) {
  std::string file = "/data/lab", dir = "/data";
  std::vector<bool> results;
  l2stest::Session s;
  s.start([&] {
    buttonProcedure("Skjema laboratorium", {"?LOOKUP", "?LOOKUP:2"}, [&](Window&, const std::string& b) {
      if (b == "?LOOKUP")
        results.push_back(directoryDialog("Velg katalog", dir));
      else
        results.push_back(fileDialog("Velg importfile", file, "Rnx20 Files|RNX20*.DBF|All Files|*.*"));
    });
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Skjema laboratorium"));
  r.press("?LOOKUP");
  r.file("/lab/eksport");
  r.press("?LOOKUP:2");
  r.cancelFile();
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_THAT(results, ElementsAre(true, false));
  EXPECT_EQ(dir, "/lab/eksport");
  EXPECT_EQ(file, "/data/lab");  // unchanged when cancelled
  EXPECT_THAT(s.text(), HasSubstr("directory \"Velg katalog\" answer \"/lab/eksport\"\n"
                                  "file \"Velg importfile\" cancel\n"));
}

// Abort on the stop box and the end-of-program box end the program: the procedure's closing
// steps do not run, the run's exit code is the halt code, and the test process goes on.
TEST(HeadlessDialogs, StopAndHaltBoxesEndTheProgramWithoutEndingTheProcess) {
  struct Case {
    const char* button;
    const char* answer;
    int exitCode;
    bool closingRan;
    const char* line;
  };
  const Case cases[] = {
      {"?STOP", "Abort", 0, false, "halt 0"},
      {"?STOP", "Ignore", 0, true,
       "box \"Stop\" \"Finner ikke gyldig datasett!\" icon stop buttons Abort|Ignore answer Ignore"},
      {"?HALT", "Ok", 3, false, "box \"Halt\" \"Disk Error\" icon stop buttons Ok answer Ok\nhalt 3"},
  };
  for (const Case& c : cases) {
    bool closingRan = false;
    bool otherUnwound = false;
    l2stest::Session s;
    s.start([&] {
      buttonProcedure(
          "Hovedmeny", {"?STOP", "?HALT"},
          [&](Window&, const std::string& b) {
            if (b == "?STOP")
              stop("Finner ikke gyldig datasett!");
            else
              halt("Disk Error", 3);
          },
          &closingRan);
    });
    s.start([&] {
      try {
        buttonProcedure("Annen", {"?X"}, [](Window&, const std::string&) {});
      } catch (const ProgramHalted&) {
        otherUnwound = true;
        throw;
      }
    });
    auto& r = s.robot();
    ASSERT_TRUE(r.window("Annen"));
    ASSERT_TRUE(r.window("Hovedmeny"));
    r.press(c.button);
    r.answer(c.button == std::string("?STOP") ? "Stop" : "Halt", c.answer);
    if (c.closingRan) r.close(), r.window("Annen"), r.close();
    EXPECT_EQ(s.finish(), c.exitCode) << s.text();
    EXPECT_EQ(closingRan, c.closingRan) << c.answer;
    EXPECT_EQ(otherUnwound, !c.closingRan) << c.answer;
    EXPECT_THAT(s.text(), HasSubstr(c.line));
  }
}

TEST(HeadlessDialogs, HelpButtonsF1AndTheHelpMenuCallTheHelpHandler) {
  std::vector<std::string> asked;
  setHelpHandler([&](std::string k) { asked.push_back(k); });
  WindowDef def = buttons("Hovedmeny", {"?HELP"});
  def.controls[0].action = StdAction::Help;
  MenuItem hjelp{.text = "&Hjelp"};
  hjelp.items = {MenuItem{.equate = "?HELPINDEX", .text = "&Innhold", .action = StdAction::HelpIndex}};
  MenuItem view{.equate = "?VIEWMENU", .text = "&View", .disabled = true};
  view.items = {MenuItem{.equate = "?NEXT", .text = "&Next Page"}};
  def.menu = {hjelp, view};
  l2stest::Session s;
  s.start([&] {
    Window win(def);
    win.open();
    while (win.accept()) {
    }
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Hovedmeny"));
  r.press("?HELP");
  r.key("", "F1");
  r.menu("Innhold");
  EXPECT_FALSE(r.menu("&Next Page"));  // inside the disabled menu
  EXPECT_THAT(r.error(), HasSubstr("is inside disabled ?VIEWMENU"));
  ASSERT_EQ(s.finish(), headless::kRunFailed) << s.text();
  setHelpHandler(nullptr);
  EXPECT_THAT(asked, ElementsAre("Hovedmeny", "Hovedmeny", "#contents"));
}

}  // namespace
