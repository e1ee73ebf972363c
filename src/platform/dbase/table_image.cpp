#include "platform/dbase/table_image.h"

#include <charconv>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "platform/dbase/dbase_date.h"
#include "platform/text/codepage.h"

namespace dbase {

namespace {

std::uint32_t le16(std::string_view b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | (static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8);
}
std::uint32_t le32(std::string_view b, std::size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }
std::int64_t le64(std::string_view b, std::size_t at) {
  return static_cast<std::int64_t>(std::uint64_t{le32(b, at)} | (std::uint64_t{le32(b, at + 4)} << 32));
}

bool knownVersion(std::uint8_t v) {
  switch (v) {
    case 0x03:
    case 0x04:
    case 0x05:
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x43:
    case 0x63:
    case 0x83:
    case 0x8B:
    case 0x8E:
    case 0xCB:
    case 0xE5:
    case 0xF5:
    case 0xFB: return true;
    default: return false;
  }
}
bool visualFoxPro(std::uint8_t v) { return v == 0x30 || v == 0x31 || v == 0x32; }

bool memoType(char t) { return t == 'M' || t == 'G' || t == 'P' || t == 'W'; }

std::string_view trimBoth(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  return s;
}

double parseNumber(std::string_view s) {
  s = trimBoth(s);
  if (!s.empty() && s.front() == '+') s.remove_prefix(1);
  double v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() ? v : 0.0;
}

Error invalid(const std::string& what) { return makeError(Code::InvalidFile, what); }

}  // namespace

Error TableImage::parse(std::string bytes, TableImage& out, bool headerOnly) {
  out = TableImage{};
  const std::string_view b(bytes);
  if (b.size() < 32) return invalid("file shorter than a table header");
  const auto version = static_cast<std::uint8_t>(b[0]);
  if (!knownVersion(version)) return invalid("not a dBase table (version byte " + std::to_string(version) + ")");
  const std::uint32_t count = le32(b, 4);
  const std::uint32_t headerLength = le16(b, 8);
  const std::uint32_t recordLength = le16(b, 10);
  if (headerLength < 33) return invalid("header length " + std::to_string(headerLength) + " too small");
  if (headerLength > b.size()) return invalid("header length " + std::to_string(headerLength) + " exceeds the file");
  if (recordLength < 2) return invalid("record length " + std::to_string(recordLength) + " too small");

  std::vector<Field> fields;
  std::uint32_t offset = 1;
  std::size_t at = 32;
  bool terminated = false;
  while (at < headerLength) {
    if (b[at] == '\x0D') {
      terminated = true;
      break;
    }
    if (at + 32 > headerLength)
      return invalid("field descriptor " + std::to_string(fields.size() + 1) + " runs past the header");
    Field f;
    const std::string_view rawName = b.substr(at, 11);
    f.name.assign(rawName.substr(0, std::min(rawName.find('\0'), rawName.size())));
    while (!f.name.empty() && f.name.back() == ' ') f.name.pop_back();
    f.type = static_cast<char>(text::upper1252(static_cast<unsigned char>(b[at + 11])));
    f.length = static_cast<unsigned char>(b[at + 16]);
    f.decimals = static_cast<unsigned char>(b[at + 17]);
    f.flags = visualFoxPro(version) ? static_cast<unsigned char>(b[at + 18]) : 0;
    if (f.name.empty()) return invalid("field " + std::to_string(fields.size() + 1) + " has no name");
    if (f.length == 0) return invalid("field " + f.name + " has length 0");
    f.offset = offset;
    offset += f.length;
    if (offset > recordLength)
      return invalid("field " + f.name + " does not fit in the record length " + std::to_string(recordLength));
    fields.push_back(std::move(f));
    at += 32;
  }
  if (!terminated) return invalid("field descriptors are not terminated inside the header");
  if (fields.empty()) return invalid("table has no fields");
  const std::uint64_t need = std::uint64_t{headerLength} + std::uint64_t{count} * recordLength;
  if (!headerOnly && need > b.size())
    return invalid("file truncated: " + std::to_string(count) + " records need " + std::to_string(need) +
                   " bytes, the file has " + std::to_string(b.size()));
  // Past the records only the end-of-file mark may follow. More means the header's lengths or
  // record count disagree with the file, and every row would be read misaligned or not at all.
  if (!headerOnly && b.size() > need + 1)
    return invalid("header and file disagree: header length " + std::to_string(headerLength) + " + " +
                   std::to_string(count) + " records of " + std::to_string(recordLength) +
                   " bytes = " + std::to_string(need) + " bytes, the file has " + std::to_string(b.size()));
  if (!headerOnly && count > 0 && b[headerLength] != ' ' && b[headerLength] != '*')
    return invalid("header length " + std::to_string(headerLength) + " does not end where the first record begins");

  out.version_ = version;
  out.recordCount_ = count;
  out.headerLength_ = headerLength;
  out.recordLength_ = recordLength;
  out.fields_ = std::move(fields);
  out.codePage_ = &codePageTable(codePageFromLanguageDriver(static_cast<std::uint8_t>(b[29])));
  out.bytes_ = std::move(bytes);
  return {};
}

bool TableImage::hasMemoFields() const {
  for (const auto& f : fields_)
    if (memoType(f.type) || (f.type == 'B' && !visualFoxPro(version_))) return true;
  return false;
}

int TableImage::fieldIndex(std::string_view name) const {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const auto& n = fields_[i].name;
    if (n.size() == name.size() && text::upper1252(n) == text::upper1252(name)) return static_cast<int>(i);
  }
  return -1;
}

