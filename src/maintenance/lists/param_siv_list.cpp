#include "maintenance/lists/param_siv_list.h"

#include <algorithm>
#include <iterator>

namespace maintenance {

namespace {

struct FixedRow {
  const char* parameter;
  const char* description;
};

constexpr FixedRow kHeadRows[] = {
    {"Ant. Døgn", "Antall døgn"},
    {"Vannmengde", "Vannmengde"},
    {"Overløp", "Vannmengde i overløp"},
    {"N", "Næringsstoffer:"},
};

constexpr FixedRow kSludgeRows[] = {
    {"TS-tungmetall", "Måleverdi TS tungmetall"},
    {"pH tungmetall", "Måleverdi pH tungmetall"},
    {"Kadmium", "Måleverdi Cd"},
    {"Kvikksølv", "Måleverdi Hg"},
    {"Bly", "Måleverdi Pb"},
    {"Nikkel", "Måleverdi Ni"},
    {"Krom", "Måleverdi Cr"},
    {"Sink", "Måleverdi Zn"},
    {"Kobber", "Måleverdi Cu"},
    {"PCB", "Måleverdi PCB"},
    {"DEHP", "Måleverdi DEHP"},
    {"4-nonylphenol", "Måleverdi 4NONYL"},
    {"BDE-47", "Måleverdi BDE-47"},
    {"BDE-99", "Måleverdi BDE-99"},
    {"BDE-100", "Måleverdi BDE-100"},
    {"BDE-183", "Måleverdi BDE-183"},
    {"BDE-209", "Måleverdi BDE-209"},
    {"TBBPA", "Måleverdi TBBPA"},
    {"TS-næringsstoff", "Måleverdi TS næringsstoff"},
    {"pH næringsstoff", "Måleverdi pH næringsstoff"},
    {"Org-Mat", "Måleverdi TS-org"},
    {"Kjeldahl-N", "Måleverdi TS Kjelldahl N"},
    {"Ammonium", "Måleverdi TS Ammonium N"},
    {"Tot-P", "Måleverdi TS Totalfosfor"},
    {"Kalsium", "Måleverdi TS Kalsium"},
    {"Kalium", "Måleverdi TS Kalium"},
    {"Termokoli", "Måleverdi Termokoli"},
    {"Salmonella", "Måleverdi Salmonella"},
    {"Parasittegg", "Måleverdi Parasittegg"},
    {"pH-min", "Måleverdi pH-min"},
    {"pH-maks", "Måleverdi pH-maks"},
    {"SS-middel", "Måleverdi SS-middel"},
    {"SS-maks", "Måleverdi SS-maks"},
    {"Temp. min", "Måleverdi Temp. min"},
    {"Temp. maks", "Måleverdi Temp. maks"},
};

void append(ParamSivList& list, const FixedRow& r) {
  ParamSivRow row;
  row.PARAMETER = r.parameter;
  row.TYPE.clear();
  row.BETEGNELSE = r.description;
  list.push_back(row);
}

bool typeThenCodeBefore(const ParamSivRow& a, const ParamSivRow& b) {
  const int byType = text::compareBlankPadded(a.TYPE.raw(), b.TYPE.raw());
  return byType != 0 ? byType < 0 : text::compareBlankPadded(a.PARAMETER.raw(), b.PARAMETER.raw()) < 0;
}

}  // namespace

ParamSivList BuildParamSivList(std::string_view prType, data::Parameter& parameters, ParamSivOrder order) {
  ParamSivList list;
  for (const FixedRow& r : kHeadRows) append(list, r);
  if (text::compareBlankPadded(text::toCp1252(prType), "U") != 0) {
    for (const FixedRow& r : kSludgeRows) append(list, r);
    return list;
  }
  if (parameters.set(data::Parameter::PARAMETERKEY) != 0) return list;
  while (parameters.next() == 0) {
    ParamSivRow row;
    row.PARAMETER = parameters.rec.PARAMETER;
    row.TYPE = parameters.rec.TYPE;
    row.BETEGNELSE = parameters.rec.BETEGNELSE;
    if (order == ParamSivOrder::ByCode) {
      list.push_back(row);
    } else {
      // Before the first row that sorts after it, so equal rows keep the order of reading; never
      // among the head rows, also when its type letter is blank.
      const auto at = std::find_if(list.begin() + std::ssize(kHeadRows), list.end(),
                                   [&row](const ParamSivRow& r) { return typeThenCodeBefore(row, r); });
      list.insert(at, row);
    }
  }
  return list;
}

text::Str<30> ParamSivDescription(const ParamSivList& list, const text::Str<20>& code) {
  for (const ParamSivRow& r : list)
    if (r.PARAMETER == code) return r.BETEGNELSE;
  return text::Str<30>{};
}

}  // namespace maintenance
