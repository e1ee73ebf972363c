// Procedures on their own threads under Qt: MDI children of two threads, a box that holds only
// its own thread, a busy thread beside a responsive one, and the end of the program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "platform/ui/api/dialogs.h"
#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/gui_call.h"
#include "qt_fixture.h"

using namespace ui;
using ::testing::UnorderedElementsAre;

namespace {

WindowDef windowWithButton(std::string title, WindowKind kind = WindowKind::Plain) {
  WindowDef def;
  def.title = std::move(title);
  def.kind = kind;
  def.controls = {{.kind = ControlKind::Button, .equate = "?OK", .text = "OK"}};
  return def;
}

// A procedure that logs "<title> <what> thread <n>" for its button and its closing steps.
std::function<void()> child(Log& log, std::string title, WindowKind kind = WindowKind::MdiChild) {
  return [&log, title, kind] {
    Window win(windowWithButton(title, kind));
    win.open();
    while (auto ev = win.accept())
      if (ev.kind == EventKind::Accepted) log.add(title + " pressed thread " + std::to_string(currentThread()));
    log.add(title + " closed thread " + std::to_string(currentThread()));
  };
}

// The frame starts two children on threads of their own and ends when it is closed.
std::function<void()> frame(Log& log) {
  return [&log] {
    WindowDef def = windowWithButton("Hovedmeny", WindowKind::MdiFrame);
    def.controls.clear();
    def.menu = {{.text = "&Window",
                 .windowList = true,
                 .items = {{.equate = "?TILE", .text = "T&ile", .action = StdAction::Tile}}}};
    Window win(def);
    win.open();
    startProcedure(child(log, "Import"));
    startProcedure(child(log, "Laboratorier"));
    while (auto ev = win.accept()) {
    }
    log.add("Hovedmeny closed thread " + std::to_string(currentThread()));
  };
}

QPushButton* okOf(qt::QtWindow* w) { return w ? qobject_cast<QPushButton*>(w->widget("?OK")) : nullptr; }

TEST_F(QtTest, TwoMdiChildrenOnTwoThreadsEachGetTheirOwnClicks) {
  run().start(frame(log));
  qt::QtWindow* main = waitWindow("Hovedmeny");
  qt::QtWindow* import = waitWindow("Import");
  qt::QtWindow* labs = waitWindow("Laboratorier");
  ASSERT_TRUE(main && import && labs);
  EXPECT_EQ(main->mdiArea()->subWindowList().size(), 2);
  EXPECT_NE(import->thread(), labs->thread());
  EXPECT_NE(import->thread(), main->thread());
  okOf(labs)->click();
  okOf(import)->click();
  const std::string labsLine = "Laboratorier pressed thread " + std::to_string(labs->thread());
  const std::string importLine = "Import pressed thread " + std::to_string(import->thread());
  ASSERT_TRUE(pumpUntil([&] { return log.has(labsLine) && log.has(importLine); }));
  main->shell()->close();
  ASSERT_TRUE(pumpUntil([] { return runningProcedures() == 0; }));
}

TEST_F(QtTest, MenuAndToolbarChoicesReachTheFrameAndTheWindowMenuListsTheChildren) {
  run().start([&] {
    WindowDef def;
    def.title = "Hovedmeny";
    def.kind = WindowKind::MdiFrame;
    def.statusZones = {0};
    def.menu = {{.equate = "?IMPORT", .text = "&Import", .status = "Import av labdata"},
                {.text = "&Window",
                 .windowList = true,
                 .items = {{.equate = "?TILE", .text = "T&ile", .action = StdAction::Tile}}}};
    def.toolbar = {
        {.kind = ControlKind::Button, .equate = "?BUTTON1", .tip = "Laboratorier m. innstillinger", .icon = "LAB.ICO"}};
    Window win(def);
    win.open();
    while (auto ev = win.accept())
      if (ev.kind == EventKind::Accepted) {
        log.add("Accepted " + win.equate(ev.control));
        if (win.equate(ev.control) == "?BUTTON1") startProcedure(child(log, "Laboratorier"));
      }
  });
  qt::QtWindow* main = waitWindow("Hovedmeny");
  ASSERT_TRUE(main);
  QAction* import = main->action("?IMPORT");
  QAction* labs = main->action("?BUTTON1");
  ASSERT_TRUE(import && labs);
  EXPECT_EQ(import->statusTip().toStdString(), "Import av labdata");
  EXPECT_EQ(labs->toolTip().toStdString(), "Laboratorier m. innstillinger");
  EXPECT_FALSE(labs->icon().isNull());
  import->trigger();
  labs->trigger();
  ASSERT_TRUE(pumpUntil([&] { return log.has("Accepted ?IMPORT") && log.has("Accepted ?BUTTON1"); }));
  ASSERT_TRUE(waitWindow("Laboratorier"));
  QMenu* windowMenu = nullptr;
  for (QAction* a : main->shell()->menuBar()->actions())
    if (a->text() == QStringLiteral("&Window")) windowMenu = a->menu();
  ASSERT_TRUE(windowMenu);
  emit windowMenu->aboutToShow();
  QStringList texts;
  for (QAction* a : windowMenu->actions()) texts << a->text();
  EXPECT_TRUE(texts.contains(QStringLiteral("&1 Laboratorier"))) << texts.join(QStringLiteral(",")).toStdString();
}

TEST_F(QtTest, ClosingTheFrameRunsEveryClosingStepAndEndsEveryThread) {
  run().start(frame(log));
  qt::QtWindow* main = waitWindow("Hovedmeny");
  ASSERT_TRUE(waitWindow("Import") && waitWindow("Laboratorier"));
  const int frameThread = main->thread();
  main->shell()->close();  // the close box
  ASSERT_TRUE(pumpUntil([] { return runningProcedures() == 0; }));
  std::vector<std::string> closed;
  for (const std::string& l : log.lines()) closed.push_back(l.substr(0, l.find(" thread")));
  EXPECT_THAT(closed, UnorderedElementsAre("Hovedmeny closed", "Import closed", "Laboratorier closed"));
  EXPECT_TRUE(log.has("Hovedmeny closed thread " + std::to_string(frameThread)));
  pumpUntil([&] { return backend().windowTitled("Hovedmeny") == nullptr; });
  EXPECT_EQ(backend().windowTitled("Import"), nullptr);
  EXPECT_EQ(backend().windowTitled("Hovedmeny"), nullptr);
}

TEST_F(QtTest, ExecReturnsOnceTheLastProcedureHasEnded) {
  run().start(frame(log));
  // Plays the user from inside the loop: close the frame once both children are there.
  std::function<void()> closeWhenReady = [&] {
    if (backend().windowTitled("Import") && backend().windowTitled("Laboratorier"))
      backend().windowTitled("Hovedmeny")->shell()->close();
    else
      QTimer::singleShot(10, closeWhenReady);
  };
  QTimer::singleShot(10, closeWhenReady);
  EXPECT_EQ(run().exec(), 0);
  EXPECT_EQ(runningProcedures(), 0);
  EXPECT_EQ(log.lines().size(), 3u);
}

// A box on one thread leaves the other thread's window working, and answers its own thread.
TEST_F(QtTest, ABoxBlocksOnlyTheThreadThatAsked) {
  std::atomic<int> answer{-1};
  run().start([&] {
    Window win(windowWithButton("Spør"));
    win.open();
    while (auto ev = win.accept())
      if (ev.kind == EventKind::Accepted) {
        answer = message("Posten er endret.|Lagre?", "Advarsel", Icon::Question,
                         Button::Yes | Button::No | Button::Cancel, Button::No);
        break;
      }
  });
  run().start(child(log, "Annen", WindowKind::Plain));
  qt::QtWindow* asking = waitWindow("Spør");
  qt::QtWindow* other = waitWindow("Annen");
  ASSERT_TRUE(asking && other);
  okOf(asking)->click();
  QMessageBox* box = nullptr;
  ASSERT_TRUE(pumpUntil([&] {
    auto open = backend().modalWidgets();
    box = open.empty() ? nullptr : qobject_cast<QMessageBox*>(open.front());
    return box && box->isVisible();
  }));
  EXPECT_EQ(box->windowTitle().toStdString(), "Advarsel");
  EXPECT_EQ(box->text().toStdString(), "Posten er endret.\nLagre?");
  EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
  EXPECT_FALSE(box->isModal());
  EXPECT_FALSE(asking->shell()->centralWidget()->isEnabled());
  EXPECT_TRUE(other->shell()->centralWidget()->isEnabled());

  okOf(other)->click();
  ASSERT_TRUE(pumpUntil([&] { return log.has("Annen pressed thread " + std::to_string(other->thread())); }));
  EXPECT_EQ(answer.load(), -1);

  box->button(QMessageBox::Cancel)->click();
  ASSERT_TRUE(pumpUntil([&] { return answer.load() != -1; }));
  EXPECT_EQ(answer.load(), Button::Cancel);
}

TEST_F(QtTest, ABusyProcedureLeavesTheOtherWindowsResponsive) {
  std::atomic<bool> release{false};
  run().start([&] {
    Window win(windowWithButton("Import"));
    win.open();
    while (auto ev = win.accept())
      if (ev.kind == EventKind::Accepted) {
        while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(5));  // a long run
        log.add("import done");
      }
  });
  run().start(child(log, "Laboratorier", WindowKind::Plain));
  qt::QtWindow* import = waitWindow("Import");
  qt::QtWindow* labs = waitWindow("Laboratorier");
  ASSERT_TRUE(import && labs);
  okOf(import)->click();
  okOf(labs)->click();
  EXPECT_TRUE(pumpUntil([&] { return log.has("Laboratorier pressed thread " + std::to_string(labs->thread())); }));
  EXPECT_FALSE(log.has("import done"));
  release = true;
  EXPECT_TRUE(pumpUntil([&] { return log.has("import done"); }));
}

