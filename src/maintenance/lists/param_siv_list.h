#pragma once
// The target parameters a laboratory's analysis code can be mapped to, for one sample type:
// four head rows, then the registry's Parameter file ("U") or the fixed sludge values (any
// other type). The settings window names each mapping's target from it; the parameter-mapping
// form offers it as a drop list, in its own order.
#include <string_view>
#include <vector>

#include "data/registry_files.h"
#include "platform/text/str.h"

namespace maintenance {

struct ParamSivRow {
  text::Str<20> PARAMETER;
  text::Str<1> TYPE;  // the Parameter record's type letter; blank in the fixed rows
  text::Str<30> BETEGNELSE;
};
using ParamSivList = std::vector<ParamSivRow>;

enum class ParamSivOrder {
  ByCode,         // registry parameters in key order, after the head rows
  ByTypeThenCode  // each registry parameter inserted at its place by (type, code)
};

// Builds the list for `prType` ("U" compared blank-padded). `parameters` must be open; reading
// stops at its first failure, which is not reported.
ParamSivList BuildParamSivList(std::string_view prType, data::Parameter& parameters,
                               ParamSivOrder order = ParamSivOrder::ByCode);

// The description of the first row whose code equals `code`; blank when none does.
text::Str<30> ParamSivDescription(const ParamSivList& list, const text::Str<20>& code);

}  // namespace maintenance
