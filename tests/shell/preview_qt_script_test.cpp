// The report preview on real widgets played by the scripted user: numbers typed into the spins
// go through the spins' own keys, so what a user types outside their limits becomes the limit.
#include <gtest/gtest.h>

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <atomic>
#include <string>

#include "data/thread_state.h"
#include "platform/ui/qt/qt_run.h"
#include "platform/ui/qt/qt_window.h"
#include "qt_script.h"
#include "sample_pages.h"
#include "shell/preview_window.h"

namespace {

TEST(PreviewQtScript, PagesTypedOutsideTheReportGoToItsFirstAndLastPage) {
  ui::qt::QtRun run;
  std::atomic<int> response{-1};
  ASSERT_TRUE(run.start([&] {
    auto report = l2stest::samplePages(19);
    shell::PreviewWindow(report->pageFiles());
    response = data::thr().ThreadResponse;
  }));
  const std::string t = l2stest::playOnQt(run,
                                          "window \"Report Preview\"\n"
                                          "type ?CURRENTPAGE \"7\"\n"
                                          "dump ?CURRENTPAGE\n"
                                          "type ?CURRENTPAGE \"0\"\n"
                                          "dump ?CURRENTPAGE\n"
                                          "type ?CURRENTPAGE \"99\"\n"
                                          "dump ?CURRENTPAGE\n"
                                          "type ?PAGESACROSS \"15\"\n"
                                          "dump ?PAGESACROSS\n");
  EXPECT_EQ(t.find("error"), std::string::npos) << t;
  for (const char* line :
       {"dump ?CURRENTPAGE \"7\"\ndump ?CURRENTPAGE \"1\"\ndump ?CURRENTPAGE \"19\"\n", "dump ?PAGESACROSS \"10\"\n"})
    EXPECT_NE(t.find(line), std::string::npos) << line << "\n" << t;
  // The view follows the spin: the last page is on show (ten across from there is that page alone).
  ui::qt::QtWindow* w = run.backend().windowTitled("Report Preview");
  ASSERT_TRUE(w);
  const auto zones = w->shell()->statusBar()->findChildren<QLabel*>();
  ASSERT_GE(zones.size(), 2);
  EXPECT_TRUE(run.pumpUntil([&] {
    return zones[1]->text().startsWith(QStringLiteral("Page")) && zones[1]->text().endsWith(QStringLiteral("of 19"));
  })) << zones[1]->text().toStdString();
  EXPECT_TRUE(zones[1]->text().contains(QStringLiteral("19 of 19"))) << zones[1]->text().toStdString();
  w->shell()->close();
  EXPECT_TRUE(run.pumpUntil([&] { return response != -1; }));
}

}  // namespace
