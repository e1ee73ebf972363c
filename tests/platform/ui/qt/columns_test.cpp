// Real widgets for what list windows and forms show in columns: drop lists of several columns,
// list boxes with column groups over their headings, and spin arrows that speak at once.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "../control_def.h"
#include "platform/ui/qt/page_list.h"
#include "qt_fixture.h"

using namespace ui;
using ::testing::ElementsAre;

namespace {

TEST_F(QtTest, TypedComboDropsAllItsColumnsAndTakesTheFirstCell) {
  WindowDef def;
  def.title = "Leverandør";
  ControlDef combo = ctl(ControlKind::Combo, "?M_L:LEVERAND");
  combo.picture = "@s6";
  combo.items = 10;
  combo.columns = {{.width = 8, .heading = "Nr."}, {.width = 30, .heading = "Navn"}};
  def.controls = {combo};
  run().start([&] {
    std::string lev = "100";
    Window win(def);
    win.bind("?M_L:LEVERAND", lev);
    win.open();
    win.setRows("?M_L:LEVERAND", {{{"100", "Østre Ålesund renseanlegg"}}, {{"200", "Æsøy kommune"}}});
    win.display("?M_L:LEVERAND");
    log.add("ready");
    while (auto ev = win.accept())
      if (ev.kind == EventKind::Accepted) log.add("Accepted " + lev);
  });
  qt::QtWindow* w = waitWindow("Leverandør");
  ASSERT_TRUE(w && waitSettled("ready"));
  auto* cb = control<QComboBox>(w, "?M_L:LEVERAND");
  ASSERT_TRUE(cb && cb->isEditable());
  EXPECT_EQ(cb->currentText().toStdString(), "100") << "the typed text stays what it was";
  auto* view = qobject_cast<QTreeView*>(cb->view());
  ASSERT_TRUE(view);
  const QAbstractItemModel* m = cb->model();
  ASSERT_EQ(m->columnCount(), 2);
  EXPECT_EQ(m->index(1, 1).data().toString().toStdString(), "Æsøy kommune");
  EXPECT_FALSE(view->isHeaderHidden());
  EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString().toStdString(), "Navn");
  EXPECT_GT(view->columnWidth(1), view->columnWidth(0));
  cb->showPopup();
  ASSERT_TRUE(pumpUntil([&] { return view->isVisible(); }));
  EXPECT_GE(view->width(), view->columnWidth(0) + view->columnWidth(1)) << "the name is not cut off";
  cb->hidePopup();
  cb->setCurrentIndex(1);
  emit cb->activated(1);
  ASSERT_TRUE(pumpUntil([&] { return log.has("Accepted 200"); }));
  EXPECT_EQ(cb->lineEdit()->text().toStdString(), "200");
}

TEST_F(QtTest, ListBoxShowsColumnGroupsOverTheHeadingsOfEveryColumn) {
  WindowDef def;
  def.title = "Laboratorier";
  ControlDef list = ctl(ControlKind::List, "?LIST");
  list.items = 4;
  list.rowLines = 2;
  list.columns = {{.width = 5, .heading = "Lab."},
                  {.width = 30, .heading = "Parameter lab", .group = "Kelda"},
                  {.width = 20, .heading = "Navn"},
                  {.width = 20, .heading = "Parameter Sivra", .group = "Sivra"}};
  def.controls = {list};
  run().start([&] {
    Window win(def);
    win.open();
    win.setRows("?LIST", {{{"K1", "TOTP\nTotal fosfor", "x", "TOT-P\nTotalfosfor"}}});
    log.add("ready");
    while (auto ev = win.accept()) {
    }
  });
  qt::QtWindow* w = waitWindow("Laboratorier");
  ASSERT_TRUE(w && waitSettled("ready"));
  auto* pl = dynamic_cast<qt::PageList*>(w->widget("?LIST"));
  ASSERT_TRUE(pl);
  QTreeWidget* tree = pl->tree();
  EXPECT_FALSE(tree->isHeaderHidden());
  std::vector<std::string> headings;
  for (int i = 0; i < tree->columnCount(); ++i) headings.push_back(tree->headerItem()->text(i).toStdString());
  // Each group's caption stands over the heading of the column that starts it.
  EXPECT_THAT(headings, ElementsAre("\nLab.", "Kelda\nParameter lab", "\nNavn", "Sivra\nParameter Sivra"));
  EXPECT_GE(tree->header()->height(), 2 * tree->header()->fontMetrics().height()) << "both lines show";
  EXPECT_EQ(tree->topLevelItem(0)->text(3).toStdString(), "TOT-P\nTotalfosfor");
}

