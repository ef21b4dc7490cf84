#!/usr/bin/env python3
"""Reads a separator-delimited file with the csv module and prints its rows as JSON, each byte of
the Windows-1252 file as the character of the same code. Usage: csv_rows.py FILE SEPARATOR."""
import csv
import json
import sys

with open(sys.argv[1], newline="", encoding="latin-1") as f:
    print(json.dumps(list(csv.reader(f, delimiter=sys.argv[2]))))
