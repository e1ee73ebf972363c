// The report engine: bands laid out into pages, page images, PDF output and the printed lines.
#include "platform/report/report.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "pdf_text.h"
#include "platform/ui/api/dialogs.h"
#include "platform/ui/headless/session.h"
#include "test_session.h"

namespace fs = std::filesystem;

namespace {

using report::Band;
using report::Bands;
using report::Item;

Band band(double height, std::string text) { return Band{height, {Item{.text = std::move(text)}}}; }

std::string firstText(const report::PlacedBand& b) { return b.band.items.empty() ? "" : b.band.items[0].text; }

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("l2s-report-test-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  // 30 details of group A, then 20 of group B, on A4 with 15 mm margins (267 mm inside).
  static void printGroups(report::Report& r) {
    for (int i = 1; i <= 50; ++i) {
      Bands b;
      b.pageHeader = band(20, "Header");
      b.group = i <= 30 ? "A" : "B";
      b.groupHeader = band(10, "Group " + b.group);
      b.detail = band(10, "Detail " + std::to_string(i));
      b.pageFooter = band(10, "Footer");
      ASSERT_TRUE(r.print(b));
    }
    ASSERT_TRUE(r.finish());
  }

  fs::path dir_;
};

TEST_F(ReportTest, PagesHoldHeaderGroupsDetailsAndFooterWithoutOverflow) {
  report::Report r({}, report::Target::Print);
  printGroups(r);
  std::vector<std::string> order;
  for (const report::Page& p : r.pages()) {
    ASSERT_GE(p.bands.size(), 3u);
    EXPECT_EQ(firstText(p.bands.front()), "Header");
    EXPECT_EQ(p.bands.front().y, 0);
    EXPECT_EQ(firstText(p.bands.back()), "Footer");
    EXPECT_DOUBLE_EQ(p.bands.back().y, 257);
    for (std::size_t i = 1; i + 1 < p.bands.size(); ++i) {
      EXPECT_LE(p.bands[i].y + p.bands[i].band.height, 257) << firstText(p.bands[i]);
      order.push_back(firstText(p.bands[i]));
    }
    // A group header never ends a page: it goes over with its first detail.
    EXPECT_NE(firstText(p.bands[p.bands.size() - 2]).rfind("Group", 0), 0u);
  }
  ASSERT_EQ(order.size(), 52u);
  EXPECT_EQ(order.front(), "Group A");
  EXPECT_EQ(order[31], "Group B");
  EXPECT_EQ(order[32], "Detail 31");
  EXPECT_EQ(order.back(), "Detail 50");
  EXPECT_EQ(r.pageCount(), 3);
  EXPECT_TRUE(r.pageFiles().empty());  // printing keeps no page images
}

TEST_F(ReportTest, APreviewWritesOnePngPerPageAndRemovesThemAtTheEnd) {
  std::vector<std::string> files;
  {
    report::Report r({}, report::Target::Preview);
    printGroups(r);
    files = r.pageFiles();
    ASSERT_EQ(files.size(), 3u);
    for (const std::string& f : files) {
      std::ifstream in(f, std::ios::binary);
      unsigned char h[24] = {};
      ASSERT_TRUE(in.read(reinterpret_cast<char*>(h), sizeof h)) << f;
      EXPECT_EQ(h[1], 'P');
      const int width = (h[16] << 24) | (h[17] << 16) | (h[18] << 8) | h[19];
      const int height = (h[20] << 24) | (h[21] << 16) | (h[22] << 8) | h[23];
      EXPECT_EQ(width, 794);  // A4 at 96 dpi
      EXPECT_EQ(height, 1123);
    }
  }
  for (const std::string& f : files) EXPECT_FALSE(fs::exists(f)) << f;
}

TEST_F(ReportTest, AReportThatPrintedNothingHasNoPage) {
  report::Report r({}, report::Target::Preview);
  EXPECT_TRUE(r.finish());
  EXPECT_EQ(r.pageCount(), 0);
  EXPECT_TRUE(r.pageFiles().empty());
}

TEST_F(ReportTest, PrintedPdfHoldsEveryPageAndText) {
  report::Report r({}, report::Target::Preview);
  printGroups(r);
  const std::string pdf = path("out.pdf");
  const report::Result res = report::printPages(r.pages(), r.setup(), {.pdfPath = pdf});
  ASSERT_TRUE(res.ok) << res.error;
  EXPECT_EQ(l2stest::pdfPages(pdf), 3);
  const std::string text = l2stest::pdfText(pdf);
  for (int i = 1; i <= 50; ++i) EXPECT_NE(text.find("Detail " + std::to_string(i) + "\n"), std::string::npos) << i;
  EXPECT_EQ(l2stest::countOf(text, "Header"), 3u);
  EXPECT_FALSE(fs::exists(pdf + ".part"));
}

TEST_F(ReportTest, APdfThatCannotBeWrittenFailsAndLeavesNothing) {
  report::Report r({}, report::Target::Print);
  printGroups(r);
  const std::string pdf = path("missing-folder/out.pdf");
  const report::Result res = report::printPages(r.pages(), r.setup(), {.pdfPath = pdf});
  EXPECT_FALSE(res.ok);
  EXPECT_NE(res.error.find(pdf), std::string::npos) << res.error;
  EXPECT_FALSE(fs::exists(pdf));
  EXPECT_FALSE(fs::exists(pdf + ".part"));
}

// The log viewer's entry: every line in a fixed-pitch font, one band per line, to a PDF the
// user names when no printer is set up.
class PrintLinesTest : public ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    ::setenv("LAB2SIV_NO_PRINTER", "1", 1);
  }
};

