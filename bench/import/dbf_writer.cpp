#include "dbf_writer.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace bench {
namespace {

void put16(unsigned char* p, unsigned v) {
  p[0] = v & 0xff;
  p[1] = (v >> 8) & 0xff;
}
void put32(unsigned char* p, unsigned v) {
  for (int i = 0; i < 4; ++i) p[i] = (v >> (8 * i)) & 0xff;
}

}  // namespace

DbfWriter::DbfWriter(std::string path, std::vector<DbfColumn> columns)
    : path_(std::move(path)), columns_(std::move(columns)) {
  f_ = std::fopen(path_.c_str(), "wb");
  if (!f_) throw std::runtime_error("cannot write " + path_);
  for (const auto& c : columns_) recordLength_ += c.width;
  const unsigned headerLength = 32 + 32 * unsigned(columns_.size()) + 1;
  unsigned char h[32] = {};
  h[0] = 0x03;
  h[1] = 108;  // 2008-01-01
  h[2] = 1;
  h[3] = 1;
  put16(h + 8, headerLength);
  put16(h + 10, unsigned(recordLength_));
  h[29] = 0x66;  // code page 865
  std::fwrite(h, 1, 32, f_);
  for (const auto& c : columns_) {
    unsigned char d[32] = {};
    std::memcpy(d, c.name.data(), std::min<std::size_t>(c.name.size(), 10));
    d[11] = static_cast<unsigned char>(c.type);
    d[16] = static_cast<unsigned char>(c.width);
    d[17] = static_cast<unsigned char>(c.decimals);
    std::fwrite(d, 1, 32, f_);
  }
  std::fputc(0x0d, f_);
}

DbfWriter::~DbfWriter() { close(); }

void DbfWriter::row(const std::vector<std::string>& values) {
  std::string rec(std::size_t(recordLength_), ' ');
  std::size_t at = 1;
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const auto& c = columns_[i];
    std::string v = i < values.size() ? values[i] : std::string();
    if (v.size() > std::size_t(c.width)) v.resize(std::size_t(c.width));
    if (c.type == 'N')
      rec.replace(at + std::size_t(c.width) - v.size(), v.size(), v);  // right-aligned
    else
      rec.replace(at, v.size(), v);
    at += std::size_t(c.width);
  }
  std::fwrite(rec.data(), 1, rec.size(), f_);
  ++rows_;
}

void DbfWriter::close() {
  if (!f_) return;
  std::fputc(0x1a, f_);
  unsigned char n[4];
  put32(n, rows_);
  std::fseek(f_, 4, SEEK_SET);
  std::fwrite(n, 1, 4, f_);
  std::fclose(f_);
  f_ = nullptr;
}

}  // namespace bench
