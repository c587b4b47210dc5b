#!/usr/bin/env python3
"""Every kind of recurrence rule the program offers, expanded day by day over
two years by the program (through its recurring file) and by python-dateutil's
rrule; both must give the same occurrences."""
import datetime
import subprocess
import sys

from dateutil import rrule

FROM, TO = "20270101", "20281231"
CASES = [
    # (DTSTART, RRULE, skipped dates)
    ("20260101T083000", "FREQ=DAILY", []),
    ("20260105T070000", "FREQ=DAILY;INTERVAL=3", ["20260108", "20260302"]),
    ("20260102T090000", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", ["20260105"]),
    ("20260107T100000", "FREQ=WEEKLY", []),
    ("20260106T101500", "FREQ=WEEKLY;INTERVAL=2;BYDAY=TU,TH,SU", []),
    ("20260131T120000", "FREQ=MONTHLY", ["20260531"]),           # skips shorter months
    ("20260130T120000", "FREQ=MONTHLY;INTERVAL=5", []),
    ("20240229T060000", "FREQ=YEARLY", []),                      # leap days only
    ("20260315T180000", "FREQ=YEARLY;UNTIL=20280315T235959", []),
    ("20261201T220000", "FREQ=DAILY;COUNT=90", ["20270110"]),
    ("20280301T023000", "FREQ=DAILY;UNTIL=20280401T235959", []),  # across the DST change
    ("20271024T023000", "FREQ=WEEKLY;COUNT=10", []),              # the repeated hour in October
    ("20261201T080000", "FREQ=WEEKLY;BYDAY=SA;UNTIL=20270620T235959", ["20270102"]),
    ("20260110T000000", "FREQ=MONTHLY;COUNT=30", []),
    ("20260101T235959", "FREQ=DAILY;INTERVAL=7;COUNT=200", []),
]


def parse(text):
    return datetime.datetime.strptime(text, "%Y%m%dT%H%M%S")


def expected(start, rule, skipped):
    dtstart = parse(start)
    first = datetime.datetime.strptime(FROM, "%Y%m%d")
    last = datetime.datetime.strptime(TO, "%Y%m%d") + datetime.timedelta(days=1)
    skip = {datetime.datetime.strptime(d, "%Y%m%d").date() for d in skipped}
    out = []
    for t in rrule.rrulestr(rule, dtstart=dtstart):
        if t >= last:
            break
        if t >= first and t.date() not in skip:
            out.append(t.strftime("%Y%m%dT%H%M%S"))
    return out


def main():
    probe = sys.argv[1]
    lines = "".join(f"{s} {r} {','.join(x) or '-'} {FROM} {TO}\n" for s, r, x in CASES)
    result = subprocess.run([probe], input=lines, capture_output=True, text=True, check=True, timeout=300)
    got = result.stdout.splitlines()
    failures = 0
    for (start, rule, skipped), line in zip(CASES, got):
        want = expected(start, rule, skipped)
        have = line.split()
        if have != want:
            failures += 1
            missing = sorted(set(want) - set(have))[:5]
            extra = sorted(set(have) - set(want))[:5]
            print(f"FAIL {start} {rule}: {len(have)} vs {len(want)}; missing {missing}; extra {extra}")
        else:
            print(f"ok   {start} {rule}: {len(have)} occurrences")
    if len(got) != len(CASES):
        print(f"FAIL: {len(got)} lines for {len(CASES)} rules")
        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
