// Opening a 100 MB sample table and building its run-time index, against reading the same
// file sequentially. Prints the times and their ratio; the table is written by a small writer
// of our own into a temporary folder and removed afterwards.
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "platform/dbase/table.h"

namespace {

void put16(std::string& s, std::size_t at, std::uint32_t v) {
  s[at] = static_cast<char>(v & 0xFF);
  s[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}

// A FoxPro-style table: JRNLNR C(4), STED C(2), TEKST C(194); about 100 MB.
std::string writeTable(const std::filesystem::path& path, std::uint32_t rows) {
  const struct {
    const char* name;
    std::uint8_t length;
  } fields[] = {{"JRNLNR", 4}, {"STED", 2}, {"TEKST", 194}};
  const std::uint32_t headerLength = 32 + 32 * 3 + 1;
  const std::uint32_t recordLength = 1 + 4 + 2 + 194;
  std::string header(headerLength, '\0');
  header[0] = '\x03';
  for (int i = 0; i < 4; ++i) header[4 + static_cast<std::size_t>(i)] = static_cast<char>((rows >> (8 * i)) & 0xFF);
  put16(header, 8, headerLength);
  put16(header, 10, recordLength);
  header[29] = '\x66';  // CP865
  for (std::size_t f = 0; f < 3; ++f) {
    const std::size_t at = 32 + 32 * f;
    std::string name = fields[f].name;
    std::copy(name.begin(), name.end(), header.begin() + static_cast<std::ptrdiff_t>(at));
    header[at + 11] = 'C';
    header[at + 16] = static_cast<char>(fields[f].length);
  }
  header[headerLength - 1] = '\x0D';
  std::ofstream out(path, std::ios::binary);
  out << header;
  std::mt19937 random(42);
  std::string row(recordLength, ' ');
  for (std::uint32_t r = 0; r < rows; ++r) {
    std::snprintf(row.data() + 1, 7, "%04u%02u", static_cast<unsigned>(random() % 10000),
                  static_cast<unsigned>(random() % 100));
    row[7] = static_cast<char>('A' + r % 26);
    row[0] = r % 50 == 0 ? '*' : ' ';
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
  out << '\x1A';
  return path.string();
}

double seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

}  // namespace

int main() {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("l2s_dbase_bench_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::uint32_t rows = 100u * 1000u * 1000u / 201u;
  const std::string path = writeTable(dir / "RNX20.dbf", rows);

  // Sequential: open without an index, walk every live row and take its key fields.
  auto start = std::chrono::steady_clock::now();
  std::size_t seen = 0;
  {
    dbase::Table t;
    t.setName(path);
    if (!t.open().ok()) return 1;
    while (t.next().ok()) seen += t.cp1252(0).size() + t.cp1252(1).size();
  }
  const double sequential = seconds(start);

  start = std::chrono::steady_clock::now();
  {
    dbase::Table t;
    t.setName(path);
    const int index = t.declareIndex("I_RNX20=C[JRNLNR+STED]", true);
    if (!t.buildIndex(index).ok() || !t.open().ok()) return 1;
  }
  const double indexed = seconds(start);

  std::printf("table: %u rows, %.0f MB\n", rows, static_cast<double>(fs::file_size(path)) / 1e6);
  std::printf("sequential read:          %.3f s (%zu key bytes)\n", sequential, seen);
  std::printf("open + run-time index:    %.3f s\n", indexed);
  std::printf("ratio index / sequential: %.2f\n", indexed / sequential);
  fs::remove_all(dir);
  return 0;
}
