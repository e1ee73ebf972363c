#include "scenario.h"

#include "platform/text/date.h"

namespace testing_import {

namespace {

import::JournalRow journal(const char* paar, const char* nr, const char* rekv, text::Date start){import::JournalRow j;
j.PAAR = paar;
j.JRNLNR = nr;
j.REKV = rekv;
j.STARTDATO = start;
return j;
}  // namespace

testing_lab::Sample sample(const char* nr, const char* sted, const char* ident, const char* regkode, text::Date tatt,
                           std::vector<std::pair<std::string, std::string>> results) {
  testing_lab::Sample s;
  s.row.PAAR = "08";
  s.row.JRNLNR = nr;
  s.row.STED = sted;
  s.row.MATERIALE = std::string(nr) == "0124" ? "SLAM" : "AVL";
  s.row.IDENT = ident;
  s.row.REGKODE = regkode;
  s.row.TATTDATO = tatt;
  s.results = std::move(results);
  return s;
}

text::Date d(int y, int m, int day) { return text::dateFromYmd(y, m, day); }

}  // namespace testing_import

void fillScenarioLab(testing_lab::FakeLab& lab) {
  lab.requisitioners = {"100", "1000", "160", "200", "30"};
  lab.journals = {
      journal("08", "0123", "100", d(2008, 1, 10)), journal("08", "0124", "100", d(2008, 2, 1)),
      journal("08", "0125", "100", d(2008, 3, 1)),  journal("08", "0200", "1000", d(2008, 1, 15)),
      journal("08", "0300", "30", d(2008, 1, 20)),  journal("08", "0400", "160", d(2008, 1, 25)),
      journal("08", "0500", "200", d(2008, 4, 1)),
  };
  lab.samples = {
      sample("0123", "01", "125 m3/d", "", d(2008, 1, 7),
             {{"TP", "<0,5"}, {"SS", "12"}, {"CD", "0.02"}, {"DG", "7"}, {"OV", "3,5"}, {"XX", "9"}, {"ZZ", "0"}}),
      sample("0123", "02", "700 m3/d", "", d(2008, 1, 8), {{"SS", "30"}, {"CD", "0.04"}, {"PB", "0.1"}, {"BOF", "8"}}),
      sample("0124", "03", "", "", d(2008, 2, 5),
             {{"STS", "25,5"},
              {"SPH", "7.1"},
              {"SCD", "<0.5"},
              {"SKD", "0.3"},
              {"SSM", "12.8"},
              {"STK", "25"},
              {"SSA", "0.5"},
              {"SPA", "2"},
              {"SPB", "5"},
              {"SDG", "3.9"},
              {"VM", "50"},
              {"TP", "2"}}),
      sample("0125", "01", "", "", d(2008, 3, 1), {{"TP", "1"}}),
      sample("0125", "01", "", "", d(2008, 3, 5), {{"TP", "2"}}),
      sample("0125", "01", "", "", d(2008, 3, 9), {{"TP", "3"}}),
      sample("0200", "01", "Prøve", "00350ABC", d(2008, 1, 15), {{"BOF", "5"}}),
      sample("0300", "01", "125m3/d", "", d(2008, 1, 20), {{"TP", "4"}}),
      sample("0400", "01", "", "", d(2008, 1, 25), {{"TP", "9"}}),
      sample("0500", "01", "", "00120", d(2008, 4, 1), {{"TP", "6"}, {"DG", "0,5"}}),
      sample("0500", "01", "", "AB123", d(2008, 4, 1), {{"TP", "7"}}),
  };
}

void ScenarioFixture::SetUp() {
  ImportFixture::SetUp();
  if (HasFatalFailure()) return;
  fillScenarioLab(fake);
  addLab("KL");
  addLab("XX");
  for (auto [lev, anl] : {std::pair{"100", "010101"},
                          {"1000", "010102"},
                          {"150", "010101"},
                          {"160", "019999"},
                          {"200", "010104"},
                          {"30", "010103"}})
    addLever("KL", lev, anl);
  addLever("XX", "100", "010101");
  addPlant({"010101", "Nordby RA", {"TOT-P", "SS", "BOF5"}, {"Cd", "Pb", "TOT-P"}, {"Innløp", "Utløp"}});
  addPlant({"010102", "Sørby RA", {"BOF5"}, {}, {"Innløp"}});
  addPlant({"010103", "Østby RA", {"TOT-P"}, {}, {"Innløp"}});
  addPlant({"010104", "Vestby RA", {"TOT-P"}, {}, {"Innløp"}});
  struct P {
    const char* type;
    const char* code;
    const char* target;
    double factor;
  };
  const P params[] = {
      {"U", "TP", "TOT-P", 1},
      {"U", "SS", "SS", 2},
      {"U", "BOF", "BOF5", 0},
      {"U", "ZZ", "BOF5", 1},
      {"U", "CD", "Cd", 1000},
      {"U", "PB", "Pb", 1},
      {"U", "DG", "Ant. Døgn", 1},
      {"U", "OV", "Overløp", 10},
      {"U", "VM", "Vannmengde", 1},
      {"U", "XX", "Ukjent", 1},
      {"U", "LONGCD", "TOT-P", 1},
      {"S", "STS", "TS-tungmetall", 1},
      {"S", "SPH", "pH næringsstoff", 1},
      {"S", "SCD", "Kadmium", 2},
      {"S", "SKD", "Kadmium (mg/l)", 1},
      {"S", "SSM", "SS-middel", 10},
      {"S", "STK", "Termokoli", 1},
      {"S", "SSA", "Salmonella", 1},
      {"S", "SPA", "Parasittegg", 0.3333333333},
      {"S", "SPB", "PCB", 1},
      {"S", "SDG", "Ant. Døgn", 1},
  };
  for (const auto& p : params) addParam(p.type, p.code, p.target, p.factor);
  for (auto [lev, lab, siv] : {std::tuple{"100", "01", "Innløp"},
                               {"100", "02", "Innløp"},
                               {"100", "02", "Utløp"},
                               {"100", "03", "Slamkontroll"},
                               {"1000", "01", "Innløp"},
                               {"30", "01", "Innløp"},
                               {"200", "01", "Innløp"}})
    addSted(lev, lab, siv);
}

}  // namespace testing_import
