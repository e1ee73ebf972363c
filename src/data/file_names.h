#pragma once
// The process-wide file-name variables and the data directory. Every read and write goes
// through one lock, so a window opening a file never sees a name half rewritten.
// Names are built with "\" as the registry writes them; the store turns them into paths
// (see store::resolvePath). They are never stored in a record, so they stay UTF-8: a path
// with a character outside Windows-1252 names the file it names.
#include <array>
#include <cstddef>
#include <string>

#include "data/file_id.h"

namespace data {

// Width of a name variable in characters: 255, except Datasett, PrType, PrTakingsSted and
// Postadresser (200) and Bef_reg and Bef_dato (260). A longer name is cut to the width; a data
// directory that would need that is refused first (dataDirectoryProblem).
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

// Why a data directory cannot be used, "" when it can: a name built from it would be cut, or it
// holds a character that the dataset list could not hold ("?" stands for one).
std::string dataDirectoryProblem(std::string_view dir);

// Where a blank data directory's files go: the drive root when $LAB2SIV_DRIVE_ROOT (or a test)
// moved it, else the user's own folder ($XDG_DATA_HOME/lab2siv, by default
// ~/.local/share/lab2siv), never the root of the disk.
// Program start calls it once; the folder is created when names are built from it.
void useUserFolderForBlankDirectory();

// Sets every name variable from DataDirectory (all but Datasett); opens nothing.
void SetFileNames();

// Program start: every name and the data directory blank (also for tests).
void resetFileNames();

}  // namespace data
