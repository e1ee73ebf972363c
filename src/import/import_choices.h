#pragma once
// The choices of the import window that one run reads, named after the process-wide settings
// they come from. The window fills a copy and hands it to RunImport; the laboratory is the
// thread's own (THR:LAB).
#include <cstdint>
#include <string>

#include "platform/text/str.h"

namespace import {

struct ImportChoices {
  std::string IMPORTFILE;    // path of the sample table
  text::Str<6> LEVERAND1;    // first supplier; blank: the laboratory's first mapping
  text::Str<6> LEVERAND2;    // last supplier; blank: the laboratory's last mapping
  std::int32_t DATO1 = 0;    // first sample date (standard date), 0: open
  std::int32_t DATO2 = 0;    // last sample date, 0: open
  bool UTSLKTR = false;      // import discharge controls (and their heavy metals)
  bool SLAMKTR = false;      // import sludge controls
  bool OVERSKRIVES = false;  // rewrite existing control records
  bool LOGSLETT = false;     // start the log afresh
  text::Str<25> PR_METODE;
  text::Str<25> PRTYPE;
  text::Str<20> PR_TYPE_TUNGMETALL;
  text::Str<20> PR_TYPE_NAERINGSSTOFF;
  text::Str<20> PR_TAKINGSTED;
};

}  // namespace import
