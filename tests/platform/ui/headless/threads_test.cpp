// Procedures on threads: private events, two threads, a nested window, the MDI frame
// starting procedures, and a shutdown that lets every procedure run its closing steps.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "cpu_time.h"
#include "event_log.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "platform/ui/headless/session.h"
#include "test_session.h"

using namespace ui;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

ControlDef button(std::string equate) {
  ControlDef d;
  d.kind = ControlKind::Button;
  d.equate = std::move(equate);
  d.text = d.equate.substr(1);
  return d;
}

WindowDef simple(std::string title, std::vector<std::string> equates, WindowKind kind = WindowKind::Plain) {
  WindowDef def;
  def.title = std::move(title);
  def.kind = kind;
  for (auto& e : equates) def.controls.push_back(button(e));
  return def;
}

TEST(HeadlessThreads, PrivateEventsGoToTheOwnThreadAfterQueuedEvents) {
  EventLog log;
  l2stest::Session s;
  s.start([&] {
    WindowDef def = simple("Liste", {"?A", "?B"});
    def.resizable = true;
    Window win(def);
    win.open();
    while (auto ev = win.accept()) {
      if (ev.kind == EventKind::OpenWindow || ev.kind == EventKind::GainFocus) continue;
      log.add(win, ev);
      if (ev.kind == EventKind::Accepted && win.equate(ev.control) == "?A") {
        win.post(EventKind::Accepted, "?B");
        postToThread(kRefreshEvent);
      }
      if (ev.kind == EventKind::Sized) postToThread(kRefreshEvent);
    }
  });
  ASSERT_TRUE(s.robot().window("Liste"));
  s.robot().press("?A");
  s.robot().resize(800, 600);
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_THAT(log.lines(),
              ElementsAre("Accepted ?A", "Accepted ?B", "Private 1023", "Sized", "Private 1023", "CloseWindow"));
}

TEST(HeadlessThreads, TwoProceduresOnTwoThreadsEachGetTheirOwnEvents) {
  EventLog a, b;
  l2stest::Session s;
  auto proc = [](EventLog& log, std::string title) {
    return [&log, title] {
      Window win(simple(title, {"?OK"}));
      win.open();
      while (auto ev = win.accept())
        if (ev.control) log.add(win, ev);
      log.add("thread " + std::to_string(currentThread()));
    };
  };
  s.start(proc(a, "Import"));
  s.start(proc(b, "Import 2"));
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Import 2"));
  r.press("?OK");
  ASSERT_TRUE(r.window("Import"));
  r.press("?OK");
  r.press("?OK");
  r.close();
  ASSERT_TRUE(r.waitClosed("Import"));
  r.window("Import 2");
  r.close();
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_THAT(a.lines(), ElementsAre("Accepted ?OK", "Accepted ?OK", "thread 1"));
  EXPECT_THAT(b.lines(), ElementsAre("Accepted ?OK", "thread 2"));
}

// Procedures waiting for events wake nobody: three idle threads cost next to no CPU.
TEST(HeadlessThreads, ProceduresAtRestUseNoCpu) {
  l2stest::Session s;
  for (const char* title : {"Liste", "Import", "Innstillinger"}) {
    s.start([title] {
      Window win(simple(title, {"?OK"}));
      win.open();
      while (win.accept()) {
      }
    });
  }
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Innstillinger"));
  ASSERT_TRUE(r.settle());
  const double before = l2stest::processCpuSeconds();
  std::this_thread::sleep_for(std::chrono::seconds(2));  // the time measured, not a wait for something
  const double used = l2stest::processCpuSeconds() - before;
  EXPECT_LT(used, 0.1) << used << " s of CPU in 2 idle seconds";
  for (const char* title : {"Liste", "Import", "Innstillinger"}) {
    ASSERT_TRUE(r.window(title));
    r.close();
    ASSERT_TRUE(r.waitClosed(title));
  }
  ASSERT_EQ(s.finish(), 0) << s.text();
}

