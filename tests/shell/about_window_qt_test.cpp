// The About window in a real Qt window (offscreen): each link region lies exactly over its
// line, the mouse over the line lights it up, and a click opens its target through the
// desktop's handler (a stand-in xdg-open on PATH that notes its argument).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "data/file_names.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/qt/qt_backend.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "qt_wait.h"
#include "shell/about_window.h"

namespace fs = std::filesystem;

namespace {

class AboutWindowQtTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("l2s-qtabout-" + std::to_string(::getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "data");
    fs::create_directories(root_ / "bin");
    oldCwd_ = fs::current_path();
    fs::current_path(root_);
    data::resetFileNames();
    data::setDataDirectory((root_ / "data").string());
    {
      std::ofstream s(root_ / "bin" / "xdg-open");
      s << "#!/bin/sh\nprintf '%s\\n' \"$@\" >> \"" << (root_ / "opened").string() << "\"\n";
    }
    fs::permissions(root_ / "bin" / "xdg-open", fs::perms::owner_all);
    oldPath_ = ::getenv("PATH") ? ::getenv("PATH") : "";
    ::setenv("PATH", ((root_ / "bin").string() + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", oldPath_.c_str(), 1);
    fs::current_path(oldCwd_);
    data::resetFileNames();
    fs::remove_all(root_);
  }
  std::vector<std::string> opened() {
    std::vector<std::string> out;
    std::ifstream in(root_ / "opened");
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
  }
  fs::path root_, oldCwd_;
  std::string oldPath_;
};

QColor textColour(QWidget* w) { return w->palette().color(QPalette::WindowText); }

TEST_F(AboutWindowQtTest, TheMouseOverEachLinkLineLightsItAndAClickOpensItsTarget) {
  struct Link {
    const char* line;
    const char* region;
    const char* target;
  };
  const Link links[] = {{"?WEBLINE", "?WEBLINK", "https://"}, {"?MAILLINE", "?MAILLINK", "mailto:"}};
  ui::qt::QtRun run;
  ASSERT_TRUE(run.start([] { shell::AboutWindow(); }));
  ui::qt::QtWindow* win = nullptr;
  ASSERT_TRUE(l2stest::pumpUntil(run, [&] {
    win = run.backend().windowTitled("Om programmet");
    return win && win->widget(std::string("?MAILLINK")) && run.backend().settled();
  }));
  const QColor blue(0, 0, 255), magenta(255, 0, 255);
  std::size_t clicks = 0;
  for (const Link& l : links) {
    SCOPED_TRACE(l.line);
    auto* line = qobject_cast<QLabel*>(win->widget(std::string(l.line)));
    QWidget* region = win->widget(std::string(l.region));
    ASSERT_NE(line, nullptr);
    ASSERT_NE(region, nullptr);
    EXPECT_EQ(QRect(region->mapToGlobal(QPoint(0, 0)), region->size()),
              QRect(line->mapToGlobal(QPoint(0, 0)), line->size()))
        << "the region lies exactly over its line";
    EXPECT_LE(line->width(), line->fontMetrics().horizontalAdvance(line->text()) + 2 * line->margin() + 4)
        << "the line is as wide as its text";
    EXPECT_EQ(region->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(textColour(line), blue);

    // The pointer on the middle of the line's text: what lies there is the region.
    const QPoint inside = line->mapToGlobal(line->rect().center());
    QWidget* under = QApplication::widgetAt(inside);
    ASSERT_EQ(under, region) << "the line itself reacts to the mouse";
    const QPoint local = region->mapFromGlobal(inside);
    QEnterEvent enter{QPointF(local), QPointF(local), QPointF(inside)};
    QApplication::sendEvent(under, &enter);
    EXPECT_TRUE(l2stest::pumpUntil(run, [&] { return textColour(line) == magenta; }));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(under, &leave);
    EXPECT_TRUE(l2stest::pumpUntil(run, [&] { return textColour(line) == blue; }));

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(local), QPointF(inside), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(local), QPointF(inside), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(under, &press);
    QApplication::sendEvent(under, &release);
    ++clicks;
    ASSERT_TRUE(l2stest::pumpUntil(run, [&] { return opened().size() == clicks; }));
    EXPECT_EQ(opened().back().rfind(l.target, 0), 0u) << opened().back();

    // Just past the end of the text nothing reacts.
    const QPoint past = line->mapToGlobal(QPoint(line->width() + 6, line->height() / 2));
    EXPECT_NE(QApplication::widgetAt(past), region);
  }
  ui::requestShutdown();
  EXPECT_EQ(run.exec(), 0);
}

}  // namespace
