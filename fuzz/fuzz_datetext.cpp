// The date/time text of the report list's row editor: ParseDateText on any text with any format,
// FormatDateText and DateTextDisplayFormat on any format. With a format built of well-formed
// elements (each field once, a 12-hour clock with its am/pm mark, no number field of free width
// followed by a digit), a date that parses formats and parses again to the same day count, and a
// date written with the format reads back as the date it was.
#include "fuzzcommon.h"

#include <krogui/replist/datetext.h>

#include <QDateTime>
#include <QTimeZone>

#include <cmath>

using namespace kro;
using krofuzz::Check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(false);
    return 0;
}

namespace {

const TDateTextOptions kOptions{50, 2026};

// The fields a built format holds.
struct TFields
{
    bool Year = false, TwoDigitYear = false, Month = false, Day = false;
    bool Hour = false, Minute = false, Second = false;
};

bool HasDate(const TFields &F)
{
    return F.Year || F.Month || F.Day;
}

// Builds a format from the input: up to eight elements, each field at most once, separated by
// literals that never begin with a digit when a free-width number stands before them.
QString BuildFormat(krofuzz::TInput &In, TFields &F)
{
    static const char *const kYear[] = {"yyyy", "yy"};
    static const char *const kMonth[] = {"M", "MM", "MMM", "MMMM"};
    static const char *const kDay[] = {"d", "dd"};
    static const char *const kHour[] = {"H", "HH", "h tt", "hh t", "tt h", "t hh"};
    static const char *const kSep[] = {"", "-", "/", " ", ":", "'T'", "'o''clock'", ".", ", ", "'9'", "x"};
    QString out;
    bool freeWidthBefore = false, weekday = false;
    const int n = 1 + In.Byte() % 8;
    for (int k = 0; k < n && !In.Empty(); ++k) {
        const quint8 b = In.Byte();
        QString sep = QString::fromLatin1(kSep[(b >> 4) % std::size(kSep)]);
        if (freeWidthBefore && (sep.isEmpty() || sep == QLatin1String("'9'"))) sep = QStringLiteral("/");
        const quint8 v = In.Byte();
        QString el;
        switch (b % 8) {
        case 0:
            if (F.Year) break;
            F.Year = true;
            F.TwoDigitYear = v & 1;
            el = QLatin1String(kYear[v & 1]);
            break;
        case 1:
            if (F.Month) break;
            F.Month = true;
            el = QLatin1String(kMonth[v % 4]);
            break;
        case 2:
            if (F.Day) break;
            F.Day = true;
            el = QLatin1String(kDay[v % 2]);
            break;
        case 3:
            if (F.Hour) break;
            F.Hour = true;
            el = QLatin1String(kHour[v % 6]);
            break;
        case 4:
            if (F.Minute) break;
            F.Minute = true;
            el = QLatin1String(v & 1 ? "mm" : "m");
            break;
        case 5:
            if (F.Second) break;
            F.Second = true;
            el = QLatin1String(v & 1 ? "ss" : "s");
            break;
        case 6:
            if (weekday) break;
            weekday = true;
            el = QLatin1String(v & 1 ? "dddd" : "ddd");
            break;
        default:
            el = QStringLiteral("'x'");
            break;
        }
        // Two runs of one letter would make one longer run.
        if (sep.isEmpty() && !out.isEmpty() && !el.isEmpty() && out.back() == el.front())
            sep = QStringLiteral("/");
        if (k > 0) out += sep;
        out += el;
        // The free-width numbers: single letters, and the hour when its mark came first.
        freeWidthBefore = !el.isEmpty() && (el.size() == 1 || el.endsWith(QLatin1String(" h")));
    }
    return out;
}

QDateTime DateOfInput(krofuzz::TInput &In, const TFields &F)
{
    const int year = F.TwoDigitYear ? 1976 + In.Byte() % 100 : 1 + (In.Byte() | In.Byte() << 8) % 9999;
    const QDate d(year, 1 + In.Byte() % 12, 1);
    const QDate date = d.addDays(In.Byte() % d.daysInMonth());
    const QTime time(In.Byte() % 24, In.Byte() % 60, In.Byte() % 60);
    return QDateTime(date, time, QTimeZone::utc());
}

// The date/time a built format reads back from the text of Written: the fields it lacks take
// their defaults (the current year, January, the first, zero time). Invalid when the defaults
// make no date (29 February without a year).
QDateTime Expected(const QDateTime &Written, const TFields &F)
{
    const QDate d = Written.date();
    const QTime t = Written.time();
    const QTime time(F.Hour ? t.hour() : 0, F.Minute ? t.minute() : 0, F.Second ? t.second() : 0);
    if (!HasDate(F)) return QDateTime(QDate(1899, 12, 30), time, QTimeZone::utc());
    const QDate date(F.Year ? d.year() : kOptions.CurrentYear, F.Month ? d.month() : 1, F.Day ? d.day() : 1);
    return QDateTime(date, time, QTimeZone::utc());
}

void FuzzBuilt(krofuzz::TInput &In)
{
    TFields f;
    const QString format = BuildFormat(In, f);
    const QDateTime written = DateOfInput(In, f);
    const QString text = FormatDateText(format, written);
    const QDateTime want = Expected(written, f);
    double v = -1;
    const int err = ParseDateText(text, format, 1, v, kOptions);
    if (qEnvironmentVariableIsSet("KROFUZZ_DEBUG"))
        qWarning("format [%s] text [%s] err %d", qPrintable(format), qPrintable(text), err);
    if (!want.isValid()) {
        Check(err == dteInvalid, "a date that does not exist in the current year parses");
    } else {
        Check(err == dteOK, "a written date does not parse");
        Check(v == DateTimeToDayCount(want), "a written date parses to another date");
    }

    // Any text that this format reads writes and reads back as the same date.
    const QString any = In.RestText();
    double first = 0;
    if (ParseDateText(any, format, 1, first, kOptions) != dteOK) return;
    // Zero year, month and day read as a time alone; a format without the whole date and a
    // four-digit year then cannot say 30 December 1899 again.
    const bool wholeDate = f.Year && !f.TwoDigitYear && f.Month && f.Day;
    if (HasDate(f) && !wholeDate && first >= 0 && first < 1) return;
    const QDateTime dt = DayCountToDateTime(first);
    Check(dt.isValid(), "a parsed date has no date/time");
    double again = -1;
    Check(ParseDateText(FormatDateText(format, dt), format, 1, again, kOptions) == dteOK,
          "a parsed date, written again, does not parse");
    Check(again == first, "a parsed date, written again, parses to another date");
}

void FuzzAny(krofuzz::TInput &In)
{
    TDateTextOptions opt;
    opt.TwoDigitYearWindow = In.Int16();
    opt.CurrentYear = In.Int16();
    if (opt.CurrentYear == 0) opt.CurrentYear = 2026;
    const int language = In.Byte();
    const QString format = In.ShortText(48);
    const QString text = In.RestText();
    double v = 12345;
    const int err = ParseDateText(text, format, language, v, opt);
    Check(err <= dteOK && err >= dteInvalid, "ParseDateText gave an unknown result");
    Check(err == dteOK || v == 0, "a failed parse left a day count");
    Check(std::isfinite(v), "a parsed day count is not finite");
    (void)DateTextDisplayFormat(format);
    if (err != dteOK) return;
    const QDateTime dt = DayCountToDateTime(v);
    Check(dt.isValid(), "a parsed date has no date/time");
    Check(std::fabs(DateTimeToDayCount(dt) - v) < 1e-6, "a parsed day count does not convert back");
    double again = 0;
    (void)ParseDateText(FormatDateText(format, dt), format, 1, again, opt);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    if (in.Byte() & 1)
        FuzzBuilt(in);
    else
        FuzzAny(in);
    return 0;
}
