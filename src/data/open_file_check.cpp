// First shape of the open-file check: open, create a missing file, report the code.
#include "data/open_file_check.h"

namespace data {

int openFileChecked(store::FileBase& file, std::optional<std::uint8_t> create, std::uint8_t mode) {
  int rc = file.open(mode);
  if (rc == store::Err::Locked) {
    file.sendOption("Recover=10");
    rc = file.open(mode);
  }
  if (rc == store::Err::FileNotFound && create && *create == 1) {
    rc = file.create();
    if (rc == 0) rc = file.open(mode);
  }
  return rc == store::Err::AlreadyOpen ? 0 : rc;
}

}  // namespace data
