#pragma once
// Helpers for writing the file definitions.
#include <string>
#include <vector>

#include "platform/store/file_def.h"

namespace data::def {

inline constexpr unsigned CreateReusePerThread = store::Attr::Create | store::Attr::Reuse | store::Attr::PerThread;
inline constexpr unsigned CreatePerThread = store::Attr::Create | store::Attr::PerThread;

enum KeyFlags : unsigned { Unique = 1, Dup = 0, NoCase = 2, Opt = 4, Primary = 8 };

inline store::KeyDef key(std::string name, std::vector<std::string> comps, unsigned flags) {
  store::KeyDef k;
  k.name = std::move(name);
  k.components = std::move(comps);
  k.unique = flags & Unique;
  k.noCase = flags & NoCase;
  k.optional = flags & Opt;
  k.primary = flags & Primary;
  return k;
}

}  // namespace data::def
