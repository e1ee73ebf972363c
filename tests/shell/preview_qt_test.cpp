// The report preview on real widgets (offscreen): paging, a click that magnifies a page, the
// zoom menu and Print. Set L2S_PREVIEW_SHOT=DIR to keep screenshots of each step.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <string>

#include "data/thread_state.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "platform/ui/qt/window_fit.h"
#include "qt_wait.h"
#include "sample_pages.h"
#include "shell/preview_window.h"

namespace {

class PreviewQtTest : public ::testing::Test {
 protected:
  void SetUp() override { run_ = std::make_unique<ui::qt::QtRun>(); }
  void TearDown() override { run_.reset(); }

  bool pump(const std::function<bool()>& done) { return l2stest::pumpUntil(*run_, done); }
  ui::qt::QtWindow* win() { return run_->backend().windowTitled("Report Preview"); }
  QScrollArea* image(const std::string& equate) { return qobject_cast<QScrollArea*>(win()->widget(equate)); }
  // The pixmap an image control shows now (null when none).
  QPixmap shown(const std::string& equate) {
    QScrollArea* a = image(equate);
    auto* l = a ? qobject_cast<QLabel*>(a->widget()) : nullptr;
    return l ? l->pixmap() : QPixmap();
  }
  QString zone(int n) {
    const auto labels = win()->shell()->statusBar()->findChildren<QLabel*>();
    return n - 1 < labels.size() ? labels[n - 1]->text() : QString();
  }
  void shot(const char* name) {
    if (const char* dir = std::getenv("L2S_PREVIEW_SHOT"))
      win()->shell()->grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QString::fromUtf8(name));
  }

  // Starts a preview of `pages` pages and waits for its first page.
  bool open(int pages) {
    run_->start([this, pages] {
      auto report = l2stest::samplePages(pages);
      shell::PreviewWindow(report->pageFiles());
      response_ = data::thr().ThreadResponse;
    });
    return pump([&] { return win() && image("?PAGE1") && !shown("?PAGE1").isNull(); }) && atRest();
  }
  // The procedure waits for input with all it changed on screen: what the user types now is not
  // overwritten by a display still on its way.
  bool atRest() {
    return pump([&] { return ui::waitUntilIdle(std::chrono::milliseconds(0)) && run_->backend().settled(); });
  }
  void leave() {
    win()->action("?EXITBUTTON")->trigger();
    ASSERT_TRUE(pump([&] { return response_ != -1; }));
  }
  QSpinBox* spin(const char* equate) { return qobject_cast<QSpinBox*>(win()->widget(equate)); }
  // The widget shows whole, not cut by the window or scrolled out of view.
  static bool whole(QWidget* w) { return w && w->isVisible() && w->visibleRegion().boundingRect() == w->rect(); }

  std::unique_ptr<ui::qt::QtRun> run_;
  std::atomic<int> response_{-1};
};

// As it opens: no scrolling, the whole first page (its top too) and the row of spins in view.
TEST_F(PreviewQtTest, OpensWithTheWholePageAndTheSpinRowInView) {
  ASSERT_TRUE(open(3));
  QCoreApplication::processEvents();
  auto* controls = win()->shell()->findChild<ui::qt::FitScroll*>();
  ASSERT_NE(controls, nullptr);
  EXPECT_EQ(controls->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(controls->horizontalScrollBar()->maximum(), 0);
  EXPECT_TRUE(whole(image("?PAGE1"))) << "the page is cut";
  for (const char* eq : {"?CURRENTPAGE", "?PAGESACROSS", "?PAGESDOWN"}) EXPECT_TRUE(whole(spin(eq))) << eq;
  shot("preview-open.png");
  leave();
}

// Typed numbers outside a spin's range take its limit; the page shown follows.
TEST_F(PreviewQtTest, TypedNumbersOutsideTheRangeTakeTheLimit) {
  ASSERT_TRUE(open(12));
  struct Case {
    const char* equate;
    const char* typed;
    int value;
    const char* zone;
  };
  const Case cases[] = {
      {"?CURRENTPAGE", "99", 12, "Page 12 of 12"},
      {"?CURRENTPAGE", "0", 1, "Page 1 of 12"},
      {"?CURRENTPAGE", "7", 7, "Page 7 of 12"},
      {"?PAGESACROSS", "15", 10, "Pages 7-12 of 12"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.equate) + " " + c.typed);
    QSpinBox* s = spin(c.equate);
    ASSERT_NE(s, nullptr);
    s->setFocus();
    QTest::keyClick(s, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(s, QString::fromUtf8(c.typed));
    QTest::keyClick(s, Qt::Key_Return);
    EXPECT_TRUE(pump([&] { return zone(2) == QString::fromUtf8(c.zone); }) && atRest()) << zone(2).toStdString();
    EXPECT_EQ(s->value(), c.value);
  }
  leave();
}

// A click on a page takes away the control that had the focus; PgDn and PgUp still page.
TEST_F(PreviewQtTest, PagingKeysWorkAfterAClickOnAPage) {
  ASSERT_TRUE(open(5));
  QTest::mouseClick(image("?PAGE1")->widget(), Qt::LeftButton);
  ASSERT_TRUE(pump([&] { return image("?MAGNIFIED") && !image("?PAGE1"); }) && atRest());
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr) << "no control has the focus";
  EXPECT_TRUE(win()->shell()->isAncestorOf(focus));
  QTest::keyClick(focus, Qt::Key_PageDown);
  EXPECT_TRUE(pump([&] { return zone(2) == QStringLiteral("Page 2 of 5"); }) && atRest()) << zone(2).toStdString();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
  EXPECT_TRUE(pump([&] { return zone(2) == QStringLiteral("Page 1 of 5"); })) << zone(2).toStdString();
  // Back to the set view: the magnified page goes too, and the keys still reach the window.
  QTest::mouseClick(image("?MAGNIFIED")->widget(), Qt::LeftButton);
  ASSERT_TRUE(pump([&] { return image("?PAGE1") && !image("?MAGNIFIED"); }) && atRest());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
  EXPECT_TRUE(pump([&] { return zone(2) == QStringLiteral("Page 2 of 5"); })) << zone(2).toStdString();
  leave();
}