// A nested window on the caller's thread disables the outer window until it closes; then
// the outer one goes on where it was.
TEST(HeadlessThreads, NestedWindowOnTheSameThreadBlocksTheOuterOne) {
  EventLog log;
  l2stest::Session s;
  s.start([&] {
    Window outer(simple("Import", {"?LOOKUP", "?OK"}));
    outer.open();
    while (auto ev = outer.accept()) {
      if (ev.kind != EventKind::Accepted) continue;
      log.add(outer, ev);
      if (outer.equate(ev.control) == "?LOOKUP") {
        Window inner(simple("Laboratorier", {"?SELECT"}));
        inner.open();
        while (auto iev = inner.accept())
          if (iev.kind == EventKind::Accepted) {
            log.add(inner, iev);
            inner.post(EventKind::CloseWindow);
          }
        log.add("inner returned");
      }
    }
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Import"));
  r.press("?LOOKUP");
  EXPECT_FALSE(r.press("?OK"));
  EXPECT_THAT(r.error(), HasSubstr("window \"Import\" is disabled while \"Laboratorier\" is open"));
  s.finish();

  l2stest::Session s2;  // the same, answered properly
  EventLog log2;
  s2.start([&] {
    Window outer(simple("Import", {"?LOOKUP", "?OK"}));
    outer.open();
    while (auto ev = outer.accept()) {
      if (ev.kind != EventKind::Accepted) continue;
      log2.add(outer, ev);
      if (outer.equate(ev.control) == "?LOOKUP") {
        Window inner(simple("Laboratorier", {"?SELECT"}));
        inner.open();
        while (auto iev = inner.accept())
          if (iev.kind == EventKind::Accepted) {
            log2.add(inner, iev);
            inner.post(EventKind::CloseWindow);
          }
        log2.add("inner returned");
      }
    }
  });
  auto& r2 = s2.robot();
  ASSERT_TRUE(r2.window("Import"));
  r2.press("?LOOKUP");
  ASSERT_TRUE(r2.window("Laboratorier"));
  r2.press("?SELECT");
  ASSERT_TRUE(r2.window("Import"));
  r2.press("?OK");
  ASSERT_EQ(s2.finish(), 0) << s2.text();
  EXPECT_THAT(log2.lines(), ElementsAre("Accepted ?LOOKUP", "Accepted ?SELECT", "inner returned", "Accepted ?OK"));
  EXPECT_THAT(s2.text(), HasSubstr("open \"Laboratorier\" thread 1\nclose \"Laboratorier\" thread 1\n"));
}

// The frame's menu and toolbar start procedures on new threads; a menu item is found from a
// child window too. Shutdown closes every window and each runs its closing steps.
TEST(HeadlessThreads, FrameStartsChildrenAndShutdownClosesThemAll) {
  std::atomic<int> closed{0};
  auto child = [&closed] {
    Window win(simple("Import", {"?OK"}, WindowKind::MdiChild));
    win.open();
    while (win.accept()) {
    }
    ++closed;
  };
  WindowDef frame = simple("Brakel-Sivra Provex", {}, WindowKind::MdiFrame);
  frame.menu = {MenuItem{.equate = "?IMPORT", .text = "&Import"},
                MenuItem{.text = "&Window",
                         .windowList = true,
                         .items = {MenuItem{.equate = "?TILE", .text = "T&ile", .action = StdAction::Tile}}}};
  ControlDef tool = button("?BUTTON3");
  tool.text.clear();
  tool.tip = "Import av labdata";
  tool.icon = "LABX.ICO";
  frame.toolbar = {tool};
  l2stest::Session s;
  s.start([&] {
    Window win(frame);
    win.open();
    while (auto ev = win.accept()) {
      if (ev.kind == EventKind::Accepted) startProcedure(child, 25000);
    }
    ++closed;
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Brakel-Sivra Provex"));
  r.menu("&Import");
  ASSERT_TRUE(r.window("Import"));
  r.menu("Import av labdata");  // the frame's toolbar, from the child
  r.menu("Tile");
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_EQ(closed.load(), 3);
  EXPECT_THAT(s.text(), HasSubstr("open \"Import\" thread 2\nopen \"Import\" thread 3\narrange tile\n"));
}

// The focus follows the user: a nested window takes it and gives it back when it closes,
// and choosing another thread's window moves it there.
TEST(HeadlessThreads, FocusMovesBetweenWindowsAsTheUserDoes) {
  EventLog liste, skjema, import;
  auto focusOnly = [](EventLog& log, Window& win, const Event& ev) {
    if (ev.kind == EventKind::GainFocus || ev.kind == EventKind::LoseFocus) log.add(win, ev);
  };
  l2stest::Session s;
  s.start([&] {
    Window win(simple("Liste", {"?FORM", "?IMPORT"}));
    win.open();
    while (auto ev = win.accept()) {
      focusOnly(liste, win, ev);
      if (ev.kind == EventKind::Accepted && ev.control == win.id("?IMPORT")) {
        startProcedure([&] {
          Window other(simple("Import", {"?OK"}));
          other.open();
          while (auto oev = other.accept()) focusOnly(import, other, oev);
        });
      }
      if (ev.kind == EventKind::Accepted && ev.control == win.id("?FORM")) {
        Window form(simple("Skjema", {"?OK"}));
        form.open();
        while (auto fev = form.accept()) {
          focusOnly(skjema, form, fev);
          if (fev.kind == EventKind::Accepted) form.post(EventKind::CloseWindow);
        }
      }
    }
  });
  auto& r = s.robot();
  ASSERT_TRUE(r.window("Liste"));
  r.press("?FORM");
  r.window("Skjema");
  r.press("?OK");
  r.window("Liste");
  r.press("?IMPORT");
  r.window("Import");
  r.window("Liste");
  ASSERT_EQ(s.finish(), 0) << s.text();
  EXPECT_THAT(liste.lines(), ElementsAre("GainFocus", "LoseFocus", "GainFocus", "LoseFocus", "GainFocus"));
  EXPECT_THAT(skjema.lines(), ElementsAre("GainFocus"));
  EXPECT_THAT(import.lines(), ElementsAre("GainFocus", "LoseFocus"));
}

}  // namespace
