#include "platform/store/file_def.h"

#include <cstdio>
#include <cstdlib>

namespace store {

const FieldDef* FileDef::field(std::string_view name) const {
  for (const auto& f : fields)
    if (f.name == name) return &f;
  return nullptr;
}

namespace {
[[noreturn]] void badDefinition(const std::string& label, const std::string& what) {
  std::fprintf(stderr, "bad file definition %s: %s\n", label.c_str(), what.c_str());
  std::abort();
}
}  // namespace

void FileDef::finish() {
  columns.clear();
  keyColumns.clear();
  inKey.clear();
  // Leaves first in field order, memos last.
  for (int pass = 0; pass < 2; ++pass) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      const FieldDef& f = fields[i];
      if ((f.type == FieldType::Memo) != (pass == 1)) continue;
      if (f.dim1 == 0) {
        columns.push_back({f.name, int(i), f.offset});
      } else if (f.dim2 == 0) {
        for (int a = 0; a < f.dim1; ++a)
          columns.push_back({f.name + "_" + std::to_string(a + 1), int(i), f.offset + std::size_t(a) * f.size});
      } else {
        for (int a = 0; a < f.dim1; ++a)
          for (int b = 0; b < f.dim2; ++b)
            columns.push_back({f.name + "_" + std::to_string(a + 1) + "_" + std::to_string(b + 1), int(i),
                               f.offset + (std::size_t(a) * std::size_t(f.dim2) + std::size_t(b)) * f.size});
      }
    }
  }
  auto columnOf = [&](const std::string& n) {
    for (std::size_t c = 0; c < columns.size(); ++c)
      if (columns[c].name == n && fields[std::size_t(columns[c].field)].dim1 == 0) return int(c);
    return -1;
  };
  for (const auto& k : keys) {
    std::vector<int> cols;
    // A GROUP stands for its leaves; groups may nest.
    std::vector<std::string> pending(k.components.rbegin(), k.components.rend());
    while (!pending.empty()) {
      std::string n = pending.back();
      pending.pop_back();
      const GroupDef* g = nullptr;
      for (const auto& gd : groups)
        if (gd.name == n) g = &gd;
      if (g) {
        for (auto it = g->leaves.rbegin(); it != g->leaves.rend(); ++it) pending.push_back(*it);
        continue;
      }
      const int c = columnOf(n);
      if (c < 0) badDefinition(label, "key " + k.name + " names unknown field " + n);
      if (fields[std::size_t(columns[std::size_t(c)].field)].type == FieldType::Memo)
        badDefinition(label, "key " + k.name + " names a memo");
      cols.push_back(c);
    }
    keyColumns.push_back(std::move(cols));
  }
  inKey.assign(columns.size(), 0);
  for (const auto& cols : keyColumns)
    for (int c : cols) inKey[std::size_t(c)] = 1;
}

}  // namespace store
