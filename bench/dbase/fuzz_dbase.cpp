// libFuzzer target over the table header, field descriptors, rows, memo blocks and key building.
// Input: byte 0 picks the memo format, bytes 1-2 the memo part's length, then memo, then table.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/dbase/memo_file.h"
#include "platform/dbase/table.h"
#include "platform/dbase/table_image.h"

namespace {

void readEverything(const dbase::TableImage& img) {
  std::string memo;
  const std::uint32_t rows = img.recordCount() < 64 ? img.recordCount() : 64;
  for (std::uint32_t r = 0; r < rows; ++r) {
    for (int f = 0; f < static_cast<int>(img.fields().size()); ++f) {
      (void)img.text(r, f);
      (void)img.cp1252(r, f);
      (void)img.number(r, f);
      (void)img.date(r, f);
      (void)img.logical(r, f);
      (void)img.memo(r, f, memo);
    }
  }
}

const std::string& scratchFile() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("l2s_dbase_fuzz_" + std::to_string(::getpid()) + ".dbf")).string();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const auto kind = static_cast<dbase::MemoFile::Kind>(data[0] % 4);
  std::size_t memoLength = static_cast<std::size_t>(data[1]) | (static_cast<std::size_t>(data[2]) << 8);
  if (memoLength > size - 3) memoLength = size - 3;
  const std::string memoBytes(reinterpret_cast<const char*>(data + 3), memoLength);
  const std::string tableBytes(reinterpret_cast<const char*>(data + 3 + memoLength), size - 3 - memoLength);

  dbase::TableImage img;
  if (dbase::TableImage::parse(tableBytes, img).ok()) {
    dbase::MemoFile memo;
    if (dbase::MemoFile::parse(memoBytes, kind, memo).ok()) img.attachMemo(std::move(memo));
    readEverything(img);
    // Keys over the first two columns, through a real open.
    if (FILE* f = std::fopen(scratchFile().c_str(), "wb")) {
      std::fwrite(tableBytes.data(), 1, tableBytes.size(), f);
      std::fclose(f);
      dbase::Table t;
      t.setName(scratchFile());
      std::string expr = "I=C[" + img.fields()[0].name;
      if (img.fields().size() > 1) expr += "+" + img.fields()[1].name;
      const int index = t.declareIndex(expr + "]", (data[0] & 4) != 0);
      if (index >= 0 && t.open(dbase::kReadWriteDenyNone).ok()) {
        (void)t.set(index, {"A", "0"});
        for (int i = 0; i < 8 && t.next().ok(); ++i) (void)t.text(0);
        (void)t.previous();
        t.close();
      }
    }
  }
  dbase::TableImage header;
  (void)dbase::TableImage::parse(tableBytes, header, true);
  return 0;
}
