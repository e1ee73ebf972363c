#!/usr/bin/python3
"""Writes the demo laboratory export (lab/ beside this script): the five tables a laboratory
hands over, with a year of results for four plants.

Uses Debian's python3-dbf: run it with /usr/bin/python3, then commit the tables with it.
The registry side (plants, mappings) is written by lab2siv-demo and matches these rows:
suppliers 1010, 1020, 1030 and 2040, places 01 (inlet), 02 (outlet) and 09 (sludge).
"""
import datetime
import os

import dbf

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "lab")

RNX20 = (["PAAR C(2)", "JRNLNR C(4)", "PRONR C(1)", "PARNR C(1)", "PRVNR C(3)", "MATERIALE C(6)",
          "REKV C(6)", "STED C(2)", "REFERANSE C(25)", "REGKODE C(13)", "PRODUSENT C(6)",
          "PRODUKT C(2)", "LEVERAND C(6)", "IDENT C(12)", "TATTDATO D", "GJELDER C(2)",
          "SAKSBEH1 C(3)", "SAKSBEH2 C(3)", "KVALITET C(1)"]
         + [c for n in range(11, 26) for c in ("AN%d C(4)" % n, "SV%d C(5)" % n)]
         + ["VURD%d C(1)" % n for n in range(1, 6)] + ["VLF_FLD C(6)", "MERKNAD M"])
RNX50 = ["T C(1)", "KODE C(6)", "KORTTEKST C(12)", "TEKST C(30)", "PLSU C(40)", "DIVERSE C(30)",
         "ANTALL N(5,0)", "SAKSBEH C(3)", "DATO D", "MERKNAD M", "VLF_FLD C(6)", "TABID C(7)"]
RNX51 = ["REKV C(6)", "VIRID C(7)", "NAVN C(30)", "NAVN2 C(30)", "ADR2 C(30)", "POSTGV C(4)",
         "ADRESSE C(30)", "POSTNR C(4)", "KOMMUNENR C(4)", "SAKSBEH C(3)", "TELEFON C(12)",
         "TELEFAX C(12)", "BRANSJE C(4)", "EGETUTTAK C(1)", "SVARBREV C(1)", "KOPITIL1 C(5)",
         "KOPITIL2 C(5)", "ANTSVAR N(1,0)", "FAKTURA C(1)", "FORETAK C(9)", "INSPSTED C(1)",
         "STATUS C(1)", "STATUSDATO D", "GODKJTIL D", "EOS_NR C(5)", "KONTAKT C(30)",
         "VANNFORS C(2)", "SIVRA C(1)", "DISTRIB C(1)", "AREAL N(5,0)", "MERKNAD M",
         "TILKNYTTET C(6)", "FAKTADDR C(6)", "DISTRIKT C(3)", "DIVDATA C(50)", "NUMMER C(12)",
         "VANNVERK C(6)", "STYRER C(3)", "STEDFORT C(3)", "EPOST C(35)", "KATEGORIER C(8)",
         "AKTIV C(1)", "BRUKES C(5)", "POSTADR C(30)"]
RNX60 = ["REKV C(6)", "STED C(2)", "TEKST C(20)", "BRANSJE C(4)", "OPPSETT C(2)", "MATERIALE C(6)",
         "OST C(7)", "NORD C(7)"]
RNXJR = ["PAAR C(2)", "JRNLNR C(4)", "REKV C(6)", "OPPRINN C(6)", "STARTDATO D", "PDATO D",
         "FAKTURA C(1)", "SAKSBEH C(3)", "SAKSBEH1 C(3)", "SAKSBEH2 C(3)", "SERIE C(2)",
         "SVARDATO D", "OPPFOLGING C(4)", "BESVART C(1)", "KONKL C(1)", "STDSVAR N(2,0)", "TEKST M",
         "ANTSVAR N(1,0)", "SVARBREV C(1)", "KUNDE C(6)", "ORDRE C(12)", "TATTAV C(3)",
         "GJELDER C(1)", "ATTENTION C(3)", "KOPITIL1 C(6)", "KOPITIL2 C(6)", "BREVAAR C(2)",
         "BREVNR C(5)", "PROSEDYRE C(1)", "RABATT C(2)", "FAKTNR C(7)", "FAKTADDR C(6)"]

