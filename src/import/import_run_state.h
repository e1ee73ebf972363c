#pragma once
// Working state of the import run. The import window owns it and zeroes it when it opens; the
// totals and the problem flag stay after a run until the next one starts.
#include <cstdint>

#include "platform/text/str.h"

namespace import {

struct ImportRunState {
  std::int32_t ProblemLogged = 0;  // 1: the log holds a problem worth showing at the end
  std::int32_t UtslippskontrollCount = 0;
  std::int32_t SlamkontrollCount = 0;
  std::int32_t UtslippskontrollFilled = 0;
  std::int32_t SlamkontrollFilled = 0;
  double WaterQuantity = 0;
  double OverflowQuantity = 0;
  std::int32_t DayCount = 0;
  std::int32_t SampleDate = 0;
  text::Str<32> WaterText;
  text::Str<32> PlaceKey;
  double ResultValue = 0;
  std::int32_t PlaceIndex = 0;
  std::int32_t ParamIndex = 0;
};

}  // namespace import
