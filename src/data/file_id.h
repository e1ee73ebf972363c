#pragma once
// Every named file of the program: the 19 per-thread keyed files, the process-wide Datasett
// and the import log (a text file that only has a name here).
#include <cstddef>
#include <string_view>

namespace data {

enum class FileId {
  Lab2Siv,
  MapLab,
  Labuser,
  MapLever,
  MapParam,
  MapSted,
  Postadresser,
  Slamdisponering,
  Slamkontroll,
  PrTakingsSted,
  Slamoverforing,
  Driftsdata,
  Anlegg,
  Parameter,
  PrType,
  Driftsanalyser,
  Utslippskontroll,
  Bef_reg,
  Bef_dato,
  Datasett,
  ImportLog,
};
inline constexpr std::size_t kFileIdCount = std::size_t(FileId::ImportLog) + 1;
inline constexpr std::size_t kPerThreadFileCount = std::size_t(FileId::Bef_dato) + 1;

std::string_view fileLabel(FileId id);

}  // namespace data