TEST_F(QtTest, ANestedWindowHoldsTheOuterWindowsOfItsThread) {
  std::atomic<bool> innerOpen{false};
  run().start([&] {
    Window outer(windowWithButton("Import"));
    outer.open();
    while (auto ev = outer.accept())
      if (ev.kind == EventKind::Accepted) {
        Window inner(windowWithButton("Velg laboratorium"));
        inner.open();
        innerOpen = true;
        while (auto e2 = inner.accept())
          if (e2.kind == EventKind::Accepted) break;
        inner.close();
        innerOpen = false;
      }
  });
  qt::QtWindow* outer = waitWindow("Import");
  ASSERT_TRUE(outer);
  okOf(outer)->click();
  qt::QtWindow* inner = waitWindow("Velg laboratorium");
  ASSERT_TRUE(inner);
  EXPECT_FALSE(outer->shell()->centralWidget()->isEnabled());
  EXPECT_TRUE(inner->shell()->centralWidget()->isEnabled());
  okOf(inner)->click();
  ASSERT_TRUE(pumpUntil([&] { return !innerOpen; }));
  EXPECT_TRUE(pumpUntil([&] { return outer->shell()->centralWidget()->isEnabled(); }));
}

TEST_F(QtTest, DisplayAfterEveryUpdateEndsWithTheLastValueShown) {
  std::atomic<bool> done{false};
  run().start([&] {
    WindowDef def;
    def.title = "Import";
    def.controls = {{.kind = ControlKind::Text, .equate = "?LOC:MELDING_1", .picture = "@s80"}};
    std::string line;
    Window win(def);
    win.bind("?LOC:MELDING_1", line);
    win.open();
    for (int i = 1; i <= 20000; ++i) {
      line = "Prøve " + std::to_string(i);
      win.display();
    }
    done = true;
    while (auto ev = win.accept()) {
    }
  });
  qt::QtWindow* w = waitWindow("Import");
  ASSERT_TRUE(w);
  ASSERT_TRUE(pumpUntil([&] { return done.load(); }));
  auto* label = control<QLabel>(w, "?LOC:MELDING_1");
  ASSERT_TRUE(label);
  EXPECT_TRUE(pumpUntil([&] { return label->text() == QStringLiteral("Prøve 20000"); }));
}

