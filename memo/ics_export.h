// The memo folder as one iCalendar (RFC 5545) file that Outlook, Google Calendar, Apple Calendar or
// Thunderbird can import: UTF-8, CR LF line ends, lines folded at 75 octets.
//
// Each present memo is one all-day VEVENT. Its UID names kind, file and slot ("lunar-004-5@lunoria"),
// so importing a later export again updates the event instead of adding a second one. It falls on
// the days the month grid marks, from 1 January of the export year on:
//   one-time      its own date, also when that lies in an earlier year;
//   solar yearly  RRULE FREQ=YEARLY on its month and day. 29 February is an invalid day in common
//                 years, which RFC 5545 expansions skip, so that memo falls in leap years only;
//   weekly        RRULE FREQ=WEEKLY on its weekday;
//   lunar yearly  few calendars know lunar rules, so DTSTART and RDATE list its days: every day whose
//                 lunar month number (a leap month's too) and lunar day are the memo's (day 30 only in
//                 30-day months), through 2100-12-31, the last day of the lunar table. A lunar memo
//                 without such a day left is not exported.
// Never shown, never exported: slot 0 of a month-type file, slot 7 of the weekly file, days past a
// month's length, records with a colour but no text, and month files outside February 1900 to
// December 2100 (the terminal calendar's range; the desktop's ends with 2049).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct IcsExportClock {
    int64_t utcSeconds = 0; // DTSTAMP: seconds since 1970-01-01 00:00 UTC
    int year = 0;           // the local year; recurrences start on its 1 January
};
// The current time and local year.
IcsExportClock CurrentExportClock();

enum class IcsExportStatus { Ok, NoFolder, NoCalendarFolder };

struct IcsExport {
    IcsExportStatus status = IcsExportStatus::Ok;
    std::string text; // the calendar; empty unless status is Ok
    int events = 0;
    // Memo files that could not be read whole (full paths): what could be read is exported.
    std::vector<std::string> damagedFiles;
};

// Exports every memo of `memoRoot` (the "我的记事" folder, holding "日历").
IcsExport ExportMemoFolder(const std::string& memoRoot, const IcsExportClock& clock);
