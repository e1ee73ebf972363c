#pragma once
// The water quantity a sample row carries in its texts, and the decimal comma rule.
#include <string>
#include <string_view>

#include "import/import_run_state.h"
#include "platform/text/str.h"

namespace import {

// Drops trailing blanks of the water text and turns every comma into a point.
void CommaToPoint(text::Str<32>& waterText);

// A laboratory result as a number: a decimal comma counts as the point ("0,5" is 0.5).
double resultNumber(std::string_view utf8);

// Takes the quantity from the identification text when it holds "m3/d" (the number before it,
// with or without a blank), else from the first five characters of the registration code when
// they are numeric; otherwise the quantity keeps its value. Both texts in UTF-8.
void takeWaterQuantity(ImportRunState& state, std::string_view ident, std::string_view regkode);

}  // namespace import
