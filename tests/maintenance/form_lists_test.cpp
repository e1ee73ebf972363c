// The look-up lists of the parameter-mapping and place-mapping forms, built from rows in the
// order the tables give them.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "maintenance/forms/param_form_lists.h"
#include "maintenance/forms/sted_form_lists.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

Pairs analysisCodes(const Pairs& rows) {
  maintenance::AnalysisCodeList list;
  for (const auto& [kode, tekst] : rows) maintenance::addAnalysisCode(list, kode, tekst);
  Pairs out;
  for (const auto& r : list) out.emplace_back(r.KODE.str(), r.TEKST.str());
  return out;
}

Pairs labPlaces(const Pairs& rows) {
  maintenance::LabPlaceList list;
  for (const auto& [code, tekst] : rows) maintenance::addLabPlace(list, code, tekst);
  Pairs out;
  for (const auto& r : list) out.emplace_back(r.STEDLAB.str(), r.S_NAVN.str());
  return out;
}

TEST(AnalysisCodeList, CodesAreCutToFourCharactersAndKeepTheFirstText) {
  struct Case {
    const char* name;
    Pairs rows;  // in the order RNX50 is read
    Pairs expected;
  };
  const Case cases[] = {
      {"one entry for codes sharing four characters",
       {{"ABCD1", "Først lest"}, {"ABCD2", "Sist lest"}},
       {{"ABCD", "Først lest"}}},
      {"ascending whatever the reading order",
       {{"PTOT", "Fosfor"}, {"BOF5", "BOF"}, {"NTOT", "Nitrogen"}},
       {{"BOF5", "BOF"}, {"NTOT", "Nitrogen"}, {"PTOT", "Fosfor"}}},
      {"case counts in the list", {{"abcd", "små"}, {"ABCD", "store"}}, {{"ABCD", "store"}, {"abcd", "små"}}},
      {"a short code stays short", {{"PH", "pH"}, {"PHX", "pH ekstra"}}, {{"PH", "pH"}, {"PHX", "pH ekstra"}}},
      {"no rows", {}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(analysisCodes(c.rows), c.expected) << c.name;
}

TEST(SampleTypeWord, FollowsTheFirstLetter) {
  EXPECT_EQ(maintenance::sampleTypeWord("U"), "Utslippskontroll");
  EXPECT_EQ(maintenance::sampleTypeWord("U  "), "Utslippskontroll");
  EXPECT_EQ(maintenance::sampleTypeWord("S"), "Slamkontroll");
  EXPECT_EQ(maintenance::sampleTypeWord(""), "Slamkontroll");
}

TEST(LabPlaceList, OneEntryPerCodeNamedByTheFirstRow) {
  // The rows of one supplier as the place source gives their codes (material codes here: two
  // places share one material).
  EXPECT_EQ(labPlaces({{"SL01", "Innløp"}, {"AV02", "Utløp"}, {"SL01", "Slamlager"}}),
            (Pairs{{"AV02", "Utløp"}, {"SL01", "Innløp"}}));
  EXPECT_EQ(labPlaces({}), Pairs{});
}

TEST(PlaceSource, OnlyStedNamesPlacesByPlaceCode) {
  EXPECT_TRUE(maintenance::placeSourceIsSted("Sted"));
  EXPECT_TRUE(maintenance::placeSourceIsSted("Sted      "));
  EXPECT_FALSE(maintenance::placeSourceIsSted("Material"));
  EXPECT_FALSE(maintenance::placeSourceIsSted("sted"));
  EXPECT_FALSE(maintenance::placeSourceIsSted(""));
}

std::vector<std::string> registryPlaces(int count, const std::vector<std::string>& places) {
  data::AnleggRecord plant{};
  for (auto& p : plant.PRSTED) p.clear();
  plant.ANTALLPRSTEDER = static_cast<std::uint8_t>(count);
  for (std::size_t i = 0; i < places.size(); ++i) plant.PRSTED[i] = places[i];
  std::vector<std::string> out;
  for (const auto& p : maintenance::registryPlaces(plant)) out.push_back(p.str());
  return out;
}

TEST(RegistryPlaceList, PlacesOfThePlantSortedThenSlamkontroll) {
  using V = std::vector<std::string>;
  struct Case {
    const char* name;
    int count;
    V places;
    V expected;
  };
  const V ten = {"J", "I", "H", "G", "F", "E", "D", "C", "B", "A"};
  const Case cases[] = {
      {"sorted, duplicates kept",
       4,
       {"Utløp", "Innløp", "Utløp", "Avløp"},
       {"Avløp", "Innløp", "Utløp", "Utløp", "Slamkontroll"}},
      {"only the counted places", 2, {"Utløp", "Innløp", "Avløp"}, {"Innløp", "Utløp", "Slamkontroll"}},
      {"blank places skipped", 3, {"Utløp", "", "Innløp"}, {"Innløp", "Utløp", "Slamkontroll"}},
      {"cut to 15 characters", 1, {"Innløp fra nord-øst"}, {"Innløp fra nord", "Slamkontroll"}},
      {"no places", 0, {"Utløp"}, {"Slamkontroll"}},
      {"a count past ten reads ten", 25, ten, {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "Slamkontroll"}},
  };
  for (const auto& c : cases) EXPECT_EQ(registryPlaces(c.count, c.places), c.expected) << c.name;
}

}  // namespace
