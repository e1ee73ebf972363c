// The program's windows on a 1024x768 screen (Qt offscreen, or a real X server when
// QT_QPA_PLATFORM says so): the frame and every window it opens lie within the screen, every
// button of each window can be seen whole, and status texts show in the frame's status bar.
// With LAB2SIV_SHOT_DIR set it also writes a PNG of each window there, for looking at them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "../shell/qt_installation.h"
#include "cpu_time.h"
#include "import/window/register.h"
#include "maintenance/register.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "qt_wait.h"
#include "shell/main.h"

namespace fs = std::filesystem;

namespace {

using shelltest::kDemoFrameTitle;

// The frame's windows all registered, as the program registers them.
class FrameWindowsTest : public shelltest::QtInstallationTest {
 protected:
  void SetUp() override {
    QtInstallationTest::SetUp();
    maintenance::registerProcedures();
    import::registerImportWindow();
  }
};

QAction* actionOf(ui::qt::QtWindow* w, const std::string& equate) { return w->action(equate); }

// Waits until every procedure rests (in accept() or a box) with all it changed on screen, then
// lets the layouts those changes asked for run: the windows have their final sizes.
bool atRest(ui::qt::QtRun& run) {
  const bool rest = l2stest::pumpUntil(
      run, [&] { return ui::waitUntilIdle(std::chrono::milliseconds(0)) && run.backend().settled(); });
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  return rest;
}

// The window on screen whose title starts with `title`: an MDI child of the frame or a
// window of its own.
QWidget* shown(QMdiArea* area, const QString& title) {
  for (QMdiSubWindow* sub : area->subWindowList())
    if (sub->isVisible() && sub->windowTitle().startsWith(title)) return sub;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->isWindow() && w->windowTitle().startsWith(title)) return w;
  return nullptr;
}

// Ends the program as a user does. The settings window holds the frame's thread: it is closed
// first (by its OK), then the frame.
void closeProgram(ui::qt::QtRun& run, ui::qt::QtWindow* frame) {
  QMdiArea* area = frame->mdiArea();
  if (QWidget* settings = shown(area, QStringLiteral("Innstillinger"))) {
    if (auto* ok = settings->findChild<QPushButton*>(QStringLiteral("?OK"))) ok->click();
    EXPECT_TRUE(l2stest::pumpUntil(run, [&] { return shown(area, QStringLiteral("Innstillinger")) == nullptr; }));
  }
  frame->shell()->close();
  run.exec();
}

void shoot(QWidget* w, const std::string& name) {
  const QByteArray dir = qgetenv("LAB2SIV_SHOT_DIR");
  if (dir.isEmpty()) return;
  w->grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromStdString(name) + QStringLiteral(".png"));
}

// `w` lies inside `room` (in global coordinates) and each of its visible buttons can be seen
// whole: no parent, scroll area or MDI area clips it.
void expectFits(QWidget* w, const QRect& room, const std::string& what) {
  const QRect outer = w->isWindow() ? w->frameGeometry() : QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
  EXPECT_TRUE(room.contains(outer)) << what << ": window " << outer.x() << "," << outer.y() << " " << outer.width()
                                    << "x" << outer.height() << " outside " << room.width() << "x" << room.height();
  int buttons = 0;
  for (QPushButton* b : w->findChildren<QPushButton*>()) {
    if (!b->isVisibleTo(w)) continue;
    ++buttons;
    EXPECT_EQ(b->visibleRegion().boundingRect(), b->rect())
        << what << ": button " << b->objectName().toStdString() << " (" << b->text().toStdString() << ") is cut";
    const QRect onScreen(b->mapToGlobal(QPoint(0, 0)), b->size());
    EXPECT_TRUE(room.contains(onScreen)) << what << ": button " << b->objectName().toStdString()
                                         << " lies outside the room";
  }
  EXPECT_GT(buttons, 0) << what;
}

