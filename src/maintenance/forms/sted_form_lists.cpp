#include "maintenance/forms/sted_form_lists.h"

#include <algorithm>
#include <iterator>

#include "maintenance/forms/lookup_list.h"

namespace maintenance {

bool placeSourceIsSted(const text::Str<10>& stedKilde) { return stedKilde == "Sted"; }

void addLabPlace(LabPlaceList& list, const text::Str<6>& code, const text::Str<20>& tekst) {
  insertUnique(list, LabPlaceRow{code, tekst}, &LabPlaceRow::STEDLAB);
}

RegistryPlaceList registryPlaces(const data::AnleggRecord& plant) {
  RegistryPlaceList list;
  const int count = std::min<int>(plant.ANTALLPRSTEDER, static_cast<int>(std::size(plant.PRSTED)));
  for (int i = 0; i < count; ++i) {
    if (plant.PRSTED[i].blank()) continue;
    text::Str<15> place;
    place = plant.PRSTED[i];  // its first 15 characters
    insertSorted(list, place);
  }
  list.emplace_back("Slamkontroll");
  return list;
}

}  // namespace maintenance
