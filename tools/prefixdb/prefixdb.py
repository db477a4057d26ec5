#!/usr/bin/env python3
"""Compiles the prefix database DXCCPREF.DBR from a public country file.

Input: a country file in the widely used cty.dat layout (Debian's package
hamradio-files installs one at /usr/share/hamradio-files/cty.dat). Each entity
there has a header line

    Name:  CQ zone:  ITU zone:  continent:  latitude:  longitude:  UTC offset:  main prefix:

(latitude in degrees, north positive; longitude in degrees, WEST positive),
followed by its prefix and call lines up to a ';'. Entities whose main prefix
starts with '*' are not DXCC entities (they are extra ones of another award
list) and are left out.

Output: one record per entity, eight fields joined by TAB, CR LF after each,
Latin-1:

    prefix  name  lat-deg  lat-min  N/S  lon-deg  lon-min  E/W

- prefix: the main prefix in upper case (1 to 6 characters), unique without
  regard to case;
- name: at most 15 characters, free of TAB and commas (the look-ups of the
  other programs end an item at a comma), abbreviated by the table below;
- position: whole degrees and minutes, the minutes rounded to the nearest
  one, latitude at most 89 deg 59 min (the editor's range), longitude within
  +-180 deg, east positive;
- records sorted ascending by prefix without regard to letter case, the
  order the editor's ordered insert relies on (ASCII, case folded to lower
  case: "/" < digits < letters).

Usage:
    prefixdb.py [--cty FILE] [--output FILE]   write the database
    prefixdb.py [--cty FILE] --check FILE      exit 1 when FILE differs from
                                               what would be written, 77 when
                                               the country file is missing
"""

import argparse
import os
import sys

DEFAULT_CTY = "/usr/share/hamradio-files/cty.dat"
HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_OUTPUT = os.path.normpath(os.path.join(HERE, "..", "..", "station", "DXCCPREF.DBR"))

MAX_PREFIX = 6
MAX_NAME = 15

# Names longer than 15 characters, or holding a comma, and the short form
# used for them. Keyed by the main prefix as the country file gives it.
SHORT_NAMES = {
    "1A": "Order of Malta",
    "3B6": "Agalega/Brandon",
    "3B9": "Rodriguez I.",
    "3C": "Equat. Guinea",
    "3DA": "Eswatini",
    "4U1U": "UN Headquarters",
    "9Q": "DR Congo",
    "9Y": "Trinidad&Tobago",
    "A6": "UA Emirates",
    "BS7": "Scarborough Rf.",
    "CE0X": "San Felix Is.",
    "CE0Z": "Juan Fernandez",
    "DL": "Germany",
    "E5/n": "North Cook Is.",
    "E5/s": "South Cook Is.",
    "E7": "Bosnia-Herzeg.",
    "EA6": "Balearic Is.",
    "FK/c": "Chesterfield Is",
    "FO": "Fr. Polynesia",
    "FO/c": "Clipperton I.",
    "FO/m": "Marquesas Is.",
    "FP": "St. Pierre & M.",
    "FT/g": "Glorioso Is.",
    "FT/j": "Juan de Nova",
    "FT/x": "Kerguelen Is.",
    "FT/z": "Amsterdam/St.P.",
    "FW": "Wallis & Futuna",
    "GI": "North. Ireland",
    "HC8": "Galapagos Is.",
    "HI": "Dominican Rep.",
    "HK0/a": "San Andres Is.",
    "HL": "South Korea",
    "JD/m": "Minamitorishima",
    "K": "United States",
    "KH1": "Baker & Howland",
    "KH5": "Palmyra/Jarvis",
    "KP2": "US Virgin Is.",
    "P2": "Papua N. Guinea",
    "PJ5": "Saba & St.Eust.",
    "PY0F": "F. de Noronha",
    "PY0S": "St.Peter & Paul",
    "PY0T": "Trindade & M.V.",
    "R1FJ": "Franz Josef L.",
    "S9": "Sao Tome & Pr.",
    "T30": "West Kiribati",
    "T31": "Cent. Kiribati",
    "T32": "East Kiribati",
    "TL": "C. African Rep.",
    "TN": "Rep. of Congo",
    "V2": "Antigua&Barbuda",
    "V4": "St Kitts/Nevis",
    "V7": "Marshall Is.",
    "V8": "Brunei",
    "VK0M": "Macquarie I.",
    "VK9C": "Cocos Keeling",
    "VK9L": "Lord Howe I.",
    "VK9X": "Christmas I.",
    "VP2V": "Brit. Virgin Is",
    "VP5": "Turks & Caicos",
    "VP8": "Falkland Is.",
    "VP8/g": "South Georgia",
    "VP8/h": "South Shetland",
    "VP8/o": "South Orkney",
    "VP8/s": "South Sandwich",
    "VU4": "Andaman&Nicobar",
    "VU7": "Lakshadweep Is.",
    "Z6": "Kosovo",
    "Z8": "South Sudan",
    "ZC4": "UK Bases Cyprus",
    "ZD8": "Ascension I.",
    "ZD9": "Tristan & Gough",
    "ZL8": "Kermadec Is.",
    "ZL9": "NZ Subantarctic",
    "ZS8": "Pr. Edward Is.",
}


