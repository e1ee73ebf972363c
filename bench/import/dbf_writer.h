#pragma once
// A minimal dBase III table writer for generated bench data (character, numeric and date
// columns, no memo). Test fixtures come from an independent writer instead.
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

struct DbfColumn {
  std::string name;  // up to 10 characters
  char type;         // 'C', 'N' or 'D'
  int width;
  int decimals = 0;
};

class DbfWriter {
 public:
  DbfWriter(std::string path, std::vector<DbfColumn> columns);
  ~DbfWriter();
  DbfWriter(const DbfWriter&) = delete;
  DbfWriter& operator=(const DbfWriter&) = delete;

  // One row; values as the table holds them (dates "YYYYMMDD"), each cut or blank-padded.
  void row(const std::vector<std::string>& values);
  void close();

 private:
  std::string path_;
  std::vector<DbfColumn> columns_;
  std::FILE* f_ = nullptr;
  unsigned rows_ = 0;
  int recordLength_ = 1;
};

}  // namespace bench
