// The report preview driven by the scripted user, headless and on the Qt windows: paging, the
// set view, the magnified page, spins at their limits and the two ways of leaving.
#include "shell/preview_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "backend_session.h"
#include "data/thread_state.h"
#include "platform/ui/api/procedure.h"
#include "platform/ui/headless/session.h"
#include "sample_pages.h"

namespace {

using ui::headless::HControl;
using ui::headless::HWindow;

constexpr const char* kTitle = "Report Preview";

class PreviewTest : public ::testing::TestWithParam<l2stest::ScriptBackend> {
 protected:
  void TearDown() override {
    if (session_) session_->finish();
  }

  // Opens the preview on a report of `n` pages.
  void open(int n) {
    report_ = l2stest::samplePages(n);
    openList(report_->pageFiles());
  }
  void openList(std::vector<std::string> pages) {
    pages_ = std::move(pages);
    session_ = std::make_unique<l2stest::BackendSession>(GetParam());
    session_->start([this] {
      shell::PreviewWindow(pages_);
      response = data::thr().ThreadResponse;
    });
  }
  ui::headless::Robot& robot() { return session_->robot(); }

  template <class F>
  auto inWindow(F f) {
    auto windows = session_->windows();
    for (auto& [id, w] : windows)
      if (w.title == kTitle) return f(&w);
    return f(static_cast<HWindow*>(nullptr));
  }
  std::string status(int zone) {
    return inWindow([&](HWindow* w) { return w && w->status.count(zone) ? w->status.at(zone) : std::string(); });
  }
  HControl control(const std::string& equate) {
    return inWindow([&](HWindow* w) {
      if (w)
        for (auto& [id, c] : w->controls)
          if (c.def.equate == equate) return c;
      return HControl{};
    });
  }
  bool has(const std::string& equate) { return !control(equate).def.equate.empty(); }
  // The page a cell or the magnified page shows (0 when hidden or absent).
  int pageIn(const std::string& equate) {
    const HControl c = control(equate);
    if (c.def.equate.empty() || !c.visible) return 0;
    for (std::size_t i = 0; i < pages_.size(); ++i)
      if (pages_[i] == c.imageFile) return static_cast<int>(i) + 1;
    return -1;
  }
  std::vector<int> cells() {
    std::vector<int> out;
    for (int k = 1; has("?PAGE" + std::to_string(k)); ++k) out.push_back(pageIn("?PAGE" + std::to_string(k)));
    return out;
  }
  void twoByTwoAt(int page) {
    ASSERT_TRUE(robot().type("?PAGESACROSS", "2"));
    ASSERT_TRUE(robot().type("?PAGESDOWN", "2"));
    ASSERT_TRUE(robot().type("?CURRENTPAGE", std::to_string(page)));
  }

