#pragma once
// The laboratory's dBase tables as the run reads them, over the process-wide lab tables.
// The tables open for this source's own holder, so a second run (or the laboratory settings
// window holding them) is refused without disturbing the holder.
#include <string>

#include "data/lab/lab_tables.h"
#include "import/lab_source.h"

namespace import {

class DbaseLabSource : public LabSource {
 public:
  // `importFile`: the sample table; the other four come from the thread's MapLab buffer
  // (MAP:DATADIRLAB) as it stands when open() is called.
  explicit DbaseLabSource(std::string importFile) : importFile_(std::move(importFile)) {}

  bool open() override;
  void close() override;
  bool findRequisitioner(const text::Str<6>& rekv) override;
  void startJournals(const text::Str<6>& rekv) override;
  bool nextJournal(JournalRow& row) override;
  void startSamples(const text::Str<4>& jrnlnr) override;
  bool nextSample(SampleRow& row) override;
  const SampleResults& results() const override { return results_; }
  std::string walkError() const override { return walkError_; }

 private:
  // Notes a failed read of `table` that is not its end; true when the walk goes on.
  bool walkOn(const dbase::Error& e, const std::string& table);
  std::string importFile_;
  data::lab::LabTablesHolder holder_;
  bool journalsOk_ = false;
  bool samplesOk_ = false;
  SampleResults results_;
  std::string walkError_;
};

}  // namespace import
