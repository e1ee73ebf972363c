#pragma once
// The three lists of the laboratory settings window over their files: parameter mappings of the
// laboratory and sample type, its supplier mappings, and the place mappings of the supplier row
// last made current. Each row names its codes from the laboratory's tables and the registry.
#include <string>
#include <string_view>
#include <vector>

#include "data/thread_state.h"
#include "maintenance/lists/param_siv_list.h"
#include "maintenance/lists/store_browse_source.h"

namespace maintenance {

// The laboratory a list filters on and primes with: `lab`, or THR:LAB when it is blank (the
// laboratory record gone, the supplier list empty), so no mapping is made without an owner.
text::Str<4> OwnerLab(const text::Str<4>& lab, const text::Str<4>& thrLab);

// Parameter mappings of MAP:LAB (rows: PARAMLAB, its laboratory text, PARAMSIV, its target
// description, FAKTOR, LAB, PRTYPE); only rows of THR:PR_TYPE count.
class ParamMapSource : public StoreBrowseSource<data::MapParamRecord> {
 public:
  ParamMapSource(data::ThreadState& t, const ParamSivList& targets);

  int start() override;
  std::vector<std::string> makeRow() override;
  void copyBack(const std::vector<std::string>& row) override;
  char locatorChar() const override { return file_.rec.PRTYPE[0]; }
  void setLocator(char c) override;
  std::string resetValues() const override;
  void putResetValues() override;
  bool recordTest() const override;
  void primeInsert(std::string_view savedReset) override;
  int callForm(int request) override;
  std::string label() const override { return "MapParam"; }

 private:
  data::ThreadState& t_;
  const ParamSivList& targets_;
};

// Supplier mappings of THR:LAB (rows: LEVERAND, the supplier's name, ANLEGGSNR, the plant's
// name, LAB).
class SupplierMapSource : public StoreBrowseSource<data::MapLeverRecord> {
 public:
  explicit SupplierMapSource(data::ThreadState& t);

  int start() override;
  std::vector<std::string> makeRow() override;
  void copyBack(const std::vector<std::string>& row) override;
  char locatorChar() const override { return file_.rec.LEVERAND[0]; }
  void setLocator(char c) override;
  std::string resetValues() const override { return std::string(t_.LAB.raw()); }
  void putResetValues() override { file_.rec.LAB = t_.LAB; }
  void primeInsert(std::string_view savedReset) override { file_.rec.LAB.assignRaw(savedReset); }
  int callForm(int request) override;
  std::string label() const override { return "MapLever"; }

 private:
  data::ThreadState& t_;
};

// Place mappings of the laboratory and supplier number of the supplier row the list was last
// loaded for (its saved copy), compared without regard to case (rows: STEDSIV, STEDLAB, the
// place's name, LAB, LEVERAND).
class PlaceMapSource : public StoreBrowseSource<data::MapStedRecord> {
 public:
  explicit PlaceMapSource(data::ThreadState& t);

  int start() override;
  std::vector<std::string> makeRow() override;
  void copyBack(const std::vector<std::string>& row) override;
  char locatorChar() const override { return file_.rec.STEDLAB[0]; }
  void setLocator(char c) override;
  std::string resetValues() const override;
  void putResetValues() override;
  void resetSaved(std::string_view saved) override;
  void primeInsert(std::string_view savedReset) override;
  int callForm(int request) override;
  std::string label() const override { return "MapSted"; }

 private:
  data::ThreadState& t_;
  // The saved copy the filter compares with.
  text::Str<4> savedLab_;
  text::Str<10> savedLeverand_;
};

}  // namespace maintenance
