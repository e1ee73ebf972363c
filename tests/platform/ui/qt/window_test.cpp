// Real widgets: every control kind shows the value of its variable, the user's actions reach
// the procedure as events, and the list box only reports scrolling.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <QWheelEvent>
#include <algorithm>
#include <atomic>

#include "../control_def.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/page_list.h"
#include "qt_fixture.h"

using namespace ui;
using ::testing::ElementsAre;

namespace {

// What a widget shows, read the way a user would see it.
std::string shown(QWidget* w) {
  if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text().toStdString();
  if (auto* s = qobject_cast<QSpinBox*>(w)) return std::to_string(s->value());
  if (auto* l = qobject_cast<QLabel*>(w)) return l->text().toStdString();
  if (auto* c = qobject_cast<QCheckBox*>(w)) return c->isChecked() ? "checked" : "unchecked";
  if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText().toStdString();
  if (auto* p = qobject_cast<QProgressBar*>(w)) return std::to_string(p->value());
  if (auto* t = qobject_cast<QTabWidget*>(w)) return t->tabText(t->currentIndex()).toStdString();
  if (auto* g = qobject_cast<QGroupBox*>(w)) {
    for (auto* r : g->findChildren<QRadioButton*>())
      if (r->isChecked()) return r->text().toStdString();
    return "none";
  }
  if (auto* l = dynamic_cast<qt::PageList*>(w)) {
    std::string out;
    for (int i = 0; i < l->tree()->topLevelItemCount(); ++i)
      out += (i ? "|" : "") + l->tree()->topLevelItem(i)->text(0).toStdString();
    return out;
  }
  return "?";
}

TEST_F(QtTest, EveryControlKindShowsTheValueOfItsVariable) {
  WindowDef def;
  def.title = "Kontroller";
  def.controls = {
      ctl(ControlKind::Prompt, "?PROMPT", "Laboratorium:"),
      ctl(ControlKind::Entry, "?ENTRY"),
      ctl(ControlKind::Text, "?TEXT"),
      ctl(ControlKind::Spin, "?SPIN"),
      ctl(ControlKind::Check, "?CHECK", "Slamkontroll"),
      ctl(ControlKind::Option, "?OPTION", "Sted Kilde"),
      ctl(ControlKind::Radio, "?R1", "Sted", "?OPTION"),
      ctl(ControlKind::Radio, "?R2", "Material", "?OPTION"),
      ctl(ControlKind::Combo, "?COMBO"),
      ctl(ControlKind::DropList, "?DROP"),
      ctl(ControlKind::Progress, "?PROGRESS"),
      ctl(ControlKind::Sheet, "?SHEET"),
      ctl(ControlKind::Tab, "?TAB1", "Utslippskontroll", "?SHEET"),
      ctl(ControlKind::Tab, "?TAB2", "Slamkontroll", "?SHEET"),
      ctl(ControlKind::List, "?LIST"),
  };
  def.controls[3].rangeHigh = 100;
  def.controls[9].rows = {"Stikkprøve", "Blandprøve"};
  def.controls[9].typed = false;
  def.controls[8].rows = {"Rutinekontroll"};
  run().start([&] {
    std::string entry = "Ø12", text = "Kelda Vest";
    long spin = 42;
    bool check = true;
    std::string option = "Material", combo = "Egen tekst", drop = "Blandprøve";
    int progress = 70, sheet = 2;
    Window win(def);
    win.bind("?ENTRY", entry);
    win.bind("?TEXT", text);
    win.bind("?SPIN", spin);
    win.bind("?CHECK", check);
    win.bind("?OPTION", option);
    win.bind("?COMBO", combo);
    win.bind("?DROP", drop);
    win.bind("?PROGRESS", progress);
    win.bind("?SHEET", sheet);
    win.open();
    win.setRows("?LIST", std::vector<std::string>{"A1", "B2", "C3"});
    win.display();
    while (auto ev = win.accept()) {
    }
  });
  qt::QtWindow* w = waitWindow("Kontroller");
  ASSERT_TRUE(w);
  const struct {
    const char* equate;
    const char* expected;
  } cases[] = {
      {"?PROMPT", "Laboratorium:"}, {"?ENTRY", "Ø12"},          {"?TEXT", "Kelda Vest"},  {"?SPIN", "42"},
      {"?CHECK", "checked"},        {"?OPTION", "Material"},    {"?COMBO", "Egen tekst"}, {"?DROP", "Blandprøve"},
      {"?PROGRESS", "70"},          {"?SHEET", "Slamkontroll"}, {"?LIST", "A1|B2|C3"},
  };
  for (const auto& c : cases) {
    QWidget* widget = w->widget(c.equate);
    ASSERT_TRUE(widget) << c.equate;
    EXPECT_TRUE(pumpUntil([&] { return shown(widget) == c.expected; }))
        << c.equate << " shows " << shown(widget) << ", not " << c.expected;
    EXPECT_TRUE(widget->isVisibleTo(w->shell())) << c.equate;
  }
}

TEST_F(QtTest, TypingAndClickingReachTheProcedureWithTheTypedValue) {
  WindowDef def;
  def.title = "Skjema laboratorium";
  def.controls = {ctl(ControlKind::Prompt, "?P", "Lab.kode:"), ctl(ControlKind::Entry, "?MAP:LAB"),
                  ctl(ControlKind::Check, "?GLO:SLAMKTR", "Slamkontroll"), ctl(ControlKind::Button, "?OK", "OK")};
  run().start([&] {
    std::string lab;
    bool slam = false;
    Window win(def);
    win.bind("?MAP:LAB", lab);
    win.bind("?GLO:SLAMKTR", slam);
    win.open();
    log.add("ready");
    while (auto ev = win.accept()) {
      if (ev.kind != EventKind::Accepted) continue;
      log.add(win.equate(ev.control) + " lab=" + lab + " slam=" + (slam ? "1" : "0"));
      if (win.equate(ev.control) == "?OK") break;
    }
    log.add("closed");
  });
  qt::QtWindow* w = waitWindow("Skjema laboratorium");
  ASSERT_TRUE(w && waitSettled("ready"));
  auto* entry = control<QLineEdit>(w, "?MAP:LAB");
  ASSERT_TRUE(entry);
  entry->setFocus();
  QTest::keyClicks(entry, QStringLiteral("Kø1"));
  QTest::keyClick(entry, Qt::Key_Return);
  control<QCheckBox>(w, "?GLO:SLAMKTR")->click();
  control<QPushButton>(w, "?OK")->click();
  ASSERT_TRUE(pumpUntil([&] { return log.has("closed"); }));
  EXPECT_THAT(log.lines(), ElementsAre("ready", "?MAP:LAB lab=Kø1 slam=0", "?GLO:SLAMKTR lab=Kø1 slam=1",
                                       "?OK lab=Kø1 slam=1", "closed"));
  EXPECT_TRUE(pumpUntil([] { return ui::runningProcedures() == 0; }));
}

TEST_F(QtTest, ListBoxReportsScrollingAndKeepsThePageItWasGiven) {
  WindowDef def;
  def.title = "Laboratorier";
  ControlDef list = ctl(ControlKind::List, "?BROWSE");
  list.items = 4;
  list.vscroll = true;
  list.columns = {{.width = 6, .heading = "Kode"}, {.width = 30, .heading = "Navn"}};
  def.controls = {list};
  run().start([&] {
    Window win(def);
    win.open();
    win.setRows("?BROWSE", {{{"A", "Alfa"}}, {{"B", "Bravo"}}, {{"C", "Charlie"}}, {{"D", "Delta"}}});
    win.setSelected("?BROWSE", 2);
    win.setAlertKeys("?BROWSE", {Key::Insert, Key::MouseRight});
    log.add("ready");
    while (auto ev = win.accept()) {
      if (ev.kind == EventKind::OpenWindow || ev.kind == EventKind::GainFocus || ev.kind == EventKind::LoseFocus)
        continue;
      log.add(win, ev);
    }
  });
  qt::QtWindow* w = waitWindow("Laboratorier");
  ASSERT_TRUE(w);
  ASSERT_TRUE(waitSettled("ready"));
  auto* l = dynamic_cast<qt::PageList*>(w->widget("?BROWSE"));
  ASSERT_TRUE(l);
  ASSERT_TRUE(pumpUntil([&] { return l->selected() == 2; }));
  QTreeWidget* tree = l->tree();
  tree->setFocus();
  QTest::keyClick(tree, Qt::Key_Down);
  QTest::keyClick(tree, Qt::Key_PageDown);
  QTest::keyClick(tree, Qt::Key_End, Qt::ControlModifier);
  QTest::keyClick(tree, Qt::Key_Insert);
  QTest::keyClick(tree, Qt::Key_K);
  QWheelEvent wheel(QPointF(5, 5), tree->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, 240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(tree->viewport(), &wheel);
  l->bar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
  const std::vector<std::string> expected = {"ScrollDown ?BROWSE",  "PageDown ?BROWSE",      "ScrollBottom ?BROWSE",
                                             "AlertKey ?BROWSE 45", "AlertKey ?BROWSE 75 k", "ScrollUp ?BROWSE",
                                             "ScrollUp ?BROWSE",    "PageDown ?BROWSE"};
  ASSERT_TRUE(pumpUntil([&] { return log.lines().size() >= expected.size() + 1; }));
  std::vector<std::string> got = log.lines();
  got.erase(got.begin());  // "ready"
  EXPECT_EQ(got, expected);
  // Nothing moved by itself: same rows, same highlight, first row on top, thumb where it was.
  EXPECT_EQ(shown(l), "A|B|C|D");
  EXPECT_EQ(l->selected(), 2);
  EXPECT_EQ(tree->indexAt(QPoint(5, 5)).row(), 0);
  pumpUntil([] { return false; }, 50);
  EXPECT_EQ(l->thumb(), 0);
}

TEST_F(QtTest, ClickingARowIsANewSelectionTheProcedureCanRead) {
  WindowDef def;
  def.title = "Velg";
  ControlDef list = ctl(ControlKind::List, "?BROWSE");
  list.items = 3;
  def.controls = {list};
  run().start([&] {
    Window win(def);
    win.open();
    win.setRows("?BROWSE", std::vector<std::string>{"A", "B", "C"});
    while (auto ev = win.accept())
      if (ev.kind == EventKind::NewSelection) log.add("row " + std::to_string(win.selected("?BROWSE")));
  });
  qt::QtWindow* w = waitWindow("Velg");
  ASSERT_TRUE(w);
  auto* l = dynamic_cast<qt::PageList*>(w->widget("?BROWSE"));
  ASSERT_TRUE(pumpUntil([&] { return l->rowCount() == 3; }));
  QTreeWidget* tree = l->tree();
  const QRect r = tree->visualItemRect(tree->topLevelItem(2));
  QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, r.center());
  ASSERT_TRUE(pumpUntil([&] { return log.has("row 3"); }));
}

TEST_F(QtTest, ChoosingADropListRowSelectsThenAcceptsWithTheFirstCellAsValue) {
  WindowDef def;
  def.title = "Prøvetype";
  ControlDef drop = ctl(ControlKind::DropList, "?GLO:PRTYPE");
  drop.columns = {{.width = 25}, {.width = 10}};
  def.controls = {drop};
  run().start([&] {
    std::string type = "Rutinekontroll";
    Window win(def);
    win.bind("?GLO:PRTYPE", type);
    win.open();
    win.setRows("?GLO:PRTYPE", {{{"Ekstra", "E"}}, {{"Rutinekontroll", "R"}}});
    win.display("?GLO:PRTYPE");
    log.add("ready");
    while (auto ev = win.accept())
      if (ev.kind == EventKind::NewSelection || ev.kind == EventKind::Accepted)
        log.add(std::string(eventName(ev.kind)) + " " + type + " row " + std::to_string(win.selected("?GLO:PRTYPE")));
  });
  qt::QtWindow* w = waitWindow("Prøvetype");
  ASSERT_TRUE(w && waitSettled("ready"));
  auto* cb = control<QComboBox>(w, "?GLO:PRTYPE");
  ASSERT_TRUE(cb);
  EXPECT_EQ(cb->currentIndex(), 1);                    // the variable's value picks its row
  EXPECT_EQ(cb->itemText(0).toStdString(), "Ekstra");  // the other cells stand in their own columns
  EXPECT_EQ(cb->model()->index(0, 1).data().toString().toStdString(), "E");
  cb->setCurrentIndex(0);  // the user picks the first row
  emit cb->activated(0);
  ASSERT_TRUE(pumpUntil([&] { return log.lines().size() == 3; }));
  EXPECT_THAT(log.lines(), ElementsAre("ready", "NewSelection Ekstra row 1", "Accepted Ekstra row 1"));
}

TEST_F(QtTest, TheCloseBoxOnlyAsksAndTheProcedureMayRefuse) {
  WindowDef def;
  def.title = "Skjema";
  def.resizable = true;
  def.controls = {ctl(ControlKind::Button, "?OK", "OK")};
  run().start([&] {
    Window win(def);
    win.open();
    int closes = 0;
    while (auto ev = win.accept()) {
      log.add(win, ev);
      if (ev.kind == EventKind::CloseWindow && ++closes == 1) win.vetoClose();
    }
    log.add("closed");
  });
  qt::QtWindow* w = waitWindow("Skjema");
  ASSERT_TRUE(w);
  ASSERT_TRUE(pumpUntil([&] { return log.has("OpenWindow"); }));
  w->shell()->resize(w->shell()->size() + QSize(40, 30));
  ASSERT_TRUE(pumpUntil([&] { return log.has("Sized"); }));
  w->shell()->close();
  ASSERT_TRUE(pumpUntil([&] { return log.has("CloseWindow"); }));
  pumpUntil([] { return false; }, 50);
  EXPECT_FALSE(log.has("closed"));
  EXPECT_EQ(backend().windowTitled("Skjema"), w);  // refused: still on screen
  EXPECT_TRUE(w->shell()->isVisible());
  w->shell()->close();
  ASSERT_TRUE(pumpUntil([&] { return log.has("closed"); }));
  EXPECT_EQ(backend().windowTitled("Skjema"), nullptr);
  const auto lines = log.lines();
  EXPECT_EQ(lines.front(), "OpenWindow");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "CloseWindow"), 2);
}

}  // namespace
