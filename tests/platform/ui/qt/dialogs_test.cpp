// File dialogs and pop-up menus under Qt: shown without blocking the GUI, answered by the user,
// the answer handed to the asking thread.
#include "platform/ui/api/dialogs.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QTreeWidget>
#include <QtPrintSupport/QPrintDialog>
#include <atomic>
#include <filesystem>
#include <fstream>

#include "platform/ui/api/message.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/api/window.h"
#include "platform/ui/qt/page_list.h"
#include "platform/ui/qt/qt_window.h"
#include "qt_fixture.h"

using namespace ui;

namespace {

// The open box or dialog of type W, once it is there.
template <class W>
W* waitModal(QtTest& t) {
  W* found = nullptr;
  t.pumpFor([&] {
    for (QWidget* w : t.qtBackend().modalWidgets())
      if (auto* x = qobject_cast<W*>(w)) found = x;
    return found != nullptr;
  });
  return found;
}

TEST_F(QtTest, PopupMenuNumbersItemsWithoutSeparatorsAndGreysTheMarkedOnes) {
  std::atomic<int> chosen{-1};
  run().start([&] { chosen = popup("&Ny|~&Endre|~&Slette|-|&Velg"); });
  QMenu* menu = waitModal<QMenu>(*this);
  ASSERT_TRUE(menu);
  QStringList texts;
  std::vector<bool> enabled;
  for (QAction* a : menu->actions()) {
    texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
    enabled.push_back(a->isEnabled());
  }
  EXPECT_EQ(texts.join(QLatin1Char('|')).toStdString(), "&Ny|&Endre|&Slette|-|&Velg");
  EXPECT_EQ(enabled, (std::vector<bool>{true, false, false, true, true}));
  menu->actions().last()->trigger();
  menu->hide();
  ASSERT_TRUE(pumpUntil([&] { return chosen != -1; }));
  EXPECT_EQ(chosen.load(), 4);
}

// A list's pop-up opens at the mouse when the mouse is over the list, else (the context-menu
// key) below the highlighted row, never centred on the window.
TEST_F(QtTest, PopupMenuOpensAtTheMouseOrAtTheListRow) {
  WindowDef def;
  def.title = "Liste";
  ControlDef list;
  list.kind = ControlKind::List;
  list.equate = "?BROWSE";
  list.items = 6;
  list.columns = {{.width = 20, .heading = "Navn"}};
  def.controls = {list};
  std::atomic<int> answered{0};
  run().start([&] {
    Window win(def);
    win.open();
    win.setRows("?BROWSE", std::vector<std::string>{"A", "B", "C", "D", "E", "F"});
    win.setSelected("?BROWSE", 5);
    win.setAlertKeys("?BROWSE", {Key::Apps});
    log.add("ready");
    while (auto ev = win.accept())
      if (ev.kind == EventKind::AlertKey) {
        popup("&Ny|&Endre");
        ++answered;
      }
  });
  qt::QtWindow* w = waitWindow("Liste");
  ASSERT_TRUE(w);
  ASSERT_TRUE(waitSettled("ready"));
  auto* l = dynamic_cast<qt::PageList*>(w->widget("?BROWSE"));
  ASSERT_TRUE(l);
  QTreeWidget* tree = l->tree();
  QWidget* port = tree->viewport();
  ASSERT_TRUE(pumpUntil([&] { return tree->topLevelItemCount() == 6 && l->selected() == 5; }));
  tree->setFocus();
  const QRect row = tree->visualItemRect(tree->topLevelItem(4));
  const QPoint overRow1 = port->mapToGlobal(tree->visualItemRect(tree->topLevelItem(0)).center());
  struct Case {
    const char* what;
    QPoint mouse;
    QPoint expected;
  };
  const Case cases[] = {
      {"mouse over the list", overRow1, overRow1},
      {"mouse elsewhere", port->mapToGlobal(QPoint(-200, -200)),
       port->mapToGlobal(QPoint(row.left() + 8, row.bottom()))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const int before = answered;
    QCursor::setPos(c.mouse);
    QTest::keyClick(tree, Qt::Key_Menu);
    QMenu* menu = waitModal<QMenu>(*this);
    ASSERT_TRUE(menu);
    EXPECT_LE((menu->pos() - c.expected).manhattanLength(), 2)
        << menu->pos().x() << "," << menu->pos().y() << " expected " << c.expected.x() << "," << c.expected.y();
    menu->hide();
    ASSERT_TRUE(pumpUntil([&] { return answered > before; }));
  }
}

TEST_F(QtTest, PopupMenuDismissedAnswersZero) {
  std::atomic<int> chosen{-1};
  run().start([&] { chosen = popup("&Ny|&Endre"); });
  QMenu* menu = waitModal<QMenu>(*this);
  ASSERT_TRUE(menu);
  menu->hide();
  ASSERT_TRUE(pumpUntil([&] { return chosen != -1; }));
  EXPECT_EQ(chosen.load(), 0);
}

TEST_F(QtTest, FileDialogHandsTheChosenPathOrLeavesItOnCancel) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("l2s_qt_dialog_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const fs::path table = dir / "RNX20A.dbf";
  std::ofstream(table) << "x";
  for (const bool accept : {true, false}) {
    std::atomic<bool> done{false};
    std::atomic<bool> ok{false};
    std::string path = (dir / "").string();
    run().start([&] {
      ok = fileDialog("Velg en importfile", path, "RNX-file|RNX20*.dbf|Alle filer|*.*");
      done = true;
    });
    QFileDialog* d = waitModal<QFileDialog>(*this);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->windowTitle().toStdString(), "Velg en importfile");
    EXPECT_EQ(d->nameFilters().join(QStringLiteral(";;")).toStdString(),
              "RNX-file (RNX20*.dbf);;Alle filer (*)");  // "*.*" would miss names without a dot
    if (accept) {
      // The user types the name into the dialog's name field.
      auto* name = d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
      ASSERT_TRUE(name);
      name->setText(QString::fromStdString(table.filename().string()));
      static_cast<QDialog*>(d)->accept();
    } else {
      d->reject();
    }
    ASSERT_TRUE(pumpUntil([&] { return done.load(); }));
    EXPECT_EQ(ok.load(), accept);
    EXPECT_EQ(path, accept ? table.string() : (dir / "").string());
  }
  fs::remove_all(dir);
}

// A box shows the caption it is given and, given none, no caption: an empty window title
// would show the program's name instead.
TEST_F(QtTest, BoxShowsItsCaptionOrNone) {
  struct Case {
    const char* caption;
    const char* shown;
  };
  for (const Case& c : {Case{"Advarsel", "Advarsel"}, Case{"", ""}}) {
    SCOPED_TRACE(c.caption);
    std::atomic<int> answer{-1};
    run().start([&] { answer = message("Ferdig!", c.caption, Icon::Information); });
    QMessageBox* box = waitModal<QMessageBox>(*this);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->windowTitle().trimmed().toStdString(), c.shown);
    EXPECT_FALSE(box->windowTitle().isEmpty()) << "the window system would show the program's name";
    EXPECT_EQ(box->text().toStdString(), "Ferdig!");
    box->button(QMessageBox::Ok)->click();
    ASSERT_TRUE(pumpUntil([&] { return answer != -1; }));
  }
}

