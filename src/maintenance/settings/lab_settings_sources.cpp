#include "maintenance/settings/lab_settings_sources.h"

#include <charconv>

#include "data/lab/lab_tables.h"
#include "maintenance/forms/form_call.h"
#include "maintenance/forms/lab_names.h"

namespace maintenance {

namespace {

using data::lab::HeldLabTables;
using data::lab::LabKey;

bool sameNoCase(std::string_view a, std::string_view b) { return text::compareBlankPaddedNoCase(a, b) == 0; }

// A factor kept in the row exactly, so the reverse copy gives back the stored number.
std::string exact(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}
double fromExact(const std::string& s) {
  double v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

// The laboratory's name of a supplier (its codes and places: lab_names.h). Only the thread
// that holds the laboratory's tables reads them; elsewhere the name is blank.
std::string supplierName(const text::Str<10>& leverand) {
  HeldLabTables tables;
  if (!tables) return {};
  auto& t = tables->RNX51;
  t.clear();
  t.rec.REKV = leverand;  // its first six characters
  if (!t.get(LabKey::KEY_RNX51).ok()) {
    t.clear();
    return {};
  }
  return t.rec.NAVN.str();
}

}  // namespace

text::Str<4> OwnerLab(const text::Str<4>& lab, const text::Str<4>& thrLab) { return lab.blank() ? thrLab : lab; }

// --- parameter mappings ---------------------------------------------------------------------

ParamMapSource::ParamMapSource(data::ThreadState& t, const ParamSivList& targets)
    : StoreBrowseSource(t.MapParam, data::MapParam::MAPPARAMKEY,
                        [&t](const data::MapParamRecord& r) {
                          return sameNoCase(r.LAB.raw(), OwnerLab(t.MapLab.rec.LAB, t.LAB).raw());
                        }),
      t_(t),
      targets_(targets) {}

int ParamMapSource::start() {
  putResetValues();
  return StoreBrowseSource::start();
}

std::vector<std::string> ParamMapSource::makeRow() {
  const auto& r = file_.rec;
  return {r.PARAMLAB.str(), AnalysisCodeText(r.PARAMLAB),
          r.PARAMSIV.str(), ParamSivDescription(targets_, r.PARAMSIV).str(),
          exact(r.FAKTOR),  r.LAB.str(),
          r.PRTYPE.str()};
}

void ParamMapSource::copyBack(const std::vector<std::string>& row) {
  auto& r = file_.rec;
  r.PARAMLAB = row.at(0);
  r.PARAMSIV = row.at(2);
  r.FAKTOR = fromExact(row.at(4));
  r.LAB = row.at(5);
  r.PRTYPE = row.at(6);
}

void ParamMapSource::setLocator(char c) {
  file_.rec.PRTYPE.clear();
  file_.rec.PRTYPE[0] = c;
  file_.rec.PARAMLAB.clear();
}

// The sample type counts as a reset value too: after a change of type the list starts at its
// first row, instead of at the end of the other type's rows.
std::string ParamMapSource::resetValues() const {
  return std::string(OwnerLab(t_.MapLab.rec.LAB, t_.LAB).raw()) + std::string(t_.PR_TYPE.raw());
}
void ParamMapSource::putResetValues() { file_.rec.LAB = OwnerLab(t_.MapLab.rec.LAB, t_.LAB); }
bool ParamMapSource::recordTest() const { return file_.rec.PRTYPE == t_.PR_TYPE; }
void ParamMapSource::primeInsert(std::string_view savedReset) { file_.rec.LAB.assignRaw(savedReset.substr(0, 4)); }
int ParamMapSource::callForm(int request) { return maintenance::callForm("ParamForm", request); }

// --- supplier mappings ----------------------------------------------------------------------

SupplierMapSource::SupplierMapSource(data::ThreadState& t)
    : StoreBrowseSource(t.MapLever, data::MapLever::MAPLEVERKEY,
                        [&t](const data::MapLeverRecord& r) { return sameNoCase(r.LAB.raw(), t.LAB.raw()); }),
      t_(t) {}

int SupplierMapSource::start() {
  putResetValues();
  return StoreBrowseSource::start();
}

std::vector<std::string> SupplierMapSource::makeRow() {
  const auto& r = file_.rec;
  const std::string name = supplierName(r.LEVERAND);
  t_.Anlegg.rec.ANLEGGSNR.setWhole(r.ANLEGGSNR);
  if (t_.Anlegg.get(data::Anlegg::ANLEGG_KEY1) != 0) t_.Anlegg.clear();
  return {r.LEVERAND.str(), name, r.ANLEGGSNR.str(), t_.Anlegg.rec.ANLEGGSNAVN.str(), r.LAB.str()};
}

void SupplierMapSource::copyBack(const std::vector<std::string>& row) {
  auto& r = file_.rec;
  r.LEVERAND = row.at(0);
  r.ANLEGGSNR = row.at(2);
  t_.Anlegg.rec.ANLEGGSNAVN = row.at(3);
  r.LAB = row.at(4);
}

void SupplierMapSource::setLocator(char c) {
  file_.rec.LEVERAND.clear();
  file_.rec.LEVERAND[0] = c;
}

int SupplierMapSource::callForm(int request) { return maintenance::callForm("LeverForm", request); }

// --- place mappings -------------------------------------------------------------------------

PlaceMapSource::PlaceMapSource(data::ThreadState& t)
    : StoreBrowseSource(t.MapSted, data::MapSted::MAPSTEDKEY,
                        [this](const data::MapStedRecord& r) {
                          return sameNoCase(r.LAB.raw(), savedLab_.raw()) &&
                                 sameNoCase(r.LEVERAND.raw(), savedLeverand_.raw());
                        }),
      t_(t) {}

int PlaceMapSource::start() {
  putResetValues();
  return StoreBrowseSource::start();
}

std::vector<std::string> PlaceMapSource::makeRow() {
  const auto& r = file_.rec;
  return {r.STEDSIV.str(), r.STEDLAB.str(), LabPlaceName(r.LEVERAND, r.STEDLAB, t_.MapLab.rec.STEDKILDE), r.LAB.str(),
          r.LEVERAND.str()};
}

void PlaceMapSource::copyBack(const std::vector<std::string>& row) {
  auto& r = file_.rec;
  r.STEDSIV = row.at(0);
  r.STEDLAB = row.at(1);
  r.LAB = row.at(3);
  r.LEVERAND = row.at(4);
}

void PlaceMapSource::setLocator(char c) {
  file_.rec.STEDLAB.clear();
  file_.rec.STEDLAB[0] = c;
  file_.rec.STEDSIV.clear();
}

std::string PlaceMapSource::resetValues() const {
  const data::MapLeverRecord& lever = t_.MapLever.rec;
  return std::string(OwnerLab(lever.LAB, t_.LAB).raw()) + std::string(lever.LEVERAND.raw());
}

void PlaceMapSource::putResetValues() {
  file_.rec.LAB = savedLab_;
  file_.rec.LEVERAND = savedLeverand_;  // its first six characters
}

void PlaceMapSource::resetSaved(std::string_view saved) {
  savedLab_.assignRaw(saved.substr(0, 4));
  savedLeverand_.assignRaw(saved.size() > 4 ? saved.substr(4) : std::string_view());
}

void PlaceMapSource::primeInsert(std::string_view savedReset) {
  resetSaved(savedReset);
  putResetValues();
}

int PlaceMapSource::callForm(int request) { return maintenance::callForm("StedForm", request); }

}  // namespace maintenance
