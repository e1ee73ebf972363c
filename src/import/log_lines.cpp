#include "import/log_lines.h"

#include "platform/text/number.h"
#include "platform/text/picture.h"
#include "platform/text/str.h"

namespace import {
namespace {

std::string trimmed(std::string_view s) { return std::string(text::trimRight(s)); }

std::string padded(std::string_view s, std::size_t width) {
  text::Str<50> f(s);
  std::string out = text::fromCp1252(f.raw().substr(0, width));
  return out;
}

// Days in two positions; a count that needs more is written in full.
std::string days2(long days) { return text::formatRightAligned(days, 2); }

std::string storedLine(std::string_view prefix, text::Date d1, text::Date d2, long days, bool added) {
  std::string s(prefix);
  s += text::formatLogDate(d1);
  s += " - ";
  s += text::formatLogDate(d2);
  s += " Ant. døgn: ";
  s += days2(days);
  s += added ? " Status: Ny" : " Status: Eksist";
  return s;
}

}  // namespace

std::string missingRequisitionerLine(std::string_view rekv) {
  return "Data for Leverndør: " + trimmed(rekv) + " er IKKE i importfile!";
}

std::string missingPlantLine(std::string_view leverand) {
  return "Leverandør: " + trimmed(leverand) + " er ikke registrert Sivra 2000!";
}

std::string plantHeaderLine(std::string_view anleggsnr, std::string_view anleggsnavn, text::Date today,
                            int secondsSinceMidnight) {
  return "Anlegg: " + padded(anleggsnr, 6) + " " + padded(anleggsnavn, 50) +
         " Data importert: " + text::formatLogDate(today) + " kl. " + text::formatLogTime(secondsSinceMidnight);
}

std::string dashLine() { return std::string(150, '-'); }

std::string storedDischargeLine(text::Date dato1, text::Date dato2, long days, bool added) {
  return storedLine("Lagret Utslippskontroll - Periode: ", dato1, dato2, days, added);
}

std::string storedSludgeLine(text::Date dato1, text::Date dato2, long days, bool added) {
  return storedLine("Lagret Slamkontroll     - Periode: ", dato1, dato2, days, added);
}

std::string failedStorePrefix(std::string_view kind, std::string_view anleggsnr, text::Date dato1, text::Date dato2,
                              std::string_view journal) {
  return "IKKE lagret " + std::string(kind) + " - Anlegg: " + trimmed(anleggsnr) +
         " Periode: " + text::formatLogDate(dato1) + " - " + text::formatLogDate(dato2) +
         " Journal: " + trimmed(journal);
}

std::string notAResultLine(std::string_view journal, std::string_view code, std::string_view result) {
  return "Ugyldig resultat - Journal: " + trimmed(journal) + " Analyse: " + trimmed(code) +
         " Verdi: " + trimmed(result) + " er ikke lagret!";
}

std::string notAFactorLine(std::string_view prtype, std::string_view code) {
  return "Ugyldig faktor i MapParam - Prøvetype: " + trimmed(prtype) + " Analyse: " + trimmed(code) +
         " Faktoren er ikke et tall: koblingen er ikke brukt, og lagrede kontroller overskrives ikke!";
}

std::string dayCountOutOfRangeLine(std::string_view journal, std::string_view code, double days) {
  return "Ugyldig antall døgn - Journal: " + trimmed(journal) + " Analyse: " + trimmed(code) +
         " Verdi: " + text::numberToText(days) + " (tillatt 0 - " + std::to_string(kMaxDayCount) + ") er ikke lagret!";
}

std::string notFiniteFactorLine(std::string_view journal, std::string_view code, std::string_view target, double factor,
                                double result) {
  return "Ugyldig faktor - Journal: " + trimmed(journal) + " Analyse: " + trimmed(code) + " (" + trimmed(target) +
         ") Faktor: " + text::numberToText(factor) + " Verdi: " + text::numberToText(result) + " er ikke lagret!";
}

std::string notADateLine(std::string_view journal, std::string_view dateField) {
  return "Ugyldig dato - Journal: " + trimmed(journal) + " " + std::string(dateField) +
         " er ikke en dato, prøven er ikke lest!";
}

std::string dischargeTotalLine(long count) { return "Antall Utsl.kontr.prøver lagret: " + text::formatCount5(count); }

std::string sludgeTotalLine(long count) { return "Antall Slam.kontr.prøver lagret: " + text::formatCount5(count); }

}  // namespace import
