#include "maintenance/lists/param_siv_list.h"

#include "window_harness.h"

namespace {

using maintenance::BuildParamSivList;
using maintenance::ParamSivDescription;
using maintenance::ParamSivList;
using maintenance::ParamSivOrder;
using Strings = std::vector<std::string>;

class ParamSivListTest : public l2stest::WindowHarness {
 protected:
  // (code, type, description) in the order they are added
  void addParameters(const std::vector<std::vector<std::string>>& rows) {
    file.setName(data::fileName(data::FileId::Parameter));
    ASSERT_EQ(file.create(), 0);
    ASSERT_EQ(file.open(), 0);
    for (const auto& r : rows) {
      file.clear();
      file.rec.PARAMETER = r.at(0);
      file.rec.TYPE = r.at(1);
      file.rec.BETEGNELSE = r.at(2);
      ASSERT_EQ(file.add(), 0);
    }
  }
  static Strings codes(const ParamSivList& list) {
    Strings out;
    for (const auto& r : list) out.push_back(r.PARAMETER.str());
    return out;
  }
  data::Parameter file;
};

const Strings kHead{"Ant. Døgn", "Vannmengde", "Overløp", "N"};

TEST_P(ParamSivListTest, HeadRowsThenTheRegistryParametersOrTheSludgeValues) {
  addParameters({{"tot-p", "B", "Totalfosfor"}, {"BOF5", "A", "Biokjemisk"}, {"N", "A", "Nitrogen"}});
  Strings discharge = kHead;
  for (const char* c : {"BOF5", "N", "tot-p"}) discharge.push_back(c);
  EXPECT_EQ(codes(BuildParamSivList("U", file)), discharge) << "by code, case-insensitive";

  const ParamSivList sludge = BuildParamSivList("S", file);
  ASSERT_EQ(sludge.size(), 4u + 35u);
  EXPECT_EQ(sludge[4].PARAMETER.str(), "TS-tungmetall");
  EXPECT_EQ(sludge.back().PARAMETER.str(), "Temp. maks");
  EXPECT_EQ(ParamSivDescription(sludge, text::Str<20>("Kadmium")).str(), "Måleverdi Cd");
  EXPECT_EQ(codes(BuildParamSivList("", file)), codes(sludge)) << "anything but U gives the sludge rows";

  // A registry code equal to a head-row code: both are listed, the head row names it.
  EXPECT_EQ(ParamSivDescription(BuildParamSivList("U", file), text::Str<20>("N")).str(), "Næringsstoffer:");
  EXPECT_EQ(ParamSivDescription(sludge, text::Str<20>("Tot-N")).str(), "");
}

TEST_P(ParamSivListTest, TypeThenCodeOrderKeepsTheHeadRowsFirst) {
  // A blank type letter sorts first among the registry's parameters, after the head rows.
  addParameters(
      {{"TOT-P", "B", "Totalfosfor"}, {"BOF5", "B", "Biokjemisk"}, {"PH", "A", "Surhet"}, {"AAA", "", "Uten type"}});
  Strings expected = kHead;
  for (const char* c : {"AAA", "PH", "BOF5", "TOT-P"}) expected.push_back(c);
  EXPECT_EQ(codes(BuildParamSivList("U", file, ParamSivOrder::ByTypeThenCode)), expected);
}

TEST_P(ParamSivListTest, EmptyOrUnopenedParameterFileGivesTheHeadRows) {
  addParameters({});
  EXPECT_EQ(codes(BuildParamSivList("U", file)), kHead);
  file.close();
  EXPECT_EQ(codes(BuildParamSivList("U", file)), kHead);
}

INSTANTIATE_TEST_SUITE_P(Backends, ParamSivListTest, ::testing::ValuesIn(l2stest::windowBackends()),
                         l2stest::backendName);

}  // namespace
