// lab2siv-demo DIR: sets up a demo working directory for the program:
//   DIR/system/Siv2000.ini  the shared settings (dataset "Demo", the demo laboratory chosen)
//   DIR/Datasett.tps        the dataset list with the dataset "Demo"
//   DIR/data                its data directory: plants, code lists, one laboratory and its mappings
//   DIR/lab                 the laboratory's export (copied from demo-data/lab)
// Run again, it keeps what is there. Every file is built aside and renamed into place, so an
// interrupted run leaves each file either complete or missing, and the next run completes it.
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <utility>

#include "data/program_files.h"
#include "data/registry_files.h"
#include "demo_registry.h"
#include "platform/ini/ini.h"
#include "platform/store/file.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDataset = "Demo";
constexpr const char* kStagingPrefix = ".lab2siv-demo-";

bool fail(const std::string& what) {
  std::cerr << "lab2siv-demo: " << what << "\n";
  return false;
}

bool makeDatasetList(const fs::path& dir) {
  data::Datasett list;
  list.setName((dir / "Datasett.tps").string());
  if (list.open() == 2 && list.create() != 0) return fail("creating Datasett.tps: " + list.errorText());
  if (!list.isOpen() && list.open() != 0) return fail("opening Datasett.tps: " + list.errorText());
  list.clear();
  list.rec.DATASETT_NAVN = kDataset;
  if (list.get(data::Datasett::DATASETT_KEY) != 0) {
    list.clear();
    list.rec.DATASETT_NAVN = kDataset;
    list.rec.DATAKATALOG = (dir / "data").string();
    if (list.add() != 0) return fail("adding the demo dataset: " + list.errorText());
  }
  list.close();
  return true;
}

// Staging directories of runs that were killed (their process is gone).
void removeStaleStaging(const fs::path& dir) {
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) {
    const std::string name = e.path().filename().string();
    if (name.rfind(kStagingPrefix, 0) != 0) continue;
    const pid_t pid = pid_t(std::atol(name.c_str() + std::string(kStagingPrefix).size()));
    if (pid > 0 && pid != ::getpid() && ::kill(pid, 0) == 0) continue;
    fs::remove_all(e.path(), ec);
  }
}

// A registry file is kept when it holds records; one the program created empty on its own
// (it creates every missing file when it starts) is replaced. Anything else is left alone and
// reported.
enum class Existing { Missing, Empty, Filled, Foreign };

template <class F>
Existing inspect(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return Existing::Missing;
  F f;
  f.setName(path.string());
  if (f.open() != 0) return Existing::Foreign;
  const long long n = f.records();
  f.close();
  return n < 0 ? Existing::Foreign : n == 0 ? Existing::Empty : Existing::Filled;
}

// The files writeRegistry fills, each with the record file that reads it.
struct RegistryFile {
  const char* name;
  Existing (*inspect)(const fs::path&);
};
constexpr RegistryFile kRegistryFiles[] = {
    {"Anlegg.tps", inspect<data::Anlegg>},
    {"Parameter.tps", inspect<data::Parameter>},
    {"PrType.tps", inspect<data::PrType>},
    {"PrTakingsSted.tps", inspect<data::PrTakingsSted>},
    {"Postadresser.tps", inspect<data::Postadresser>},
    {"MapFile.tps", inspect<data::MapLab>},
    {"MapLever.tps", inspect<data::MapLever>},
    {"MapParam.tps", inspect<data::MapParam>},
    {"MapSted.tps", inspect<data::MapSted>},
};

bool installRegistry(const fs::path& staged, const fs::path& dataDir) {
  bool ok = true;
  for (const RegistryFile& file : kRegistryFiles) {
    const std::string name = file.name;
    const fs::path target = dataDir / name;
    switch (file.inspect(target)) {
      case Existing::Filled: continue;
      case Existing::Foreign: ok = fail(target.string() + " is not a readable registry file; left as it is"); continue;
      case Existing::Missing:
      case Existing::Empty: break;
    }
    std::error_code ec;
    fs::rename(staged / name, target, ec);
    if (ec) ok = fail("cannot move " + name + " into " + dataDir.string() + ": " + ec.message());
  }
  return ok;
}

