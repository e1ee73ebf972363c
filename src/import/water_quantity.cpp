#include "import/water_quantity.h"

#include <algorithm>

#include "import/lab_source.h"
#include "platform/text/codepage.h"
#include "platform/text/number.h"

namespace import {

void CommaToPoint(text::Str<32>& waterText) {
  std::string s(waterText.trimmedRaw());
  std::replace(s.begin(), s.end(), ',', '.');
  waterText.assignRaw(s);
}

double resultNumber(std::string_view utf8) {
  if (utf8.find(',') == std::string_view::npos) return text::toNumber(utf8);
  // A result is short: the point goes into a copy on the stack, so the run's rows build no text.
  char buf[32];
  if (utf8.size() <= sizeof buf) {
    std::replace_copy(utf8.begin(), utf8.end(), buf, ',', '.');
    return text::toNumber(std::string_view(buf, utf8.size()));
  }
  std::string s(utf8);
  std::replace(s.begin(), s.end(), ',', '.');
  return text::toNumber(s);
}

void SampleResults::add(std::string_view code, std::string_view result) {
  code = text::trimRight(code);
  if (code.size() > 6) return;
  if (used_ == entries_.size()) entries_.emplace_back();
  Entry& e = entries_[used_++];
  e.code.assignRaw(code);
  if (!result.empty() && result[0] == '<') result.remove_prefix(1);
  e.text.assign(result);
  e.value = resultNumber(result);
}

void takeWaterQuantity(ImportRunState& state, std::string_view ident, std::string_view regkode) {
  const std::string identCp = text::toCp1252(ident).substr(0, 12);
  const std::size_t p = identCp.find("m3/d");
  if (p != std::string::npos) {
    // The text before "m3/d"; the blank that usually stands before it goes with the trailing
    // blanks, and "125m3/d" keeps its last digit.
    state.WaterText.assignRaw(std::string_view(identCp).substr(0, p));
    CommaToPoint(state.WaterText);
    state.WaterQuantity = text::toNumber(state.WaterText.str());
    return;
  }
  std::string code = text::toCp1252(regkode).substr(0, 5);
  code.erase(0, code.find_first_not_of(' ') == std::string::npos ? code.size() : code.find_first_not_of(' '));
  state.WaterText.assignRaw(code);
  CommaToPoint(state.WaterText);
  const std::string w = state.WaterText.str();
  if (text::isNumeric(w)) state.WaterQuantity = text::toNumber(w);
}

}  // namespace import
