#pragma once
// Date/time text of the report list's date columns: reading a cell text with the column's
// date/time format, writing a date/time back in that format, and the display format a Qt
// date/time editor needs to show it. No widgets here.
//
// Format elements, each the longest run of one of the letters H M d h m s t y:
//   yyyy   4 characters, year          yy   2 characters, year in the two-digit window
//   MMMM   full month name             MMM  3-letter month abbreviation
//   MM     2 characters, month         M    an integer, month
//   dddd   full weekday name (skipped) ddd  3-letter weekday abbreviation (skipped)
//   dd/d   day (2 characters / an integer)
//   HH/H   hour, 24-hour clock         hh/h hour, 12-hour clock
//   mm/m   minute                      ss/s second
//   tt     "am" means before noon      t    "a" means before noon (any case; else after noon)
// Names compare without regard to case. Text in single quotes is literal ('' inside stands for
// one quote); any other character starts a literal that runs to the next quote or listed letter.
// A literal must stand at the start of the remaining text.
//
// Date/time values are day counts: days since 30 December 1899, the fraction is the time of day
// (for a day before that date the fraction still counts forward: -1.25 is 29 December 1899 6:00).

#include <krogui/kroguiexport.h>

#include <QDateTime>
#include <QString>

namespace kro {

/// Results of ParseDateText.
enum TDateTextError : int {
    dteOK = 0,
    dteLiteral = -1,  ///< a literal of the format is not at the start of the remaining text
    dteBadToken = -2, ///< a run of a format letter that is not an element ("yyy", "sss")
    dteBadValue = -3, ///< a number does not convert, or a name is not found
    dteInvalid = -4,  ///< the values read make no date or time (month 13, 31 February, 25:00)
};

/// The two-digit year window and the current year used by "yy" and for a missing year.
struct TDateTextOptions
{
    /// Years back from the current year where the hundred-year window of "yy" starts; 0 puts
    /// "yy" into the current century.
    int TwoDigitYearWindow = 50;
    /// The current year; 0 takes today's.
    int CurrentYear = 0;
};

/// Reads Text with Format (walked from the left, consuming the text in step) and gives the day
/// count in DateTime. Language picks the month and weekday names; 1 is English, the only table
/// (other values read English too). Returns a TDateTextError; on an error DateTime is 0.
///
/// 12-hour clock ("h", "hh"): an hour of 12 becomes 0 before noon, after noon 12 is added to any
/// other hour; before noon is assumed when no "t"/"tt" was read. When the year, month or day
/// read is not zero the result is that date plus the time; a format without a day or a month
/// takes 1 for it and one without a year takes the current year. Otherwise the result is the
/// time alone.
KROGUI_EXPORT int ParseDateText(const QString &Text, const QString &Format, int Language, double &DateTime,
                                const TDateTextOptions &Options = {});

/// Writes DateTime (a valid date/time; its time zone is ignored) with Format, so that
/// ParseDateText reads it back. "t" writes "A"/"P", "tt" "AM"/"PM"; "h"/"hh" write the 12-hour
/// hour (12 for 0); runs that are no element are written as they stand.
KROGUI_EXPORT QString FormatDateText(const QString &Format, const QDateTime &DateTime, int Language = 1);

/// The display format of a QDateTimeEdit that shows what Format writes: elements map to Qt's
/// (with "AP" for "t" and "tt"), everything else becomes quoted literal text.
KROGUI_EXPORT QString DateTextDisplayFormat(const QString &Format);

/// The date/time (UTC) of a day count; an invalid QDateTime when the count is not finite or
/// lies outside the years 1..9999.
KROGUI_EXPORT QDateTime DayCountToDateTime(double DayCount);
/// The day count of a date/time (its time zone is ignored); 0 for an invalid one.
KROGUI_EXPORT double DateTimeToDayCount(const QDateTime &DateTime);

} // namespace kro