# Analysis codes: type (A water, S sludge), code, short text, text.
CODES = [
    ("A", "TP", "Tot-P", "Totalfosfor, mg P/l"),
    ("A", "PO4", "PO4-P", "Fosfat-fosfor, µg P/l"),
    ("A", "TN", "Tot-N", "Totalnitrogen, mg N/l"),
    ("A", "NH4", "NH4-N", "Ammonium-nitrogen, mg N/l"),
    ("A", "SS", "SS", "Suspendert stoff, mg/l"),
    ("A", "BOF", "BOF5", "Biokjemisk oksygenforbruk"),
    ("A", "KOF", "KOF", "Kjemisk oksygenforbruk, mg O/l"),
    ("A", "CD", "Kadmium", "Kadmium, µg/l"),
    ("A", "PB", "Bly", "Bly, µg/l"),
    ("A", "HG", "Kvikksølv", "Kvikksølv, ng/l"),
    ("A", "CU", "Kobber", "Kobber, µg/l"),
    ("A", "ZN", "Sink", "Sink, µg/l"),
    ("A", "NI", "Nikkel", "Nikkel, µg/l"),
    ("A", "CR", "Krom", "Krom, µg/l"),
    ("A", "DGN", "Døgn", "Antall døgn i blandprøven"),
    ("A", "VM", "Vannmengde", "Vannmengde i perioden, m3"),
    ("A", "OVL", "Overløp", "Overløpsmengde, m3"),
    ("S", "TS", "TS", "Tørrstoff, %"),
    ("S", "PH", "pH", "pH i slam"),
    ("S", "SCD", "Cd slam", "Kadmium, mg/kg TS"),
    ("S", "SHG", "Hg slam", "Kvikksølv, mg/kg TS"),
    ("S", "SPB", "Pb slam", "Bly, mg/kg TS"),
    ("S", "SNI", "Ni slam", "Nikkel, mg/kg TS"),
    ("S", "SCR", "Cr slam", "Krom, mg/kg TS"),
    ("S", "SZN", "Zn slam", "Sink, mg/kg TS"),
    ("S", "SCU", "Cu slam", "Kobber, mg/kg TS"),
    ("S", "TSN", "TS næring", "Tørrstoff for næringsstoffer"),
    ("S", "GR", "Glødetap", "Organisk stoff (glødetap), %"),
    ("S", "KJN", "Kjeldahl-N", "Kjeldahl-nitrogen, % av TS"),
    ("S", "STP", "Tot-P slam", "Totalfosfor, % av TS"),
    ("S", "TKB", "TKB", "Termotolerante koliforme/g TS"),
]

# Requisitioners (the laboratory's customers); 5001 has no plant and is not mapped.
CUSTOMERS = [
    ("1010", "Åsmyra kommune", "Teknisk etat, VA", "Rådhusgata 4", "2317", "3403",
     "Ingrid Sæther", "ingrid.saether@asmyra.kommune.no"),
    ("1020", "Strandvik kommune", "Kommunalteknikk", "Sjøgata 12", "8006", "1804",
     "Ola Nordbø", "ola.nordbo@strandvik.kommune.no"),
    ("1030", "Lindeberg kommune", "Vann og avløp", "Kirkevegen 2", "2815", "3407",
     "Kari Løvås", "kari.lovas@lindeberg.kommune.no"),
    ("2040", "Fossheim Vann og Avløp IKS", "Fossheim renseanlegg", "Fossheimvegen 80", "3015",
     "3005", "Per Østby", "per.ostby@fossheim-iks.no"),
    ("5001", "Bakeriet på Torget AS", "", "Torget 1", "2000", "3205", "Åse Brøvig",
     "post@bakerietpatorget.no"),
]

PLACES = {"01": ("Innløp", "AVL"), "02": ("Utløp", "AVL"), "09": ("Avvannet slam", "SLAM")}


def d(y, m, day):
    return datetime.date(y, m, day)


def num(value):
    """A result as the laboratory writes it: decimal comma, at most five characters."""
    for decimals in (3, 2, 1, 0):
        text = ("%.*f" % (decimals, value)).replace(".", ",")
        if len(text) <= 5:
            return text
    raise ValueError(value)


