#!/usr/bin/env python3
"""Writes the Austrian operator's results files for the bundled draws into a web root.

    bench/make_results_files.py WEBROOT [CSV]

CSV defaults to data/austria-6aus45.csv (date,n1..n6,zusatzzahl). WEBROOT receives

  download/lo_YYYY.csv                        the original yearly files, 1986 to 2026
  media/NN_W2D_STAT_Lotto_1986_2010.csv       today's one-line layout (draws before 01.07.2010)
  media/NN_W2D_STAT_Lotto_2010_2017.csv       today's two-line layout, newest year first
  media/NN_W2D_STAT_Lotto_YYYY.csv            today's layout from 2018, a line per prize rank

so that `python3 -m http.server --directory WEBROOT` serves what `lotto-cli update --source
austria` and `lotto-cli rebuild --source austria-today` ask for. The 2010+ files carry prize
quotas for all eight ranks (made up, but of the usual size), deterministic per draw, so that a
rebuild fills Quoten.csv.
"""
import csv
import datetime
import os
import sys

SHORT_DAY = ["Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"]  # datetime.weekday() order
RANKS = ["6er", "5er + ZZ", "5er", "4er + ZZ", "4er", "3er + ZZ", "3er", "ZZ"]
# (typical winners, typical amount in cents) per rank
TYPICAL = [(1, 100000000), (3, 5000000), (120, 150000), (350, 15000), (5000, 5000), (10000, 1500), (100000, 550),
           (400000, 110)]
TWO_LINE_FROM = datetime.date(2010, 7, 1)


def read_draws(path):
    draws = []
    with open(path, newline="") as f:
        for row in csv.DictReader(f):
            day = datetime.date.fromisoformat(row["date"])
            numbers = [int(row["n%d" % i]) for i in range(1, 7)]
            draws.append((day, numbers, int(row["zusatzzahl"])))
    return draws


def grouped(value):
    """1234567 -> '1.234.567'"""
    return "{:,}".format(value).replace(",", ".")


def money(cents):
    return grouped(cents // 100) + "," + "%02d" % (cents % 100)


def quotas(day, numbers):
    """Eight (rank, winners, cents) made up from the draw, the same on every run."""
    seed = day.toordinal() * 7919 + sum(n * (i + 3) for i, n in enumerate(numbers))
    out = []
    for k, (winners, cents) in enumerate(TYPICAL):
        seed = (seed * 1103515245 + 12345) % 2147483648
        spread = 50 + seed % 101  # 50 % .. 150 %
        w = winners * spread // 100
        if k == 0:
            w = seed % 3 // 2  # mostly a jackpot, sometimes one winner
        out.append((RANKS[k], w, cents * spread // 100 if w else 0))
    return out


def section(year):
    return "%d Lotto - Beträge in %s;;;;;;;;;;;;;\r\n" % (year, "ATS" if year < 2002 else "EUR")


def yearly_file(year, draws):
    text = "Datum;Runde;Zahlen;;;;;;Zusatzzahl\r\n"
    rnd = 0
    for day, numbers, extra in draws:
        if day.year != year:
            continue
        rnd += 1
        date = day.strftime("%d.%m.") if year < 1999 else day.strftime("%d.%m.%Y")
        text += "%s;%d;" % (date, rnd)
        if year < 1999:
            text += "x;"
        text += "".join("%d;" % n for n in numbers)
        if year < 1999:
            text += "0;"
        text += "%d%s" % (extra, ";\r\n" if year < 1999 else "\r\n")
    return text


def numbers_field(numbers, reverse=False):
    return "".join("%d;" % n for n in (list(reversed(numbers)) if reverse else sorted(numbers)))


def today_1986(draws):
    text = ""
    year = 0
    for day, numbers, extra in draws:
        if day >= TWO_LINE_FROM:
            break
        if day.year != year:
            year = day.year
            text += section(year)
        classes = ";".join("%s;à;%s" % (grouped(w), money(c)) for _, w, c in quotas(day, numbers)[:5])
        text += "%s.;%s;%sZz:;%d;%s;%sZz:;%d;\r\n" % (SHORT_DAY[day.weekday()], day.strftime("%d.%m."),
                                                     numbers_field(numbers), extra, classes,
                                                     numbers_field(numbers, True), extra)
    return text


def today_2010(draws):
    text = ""
    for year in range(2017, 2009, -1):
        text += section(year)
        for day, numbers, extra in draws:
            if day.year != year or day < TWO_LINE_FROM:
                continue
            q = quotas(day, numbers)
            first = ";".join("%s;%s;à;%s" % (r, grouped(w), money(c)) for r, w, c in q[:4])
            second = ";".join("%s;%s;à;%s" % (r, grouped(w), money(c)) for r, w, c in q[4:])
            date = "%d.%d." % (day.day, day.month)
            text += "%s;%s;aufsteigend;%sZz;%d;%s;;;;;;\r\n" % (SHORT_DAY[day.weekday()], date, numbers_field(numbers),
                                                               extra, first)
            text += ";;gezogen;%sZz;%d;%s;;;;;;\r\n" % (numbers_field(numbers, True), extra, second)
    return text


def today_year(year, draws):
    text = ("Datum;Reihenfolge;Zahl1;Zahl2;Zahl3;Zahl4;Zahl5;Zahl6;ZZ;Zusatzzahl;Rang_1_5;Anzahl_1_5;a_1_5;Quote_1_5\r\n" +
            section(year))
    for day, numbers, extra in draws:
        if day.year != year:
            continue
        date = day.strftime("%d.%m.")
        q = quotas(day, numbers)
        r, w, c = q[0]
        text += "%s;aufsteigend;%sZZ;%d;%s;%s;€;%s\r\n" % (date, numbers_field(numbers), extra, r, grouped(w), money(c))
        for r, w, c in q[1:]:
            text += "%s;;;;;;;;;;%s;%s;€;%s\r\n" % (date, r, grouped(w), money(c))
    return text


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(text)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    root = sys.argv[1]
    here = os.path.dirname(os.path.abspath(__file__))
    draws = read_draws(sys.argv[2] if len(sys.argv) == 3 else os.path.join(here, "..", "data", "austria-6aus45.csv"))
    last = draws[-1][0].year
    for year in range(1986, last + 1):
        write(os.path.join(root, "download", "lo_%d.csv" % year), yearly_file(year, draws))
    media = os.path.join(root, "media", "NN_W2D_STAT_Lotto_")
    write(media + "1986_2010.csv", today_1986(draws))
    write(media + "2010_2017.csv", today_2010(draws))
    for year in range(2018, last + 1):
        write(media + "%d.csv" % year, today_year(year, draws))


if __name__ == "__main__":
    main()
