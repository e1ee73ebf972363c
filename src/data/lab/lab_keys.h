#pragma once
// The seven keys of the laboratory tables with the external names the dBase reader reads.
#include <array>
#include <vector>

namespace data::lab {

enum class LabKey {
  I_RNX20,    // R20:I_RNX20   JRNLNR, STED     run-time, case-insensitive
  KEY_RNX50,  // R50:KEY_RNX50 T, KODE          stored, case-sensitive
  I_RNX50,    // R50:I_RNX50   KODE             run-time, case-insensitive
  KEY_RNX51,  // R51:KEY_RNX51 REKV             stored, case-sensitive
  KEY_RNX60,  // R60:KEY_RNX60 REKV, STED       stored, case-sensitive
  I_RNX60,    // R60:I_RNX60   REKV, MATERIALE  built at open, case-sensitive
  I_RNXJR,    // RJR:I_RNXJR   REKV             run-time, case-insensitive
};

enum class LabTableId { RNX20, RNX50, RNX51, RNX60, RNXJR };

struct LabKeyDef {
  LabKey key;
  LabTableId table;
  const char* name;      // "R20:I_RNX20"
  const char* external;  // "I_RNX20=C[JRNLNR+STED]"
  bool noCase;
  bool runTime;  // built by OpenLabTables before the table opens
  std::vector<const char*> components;
};

const LabKeyDef& labKey(LabKey key);
const std::array<LabKeyDef, 7>& labKeys();

}  // namespace data::lab
