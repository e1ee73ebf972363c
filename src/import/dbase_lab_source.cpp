#include "import/dbase_lab_source.h"

#include "data/thread_state.h"
#include "import/run_import.h"

namespace import {

using data::lab::LabKey;
using data::lab::labTables;

bool DbaseLabSource::open() {
  return data::lab::OpenLabTables(holder_, data::thr().MapLab.rec.DATADIRLAB.str(), importFile_) == 1;
}

void DbaseLabSource::close() { data::lab::CloseLabTables(holder_); }

bool DbaseLabSource::findRequisitioner(const text::Str<6>& rekv) {
  auto& t = labTables().RNX51;
  t.clear();
  t.rec.REKV = rekv;
  return t.get(LabKey::KEY_RNX51).ok();
}

bool DbaseLabSource::walkOn(const dbase::Error& e, const std::string& table) {
  if (e.ok()) return true;
  if (e.code != dbase::Code::NoMoreRecords) walkError_ = "Feil på fil " + table + ": " + e.text;
  return false;
}

void DbaseLabSource::startJournals(const text::Str<6>& rekv) {
  auto& t = labTables().RNXJR;
  t.clear();
  t.rec.REKV = rekv;
  walkError_.clear();
  journalsOk_ = walkOn(t.set(LabKey::I_RNXJR), t.diskName());
}

bool DbaseLabSource::nextJournal(JournalRow& row) {
  auto& t = labTables().RNXJR;
  // A read error ends the walk and names the table; the run stops on it.
  if (!journalsOk_ || !walkOn(t.next(), t.diskName())) return false;
  row.PAAR = t.rec.PAAR;
  row.JRNLNR = t.rec.JRNLNR;
  row.REKV = t.rec.REKV;
  row.STARTDATO = t.rec.STARTDATO;
  return true;
}

void DbaseLabSource::startSamples(const text::Str<4>& jrnlnr) {
  auto& t = labTables().RNX20;
  t.clear();
  t.rec.JRNLNR = jrnlnr;
  walkError_.clear();
  samplesOk_ = walkOn(t.set(LabKey::I_RNX20), t.diskName());
}

bool DbaseLabSource::nextSample(SampleRow& row) {
  auto& t = labTables().RNX20;
  if (!samplesOk_ || !walkOn(t.next(), t.diskName())) return false;
  row.PAAR = t.rec.PAAR;
  row.JRNLNR = t.rec.JRNLNR;
  row.STED = t.rec.STED;
  row.MATERIALE = t.rec.MATERIALE;
  row.IDENT = t.rec.IDENT;
  row.REGKODE = t.rec.REGKODE;
  row.TATTDATO = t.rec.TATTDATO;
  // The fifteen pairs as GetAnalysisResult reads them, once per row.
  results_.clear();
  for (int i = 0; i < 15; ++i) results_.add(t.rec.an(i).raw(), t.rec.sv(i).raw());
  return true;
}

// Here rather than beside the other overload, so that code running the import over its own
// source does not need the laboratory tables' library.
void RunImport(const ImportChoices& choices, ImportRunState& state, ImportProgress& progress) {
  DbaseLabSource lab(choices.IMPORTFILE);
  RunImport(choices, state, progress, lab);
}

}  // namespace import
