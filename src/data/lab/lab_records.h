#pragma once
// Row buffers of the laboratory's five tables, every column in the tables' order.
// Text columns are Windows-1252 Str<N>, numerics double, dates standard day numbers;
// a memo column is reached through its block number (the *_PTR member).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/text/str.h"

namespace data::lab {

using text::Str;

// How the generic row copy fills one member from the column of the same name.
struct LabField {
  enum class Kind { Text, Number, Date, MemoPtr };
  const char* column;
  std::size_t offset;
  Kind kind;
  std::size_t size;  // bytes of a text member
};

// RNX20 (R20:): one row per sample.
struct R20Record {
  Str<2> PAAR;
  Str<4> JRNLNR;
  Str<1> PRONR;
  Str<1> PARNR;
  Str<3> PRVNR;
  Str<6> MATERIALE;
  Str<6> REKV;
  Str<2> STED;
  Str<25> REFERANSE;
  Str<13> REGKODE;
  Str<6> PRODUSENT;
  Str<2> PRODUKT;
  Str<6> LEVERAND;
  Str<12> IDENT;
  std::int32_t TATTDATO = 0;
  Str<2> GJELDER;
  Str<3> SAKSBEH1;
  Str<3> SAKSBEH2;
  Str<1> KVALITET;
  Str<4> AN11;
  Str<5> SV11;
  Str<4> AN12;
  Str<5> SV12;
  Str<4> AN13;
  Str<5> SV13;
  Str<4> AN14;
  Str<5> SV14;
  Str<4> AN15;
  Str<5> SV15;
  Str<4> AN16;
  Str<5> SV16;
  Str<4> AN17;
  Str<5> SV17;
  Str<4> AN18;
  Str<5> SV18;
  Str<4> AN19;
  Str<5> SV19;
  Str<4> AN20;
  Str<5> SV20;
  Str<4> AN21;
  Str<5> SV21;
  Str<4> AN22;
  Str<5> SV22;
  Str<4> AN23;
  Str<5> SV23;
  Str<4> AN24;
  Str<5> SV24;
  Str<4> AN25;
  Str<5> SV25;
  Str<1> VURD1;
  Str<1> VURD2;
  Str<1> VURD3;
  Str<1> VURD4;
  Str<1> VURD5;
  Str<6> VLF_FLD;
  std::int32_t MERKNAD_PTR = 0;

  // The fifteen code/result pairs in column order (0 = AN11/SV11).
  Str<4>& an(int i);
  Str<5>& sv(int i);
  static const std::vector<LabField>& layout();
};

// RNX50 (R50:): the laboratory's analysis codes.
struct R50Record {
  Str<1> T;
  Str<6> KODE;
  Str<12> KORTTEKST;
  Str<30> TEKST;
  Str<40> PLSU;
  Str<30> DIVERSE;
  double ANTALL = 0;
  Str<3> SAKSBEH;
  std::int32_t DATO = 0;
  std::int32_t MERKNAD_PTR = 0;
  Str<6> VLF_FLD;
  Str<7> TABID;

  static const std::vector<LabField>& layout();
};

// RNX51 (R51:): requisitioners, the suppliers of samples.
struct R51Record {
  Str<6> REKV;
  Str<7> VIRID;
  Str<30> NAVN;
  Str<30> NAVN2;
  Str<30> ADR2;
  Str<4> POSTGV;
  Str<30> ADRESSE;
  Str<4> POSTNR;
  Str<4> KOMMUNENR;
  Str<3> SAKSBEH;
  Str<12> TELEFON;
  Str<12> TELEFAX;
  Str<4> BRANSJE;
  Str<1> EGETUTTAK;
  Str<1> SVARBREV;
  Str<5> KOPITIL1;
  Str<5> KOPITIL2;
  double ANTSVAR = 0;
  Str<1> FAKTURA;
  Str<9> FORETAK;
  Str<1> INSPSTED;
  Str<1> STATUS;
  std::int32_t STATUSDATO = 0;
  std::int32_t GODKJTIL = 0;
  Str<5> EOS_NR;
  Str<30> KONTAKT;
  Str<2> VANNFORS;
  Str<1> SIVRA;
  Str<1> DISTRIB;
  double AREAL = 0;
  std::int32_t MERKNAD_PTR = 0;
  Str<6> TILKNYTTET;
  Str<6> FAKTADDR;
  Str<3> DISTRIKT;
  Str<50> DIVDATA;
  Str<12> NUMMER;
  Str<6> VANNVERK;
  Str<3> STYRER;
  Str<3> STEDFORT;
  Str<35> EPOST;
  Str<8> KATEGORIER;
  Str<1> AKTIV;
  Str<5> BRUKES;
  Str<30> POSTADR;

  static const std::vector<LabField>& layout();
};

// RNX60 (R60:): sampling places of each requisitioner.
struct R60Record {
  Str<6> REKV;
  Str<2> STED;
  Str<20> TEKST;
  Str<4> BRANSJE;
  Str<2> OPPSETT;
  Str<6> MATERIALE;
  Str<7> OST;
  Str<7> NORD;

  static const std::vector<LabField>& layout();
};

// RNXJR (RJR:): the journal, one row per order of a requisitioner.
struct RJRRecord {
  Str<2> PAAR;
  Str<4> JRNLNR;
  Str<6> REKV;
  Str<6> OPPRINN;
  std::int32_t STARTDATO = 0;
  std::int32_t PDATO = 0;
  Str<1> FAKTURA;
  Str<3> SAKSBEH;
  Str<3> SAKSBEH1;
  Str<3> SAKSBEH2;
  Str<2> SERIE;
  std::int32_t SVARDATO = 0;
  Str<4> OPPFOLGING;
  Str<1> BESVART;
  Str<1> KONKL;
  double STDSVAR = 0;
  std::int32_t TEKST_PTR = 0;
  double ANTSVAR = 0;
  Str<1> SVARBREV;
  Str<6> KUNDE;
  Str<12> ORDRE;
  Str<3> TATTAV;
  Str<1> GJELDER;
  Str<3> ATTENTION;
  Str<6> KOPITIL1;
  Str<6> KOPITIL2;
  Str<2> BREVAAR;
  Str<5> BREVNR;
  Str<1> PROSEDYRE;
  Str<2> RABATT;
  Str<7> FAKTNR;
  Str<6> FAKTADDR;

  static const std::vector<LabField>& layout();
};

}  // namespace data::lab
