#pragma once
// File definitions: label, prefix, attributes, the field table of the record buffer, memos and
// keys. Built once per file (see DefBuilder) and shared read-only by every instance.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/text/str.h"

namespace store {

enum class FieldType { String, Byte, Short, Long, Real, Memo };

struct FieldDef {
  std::string name;  // without prefix: "LAB", "VERDI"
  FieldType type;
  std::size_t offset;  // into the record buffer
  std::size_t size;    // bytes of one element (STRING width); memo: maximum length in characters
  int dim1 = 0;        // element counts, 0 when not an array
  int dim2 = 0;
  std::size_t elementCount() const { return std::size_t(dim1 ? dim1 : 1) * std::size_t(dim2 ? dim2 : 1); }
};

// A GROUP: a named run of leaves; as a key component it stands for its leaves in order.
struct GroupDef {
  std::string name;
  std::vector<std::string> leaves;
};

struct KeyDef {
  std::string name;                     // index name with prefix: "MAP:MAPLABKEY"
  std::vector<std::string> components;  // field or GROUP names without prefix, in order
  bool unique = false;
  bool noCase = false;
  bool optional = false;
  bool primary = false;
};

namespace Attr {
inline constexpr unsigned Create = 1;
inline constexpr unsigned Reuse = 2;
inline constexpr unsigned PerThread = 4;
inline constexpr unsigned Oem = 8;
}  // namespace Attr

// One column of the SQLite table: a leaf element ("PARAMETER_3", "VERDI_2_10") or a memo.
struct Column {
  std::string name;
  int field;           // index into FileDef::fields
  std::size_t offset;  // of this element in the record buffer
};

struct FileDef {
  std::string label;   // table name: "MapLab"
  std::string prefix;  // "MAP"
  unsigned attributes = 0;
  std::size_t recordSize = 0;
  std::vector<FieldDef> fields;  // leaves in field order, memos last
  std::vector<GroupDef> groups;
  std::vector<KeyDef> keys;
  std::vector<Column> columns;  // derived by finish()

  // For each key, the column indexes of its components with GROUPs expanded (derived).
  std::vector<std::vector<int>> keyColumns;
  // For each column, 1 when some key uses it (derived).
  std::vector<char> inKey;

  const FieldDef* field(std::string_view name) const;
  // Derives columns and key columns; a bad definition (unknown component) aborts: it is a
  // programming error found by the first test that touches the file.
  void finish();
};

// Builds a FileDef over a record struct Rec. Fields are named by a reference into probe():
//   DefBuilder<R> b("MapLab", "MAP", Attr::Create | Attr::Reuse | Attr::PerThread);
//   b.field("LAB", b.probe().LAB);
template <class Rec>
class DefBuilder {
 public:
  DefBuilder(std::string label, std::string prefix, unsigned attributes) {
    def_.label = std::move(label);
    def_.prefix = std::move(prefix);
    def_.attributes = attributes;
    def_.recordSize = sizeof(Rec);
  }
  Rec& probe() { return probe_; }

  template <std::size_t N>
  DefBuilder& field(std::string name, text::Str<N>& f) {
    return add(name, FieldType::String, &f, N);
  }
  DefBuilder& field(std::string name, std::uint8_t& f) { return add(name, FieldType::Byte, &f, 1); }
  DefBuilder& field(std::string name, std::int16_t& f) { return add(name, FieldType::Short, &f, 2); }
  DefBuilder& field(std::string name, std::int32_t& f) { return add(name, FieldType::Long, &f, 4); }
  DefBuilder& field(std::string name, double& f) { return add(name, FieldType::Real, &f, 8); }
  template <class T, std::size_t D1>
  DefBuilder& field(std::string name, T (&a)[D1]) {
    field(name, a[0]);
    def_.fields.back().dim1 = int(D1);
    return *this;
  }
  template <class T, std::size_t D1, std::size_t D2>
  DefBuilder& field(std::string name, T (&a)[D1][D2]) {
    field(name, a[0][0]);
    def_.fields.back().dim1 = int(D1);
    def_.fields.back().dim2 = int(D2);
    return *this;
  }
  DefBuilder& memo(std::string name, std::string& m, std::size_t maxLength) {
    return add(name, FieldType::Memo, &m, maxLength);
  }
  DefBuilder& group(std::string name, std::vector<std::string> leaves) {
    def_.groups.push_back({std::move(name), std::move(leaves)});
    return *this;
  }
  DefBuilder& key(KeyDef k) {
    def_.keys.push_back(std::move(k));
    return *this;
  }
  FileDef build() {
    def_.finish();
    return std::move(def_);
  }

 private:
  DefBuilder& add(std::string& name, FieldType t, const void* at, std::size_t size) {
    const auto off = std::size_t(static_cast<const char*>(at) - reinterpret_cast<const char*>(&probe_));
    def_.fields.push_back({std::move(name), t, off, size});
    return *this;
  }
  Rec probe_{};
  FileDef def_;
};

}  // namespace store
