#include "data/lab/lab_keys.h"

namespace data::lab {

const std::array<LabKeyDef, 7>& labKeys() {
  static const std::array<LabKeyDef, 7> keys{{
      {LabKey::I_RNX20, LabTableId::RNX20, "R20:I_RNX20", "I_RNX20=C[JRNLNR+STED]", true, true, {"JRNLNR", "STED"}},
      {LabKey::KEY_RNX50, LabTableId::RNX50, "R50:KEY_RNX50", "RNX50|RNX50.CDX=C[T+KODE]", false, false, {"T", "KODE"}},
      {LabKey::I_RNX50, LabTableId::RNX50, "R50:I_RNX50", "I_RNX50=C[KODE]", true, true, {"KODE"}},
      {LabKey::KEY_RNX51, LabTableId::RNX51, "R51:KEY_RNX51", "RNX51|RNX51.CDX=C[REKV]", false, false, {"REKV"}},
      {LabKey::KEY_RNX60,
       LabTableId::RNX60,
       "R60:KEY_RNX60",
       "RNX60|RNX60.CDX=C[REKV+STED]",
       false,
       false,
       {"REKV", "STED"}},
      {LabKey::I_RNX60,
       LabTableId::RNX60,
       "R60:I_RNX60",
       "I_RNX60=C[REKV+MATERIALE]",
       false,
       true,
       {"REKV", "MATERIALE"}},
      {LabKey::I_RNXJR, LabTableId::RNXJR, "RJR:I_RNXJR", "I_RNXJR=C[REKV]", true, true, {"REKV"}},
  }};
  return keys;
}

const LabKeyDef& labKey(LabKey key) { return labKeys()[static_cast<std::size_t>(key)]; }

}  // namespace data::lab
