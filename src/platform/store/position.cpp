// Positions: "<rowid>|<value>|<value>..." in ASCII, texts with '%', '|', control bytes, bytes
// beyond ASCII and trailing blanks escaped as %XX, so that a position re-reads its record and
// marks its place in the key.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/store/internal.h"
#include "platform/text/codepage.h"
#include "platform/text/number.h"

namespace store {

bool isAscii(std::string_view s) {
  for (char ch : s)
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  return true;
}

namespace {
// A STRING field's bytes without its trailing blanks and NUL bytes.
std::string_view trimmedField(const char* at, std::size_t size) {
  while (size > 0 && (at[size - 1] == ' ' || at[size - 1] == '\0')) --size;
  return std::string_view(at, size);
}
}  // namespace

void columnValueInto(const FileDef& def, const void* buffer, int column, Value& v) {
  const Column& c = def.columns[std::size_t(column)];
  const FieldDef& f = def.fields[std::size_t(c.field)];
  const char* at = static_cast<const char*>(buffer) + c.offset;
  v.kind = Value::Int;
  v.i = 0;
  v.d = 0;
  switch (f.type) {
    case FieldType::String: {
      const std::string_view raw = trimmedField(at, f.size);
      v.kind = Value::Text;
      // ASCII reads the same in both code pages.
      if (isAscii(raw))
        v.s.assign(raw);
      else
        v.s = text::fromCp1252(raw);
      return;
    }
    case FieldType::Byte: v.i = *reinterpret_cast<const std::uint8_t*>(at); break;
    case FieldType::Short: {
      std::int16_t x;
      std::memcpy(&x, at, 2);
      v.i = x;
      break;
    }
    case FieldType::Long: {
      std::int32_t x;
      std::memcpy(&x, at, 4);
      v.i = x;
      break;
    }
    case FieldType::Real:
      v.kind = Value::Real;
      std::memcpy(&v.d, at, 8);
      break;
    case FieldType::Memo:
      v.kind = Value::Text;
      v.s = *reinterpret_cast<const std::string*>(at);
      return;
  }
  v.s.clear();
}

Value columnValue(const FileDef& def, const void* buffer, int column) {
  Value v;
  columnValueInto(def, buffer, column, v);
  return v;
}

void bindColumn(sqlite3_stmt* s, int index, const FileDef& def, const void* buffer, int column) {
  const Column& c = def.columns[std::size_t(column)];
  const FieldDef& f = def.fields[std::size_t(c.field)];
  const char* at = static_cast<const char*>(buffer) + c.offset;
  switch (f.type) {
    case FieldType::String: {
      const std::string_view raw = trimmedField(at, f.size);
      if (isAscii(raw)) {
        sqlite3_bind_text(s, index, raw.data(), int(raw.size()), SQLITE_TRANSIENT);
      } else {
        const std::string u = text::fromCp1252(raw);
        sqlite3_bind_text(s, index, u.data(), int(u.size()), SQLITE_TRANSIENT);
      }
      break;
    }
    case FieldType::Byte: sqlite3_bind_int64(s, index, *reinterpret_cast<const std::uint8_t*>(at)); break;
    case FieldType::Short: {
      std::int16_t x;
      std::memcpy(&x, at, 2);
      sqlite3_bind_int64(s, index, x);
      break;
    }
    case FieldType::Long: {
      std::int32_t x;
      std::memcpy(&x, at, 4);
      sqlite3_bind_int64(s, index, x);
      break;
    }
    case FieldType::Real: {
      double x;
      std::memcpy(&x, at, 8);
      sqlite3_bind_double(s, index, x);
      break;
    }
    case FieldType::Memo: {
      const auto* m = reinterpret_cast<const std::string*>(at);
      sqlite3_bind_text(s, index, m->data(), int(m->size()), SQLITE_TRANSIENT);
      break;
    }
  }
}

void bindValue(sqlite3_stmt* s, int index, const Value& v) {
  switch (v.kind) {
    case Value::Int: sqlite3_bind_int64(s, index, v.i); break;
    case Value::Real: sqlite3_bind_double(s, index, v.d); break;
    case Value::Text: sqlite3_bind_text(s, index, v.s.data(), int(v.s.size()), SQLITE_TRANSIENT); break;
    case Value::Blob: sqlite3_bind_blob(s, index, v.s.data(), int(v.s.size()), SQLITE_TRANSIENT); break;
  }
}

std::string encodePosition(const std::vector<Value>& vals, long long rowid) {
  std::string out = std::to_string(rowid);
  char buf[40];
  for (const auto& v : vals) {
    out += '|';
    switch (v.kind) {
      case Value::Int: out += std::to_string(v.i); break;
      case Value::Real:
        std::snprintf(buf, sizeof buf, "%.17g", v.d);
        out += buf;
        break;
      case Value::Text:
      case Value::Blob: {
        // Bytes beyond ASCII and trailing blanks are escaped too, so that a fixed-width
        // Windows-1252 holder keeps every value, also one it could not hold itself.
        std::size_t blanksFrom = v.s.size();
        while (blanksFrom > 0 && v.s[blanksFrom - 1] == ' ') --blanksFrom;
        for (std::size_t i = 0; i < v.s.size(); ++i) {
          const char ch = v.s[i];
          const auto u = static_cast<unsigned char>(ch);
          if (u < 0x20 || u >= 0x80 || ch == '%' || ch == '|' || i >= blanksFrom) {
            std::snprintf(buf, sizeof buf, "%%%02X", u);
            out += buf;
          } else {
            out += ch;
          }
        }
        break;
      }
    }
  }
  return out;
}

bool decodePosition(const FileDef& def, KeyId key, std::string_view pos, std::vector<Value>& vals,
                    long long& rowid) {
  vals.clear();
  std::vector<std::string> parts(1);
  for (char ch : pos) {
    if (ch == '|')
      parts.emplace_back();
    else
      parts.back() += ch;
  }
  // Trailing blanks may have been cut by a fixed-width holder; they never belong to a rowid.
  while (!parts[0].empty() && parts[0].back() == ' ') parts[0].pop_back();
  char* end = nullptr;
  if (parts[0].empty()) return false;
  rowid = std::strtoll(parts[0].c_str(), &end, 10);
  if (*end) return false;
  if (key.physical()) return parts.size() == 1;
  const auto& cols = def.keyColumns[std::size_t(key.index)];
  if (parts.size() != cols.size() + 1) return false;
  for (std::size_t i = 0; i < cols.size(); ++i) {
    const std::string& p = parts[i + 1];
    const FieldType t = def.fields[std::size_t(def.columns[std::size_t(cols[i])].field)].type;
    Value v;
    if (t == FieldType::String || t == FieldType::Memo) {
      v.kind = Value::Text;
      for (std::size_t j = 0; j < p.size(); ++j) {
        if (p[j] == '%' && j + 2 < p.size()) {
          v.s += static_cast<char>(std::strtol(p.substr(j + 1, 2).c_str(), nullptr, 16));
          j += 2;
        } else {
          v.s += p[j];
        }
      }
    } else if (t == FieldType::Real) {
      v.kind = Value::Real;
      v.d = text::toNumber(p);  // never the process locale's decimal comma
    } else {
      v.i = std::strtoll(p.c_str(), nullptr, 10);
    }
    vals.push_back(std::move(v));
  }
  return true;
}

}  // namespace store
