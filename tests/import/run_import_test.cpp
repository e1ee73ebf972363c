#include "import/run_import.h"

#include <gtest/gtest.h>

#include <sstream>

#include "data/file_names.h"
#include "golden.h"
#include "scenario.h"
#include "ui_message_double.h"

namespace testing_import {
namespace {

using text::dateFromYmd;

std::vector<std::string> splitLines(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) out.push_back(l);
  return out;
}

std::string joined(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += l + "\n";
  return out;
}

// The dumped record of a journal ("" when none was stored).
std::string recordOf(const std::vector<std::string>& dump, const std::string& journal) {
  for (const auto& r : dump)
    if (r.find("LAB_JOURNALNR=" + journal + " ") != std::string::npos) return r;
  return "";
}

// One field's value in a dumped record ("" when blank or zero).
std::string field(const std::string& dumped, const std::string& name) {
  const std::string key = " " + name + "=";
  const std::string padded = " " + dumped;
  const auto at = padded.find(key);
  if (at == std::string::npos) return "";
  const auto from = at + key.size();
  // Values hold no "=", so the next field starts at the last blank before the next "=".
  const auto eq = padded.find('=', from);
  const auto end = eq == std::string::npos ? padded.size() : padded.rfind(' ', eq);
  return padded.substr(from, end - from);
}

// Plant numbers of the plant headers and the problem lines, in log order.
std::vector<std::string> suppliersInLog(const std::string& log) {
  std::vector<std::string> out;
  for (const auto& l : splitLines(log)) {
    if (l.rfind("Anlegg: ", 0) == 0) out.push_back(l.substr(8, 6));
    if (l.rfind("Data for Leverndør: ", 0) == 0 || l.rfind("Leverandør: ", 0) == 0) out.push_back(l);
  }
  return out;
}

using RunImportTest = ScenarioFixture;

TEST_F(RunImportTest, GoldenRunStoresTheRecordsAndLogOfTheScenario) {
  run(allOn());
  expectGolden("log.txt", logText());
  expectGolden("utslippskontroll.txt", joined(dumpUtslippskontroll()));
  expectGolden("slamkontroll.txt", joined(dumpSlamkontroll()));
  EXPECT_EQ(state.UtslippskontrollCount, 6);
  EXPECT_EQ(state.SlamkontrollCount, 1);
  EXPECT_EQ(state.ProblemLogged, 1);
  EXPECT_EQ(progress.logViews, 1);
  EXPECT_EQ(fake.opens, 1);
  EXPECT_EQ(fake.closes, 1);
  EXPECT_TRUE(testing_ui::boxes().empty());
}

TEST_F(RunImportTest, ProgressLinesAtStartAndEnd) {
  run(allOn());
  ASSERT_GE(progress.shown.size(), 5u);
  EXPECT_EQ(progress.shown[0], "1:Oppretter ny logg-file!");
  EXPECT_EQ(progress.shown[1], "2:");
  EXPECT_EQ(progress.shown[2], "3:");
  EXPECT_EQ(progress.shown[3], "1:");
  EXPECT_EQ(progress.shown[4], "1:Anlegg: 010101 Nordby RA" + std::string(41, ' '));
  EXPECT_EQ(progress.lines[1], "Ferdig!");
  EXPECT_EQ(progress.lines[2], "Antall Utsl.kontr.prøver lagret:     6");
  EXPECT_EQ(progress.lines[3], "Antall Slam.kontr.prøver lagret:     1");
  EXPECT_EQ(progress.lines[4], "");
  EXPECT_EQ(progress.beeps, 1);
  const auto has = [&](const std::string& s) {
    return std::find(progress.shown.begin(), progress.shown.end(), s) != progress.shown.end();
  };
  EXPECT_TRUE(has("2:Leser prøvedato:  7.01.08"));
  EXPECT_TRUE(has("3:Leser prøvefile. Analyse: LONGCD"));
  EXPECT_TRUE(has("4:Importerer: SS-Utløp               "));
  EXPECT_TRUE(has("4:Importerer: Cd-Innløp"));
  EXPECT_TRUE(has("4:Importerer: Måleverdi Cd"));
  EXPECT_TRUE(has("4:Importerer: PCB i slam"));
  EXPECT_TRUE(has("4:Lagrer ny utslippskontroll!"));
  EXPECT_TRUE(has("4:Lagrer ny slamkontroll!"));
}

TEST_F(RunImportTest, AMissingLogIsCreatedWhenNotStartedAfresh) {
  auto ch = allOn();
  ch.LOGSLETT = false;
  ch.LEVERAND1 = ch.LEVERAND2 = "150";
  run(ch);
  EXPECT_EQ(logText(), "Data for Leverndør: 150 er IKKE i importfile!\n" + std::string(150, '-') +
                           "\nAntall Utsl.kontr.prøver lagret:     0\nAntall Slam.kontr.prøver lagret:     0\n");
  EXPECT_EQ(progress.shown.front(), "1:");  // no "Oppretter ny logg-file!"
}

TEST_F(RunImportTest, SupplierRangeComparesAsText) {
  const std::string p150 = "Data for Leverndør: 150 er IKKE i importfile!";
  const std::string p160 = "Leverandør: 160 er ikke registrert Sivra 2000!";
  struct Case {
    const char* first;
    const char* last;
    std::vector<std::string> walked;
    int logViews;
  };
  const Case cases[] = {
      {"", "", {"010101", "010102", p150, p160, "010104", "010103"}, 1},
      {"100", "200", {"010101", "010102", p150, p160, "010104"}, 1},  // 1000 in, 30 out
      {"1000", "", {"010102", p150, p160, "010104", "010103"}, 1},
      {"", "150", {"010101", "010102", p150}, 0},  // a missing requisitioner opens no viewer
      {"200", "100", {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + ".." + c.last);
    auto ch = allOn();
    ch.LEVERAND1 = c.first;
    ch.LEVERAND2 = c.last;
    progress = {};
    run(ch);
    EXPECT_EQ(suppliersInLog(logText()), c.walked);
    EXPECT_EQ(progress.logViews, c.logViews);
  }
  // The reversed range leaves only the end lines.
  EXPECT_EQ(logText(), std::string(150, '-') + "\nAntall Utsl.kontr.prøver lagret:     0\n" +
                           "Antall Slam.kontr.prøver lagret:     0\n");
}

TEST_F(RunImportTest, AMappingWhoseLaboratoryDiffersOnlyInCaseIsTheLaboratorysOwn) {
  // Linking fields match as the key compares them: "kl" is KL, and the walk goes on past it.
  addLever("kl", "25", "010101");
  run(allOn());
  EXPECT_EQ(suppliersInLog(logText()),
            (std::vector<std::string>{"010101", "010102", "Data for Leverndør: 150 er IKKE i importfile!",
                                      "Leverandør: 160 er ikke registrert Sivra 2000!", "010104",
                                      "Data for Leverndør: 25 er IKKE i importfile!", "010103"}));
}

TEST_F(RunImportTest, TablesThatDoNotOpenStopTheRunWithItsMessage) {
  fake.openFails = true;
  run(allOn());
  ASSERT_EQ(testing_ui::boxes().size(), 1u);
  EXPECT_EQ(testing_ui::boxes()[0].text,
            "Feil ved åpning av importfiler!|Sjekk at importkatalog er korrekt angitt!|Sjekk at "
            "importfiler er overført til katalogen!");
  EXPECT_EQ(testing_ui::boxes()[0].caption, "");
  EXPECT_EQ(testing_ui::boxes()[0].icon, ui::Icon::None);
  EXPECT_EQ(fake.closes, 1);
  EXPECT_FALSE(std::filesystem::exists(logPath()));
  EXPECT_TRUE(progress.shown.empty());
}

TEST_F(RunImportTest, MissingLaboratoryRecordWarnsAndLeavesTheEmptiedLog) {
  run(allOn());
  state.UtslippskontrollCount = 42;
  data::thr().LAB = "ZZ";
  run(allOn());
  ASSERT_EQ(testing_ui::boxes().size(), 1u);
  EXPECT_EQ(testing_ui::boxes()[0].caption, "Advarsel");
  EXPECT_EQ(testing_ui::boxes()[0].icon, ui::Icon::Information);
  EXPECT_EQ(testing_ui::boxes()[0].text, "Feil på fil for kobling lab/anl: " + data::fileName(data::FileId::MapLab) +
                                             "|" + data::thr().MapLab.errorText());
  EXPECT_EQ(logText(), "");
  EXPECT_EQ(state.UtslippskontrollCount, 42);  // no totals: the run never started its walk
  EXPECT_EQ(fake.closes, 2);
}

TEST_F(RunImportTest, DateRangeAndDateChoice) {
  struct Case {
    const char* datovalg;
    text::Date from;
    text::Date to;
    const char* tp;  // VERDI_1_1 of journal 08/0125, "" when no record
    const char* periodEnd;
  };
  const Case cases[] = {
      {"Tattdato", 0, 0, "3", "2008-03-09"},
      {"Tattdato", dateFromYmd(2008, 3, 1), dateFromYmd(2008, 3, 5), "2", "2008-03-09"},  // bounds inclusive
      {"Tattdato", dateFromYmd(2008, 3, 5), dateFromYmd(2008, 3, 5), "2", "2008-03-09"},
      {"Tattdato", dateFromYmd(2008, 3, 10), 0, "", ""},
      {"Startdato", 0, 0, "3", "2008-03-01"},
      {"Startdato", dateFromYmd(2008, 3, 2), 0, "", ""},  // the journal goes as a whole
      {"", dateFromYmd(2008, 3, 1), dateFromYmd(2008, 3, 1), "3", "2008-03-01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.datovalg) + " " + std::to_string(c.from) + ".." + std::to_string(c.to));
    auto& lab = data::thr().MapLab;
    lab.rec.LAB = "KL";
    ASSERT_EQ(lab.get(data::MapLab::MAPLABKEY), 0);
    lab.rec.DATOVALG = c.datovalg;
    ASSERT_EQ(lab.put(), 0);
    auto ch = allOn();
    ch.LEVERAND1 = ch.LEVERAND2 = "100";
    ch.DATO1 = c.from;
    ch.DATO2 = c.to;
    ch.OVERSKRIVES = true;
    run(ch);
    const std::string rec = recordOf(dumpUtslippskontroll(), "08/0125");
    EXPECT_EQ(field(rec, "VERDI_1_1"), c.tp);
    if (*c.periodEnd) {
      EXPECT_EQ(field(rec, "UTSL_DATO2"), c.periodEnd) << rec;
    }
    // Each case starts from an empty registry.
    auto& u = data::thr().Utslippskontroll;
    u.set();
    while (u.next() == 0) u.remove();
    auto& s = data::thr().Slamkontroll;
    s.set();
    while (s.next() == 0) s.remove();
  }
}

TEST_F(RunImportTest, MaterialAsPlaceSource) {
  auto& lab = data::thr().MapLab;
  lab.rec.LAB = "KL";
  ASSERT_EQ(lab.get(data::MapLab::MAPLABKEY), 0);
  lab.rec.STEDKILDE = "Material";
  ASSERT_EQ(lab.put(), 0);
  addSted("100", "AVL", "Utløp");
  auto ch = allOn();
  ch.LEVERAND1 = ch.LEVERAND2 = "100";
  run(ch);
  const std::string rec = recordOf(dumpUtslippskontroll(), "08/0123");
  EXPECT_EQ(field(rec, "VERDI_1_1"), "");
  EXPECT_EQ(field(rec, "VERDI_1_2"), "0.5");
  EXPECT_EQ(field(rec, "VERDI_2_2"), "60");
  EXPECT_EQ(field(rec, "VERDI_2_1"), "");
  EXPECT_EQ(recordOf(dumpSlamkontroll(), "08/0124"), "");  // place 03 is no material mapping
}

TEST_F(RunImportTest, NeitherControlChosenWalksButStoresNothing) {
  auto ch = allOn();
  ch.UTSLKTR = ch.SLAMKTR = false;
  run(ch);
  EXPECT_TRUE(dumpUtslippskontroll().empty());
  EXPECT_TRUE(dumpSlamkontroll().empty());
  EXPECT_EQ(suppliersInLog(logText()).size(), 6u);
  EXPECT_EQ(state.UtslippskontrollCount + state.SlamkontrollCount, 0);
  for (const auto& s : progress.shown) EXPECT_TRUE(s.rfind("4:", 0) != 0 || s == "4:") << s;
}

TEST_F(RunImportTest, ChosenTypesMethodAndPlaceAreStored) {
  auto ch = allOn();
  ch.LEVERAND1 = ch.LEVERAND2 = "100";
  ch.PR_METODE = "Stikkprøve";
  ch.PRTYPE = "Døgnprøve";
  ch.PR_TYPE_TUNGMETALL = "Stikkprøve";
  ch.PR_TYPE_NAERINGSSTOFF = "Stikkprøve";
  ch.PR_TAKINGSTED = "Avvannet slam";
  run(ch);
  const std::string u = recordOf(dumpUtslippskontroll(), "08/0124");
  EXPECT_EQ(field(u, "PR_METODE"), "Stikkprøve");
  EXPECT_EQ(field(u, "PRTYPE"), "Døgnprøve");
  const std::string s = recordOf(dumpSlamkontroll(), "08/0124");
  EXPECT_EQ(field(s, "PR_TAKINGSTED"), "Avvannet slam");
  EXPECT_EQ(field(s, "PR_TYPE_TUNGMETALL"), "Stikkprøve");
  EXPECT_EQ(field(s, "PR_TYPE_NAERINGSSTOFF"), "Stikkprøve");
}

TEST_F(RunImportTest, SecondRunWithoutAndWithOverwriting) {
  run(allOn());
  // A user's comment on one stored record.
  auto& u = data::thr().Utslippskontroll;
  u.set(data::Utslippskontroll::UTSLIPPSKONTROLL_KEY1);
  ASSERT_EQ(u.next(), 0);
  u.rec.KOMMENTAR = "Kontrollert av driftsoperatør";
  u.rec.VERDI[5][5] = 99;  // a value the import does not write
  ASSERT_EQ(u.put(), 0);

  auto again = allOn();
  again.LOGSLETT = false;
  run(again);
  EXPECT_EQ(state.UtslippskontrollCount, 0);
  EXPECT_EQ(state.SlamkontrollCount, 0);
  const std::string log = logText();
  EXPECT_EQ(log.find("Status: Eksist"), std::string::npos);
  EXPECT_NE(log.find("Antall Utsl.kontr.prøver lagret:     6\nAntall Slam.kontr.prøver lagret:     1\n"
                     "\nAnlegg: 010101"),
            std::string::npos);  // appended after the first run's lines
  EXPECT_NE(recordOf(dumpUtslippskontroll(), "08/0123").find("VERDI_6_6=99"), std::string::npos);

  again.OVERSKRIVES = true;
  again.LOGSLETT = true;
  run(again);
  EXPECT_EQ(state.UtslippskontrollCount, 6);
  EXPECT_EQ(state.SlamkontrollCount, 1);
  const auto lines = splitLines(logText());
  EXPECT_EQ(
      std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.ends_with(" Status: Eksist"); }),
      7);
  EXPECT_EQ(logText().find("Status: Ny"), std::string::npos);
  const auto dump = dumpUtslippskontroll();
  EXPECT_EQ(dump.size(), 6u);
  const std::string rec = recordOf(dump, "08/0123");
  EXPECT_EQ(field(rec, "KOMMENTAR"), "Kontrollert av driftsoperatør");
  EXPECT_EQ(field(rec, "VERDI_6_6"), "");  // every field but the memo replaced
  EXPECT_EQ(progress.lines[4], "");
}

}  // namespace
}  // namespace testing_import
