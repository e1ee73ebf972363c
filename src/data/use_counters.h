#pragma once
// Opening and dropping files through the use counters: a file is open on the thread exactly
// while its counter is above 0. Opening goes through the open-file check.
#include <cstdint>
#include <initializer_list>
#include <mutex>
#include <vector>

#include "data/file_id.h"
#include "data/program_files.h"

namespace data {

// Only for the 13 files that have a counter (hasUseCounter); any other id ends the program.
// Counter 0: open the thread's instance through openFileChecked (create 1, mode 42h); then +1.
// Returns the check's code (0 when the file is open).
int useFile(FileId id);
// -1; at 0 the instance is closed.
void dropFile(FileId id);

// Takes each file through its use counter, in order, for as long as it lives, and gives back
// (last first) exactly the ones it took: a failed open is never dropped.
class UsedFiles {
 public:
  UsedFiles(std::initializer_list<FileId> ids) : UsedFiles(std::vector<FileId>(ids)) {}
  explicit UsedFiles(const std::vector<FileId>& ids);
  ~UsedFiles();
  UsedFiles(const UsedFiles&) = delete;
  UsedFiles& operator=(const UsedFiles&) = delete;

 private:
  std::vector<FileId> taken_;
};

// The one process-wide Datasett with its own counter and lock. Hold the lock while using it.
struct DatasettShared {
  std::mutex lock;
  data::Datasett file;
  std::int32_t useCount = 0;
};
DatasettShared& datasett();
int useDatasett();  // takes the lock itself
void dropDatasett();

}  // namespace data
