// Window procedures driven through the robot: events, bindings, pictures, the accept-all
// pass, ranges and list boxes.
#include "platform/ui/api/window.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../control_def.h"
#include "../spin_limits.h"
#include "event_log.h"
#include "platform/text/str.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/headless/session.h"
#include "test_session.h"

using namespace ui;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

WindowDef formDef() {
  WindowDef def;
  def.title = "Skjema";
  def.controls = {
      ctl(ControlKind::Prompt, "?NAVN:PROMPT", "Navn:"),
      ctl(ControlKind::Entry, "?NAVN"),
      ctl(ControlKind::Entry, "?FAKTOR"),
      ctl(ControlKind::Check, "?AKTIV", "Aktiv"),
      ctl(ControlKind::Option, "?TYPE", "Prøvetype"),
      ctl(ControlKind::Radio, "?TYPE:U", "Utslipp"),
      ctl(ControlKind::Radio, "?TYPE:S", "Slam"),
      ctl(ControlKind::Button, "?OK", "OK"),
      ctl(ControlKind::Button, "?CANCEL", "Avbryt"),
  };
  def.controls[1].picture = "@s4";
  def.controls[2].picture = "@n7,3b";
  for (int i : {5, 6}) def.controls[static_cast<std::size_t>(i)].parent = "?TYPE";
  def.controls[5].value = "U";
  def.controls[6].value = "S";
  return def;
}

TEST(HeadlessWindow, EventsArriveInOrderAndVariablesFollowTheControls) {
  EventLog log;
  text::Str<4> navn = "AB";
  double faktor = 0;
  int aktiv = 0;
  std::string type = "U";
  {
    l2stest::Session s;
    s.start([&] {
      Window win(formDef());
      win.bind("?NAVN", navn);
      win.bind("?FAKTOR", faktor);
      win.bind("?AKTIV", aktiv);
      win.bind("?TYPE", type);
      win.open();
      while (auto ev = win.accept()) {
        log.add(win, ev);
        if (ev.kind == EventKind::Accepted)
          log.add("  " + navn.str() + "|" + std::to_string(faktor) + "|" + std::to_string(aktiv) + "|" + type);
        if (ev.kind == EventKind::Rejected) {
          beep();
          win.display(ev.control);
        }
        if (ev.kind == EventKind::Accepted && win.equate(ev.control) == "?OK") {
          faktor = 2.5;  // shown by display(), read back by the dump
          win.display();
        }
      }
    });
    auto& r = s.robot();
    ASSERT_TRUE(r.window("Skjema"));
    r.dump("?NAVN");
    r.type("?NAVN", "Ørsta");
    r.type("?FAKTOR", "1,5");
    r.type("?FAKTOR", "mye");
    r.dump("?FAKTOR");
    r.check("?AKTIV", true);
    r.choose("?TYPE", "Slam");
    r.press("?OK");
    r.dump("?FAKTOR");
    r.close();
    ASSERT_EQ(s.finish(), 0) << s.text();
    EXPECT_THAT(s.transcript().lines(),
                ElementsAre("open \"Skjema\" thread 1", "dump ?NAVN \"AB\"", "beep", "dump ?FAKTOR \"1,500\"",
                            "dump ?FAKTOR \"2,500\"", "close \"Skjema\" thread 1", "end 0"));
  }
  // The Str<4> field keeps what fits; the rejected text never reached the variable.
  EXPECT_THAT(log.lines(), ElementsAre("OpenWindow", "GainFocus", "Accepted ?NAVN", "  Ørst|0.000000|0|U",
                                       "Accepted ?FAKTOR", "  Ørst|1.500000|0|U", "Rejected ?FAKTOR", "Accepted ?AKTIV",
                                       "  Ørst|1.500000|1|U", "Accepted ?TYPE", "  Ørst|1.500000|1|S", "Accepted ?OK",
                                       "  Ørst|1.500000|1|S", "CloseWindow"));
}

