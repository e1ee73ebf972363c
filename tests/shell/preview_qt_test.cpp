// The report preview on real widgets (offscreen): paging, a click that magnifies a page, the
// zoom menu and Print. Set L2S_PREVIEW_SHOT=DIR to keep screenshots of each step.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScrollArea>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <atomic>
#include <cstdlib>
#include <string>

#include "data/thread_state.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
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

  std::unique_ptr<ui::qt::QtRun> run_;
};

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
