// Real keys and wheel turns on spins and drop lists: a typed number outside a spin's limits
// becomes the limit, and the wheel changes a value only where the focus is.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

#include "../control_def.h"
#include "../spin_limits.h"
#include "platform/ui/api/procedure.h"
#include "qt_fixture.h"

using namespace ui;

namespace {

// Makes the window the active one, so that the focus moves as it does for a user.
bool activate(QtTest& t, qt::QtWindow* w) {
  w->shell()->activateWindow();
  return t.pumpFor([&] { return w->shell()->isActiveWindow(); });
}

// One notch of the wheel (`notches` < 0: down) with the pointer over the middle of `w`.
void turnWheel(QWidget* w, int notches) {
  const QPointF at(w->width() / 2.0, w->height() / 2.0);
  QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(w, &wheel);
}

TEST_F(QtTest, ATypedNumberOutsideTheSpinsLimitsBecomesTheLimit) {
  bool byEnter = false;  // the cases leave the spin by Tab and by Enter in turn
  for (const SpinLimitCase& c : kSpinLimitCases) {
    SCOPED_TRACE(describe(c));
    byEnter = !byEnter;
    Log seen;
    run().start([&] { spinLimitProcedure(c, seen); });
    qt::QtWindow* w = waitWindow("Side");
    ASSERT_TRUE(w && pumpUntil([&] { return seen.has("ready"); }) && pumpUntil([&] { return backend().settled(); }));
    ASSERT_TRUE(activate(*this, w));
    auto* sp = control<QSpinBox>(w, "?PAGE");
    ASSERT_TRUE(sp);
    sp->setFocus(Qt::TabFocusReason);
    sp->selectAll();
    QTest::keyClicks(sp, QString::fromLatin1(c.typed));
    QTest::keyClick(sp, byEnter ? Qt::Key_Return : Qt::Key_Tab);
    const std::string want = std::string("Accepted ") + c.expected;
    EXPECT_TRUE(pumpUntil([&] { return seen.has(want); }, 3000)) << seen.lines().back();
    EXPECT_EQ(sp->text().toStdString(), std::string(c.expected).substr(0, std::string(c.expected).find(' ')));
    control<QPushButton>(w, "?CLOSE")->click();
    ASSERT_TRUE(pumpUntil([] { return ui::runningProcedures() == 0; }));
  }
}

// A button's hot key presses it while the focus stays in the spin: the accept-all pass reads
// the typed digits as the spin takes them on leaving, not the value before them.
TEST_F(QtTest, AHotKeyWhileTypingInASpinReadsTheLimitTheDigitsBecome) {
  WindowDef def = spinLimitWindow(kSpinLimitCases[0]);  // 1..19
  def.controls.back().key = Key::F1 + 1;                // F2 presses ?CLOSE
  run().start([&] {
    long page = 1;
    Window win(def);
    win.bind("?PAGE", page);
    win.open();
    log.add("ready");
    while (auto ev = win.accept()) {
      if (ev.kind == EventKind::Accepted && win.equate(ev.control) == "?CLOSE") win.acceptAll();
      if (ev.kind == EventKind::Completed) break;
    }
    log.add("page " + std::to_string(page));
  });
  qt::QtWindow* w = waitWindow("Side");
  ASSERT_TRUE(w && waitSettled("ready"));
  ASSERT_TRUE(activate(*this, w));
  auto* sp = control<QSpinBox>(w, "?PAGE");
  sp->setFocus(Qt::TabFocusReason);
  sp->selectAll();
  QTest::keyClicks(sp, QStringLiteral("99"));
  QTest::keyClick(sp, Qt::Key_F2);
  EXPECT_TRUE(pumpUntil([&] { return log.has("page 19"); })) << log.lines().back();
}

// A form taller than its window, so that its controls scroll: a drop list, a spin and an entry
// at the top, filler rows below.
WindowDef scrollingForm() {
  WindowDef def;
  def.title = "Import";
  def.resizable = true;
  ControlDef drop = ctl(ControlKind::DropList, "?TYPE");
  drop.rows = {"Rutinekontroll", "Tilsynskontroll", "Ekstra"};
  ControlDef spin = ctl(ControlKind::Spin, "?COUNT");
  spin.rangeLow = 1;
  spin.rangeHigh = 10;
  def.controls = {ctl(ControlKind::Prompt, "?P1", "Prøvetype:"), drop,
                  ctl(ControlKind::Prompt, "?P2", "Antall:"),    spin,
                  ctl(ControlKind::Prompt, "?P3", "Merknad:"),   ctl(ControlKind::Entry, "?NOTE")};
  for (int i = 0; i < 30; ++i) def.controls.push_back(ctl(ControlKind::Check, "?C" + std::to_string(i), "Linje"));
  return def;
}

TEST_F(QtTest, TheWheelOverAnUnfocusedDropListOrSpinScrollsTheWindowInstead) {
  for (const char* equate : {"?TYPE", "?COUNT"}) {
    SCOPED_TRACE(equate);
    Log seen;
    const WindowDef def = scrollingForm();
    run().start([&] {
      std::string type = "Rutinekontroll", note;
      long count = 5;
      Window win(def);
      win.bind("?TYPE", type);
      win.bind("?COUNT", count);
      win.bind("?NOTE", note);
      win.open();
      win.display();
      seen.add("ready");
      while (auto ev = win.accept())
        if (ev.control == win.id("?TYPE") || ev.control == win.id("?COUNT")) seen.add(win, ev);
    });
    qt::QtWindow* w = waitWindow("Import");
    ASSERT_TRUE(w && pumpUntil([&] { return seen.has("ready"); }) && pumpUntil([&] { return backend().settled(); }));
    ASSERT_TRUE(activate(*this, w));
    w->shell()->resize(w->shell()->width(), 200);
    QWidget* target = w->widget(equate);
    auto* scroll = w->shell()->findChild<QScrollArea*>();  // the window's only one: its controls scroll in it
    ASSERT_TRUE(target && scroll);
    ASSERT_TRUE(pumpUntil([&] { return scroll->verticalScrollBar()->maximum() > 0; }));
    control<QLineEdit>(w, "?NOTE")->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(pumpUntil([&] { return w->widget("?NOTE")->hasFocus(); }));

    auto* cb = qobject_cast<QComboBox*>(target);
    auto* sp = qobject_cast<QSpinBox*>(target);
    const int before = cb ? cb->currentIndex() : sp->value();
    turnWheel(target, -2);
    pumpUntil([] { return false; }, 100);
    EXPECT_EQ(cb ? cb->currentIndex() : sp->value(), before) << "the value moved";
    EXPECT_GT(scroll->verticalScrollBar()->value(), 0) << "the window did not scroll";
    EXPECT_TRUE(w->widget("?NOTE")->hasFocus()) << "the wheel took the focus";
    EXPECT_THAT(seen.lines(), ::testing::ElementsAre("ready"));

    if (sp) {
      // Where the focus is, the wheel steps the spin as its arrows do.
      sp->setFocus(Qt::TabFocusReason);
      ASSERT_TRUE(pumpUntil([&] { return sp->hasFocus(); }));
      turnWheel(sp, 2);
      EXPECT_TRUE(pumpUntil([&] { return seen.has("NewSelection ?COUNT"); }));
      EXPECT_EQ(sp->value(), before + 2);
    }
    w->shell()->close();
    ASSERT_TRUE(pumpUntil([] { return ui::runningProcedures() == 0; }));
  }
}

}  // namespace