TEST_F(PrintLinesTest, EveryLineReachesThePdfAndALongLineWraps) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 120; ++i) lines.push_back("Linje " + std::to_string(i) + " ÆØÅ æøå");
  const std::string longLine = std::string(150, 'x') + "SLUTT";
  lines.push_back(longLine);
  report::Result res;
  {
    l2stest::Session s;
    s.start([&] { res = report::printLines(lines, "Import.pdf"); });
    ASSERT_TRUE(s.robot().file(path("log")));  // the user gave no extension
    ASSERT_TRUE(s.robot().waitEnd());
    EXPECT_EQ(s.finish(), 0) << s.text();
  }
  ASSERT_TRUE(res.ok) << res.error;
  const std::string pdf = path("log.pdf");
  const std::string text = l2stest::pdfText(pdf);
  for (int i = 1; i <= 120; ++i)
    EXPECT_NE(text.find("Linje " + std::to_string(i) + " ÆØÅ æøå\n"), std::string::npos) << i;
  EXPECT_NE(text.find("SLUTT"), std::string::npos);
  EXPECT_GE(l2stest::pdfPages(pdf), 3);
}

// A file chosen in the printer setup takes the printing that follows, without asking again.
TEST_F(PrintLinesTest, ThePrinterSetupsFileIsPrintedIntoWithoutAsking) {
  ui::setPrinterChoice({.outputFile = path("oppsett")});
  report::Result res;
  {
    l2stest::Session s;
    s.start([&] { res = report::printLines({"Linje fra oppsettet"}, "Import.pdf"); });
    ASSERT_TRUE(s.robot().waitEnd());
    EXPECT_EQ(s.finish(), 0) << s.text();
    EXPECT_EQ(l2stest::countOf(s.text(), "file \""), 0u) << s.text();
  }
  ui::setPrinterChoice({});
  ASSERT_TRUE(res.ok) << res.error;
  EXPECT_NE(l2stest::pdfText(path("oppsett.pdf")).find("Linje fra oppsettet"), std::string::npos);
}

TEST_F(PrintLinesTest, NothingToPrintAsksNothingAndACancelledDialogWritesNothing) {
  report::Result empty, cancelled;
  {
    l2stest::Session s;
    s.start([&] {
      empty = report::printLines({}, "Import.pdf");
      cancelled = report::printLines({"one line"}, "Import.pdf");
    });
    ASSERT_TRUE(s.robot().cancelFile());
    ASSERT_TRUE(s.robot().waitEnd());
    EXPECT_EQ(s.finish(), 0) << s.text();
    EXPECT_EQ(l2stest::countOf(s.text(), "file \""), 1u) << s.text();
  }
  EXPECT_TRUE(empty.ok);
  EXPECT_FALSE(cancelled.ok);
  EXPECT_TRUE(cancelled.cancelled);
  EXPECT_TRUE(fs::is_empty(dir_));
}

}  // namespace
