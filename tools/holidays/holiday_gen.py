#!/usr/bin/env python3
"""Generates holidays/holiday_table.h: the State Council's statutory holidays (休) and make-up working
days (班) of 2004-2026 as runs of days, from the npm package chinese-days 1.5.7 (MIT), with the
corrections below that the published notices decide.

  holiday_gen.py [--cache DIR] OUTPUT         writes the table
  holiday_gen.py [--cache DIR] --check FILE   exit 1 unless FILE is what the generator writes

The packages are fetched with `npm pack` into DIR (default build/holiday-source) when they are not
there yet. Each run also compares the data day by day with a second, independent source
(holiday-calendar 1.3.3) and fails on any difference that SOURCE_KEPT or CORRECTIONS does not decide.
Exit code 77: a package could not be had (no npm, no registry), so nothing was checked.
"""

import datetime
import difflib
import hashlib
import json
import os
import shutil
import subprocess
import sys
import tarfile

SOURCE = ("chinese-days", "1.5.7", "36edd9740abf9b4954a0b16d663f6d70047184d9")
SECOND = ("holiday-calendar", "1.3.3", "82db8e22a5b6b577b5c32cf5233ec2292f73b440")
FIRST_YEAR, LAST_YEAR = 2004, 2026
SKIPPED = 77

# The table's names, in index order. The source's short or long names map onto them.
NAMES = ["元旦", "春节", "清明节", "劳动节", "端午节", "中秋节", "国庆节", "国庆节、中秋节", "中秋节、国庆节",
         "抗战胜利纪念日"]
SOURCE_NAMES = {"清明": "清明节", "端午": "端午节", "中秋": "中秋节",
                "中国人民抗日战争暨世界反法西斯战争胜利70周年纪念日": "抗战胜利纪念日"}

# Years whose notice joins the Mid-Autumn and National Day holidays into one item; every day of both
# (days off and working days) takes the notice's heading.
JOINED = {2009: "国庆节、中秋节", 2012: "中秋节、国庆节", 2017: "国庆节、中秋节", 2020: "国庆节、中秋节",
          2023: "中秋节、国庆节", 2025: "国庆节、中秋节"}

# Days where the notice says otherwise than chinese-days: (date, "休", "班" or None, holiday, notice).
# A weekend that merely adjoins a holiday ("与周末连休") is a plain weekend; one that the notice puts
# inside the holiday's span, or between its days, is a day off.
CORRECTIONS = [
    ("2005-12-31", "班", "元旦", "2006: 元旦1月1日至3日放假，2005年12月31日（星期六）上班"),
    ("2011-06-05", "休", "端午节", "2011: 端午节6月4日至6日放假公休"),
    ("2012-06-23", "休", "端午节", "2012: 端午节6月22日至24日放假公休"),
    ("2015-06-21", "休", "端午节", "2015: 端午节6月20日放假，6月22日（星期一）补休"),
    ("2015-09-05", "休", "抗战胜利纪念日", "2015: 纪念日9月3日至5日调休放假，9月6日（星期日）上班"),
    ("2019-04-06", None, None, "2019: 清明节4月5日放假，与周末连休"),
    ("2019-04-07", None, None, "2019: 清明节4月5日放假，与周末连休"),
    ("2019-06-08", None, None, "2019: 端午节6月7日放假，与周末连休"),
    ("2019-06-09", None, None, "2019: 端午节6月7日放假，与周末连休"),
    ("2019-09-14", None, None, "2019: 中秋节9月13日放假，与周末连休"),
    ("2019-09-15", None, None, "2019: 中秋节9月13日放假，与周末连休"),
]

# Days where the second source differs and chinese-days follows the notice.
SOURCE_KEPT = {
    "2004-01-02": "2004: 元旦1月1日放假1天", "2004-01-03": "2004: 元旦1月1日放假1天",
    "2004-04-25": "2004: 劳动节5月8日、9日上班", "2004-05-09": "2004: 劳动节5月8日、9日上班",
    "2004-09-26": "2004: 国庆节10月9日、10日上班", "2004-10-10": "2004: 国庆节10月9日、10日上班",
    "2007-12-29": "2008: 元旦2007年12月30日至2008年1月1日放假，12月29日上班",
    "2007-12-30": "2008: 元旦2007年12月30日至2008年1月1日放假",
    "2007-12-31": "2008: 元旦2007年12月30日至2008年1月1日放假",
    "2008-05-04": "2008: 劳动节5月1日至3日放假，5月4日上班",
    "2008-06-07": "2008: 端午节6月7日至9日放假", "2008-09-13": "2008: 中秋节9月13日至15日放假",
    "2009-01-04": "2009: 元旦1月1日至3日放假，1月4日上班",
    "2009-09-27": "2009: 国庆节、中秋节10月1日至8日放假，9月27日、10月10日上班",
    "2011-12-31": "2012: 元旦1月1日至3日放假调休，2011年12月31日上班",
    "2015-01-04": "2015: 元旦1月1日至3日放假调休，1月4日上班",
    "2015-05-02": "2015: 劳动节5月1日放假，与周末连休", "2015-05-03": "2015: 劳动节5月1日放假，与周末连休",
    "2016-01-02": "2016: 元旦1月1日放假，与周末连休", "2016-01-03": "2016: 元旦1月1日放假，与周末连休",
    "2016-04-02": "2016: 清明节4月4日放假，与周末连休（无调休）",
    "2016-04-30": "2016: 劳动节5月1日放假，5月2日补休",
    "2018-06-16": "2018: 端午节6月18日放假，与周末连休（无调休）",
    "2018-09-22": "2018: 中秋节9月24日放假，与周末连休（无调休）",
    "2020-02-02": "2020: 春节假期延长至2月2日",
}

