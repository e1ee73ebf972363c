#pragma once
// Every line the import run writes to its log, composed from the values it names. All texts
// are UTF-8; the log file cuts them to 150 characters.
#include <string>
#include <string_view>

#include "platform/text/date.h"

namespace import {

// The most days one control period may span (ten years).
inline constexpr int kMaxDayCount = 3650;

std::string missingRequisitionerLine(std::string_view rekv);
std::string missingPlantLine(std::string_view leverand);
// `anleggsnr` and `anleggsnavn` as stored, blank-padded to 6 and 50 characters.
std::string plantHeaderLine(std::string_view anleggsnr, std::string_view anleggsnavn, text::Date today,
                            int secondsSinceMidnight);
std::string dashLine();
// Kind "Utslippskontroll" or "Slamkontroll"; `added` false means an existing record rewritten.
std::string storedDischargeLine(text::Date dato1, text::Date dato2, long days, bool added);
std::string storedSludgeLine(text::Date dato1, text::Date dato2, long days, bool added);
// The start of the line for a record whose add or rewrite failed, naming the record; the
// writer adds " Feil: " and the error text.
std::string failedStorePrefix(std::string_view kind, std::string_view anleggsnr, text::Date dato1, text::Date dato2,
                              std::string_view journal);
// Problems in the laboratory's data, one line per sample and code, naming the journal.
std::string notAResultLine(std::string_view journal, std::string_view code, std::string_view result);
std::string dayCountOutOfRangeLine(std::string_view journal, std::string_view code, double days);
// A mapping whose factor, or the result times it, is no finite number: the value is not stored.
std::string notFiniteFactorLine(std::string_view journal, std::string_view code, std::string_view target, double factor,
                                double result);
std::string notADateLine(std::string_view journal, std::string_view dateField);
// A parameter mapping whose factor is no number (another tool wrote text there): not used, and
// the stored controls of its type are not rewritten.
std::string notAFactorLine(std::string_view prtype, std::string_view code);
std::string dischargeTotalLine(long count);
std::string sludgeTotalLine(long count);

}  // namespace import
