#include "data/open_file_check.h"

#include <string>

#include "data/warnings.h"
#include "platform/store/paths.h"
#include "platform/ui/api/dialogs.h"

namespace data {
namespace {

// Warnings name the file by the path it has on this machine, so the user can find it.
std::string diskName(const store::FileBase& file) { return store::resolvePath(file.name()); }

}  // namespace

// Every failure that cannot be repaired ends the program here (the warnings of kinds 1 to 5 end
// it themselves), so a caller that gets control back has the file open.
int openFileChecked(store::FileBase& file, std::optional<std::uint8_t> create, std::uint8_t mode) {
  int err = file.open(mode);
  if (err == 32) {
    // Another program left the file locked: wait longer once and try again.
    file.sendOption("Recover=10");
    err = file.open(mode);
  }
  switch (err) {
    case 0:
    case 52: return 0;
    case 2:
      if (!create) break;
      if (*create != 1) {
        ShowWarningText(kFileCreationError, diskName(file));
        return err;
      }
      if (file.create() != 0) {
        ShowWarningText(kFileCreationError, diskName(file));
        return err;
      }
      err = file.open(mode);
      if (err == 0) return 0;
      ShowWarningText(kCreatedFileOpenError, diskName(file));
      return err;
    case 47: ShowWarningText(kInvalidFile, diskName(file)); return err;
    case 46:
      ShowWarningText(kInvalidKey, diskName(file));  // No ends the program
      if (file.buildKeys() != 0) {
        ShowWarningText(kKeyRebuildError, diskName(file));
        return err;
      }
      err = file.open(mode);
      break;
    default: break;
  }
  if (err == 0) return 0;
  ShowWarningText(kFileAccessError, diskName(file));
  ui::halt("Disk Error", 0);
}

}  // namespace data