TEST_F(FrameWindowsTest, EveryWindowTheFrameOpensFitsTheScreenWithItsButtonsVisible) {
  ui::qt::QtRun run;
  ASSERT_TRUE(run.start([] { shell::Main(); }));
  ui::qt::QtWindow* frame = nullptr;
  ASSERT_TRUE(
      l2stest::pumpUntil(run, [&] { return (frame = run.backend().windowTitled(kDemoFrameTitle)) != nullptr; }));
  ASSERT_TRUE(atRest(run));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  ASSERT_LE(screen.width(), 1024);
  ASSERT_LE(screen.height(), 768);
  {
    const QRect f = frame->shell()->frameGeometry();
    EXPECT_TRUE(screen.contains(f)) << "frame " << f.x() << "," << f.y() << " " << f.width() << "x" << f.height();
  }
  QMdiArea* area = frame->mdiArea();
  ASSERT_NE(area, nullptr);

  struct Case {
    const char* equate;  // menu item or toolbar button of the frame
    const char* title;   // start of the window's title
    bool child;          // an MDI child of the frame (else a window of its own)
  };
  const Case cases[] = {
      {"?BUTTON3", "Import", true},
      {"?BUTTON1", "Tabell laboratorier", true},
      {"?HJELPOMBRAKELSIVRAPROVEX", "Om programmet", true},
      {"?HELP", "Hjelp", false},
      {"?FILEINNSTILLINGER", "Innstillinger", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    QAction* a = actionOf(frame, c.equate);
    ASSERT_NE(a, nullptr) << c.equate;
    a->trigger();
    QWidget* w = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return (w = shown(area, QString::fromUtf8(c.title))) != nullptr; }));
    ASSERT_TRUE(atRest(run));
    const QRect room = c.child ? QRect(area->viewport()->mapToGlobal(QPoint(0, 0)), area->viewport()->size()) : screen;
    expectFits(w, room, c.title);
    shoot(w, std::string(c.equate + 1));
  }
  // The laboratory form, which the list opens, is laid out by the same rules.
  {
    SCOPED_TRACE("Skjema laboratorium");
    QWidget* list = shown(area, QStringLiteral("Tabell laboratorier"));
    ASSERT_NE(list, nullptr);
    auto* insert = list->findChild<QPushButton*>(QStringLiteral("?INSERT"));
    ASSERT_NE(insert, nullptr);
    insert->click();
    QWidget* form = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(
        run, [&] { return (form = shown(area, QStringLiteral("Skjema laboratorium"))) != nullptr; }));
    ASSERT_TRUE(atRest(run));
    expectFits(form,
               form->isWindow() ? screen : QRect(area->viewport()->mapToGlobal(QPoint(0, 0)), area->viewport()->size()),
               "Skjema laboratorium");
    shoot(form, "LABFORM");
    // Cancel asks whether to save the new record: No.
    auto* cancel = form->findChild<QPushButton*>(QStringLiteral("?CANCEL"));
    ASSERT_NE(cancel, nullptr);
    cancel->click();
    QMessageBox* ask = nullptr;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
      for (QWidget* m : run.backend().modalWidgets())
        if ((ask = qobject_cast<QMessageBox*>(m)) != nullptr) return true;
      return false;
    }));
    ask->button(QMessageBox::No)->click();
    EXPECT_TRUE(l2stest::pumpUntil(run, [&] { return shown(area, QStringLiteral("Skjema laboratorium")) == nullptr; }));
  }
  shoot(frame->shell(), "FRAME");
  closeProgram(run, frame);
}

// The import window: its first group frames the fields that follow it, and maximised it
// scrolls its controls with the buttons in view while the path entry takes the spare width.
TEST_F(FrameWindowsTest, TheImportWindowMaximisedKeepsItsButtonsAndWidensThePath) {
  ui::qt::QtRun run;
  ASSERT_TRUE(run.start([] { shell::Main(); }));
  ui::qt::QtWindow* frame = nullptr;
  ASSERT_TRUE(
      l2stest::pumpUntil(run, [&] { return (frame = run.backend().windowTitled(kDemoFrameTitle)) != nullptr; }));
  QMdiArea* area = frame->mdiArea();
  frame->action("?BUTTON3")->trigger();
  QWidget* w = nullptr;
  ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return (w = shown(area, QStringLiteral("Import"))) != nullptr; }));
  ASSERT_TRUE(atRest(run));
  auto* sub = qobject_cast<QMdiSubWindow*>(w);
  ASSERT_NE(sub, nullptr);
  QWidget* group = w->findChild<QWidget*>(QStringLiteral("?GROUP2"));
  QWidget* path = w->findChild<QWidget*>(QStringLiteral("?GLO:IMPORTFILE"));
  ASSERT_NE(group, nullptr);
  ASSERT_NE(path, nullptr);
  EXPECT_TRUE(group->isAncestorOf(w->findChild<QWidget*>(QStringLiteral("?THR:LAB"))));
  EXPECT_TRUE(group->isAncestorOf(path));
  EXPECT_FALSE(group->isAncestorOf(w->findChild<QWidget*>(QStringLiteral("?GLO:UTSLKTR"))));

  const int normalWidth = path->width();
  sub->showMaximized();
  ASSERT_TRUE(atRest(run));
  const QRect room(area->viewport()->mapToGlobal(QPoint(0, 0)), area->viewport()->size());
  expectFits(w, room, "Import maximised");
  EXPECT_GT(path->width(), normalWidth + 100);
  shoot(frame->shell(), "IMPORT-MAXIMISED");

  frame->shell()->close();
  run.exec();
}