class CountryFileError(Exception):
    pass


def parse_cty(text):
    """Entities of a cty.dat text: (name, latitude, longitude west positive, main prefix)."""
    entities = []
    header = None
    for number, raw in enumerate(text.splitlines(), 1):
        if not raw.strip():
            continue
        if raw[0] not in " \t":
            parts = [p.strip() for p in raw.split(":")]
            if len(parts) < 9:
                raise CountryFileError("line %d: header with %d fields" % (number, len(parts)))
            try:
                header = (parts[0], float(parts[4]), float(parts[5]), parts[7])
            except ValueError as e:
                raise CountryFileError("line %d: %s" % (number, e))
            entities.append(header)
    return entities


def degrees_minutes(value):
    """Whole degrees and minutes of |value|, minutes rounded half up."""
    total = int(abs(value) * 60 + 0.5)
    return total // 60, total % 60


def fold(prefix):
    """The case-folded key the editor's comparison orders by (ASCII prefixes)."""
    return prefix.lower()


def build_records(entities):
    records = []
    seen = {}
    problems = []
    for name, lat, lon_west, main in entities:
        if main.startswith("*"):
            continue
        prefix = main.upper()
        short = SHORT_NAMES.get(main, name)
        if not prefix.isascii() or not 1 <= len(prefix) <= MAX_PREFIX or "\t" in prefix:
            problems.append("prefix %r" % main)
        if len(short) > MAX_NAME or "," in short or "\t" in short or not short:
            problems.append("name %r of %s needs a short form (at most %d characters, no comma)"
                            % (short, main, MAX_NAME))
        try:
            short.encode("latin-1")
        except UnicodeEncodeError:
            problems.append("name %r of %s is not Latin-1" % (short, main))
        if fold(prefix) in seen:
            problems.append("prefix %s twice (%s, %s)" % (prefix, seen[fold(prefix)], name))
        seen[fold(prefix)] = name

        lat_deg, lat_min = degrees_minutes(lat)
        if lat_deg > 89:
            # The pole itself: the editor takes latitudes up to 89 deg 59 min.
            lat_deg, lat_min = 89, 59
        lon_east = -lon_west
        if lon_east > 180:
            lon_east -= 360
        elif lon_east < -180:
            lon_east += 360
        lon_deg, lon_min = degrees_minutes(lon_east)
        records.append((prefix, short,
                        str(lat_deg), str(lat_min), "N" if lat >= 0 else "S",
                        str(lon_deg), str(lon_min), "E" if lon_east >= 0 else "W"))
    if problems:
        raise CountryFileError("; ".join(problems))
    records.sort(key=lambda r: fold(r[0]))
    return records


def database_bytes(records):
    return b"".join(("\t".join(r) + "\r\n").encode("latin-1") for r in records)


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cty", default=DEFAULT_CTY, help="country file (cty.dat layout)")
    group = parser.add_mutually_exclusive_group()
    group.add_argument("--output", default=DEFAULT_OUTPUT, help="database to write")
    group.add_argument("--check", metavar="FILE", help="compare FILE with the compiled database")
    args = parser.parse_args(argv)

    if not os.path.exists(args.cty):
        print("country file %s not found (Debian package hamradio-files)" % args.cty, file=sys.stderr)
        return 77 if args.check else 2
    with open(args.cty, encoding="latin-1") as f:
        text = f.read()
    try:
        records = build_records(parse_cty(text))
    except CountryFileError as e:
        print("prefixdb: %s" % e, file=sys.stderr)
        return 1
    data = database_bytes(records)

    if args.check:
        with open(args.check, "rb") as f:
            old = f.read()
        if old != data:
            print("%s differs from the database compiled from %s" % (args.check, args.cty), file=sys.stderr)
            return 1
        print("%s: %d records, as compiled" % (args.check, len(records)))
        return 0

    tmp = args.output + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, args.output)
    print("%s: %d records" % (args.output, len(records)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