// A column of three lines a row: three headings, one over the other, and its lower lines in grey.
TEST_F(QtTest, ListBoxColumnOfSeveralLinesShowsEachHeadingAndItsGreyLines) {
  WindowDef def;
  def.title = "Laboratorier";
  ControlDef list = ctl(ControlKind::List, "?LIST");
  list.items = 3;
  list.rowLines = 3;
  list.columns = {{.width = 5, .heading = "Lab."},
                  {.width = 40, .heading = "Labnavn\nDatakatalog\nAktiv importfile", .greyFromLine = 2}};
  def.controls = {list};
  run().start([&] {
    Window win(def);
    win.open();
    win.setRows("?LIST", std::vector<ListRow>{{{"FJL", "Fjordlab\n/data/lab\n/data/lab/RNX20.dbf"}}});
    log.add("ready");
    while (auto ev = win.accept()) {
    }
  });
  qt::QtWindow* w = waitWindow("Laboratorier");
  ASSERT_TRUE(w && waitSettled("ready"));
  auto* pl = dynamic_cast<qt::PageList*>(w->widget("?LIST"));
  ASSERT_TRUE(pl);
  QTreeWidget* tree = pl->tree();
  EXPECT_EQ(tree->headerItem()->text(1).toStdString(), "Labnavn\nDatakatalog\nAktiv importfile");
  EXPECT_GE(tree->header()->height(), 3 * tree->header()->fontMetrics().height()) << "all three headings show";

  // The darkest pixel of each line of the cell is the colour its text is drawn in.
  tree->setCurrentItem(nullptr);
  const QRect cell = tree->visualItemRect(tree->topLevelItem(0))
                         .intersected(QRect(tree->header()->sectionViewportPosition(1), 0, tree->columnWidth(1),
                                            tree->viewport()->height()));
  const QImage img = tree->viewport()->grab().toImage();
  const int pitch = tree->fontMetrics().lineSpacing();
  const int top = cell.top() + std::max(0, (cell.height() - 3 * pitch) / 2);
  std::vector<int> darkest;
  for (int line = 0; line < 3; ++line) {
    int dark = 255;
    for (int y = top + line * pitch; y < top + (line + 1) * pitch && y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x) dark = std::min(dark, qGray(img.pixel(x, y)));
    darkest.push_back(dark);
  }
  ASSERT_EQ(darkest.size(), 3u);
  EXPECT_LT(darkest[0], 80) << "the name in the text colour";
  for (int line : {1, 2}) {
    EXPECT_GE(darkest[static_cast<std::size_t>(line)], 110) << "line " << line + 1 << " grey";
    EXPECT_LE(darkest[static_cast<std::size_t>(line)], 150) << "line " << line + 1 << " has text";
  }
}

TEST_F(QtTest, SpinArrowsTellTheProcedureAtOnce) {
  WindowDef def;
  def.title = "Side";
  ControlDef spin = ctl(ControlKind::Spin, "?CURRENTPAGE");
  spin.rangeLow = 1;
  spin.rangeHigh = 3;
  def.controls = {spin, ctl(ControlKind::Entry, "?OTHER")};
  run().start([&] {
    int page = 3;
    std::string other;
    Window win(def);
    win.bind("?CURRENTPAGE", page);
    win.bind("?OTHER", other);
    win.open();
    win.display();
    log.add("ready");
    while (auto ev = win.accept())
      if (ev.control == win.id("?CURRENTPAGE")) log.add(std::string(eventName(ev.kind)) + " " + std::to_string(page));
  });
  qt::QtWindow* w = waitWindow("Side");
  ASSERT_TRUE(w && waitSettled("ready"));
  auto* sp = control<QSpinBox>(w, "?CURRENTPAGE");
  ASSERT_TRUE(sp);
  sp->setFocus();
  sp->stepBy(-1);  // what the down arrow does
  ASSERT_TRUE(pumpUntil([&] { return log.has("NewSelection 2"); })) << "heard without leaving the field";
  sp->stepBy(5);  // past the top: the range holds it
  ASSERT_TRUE(pumpUntil([&] { return log.has("NewSelection 3"); }));
  EXPECT_THAT(log.lines(), ElementsAre("ready", "NewSelection 2", "NewSelection 3"));
}

}  // namespace
