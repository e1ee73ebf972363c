#pragma once
#include <string>

#include "fake_lab.h"
#include "import_fixture.h"

namespace testing_import {

// One supplier, one journal, one sample row at a place mapped only to "Slamkontroll".
class OneSampleFixture : public ImportFixture {
 protected:
  void SetUp() override {
    ImportFixture::SetUp();
    if (HasFatalFailure()) return;
    addLab("KL");
    addLever("KL", "100", "010101");
    addPlant({"010101", "Nordby RA", {"TOT-P"}, {}, {"Innløp"}});
    addSted("100", "03", "Slamkontroll");
    fake.requisitioners = {"100"};
    import::JournalRow j;
    j.PAAR = "08";
    j.JRNLNR = "0124";
    j.REKV = "100";
    j.STARTDATO = text::dateFromYmd(2008, 2, 1);
    fake.journals = {j};
    testing_lab::Sample s;
    s.row.PAAR = "08";
    s.row.JRNLNR = "0124";
    s.row.STED = "03";
    s.row.TATTDATO = text::dateFromYmd(2008, 2, 5);
    fake.samples = {s};
  }

  // Maps `target` of the sample type from a new code holding `result`.
  void give(const std::string& target, const std::string& result, double factor, const std::string& prtype = "S") {
    const std::string code = prtype + std::to_string(++codes_ + 100);
    addParam(prtype, code, target, factor);
    fake.samples[0].results.emplace_back(code, result);
  }

  std::string storedSludge() {
    const auto dump = dumpSlamkontroll();
    return dump.empty() ? "" : dump[0];
  }

  std::string storedDischarge() {
    const auto dump = dumpUtslippskontroll();
    return dump.empty() ? "" : dump[0];
  }

  int codes_ = 0;
};

// True when the dumped record holds FIELD=value.
inline bool hasField(const std::string& dumped, const std::string& fieldValue) {
  const std::string padded = " " + dumped + " ";
  return padded.find(" " + fieldValue + " ") != std::string::npos;
}

}  // namespace testing_import
