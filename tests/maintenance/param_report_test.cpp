// The parameter-mapping report of one laboratory: the progress window, the preview, and the
// printed PDF with its group headers and page breaks.
#include "maintenance/report/param_report.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>

#include "../platform/report/pdf_text.h"
#include "platform/store/transaction.h"
#include "window_harness.h"

namespace {

using l2stest::WindowHarness;
namespace fs = std::filesystem;

struct Mapping {
  std::string lab, type, code, target;
  double factor = 1;
};

class ParamReportTest : public WindowHarness {
 protected:
  void SetUp() override {
    WindowHarness::SetUp();
    ::setenv("LAB2SIV_NO_PRINTER", "1", 1);
    addLabs({{"KL01", "Kjemisk lab"}, {"KL02", "Annen lab"}});
  }
  void addMappings(const std::vector<Mapping>& rows) {
    data::MapParam f;
    f.setName(data::fileName(data::FileId::MapParam));
    fill(f, [&] {
      store::Transaction tx;  // one commit for the lot
      ASSERT_EQ(tx.begin({&f}, 2), 0);
      for (const Mapping& m : rows) {
        f.clear();
        f.rec.LAB = m.lab;
        f.rec.PRTYPE = m.type;
        f.rec.PARAMLAB = m.code;
        f.rec.PARAMSIV = m.target;
        f.rec.FAKTOR = m.factor;
        ASSERT_EQ(f.add(), 0) << m.code;
      }
      ASSERT_EQ(tx.commit(), 0);
    });
  }
  // The report as the laboratory settings window calls it: the laboratory in MAP:LAB.
  void start(const std::string& lab) {
    ASSERT_TRUE(ui::startProcedure([this, lab] {
      data::thr().MapLab.rec.LAB = lab;
      data::thr().ThreadResponse = 7;
      maintenance::ParamReport();
      response = data::thr().ThreadResponse;
    }));
  }
  std::string pdf() const { return (fs::current_path() / "mapping.pdf").string(); }

  std::atomic<int> response{-1};
};

// `n` mappings of one type, codes P001.. with targets T001..
std::vector<Mapping> many(const std::string& lab, const std::string& type, int n, const std::string& prefix) {
  std::vector<Mapping> out;
  for (int i = 1; i <= n; ++i) {
    char code[32];
    std::snprintf(code, sizeof code, "%s%03d", prefix.c_str(), i);
    out.push_back({lab, type, code, "T" + std::string(code), 1.5});
  }
  return out;
}

TEST_F(ParamReportTest, ALaboratoryWithoutMappingsShowsNoPreviewAndAnswersTwo) {
  addMappings({{"KL02", "U", "BOF", "BOF5"}});
  start("KL01");
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 2);
  EXPECT_TRUE(transcriptHas("close \"Generating Report\"")) << transcript.text();
  EXPECT_FALSE(transcriptHas("Report Preview")) << transcript.text();
}

TEST_F(ParamReportTest, BothSampleTypesPrintGroupedWithPageBreaksAndEveryMapping) {
  std::vector<Mapping> rows = many("KL01", "U", 40, "U");
  for (const Mapping& m : many("KL01", "S", 30, "S")) rows.push_back(m);
  rows.push_back({"kl01", "U", "LOW", "Lower case lab", 2.25});  // letter case ignored
  rows.push_back({"KL01", "S", "ZERO", "Factor zero", 0});
  rows.push_back({"KL02", "U", "OTHER", "Not this lab"});
  addMappings(rows);
  start("KL01");
  ASSERT_TRUE(robot.window("Report Preview"));
  const auto pages = control("Report Preview", "?CURRENTPAGE").rangeHigh;
  EXPECT_GE(pages, 2);
  ASSERT_TRUE(robot.press("?PRINTBUTTON"));
  ASSERT_TRUE(robot.file(pdf()));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 1);

  ASSERT_EQ(l2stest::pdfPages(pdf()), pages);
  const std::string text = l2stest::pdfText(pdf());
  for (const Mapping& m : rows) {
    if (m.code == "OTHER") continue;
    EXPECT_NE(text.find("Parameter lab: " + m.code), std::string::npos) << m.code;
    EXPECT_NE(text.find(m.target), std::string::npos) << m.target;
  }
  EXPECT_EQ(text.find("OTHER"), std::string::npos);
  EXPECT_EQ(l2stest::countOf(text, "Mapping av paremetre"), static_cast<std::size_t>(pages));
  EXPECT_EQ(l2stest::countOf(text, "Laboratorium: KL01"), static_cast<std::size_t>(pages)) << text;
  EXPECT_NE(text.find("Kjemisk lab"), std::string::npos);
  // Sludge ("S") sorts before discharge ("U"), each type under one header.
  EXPECT_EQ(l2stest::countOf(text, "Prøvetype:"), 2u);
  const auto slam = text.find("Slamkontroll");
  const auto utsl = text.find("Utslipskontroll");
  ASSERT_NE(slam, std::string::npos) << text;
  ASSERT_NE(utsl, std::string::npos);
  EXPECT_LT(text.find("Prøvetype:"), slam);
  EXPECT_LT(slam, text.find("S030"));
  EXPECT_LT(text.find("S030"), utsl);
  EXPECT_LT(utsl, text.find("U001"));
  EXPECT_NE(text.find("1,500"), std::string::npos);
  EXPECT_NE(text.find("2,250"), std::string::npos);
  const auto zero = text.find("ZERO");
  const std::string zeroLine = text.substr(zero, text.find('\n', zero) - zero);
  EXPECT_EQ(zeroLine.find("0,000"), std::string::npos) << zeroLine;  // a factor of 0 prints blank
}

