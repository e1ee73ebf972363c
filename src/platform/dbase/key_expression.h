#pragma once
// External key names: "[TAG[|FILE]=][TYPE][FIELD+FIELD...]", e.g. "I_RNX20=C[JRNLNR+STED]".
#include <string>
#include <string_view>
#include <vector>

#include "platform/dbase/error.h"

namespace dbase {

struct KeyComponent {
  std::string field;   // upper case
  bool upper = false;  // written as UPPER(field)
};

struct KeyExpression {
  std::string tag;
  std::vector<KeyComponent> components;
};

// 47 when the text names no component or holds an empty one.
Error parseKeyExpression(std::string_view external, KeyExpression& out);

}  // namespace dbase