// Copies the export's files that are missing from `labDir`, each through a staged copy.
bool installExport(const fs::path& source, const fs::path& staging, const fs::path& labDir) {
  std::error_code ec;
  fs::create_directories(labDir, ec);
  if (ec) return fail("cannot create " + labDir.string() + ": " + ec.message());
  bool any = false;
  for (const auto& e : fs::directory_iterator(source, ec)) {
    if (!e.is_regular_file()) continue;
    any = true;
    const fs::path target = labDir / e.path().filename();
    if (fs::exists(target, ec)) continue;
    const fs::path aside = staging / e.path().filename();
    fs::copy_file(e.path(), aside, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(aside, target, ec);
    if (ec) return fail("cannot copy " + e.path().string() + ": " + ec.message());
  }
  if (ec || !any) return fail("no laboratory export in " + source.string());
  return true;
}

// The settings the import window opens with; a key already in the file keeps its value.
bool writeSettings(const std::string& file, const fs::path& labDir) {
  const std::pair<const char*, std::string> keys[] = {
      {"Lab", demo::kLab},
      {"Importfile", (labDir / demo::kImportFile).string()},
      {"PrType", demo::kPrType},
      {"Pr_takingsted", demo::kPrTakingsSted},
  };
  constexpr const char* kMissing = "\x01";
  for (const auto& [key, value] : keys) {
    if (ini::getValue(file, "PROVEX", key, kMissing) == kMissing && !ini::putValue(file, "PROVEX", key, value))
      return fail("cannot write " + file);
  }
  if (ini::getValue(file, "Datasett", "Datasett_navn", "").empty() &&
      !ini::putValue(file, "Datasett", "Datasett_navn", kDataset))
    return fail("cannot write " + file);
  return true;
}

// The laboratory export: installed beside the program (PREFIX/share/lab2siv/demo-lab), else
// the source tree's.
fs::path demoExport() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    const fs::path installed = exe.parent_path().parent_path() / "share" / "lab2siv" / "demo-lab";
    if (fs::is_directory(installed, ec)) return installed;
  }
  return LAB2SIV_DEMO_EXPORT;
}

constexpr const char* kUsage =
    "Usage: lab2siv-demo DIR\n"
    "Sets up a demo working directory for lab2siv in DIR (made when missing; run again, it\n"
    "keeps what is there): DIR/Datasett.tps with the dataset \"Demo\", its data directory\n"
    "DIR/data, a laboratory export in DIR/lab and the settings file DIR/system/Siv2000.ini.\n"
    "Then start the program there:  cd DIR && LAB2SIV_SYSTEM_DIR=DIR/system lab2siv\n";

}  // namespace

int main(int argc, char** argv) {
  const std::string arg = argc == 2 ? argv[1] : "";
  if (arg == "--help" || arg == "-h") {
    std::cout << kUsage;
    return 0;
  }
  if (argc != 2 || arg.empty() || arg[0] == '-') {
    // A name that looks like an option is refused rather than made a directory ("./-x" works).
    if (argc == 2 && !arg.empty() && arg[0] == '-') std::cerr << "lab2siv-demo: unknown option " << arg << "\n";
    std::cerr << kUsage;
    return 2;
  }
  std::error_code ec;
  const fs::path dir = fs::absolute(argv[1], ec).lexically_normal();
  const fs::path dataDir = dir / "data";
  const fs::path labDir = dir / "lab";
  fs::create_directories(dir / "system", ec);
  if (!ec) fs::create_directories(dataDir, ec);
  if (ec) {
    std::cerr << "lab2siv-demo: cannot create " << dir.string() << ": " << ec.message() << "\n";
    return 1;
  }
  removeStaleStaging(dir);
  const fs::path staging = dir / (kStagingPrefix + std::to_string(::getpid()));
  fs::create_directories(staging, ec);
  if (ec) {
    fail("cannot create " + staging.string() + ": " + ec.message());
    return 1;
  }

  std::string error;
  bool ok = demo::writeRegistry(staging, labDir, error) || fail(error);
  if (ok) ok = installExport(demoExport(), staging, labDir);
  if (ok) ok = installRegistry(staging, dataDir);
  // The dataset and the settings come last, so they never name a laboratory that is not there.
  if (ok) ok = makeDatasetList(dir);
  if (ok) ok = writeSettings((dir / "system" / "Siv2000.ini").string(), labDir);
  fs::remove_all(staging, ec);
  if (!ok) return 1;
  std::cout << "Demo working directory: " << dir.string() << "\n";
  return 0;
}
