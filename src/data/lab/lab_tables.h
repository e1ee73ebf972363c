#pragma once
// The laboratory's five tables: once per process, opened together and exclusively, read only.
// One holder at a time owns them; OpenLabTables of another holder fails at its first table
// with "already open" and leaves the owner's tables alone. Only the thread that opened them
// reads them, under their lock: on any other thread every read answers "not open".
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "data/lab/lab_keys.h"
#include "data/lab/lab_records.h"
#include "platform/dbase/error.h"
#include "platform/dbase/table.h"

namespace data::lab {

// Owner token of the tables. Whoever opens them keeps one for as long as it uses them;
// its destructor closes what it still holds.
class LabTablesHolder {
 public:
  LabTablesHolder() = default;
  ~LabTablesHolder();
  LabTablesHolder(const LabTablesHolder&) = delete;
  LabTablesHolder& operator=(const LabTablesHolder&) = delete;
};

// One table with its row buffer. The key values of set/get come from the buffer.
class LabTableBase {
 public:
  const std::string& diskName() const;
  dbase::Error set(LabKey key);       // first entry equal to or after the buffer's key values
  dbase::Error setStart(LabKey key);  // start of the key order
  dbase::Error get(LabKey key);       // the first row whose key equals the buffer's values
  dbase::Error next();
  dbase::Error previous();
  bool isOpen() const;  // open, and held by the calling thread
  dbase::Table* file() { return file_.get(); }

 protected:
  LabTableBase(LabTableId id, void* buffer, const std::vector<LabField>& layout);
  ~LabTableBase();

 private:
  friend class LabTablesAccess;
  LabTableId id_;
  void* buffer_;
  const std::vector<LabField>& layout_;
  std::unique_ptr<dbase::Table> file_;
  std::vector<int> columns_;  // buffer member -> table column, -1 when the table lacks it
  int indexOf(LabKey key) const;
  dbase::Error fillBuffer(dbase::Error e);
};

template <class Rec>
class LabTable : public LabTableBase {
 public:
  explicit LabTable(LabTableId id) : LabTableBase(id, &rec, Rec::layout()) {}
  Rec rec;
  void clear() { rec = Rec{}; }
};

struct LabTables {
  LabTable<R20Record> RNX20{LabTableId::RNX20};
  LabTable<R50Record> RNX50{LabTableId::RNX50};
  LabTable<R51Record> RNX51{LabTableId::RNX51};
  LabTable<R60Record> RNX60{LabTableId::RNX60};
  LabTable<RJRRecord> RNXJR{LabTableId::RNXJR};
};

// The process-wide tables and their row buffers. Reads (set, get, next, previous) answer
// "not open" on a thread that does not hold them; their buffers belong to the holder's thread.
LabTables& labTables();

// The tables for a reader that is not sure it holds them (a form that may have been opened from
// a window without them): false on any thread but the holder's, or while they are closed. While
// it lives the tables stay locked, so nothing closes them between the check and the read.
class HeldLabTables {
 public:
  HeldLabTables();
  explicit operator bool() const { return held_; }
  LabTables* operator->() const { return &labTables(); }
  LabTables& operator*() const { return labTables(); }

 private:
  std::unique_lock<std::recursive_mutex> lock_;
  bool held_ = false;
};

// Opens the five tables for `holder`: disk names from the laboratory's data directory
// (`MAP:DATADIRLAB`) and the chosen sample table (`GLO:IMPORTFILE`), trailing blanks removed.
// Returns 1 when all five are open, 0 after an "Advarsel" box naming the table that failed.
std::uint8_t OpenLabTables(LabTablesHolder& holder, std::string_view dataDirLab, std::string_view importFile);
// Closes RNX50, RNX51, RNX60, RNXJR and RNX20 when `holder` owns them; else does nothing.
void CloseLabTables(LabTablesHolder& holder);
// The result the current RNX20 row holds for `code` (UTF-8): the five characters of the first
// SVnn whose ANnn equals the code, a leading "<" removed in the row buffer; "0" when none.
std::string GetAnalysisResult(std::string_view code);

// Tests replace the tables' reader (e.g. one that reports 46); nullptr restores the real one.
using LabTableFactory = std::function<std::unique_ptr<dbase::Table>(LabTableId)>;
void setLabTableFactory(LabTableFactory factory);

}  // namespace data::lab
