#pragma once
// What the run reads from the laboratory's tables: requisitioners by code, the journal rows of
// a requisitioner and the sample rows of a journal in their index orders, and the result a
// sample row holds for an analysis code. The laboratory tables' layer provides the real one;
// tests may give their own.
#include <string>
#include <string_view>

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
  // The current sample row's result for an analysis code ("<" removed), "0" when absent.
  virtual std::string analysisResult(std::string_view cp1252Code) = 0;
};

}  // namespace import
