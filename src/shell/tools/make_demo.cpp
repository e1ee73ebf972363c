// lab2siv-demo DIR: sets up a demo working directory for the program: the shared settings file
// (DIR/system/Siv2000.ini, the program's system settings directory when run by scripts/run),
// the dataset list DIR/Datasett.tps with one dataset "Demo", and its data directory DIR/data.
// Run again, it keeps what is there.
#include <filesystem>
#include <iostream>
#include <string>

#include "data/program_files.h"
#include "platform/ini/ini.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDataset = "Demo";

bool fail(const std::string& what, const data::Datasett& f) {
  std::cerr << "lab2siv-demo: " << what << ": " << f.errorText() << " (" << f.errorCode() << ")\n";
  return false;
}

bool makeDatasetList(const fs::path& dir) {
  data::Datasett list;
  list.setName((dir / "Datasett.tps").string());
  if (list.open() == 2 && list.create() != 0) return fail("creating Datasett.tps", list);
  if (!list.isOpen() && list.open() != 0) return fail("opening Datasett.tps", list);
  list.clear();
  list.rec.DATASETT_NAVN = kDataset;
  if (list.get(data::Datasett::DATASETT_KEY) != 0) {
    list.clear();
    list.rec.DATASETT_NAVN = kDataset;
    list.rec.DATAKATALOG = (dir / "data").string();
    if (list.add() != 0) return fail("adding the demo dataset", list);
  }
  list.close();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: lab2siv-demo DIR\n";
    return 2;
  }
  std::error_code ec;
  const fs::path dir = fs::absolute(argv[1], ec);
  fs::create_directories(dir / "system", ec);
  fs::create_directories(dir / "data", ec);
  if (ec) {
    std::cerr << "lab2siv-demo: cannot create " << dir.string() << ": " << ec.message() << "\n";
    return 1;
  }
  if (!makeDatasetList(dir)) return 1;
  const std::string ini = (dir / "system" / "Siv2000.ini").string();
  if (ini::getValue(ini, "Datasett", "Datasett_navn", "").empty() &&
      !ini::putValue(ini, "Datasett", "Datasett_navn", kDataset)) {
    std::cerr << "lab2siv-demo: cannot write " << ini << "\n";
    return 1;
  }
  std::cout << "Demo working directory: " << dir.string() << "\n";
  return 0;
}