std::string_view TableImage::row(std::uint32_t r) const {
  return std::string_view(bytes_).substr(headerLength_ + std::size_t{r} * recordLength_, recordLength_);
}

std::string_view TableImage::raw(std::uint32_t r, int field) const {
  const Field& f = fields_[static_cast<std::size_t>(field)];
  return row(r).substr(f.offset, f.length);
}

std::string TableImage::cp1252(std::uint32_t r, int field) const {
  const std::string_view s = raw(r, field);
  std::string out(s.size(), ' ');
  const auto& map = codePage_->cp1252;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    out[i] = c == 0 ? ' ' : static_cast<char>(map[c]);
  }
  return out;
}

std::string TableImage::text(std::uint32_t r, int field) const {
  const char t = fields_[static_cast<std::size_t>(field)].type;
  if (t == 'N' || t == 'F' || t == 'I' || t == 'Y' || t == 'O' || t == '+' || (t == 'B' && visualFoxPro(version_))) {
    double v = number(r, field);
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
  }
  std::string_view s = raw(r, field);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
  std::string out;
  out.reserve(s.size());
  for (char c : s) out += codePage_->utf8[static_cast<unsigned char>(c)];
  return out;
}

double TableImage::number(std::uint32_t r, int field) const {
  const Field& f = fields_[static_cast<std::size_t>(field)];
  const std::string_view s = raw(r, field);
  switch (f.type) {
    case 'I':
    case '+': return f.length == 4 ? static_cast<double>(static_cast<std::int32_t>(le32(s, 0))) : 0.0;
    case 'Y': return f.length == 8 ? static_cast<double>(le64(s, 0)) / 10000.0 : 0.0;
    case 'O':
    case 'B':
      if (f.length == 8 && (f.type == 'O' || visualFoxPro(version_))) {
        double d;
        const auto u = static_cast<std::uint64_t>(le64(s, 0));
        std::memcpy(&d, &u, sizeof d);
        return d;
      }
      return 0.0;
    default: return parseNumber(s);
  }
}

std::int32_t TableImage::date(std::uint32_t r, int field) const {
  const Field& f = fields_[static_cast<std::size_t>(field)];
  const std::string_view s = raw(r, field);
  if (f.type == 'T' || f.type == '@')
    return f.length == 8 ? dateFromJulianDay(static_cast<std::int32_t>(le32(s, 0))) : 0;
  return dateFromText(s);
}

bool TableImage::logical(std::uint32_t r, int field) const {
  const char c = raw(r, field)[0];
  return c == 'T' || c == 't' || c == 'Y' || c == 'y';
}

std::uint32_t TableImage::memoBlock(std::uint32_t r, int field) const {
  const Field& f = fields_[static_cast<std::size_t>(field)];
  const std::string_view s = raw(r, field);
  if (f.length == 4) return le32(s, 0);
  const std::string_view t = trimBoth(s);
  std::uint32_t v = 0;
  const auto res = std::from_chars(t.data(), t.data() + t.size(), v);
  return res.ec == std::errc() && res.ptr == t.data() + t.size() ? v : 0;
}

Error TableImage::memo(std::uint32_t r, int field, std::string& utf8) const {
  utf8.clear();
  std::string bytes;
  Error e = memo_.read(memoBlock(r, field), bytes);
  if (!e.ok()) return e;
  for (char c : bytes) utf8 += codePage_->utf8[static_cast<unsigned char>(c)];
  return {};
}

std::string findMemoFile(const std::string& tablePath) {
  namespace fs = std::filesystem;
  const fs::path p(tablePath);
  const std::string stem = text::upper1252(p.stem().string());
  std::error_code ec;
  const fs::path dir = p.has_parent_path() ? p.parent_path() : fs::path(".");
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    const fs::path n = entry.path().filename();
    const std::string ext = text::upper1252(n.extension().string());
    if ((ext == ".FPT" || ext == ".DBT") && text::upper1252(n.stem().string()) == stem) return entry.path().string();
  }
  return {};
}

}  // namespace dbase
