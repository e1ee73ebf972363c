#pragma once
// The process-wide file-name variables and the data directory. Every read and write goes
// through one lock, so a window opening a file never sees a name half rewritten.
// Names are built with "\" as the registry writes them; the store turns them into paths
// (see store::resolvePath).
#include <array>
#include <cstddef>
#include <string>

#include "data/file_id.h"

namespace data {

// Width of a name variable: 255, except Datasett, PrType, PrTakingsSted and Postadresser
// (200) and Bef_reg and Bef_dato (260). A longer name is cut to the width.
std::size_t fileNameWidth(FileId id);

// The current name of one file (trailing blanks removed).
std::string fileName(FileId id);
// Sets one name (cut to its width); the frame uses it for Datasett.
void setFileName(FileId id, std::string_view name);

struct FileNames {
  std::array<std::string, kFileIdCount> names;
  const std::string& operator[](FileId id) const { return names[std::size_t(id)]; }
};
// A consistent copy of every name at one moment.
FileNames fileNamesSnapshot();

// DataDirectory, STRING(255): the chosen dataset's data directory.
std::string DataDirectory();
void setDataDirectory(std::string_view dir);

// Sets every name variable from DataDirectory (all but Datasett); opens nothing.
void SetFileNames();

// Program start: every name and the data directory blank (also for tests).
void resetFileNames();

}  // namespace data
