#include "data/file_names.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

#include "platform/store/paths.h"
#include "platform/text/picture.h"
#include "platform/text/str.h"

namespace data {

namespace {

constexpr std::string_view kLabels[kFileIdCount] = {
    "Lab2Siv",         "MapLab",         "Labuser",          "MapLever",       "MapParam",   "MapSted",  "Postadresser",
    "Slamdisponering", "Slamkontroll",   "PrTakingsSted",    "Slamoverforing", "Driftsdata", "Anlegg",   "Parameter",
    "PrType",          "Driftsanalyser", "Utslippskontroll", "Bef_reg",        "Bef_dato",   "Datasett", "ImportLog"};

// What follows the data directory, with the letter case the registry uses.
constexpr std::string_view kSuffix[kFileIdCount] = {"",
                                                    "\\MapFile.tps",
                                                    "",
                                                    "\\MapLever.tps",
                                                    "\\MapParam.tps",
                                                    "\\MapSted.tps",
                                                    "\\Postadresser.tps",
                                                    "\\Slamdisponering.tps",
                                                    "\\Slamkontroll.tps",
                                                    "\\PrTakingsSted.tps",
                                                    "\\Slamoverforing.tps",
                                                    "\\Driftsdata.tps",
                                                    "\\Anlegg.tps",
                                                    "\\Parameter.tps",
                                                    "\\PrType.tps",
                                                    "\\Driftsanalyser.tps",
                                                    "\\Utslippskontroll.tps",
                                                    "\\Bef_reg.Tps",
                                                    "\\Bef_dato.Tps",
                                                    "",
                                                    "\\Import.Txt"};

constexpr std::size_t kDataDirectoryWidth = 255;

struct Names {
  std::mutex lock;
  std::array<std::string, kFileIdCount> names;  // UTF-8, cut to width, trailing blanks removed
  std::string dataDirectory;                    // UTF-8, trailing blanks removed
};

Names& names() {
  static Names n;
  return n;
}

std::size_t characters(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

// A text as a fixed-width variable holds it: cut to `width` characters, trailing blanks gone.
std::string fitWidth(std::string_view utf8, std::size_t width) {
  return std::string(text::trimRight(text::formatPictureS(utf8, static_cast<int>(width))));
}

std::string fit(FileId id, std::string_view utf8) { return fitWidth(utf8, fileNameWidth(id)); }

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
  return n.names[std::size_t(id)];
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
  out.names = n.names;
  return out;
}

std::string DataDirectory() {
  auto& n = names();
  std::lock_guard lk(n.lock);
  return n.dataDirectory;
}

void setDataDirectory(std::string_view dir) {
  const std::string v = fitWidth(dir, kDataDirectoryWidth);
  auto& n = names();
  std::lock_guard lk(n.lock);
  n.dataDirectory = v;
}

std::string dataDirectoryProblem(std::string_view dir) {
  const std::string d(text::trimRight(dir));
  if (d.find('?') != std::string::npos || !text::fitsStr(d, d.size() + 1))
    return "Datakatalogen har tegn som ikke kan brukes i et filnavn: " + d;
  if (characters(d) > kDataDirectoryWidth) return "Datakatalogen er for lang: " + d;
  for (std::size_t i = 0; i < kFileIdCount; ++i) {
    if (kSuffix[i].empty()) continue;
    const std::size_t width = fileNameWidth(FileId(i));
    if (characters(d) + characters(kSuffix[i]) > width)
      return "Datakatalogen er for lang: " + d + "|Navnet på fila " + std::string(kSuffix[i].substr(1)) +
             " blir lengre enn " + std::to_string(width) + " tegn.";
  }
  return "";
}

void useUserFolderForBlankDirectory() {
  // A root chosen through the environment (or by a test) stays.
  const char* chosen = std::getenv("LAB2SIV_DRIVE_ROOT");
  if ((chosen && *chosen) || store::driveRoot() != "/") return;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  std::filesystem::path base;
  if (xdg && *xdg)
    base = xdg;
  else if (home && *home)
    base = std::filesystem::path(home) / ".local" / "share";
  else
    return;  // no user folder to be had: the drive root stays
  store::setDriveRoot((base / "lab2siv").string());
}

void SetFileNames() {
  auto& n = names();
  std::lock_guard lk(n.lock);  // one rewrite at a time, never seen half done
  n.names[std::size_t(FileId::Lab2Siv)] = fit(FileId::Lab2Siv, "Lab2Siv.Tps");
  n.names[std::size_t(FileId::Labuser)] = fit(FileId::Labuser, "Labuser.tps");
  const std::string dir = n.dataDirectory;
  for (std::size_t i = 0; i < kFileIdCount; ++i) {
    if (kSuffix[i].empty()) continue;
    n.names[i] = fit(FileId(i), dir + std::string(kSuffix[i]));
  }
  if (dir.empty()) {
    // The files of a blank data directory go to the drive root's folder: create it.
    std::error_code ec;
    std::filesystem::create_directories(store::driveRoot(), ec);
  }
}

void resetFileNames() {
  auto& n = names();
  std::lock_guard lk(n.lock);
  for (auto& s : n.names) s.clear();
  n.dataDirectory.clear();
}

}  // namespace data
