#!/usr/bin/env python3
"""Prints the ranges of ui/programs/UpperCase.cpp from this Python's Unicode data: every UTF-16
unit with a single-unit simple upper case, as runs of one delta over every unit or every second
one (the alternating lower/upper pairs of Latin Extended and Cyrillic)."""
import sys

pairs = []
for unit in range(0x80, 0x10000):
    if 0xD800 <= unit < 0xE000:
        continue
    upper = chr(unit).upper()
    if len(upper) == 1 and ord(upper) != unit and ord(upper) < 0x10000:
        pairs.append((unit, ord(upper)))

runs, i = [], 0
while i < len(pairs):
    first, delta = pairs[i][0], pairs[i][1] - pairs[i][0]
    best_step, best_count = 1, 1
    for step in (1, 2):
        count = 1
        while (i + count < len(pairs) and pairs[i + count][0] == first + count * step
               and pairs[i + count][1] - pairs[i + count][0] == delta):
            count += 1
        if count > best_count:
            best_step, best_count = step, count
    runs.append((first, first + (best_count - 1) * best_step, best_step, delta))
    i += best_count

line = "   "
for first, last, step, delta in runs:
    item = " {0x%04X, 0x%04X, %d, %d}," % (first, last, step, delta)
    if len(line) + len(item) > 110:
        print(line)
        line = "   "
    line += item
print(line)
print("// Unicode %s, %d ranges" % (__import__("unicodedata").unidata_version, len(runs)), file=sys.stderr)
