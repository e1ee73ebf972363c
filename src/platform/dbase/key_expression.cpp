#include "platform/dbase/key_expression.h"

#include "platform/text/codepage.h"

namespace dbase {

namespace {

std::string_view trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

Error parseKeyExpression(std::string_view external, KeyExpression& out) {
  out = KeyExpression{};
  std::string_view expr = external;
  if (const auto eq = expr.find('='); eq != std::string_view::npos) {
    std::string_view tag = trim(expr.substr(0, eq));
    out.tag = std::string(tag.substr(0, tag.find('|')));
    expr = expr.substr(eq + 1);
  }
  if (const auto open = expr.find('['); open != std::string_view::npos) {
    const auto close = expr.rfind(']');
    if (close == std::string_view::npos || close < open)
      return makeError(Code::BadKey, std::string(external) + ": '[' without ']'");
    expr = expr.substr(open + 1, close - open - 1);
  }
  while (true) {
    const auto plus = expr.find('+');
    std::string_view part = trim(expr.substr(0, plus));
    KeyComponent c;
    const std::string up = text::upper1252(part);
    if (up.size() > 7 && up.starts_with("UPPER(") && up.back() == ')') {
      c.upper = true;
      c.field = std::string(trim(std::string_view(up).substr(6, up.size() - 7)));
    } else {
      c.field = up;
    }
    if (c.field.empty()) return makeError(Code::BadKey, std::string(external) + ": empty key component");
    out.components.push_back(std::move(c));
    if (plus == std::string_view::npos) break;
    expr = expr.substr(plus + 1);
  }
  return {};
}

}  // namespace dbase
