// Positions: "<rowid>|<value>|<value>..." in ASCII, texts with '%', '|', control bytes, bytes
// beyond ASCII and trailing blanks escaped as %XX, so that a position re-reads its record and
// marks its place in the key.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/store/internal.h"
#include "platform/text/codepage.h"

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

namespace {

bool isTextField(const FileDef& def, KeyId key, std::size_t i) {
  const FieldType t =
      def.fields[std::size_t(def.columns[std::size_t(def.keyColumns[std::size_t(key.index)][i])].field)].type;
  return t == FieldType::String || t == FieldType::Memo;
}

// Bytes beyond ASCII and trailing blanks are escaped too, so that a fixed-width Windows-1252
// holder keeps every value, also one it could not hold itself.
void appendEscaped(std::string& out, const std::string& s) {
  char buf[8];
  std::size_t blanksFrom = s.size();
  while (blanksFrom > 0 && s[blanksFrom - 1] == ' ') --blanksFrom;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char ch = s[i];
    const auto u = static_cast<unsigned char>(ch);
    if (u < 0x20 || u >= 0x80 || ch == '%' || ch == '|' || i >= blanksFrom) {
      std::snprintf(buf, sizeof buf, "%%%02X", u);
      out += buf;
    } else {
      out += ch;
    }
  }
}

// A value of another storage class than its field's (a blob, a text in a number) is tagged
// "%!B" / "%!T" / "%!N", which no escaped value begins with: the position then marks the
// value's own place in the key, where SQLite keeps it (numbers, then texts, then blobs).
constexpr std::string_view kBlobTag = "%!B", kTextTag = "%!T", kNumberTag = "%!N";

}  // namespace

std::string encodePosition(const FileDef& def, KeyId key, const std::vector<Value>& vals, long long rowid) {
  std::string out = std::to_string(rowid);
  char buf[40];
  for (std::size_t i = 0; i < vals.size(); ++i) {
    const Value& v = vals[i];
    const bool textField = !key.physical() && isTextField(def, key, i);
    out += '|';
    switch (v.kind) {
      case Value::Int:
      case Value::Real:
        if (textField) out += kNumberTag;
        if (v.kind == Value::Int) {
          out += std::to_string(v.i);
        } else {
          // The shortest text that reads back as the same number, with a point in any locale.
          const auto r = std::to_chars(buf, buf + sizeof buf, v.d);
          out.append(buf, r.ptr);
          if (std::string_view(buf, std::size_t(r.ptr - buf)).find_first_not_of("-0123456789") ==
              std::string_view::npos)
            out += ".0";  // still a real when read back
        }
        break;
      case Value::Text:
        if (!textField) out += kTextTag;
        appendEscaped(out, v.s);
        break;
      case Value::Blob:
        out += kBlobTag;
        appendEscaped(out, v.s);
        break;
    }
  }
  return out;
}

bool decodePosition(const FileDef& def, KeyId key, std::string_view pos, std::vector<Value>& vals, long long& rowid) {
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
    std::string_view p = parts[i + 1];
    const auto tagged = [&](std::string_view tag) {
      if (p.substr(0, tag.size()) != tag) return false;
      p.remove_prefix(tag.size());
      return true;
    };
    Value v;
    bool text = isTextField(def, key, i);
    if (tagged(kBlobTag)) {
      v.kind = Value::Blob;
      text = true;
    } else if (tagged(kTextTag)) {
      v.kind = Value::Text;
      text = true;
    } else if (tagged(kNumberTag)) {
      text = false;
    } else if (text) {
      v.kind = Value::Text;
    }
    if (text) {
      for (std::size_t j = 0; j < p.size(); ++j) {
        if (p[j] == '%' && j + 2 < p.size()) {
          v.s += static_cast<char>(std::strtol(std::string(p.substr(j + 1, 2)).c_str(), nullptr, 16));
          j += 2;
        } else {
          v.s += p[j];
        }
      }
    } else {
      // Numbers as written above, whatever the process locale: a whole number, else a real.
      const char* b = p.data();
      const char* e = p.data() + p.size();
      v.kind = Value::Int;
      const auto r = std::from_chars(b, e, v.i);
      if (r.ec != std::errc() || r.ptr != e) {
        v.kind = Value::Real;
        v.i = 0;
        std::from_chars(b, e, v.d);
      }
    }
    vals.push_back(std::move(v));
  }
  return true;
}

}  // namespace store