TEST_F(PreviewQtTest, PagesZoomsAndPrints) {
  std::atomic<int> response{-1};
  ASSERT_TRUE(run_->start([&] {
    // Painted on the procedure's thread, as the mapping report paints its pages.
    auto report = l2stest::samplePages(12);
    shell::PreviewWindow(report->pageFiles());
    response = data::thr().ThreadResponse;
  }));
  ASSERT_TRUE(pump([&] { return win() && image("?PAGE1") && !shown("?PAGE1").isNull(); }));
  win()->shell()->resize(1000, 700);
  ASSERT_TRUE(pump([&] { return zone(2) == QStringLiteral("Page 1 of 12"); }));
  // The page spin has the focus; its status text names the pages there are, not its default.
  EXPECT_TRUE(pump([&] { return zone(1) == QStringLiteral("Enter a page number from 1 to 12"); }))
      << zone(1).toStdString();

  // Two across (typed), two down (stepped): four cells side by side.
  auto* across = qobject_cast<QSpinBox*>(win()->widget("?PAGESACROSS"));
  auto* down = qobject_cast<QSpinBox*>(win()->widget("?PAGESDOWN"));
  ASSERT_TRUE(across && down);
  across->setValue(2);
  Q_EMIT across->editingFinished();
  down->stepBy(1);  // the arrow: the view follows at once
  ASSERT_TRUE(pump([&] { return image("?PAGE4") && run_->backend().settled() && !shown("?PAGE4").isNull(); }));
  EXPECT_EQ(zone(2), QStringLiteral("Pages 1-4 of 12"));
  const QRect first = image("?PAGE1")->geometry(), second = image("?PAGE2")->geometry();
  EXPECT_EQ(first.top(), second.top());
  EXPECT_GT(second.left(), first.right());
  // The cells are laid out in dialog units, which are not square; the page keeps its shape.
  const QPixmap page = shown("?PAGE1");
  EXPECT_NEAR(static_cast<double>(page.height()) / page.width(), 297.0 / 210.0, 0.02);
  EXPECT_LE(page.height(), first.height());
  shot("preview-2x2.png");

  win()->action("?NEXT")->trigger();
  ASSERT_TRUE(pump([&] { return zone(2) == QStringLiteral("Pages 5-8 of 12"); }));
  // PgUp in a spin pages the report instead of stepping the spin.
  QTest::keyClick(down, Qt::Key_PageUp);
  ASSERT_TRUE(pump([&] { return zone(2) == QStringLiteral("Pages 1-4 of 12"); }));
  EXPECT_EQ(down->value(), 2);
  QTest::keyClick(down, Qt::Key_PageDown);
  ASSERT_TRUE(pump([&] { return zone(2) == QStringLiteral("Pages 5-8 of 12"); }));

  // A click on the third cell shows page 7 at the page's width, with a vertical scroll bar.
  QScrollArea* third = image("?PAGE3");
  QTest::mouseClick(third->widget(), Qt::LeftButton);
  ASSERT_TRUE(pump([&] { return image("?MAGNIFIED") && !shown("?MAGNIFIED").isNull() && run_->backend().settled(); }));
  EXPECT_EQ(zone(2), QStringLiteral("Page 7 of 12"));
  EXPECT_EQ(zone(3), QStringLiteral("Zoom (Page Width)"));
  QScrollArea* mag = image("?MAGNIFIED");
  EXPECT_LE(shown("?MAGNIFIED").width(), mag->viewport()->width());
  EXPECT_GT(shown("?MAGNIFIED").width(), mag->viewport()->width() * 3 / 4);
  EXPECT_EQ(mag->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  shot("preview-pagewidth.png");

  win()->action("?ZOOM200")->trigger();
  ASSERT_TRUE(pump([&] { return zone(3) == QStringLiteral("Zoom (200%)") && run_->backend().settled(); }));
  EXPECT_EQ(shown("?MAGNIFIED").width(), 794 * 2);
  EXPECT_TRUE(win()->action("?ZOOM200")->isChecked());
  EXPECT_FALSE(win()->action("?ZOOMPAGEWIDTH")->isChecked());
  shot("preview-200.png");

  win()->action("?PRINTBUTTON")->trigger();
  ASSERT_TRUE(pump([&] { return response != -1; }));
  EXPECT_EQ(response, 1);
}

}  // namespace