// What the user accepts in the printer setup is what the printing that follows uses: here a
// file, the one choice every machine offers.
TEST_F(QtTest, PrinterSetupHandsTheAcceptedChoiceToThePrinting) {
  setPrinterChoice({});
  const std::string pdf =
      (std::filesystem::temp_directory_path() / ("l2s-setup-" + std::to_string(::getpid()) + ".pdf")).string();
  std::atomic<int> ok{-1};
  run().start([&] { ok = printerSetup() ? 1 : 0; });
  auto* d = waitModal<QPrintDialog>(*this);
  ASSERT_TRUE(d);
  auto* printers = d->findChild<QComboBox*>(QStringLiteral("printers"));
  auto* file = d->findChild<QLineEdit*>(QStringLiteral("filename"));
  ASSERT_TRUE(printers && file);
  printers->setCurrentIndex(printers->count() - 1);  // "Print to File (PDF)" comes last
  file->setText(QString::fromStdString(pdf));
  d->accept();
  ASSERT_TRUE(pumpUntil([&] { return ok != -1; }));
  EXPECT_EQ(ok.load(), 1);
  EXPECT_EQ(printerChoice().outputFile, pdf);
  EXPECT_EQ(printerChoice().printer, "");
  setPrinterChoice({});
}

}  // namespace
