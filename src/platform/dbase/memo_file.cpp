#include "platform/dbase/memo_file.h"

namespace dbase {

namespace {

std::uint32_t be32(std::string_view b, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.data() + at);
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}
std::uint32_t le32(std::string_view b, std::size_t at) {
  const auto* p = reinterpret_cast<const unsigned char*>(b.data() + at);
  return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

}  // namespace

Error MemoFile::parse(std::string bytes, Kind kind, MemoFile& out) {
  out = MemoFile{};
  if (kind == Kind::None) return {};
  if (bytes.size() < 512) return makeError(Code::InvalidFile, "memo file shorter than its header");
  std::uint32_t size = 512;
  if (kind == Kind::Fpt) {
    size = (static_cast<unsigned char>(bytes[6]) << 8) | static_cast<unsigned char>(bytes[7]);
  } else if (kind == Kind::Dbt4) {
    size = static_cast<unsigned char>(bytes[20]) | (static_cast<unsigned char>(bytes[21]) << 8);
    if (size == 0) size = 512;
  }
  if (size == 0) return makeError(Code::InvalidFile, "memo block size 0");
  out.bytes_ = std::move(bytes);
  out.kind_ = kind;
  out.blockSize_ = size;
  return {};
}

Error MemoFile::read(std::uint32_t block, std::string& out) const {
  out.clear();
  if (kind_ == Kind::None || block == 0) return {};
  const std::uint64_t at = std::uint64_t{block} * blockSize_;
  const std::string_view b(bytes_);
  if (at >= b.size())
    return makeError(Code::InvalidFile, "memo block " + std::to_string(block) + " outside the memo file");
  const std::size_t start = static_cast<std::size_t>(at);
  if (kind_ == Kind::Fpt || kind_ == Kind::Dbt4) {
    if (b.size() - start < 8) return makeError(Code::InvalidFile, "memo block header past the end of the memo file");
    std::uint64_t len;
    std::size_t data = start + 8;
    if (kind_ == Kind::Fpt) {
      len = be32(b, start + 4);
    } else {
      if (static_cast<unsigned char>(b[start]) != 0xFF || static_cast<unsigned char>(b[start + 1]) != 0xFF) {
        // Some writers mark dBase IV memo files yet keep dBase III blocks.
        const std::size_t end = b.find('\x1A', start);
        out.assign(b.substr(start, end == std::string_view::npos ? b.size() - start : end - start));
        return {};
      }
      len = le32(b, start + 4);
      len = len >= 8 ? len - 8 : 0;
    }
    if (len > b.size() - data) return makeError(Code::InvalidFile, "memo length runs past the end of the memo file");
    out.assign(b.substr(data, static_cast<std::size_t>(len)));
    return {};
  }
  // dBase III: the text ends at the first end-of-file byte.
  const std::size_t end = b.find('\x1A', start);
  out.assign(b.substr(start, end == std::string_view::npos ? b.size() - start : end - start));
  return {};
}

}  // namespace dbase
