#include "maintenance/lists/browse_list.h"

#include <gtest/gtest.h>

#include <memory>

#include "fake_list.h"
#include "platform/ui/api/event.h"

namespace maintenance {
namespace {

using testing::FakeHost;
using testing::FakeSource;
using Strings = std::vector<std::string>;

class BrowseListTest : public ::testing::Test {
 protected:
  void open(Strings codes, int request = 0, std::string typed = {}) {
    src.records.clear();
    src.records.insert(codes.begin(), codes.end());
    src.buffer = typed;
    list = std::make_unique<BrowseList>(src, host, request);
    list->onOpen();
    host.pump(*list);
  }
  std::string currentCode() const { return host.sel ? host.page.at(host.sel - 1) : std::string(); }
  void scroll(Scroll s) {
    list->onScroll(s);
    host.pump(*list);
  }
  void key(int code, char ch = 0) {
    host.key = code;
    list->onAlertKey(code, ch);
    host.pump(*list);
  }
  void press(ListButton b) {
    list->onButton(b);
    host.pump(*list);
  }

  FakeSource src;
  FakeHost host;
  std::unique_ptr<BrowseList> list;
};

Strings codes(int n) {
  Strings out;
  for (int i = 1; i <= n; ++i) out.push_back("C" + std::string(i < 10 ? "0" : "") + std::to_string(i));
  return out;
}

TEST_F(BrowseListTest, EmptyFileShowsNoRowsAndGreysTheMenu) {
  src.buffer = "stale";
  open({});
  EXPECT_TRUE(host.page.empty());
  EXPECT_EQ(list->current(), 0);
  EXPECT_FALSE(host.recordButtons);
  EXPECT_EQ(src.buffer, "");

  key(ui::Key::MouseRight);
  ASSERT_EQ(host.menus.size(), 1u);
  EXPECT_EQ(host.menus[0], "&Ny|~&Endre|~&Slette|-|~&Velg");

  int formRequest = 0;
  src.form = [&](int r, FakeSource&) {
    formRequest = r;
    return 2;
  };
  key(ui::Key::MouseLeft2);
  EXPECT_EQ(formRequest, 0) << "double click on an empty list opens nothing";
  key(ui::Key::Insert);
  EXPECT_EQ(formRequest, 1);
}

TEST_F(BrowseListTest, SelectModeOpensAtTheTypedValue) {
  struct Case {
    std::string typed;
    Strings page;
    std::string current;
  } cases[] = {
      {"", {"C01", "C02", "C03", "C04", "C05"}, "C01"},      // before the records
      {"C04", {"C04", "C05", "C06", "C07", "C08"}, "C04"},   // at a record: it starts the page
      {"c04", {"C04", "C05", "C06", "C07", "C08"}, "C04"},   // keys ignore case
      {"C045", {"C05", "C06", "C07", "C08", "C09"}, "C05"},  // between: the next one
      {"C09", {"C06", "C07", "C08", "C09", "C10"}, "C09"},   // few follow: earlier ones above
      {"ZZZ", {"C06", "C07", "C08", "C09", "C10"}, "C10"},   // after the records: last page
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    host = FakeHost();
    open(codes(10), 4, c.typed);
    EXPECT_EQ(host.page, c.page);
    EXPECT_EQ(currentCode(), c.current);
    EXPECT_TRUE(list->selectMode());
  }
}

TEST_F(BrowseListTest, SelectChoosesTheHighlightedRecordAndCloseCancels) {
  open(codes(10), 4, "C03");
  host.sel = 2;
  list->onNewSelection();
  press(ListButton::Select);
  EXPECT_TRUE(host.closed);
  EXPECT_EQ(list->response(), 1);
  EXPECT_EQ(src.buffer, "C04");
  EXPECT_EQ(src.rereads.back(), "C04") << "the chosen record is re-read from the file";

  host = FakeHost();
  open(codes(10), 4, "C03");
  press(ListButton::Close);
  EXPECT_EQ(list->response(), 2);

  host = FakeHost();
  open(codes(10), 0);
  press(ListButton::Close);
  EXPECT_EQ(list->response(), 1) << "a maintenance list closes as completed";
}

TEST_F(BrowseListTest, SelectOnAnEmptyFileHandsBackAClearedBuffer) {
  open({}, 4, "X");
  press(ListButton::Select);
  EXPECT_EQ(list->response(), 1);
  EXPECT_EQ(src.buffer, "");
}

TEST_F(BrowseListTest, ScrollingReadsOnlyAtTheEdgesOfThePage) {
  open(codes(12));
  scroll(Scroll::Down);
  EXPECT_EQ(currentCode(), "C02");
  for (int i = 0; i < 4; ++i) scroll(Scroll::Down);
  EXPECT_EQ(host.page, (Strings{"C02", "C03", "C04", "C05", "C06"})) << "slides by one row";
  EXPECT_EQ(currentCode(), "C06");
  EXPECT_EQ(list->scrollIndicator(), 50);

  scroll(Scroll::PageDown);
  EXPECT_EQ(host.page, (Strings{"C07", "C08", "C09", "C10", "C11"}));
  EXPECT_EQ(currentCode(), "C11");
  scroll(Scroll::PageDown);
  EXPECT_EQ(host.page, (Strings{"C08", "C09", "C10", "C11", "C12"}));
  EXPECT_EQ(currentCode(), "C12") << "the view ended: the highlight goes to the last record";
  EXPECT_EQ(list->scrollIndicator(), 100);

  scroll(Scroll::Top);
  EXPECT_EQ(host.page, (Strings{"C01", "C02", "C03", "C04", "C05"}));
  EXPECT_EQ(currentCode(), "C01");
  scroll(Scroll::Up);
  EXPECT_EQ(currentCode(), "C01");
  EXPECT_EQ(list->scrollIndicator(), 0);

  scroll(Scroll::Bottom);
  EXPECT_EQ(host.page, (Strings{"C08", "C09", "C10", "C11", "C12"}));
  EXPECT_EQ(currentCode(), "C12");
  scroll(Scroll::PageUp);
  EXPECT_EQ(host.page, (Strings{"C03", "C04", "C05", "C06", "C07"}));
  EXPECT_EQ(currentCode(), "C07");
}

TEST_F(BrowseListTest, FewerRecordsThanFitMoveTheHighlightWithinThePage) {
  open(codes(3));
  EXPECT_FALSE(host.scrollBar);
  scroll(Scroll::PageDown);
  EXPECT_EQ(currentCode(), "C03");
  scroll(Scroll::Down);
  EXPECT_EQ(currentCode(), "C03");
  scroll(Scroll::PageUp);
  EXPECT_EQ(currentCode(), "C01");
  EXPECT_EQ(list->scrollIndicator(), 0);
  EXPECT_EQ(host.page, (Strings{"C01", "C02", "C03"}));
}

TEST_F(BrowseListTest, ThumbDragOnlyActsAtTheEnds) {
  open(codes(12));
  list->onDrag(50);
  host.pump(*list);
  EXPECT_EQ(currentCode(), "C01");
  list->onDrag(100);
  host.pump(*list);
  EXPECT_EQ(currentCode(), "C12");
  list->onDrag(0);
  host.pump(*list);
  EXPECT_EQ(currentCode(), "C01");
}

TEST_F(BrowseListTest, LocatorWalksTheCodesOfOneLetter) {
  open({"ALFA", "BETA", "BRAVO", "CHARLIE", "DELTA", "ECHO"});
  key('B', 'b');
  EXPECT_EQ(currentCode(), "BETA");
  key('B', 'b');
  EXPECT_EQ(currentCode(), "BRAVO");
  key('B', 'b');
  EXPECT_EQ(currentCode(), "BETA") << "no further code with the letter: back to the first";
  key('C', 'c');
  EXPECT_EQ(currentCode(), "CHARLIE");
  key('X', 'x');
  EXPECT_EQ(currentCode(), "ECHO") << "no code at or after the letter: the last record";
  key('E', 'e');
  EXPECT_EQ(currentCode(), "ECHO") << "the last record begins with the letter: it stays";
  key(' ', ' ');
  EXPECT_EQ(currentCode(), "ECHO");
}

TEST_F(BrowseListTest, PopupItemsFollowRowsAndMode) {
  struct Case {
    int request;
    int answer;
    std::string menu;
    int formRequest;
    bool closed;
  } cases[] = {
      {0, 2, "&Ny|&Endre|&Slette|-|~&Velg", 2, false},
      {4, 4, "&Ny|&Endre|&Slette|-|&Velg", 0, true},
      {0, 3, "&Ny|&Endre|&Slette|-|~&Velg", 3, false},
      {0, 0, "&Ny|&Endre|&Slette|-|~&Velg", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.menu + " " + std::to_string(c.answer));
    host = FakeHost();
    int formRequest = 0;
    src.form = [&](int r, FakeSource&) {
      formRequest = r;
      return 2;
    };
    open(codes(8), c.request, "C01");
    host.menuAnswer = c.answer;
    host.mouse = 3;
    key(ui::Key::MouseRight);
    ASSERT_FALSE(host.menus.empty());
    EXPECT_EQ(host.menus.back(), c.menu);
    EXPECT_EQ(formRequest, c.formRequest);
    EXPECT_EQ(host.closed, c.closed);
    if (c.closed) {
      EXPECT_EQ(src.buffer, "C03") << "the row under the mouse was chosen";
    }
  }
}

TEST_F(BrowseListTest, FormResultsReloadAroundTheRecord) {
  // Insert: the page starts at the new record.
  open(codes(10));
  src.form = [](int r, FakeSource& s) {
    EXPECT_EQ(r, 1);
    EXPECT_EQ(s.buffer, "") << "insert starts from a cleared buffer";
    s.buffer = "C075";
    s.records.insert("C075");
    return 1;
  };
  press(ListButton::Insert);
  EXPECT_EQ(host.page, (Strings{"C07", "C075", "C08", "C09", "C10"}));
  EXPECT_EQ(currentCode(), "C075");

  // Cancelled change: same page, same highlight.
  open(codes(10));
  scroll(Scroll::Down);
  scroll(Scroll::Down);
  const Strings before = host.page;
  src.form = [](int, FakeSource& s) {
    s.buffer = "garbage";
    return 2;
  };
  press(ListButton::Change);
  EXPECT_EQ(host.page, before);
  EXPECT_EQ(currentCode(), "C03");
  EXPECT_EQ(src.buffer, "C03");
}

TEST_F(BrowseListTest, DeletingARowHighlightsTheOneThatTookItsPlace) {
  const auto deleteForm = [](int r, FakeSource& s) {
    EXPECT_EQ(r, 3);
    s.records.erase(s.buffer);
    return 1;
  };
  open(codes(10));
  scroll(Scroll::Down);
  src.form = deleteForm;
  press(ListButton::Delete);
  EXPECT_EQ(host.page, (Strings{"C01", "C03", "C04", "C05", "C06"}));
  EXPECT_EQ(currentCode(), "C03");

  scroll(Scroll::Bottom);
  press(ListButton::Delete);
  EXPECT_EQ(host.page, (Strings{"C05", "C06", "C07", "C08", "C09"}));
  EXPECT_EQ(currentCode(), "C09") << "deleting the last row highlights the row above it";

  open({"ONLY"});
  src.form = deleteForm;
  press(ListButton::Delete);
  EXPECT_TRUE(host.page.empty());
  EXPECT_FALSE(host.recordButtons);
}

TEST_F(BrowseListTest, ARecordDeletedElsewhereIsSkippedWhenThePageSlides) {
  open(codes(10));
  for (int i = 0; i < 4; ++i) scroll(Scroll::Down);
  src.records.erase("C05");  // another station deletes the bottom row
  scroll(Scroll::Down);
  EXPECT_EQ(host.page, (Strings{"C02", "C03", "C04", "C05", "C06"}));
  EXPECT_EQ(currentCode(), "C06");
}

TEST_F(BrowseListTest, AReadErrorWarnsAndClosesTheList) {
  open(codes(10));
  src.failOnRead = 1;
  scroll(Scroll::PageDown);
  EXPECT_EQ(host.warnings, (std::vector<int>{35}));
  EXPECT_TRUE(host.closed);
}

TEST_F(BrowseListTest, GainingFocusShowsChangesOfOthers) {
  open(codes(10));
  scroll(Scroll::Down);
  src.records.insert("C025");
  list->onGainFocus();
  host.pump(*list);
  EXPECT_EQ(host.page, (Strings{"C01", "C02", "C025", "C03", "C04"})) << "the page stays where it was";
  EXPECT_EQ(currentCode(), "C02");

  src.records.erase("C02");
  list->onGainFocus();
  host.pump(*list);
  EXPECT_EQ(host.page, (Strings{"C01", "C025", "C03", "C04", "C05"}));
  EXPECT_EQ(currentCode(), "C05") << "a highlighted record that has gone: the last row";
}

}  // namespace
}  // namespace maintenance