// At rest (every procedure waiting for an event, no timer running) no thread wakes: a few
// idle seconds with several windows open cost next to no CPU. Idle procedure threads that
// woke each other kept a core busy here.
TEST_F(FrameWindowsTest, AtRestWithAListTheImportAndTheSettingsWindowOpenTheProgramUsesNoCpu) {
  ui::qt::QtRun run;
  ASSERT_TRUE(run.start([] { shell::Main(); }));
  ui::qt::QtWindow* frame = nullptr;
  ASSERT_TRUE(
      l2stest::pumpUntil(run, [&] { return (frame = run.backend().windowTitled(kDemoFrameTitle)) != nullptr; }));
  QMdiArea* area = frame->mdiArea();
  for (const auto& [equate, title] : {std::pair{"?BUTTON1", "Tabell laboratorier"}, std::pair{"?BUTTON3", "Import"},
                                      std::pair{"?FILEINNSTILLINGER", "Innstillinger"}}) {
    frame->action(equate)->trigger();
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return shown(area, QString::fromUtf8(title)) != nullptr; })) << title;
  }
  ASSERT_TRUE(atRest(run));

  const double before = l2stest::processCpuSeconds();
  QEventLoop idle;
  QTimer::singleShot(3000, &idle, &QEventLoop::quit);
  idle.exec();
  const double used = l2stest::processCpuSeconds() - before;
  EXPECT_LT(used, 0.1) << used << " s of CPU in 3 idle seconds";

  closeProgram(run, frame);
}

TEST_F(FrameWindowsTest, StatusTextsOfControlsAndMenusShowInZoneOne) {
  ui::qt::QtRun run;
  ASSERT_TRUE(run.start([] { shell::Main(); }));
  ui::qt::QtWindow* frame = nullptr;
  ASSERT_TRUE(
      l2stest::pumpUntil(run, [&] { return (frame = run.backend().windowTitled(kDemoFrameTitle)) != nullptr; }));
  QLabel* zone = frame->shell()->statusBar()->findChild<QLabel*>();
  ASSERT_NE(zone, nullptr);
  const auto zoneShows = [&](const char* text) {
    return l2stest::pumpUntil(run, [&] { return zone->text() == QString::fromUtf8(text); });
  };

  // A menu item under the mouse.
  QAction* printSetup = frame->action("?PRINTSETUP");
  ASSERT_NE(printSetup, nullptr);
  QAction* fileMenu = frame->shell()->menuBar()->actions().front();
  QMenu* file = fileMenu->menu();
  ASSERT_NE(file, nullptr);
  frame->shell()->menuBar()->setActiveAction(fileMenu);
  ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return file->isVisible(); }));
  file->setActiveAction(printSetup);
  EXPECT_TRUE(zoneShows("Setup Printer")) << zone->text().toStdString();
  file->hide();
  EXPECT_TRUE(zoneShows("")) << zone->text().toStdString();

  // A control with the focus, in a window that has no status bar of its own; leaving it
  // gives the zone back.
  frame->action("?FILEINNSTILLINGER")->trigger();
  QWidget* settings = nullptr;
  ASSERT_TRUE(l2stest::pumpUntil(
      run, [&] { return (settings = shown(frame->mdiArea(), QStringLiteral("Innstillinger"))) != nullptr; }));
  auto* command = settings->findChild<QLineEdit*>(QStringLiteral("?L_S:PREIMPRUN"));
  auto* ok = settings->findChild<QPushButton*>(QStringLiteral("?OK"));
  ASSERT_NE(command, nullptr);
  ASSERT_NE(ok, nullptr);
  settings->activateWindow();
  command->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(zoneShows("program som kjøres før import")) << zone->text().toStdString();
  ok->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(zoneShows("")) << zone->text().toStdString();

  ok->click();
  EXPECT_TRUE(
      l2stest::pumpUntil(run, [&] { return shown(frame->mdiArea(), QStringLiteral("Innstillinger")) == nullptr; }));
  frame->shell()->close();
  run.exec();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  // A 1024x768 screen: the offscreen platform takes its screens from a small file.
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  std::string config;
  if (platform.isEmpty() || platform == "offscreen") {
    config = (fs::temp_directory_path() / ("l2s-screen-" + std::to_string(::getpid()) + ".json")).string();
    std::ofstream(config) << R"({"screens": [{"name": "small", "x": 0, "y": 0, "width": 1024, )"
                             R"("height": 768, "logicalDpi": 96, "logicalBpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QByteArray::fromStdString(config));
  }
  int code = 0;
  {
    QApplication app(argc, argv);
    code = RUN_ALL_TESTS();
  }
  if (!config.empty()) fs::remove(config);
  return code;
}
