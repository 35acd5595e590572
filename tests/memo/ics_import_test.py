"""lunoria-cal's export of a memo folder read by python3-icalendar and python3-recurring-ical-events: each
event's days from the export year (2027 at the latest) to 2100 against the days lunoria-cal --dump gives the
memo, its texts against the memo's. Usage: ics_import_test.py LUNORIA_CAL; exit 77 (skip) without the modules."""
import datetime, os, struct, subprocess, sys, tempfile

try:
    import icalendar, recurring_ical_events
except ImportError as missing:
    print("skipped:", missing)
    sys.exit(77)

cal, red, failures = sys.argv[1], 0x010000FF, []
LONG = "长" * 40 + "😀" + "行,;\\" * 30
# (file, slot, text, colour word, expected COLOR). Lunar months 5, 6 and 11 have leap months between
# 2026 and 2100; months 5, 11 and 12 have 29 days in some years.
MEMOS = [("200601", 29, "往年\r\n第二行", 0, "lightskyblue"), ("202703", 15, "a,b;c\\d 😀", red, "red"),
         ("210012", 31, "末日", 0x01808080, "gray"), ("101", 31, LONG + "\r\n" + LONG, 0, "red"),
         ("102", 29, "闰日", 0, "red"), ("001", 1, "春节", 0, None), ("005", 30, "五月三十", 0x0180FFFF, None),
         ("006", 15, "六月十五", 0, None), ("011", 30, "冬月三十", 0, None), ("012", 30, "腊月三十", 0, None),
         ("week", 0, "周日", 0, "red"), ("week", 6, "周六\r\n", 0, "red")]
# Never shown on the grid, so never exported: slot 0, April 31, a colour alone, weekly slot 7.
NEVER = [("202612", 0, "slot 0", 0), ("202704", 31, "4/31", 0), ("102", 28, "", red), ("week", 7, "never", 0)]


def check(what, expected, actual):
    if expected != actual:
        failures.append(what)
        print("FAIL: %s: expected %r, got %r" % (what, expected, actual))


def uid(file, slot):
    kind = "weekly" if file == "week" else "onetime" if len(file) > 3 else "solar" if file[0] == "1" else "lunar"
    return "%s-%s-%d@lunoria" % (kind, file, slot)


with tempfile.TemporaryDirectory() as base:
    folder, files = os.path.join(base, "我的记事"), {"009": b"\x64\x00\x05\x00\x03\x00\0\0\0\0abc\x28\x00"}
    os.makedirs(os.path.join(folder, "日历"))
    for file, slot, text, color, *_ in MEMOS + NEVER:
        data = text.encode("gb18030")
        files[file] = files.get(file, b"\x64\x00") + struct.pack("<hHI", slot, len(data), color) + data
    for file, data in files.items():
        open(os.path.join(folder, "日历", file), "wb").write(data)
    run = subprocess.run([cal, "--export-ics", folder], capture_output=True)
    check("exit code, and the damaged file named", (0, True), (run.returncode, b"009" in run.stderr))
    for args in ([base], [os.path.join(base, "nothing")]):  # no 日历 in it, no folder at all
        check("refused " + args[0], 2, subprocess.run([cal, "--export-ics"] + args, capture_output=True).returncode)
    first = datetime.date.today().year  # the export year
    dump = subprocess.run([cal, "--dump", "%d-01-01" % first, "2100-12-31"], capture_output=True).stdout.decode()

lines = run.stdout.split(b"\r\n")
check("CR LF lines of at most 75 octets", [b""], [l for l in lines if len(l) > 75] + lines[-1:])
for line in lines:  # a fold inside a character leaves a line that is no UTF-8
    line.decode("utf-8")
ical = icalendar.Calendar.from_ical(run.stdout)
events = {str(e["UID"]): e for e in ical.walk("VEVENT")}
want = {uid(m[0], m[1]) for m in MEMOS} | {uid("009", 5)}
check("events", sorted(want), sorted(events))

expected, found = {u: set() for u in want}, {u: set() for u in want}
for row in dump.splitlines():  # the days the grid marks
    date, _, lunar_month, lunar_day = row.split("\t")[:4]
    day = datetime.date.fromisoformat(date)
    for u in ("onetime-%04d%02d-%d" % (day.year, day.month, day.day), "solar-1%02d-%d" % (day.month, day.day),
              "lunar-0%02d-%s" % (int(lunar_month), lunar_day), "weekly-week-%d" % ((day.weekday() + 1) % 7)):
        expected.get(u + "@lunoria", set()).add(day)
for e in recurring_ical_events.of(ical).between(datetime.date(first, 1, 1), datetime.date(2101, 1, 1)):
    found[str(e["UID"])].add(e["DTSTART"].dt)
for u in sorted(want):
    check("days of " + u, sorted(expected[u]), sorted(found[u]))

for file, slot, text, _, color in MEMOS:
    event, text_lines = events.get(uid(file, slot), {}), text.rstrip("\r\n").split("\r\n")
    check("SUMMARY, DESCRIPTION, COLOR of " + uid(file, slot),
          (text_lines[0], "\n".join(text_lines) if len(text_lines) > 1 else None, color),
          tuple(str(event[p]) if p in event else None for p in ("SUMMARY", "DESCRIPTION", "COLOR")))
print("%d events checked, %d failure(s)" % (len(events), len(failures)))
sys.exit(1 if failures else 0)