// Text a Windows-1252 field cannot hold stays in the control, not '?' in the variable, until
// the program puts a value of its own there.
TEST(HeadlessWindow, TextAStrCannotHoldIsHeldBackInTheControl) {
  EventLog log;
  text::Str<4> navn = "AB";
  {
    l2stest::Session s;
    s.start([&] {
      Window win(formDef());
      win.bind("?NAVN", navn);
      win.open();
      while (auto ev = win.accept()) {
        if (ev.kind != EventKind::Accepted) continue;
        win.display();
        if (win.equate(ev.control) == "?CANCEL") {
          navn = "CD";
          win.display();
        }
        log.add(win.equate(ev.control) + " " + navn.str() + " " + win.equate(win.firstNotCp1252()) + " " +
                win.fieldName(win.firstNotCp1252()));
      }
    });
    auto& r = s.robot();
    ASSERT_TRUE(r.window("Skjema"));
    r.type("?NAVN", "A😀");
    r.dump("?NAVN");
    r.press("?OK");
    r.press("?CANCEL");
    r.dump("?NAVN");
    r.close();
    ASSERT_EQ(s.finish(), 0) << s.text();
    EXPECT_THAT(s.text(), HasSubstr("dump ?NAVN \"A😀\""));
    EXPECT_THAT(s.text(), HasSubstr("dump ?NAVN \"CD\""));
  }
  EXPECT_THAT(log.lines(), ElementsAre("?NAVN AB ?NAVN Navn", "?OK AB ?NAVN Navn", "?CANCEL CD  "));
}

// As a real spin does, the spin hands the procedure the limit, never the digits outside it.
TEST(HeadlessWindow, ATypedNumberOutsideTheSpinsLimitsBecomesTheLimit) {
  for (const SpinLimitCase& c : kSpinLimitCases) {
    SCOPED_TRACE(describe(c));
    EventLog log;
    headless::Session s;
    s.start([&] { spinLimitProcedure(c, log); });
    auto& r = s.robot();
    ASSERT_TRUE(r.window("Side"));
    ASSERT_TRUE(r.type("?PAGE", c.typed));
    ASSERT_TRUE(r.press("?CLOSE"));
    ASSERT_EQ(s.finish(), 0) << s.text();
    EXPECT_THAT(log.lines(), ElementsAre("ready", std::string("Accepted ") + c.expected));
  }
}

// A number whose picture shows fewer decimals than it holds keeps its value when the user leaves
// it as shown (the accept-all pass reads every control); a number typed is taken as typed.
TEST(HeadlessWindow, ANumberLeftAsShownKeepsTheDecimalsItsPictureHides) {
  struct Case {
    const char* typed;  // nullptr: not touched
    double expected;
  };
  const Case cases[] = {{nullptr, 0.0005}, {"0,0004", 0.0004}, {"2", 2}};
  for (const Case& c : cases) {
    double faktor = 0.0005;
    l2stest::Session s;
    s.start([&] {
      Window win(formDef());
      win.bind("?FAKTOR", faktor);
      win.open();
      win.display();
      while (auto ev = win.accept()) {
        if (ev.kind == EventKind::Accepted && win.equate(ev.control) == "?OK") win.acceptAll();
        if (ev.kind == EventKind::Completed) win.post(EventKind::CloseWindow);
      }
    });
    auto& r = s.robot();
    ASSERT_TRUE(r.window("Skjema"));
    r.dump("?FAKTOR");
    if (c.typed) r.type("?FAKTOR", c.typed);
    r.press("?OK");
    ASSERT_EQ(s.finish(), 0) << s.text();
    EXPECT_THAT(s.text(), HasSubstr("dump ?FAKTOR \"0,001\""));
    EXPECT_EQ(faktor, c.expected) << (c.typed ? c.typed : "untouched");
  }
}

// The accept-all pass hands out every enabled input control, then Completed; selecting a
// control while handling one ends it there.
TEST(HeadlessWindow, AcceptAllPassVisitsEnabledInputsAndCanBeStopped) {
  struct Case {
    const char* stopAt;  // "" never stops
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"", {"Accepted ?NAVN", "Accepted ?AKTIV", "Accepted ?TYPE", "Completed"}},
      {"?AKTIV", {"Accepted ?NAVN", "Accepted ?AKTIV", "Accepted ?OK"}},
  };
  for (const Case& c : cases) {
    EventLog log;
    l2stest::Session s;
    s.start([&] {
      Window win(formDef());
      win.open();
      win.disable("?FAKTOR");
      bool passing = false, started = false;
      while (auto ev = win.accept()) {
        if (passing) log.add(win, ev);
        if (ev.kind == EventKind::Accepted && win.equate(ev.control) == "?OK" && !started) {
          passing = started = true;
          win.acceptAll();
          win.post(EventKind::Accepted, "?OK");  // queued behind the pass
        } else if (ev.kind == EventKind::Accepted && win.equate(ev.control) == c.stopAt) {
          win.select(ev.control);
        } else if (ev.kind == EventKind::Completed || (passing && win.equate(ev.control) == "?OK")) {
          passing = false;
        }
      }
    });
    ASSERT_TRUE(s.robot().window("Skjema"));
    s.robot().press("?OK");
    s.robot().close();
    ASSERT_EQ(s.finish(), 0) << s.text();
    EXPECT_EQ(log.lines(), c.expected) << "stop at " << c.stopAt;
  }
}

