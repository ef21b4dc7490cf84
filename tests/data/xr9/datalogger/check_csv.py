#!/usr/bin/env python3
"""Reads a data-logger CSV file with the csv module: the units line and every channel line have as
many cells as the column heading line, and each units heading stands in its test point's column.
Usage: check_csv.py FILE SEPARATOR. Exit status 0 when the file holds together."""
import csv
import sys


def main(path, sep):
    with open(path, newline="", encoding="cp1252") as f:
        rows = list(csv.reader(f, delimiter=sep))
    heading_at = next(i for i, r in enumerate(rows) if r and r[0] == "CONFIGURATION")
    units, heading = rows[heading_at - 1], rows[heading_at]
    assert rows[0] and len(rows[0]) == 1, "head line is one text"
    assert len(rows[1]) == 1 and rows[2] == [], "used-file line and an empty line"
    lead = heading.index("MEAS") + 1
    assert units[0] == "#" * 45, "units line starts with the # cell"
    assert len(units) == len(heading), f"units line has {len(units)} cells, heading {len(heading)}"
    for i in range(lead, len(heading) - 1):
        assert units[i].startswith("(") or units[i] == " ", f"column {i}: units {units[i]!r} over {heading[i]!r}"
    assert all(c == "" for c in units[1:lead]), "empty cells before the first units heading"
    body = rows[heading_at + 1:]
    ended = bool(body) and body[-1] == ["## End of file"]
    for r in body[:-1] if ended else body:
        assert len(r) == len(heading), f"line {r!r} has {len(r)} cells, heading {len(heading)}"
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main(sys.argv[1], sys.argv[2]))
    except (AssertionError, StopIteration, ValueError) as e:
        print(f"{sys.argv[1]}: {e}", file=sys.stderr)
        sys.exit(1)
