#include <krogui/replist/datetext.h>

#include <QTimeZone>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace kro {

namespace {

const QDate kDayZero(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;

struct TNames
{
    std::array<const char *, 12> MonthLong, MonthShort;
    std::array<const char *, 7> DayLong, DayShort; // Monday first
};

const TNames kEnglish = {{"January", "February", "March", "April", "May", "June", "July", "August",
                          "September", "October", "November", "December"},
                         {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
                         {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"},
                         {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"}};

const TNames &NamesOf(int /*Language*/)
{
    return kEnglish;
}

bool IsFormatLetter(QChar C)
{
    return QStringView(u"HMdhmsty").contains(C);
}

// One element of a format: an element letter run, a literal, or a letter run that is no element.
struct TElem
{
    enum Kind { Token, Literal, BadRun } Kind;
    QChar Letter;
    int Count = 0;
    QString Text; // the literal, or the run as it stands
};

bool IsElement(QChar L, int N)
{
    switch (L.unicode()) {
    case 'y':
        return N == 2 || N == 4;
    case 'M':
    case 'd':
        return N >= 1 && N <= 4;
    default: // H h m s t
        return N == 1 || N == 2;
    }
}

// Reads a quoted literal starting at the quote at I; '' inside stands for one quote, and a
// quote right after the opening one is a literal quote.
QString ReadQuoted(const QString &F, qsizetype &I)
{
    ++I; // the opening quote
    if (I < F.size() && F[I] == u'\'') {
        ++I;
        return QStringLiteral("'");
    }
    QString lit;
    while (I < F.size()) {
        if (F[I] == u'\'') {
            if (I + 1 < F.size() && F[I + 1] == u'\'') {
                lit += u'\'';
                I += 2;
                continue;
            }
            ++I; // the closing quote
            break;
        }
        lit += F[I++];
    }
    return lit;
}

std::vector<TElem> SplitFormat(const QString &F)
{
    std::vector<TElem> out;
    qsizetype i = 0;
    while (i < F.size()) {
        const QChar c = F[i];
        if (IsFormatLetter(c)) {
            qsizetype j = i;
            while (j < F.size() && F[j] == c)
                ++j;
            const int n = int(std::min<qsizetype>(j - i, 1000));
            out.push_back({IsElement(c, n) ? TElem::Token : TElem::BadRun, c, n, F.mid(i, j - i)});
            i = j;
        } else if (c == u'\'') {
            out.push_back({TElem::Literal, QChar(), 0, ReadQuoted(F, i)});
        } else {
            qsizetype j = i;
            while (j < F.size() && F[j] != u'\'' && !IsFormatLetter(F[j]))
                ++j;
            out.push_back({TElem::Literal, QChar(), 0, F.mid(i, j - i)});
            i = j;
        }
    }
    return out;
}

// Digits of a fixed-width field: blanks, one sign, at least one digit, nothing else.
bool ConvertFixed(QStringView S, qint64 &V)
{
    qsizetype i = 0;
    while (i < S.size() && S[i] == u' ')
        ++i;
    bool neg = false;
    if (i < S.size() && (S[i] == u'+' || S[i] == u'-')) neg = S[i++] == u'-';
    if (i == S.size()) return false;
    V = 0;
    for (; i < S.size(); ++i) {
        if (S[i] < u'0' || S[i] > u'9') return false;
        V = std::min<qint64>(V * 10 + (S[i].unicode() - u'0'), 1000000000);
    }
    if (neg) V = -V;
    return true;
}

// An integer of any length at Pos: blanks, one sign, digits (at least one).
bool ReadInteger(const QString &T, qsizetype &Pos, qint64 &V)
{
    qsizetype i = Pos;
    while (i < T.size() && T[i] == u' ')
        ++i;
    bool neg = false;
    if (i < T.size() && (T[i] == u'+' || T[i] == u'-')) neg = T[i++] == u'-';
    const qsizetype digits = i;
    V = 0;
    while (i < T.size() && T[i] >= u'0' && T[i] <= u'9')
        V = std::min<qint64>(V * 10 + (T[i++].unicode() - u'0'), 1000000000);
    if (i == digits) return false;
    if (neg) V = -V;
    Pos = i;
    return true;
}

// Index (from 0) of the name that the text at Pos begins with, compared without case; Len 0
// compares whole names, else Len characters. -1 when none.
template <size_t N>
int MatchName(const QString &T, qsizetype &Pos, const std::array<const char *, N> &Names, int Len)
{
    for (size_t k = 0; k < N; ++k) {
        const QString name = QString::fromUtf8(Names[k]);
        const qsizetype n = Len > 0 ? Len : name.size();
        if (T.mid(Pos, n).compare(name.left(n), Qt::CaseInsensitive) == 0 && T.size() - Pos >= n) {
            Pos += n;
            return int(k);
        }
    }
    return -1;
}

struct TParsed
{
    qint64 Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
    bool SawYear = false, SawMonth = false, SawDay = false;
    bool Hour12 = false, AfterNoon = false;
};

// Reads one element; returns a TDateTextError.
int ReadElement(const TElem &E, const QString &T, qsizetype &Pos, const TNames &Names,
                const TDateTextOptions &Opt, int CurrentYear, TParsed &P)
{
    const auto fixed = [&](int N, qint64 &V) {
        const QStringView s = QStringView(T).mid(std::min(Pos, T.size()), N);
        Pos += s.size();
        return ConvertFixed(s, V);
    };
    const auto number = [&](qint64 &V) { return E.Count == 2 ? fixed(2, V) : ReadInteger(T, Pos, V); };
    bool ok = true;
    switch (E.Letter.unicode()) {
    case 'y':
        P.SawYear = true;
        ok = fixed(E.Count, P.Year);
        if (ok && E.Count == 2) {
            const qint64 base = CurrentYear - Opt.TwoDigitYearWindow;
            P.Year += base / 100 * 100;
            if (Opt.TwoDigitYearWindow != 0 && P.Year < base) P.Year += 100;
        }
        break;
    case 'M':
        P.SawMonth = true;
        if (E.Count >= 3) {
            const int k =
                E.Count == 4 ? MatchName(T, Pos, Names.MonthLong, 0) : MatchName(T, Pos, Names.MonthShort, 3);
            ok = k >= 0;
            P.Month = k + 1;
        } else {
            ok = number(P.Month);
        }
        break;
    case 'd':
        if (E.Count >= 3) {
            ok = (E.Count == 4 ? MatchName(T, Pos, Names.DayLong, 0)
                               : MatchName(T, Pos, Names.DayShort, 3)) >= 0;
        } else {
            P.SawDay = true;
            ok = number(P.Day);
        }
        break;
    case 'h':
        P.Hour12 = true;
        [[fallthrough]];
    case 'H':
        ok = number(P.Hour);
        break;
    case 'm':
        ok = number(P.Minute);
        break;
    case 's':
        ok = number(P.Second);
        break;
    case 't': {
        const QString s = T.mid(Pos, E.Count);
        Pos += s.size();
        P.AfterNoon =
            s.compare(E.Count == 1 ? QStringLiteral("a") : QStringLiteral("am"), Qt::CaseInsensitive) != 0;
        break;
    }
    default:
        break;
    }
    return ok ? dteOK : dteBadValue;
}

// The day count of what was read, or an error.
int Compose(TParsed P, int CurrentYear, double &DateTime)
{
    if (P.Hour12) {
        if (!P.AfterNoon && P.Hour == 12)
            P.Hour = 0;
        else if (P.AfterNoon && P.Hour != 12)
            P.Hour += 12;
    }
    if (P.Hour < 0 || P.Hour > 23 || P.Minute < 0 || P.Minute > 59 || P.Second < 0 || P.Second > 59)
        return dteInvalid;
    const double time = double(P.Hour * 3600 + P.Minute * 60 + P.Second) / 86400.0;
    if (P.Year == 0 && P.Month == 0 && P.Day == 0) {
        DateTime = time;
        return dteOK;
    }
    // A format that names no day, month or year still gives a date.
    if (!P.SawDay) P.Day = 1;
    if (!P.SawMonth) P.Month = 1;
    if (!P.SawYear) P.Year = CurrentYear;
    if (P.Year < 1 || P.Year > 9999 || !QDate::isValid(int(P.Year), int(P.Month), int(P.Day)))
        return dteInvalid;
    const double days = double(kDayZero.daysTo(QDate(int(P.Year), int(P.Month), int(P.Day))));
    DateTime = days < 0 ? days - time : days + time;
    return dteOK;
}

QString Padded(int V, int Width)
{
    return QString::number(V).rightJustified(Width, u'0');
}

QString FormatElement(const TElem &E, const QDate &D, const QTime &T, const TNames &Names)
{
    const int n = E.Count;
    const int h12 = T.hour() % 12 == 0 ? 12 : T.hour() % 12;
    switch (E.Letter.unicode()) {
    case 'y':
        return n == 4 ? Padded(D.year(), 4) : Padded(D.year() % 100, 2);
    case 'M':
        if (n == 4) return QString::fromUtf8(Names.MonthLong[D.month() - 1]);
        if (n == 3) return QString::fromUtf8(Names.MonthShort[D.month() - 1]);
        return Padded(D.month(), n);
    case 'd':
        if (n == 4) return QString::fromUtf8(Names.DayLong[D.dayOfWeek() - 1]);
        if (n == 3) return QString::fromUtf8(Names.DayShort[D.dayOfWeek() - 1]);
        return Padded(D.day(), n);
    case 'H':
        return Padded(T.hour(), n);
    case 'h':
        return Padded(h12, n);
    case 'm':
        return Padded(T.minute(), n);
    case 's':
        return Padded(T.second(), n);
    case 't': {
        const QString ap = T.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM");
        return n == 1 ? ap.left(1) : ap;
    }
    default:
        return E.Text;
    }
}

QString QuotedForQt(const QString &Text)
{
    if (Text.isEmpty()) return QString();
    QString t = Text;
    t.replace(u'\'', QStringLiteral("''"));
    return u'\'' + t + u'\'';
}

} // namespace

int ParseDateText(const QString &Text, const QString &Format, int Language, double &DateTime,
                  const TDateTextOptions &Options)
{
    DateTime = 0;
    const int currentYear = Options.CurrentYear != 0 ? Options.CurrentYear : QDate::currentDate().year();
    const TNames &names = NamesOf(Language);
    TParsed p;
    qsizetype pos = 0;
    for (const TElem &e : SplitFormat(Format)) {
        int err = dteOK;
        if (e.Kind == TElem::BadRun) {
            err = dteBadToken;
        } else if (e.Kind == TElem::Literal) {
            if (!QStringView(Text).mid(std::min(pos, Text.size())).startsWith(e.Text)) return dteLiteral;
            pos += e.Text.size();
        } else {
            err = ReadElement(e, Text, pos, names, Options, currentYear, p);
        }
        if (err != dteOK) return err;
    }
    double value = 0;
    const int err = Compose(p, currentYear, value);
    if (err == dteOK) DateTime = value;
    return err;
}

QString FormatDateText(const QString &Format, const QDateTime &DateTime, int Language)
{
    if (!DateTime.isValid()) return QString();
    const QDate date = DateTime.date();
    const QTime time = DateTime.time();
    const TNames &names = NamesOf(Language);
    QString out;
    for (const TElem &e : SplitFormat(Format))
        out += e.Kind == TElem::Token ? FormatElement(e, date, time, names) : e.Text;
    return out;
}

QString DateTextDisplayFormat(const QString &Format)
{
    QString out;
    QString literal;
    for (const TElem &e : SplitFormat(Format)) {
        if (e.Kind != TElem::Token) {
            literal += e.Text;
            continue;
        }
        out += QuotedForQt(literal);
        literal.clear();
        out += e.Letter == u't' ? QStringLiteral("AP") : e.Text;
    }
    return out + QuotedForQt(literal);
}

QDateTime DayCountToDateTime(double DayCount)
{
    if (!std::isfinite(DayCount) || std::fabs(DayCount) > 3.0e6) return QDateTime();
    const double whole = std::trunc(DayCount);
    qint64 ms = std::llround(std::fabs(DayCount - whole) * double(kMsPerDay));
    qint64 days = qint64(whole);
    if (ms >= kMsPerDay) { // rounding reached the next day
        ms -= kMsPerDay;
        days += DayCount < 0 ? -1 : 1;
    }
    const QDate date = kDayZero.addDays(days);
    if (date.year() < 1 || date.year() > 9999) return QDateTime();
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)), QTimeZone::utc());
}

double DateTimeToDayCount(const QDateTime &DateTime)
{
    if (!DateTime.isValid()) return 0;
    const double days = double(kDayZero.daysTo(DateTime.date()));
    const double time = double(DateTime.time().msecsSinceStartOfDay()) / double(kMsPerDay);
    return days < 0 ? days - time : days + time;
}

} // namespace kro
