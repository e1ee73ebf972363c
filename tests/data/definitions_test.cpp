// Every record file as created on disk: its table, columns and keys.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "data/file_names.h"
#include "data/thread_state.h"
#include "data/use_counters.h"
#include "platform/store/paths.h"
#include "scratch_dir.h"
#include "sqlite_peek.h"

using namespace testing_util;

namespace {

struct Expected {
  data::FileId id;
  const char* label;
  int columns;                    // with the bookkeeping column
  std::vector<std::string> keys;  // "name unique partial components", GROUPs as their leaves
};

// Column counts counted from the record layouts by hand.
const Expected kFiles[] = {
    {data::FileId::MapLab, "MapLab", 7, {"MAP:MAPLABKEY 1 1 LAB"}},
    {data::FileId::MapLever, "MapLever", 4, {"M_L:MAPLEVERKEY 1 1 LAB,LEVERAND"}},
    {data::FileId::MapParam, "MapParam", 6, {"M_P:MAPPARAMKEY 1 1 LAB,PRTYPE,PARAMLAB"}},
    {data::FileId::MapSted, "MapSted", 5, {"M_S:MAPSTEDKEY 1 1 LAB,LEVERAND,STEDLAB,STEDSIV"}},
    {data::FileId::Lab2Siv, "Lab2Siv", 5, {}},
    {data::FileId::Labuser, "Labuser", 6, {}},
    {data::FileId::Anlegg,
     "Anlegg",
     290,
     {"ANL:ANLEGGKEY_2 0 1 ANLEGGSNAVN", "ANL:ANLEGG_KEY1 1 0 FYLKESNR,KOMM_NR,ANLEGG_NR",
      "ANL:ANLEGG_KEY3 1 1 RENSEDISTRIKTETSNR,FYLKESNR,KOMM_NR,ANLEGG_NR"}},
    {data::FileId::Utslippskontroll,
     "Utslippskontroll",
     414,
     {"U_K:UTSLIPPSKONTROLL_KEY1 1 1 ANLEGGSNR,UTSL_DATO2,PRTYPE,LAB_JOURNALNR",
      "U_K:UTSLIPSKONTROLL_KEY2 0 1 REG_DATO,PRTYPE,ANLEGGSNR,UTSL_DATO2",
      "U_K:UTSLIPSKONTROLL_KEY3 0 1 ANLEGGSNR,PRTYPE,UTSL_DATO2",
      "U_K:UTSLIPSKONTROLL_KEY4 0 1 ANLEGGSNR,LAB_JOURNALNR"}},
    {data::FileId::Slamkontroll,
     "Slamkontroll",
     57,
     {"S_K:SLAMKONTROLL_KEY1 1 1 ANLEGGSNR,PR_TAKINGSTED,DATO2,LAB_JOURNALNR",
      "S_K:SLAMKONTROLL_KEY2 0 1 REG_DATO,ANLEGGSNR,DATO2",
      "S_K:SLAMKONTROLL_KEY3 0 1 ANLEGGSNR,STATISTIKKAAR,STATISTIKKMND,DATO2",
      "S_K:SLAMKONTROLL_KEY4 0 1 ANLEGGSNR,LAB_JOURNALNR", "S_K:SLAMKONTROLL_KEY5 0 1 ANLEGGSNR,DATO2,LAB_JOURNALNR",
      "S_K:SLAMKONTROLL_KEY6 0 1 PR_TAKINGSTED"}},
    {data::FileId::Parameter, "Parameter", 8, {"PAR:PARAMETERKEY 1 1 PARAMETER"}},
    {data::FileId::PrType, "PrType", 2, {"P_T:PRTYPEKEY 1 1 PRTYPE"}},
    {data::FileId::PrTakingsSted, "PrTakingsSted", 2, {"PRT:PRTAKINGSSTED_KEY 1 1 PR_TAKINGSTED"}},
    {data::FileId::Postadresser,
     "Postadresser",
     3,
     {"P_A:POSTADRESSE_KEY1 1 1 POSTNUMMER", "P_A:POSTADRESSE_KEY2 0 1 POSTSTED"}},
    {data::FileId::Driftsdata, "Driftsdata", 51, {"DRI:DRIFTSDATA_KEY1 1 1 ANLEGGSNR,AAR,MND"}},
    {data::FileId::Driftsanalyser, "Driftsanalyser", 14, {"DRA:DRIFTSANALYSER_KEY 1 1 ANLEGGSNR,AAR,MND,DATO"}},
    {data::FileId::Slamdisponering, "Slamdisponering", 16, {"S_D:SLAMDISPONERING_KEY 1 1 ANLEGGSNR,AAR"}},
    {data::FileId::Slamoverforing,
     "Slamoverforing",
     9,
     {"S_O:SLAMOVERFORING_KEY1 1 1 FRA_ANLEGGSNR,AAR,MND,TIL_ANLEGGSNR",
      "S_O:SLAMOVERFORING_KEY2 0 1 TIL_ANLEGGSNR,AAR,MND,FRA_ANLEGGSNR"}},
    {data::FileId::Bef_reg,
     "Bef_reg",
     15,
     {"B_R:BEF_REG_KEY1 1 1 ANLEGGSNR,BEF_DATO,PR_NR", "B_R:BEF_REG_KEY2 0 1 ANLEGGSNR,PR_STED,BEF_DATO"}},
    {data::FileId::Bef_dato, "Bef_dato", 14, {"B_D:BEF_DATO_KEY 1 1 ANLEGGSNR,BEF_DATO"}},
};

class DefinitionsTest : public ::testing::Test {
 protected:
  ScratchDir dir;
  std::filesystem::path oldCwd = std::filesystem::current_path();
  void SetUp() override {
    std::filesystem::current_path(dir.path());  // the bare names land here
    data::setDataDirectory(dir.path().string());
    data::SetFileNames();
  }
  void TearDown() override {
    std::filesystem::current_path(oldCwd);
    data::resetFileNames();
  }
  std::string pathOf(data::FileId id) { return store::resolvePath(data::fileName(id)); }
};

TEST_F(DefinitionsTest, EveryFileIsCreatedWithItsTableColumnsAndKeys) {
  auto& t = data::thr();
  for (const auto& e : kFiles) {
    SCOPED_TRACE(e.label);
    auto& f = t.file(e.id);
    EXPECT_EQ(f.label(), e.label);
    ASSERT_EQ(f.create(), 0);
    const std::string p = pathOf(e.id);
    EXPECT_EQ(peek(p, "SELECT name FROM sqlite_master WHERE type = 'table'"), Rows{{e.label}});
    EXPECT_EQ(peek(p, "SELECT count(*) FROM pragma_table_info('" + std::string(e.label) + "')"),
              Rows{{std::to_string(e.columns)}});
    std::vector<std::string> keys;
    for (const auto& r : peek(p, "SELECT name, \"unique\", partial FROM pragma_index_list('" + std::string(e.label) +
                                     "') WHERE origin = 'c' ORDER BY name"))
      keys.push_back(r[0] + " " + r[1] + " " + r[2] + " " +
                     peek(p, "SELECT group_concat(name) FROM (SELECT name FROM pragma_index_xinfo('" + r[0] +
                                 "') WHERE key = 1 ORDER BY seqno)")[0][0]);
    EXPECT_EQ(keys, e.keys);
    // Every key of the program ignores letter case.
    EXPECT_EQ(peek(p,
                   "SELECT count(*) FROM sqlite_master m, pragma_index_xinfo(m.name) x "
                   "WHERE m.type = 'index' AND x.key = 1 AND x.coll NOT IN ('UPPER1252') AND "
                   "EXISTS (SELECT 1 FROM pragma_table_info(m.tbl_name) c WHERE c.name = x.name AND c.type = 'TEXT')"),
              Rows{{"0"}});
  }
  data::Datasett ds;
  ds.setName(dir.file("Datasett.tps"));
  ASSERT_EQ(ds.create(), 0);
  EXPECT_EQ(peek(dir.file("Datasett.tps"), "SELECT group_concat(name) FROM pragma_table_info('Datasett')"),
            Rows{{"DATASETT_NAVN,DATAKATALOG,_REV"}});
}

TEST_F(DefinitionsTest, ArraysGroupsAndMemosBecomeColumnsInOrder) {
  auto& t = data::thr();
  ASSERT_EQ(t.Utslippskontroll.create(), 0);
  ASSERT_EQ(t.Anlegg.create(), 0);
  const auto cols = [&](data::FileId id, const std::string& label) {
    std::vector<std::string> out;
    for (const auto& r : peek(pathOf(id), "SELECT name FROM pragma_table_info('" + label + "') ORDER BY cid"))
      out.push_back(r[0]);
    return out;
  };
  const auto uk = cols(data::FileId::Utslippskontroll, "Utslippskontroll");
  ASSERT_EQ(uk.size(), 414u);
  EXPECT_EQ(uk[5], "VERDI_1_1");
  EXPECT_EQ(uk[6], "VERDI_1_2");
  EXPECT_EQ(uk[15], "VERDI_2_1");  // first index outer
  EXPECT_EQ(uk[204], "VERDI_20_10");
  EXPECT_EQ(uk[205], "VANNFOERING");
  EXPECT_EQ(uk[412], "KOMMENTAR");
  EXPECT_EQ(uk[413], "_REV");

  const auto an = cols(data::FileId::Anlegg, "Anlegg");
  EXPECT_EQ(std::vector<std::string>(an.begin(), an.begin() + 4),
            (std::vector<std::string>{"FYLKESNR", "KOMM_NR", "ANLEGG_NR", "RENSEDISTRIKTETSNR"}));
  EXPECT_EQ(an[10], "EIERSKIFTE_AAR");
  EXPECT_EQ(an[73], "PARAMETER_1");
  EXPECT_EQ(an[287], "REG_IDENT");
  EXPECT_EQ(an[288], "ANDREOPPLYSNINGER");
  // A GROUP as a key component stands for its leaves.
  EXPECT_EQ(peek(pathOf(data::FileId::Anlegg),
                 "SELECT group_concat(name) FROM pragma_index_xinfo('ANL:ANLEGG_KEY3') WHERE key = 1"),
            Rows{{"RENSEDISTRIKTETSNR,FYLKESNR,KOMM_NR,ANLEGG_NR"}});
}

TEST_F(DefinitionsTest, AGroupKeyReadsAsOneText) {
  auto& a = data::thr().Anlegg;
  ASSERT_EQ(data::useFile(data::FileId::Anlegg), 0);
  a.clear();
  a.rec.ANLEGGSNR.setWhole("010203");
  a.rec.ANLEGGSNAVN = "Renseanlegg";
  a.rec.PARAMETER[0] = "KOF";
  a.rec.PRSTED[9] = "Utløp";
  ASSERT_EQ(a.add(), 0);
  EXPECT_EQ(
      peek(pathOf(data::FileId::Anlegg), "SELECT FYLKESNR, KOMM_NR, ANLEGG_NR, PARAMETER_1, PRSTED_10 FROM Anlegg"),
      (Rows{{"01", "02", "03", "KOF", "Utløp"}}));
  a.clear();
  a.rec.ANLEGGSNR.setWhole("010203");
  ASSERT_EQ(a.get(data::Anlegg::ANLEGG_KEY1), 0);
  EXPECT_EQ(a.rec.ANLEGGSNAVN, "Renseanlegg");
  EXPECT_EQ(a.rec.ANLEGGSNR.whole(), "010203");
  EXPECT_EQ(a.rec.ANLEGGSNR.KOMMUNENR.KOMM_NR, "02");
  data::dropFile(data::FileId::Anlegg);
}

TEST_F(DefinitionsTest, WalkFromLowestValuesFindsTheOwnersFirstRecord) {
  // The cascade walks fill the later key components with character code 0.
  auto& s = data::thr().MapSted;
  ASSERT_EQ(data::useFile(data::FileId::MapSted), 0);
  int n = 0;
  for (const char* lab : {"K0", "K1", "k1", "K2"}) {
    s.clear();
    s.rec.LAB = lab;
    s.rec.LEVERAND = "L";
    s.rec.STEDLAB = "S" + std::to_string(n++);
    ASSERT_EQ(s.add(), 0);
  }
  s.clear();
  s.rec.LAB = "K1";
  std::memset(s.rec.LEVERAND.data(), 0, s.rec.LEVERAND.size());
  std::memset(s.rec.STEDLAB.data(), 0, s.rec.STEDLAB.size());
  std::memset(s.rec.STEDSIV.data(), 0, s.rec.STEDSIV.size());
  ASSERT_EQ(s.setFrom(data::MapSted::MAPSTEDKEY), 0);
  std::vector<std::string> seen;
  while (s.next() == 0 && s.rec.LAB.upper() == "K1") seen.push_back(s.rec.STEDLAB.str());
  EXPECT_EQ(seen, (std::vector<std::string>{"S1", "S2"}));
  data::dropFile(data::FileId::MapSted);
}

}  // namespace