def scaled(base, variation):
    return {code: num(v * variation) for code, v in base.items()}


INLET = {"TP": 5.2, "TN": 41.0, "SS": 230.0, "BOF": 190.0, "KOF": 460.0}
OUTLET = {"TP": 0.31, "PO4": 92.0, "TN": 31.0, "NH4": 18.5, "SS": 9.5, "BOF": 6.8, "KOF": 44.0}
METALS = {"CD": 0.12, "PB": 1.9, "HG": 14.0, "CU": 38.0, "ZN": 96.0, "NI": 4.1, "CR": 2.6}
SLUDGE = {"TS": 24.6, "PH": 7.9, "SCD": 0.62, "SHG": 0.48, "SPB": 13.8, "SNI": 17.5, "SCR": 21.0,
          "SZN": 318.0, "SCU": 246.0, "TSN": 24.6, "GR": 58.0, "KJN": 4.7, "STP": 2.9,
          "TKB": 120.0}
VARIATION = [1.0, 0.86, 1.12, 0.94, 1.07, 0.9]


def journals():
    """Yields (requisitioner, start date, [sample rows]); a sample row is a dict of columns."""
    # Åsmyra: day composites, water quantity in the identification text.
    for i, (m, day, flow) in enumerate([(1, 14, 1240), (3, 11, 1580), (5, 6, 1310),
                                        (8, 19, 980), (10, 21, 1420)]):
        taken = d(2026, m, day)
        v = VARIATION[i]
        yield "1010", taken, [
            dict(STED="01", IDENT="%d m3/d" % flow, REFERANSE="Døgnblandprøve innløp",
                 TATTDATO=taken, results=[("DGN", "1")] + list(scaled(INLET, v).items())),
            dict(STED="02", IDENT="Utløp", REFERANSE="Døgnblandprøve utløp", TATTDATO=taken,
                 results=list(scaled(OUTLET, v).items())),
        ]
    # Strandvik: week composites with the week's water quantity as a result.
    for i, (m, day, week) in enumerate([(2, 9, 9870), (4, 20, 12450), (7, 6, 7120),
                                        (9, 28, 10300)]):
        taken = d(2026, m, day)
        v = VARIATION[i + 1]
        inlet = [("DGN", "7"), ("VM", num(week))] + list(scaled(INLET, v).items())
        outlet = list(scaled(OUTLET, v).items())
        if i == 1:
            outlet.append(("OVL", "350"))  # snow melt
        yield "1020", taken - datetime.timedelta(days=7), [
            dict(STED="01", IDENT="Ukeprøve", REFERANSE="Ukeblandprøve innløp", TATTDATO=taken,
                 results=inlet),
            dict(STED="02", IDENT="Ukeprøve", REFERANSE="Ukeblandprøve utløp", TATTDATO=taken,
                 results=outlet, MERKNAD="Snøsmelting, overløp i perioden." if i == 1 else ""),
        ]
    # Lindeberg: water quantity at the head of the registration code.
    for i, (m, day, flow) in enumerate([(3, 3, 615), (6, 9, 540), (9, 8, 588), (11, 17, 702)]):
        taken = d(2026, m, day)
        v = VARIATION[i + 2]
        code = "%05d-26-%03d" % (flow, i + 1)
        yield "1030", taken, [
            dict(STED="01", REGKODE=code, REFERANSE="Døgnblandprøve innløp", TATTDATO=taken,
                 results=[("DGN", "1")] + list(scaled(INLET, v).items())),
            dict(STED="02", REGKODE=code, REFERANSE="Døgnblandprøve utløp", TATTDATO=taken,
                 results=list(scaled(OUTLET, v).items())),
        ]
    # Fossheim: day composites with heavy metals at the inlet, and sludge.
    for i, (m, day, flow) in enumerate([(1, 27, 8450), (4, 14, 9920), (6, 23, 7310),
                                        (10, 6, 8870)]):
        taken = d(2026, m, day)
        v = VARIATION[i]
        inlet = list(scaled(INLET, v).items()) + list(scaled(METALS, v).items())
        yield "2040", taken, [
            dict(STED="01", IDENT="%d m3/d" % flow, REFERANSE="Døgnblandprøve innløp",
                 TATTDATO=taken, results=[("DGN", "1")] + inlet),
            dict(STED="02", IDENT="Utløp", REFERANSE="Døgnblandprøve utløp", TATTDATO=taken,
                 results=list(scaled(OUTLET, v).items())),
        ]
    for i, (m, day) in enumerate([(3, 17), (6, 16), (9, 15)]):
        taken = d(2026, m, day)
        yield "2040", taken, [
            dict(STED="09", IDENT="Slamlager", REFERANSE="Avvannet slam, blandprøve",
                 TATTDATO=taken, results=list(scaled(SLUDGE, VARIATION[i + 3]).items()),
                 MERKNAD="Prøven er tatt fra slamlageret.")]