TEST(HeadlessWindow, RangesInWindowOrderDisableAndHideControls) {
  l2stest::Session s;
  s.start([&] {
    Window win(formDef());
    win.open();
    while (auto ev = win.accept()) {
      if (ev.kind == EventKind::OpenWindow) {
        win.disable("?FAKTOR", win.last());
        win.enable("?CANCEL");
        win.hide("?TYPE:S");
      }
    }
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Skjema"));
  r.dump("?AKTIV");
  r.dump("?NAVN");
  EXPECT_TRUE(r.press("?CANCEL"));
  EXPECT_FALSE(r.choose("?TYPE", "Slam"));
  EXPECT_THAT(r.error(), HasSubstr("?TYPE is disabled"));
  EXPECT_EQ(s.finish(), headless::kRunFailed);
  EXPECT_THAT(s.text(), HasSubstr("dump ?AKTIV \"0\" (is disabled)\ndump ?NAVN \"\"\n"));
}

TEST(HeadlessWindow, ControlsInsideADisabledTabCannotBeUsed) {
  WindowDef def;
  def.title = "Import";
  def.controls = {ctl(ControlKind::Sheet, "?SHEET1"), ctl(ControlKind::Tab, "?TAB1", "Utslippskontroll"),
                  ctl(ControlKind::Entry, "?METODE"), ctl(ControlKind::Tab, "?TAB2", "Slamkontroll"),
                  ctl(ControlKind::Entry, "?STED")};
  def.controls[1].parent = def.controls[3].parent = "?SHEET1";
  def.controls[2].parent = "?TAB1";
  def.controls[4].parent = "?TAB2";
  EventLog log;
  l2stest::Session s;
  s.start([&] {
    Window win(def);
    win.open();
    win.disable("?TAB2");
    while (auto ev = win.accept())
      if (ev.control) log.add(win, ev);
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Import"));
  EXPECT_TRUE(r.type("?METODE", "Stikkprøve"));
  EXPECT_TRUE(r.choose("?SHEET1", {}, 1));
  EXPECT_FALSE(r.type("?STED", "Inn"));
  EXPECT_THAT(r.error(), HasSubstr("?STED is inside disabled ?TAB2"));
  s.finish();
  EXPECT_THAT(log.lines(), ElementsAre("Accepted ?METODE", "TabChanging ?SHEET1 1", "NewSelection ?SHEET1"));
}

// A list box shows the page it is given; the user's keys become scroll and alert events.
TEST(HeadlessWindow, ListBoxKeysBecomeScrollAndAlertEvents) {
  WindowDef def;
  def.title = "Laboratorier";
  ControlDef list = ctl(ControlKind::List, "?LIST");
  list.items = 3;
  list.columns = {{.width = 4, .heading = "Kode"}, {.width = 30, .heading = "Navn"}};
  def.controls = {list, ctl(ControlKind::Button, "?INSERT", "&Ny")};
  def.controls[1].key = Key::Insert;
  EventLog log;
  l2stest::Session s;
  s.start([&] {
    Window win(def);
    win.open();
    win.setRows("?LIST", std::vector<ListRow>{{{"A1", "Alfa"}, false}, {{"B2", "Beta\nandre linje"}, true}});
    win.setAlertKeys("?LIST", {Key::MouseRight, Key::Delete, Key::CtrlEnter});
    while (auto ev = win.accept()) {
      if (!ev.control) continue;
      log.add(win, ev);
      if (ev.kind == EventKind::NewSelection)
        log.add("  selected " + std::to_string(win.selected("?LIST")) + " of " + std::to_string(win.items("?LIST")));
    }
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Laboratorier"));
  r.choose("?LIST", "B2");
  r.key("?LIST", "Down");
  r.key("?LIST", "PgUp");
  r.key("?LIST", "Ctrl+End");
  r.key("?LIST", "Delete");
  r.key("?LIST", "Ctrl+Enter");
  r.key("?LIST", "ø");
  r.key("?LIST", "Insert");  // not alerted: the button with that key
  r.drag("?LIST", 100);
  r.dump("?LIST");
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_THAT(log.lines(), ElementsAre("NewSelection ?LIST", "  selected 2 of 3", "ScrollDown ?LIST", "PageUp ?LIST",
                                       "ScrollBottom ?LIST", "AlertKey ?LIST 46", "AlertKey ?LIST 525",
                                       "AlertKey ?LIST 255 ø", "Accepted ?INSERT", "ScrollDrag ?LIST 100"));
  EXPECT_THAT(s.text(), HasSubstr("dump ?LIST selected 2 rows 2\n  row 1 \"A1\" \"Alfa\"\n"
                                  "  row 2 \"B2\" \"Beta\\nandre linje\" grey\n"));
}

TEST(HeadlessWindow, TimerTicksUntilStoppedAndKeepsTheRobotWaiting) {
  WindowDef def;
  def.title = "Reading File";
  def.timer = 1;
  def.controls = {ctl(ControlKind::Progress, "?PROGRESS")};
  int ticks = 0;
  l2stest::Session s;
  s.start([&] {
    Window win(def);
    win.open();
    while (auto ev = win.accept()) {
      if (ev.kind != EventKind::Timer) continue;
      win.set("?PROGRESS", Prop::Value, static_cast<long long>(++ticks * 25));
      if (ticks == 4) win.setTimer(0);
    }
  });
  ASSERT_TRUE(s.robot().window("Reading File"));
  s.robot().dump("?PROGRESS");  // waits until the timer has stopped
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_THAT(s.text(), HasSubstr("dump ?PROGRESS \"100\""));
}

}  // namespace

namespace {

// What the report preview needs: a control created at run time to measure a page image,
// clicks on an image, check items in a menu.
TEST(HeadlessWindow, RunTimeImageControlMeasuresAPageAndTakesClicks) {
  const auto png = std::filesystem::temp_directory_path() / ("l2s-ui-page-" + std::to_string(::getpid()) + ".png");
  {
    const unsigned char header[24] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0,    13,
                                      'I',  'H', 'D', 'R', 0,    0,    0x04, 0xD8, 0, 0, 0x06, 0xDB};
    std::ofstream(png, std::ios::binary).write(reinterpret_cast<const char*>(header), sizeof header);
  }
  WindowDef def;
  def.title = "Report Preview";
  MenuItem zoom{.equate = "?ZOOMMENU", .text = "&Zoom"};
  zoom.items = {MenuItem{.equate = "?ZOOM50", .text = "&50 Percent", .checkable = true}};
  def.menu = {zoom};
  EventLog log;
  l2stest::Session s;
  s.start([&] {
    Window win(def);
    win.open();
    const int probe = win.create({.kind = ControlKind::Image, .equate = "?PROBE", .hidden = true});
    win.set(probe, Prop::ImageFile, png.string());
    log.add("size " + std::to_string(win.getNumber(probe, Prop::ImageWidth)) + "x" +
            std::to_string(win.getNumber(probe, Prop::ImageHeight)));
    win.destroy(probe);
    const int page = win.create({.kind = ControlKind::Image, .equate = "?PAGE"});
    win.set(page, Prop::ImageFile, png.string());
    while (auto ev = win.accept()) {
      if (ev.kind != EventKind::Accepted) continue;
      log.add(win, ev);
      if (ev.control == win.id("?ZOOM50"))
        log.add("  checked " + std::to_string(win.getNumber(ev.control, Prop::Checked)));
    }
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Report Preview"));
  r.press("?PAGE");
  r.menu("&50 Percent");
  r.menu("?ZOOM50");
  EXPECT_FALSE(r.press("?PROBE"));  // destroyed
  s.finish();
  std::filesystem::remove(png);
  EXPECT_THAT(log.lines(), ElementsAre("size 1240x1755", "Accepted ?PAGE", "Accepted ?ZOOM50", "  checked 1",
                                       "Accepted ?ZOOM50", "  checked 0"));
}

}  // namespace
