#include "data/file_names.h"

#include <mutex>

#include "platform/text/str.h"

namespace data {

namespace {

constexpr std::string_view kLabels[kFileIdCount] = {
    "Lab2Siv",        "MapLab",         "Labuser",        "MapLever",         "MapParam",
    "MapSted",        "Postadresser",   "Slamdisponering", "Slamkontroll",    "PrTakingsSted",
    "Slamoverforing", "Driftsdata",     "Anlegg",         "Parameter",        "PrType",
    "Driftsanalyser", "Utslippskontroll", "Bef_reg",      "Bef_dato",         "Datasett",
    "ImportLog"};

// What follows the data directory, with the letter case the registry uses.
constexpr std::string_view kSuffix[kFileIdCount] = {
    "",                     "\\MapFile.tps",        "",                   "\\MapLever.tps",
    "\\MapParam.tps",       "\\MapSted.tps",        "\\Postadresser.tps", "\\Slamdisponering.tps",
    "\\Slamkontroll.tps",   "\\PrTakingsSted.tps",  "\\Slamoverforing.tps", "\\Driftsdata.tps",
    "\\Anlegg.tps",         "\\Parameter.tps",      "\\PrType.tps",       "\\Driftsanalyser.tps",
    "\\Utslippskontroll.tps", "\\Bef_reg.Tps",      "\\Bef_dato.Tps",     "",
    "\\Import.Txt"};

struct Names {
  std::mutex lock;
  std::array<std::string, kFileIdCount> names;  // Windows-1252, cut to width, trailing blanks removed
  text::Str<255> dataDirectory;
};

Names& names() {
  static Names n;
  return n;
}

// A name as the fixed-width variable holds it: in Windows-1252, cut, trailing blanks gone.
std::string fit(FileId id, std::string_view utf8) {
  std::string raw = text::toCp1252(utf8);
  if (raw.size() > fileNameWidth(id)) raw.resize(fileNameWidth(id));
  return std::string(text::trimRight(raw));
}

}  // namespace

std::string_view fileLabel(FileId id) { return kLabels[std::size_t(id)]; }

std::size_t fileNameWidth(FileId id) {
  switch (id) {
    case FileId::Datasett:
    case FileId::PrType:
    case FileId::PrTakingsSted:
    case FileId::Postadresser: return 200;
    case FileId::Bef_reg:
    case FileId::Bef_dato: return 260;
    default: return 255;
  }
}

std::string fileName(FileId id) {
  auto& n = names();
  std::lock_guard lk(n.lock);
  return text::fromCp1252(n.names[std::size_t(id)]);
}

void setFileName(FileId id, std::string_view name) {
  const std::string v = fit(id, name);
  auto& n = names();
  std::lock_guard lk(n.lock);
  n.names[std::size_t(id)] = v;
}

FileNames fileNamesSnapshot() {
  auto& n = names();
  FileNames out;
  std::lock_guard lk(n.lock);
  for (std::size_t i = 0; i < kFileIdCount; ++i) out.names[i] = text::fromCp1252(n.names[i]);
  return out;
}

std::string DataDirectory() {
  auto& n = names();
  std::lock_guard lk(n.lock);
  return n.dataDirectory.str();
}

void setDataDirectory(std::string_view dir) {
  auto& n = names();
  std::lock_guard lk(n.lock);
  n.dataDirectory = dir;
}

void SetFileNames() {
  auto& n = names();
  std::lock_guard lk(n.lock);  // one rewrite at a time, never seen half done
  n.names[std::size_t(FileId::Lab2Siv)] = fit(FileId::Lab2Siv, "Lab2Siv.Tps");
  n.names[std::size_t(FileId::Labuser)] = fit(FileId::Labuser, "Labuser.tps");
  const std::string dir = n.dataDirectory.str();
  for (std::size_t i = 0; i < kFileIdCount; ++i) {
    if (kSuffix[i].empty()) continue;
    n.names[i] = fit(FileId(i), dir + std::string(kSuffix[i]));
  }
}

void resetFileNames() {
  auto& n = names();
  std::lock_guard lk(n.lock);
  for (auto& s : n.names) s.clear();
  n.dataDirectory.clear();
}

}  // namespace data
