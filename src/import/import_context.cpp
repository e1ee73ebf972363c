#include "import/import_context.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "data/cascade.h"
#include "data/warnings.h"
#include "import/log_lines.h"
#include "import/sludge_targets.h"
#include "platform/store/error.h"
#include "platform/text/picture.h"

namespace import {

void ImportContext::line(int n, std::string_view utf8) {
  // A text of at most 80 bytes has at most 80 characters: most lines need no cutting.
  if (utf8.size() <= 80)
    progress.showLine(n, utf8);
  else
    progress.showLine(n, text::formatPictureS(utf8, 80));
}

void ImportContext::problem(const std::string& logLine) {
  writer.logLine(logLine);  // after the records written before it
  state.ProblemLogged = 1;
}

namespace {
// Whether a mapping's value is the result times its factor: the flow quantities, the number of
// days and a sludge target without a field take none.
bool takesFactor(char prtype, const text::Str<20>& target) {
  if (prtype == 'S') {
    const SludgeTarget* t = findSludgeTarget(target.raw());
    return t && t->conversion != SludgeConversion::DayCount && t->conversion != SludgeConversion::NoField;
  }
  static const text::Str<20> days("Ant. Døgn"), water("Vannmengde"), overflow("Overløp");
  return target != days && target != water && target != overflow;
}

// The factor of the mapping last read spells no number: the store reads such a text as 0 and
// names its column. An infinite factor is a number; the value it gives is refused later.
template <class File>
bool factorUnreadable(const File& f) {
  if (std::isnan(f.rec.FAKTOR)) return true;
  const auto columns = f.unreadableNumbers();
  return std::find(columns.begin(), columns.end(), "FAKTOR") != columns.end();
}
}  // namespace

void ImportContext::readFailed(const store::FileBase& f) {
  const std::string error = data::warningErrorText(data::currentError());
  data::ShowWarningText(data::kRecordRetrievalError, f.label());
  writer.finish();  // what was written is sound: it stays
  writer.stop("Feil på fil " + f.label() + ": " + error);
}

void ImportContext::checkLabWalk() {
  std::string error = lab.walkError();
  if (error.empty() || stopped()) return;
  writer.finish();
  writer.stop(std::move(error));
}

std::string ImportContext::journalText() const {
  return text::fromCp1252(std::string(journal.PAAR.trimmedRaw()) + "/" + std::string(journal.JRNLNR.raw()));
}

const std::vector<ImportContext::ParameterMapping>& ImportContext::parameterMappings(char prtype) {
  const int i = prtype == 'S' ? 1 : 0;
  if (haveMappings_[i]) return mappings_[i];
  haveMappings_[i] = true;
  auto& f = thr.MapParam;
  const text::Str<1> type(std::string_view(&prtype, 1));
  f.clear();
  f.rec.LAB = thr.LAB;
  f.rec.PRTYPE = type;
  int rc = f.setFrom(data::MapParam::MAPPARAMKEY);
  while (rc == 0 && (rc = f.next()) == 0) {
    if (!data::sameLink(f.rec.LAB.raw(), thr.LAB.raw()) || f.rec.PRTYPE != type) break;
    // Multiplying by a factor that is no number, or by the 0 it reads as, would overwrite good
    // values. Mappings that take no factor are kept.
    if (factorUnreadable(f) && takesFactor(prtype, f.rec.PARAMSIV)) {
      problem(notAFactorLine(type.str(), text::fromCp1252(f.rec.PARAMLAB.raw())));
      passedOver_[i] = true;
      continue;
    }
    mappings_[i].push_back({f.rec, "Leser prøvefile. Analyse: " + text::fromCp1252(f.rec.PARAMLAB.raw())});
  }
  if (rc != 0 && rc != store::Err::NoRecord) readFailed(f);
  return mappings_[i];
}

const std::vector<data::MapStedRecord>& ImportContext::placeMappings(const text::Str<6>& rekv,
                                                                     const text::Str<32>& placeKey) {
  // Blank-padded texts of fixed width: equal keys have equal bytes, and no text is built.
  PlaceKey key;
  std::memcpy(key.bytes.data(), rekv.data(), 6);
  std::memcpy(key.bytes.data() + 6, placeKey.data(), 32);
  auto it = places_.find(key);
  if (it != places_.end()) return it->second;
  auto& out = places_[key];
  auto& f = thr.MapSted;
  f.clear();
  f.rec.LAB = thr.LAB;
  f.rec.LEVERAND = rekv;
  f.rec.STEDLAB.assignRaw(placeKey.raw().substr(0, 6));
  int rc = f.setFrom(data::MapSted::MAPSTEDKEY);
  while (rc == 0 && (rc = f.next()) == 0) {
    if (!data::sameLink(f.rec.LAB.raw(), thr.LAB.raw()) || !data::sameLink(f.rec.LEVERAND.raw(), rekv.raw()) ||
        f.rec.STEDLAB != placeKey)
      break;
    out.push_back(f.rec);
  }
  if (rc != 0 && rc != store::Err::NoRecord) readFailed(f);
  return out;
}

}  // namespace import
