#pragma once
// The run's date range (GLO:DATO1, GLO:DATO2): process-wide, kept for the program run only,
// never saved; 0 means open. Shared by every import window.
#include <cstdint>

namespace import {

struct SampleDates {
  std::int32_t DATO1 = 0;
  std::int32_t DATO2 = 0;
};

SampleDates sampleDates();
void setSampleDates(const SampleDates& d);

}  // namespace import