def table(name, columns, dbf_type="fp"):
    for ext in (".dbf", ".fpt", ".dbt"):
        p = os.path.join(OUT, name + ext)
        if os.path.exists(p):
            os.remove(p)
    t = dbf.Table(os.path.join(OUT, name + ".dbf"), columns, dbf_type=dbf_type, codepage="cp865")
    t.open(dbf.READ_WRITE)
    return t


def add(t, row):
    t.append({k.lower(): v for k, v in row.items()})


def main():
    os.makedirs(OUT, exist_ok=True)
    t = table("RNX50", RNX50)
    for kind, code, short, text in CODES:
        add(t, {"T": kind, "KODE": code, "KORTTEKST": short, "TEKST": text, "SAKSBEH": "MHL",
                "DATO": d(2025, 11, 3)})
    t.close()

    t = table("RNX51", RNX51)
    for rekv, navn, navn2, adresse, postnr, kommune, kontakt, epost in CUSTOMERS:
        add(t, {"REKV": rekv, "NAVN": navn, "NAVN2": navn2, "ADRESSE": adresse,
                "POSTNR": postnr, "KOMMUNENR": kommune, "KONTAKT": kontakt, "EPOST": epost,
                "SIVRA": "J" if rekv != "5001" else "N", "AKTIV": "J", "ANTSVAR": 1,
                "STATUSDATO": d(2025, 12, 1)})
    t.close()

    t = table("RNX60", RNX60, dbf_type="db3")  # python3-dbf writes FoxPro only with a memo column
    for rekv, *_ in CUSTOMERS[:4]:
        for sted in ("01", "02", "09") if rekv == "2040" else ("01", "02"):
            text, material = PLACES[sted]
            add(t, {"REKV": rekv, "STED": sted, "TEKST": text, "MATERIALE": material})
    t.close()

    jr = table("RNXJR", RNXJR)
    samples = table("RNX20", RNX20)
    number = 0
    for rekv, start, rows in sorted(journals(), key=lambda j: j[1]):
        number += 1
        jrnlnr = "%04d" % (number * 7 + 100)
        last = max(r["TATTDATO"] for r in rows)
        add(jr, {"PAAR": "26", "JRNLNR": jrnlnr, "REKV": rekv, "STARTDATO": start,
                 "PDATO": last + datetime.timedelta(days=1), "SAKSBEH": "MHL",
                 "SVARDATO": last + datetime.timedelta(days=12), "BESVART": "J", "ANTSVAR": 1,
                 "KUNDE": rekv, "TEKST": "Avløpskontroll etter utslippstillatelsen."})
        for n, r in enumerate(rows, start=1):
            text, material = PLACES[r["STED"]]
            row = {"PAAR": "26", "JRNLNR": jrnlnr, "PRVNR": "%03d" % n, "MATERIALE": material,
                   "REKV": rekv, "STED": r["STED"], "REFERANSE": r["REFERANSE"],
                   "REGKODE": r.get("REGKODE", ""), "LEVERAND": rekv,
                   "IDENT": r.get("IDENT", ""), "TATTDATO": r["TATTDATO"], "SAKSBEH1": "MHL",
                   "KVALITET": "G", "MERKNAD": r.get("MERKNAD", "")}
            assert len(r["results"]) <= 15
            for i, (code, value) in enumerate(r["results"], start=11):
                row["AN%d" % i] = code
                row["SV%d" % i] = value
            add(samples, row)
    jr.close()
    samples.close()


if __name__ == "__main__":
    main()