// The widest values each field holds, in wide letters: each is cut at its column, so no word
// of the printed page runs into the next on its line.
TEST_F(ParamReportTest, TheWidestFieldsAreCutAtTheirColumnsAndNothingOverprints) {
  addLabs({{"WWWW", std::string(30, 'W')}});
  addMappings({{"WWWW", "U", "WWWWWW", std::string(20, 'W'), 999.999},
               {"WWWW", "U", "MMMMMM", std::string(20, 'M'), -99.999},
               {"WWWW", "U", "TP", "TOT-P", 123456789},  // from before the form refused it
               {"WWWW", "S", "ÆØÅ", "Tot-N", 1}});
  start("WWWW");
  ASSERT_TRUE(robot.window("Report Preview"));
  ASSERT_TRUE(robot.press("?PRINTBUTTON"));
  ASSERT_TRUE(robot.file(pdf()));
  ASSERT_TRUE(robot.waitEnd());

  const std::vector<l2stest::PdfWord> words = l2stest::pdfWords(pdf());
  ASSERT_FALSE(words.empty());
  for (std::size_t i = 0; i < words.size(); ++i)
    for (std::size_t j = i + 1; j < words.size(); ++j) {
      const auto& a = words[i];
      const auto& b = words[j];
      const bool sameLine = a.page == b.page && a.yMin < b.yMax && b.yMin < a.yMax;
      EXPECT_FALSE(sameLine && a.xMin < b.xMax && b.xMin < a.xMax) << a.text << " over " << b.text;
    }
  const auto count = [&](const std::string& w) {
    return std::count_if(words.begin(), words.end(), [&](const l2stest::PdfWord& x) { return x.text == w; });
  };
  EXPECT_EQ(count("sivra:"), 4);
  EXPECT_EQ(count("Faktor:"), 4);
  // Cut, not dropped; what fits is printed whole.
  const std::string text = l2stest::pdfText(pdf());
  EXPECT_NE(text.find("Laboratorium: WWW"), std::string::npos) << text;
  EXPECT_NE(text.find("Parameter lab: WWW"), std::string::npos) << text;
  EXPECT_EQ(text.find("sivra: " + std::string(20, 'W')), std::string::npos) << text;
  EXPECT_NE(text.find("999,999"), std::string::npos);
  EXPECT_NE(text.find("-99,999"), std::string::npos);
  EXPECT_NE(text.find("#######"), std::string::npos) << "a factor the picture cannot show";
  EXPECT_EQ(text.find("123456789"), std::string::npos);
  EXPECT_NE(text.find("Parameter lab: ÆØÅ"), std::string::npos);
  EXPECT_NE(text.find("Parameter lab: TP"), std::string::npos);
  EXPECT_NE(text.find("TOT-P"), std::string::npos);
}

TEST_F(ParamReportTest, LeavingThePreviewWithoutPrintingPrintsNothingAndAnswersOne) {
  addMappings(many("KL01", "U", 3, "U"));
  start("KL01");
  ASSERT_TRUE(robot.window("Report Preview"));
  ASSERT_TRUE(robot.close());
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 1);
  EXPECT_FALSE(transcriptHas("file \"")) << transcript.text();
  EXPECT_FALSE(fs::exists(pdf()));
}

// A read that fails part-way used to name the wrong file and hand the pages read so far to
// the preview as if the report were whole.
TEST_F(ParamReportTest, AReadFailurePartWayNamesMapParamAndShowsNoPreview) {
  addMappings(many("KL01", "U", 2000, "U"));
  // Damage the file's last pages, which hold the last mappings in key order.
  std::string file = data::fileName(data::FileId::MapParam);
  std::replace(file.begin(), file.end(), '\\', '/');
  const auto size = fs::file_size(file);
  {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(static_cast<std::streamoff>(size - 3 * 4096));
    const std::string junk(3 * 4096, '\x5a');
    f.write(junk.data(), static_cast<std::streamsize>(junk.size()));
  }
  start("KL01");
  ASSERT_TRUE(robot.answer("Record Retrieval Error", "Ok"));
  ASSERT_TRUE(robot.waitEnd());
  EXPECT_EQ(response, 2);
  EXPECT_TRUE(transcriptHas("record from the MapParam file")) << transcript.text();
  EXPECT_FALSE(transcriptHas("Report Preview")) << transcript.text();
}

}  // namespace
