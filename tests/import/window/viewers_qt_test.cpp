// Under Qt (offscreen): a run whose supplier has no plant ends with "Se på Logg-file" open in a
// real window, showing the log's lines in the list box, before the import window says "Ferdig!";
// opened again on a longer log it shows its scroll bar, and its search opens over it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/page_list.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "qt_wait.h"
#include "shell/main.h"
#include "supplier_without_plant.h"

namespace {

class ViewersQtTest : public l2stest::ProgramDirTest {
 protected:
  ViewersQtTest() : ProgramDirTest("l2s-viewers-qt") {}
};

QAbstractButton* buttonOf(ui::qt::QtWindow* w, const char* equate) {
  return w ? qobject_cast<QAbstractButton*>(w->widget(std::string(equate))) : nullptr;
}

std::vector<std::string> listRows(ui::qt::QtWindow* w, const char* equate) {
  std::vector<std::string> out;
  auto* list = w ? dynamic_cast<ui::qt::PageList*>(w->widget(std::string(equate))) : nullptr;
  if (!list) return out;
  for (int i = 0; i < list->tree()->topLevelItemCount(); ++i)
    out.push_back(list->tree()->topLevelItem(i)->text(0).toStdString());
  return out;
}

TEST_F(ViewersQtTest, ARunWithAMissingPlantEndsWithTheLogOpen) {
  prepareDataset();
  if (HasFatalFailure()) return;
  l2stest::addSupplierWithoutPlant(root_);
  if (HasFatalFailure()) return;

  std::vector<std::string> logRows;
  std::string melding;
  int code = -1;
  {
    ui::qt::QtRun run;
    ASSERT_TRUE(run.start([] { shell::Main(); }));
    ui::qt::QtWindow* frame = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      return (frame = run.backend().windowTitled("Brakel-Sivra Provex (Rnx-versjon) [Demo]")) != nullptr;
    }));
    QAction* importItem = frame->action(std::string("?IMPORT"));
    ASSERT_NE(importItem, nullptr);
    importItem->trigger();

    ui::qt::QtWindow* win = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      win = run.backend().windowTitled("Import");
      auto* ok = buttonOf(win, "?OKBUTTON");
      return ok && ok->isEnabled();
    }));
    buttonOf(win, "?OKBUTTON")->click();

    ui::qt::QtWindow* log = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(
        run,
        [&] {
          log = run.backend().windowTitled("Se på Logg-file");
          return log && !listRows(log, "?ASCIIBOX").empty();
        },
        60000));
    logRows = listRows(log, "?ASCIIBOX");
    buttonOf(log, "?CLOSE")->click();
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return run.backend().windowTitled("Se på Logg-file") == nullptr; }));
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      auto* l = qobject_cast<QLabel*>(win->widget(std::string("?LOC:MELDING_1")));
      melding = l ? l->text().toStdString() : std::string();
      return melding == "Ferdig!";
    }));

    // A log longer than the list: its own scroll bar shows whole, not scrolled out of view.
    {
      std::ofstream more(dataDir() / "Import.Txt", std::ios::app);
      for (int i = 1; i <= 200; ++i) more << "Linje " << i << '\n';
      more << "Siste linje\n";
    }
    buttonOf(win, "?LOGFILEBUTTON")->click();
    ui::qt::PageList* list = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      log = run.backend().windowTitled("Se på Logg-file");
      list = log ? dynamic_cast<ui::qt::PageList*>(log->widget(std::string("?ASCIIBOX"))) : nullptr;
      return list && list->bar()->isVisible() && run.backend().settled();
    }));
    QCoreApplication::processEvents();
    EXPECT_EQ(list->bar()->visibleRegion().boundingRect(), list->bar()->rect()) << "the scroll bar is out of view";

    // The search window opens over the viewer; Enter in "Find What" finds.
    buttonOf(log, "?ASCIISEARCH")->click();
    ui::qt::QtWindow* search = nullptr;
    ASSERT_TRUE(
        l2stest::pumpUntil(run, [&] { return (search = run.backend().windowTitled("Searching Text...")) != nullptr; }));
    auto* what = qobject_cast<QLineEdit*>(search->widget(std::string("?ASC1:SEARCHSTRING")));
    ASSERT_NE(what, nullptr);
    // The user types once the window waits for input (its opening display has run).
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      return what->hasFocus() && ui::waitUntilIdle(std::chrono::milliseconds(0)) && run.backend().settled();
    }));
    EXPECT_TRUE(log->outer()->frameGeometry().contains(search->outer()->frameGeometry().center()));
    QTest::keyClicks(what, QStringLiteral("siste"));
    QTest::keyClick(what, Qt::Key_Return);
    EXPECT_TRUE(l2stest::pumpUntil(run, [&] {
      QTreeWidgetItem* cur = list->tree()->currentItem();
      return run.backend().windowTitled("Searching Text...") == nullptr && cur &&
             cur->text(0).trimmed() == QStringLiteral("Siste linje");
    }));
    buttonOf(log, "?CLOSE")->click();
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return run.backend().windowTitled("Se på Logg-file") == nullptr; }));

    buttonOf(win, "?CANCELBUTTON")->click();
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return run.backend().windowTitled("Import") == nullptr; }));
    frame->action(std::string("?BUTTON2"))->trigger();
    code = run.exec();
  }
  EXPECT_EQ(code, 0);
  EXPECT_EQ(melding, "Ferdig!");
  bool missing = false;
  for (const auto& r : logRows) missing = missing || r == "Leverandør: 160 er ikke registrert Sivra 2000!";
  EXPECT_TRUE(missing) << "the log shows the missing plant";
}

}  // namespace
