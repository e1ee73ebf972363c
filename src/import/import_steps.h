#pragma once
// The operations of one import run, in the order they call one another:
// RunImport -> ImportJournal -> ImportSamples -> ImportFlowValues, ImportPlaces
// -> ImportSludgeValues, ImportDischargeValues; after each journal StoreUtslippskontroll and
// StoreSlamkontroll.
#include "import/import_context.h"

namespace import {

// Walks the current supplier's journal rows; stores each journal's two records.
void ImportJournal(ImportContext& ctx);
// Walks the current journal's sample rows inside the date range.
void ImportSamples(ImportContext& ctx);
// Number of days, water quantity and overflow from the discharge mappings.
void ImportFlowValues(ImportContext& ctx);
// For each place mapping of the sample's place: sludge values, then discharge values.
void ImportPlaces(ImportContext& ctx);
// Discharge results into the matrix of values or the heavy-metal inflow column.
void ImportDischargeValues(ImportContext& ctx);
// Sludge results into the sludge-control record.
void ImportSludgeValues(ImportContext& ctx);
// Completes and adds or rewrites the journal's control records.
void StoreUtslippskontroll(ImportContext& ctx);
void StoreSlamkontroll(ImportContext& ctx);

// A result cut toward zero to a whole number after rounding to 12 significant digits, held
// within the LONG range.
std::int32_t wholeNumber(double value);
// The current result as the journal's number of days; a count outside 0 to kMaxDayCount is
// logged as a problem and not taken (false).
bool TakeDayCount(ImportContext& ctx);
// The current result times the mapping's factor; a factor or product that is no finite number
// is logged as a problem and not taken (false).
bool TimesFactor(ImportContext& ctx, const data::MapParamRecord& m, double& value);

}  // namespace import
