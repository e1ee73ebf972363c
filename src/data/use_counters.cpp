#include "data/use_counters.h"

#include <cstdio>
#include <cstdlib>

#include "data/file_names.h"
#include "data/open_file_check.h"
#include "data/thread_state.h"

namespace data {

namespace {

// Only the 13 counted files have a counter; any other id would count outside the counters.
void requireCounter(FileId id) {
  if (hasUseCounter(id)) return;
  std::fprintf(stderr, "no use counter for %.*s\n", int(fileLabel(id).size()), fileLabel(id).data());
  std::abort();
}

}  // namespace

int useFile(FileId id) {
  requireCounter(id);
  auto& t = thr();
  auto& count = t.useCount[std::size_t(id)];
  if (count == 0) {
    const int rc = openFileChecked(t.file(id), 1);
    if (rc != 0) return rc;  // the full check ends the program instead; never count a failed open
  }
  ++count;
  return 0;
}

void dropFile(FileId id) {
  requireCounter(id);
  auto& t = thr();
  auto& count = t.useCount[std::size_t(id)];
  if (count <= 0) return;
  if (--count == 0) t.file(id).close();
}

UsedFiles::UsedFiles(const std::vector<FileId>& ids) {
  for (FileId id : ids)
    if (useFile(id) == 0) taken_.push_back(id);
}

UsedFiles::~UsedFiles() {
  for (auto it = taken_.rbegin(); it != taken_.rend(); ++it) dropFile(*it);
}

DatasettShared& datasett() {
  static DatasettShared d;
  static const bool named = [] {
    d.file.setNameSource([] { return fileName(FileId::Datasett); });
    return true;
  }();
  (void)named;
  return d;
}

int useDatasett() {
  auto& d = datasett();
  std::lock_guard lk(d.lock);
  if (d.useCount == 0) {
    const int rc = openFileChecked(d.file, 1);
    if (rc != 0) return rc;
  }
  ++d.useCount;
  return 0;
}

void dropDatasett() {
  auto& d = datasett();
  std::lock_guard lk(d.lock);
  if (d.useCount <= 0) return;
  if (--d.useCount == 0) d.file.close();
}

}  // namespace data
