#pragma once
// The printed parameter mapping of one laboratory: every MapParam record of the laboratory
// in the thread's MapLab buffer, grouped by sample type, shown in the report preview and
// printed when the user chooses Print there.
#include <string>

#include "data/program_files.h"
#include "platform/report/report.h"

namespace maintenance {

// Response 1 when the report ran to its end (printed or not), 2 when it was cancelled, found
// no mapping or failed part-way.
void ParamReport();

// The bands of one mapping: the page header names the laboratory (`lab`), the group header
// the sample type, the detail the mapping.
report::Bands paramReportBands(const data::MapParamRecord& m, const data::MapLabRecord& lab);

// The sample type as the group header writes it.
std::string sampleTypeWord(const data::MapParamRecord& m);

}  // namespace maintenance
