// Rows between SQLite and the record buffer. A stored value the buffer cannot hold exactly
// (a trailing blank, a text longer than its field or outside Windows-1252, a number out of
// its field's range, written by another tool) is kept as stored: key-order reading goes on
// from it, and a rewrite that leaves the buffer's value alone writes it back unchanged.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/store/internal.h"
#include "platform/text/codepage.h"
#include "platform/text/number.h"

namespace store {

namespace {

bool endsBlank(std::string_view s) { return !s.empty() && (s.back() == ' ' || s.back() == '\0'); }

std::size_t utf8Chars(std::string_view s) {
  std::size_t n = 0;
  for (char ch : s) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return n;
}

// Cuts UTF-8 text to at most n characters.
void cutChars(std::string& s, std::size_t n) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) {
      if (chars == n) {
        s.resize(i);
        return;
      }
      ++chars;
    }
  }
}

// A row of a statement: rowid, revision, then the columns.
struct StmtRow {
  sqlite3_stmt* s;
  long long rowid() const { return sqlite3_column_int64(s, 0); }
  long long rev() const { return sqlite3_column_int64(s, 1); }
  int type(int i) const { return sqlite3_column_type(s, i + 2); }
  std::string_view text(int i) const {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(s, i + 2));
    return p ? std::string_view(p, std::size_t(sqlite3_column_bytes(s, i + 2))) : std::string_view();
  }
  std::string_view blob(int i) const {
    const auto* p = static_cast<const char*>(sqlite3_column_blob(s, i + 2));
    return p ? std::string_view(p, std::size_t(sqlite3_column_bytes(s, i + 2))) : std::string_view();
  }
  long long int64(int i) const { return sqlite3_column_int64(s, i + 2); }
  double real(int i) const { return sqlite3_column_double(s, i + 2); }
};

// The same over a row read ahead (rowValues).
struct ValuesRow {
  const std::vector<Value>& v;
  long long rowid() const { return v[0].i; }
  long long rev() const { return v[1].i; }
  int type(int i) const {
    switch (v[std::size_t(i) + 2].kind) {
      case Value::Int: return SQLITE_INTEGER;
      case Value::Real: return SQLITE_FLOAT;
      case Value::Blob: return SQLITE_BLOB;
      default: return SQLITE_TEXT;
    }
  }
  std::string_view text(int i) const { return v[std::size_t(i) + 2].s; }
  std::string_view blob(int i) const { return v[std::size_t(i) + 2].s; }
  long long int64(int i) const {
    const Value& x = v[std::size_t(i) + 2];
    return x.kind == Value::Int ? x.i : x.kind == Value::Real ? static_cast<long long>(x.d) : std::atoll(x.s.c_str());
  }
  double real(int i) const {
    const Value& x = v[std::size_t(i) + 2];
    return x.kind == Value::Real ? x.d : x.kind == Value::Int ? double(x.i) : text::toNumber(x.s);
  }
};

// A column's value as stored, with its storage class.
template <class Row>
void storedValueInto(const Row& r, int i, Value& out) {
  switch (r.type(i)) {
    case SQLITE_INTEGER:
    case SQLITE_NULL:
      out.kind = Value::Int;
      out.i = r.int64(i);
      break;
    case SQLITE_FLOAT:
      out.kind = Value::Real;
      out.d = r.real(i);
      break;
    case SQLITE_BLOB:
      out.kind = Value::Blob;
      out.s.assign(r.blob(i));
      break;
    default:
      out.kind = Value::Text;
      out.s.assign(r.text(i));
      break;
  }
}

template <class T>
bool storeInt(const int type, long long v, char* at) {
  const auto y = static_cast<T>(v);
  std::memcpy(at, &y, sizeof y);
  return type == SQLITE_INTEGER && v >= std::numeric_limits<T>::min() && v <= std::numeric_limits<T>::max();
}

