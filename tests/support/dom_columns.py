#!/usr/bin/env python3
"""Reads the DOM a browser built (its serialized HTML on standard input) and prints, for every
table row, "table <t> row <r> columns <n>": the columns the row spans, counting colspan and the
cells that rowspans of earlier rows carry down into it."""
import sys
from html.parser import HTMLParser


class Tables(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.stack = []   # one entry per open table: [table number, row number, carried spans]
        self.count = 0
        self.out = []

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "table":
            self.stack.append({"n": self.count, "row": -1, "carry": [], "cols": 0, "open": False})
            self.count += 1
        elif not self.stack:
            return
        elif tag == "tr":
            self.end_row()
            t = self.stack[-1]
            t["row"] += 1
            t["open"] = True
            # rowspans from earlier rows that still cover this row
            t["cols"] = sum(w for left, w in t["carry"] if left > 0)
            t["carry"] = [(left - 1, w) for left, w in t["carry"] if left > 0]
        elif tag in ("td", "th"):
            t = self.stack[-1]
            cs = int(a.get("colspan") or 1)
            rs = int(a.get("rowspan") or 1)
            t["cols"] += cs
            if rs > 1:
                t["carry"].append((rs - 1, cs))

    def end_row(self):
        t = self.stack[-1] if self.stack else None
        if t and t["open"]:
            self.out.append("table %d row %d columns %d" % (t["n"], t["row"], t["cols"]))
            t["open"] = False

    def handle_endtag(self, tag):
        if not self.stack:
            return
        if tag == "tr":
            self.end_row()
        elif tag == "table":
            self.end_row()
            self.stack.pop()


p = Tables()
p.feed(sys.stdin.read())
print("\n".join(p.out))
