#pragma once
// What the run reads from the laboratory's tables: requisitioners by code, the journal rows of
// a requisitioner and the sample rows of a journal in their index orders, and the result a
// sample row holds for an analysis code. The laboratory tables' layer provides the real one;
// tests may give their own.
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/text/date.h"
#include "platform/text/str.h"

// Dates of the laboratory's tables: 0 is no date; a negative day number is a field that holds
// something that is not a date.

namespace import {

struct JournalRow {
  text::Str<2> PAAR;
  text::Str<4> JRNLNR;
  text::Str<6> REKV;
  text::Date STARTDATO = 0;
};

struct SampleRow {
  text::Str<2> PAAR;
  text::Str<4> JRNLNR;
  text::Str<2> STED;
  text::Str<6> MATERIALE;
  text::Str<12> IDENT;
  text::Str<13> REGKODE;
  text::Date TATTDATO = 0;
};

// The analyses of the current sample row, read once per row: each pair's code, its result as
// the row holds it (Windows-1252, a leading "<" dropped) and as a number (a decimal comma read
// as the point).
class SampleResults {
 public:
  struct Entry {
    text::Str<6> code;
    double value;
    std::string text;
  };
  void clear() { used_ = 0; }
  // One pair, both texts in Windows-1252 as the row holds them (blank-padded). A code wider
  // than a mapping's code can match none and is left out.
  void add(std::string_view code, std::string_view result);
  // The row's first pair with this code (trailing blanks do not count), nullptr when none.
  const Entry* find(const text::Str<6>& code) const {
    for (std::size_t i = 0; i < used_; ++i)
      if (std::memcmp(entries_[i].code.data(), code.data(), 6) == 0) return &entries_[i];  // both blank-padded
    return nullptr;
  }

 private:
  std::vector<Entry> entries_;  // kept between rows with their texts: a row allocates nothing
  std::size_t used_ = 0;
};

class LabSource {
 public:
  virtual ~LabSource() = default;
  // Opens the five tables (shows its own warning and returns false when one fails).
  virtual bool open() = 0;
  virtual void close() = 0;
  // True when the requisitioner table holds the code (read by its stored key).
  virtual bool findRequisitioner(const text::Str<6>& rekv) = 0;
  // Journal rows in requisitioner index order from the first entry >= rekv.
  virtual void startJournals(const text::Str<6>& rekv) = 0;
  virtual bool nextJournal(JournalRow& row) = 0;
  // Sample rows in (journal number, place) order from the first entry >= (jrnlnr, blank).
  virtual void startSamples(const text::Str<4>& jrnlnr) = 0;
  virtual bool nextSample(SampleRow& row) = 0;
  // The analyses of the sample row nextSample() last returned.
  virtual const SampleResults& results() const = 0;
  // Why the last journal or sample walk ended before the end of its table: the table and its
  // read error, to stop the run with. Empty when the walk reached the end.
  virtual std::string walkError() const { return {}; }
};

}  // namespace import