template <class Row>
void loadColumns(FileBase& f, FileState& st, const Row& r) {
  const FileDef& def = f.def();
  char* base = static_cast<char*>(f.buffer());
  st.curRow = r.rowid();
  st.curRev = r.rev();
  if (st.curKey.size() != def.columns.size()) st.curKey.assign(def.columns.size(), Value{});
  st.kept.clear();
  for (std::size_t c = 0; c < def.columns.size(); ++c) {
    const int i = int(c);
    const FieldDef& fd = def.fields[std::size_t(def.columns[c].field)];
    char* at = base + def.columns[c].offset;
    bool exact = true;
    switch (fd.type) {
      case FieldType::String: {
        const std::string_view u = r.text(i);
        std::size_t n;
        if (isAscii(u)) {  // the same bytes in both code pages
          n = std::min(u.size(), fd.size);
          std::memcpy(at, u.data(), n);
          exact = u.size() <= fd.size && !endsBlank(u);
        } else {
          const std::string raw = text::toCp1252(u);
          n = std::min(raw.size(), fd.size);
          std::memcpy(at, raw.data(), n);
          exact = raw.size() <= fd.size && !endsBlank(raw) && text::fromCp1252(raw) == u;
        }
        std::memset(at + n, ' ', fd.size - n);
        break;
      }
      case FieldType::Byte: exact = storeInt<std::uint8_t>(r.type(i), r.int64(i), at); break;
      case FieldType::Short: exact = storeInt<std::int16_t>(r.type(i), r.int64(i), at); break;
      case FieldType::Long: exact = storeInt<std::int32_t>(r.type(i), r.int64(i), at); break;
      case FieldType::Real: {
        const int t = r.type(i);
        const double y = r.real(i);
        std::memcpy(at, &y, 8);
        const long long whole = r.int64(i);
        exact = t == SQLITE_FLOAT || (t == SQLITE_INTEGER && whole > -(1LL << 53) && whole < (1LL << 53));
        break;
      }
      case FieldType::Memo: {
        const std::string_view u = r.text(i);
        reinterpret_cast<std::string*>(at)->assign(u);
        exact = u.size() <= fd.size || utf8Chars(u) <= fd.size;
        break;
      }
    }
    if (def.inKey[c]) storedValueInto(r, i, st.curKey[c]);
    if (!exact) {
      KeptColumn k;
      k.column = i;
      storedValueInto(r, i, k.stored);
      columnValueInto(def, base, i, k.loaded);
      st.kept.push_back(std::move(k));
    }
  }
  st.watched = st.watchArmed;
  st.watchArmed = false;
}

bool sameValue(const Value& a, const Value& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case Value::Int: return a.i == b.i;
    case Value::Real: return a.d == b.d;
    default: return a.s == b.s;
  }
}

// The kept value of a column the program has not changed since it was read, else null.
const KeptColumn* unchangedKept(const FileDef& def, const void* buffer, const FileState& st, int column) {
  for (const auto& k : st.kept)
    if (k.column == column) return sameValue(columnValue(def, buffer, column), k.loaded) ? &k : nullptr;
  return nullptr;
}

}  // namespace

void loadRow(FileBase& f, FileState& st, sqlite3_stmt* s) { loadColumns(f, st, StmtRow{s}); }

void loadValues(FileBase& f, FileState& st, const std::vector<Value>& v) { loadColumns(f, st, ValuesRow{v}); }

std::vector<Value> rowValues(const FileDef& def, sqlite3_stmt* s) {
  std::vector<Value> v(def.columns.size() + 2);
  v[0].i = sqlite3_column_int64(s, 0);
  v[1].i = sqlite3_column_int64(s, 1);
  const StmtRow r{s};
  for (std::size_t i = 0; i < def.columns.size(); ++i) storedValueInto(r, int(i), v[i + 2]);
  return v;
}

void bindRecord(FileBase& f, const FileState* rewriteOf, sqlite3_stmt* s) {
  const FileDef& def = f.def();
  char* base = static_cast<char*>(f.buffer());
  const bool keep = rewriteOf && !rewriteOf->kept.empty();
  for (std::size_t i = 0; i < def.columns.size(); ++i) {
    if (keep)
      if (const KeptColumn* k = unchangedKept(def, base, *rewriteOf, int(i))) {
        bindValue(s, int(i) + 1, k->stored);
        continue;
      }
    const Column& c = def.columns[i];
    const FieldDef& fd = def.fields[std::size_t(c.field)];
    if (fd.type == FieldType::Memo) cutChars(*reinterpret_cast<std::string*>(base + c.offset), fd.size);
    bindColumn(s, int(i) + 1, def, base, int(i));
  }
}

void rememberWritten(FileBase& f, FileState& st, bool rewrite) {
  const FileDef& def = f.def();
  const void* buffer = f.buffer();
  if (!rewrite) st.kept.clear();
  std::erase_if(st.kept, [&](const KeptColumn& k) { return !sameValue(columnValue(def, buffer, k.column), k.loaded); });
  if (st.curKey.size() != def.columns.size()) st.curKey.assign(def.columns.size(), Value{});
  for (std::size_t c = 0; c < def.columns.size(); ++c)
    if (def.inKey[c]) columnValueInto(def, buffer, int(c), st.curKey[c]);
  for (const auto& k : st.kept)
    if (def.inKey[std::size_t(k.column)]) st.curKey[std::size_t(k.column)] = k.stored;
}

void keyValuesInto(const FileDef& def, KeyId key, const std::vector<Value>& all, std::vector<Value>& out) {
  if (key.physical()) {
    out.clear();
    return;
  }
  const auto& cols = def.keyColumns[std::size_t(key.index)];
  out.resize(cols.size());
  for (std::size_t i = 0; i < cols.size(); ++i) out[i] = all[std::size_t(cols[i])];
}

}  // namespace store