WORK = 0x80  # kind bit of a make-up working day


def fetch(cache, package):
    """The package's tarball in the cache, fetched with npm pack when missing; None when it cannot be had."""
    name, version, sha1 = package
    path = os.path.join(cache, f"{name}-{version}.tgz")
    if not os.path.exists(path):
        npm = shutil.which("npm")
        if not npm:
            return None
        os.makedirs(cache, exist_ok=True)
        try:
            subprocess.run([npm, "pack", f"{name}@{version}", "--pack-destination", cache], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        except (subprocess.SubprocessError, OSError):
            return None
        if not os.path.exists(path):
            return None
    with open(path, "rb") as f:
        if hashlib.sha1(f.read()).hexdigest() != sha1:
            sys.exit(f"{path} is not the published {name} {version}; remove it to fetch it again")
    return path


def source_days(tarball):
    """date -> (mark, name) from chinese-days, with the notices' names and corrections applied."""
    with tarfile.open(tarball) as t:
        data = json.load(t.extractfile("package/dist/chinese-days.json"))
    days = {}
    for key, mark in (("holidays", "休"), ("workdays", "班")):
        for date, text in data[key].items():
            name = text.split(",")[1]
            days[date] = (mark, SOURCE_NAMES.get(name, name))
    for date, (mark, name) in days.items():
        joined = JOINED.get(int(date[:4]))
        if joined and name in ("中秋节", "国庆节"):
            days[date] = (mark, joined)
    for date, mark, name, _ in CORRECTIONS:
        if mark:
            days[date] = (mark, name)
        else:
            days.pop(date, None)
    return days


def second_days(tarball):
    """date -> mark from holiday-calendar, whose files are one per notice year."""
    days = {}
    with tarfile.open(tarball) as t:
        for year in range(FIRST_YEAR, LAST_YEAR + 1):
            for entry in json.load(t.extractfile(f"package/data/CN/{year}.json"))["dates"]:
                days[entry["date"]] = "休" if entry["type"] == "public_holiday" else "班"
    return days


def undecided(days, second):
    """Dates where the two sources differ and no decision above names the date."""
    decided = set(SOURCE_KEPT) | {c[0] for c in CORRECTIONS}
    out = []
    for date in sorted(set(days) | set(second)):
        if FIRST_YEAR <= int(date[:4]) <= LAST_YEAR and date not in decided:
            if (days.get(date) or (None,))[0] != second.get(date):
                out.append(f"{date}: chinese-days {days.get(date)}, holiday-calendar {second.get(date)}")
    return out


def table(days):
    runs = []  # [first date, days, mark, name]
    for date in sorted(days):
        d = datetime.date.fromisoformat(date)
        mark, name = days[date]
        last = runs[-1] if runs else None
        if last and last[2:] == [mark, name] and (d - last[0]).days == last[1]:
            last[1] += 1
        else:
            runs.append([d, 1, mark, name])
    lines = [
        f"// Generated by tools/holidays/holiday_gen.py from {SOURCE[0]} {SOURCE[1]} (MIT License, Copyright (c) 2024",
        "// Yawei sun) with the corrections listed there, each decided from the State Council's notice of its",
        "// year; do not edit by hand.",
        "// Regenerate: python3 tools/holidays/holiday_gen.py holidays/holiday_table.h",
        "// One line per run of days: first day, number of days, kind (休 or 班, and the holiday).",
        "#pragma once",
        "",
        '#include "holidays/holidays.h"',
        "",
        f"inline constexpr int kHolidayTableFirstYear = {FIRST_YEAR};",
        f"inline constexpr int kHolidayTableLastYear = {LAST_YEAR};",
        "",
        "// clang-format off",
        "inline constexpr const char* kHolidayTableNames[] = {",
    ]
    lines += [f'    "{n}",  // {i}' for i, n in enumerate(NAMES)]
    lines += ["};", "", "inline constexpr HolidayRun kHolidayTable[] = {"]
    for first, count, mark, name in runs:
        kind = f"kHolidayWork | {NAMES.index(name)}" if mark == "班" else f"kHolidayRest | {NAMES.index(name)}"
        lines.append(f"    {{{first.year}, {first.month:2d}, {first.day:2d}, {count:2d}, {kind}}},  // {mark} {name}")
    lines += ["};", "// clang-format on", ""]
    return "\n".join(lines)


def main(argv):
    cache = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "build", "holiday-source")
    if len(argv) >= 2 and argv[0] == "--cache":
        cache, argv = argv[1], argv[2:]
    check = len(argv) == 2 and argv[0] == "--check"
    if len(argv) != 1 and not check:
        sys.exit(__doc__)
    source, second = fetch(cache, SOURCE), fetch(cache, SECOND)
    if not source or not second:
        print(f"SKIPPED: cannot fetch {SOURCE[0]} {SOURCE[1]} and {SECOND[0]} {SECOND[1]} with npm", file=sys.stderr)
        return SKIPPED
    days = source_days(source)
    open_questions = undecided(days, second_days(second))
    if open_questions:
        print("differences between the sources that no notice decides yet:", *open_questions, sep="\n  ",
              file=sys.stderr)
        return 1
    text = table(days)
    if check:
        with open(argv[1], encoding="utf-8") as f:
            checked_in = f.read()
        if checked_in != text:
            delta = difflib.unified_diff(checked_in.splitlines(), text.splitlines(), argv[1], "generated", lineterm="")
            print(f"{argv[1]} differs from the generator's output; regenerate it if the change is meant",
                  *list(delta)[:60], sep="\n", file=sys.stderr)
            return 1
        return 0
    with open(argv[0], "w", encoding="utf-8", newline="\n") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
