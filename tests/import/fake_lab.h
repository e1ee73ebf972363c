#pragma once
// Laboratory tables in memory, read in the index orders of the real ones (requisitioner for
// journals, journal number then place for samples, letter case ignored, ties in row order).
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "import/lab_source.h"

namespace testing_lab {

struct Sample {
  import::SampleRow row;
  std::vector<std::pair<std::string, std::string>> results;  // code, result (UTF-8)
};

class FakeLab : public import::LabSource {
 public:
  std::vector<std::string> requisitioners;
  std::vector<import::JournalRow> journals;
  std::vector<Sample> samples;
  bool openFails = false;
  // The next read of a sample row fails with `readFailure` (once).
  bool nextSampleReadFails = false;
  std::string readFailure = "Feil på fil RNX20.DBF: Invalid File (36)";
  int opens = 0;
  int closes = 0;

  bool open() override {
    ++opens;
    return !openFails;
  }
  void close() override { ++closes; }
  bool findRequisitioner(const text::Str<6>& rekv) override {
    for (const auto& r : requisitioners)
      if (rekv == r) return true;
    return false;
  }
  void startJournals(const text::Str<6>& rekv) override {
    walkError_.clear();
    order_.clear();
    for (std::size_t i = 0; i < journals.size(); ++i) order_.push_back(i);
    std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
      return text::compareBlankPaddedNoCase(journals[a].REKV.raw(), journals[b].REKV.raw()) < 0;
    });
    pos_ = 0;
    while (pos_ < order_.size() && text::compareBlankPaddedNoCase(journals[order_[pos_]].REKV.raw(), rekv.raw()) < 0)
      ++pos_;
  }
  bool nextJournal(import::JournalRow& row) override {
    if (pos_ >= order_.size()) return false;
    row = journals[order_[pos_++]];
    return true;
  }
  void startSamples(const text::Str<4>& jrnlnr) override {
    sorder_.clear();
    for (std::size_t i = 0; i < samples.size(); ++i) sorder_.push_back(i);
    std::stable_sort(sorder_.begin(), sorder_.end(),
                     [&](std::size_t a, std::size_t b) { return key(samples[a].row) < key(samples[b].row); });
    spos_ = 0;
    const std::string start = text::upper1252(std::string(jrnlnr.raw()) + "  ");
    while (spos_ < sorder_.size() && key(samples[sorder_[spos_]].row) < start) ++spos_;
    current_ = nullptr;
    walkError_.clear();
  }
  bool nextSample(import::SampleRow& row) override {
    if (std::exchange(nextSampleReadFails, false)) {
      walkError_ = readFailure;
      return false;
    }
    if (spos_ >= sorder_.size()) return false;
    current_ = &samples[sorder_[spos_++]];
    row = current_->row;
    results_.clear();
    for (const auto& [c, v] : current_->results) results_.add(text::toCp1252(c), text::toCp1252(v));
    return true;
  }
  const import::SampleResults& results() const override { return results_; }
  std::string walkError() const override { return walkError_; }

 private:
  std::string walkError_;
  static std::string key(const import::SampleRow& r) {
    return text::upper1252(std::string(r.JRNLNR.raw()) + std::string(r.STED.raw()));
  }
  std::vector<std::size_t> order_, sorder_;
  std::size_t pos_ = 0, spos_ = 0;
  Sample* current_ = nullptr;
  import::SampleResults results_;
};

}  // namespace testing_lab