  std::atomic<int> response{-1};
  std::unique_ptr<report::Report> report_;
  std::vector<std::string> pages_;
  std::unique_ptr<l2stest::BackendSession> session_;
};

TEST_P(PreviewTest, OnePageDisablesTheSpinsAndTheViewMenu) {
  open(1);
  ASSERT_TRUE(robot().window(kTitle));
  for (const char* eq : {"?CURRENTPAGE", "?PAGESACROSS", "?PAGESDOWN", "?VIEWMENU"})
    EXPECT_FALSE(control(eq).enabled) << eq;
  EXPECT_EQ(cells(), (std::vector<int>{1}));
  EXPECT_EQ(status(2), "Page 1 of 1");
  EXPECT_EQ(status(3), "No Zoom");
  EXPECT_TRUE(control("?ZOOMNOZOOM").checked);
}

TEST_P(PreviewTest, TenPagesTwoByTwoFromPageNine) {
  open(10);
  ASSERT_TRUE(robot().window(kTitle));
  twoByTwoAt(9);
  EXPECT_EQ(cells(), (std::vector<int>{9, 10, 0, 0}));
  EXPECT_EQ(status(2), "Pages 9-10 of 10");
  EXPECT_FALSE(control("?NEXT").enabled);
  ASSERT_TRUE(robot().key("", "PgDn"));  // Next does nothing
  EXPECT_EQ(cells(), (std::vector<int>{9, 10, 0, 0}));
  // Its tip once repeated Next's.
  EXPECT_EQ(control("?PREVIOUS").status, "View the previous page or pages of the report");
  ASSERT_TRUE(robot().press("?PREVIOUS"));
  EXPECT_EQ(cells(), (std::vector<int>{5, 6, 7, 8}));
  EXPECT_EQ(status(2), "Pages 5-8 of 10");
  EXPECT_TRUE(control("?NEXT").enabled);
  ASSERT_TRUE(robot().key("", "PgUp"));
  EXPECT_EQ(cells(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_FALSE(control("?PREVIOUS").enabled);
}

TEST_P(PreviewTest, TheLastPageAloneInASetView) {
  open(10);
  ASSERT_TRUE(robot().window(kTitle));
  twoByTwoAt(10);
  EXPECT_EQ(cells(), (std::vector<int>{10, 0, 0, 0}));
  EXPECT_EQ(status(2), "Page 10 of 10");
}

TEST_P(PreviewTest, ClickOnTheThirdCellMagnifiesItAndAClickOnItReturns) {
  open(10);
  ASSERT_TRUE(robot().window(kTitle));
  twoByTwoAt(5);
  ASSERT_TRUE(robot().press("?PAGE3"));
  EXPECT_FALSE(has("?PAGE1"));  // the cells go in the single-page view
  EXPECT_EQ(pageIn("?MAGNIFIED"), 7);
  EXPECT_EQ(control("?MAGNIFIED").zoom, -1);  // page width
  EXPECT_FALSE(control("?MAGNIFIED").hscroll);
  EXPECT_EQ(status(2), "Page 7 of 10");
  EXPECT_EQ(status(3), "Zoom (Page Width)");
  EXPECT_TRUE(control("?ZOOMPAGEWIDTH").checked);
  EXPECT_FALSE(control("?ZOOMNOZOOM").checked);
  ASSERT_TRUE(robot().press("?NEXT"));  // one page on in the single-page view
  EXPECT_EQ(pageIn("?MAGNIFIED"), 8);
  ASSERT_TRUE(robot().press("?MAGNIFIED"));
  EXPECT_FALSE(has("?MAGNIFIED"));
  EXPECT_EQ(cells(), (std::vector<int>{8, 9, 10, 0}));
  EXPECT_EQ(status(3), "No Zoom");
}

struct SpinCase {
  const char* spin;
  const char* typed;
  const char* shown;
};

TEST_P(PreviewTest, ASpinValueOutsideItsRangeTakesTheLimit) {
  const SpinCase cases[] = {
      {"?CURRENTPAGE", "99", "12"}, {"?CURRENTPAGE", "0", "1"}, {"?PAGESACROSS", "15", "10"}, {"?PAGESDOWN", "0", "1"}};
  for (const SpinCase& c : cases) {
    open(12);
    ASSERT_TRUE(robot().window(kTitle));
    ASSERT_TRUE(robot().type(c.spin, c.typed)) << c.spin << " " << c.typed;
    EXPECT_EQ(control(c.spin).value, c.shown) << c.spin << " " << c.typed;
    if (std::string(c.typed) == "99") {
      EXPECT_EQ(cells(), (std::vector<int>{12}));
      EXPECT_EQ(status(2), "Page 12 of 12");
    }
    if (std::string(c.spin) == "?PAGESACROSS") {
      EXPECT_TRUE(has("?PAGE10") && !has("?PAGE11"));
    }
    session_->finish();
    session_ = nullptr;
  }
}

TEST_P(PreviewTest, TheResponseIsOneOnlyForPrint) {
  const std::pair<const char*, int> ways[] = {
      {"?PRINTBUTTON", 1}, {"?PRINT", 1}, {"?EXITBUTTON", 2}, {"?EXIT", 2}, {"close", 2}};
  for (auto [way, expected] : ways) {
    open(3);
    ASSERT_TRUE(robot().window(kTitle));
    ASSERT_TRUE(std::string(way) == "close" ? robot().close() : robot().press(way));
    ASSERT_TRUE(robot().waitEnd());
    EXPECT_EQ(response, expected) << way;
    session_->finish();
    session_ = nullptr;
  }
}

// Nothing to measure used to divide by a zero page width; now the user is told.
TEST_P(PreviewTest, NoPageOrAnUnreadableFirstPageIsSaidAndAnswersTwo) {
  const std::pair<std::vector<std::string>, const char*> lists[] = {
      {{}, "The report has no pages to show."},
      {{"/nonexistent/page1.png", "/nonexistent/page2.png"}, "The first page of the report cannot be read:"}};
  for (const auto& [list, text] : lists) {
    openList(list);
    ASSERT_TRUE(robot().answer(kTitle, "Ok"));
    ASSERT_TRUE(robot().waitEnd());
    EXPECT_EQ(response, 2);
    EXPECT_NE(session_->transcript().text().find(text), std::string::npos) << session_->transcript().text();
    session_->finish();
    session_ = nullptr;
  }
}

TEST_P(PreviewTest, CellsAreRebuiltOnlyWhenTheirNumberChanges) {
  open(20);
  ASSERT_TRUE(robot().window(kTitle));
  twoByTwoAt(1);
  const int first = control("?PAGE1").def.id;
  ASSERT_TRUE(robot().press("?NEXT"));
  ASSERT_TRUE(robot().press("?NEXT"));
  EXPECT_EQ(cells(), (std::vector<int>{9, 10, 11, 12}));
  EXPECT_EQ(control("?PAGE1").def.id, first);
  ASSERT_TRUE(robot().press("?CHANGEDISPLAY"));
  ASSERT_TRUE(robot().window("Change the Report Display"));
  ASSERT_TRUE(robot().type("?INPUT:PAGESACROSS", "3"));
  ASSERT_TRUE(robot().press("?OK"));
  ASSERT_TRUE(robot().window(kTitle));
  EXPECT_EQ(cells(), (std::vector<int>{9, 10, 11, 12, 13, 14}));
  EXPECT_NE(control("?PAGE1").def.id, first);
  EXPECT_EQ(control("?PAGESACROSS").value, "3");
}

TEST_P(PreviewTest, JumpWindowAndZoomMenu) {
  open(12);
  ASSERT_TRUE(robot().window(kTitle));
  ASSERT_TRUE(robot().press("?JUMP"));
  ASSERT_TRUE(robot().window("Jump to a Report Page"));
  ASSERT_TRUE(robot().type("?JUMPPAGE", "6"));
  ASSERT_TRUE(robot().press("?CANCELBUTTON"));
  ASSERT_TRUE(robot().window(kTitle));
  EXPECT_EQ(status(2), "Page 1 of 12");
  ASSERT_TRUE(robot().press("?JUMP"));
  ASSERT_TRUE(robot().window("Jump to a Report Page"));
  ASSERT_TRUE(robot().type("?JUMPPAGE", "6"));
  ASSERT_TRUE(robot().press("?OKBUTTON"));
  ASSERT_TRUE(robot().window(kTitle));
  EXPECT_EQ(status(2), "Page 6 of 12");

  ASSERT_TRUE(robot().press("?ZOOMBUTTON"));
  ASSERT_TRUE(robot().popup("200%"));
  EXPECT_EQ(pageIn("?MAGNIFIED"), 6);
  EXPECT_EQ(control("?MAGNIFIED").zoom, 200);
  EXPECT_TRUE(control("?MAGNIFIED").hscroll);
  EXPECT_EQ(status(3), "Zoom (200%)");
  ASSERT_TRUE(robot().press("?ZOOMBUTTON"));
  ASSERT_TRUE(robot().popup(0));  // no choice changes nothing
  EXPECT_NE(session_->transcript().text().find("popup \"No Zoom|-|Page Width|50%|75%|100%|+200%|300%\" answer 0"),
            std::string::npos)
      << session_->transcript().text();
  EXPECT_EQ(status(3), "Zoom (200%)");
  ASSERT_TRUE(robot().press("?ZOOM50"));
  EXPECT_EQ(control("?MAGNIFIED").zoom, 50);
  EXPECT_TRUE(control("?ZOOM50").checked);
  EXPECT_FALSE(control("?ZOOM200").checked);
  ASSERT_TRUE(robot().press("?ZOOMNOZOOM"));
  EXPECT_EQ(cells(), (std::vector<int>{6}));
}

TEST(PreviewLayout, CellsKeepThePageShapeInDialogUnits) {
  struct Case {
    int width, height, across, down;
    double shape;
    std::vector<shell::PreviewCell> cells;
  };
  const Case cases[] = {
      // Tall pages in a wide window: the height decides.
      {440, 300, 2, 2, 1.5, {{1, 1, 92, 138}, {96, 1, 92, 138}, {1, 142, 92, 138}, {96, 142, 92, 138}}},
      // Wide pages in a tall cell: the width decides.
      {100, 300, 1, 1, 0.5, {{1, 1, 98, 49}}},
      // A window narrower than the gaps still gives cells of one unit.
      {4, 10, 3, 1, 1.4, {{1, 1, 1, 1}, {5, 1, 1, 1}, {9, 1, 1, 1}}},
  };
  for (const Case& c : cases) {
    const auto got = shell::previewCells(c.width, c.height, c.across, c.down, c.shape);
    ASSERT_EQ(got.size(), c.cells.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].x, c.cells[i].x) << c.width << "x" << c.height << " cell " << i;
      EXPECT_EQ(got[i].y, c.cells[i].y);
      EXPECT_EQ(got[i].width, c.cells[i].width);
      EXPECT_EQ(got[i].height, c.cells[i].height);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, PreviewTest, ::testing::ValuesIn(l2stest::windowBackends()), l2stest::backendName);

}  // namespace
