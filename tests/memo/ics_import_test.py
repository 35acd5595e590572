"""Reads lunoria-cal's iCalendar export of a memo folder with real parsers (python3-icalendar and
python3-recurring-ical-events) and compares every event's days from the export year (so 2027 to
2100 at least) with the days the calendar marks, worked out from lunoria-cal --dump, and its texts
with the memos written.
Usage: ics_import_test.py LUNORIA_CAL; exit code 77 (skipped) without the two modules."""
import datetime, os, struct, subprocess, sys, tempfile
from calendar import monthrange

try:
    import icalendar, recurring_ical_events
except ImportError as missing:
    print("skipped:", missing)
    sys.exit(77)

cal = sys.argv[1]
CUSTOM = 0x01000000
LONG = "长" * 40 + "😀" + "行,;\\" * 30
# (file, slot, text, colour word, kind's expected COLOR or None); text None: a colour-only record.
MEMOS = [("200601", 29, "往年\r\n第二行", 0, "lightskyblue"), ("202703", 15, "a,b;c\\d 😀", CUSTOM | 0xFF, "red"),
         ("210012", 31, "末日", CUSTOM | 0x808080, "gray"), ("202612", 0, "slot 0", 0, None),
         ("202704", 31, "四月没有31日", 0, None), ("101", 31, LONG + "\r\n" + LONG, 0, "red"),
         ("102", 29, "闰日", 0, "red"), ("102", 28, None, CUSTOM | 0xFF, None), ("104", 31, "never", 0, None),
         ("001", 1, "春节", 0, None), ("005", 30, "五月三十", CUSTOM | 0x80FFFF, None), ("006", 15, "六月十五", 0, None),
         ("011", 30, "冬月三十", 0, None), ("012", 30, "腊月三十", 0, None), ("week", 0, "周日", 0, "red"),
         ("week", 6, "周六\r\n", 0, "red"), ("week", 7, "never", 0, None)]
failures = []


def check(what, expected, actual):
    if expected != actual:
        failures.append(what)
        print("FAIL: %s: expected %r, got %r" % (what, expected, actual))


def shown(file, slot, text):  # whether the grid ever marks this record
    if text is None:
        return False
    if file == "week":
        return slot <= 6
    if len(file) == 3 and file[0] == "0":
        return 1 <= slot <= 30
    return 1 <= slot <= monthrange(2000 if len(file) == 3 else int(file[:-2]), int(file[-2:]))[1]  # 2000: leap


def uid(file, slot):
    kind = "weekly" if file == "week" else "onetime" if len(file) > 3 else "solar" if file[0] == "1" else "lunar"
    return "%s-%s-%d@lunoria" % (kind, file, slot)


with tempfile.TemporaryDirectory() as base:
    folder = os.path.join(base, "我的记事")
    os.makedirs(os.path.join(folder, "日历"))
    files = {}
    for file, slot, text, color, _ in MEMOS:
        data = (text or "").encode("gb18030")
        files[file] = files.get(file, b"\x64\x00") + struct.pack("<hHI", slot, len(data), color) + data
    files["009"] = b"\x64\x00" + struct.pack("<hHI", 5, 3, 0) + b"abc" + struct.pack("<hHI", 40, 0, 0)
    for file, data in files.items():
        open(os.path.join(folder, "日历", file), "wb").write(data)
    run = subprocess.run([cal, "--export-ics", folder], capture_output=True)
    check("exit code", 0, run.returncode)
    check("damaged file named", True, b"009" in run.stderr)
    out = os.path.join(base, "out.ics")
    check("-o exit code", 0, subprocess.run([cal, "--export-ics", folder, "-o", out]).returncode)
    strip = lambda data: [l for l in data.split(b"\r\n") if not l.startswith(b"DTSTAMP:")]
    check("-o writes what stdout gets", strip(run.stdout), strip(open(out, "rb").read()))
    for args in ([base], [os.path.join(base, "nothing")]):
        check("exit code for %s" % args, 2, subprocess.run([cal, "--export-ics"] + args, capture_output=True).returncode)
    first = datetime.date.today().year  # the export year; the test runs from 2027 on at the latest
    dump = subprocess.run([cal, "--dump", "%d-01-01" % first, "2100-12-31"], capture_output=True, check=True).stdout

lines = run.stdout.split(b"\r\n")
check("ends with CR LF", b"", lines[-1])
check("lines over 75 octets", [], [l for l in lines if len(l) > 75])
for line in lines:  # a fold inside a character would leave a line that is no UTF-8
    line.decode("utf-8")
ical = icalendar.Calendar.from_ical(run.stdout)
check("PRODID", True, str(ical["PRODID"]).startswith("-//Lunoria//Lunoria "))
events = {str(e["UID"]): e for e in ical.walk("VEVENT")}
expected_uids = {uid(f, s) for f, s, t, _, _ in MEMOS if shown(f, s, t)} | {uid("009", 5)}
check("events", sorted(expected_uids), sorted(events))

# Days each memo should fall on, from 1 January of the export year to 2100, as the grid marks them.
expected = {u: set() for u in expected_uids}
for row in dump.decode().splitlines():
    date_text, _, lunar_month, lunar_day = row.split("\t")[:4]
    day = datetime.date.fromisoformat(date_text)
    for u in ("onetime-%04d%02d-%d" % (day.year, day.month, day.day), "solar-1%02d-%d" % (day.month, day.day),
              "lunar-0%02d-%s" % (int(lunar_month), lunar_day), "weekly-week-%d" % ((day.weekday() + 1) % 7)):
        expected.get(u + "@lunoria", set()).add(day)
found = {u: set() for u in expected_uids}
for e in recurring_ical_events.of(ical).between(datetime.date(first, 1, 1), datetime.date(2101, 1, 1)):
    found[str(e["UID"])].add(e["DTSTART"].dt)
for u in sorted(expected_uids):
    check("days of " + u, sorted(expected[u]), sorted(found[u]))
# The folder covers what is easy to get wrong: a leap month's days (two lunar 6/15 in one year) and
# day 30 only in 30-day months.
check("a leap sixth month", True, any(len([d for d in expected[uid("006", 15)] if d.year == y]) == 2 for y in range(first, 2101)))
check("day 30 skipped in 29-day months", True, len(expected[uid("005", 30)]) < 2101 - first)

for file, slot, text, _, color in MEMOS:
    event = events.get(uid(file, slot))
    if event is None:
        continue
    lines_of = text.rstrip("\r\n").split("\r\n")
    check("SUMMARY of %s %d" % (file, slot), lines_of[0], str(event["SUMMARY"]))
    check("DESCRIPTION of %s %d" % (file, slot), "\n".join(lines_of) if len(lines_of) > 1 else None,
          str(event["DESCRIPTION"]) if "DESCRIPTION" in event else None)
    check("COLOR of %s %d" % (file, slot), color, str(event["COLOR"]) if "COLOR" in event else None)

print("%d events checked, %d failure(s)" % (len(events), len(failures)))
sys.exit(1 if failures else 0)
