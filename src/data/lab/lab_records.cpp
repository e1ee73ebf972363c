#include "data/lab/lab_records.h"

#include <cstddef>

namespace data::lab {

namespace {
using K = LabField::Kind;
}  // namespace

const std::vector<LabField>& R20Record::layout() {
  static const std::vector<LabField> fields{
      {"PAAR", offsetof(R20Record, PAAR), K::Text, sizeof(R20Record::PAAR)},
      {"JRNLNR", offsetof(R20Record, JRNLNR), K::Text, sizeof(R20Record::JRNLNR)},
      {"PRONR", offsetof(R20Record, PRONR), K::Text, sizeof(R20Record::PRONR)},
      {"PARNR", offsetof(R20Record, PARNR), K::Text, sizeof(R20Record::PARNR)},
      {"PRVNR", offsetof(R20Record, PRVNR), K::Text, sizeof(R20Record::PRVNR)},
      {"MATERIALE", offsetof(R20Record, MATERIALE), K::Text, sizeof(R20Record::MATERIALE)},
      {"REKV", offsetof(R20Record, REKV), K::Text, sizeof(R20Record::REKV)},
      {"STED", offsetof(R20Record, STED), K::Text, sizeof(R20Record::STED)},
      {"REFERANSE", offsetof(R20Record, REFERANSE), K::Text, sizeof(R20Record::REFERANSE)},
      {"REGKODE", offsetof(R20Record, REGKODE), K::Text, sizeof(R20Record::REGKODE)},
      {"PRODUSENT", offsetof(R20Record, PRODUSENT), K::Text, sizeof(R20Record::PRODUSENT)},
      {"PRODUKT", offsetof(R20Record, PRODUKT), K::Text, sizeof(R20Record::PRODUKT)},
      {"LEVERAND", offsetof(R20Record, LEVERAND), K::Text, sizeof(R20Record::LEVERAND)},
      {"IDENT", offsetof(R20Record, IDENT), K::Text, sizeof(R20Record::IDENT)},
      {"TATTDATO", offsetof(R20Record, TATTDATO), K::Date, 0},
      {"GJELDER", offsetof(R20Record, GJELDER), K::Text, sizeof(R20Record::GJELDER)},
      {"SAKSBEH1", offsetof(R20Record, SAKSBEH1), K::Text, sizeof(R20Record::SAKSBEH1)},
      {"SAKSBEH2", offsetof(R20Record, SAKSBEH2), K::Text, sizeof(R20Record::SAKSBEH2)},
      {"KVALITET", offsetof(R20Record, KVALITET), K::Text, sizeof(R20Record::KVALITET)},
      {"AN11", offsetof(R20Record, AN11), K::Text, sizeof(R20Record::AN11)},
      {"SV11", offsetof(R20Record, SV11), K::Text, sizeof(R20Record::SV11)},
      {"AN12", offsetof(R20Record, AN12), K::Text, sizeof(R20Record::AN12)},
      {"SV12", offsetof(R20Record, SV12), K::Text, sizeof(R20Record::SV12)},
      {"AN13", offsetof(R20Record, AN13), K::Text, sizeof(R20Record::AN13)},
      {"SV13", offsetof(R20Record, SV13), K::Text, sizeof(R20Record::SV13)},
      {"AN14", offsetof(R20Record, AN14), K::Text, sizeof(R20Record::AN14)},
      {"SV14", offsetof(R20Record, SV14), K::Text, sizeof(R20Record::SV14)},
      {"AN15", offsetof(R20Record, AN15), K::Text, sizeof(R20Record::AN15)},
      {"SV15", offsetof(R20Record, SV15), K::Text, sizeof(R20Record::SV15)},
      {"AN16", offsetof(R20Record, AN16), K::Text, sizeof(R20Record::AN16)},
      {"SV16", offsetof(R20Record, SV16), K::Text, sizeof(R20Record::SV16)},
      {"AN17", offsetof(R20Record, AN17), K::Text, sizeof(R20Record::AN17)},
      {"SV17", offsetof(R20Record, SV17), K::Text, sizeof(R20Record::SV17)},
      {"AN18", offsetof(R20Record, AN18), K::Text, sizeof(R20Record::AN18)},
      {"SV18", offsetof(R20Record, SV18), K::Text, sizeof(R20Record::SV18)},
      {"AN19", offsetof(R20Record, AN19), K::Text, sizeof(R20Record::AN19)},
      {"SV19", offsetof(R20Record, SV19), K::Text, sizeof(R20Record::SV19)},
      {"AN20", offsetof(R20Record, AN20), K::Text, sizeof(R20Record::AN20)},
      {"SV20", offsetof(R20Record, SV20), K::Text, sizeof(R20Record::SV20)},
      {"AN21", offsetof(R20Record, AN21), K::Text, sizeof(R20Record::AN21)},
      {"SV21", offsetof(R20Record, SV21), K::Text, sizeof(R20Record::SV21)},
      {"AN22", offsetof(R20Record, AN22), K::Text, sizeof(R20Record::AN22)},
      {"SV22", offsetof(R20Record, SV22), K::Text, sizeof(R20Record::SV22)},
      {"AN23", offsetof(R20Record, AN23), K::Text, sizeof(R20Record::AN23)},
      {"SV23", offsetof(R20Record, SV23), K::Text, sizeof(R20Record::SV23)},
      {"AN24", offsetof(R20Record, AN24), K::Text, sizeof(R20Record::AN24)},
      {"SV24", offsetof(R20Record, SV24), K::Text, sizeof(R20Record::SV24)},
      {"AN25", offsetof(R20Record, AN25), K::Text, sizeof(R20Record::AN25)},
      {"SV25", offsetof(R20Record, SV25), K::Text, sizeof(R20Record::SV25)},
      {"VURD1", offsetof(R20Record, VURD1), K::Text, sizeof(R20Record::VURD1)},
      {"VURD2", offsetof(R20Record, VURD2), K::Text, sizeof(R20Record::VURD2)},
      {"VURD3", offsetof(R20Record, VURD3), K::Text, sizeof(R20Record::VURD3)},
      {"VURD4", offsetof(R20Record, VURD4), K::Text, sizeof(R20Record::VURD4)},
      {"VURD5", offsetof(R20Record, VURD5), K::Text, sizeof(R20Record::VURD5)},
      {"VLF_FLD", offsetof(R20Record, VLF_FLD), K::Text, sizeof(R20Record::VLF_FLD)},
      {"MERKNAD", offsetof(R20Record, MERKNAD_PTR), K::MemoPtr, 0},
  };
  return fields;
}

const std::vector<LabField>& R50Record::layout() {
  static const std::vector<LabField> fields{
      {"T", offsetof(R50Record, T), K::Text, sizeof(R50Record::T)},
      {"KODE", offsetof(R50Record, KODE), K::Text, sizeof(R50Record::KODE)},
      {"KORTTEKST", offsetof(R50Record, KORTTEKST), K::Text, sizeof(R50Record::KORTTEKST)},
      {"TEKST", offsetof(R50Record, TEKST), K::Text, sizeof(R50Record::TEKST)},
      {"PLSU", offsetof(R50Record, PLSU), K::Text, sizeof(R50Record::PLSU)},
      {"DIVERSE", offsetof(R50Record, DIVERSE), K::Text, sizeof(R50Record::DIVERSE)},
      {"ANTALL", offsetof(R50Record, ANTALL), K::Number, 0},
      {"SAKSBEH", offsetof(R50Record, SAKSBEH), K::Text, sizeof(R50Record::SAKSBEH)},
      {"DATO", offsetof(R50Record, DATO), K::Date, 0},
      {"MERKNAD", offsetof(R50Record, MERKNAD_PTR), K::MemoPtr, 0},
      {"VLF_FLD", offsetof(R50Record, VLF_FLD), K::Text, sizeof(R50Record::VLF_FLD)},
      {"TABID", offsetof(R50Record, TABID), K::Text, sizeof(R50Record::TABID)},
  };
  return fields;
}

const std::vector<LabField>& R51Record::layout() {
  static const std::vector<LabField> fields{
      {"REKV", offsetof(R51Record, REKV), K::Text, sizeof(R51Record::REKV)},
      {"VIRID", offsetof(R51Record, VIRID), K::Text, sizeof(R51Record::VIRID)},
      {"NAVN", offsetof(R51Record, NAVN), K::Text, sizeof(R51Record::NAVN)},
      {"NAVN2", offsetof(R51Record, NAVN2), K::Text, sizeof(R51Record::NAVN2)},
      {"ADR2", offsetof(R51Record, ADR2), K::Text, sizeof(R51Record::ADR2)},
      {"POSTGV", offsetof(R51Record, POSTGV), K::Text, sizeof(R51Record::POSTGV)},
      {"ADRESSE", offsetof(R51Record, ADRESSE), K::Text, sizeof(R51Record::ADRESSE)},
      {"POSTNR", offsetof(R51Record, POSTNR), K::Text, sizeof(R51Record::POSTNR)},
      {"KOMMUNENR", offsetof(R51Record, KOMMUNENR), K::Text, sizeof(R51Record::KOMMUNENR)},
      {"SAKSBEH", offsetof(R51Record, SAKSBEH), K::Text, sizeof(R51Record::SAKSBEH)},
      {"TELEFON", offsetof(R51Record, TELEFON), K::Text, sizeof(R51Record::TELEFON)},
      {"TELEFAX", offsetof(R51Record, TELEFAX), K::Text, sizeof(R51Record::TELEFAX)},
      {"BRANSJE", offsetof(R51Record, BRANSJE), K::Text, sizeof(R51Record::BRANSJE)},
      {"EGETUTTAK", offsetof(R51Record, EGETUTTAK), K::Text, sizeof(R51Record::EGETUTTAK)},
      {"SVARBREV", offsetof(R51Record, SVARBREV), K::Text, sizeof(R51Record::SVARBREV)},
      {"KOPITIL1", offsetof(R51Record, KOPITIL1), K::Text, sizeof(R51Record::KOPITIL1)},
      {"KOPITIL2", offsetof(R51Record, KOPITIL2), K::Text, sizeof(R51Record::KOPITIL2)},
      {"ANTSVAR", offsetof(R51Record, ANTSVAR), K::Number, 0},
      {"FAKTURA", offsetof(R51Record, FAKTURA), K::Text, sizeof(R51Record::FAKTURA)},
      {"FORETAK", offsetof(R51Record, FORETAK), K::Text, sizeof(R51Record::FORETAK)},
      {"INSPSTED", offsetof(R51Record, INSPSTED), K::Text, sizeof(R51Record::INSPSTED)},
      {"STATUS", offsetof(R51Record, STATUS), K::Text, sizeof(R51Record::STATUS)},
      {"STATUSDATO", offsetof(R51Record, STATUSDATO), K::Date, 0},
      {"GODKJTIL", offsetof(R51Record, GODKJTIL), K::Date, 0},
      {"EOS_NR", offsetof(R51Record, EOS_NR), K::Text, sizeof(R51Record::EOS_NR)},
      {"KONTAKT", offsetof(R51Record, KONTAKT), K::Text, sizeof(R51Record::KONTAKT)},
      {"VANNFORS", offsetof(R51Record, VANNFORS), K::Text, sizeof(R51Record::VANNFORS)},
      {"SIVRA", offsetof(R51Record, SIVRA), K::Text, sizeof(R51Record::SIVRA)},
      {"DISTRIB", offsetof(R51Record, DISTRIB), K::Text, sizeof(R51Record::DISTRIB)},
      {"AREAL", offsetof(R51Record, AREAL), K::Number, 0},
      {"MERKNAD", offsetof(R51Record, MERKNAD_PTR), K::MemoPtr, 0},
      {"TILKNYTTET", offsetof(R51Record, TILKNYTTET), K::Text, sizeof(R51Record::TILKNYTTET)},
      {"FAKTADDR", offsetof(R51Record, FAKTADDR), K::Text, sizeof(R51Record::FAKTADDR)},
      {"DISTRIKT", offsetof(R51Record, DISTRIKT), K::Text, sizeof(R51Record::DISTRIKT)},
      {"DIVDATA", offsetof(R51Record, DIVDATA), K::Text, sizeof(R51Record::DIVDATA)},
      {"NUMMER", offsetof(R51Record, NUMMER), K::Text, sizeof(R51Record::NUMMER)},
      {"VANNVERK", offsetof(R51Record, VANNVERK), K::Text, sizeof(R51Record::VANNVERK)},
      {"STYRER", offsetof(R51Record, STYRER), K::Text, sizeof(R51Record::STYRER)},
      {"STEDFORT", offsetof(R51Record, STEDFORT), K::Text, sizeof(R51Record::STEDFORT)},
      {"EPOST", offsetof(R51Record, EPOST), K::Text, sizeof(R51Record::EPOST)},
      {"KATEGORIER", offsetof(R51Record, KATEGORIER), K::Text, sizeof(R51Record::KATEGORIER)},
      {"AKTIV", offsetof(R51Record, AKTIV), K::Text, sizeof(R51Record::AKTIV)},
      {"BRUKES", offsetof(R51Record, BRUKES), K::Text, sizeof(R51Record::BRUKES)},
      {"POSTADR", offsetof(R51Record, POSTADR), K::Text, sizeof(R51Record::POSTADR)},
  };
  return fields;
}

const std::vector<LabField>& R60Record::layout() {
  static const std::vector<LabField> fields{
      {"REKV", offsetof(R60Record, REKV), K::Text, sizeof(R60Record::REKV)},
      {"STED", offsetof(R60Record, STED), K::Text, sizeof(R60Record::STED)},
      {"TEKST", offsetof(R60Record, TEKST), K::Text, sizeof(R60Record::TEKST)},
      {"BRANSJE", offsetof(R60Record, BRANSJE), K::Text, sizeof(R60Record::BRANSJE)},
      {"OPPSETT", offsetof(R60Record, OPPSETT), K::Text, sizeof(R60Record::OPPSETT)},
      {"MATERIALE", offsetof(R60Record, MATERIALE), K::Text, sizeof(R60Record::MATERIALE)},
      {"OST", offsetof(R60Record, OST), K::Text, sizeof(R60Record::OST)},
      {"NORD", offsetof(R60Record, NORD), K::Text, sizeof(R60Record::NORD)},
  };
  return fields;
}

const std::vector<LabField>& RJRRecord::layout() {
  static const std::vector<LabField> fields{
      {"PAAR", offsetof(RJRRecord, PAAR), K::Text, sizeof(RJRRecord::PAAR)},
      {"JRNLNR", offsetof(RJRRecord, JRNLNR), K::Text, sizeof(RJRRecord::JRNLNR)},
      {"REKV", offsetof(RJRRecord, REKV), K::Text, sizeof(RJRRecord::REKV)},
      {"OPPRINN", offsetof(RJRRecord, OPPRINN), K::Text, sizeof(RJRRecord::OPPRINN)},
      {"STARTDATO", offsetof(RJRRecord, STARTDATO), K::Date, 0},
      {"PDATO", offsetof(RJRRecord, PDATO), K::Date, 0},
      {"FAKTURA", offsetof(RJRRecord, FAKTURA), K::Text, sizeof(RJRRecord::FAKTURA)},
      {"SAKSBEH", offsetof(RJRRecord, SAKSBEH), K::Text, sizeof(RJRRecord::SAKSBEH)},
      {"SAKSBEH1", offsetof(RJRRecord, SAKSBEH1), K::Text, sizeof(RJRRecord::SAKSBEH1)},
      {"SAKSBEH2", offsetof(RJRRecord, SAKSBEH2), K::Text, sizeof(RJRRecord::SAKSBEH2)},
      {"SERIE", offsetof(RJRRecord, SERIE), K::Text, sizeof(RJRRecord::SERIE)},
      {"SVARDATO", offsetof(RJRRecord, SVARDATO), K::Date, 0},
      {"OPPFOLGING", offsetof(RJRRecord, OPPFOLGING), K::Text, sizeof(RJRRecord::OPPFOLGING)},
      {"BESVART", offsetof(RJRRecord, BESVART), K::Text, sizeof(RJRRecord::BESVART)},
      {"KONKL", offsetof(RJRRecord, KONKL), K::Text, sizeof(RJRRecord::KONKL)},
      {"STDSVAR", offsetof(RJRRecord, STDSVAR), K::Number, 0},
      {"TEKST", offsetof(RJRRecord, TEKST_PTR), K::MemoPtr, 0},
      {"ANTSVAR", offsetof(RJRRecord, ANTSVAR), K::Number, 0},
      {"SVARBREV", offsetof(RJRRecord, SVARBREV), K::Text, sizeof(RJRRecord::SVARBREV)},
      {"KUNDE", offsetof(RJRRecord, KUNDE), K::Text, sizeof(RJRRecord::KUNDE)},
      {"ORDRE", offsetof(RJRRecord, ORDRE), K::Text, sizeof(RJRRecord::ORDRE)},
      {"TATTAV", offsetof(RJRRecord, TATTAV), K::Text, sizeof(RJRRecord::TATTAV)},
      {"GJELDER", offsetof(RJRRecord, GJELDER), K::Text, sizeof(RJRRecord::GJELDER)},
      {"ATTENTION", offsetof(RJRRecord, ATTENTION), K::Text, sizeof(RJRRecord::ATTENTION)},
      {"KOPITIL1", offsetof(RJRRecord, KOPITIL1), K::Text, sizeof(RJRRecord::KOPITIL1)},
      {"KOPITIL2", offsetof(RJRRecord, KOPITIL2), K::Text, sizeof(RJRRecord::KOPITIL2)},
      {"BREVAAR", offsetof(RJRRecord, BREVAAR), K::Text, sizeof(RJRRecord::BREVAAR)},
      {"BREVNR", offsetof(RJRRecord, BREVNR), K::Text, sizeof(RJRRecord::BREVNR)},
      {"PROSEDYRE", offsetof(RJRRecord, PROSEDYRE), K::Text, sizeof(RJRRecord::PROSEDYRE)},
      {"RABATT", offsetof(RJRRecord, RABATT), K::Text, sizeof(RJRRecord::RABATT)},
      {"FAKTNR", offsetof(RJRRecord, FAKTNR), K::Text, sizeof(RJRRecord::FAKTNR)},
      {"FAKTADDR", offsetof(RJRRecord, FAKTADDR), K::Text, sizeof(RJRRecord::FAKTADDR)},
  };
  return fields;
}

Str<4>& R20Record::an(int i) {
  static constexpr Str<4> R20Record::*kCodes[] = {
      &R20Record::AN11, &R20Record::AN12, &R20Record::AN13, &R20Record::AN14, &R20Record::AN15,
      &R20Record::AN16, &R20Record::AN17, &R20Record::AN18, &R20Record::AN19, &R20Record::AN20,
      &R20Record::AN21, &R20Record::AN22, &R20Record::AN23, &R20Record::AN24, &R20Record::AN25};
  return this->*kCodes[i];
}

Str<5>& R20Record::sv(int i) {
  static constexpr Str<5> R20Record::*kResults[] = {
      &R20Record::SV11, &R20Record::SV12, &R20Record::SV13, &R20Record::SV14, &R20Record::SV15,
      &R20Record::SV16, &R20Record::SV17, &R20Record::SV18, &R20Record::SV19, &R20Record::SV20,
      &R20Record::SV21, &R20Record::SV22, &R20Record::SV23, &R20Record::SV24, &R20Record::SV25};
  return this->*kResults[i];
}

}  // namespace data::lab