TEST_F(QtTest, AbortOnAStopBoxEndsEveryThreadWithoutClosingSteps) {
  run().start([&] {
    Window win(windowWithButton("Oppstart"));
    win.open();
    while (auto ev = win.accept())
      if (ev.kind == EventKind::Accepted) stop("Finner ikke gyldig datasett!");
    log.add("closing steps ran");
  });
  run().start(child(log, "Import", WindowKind::Plain));
  qt::QtWindow* start = waitWindow("Oppstart");
  ASSERT_TRUE(start && waitWindow("Import"));
  okOf(start)->click();
  QMessageBox* box = nullptr;
  ASSERT_TRUE(pumpUntil([&] {
    auto open = backend().modalWidgets();
    box = open.empty() ? nullptr : qobject_cast<QMessageBox*>(open.front());
    return box != nullptr;
  }));
  EXPECT_EQ(box->windowTitle().toStdString(), "Stop");
  EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Abort));
  box->button(QMessageBox::Abort)->click();
  ASSERT_TRUE(pumpUntil([] { return runningProcedures() == 0; }));
  EXPECT_TRUE(programHalted());
  EXPECT_EQ(haltCode(), 0);
  EXPECT_TRUE(log.lines().empty());
  EXPECT_TRUE(pumpUntil([&] { return backend().windowTitled("Import") == nullptr; }));
}

TEST(QtLoopGone, AWindowOperationAfterTheLoopHasEndedFailsLoudly) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_DEATH(
      {
        { qt::QtRun run; }
        std::thread t([] { qt::guiCall([] {}); });
        t.join();
      },
      "after the GUI event loop has ended");
}

}  // namespace
