#include <krogui/core/strutil.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cmath>

namespace kro {

QString strff(double Value, int Width, int Decimals)
{
    Decimals = std::clamp(Decimals, 0, 30);
    QString s;
    if (std::isnan(Value))
        s = QStringLiteral("NAN");
    else if (std::isinf(Value))
        s = Value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    else
        s = QString::number(Value, 'f', Decimals);
    if (s.startsWith(QLatin1Char('-')) && s.count(QLatin1Char('0')) + s.count(QLatin1Char('.')) == s.size() - 1)
        s.remove(0, 1); // no "-0.00"
    return s.rightJustified(std::max(0, Width), QLatin1Char(' '));
}

QString LeftString(const QString &Text, int Count)
{
    Count = std::max(0, Count);
    if (Text.size() >= Count)
        return Text.left(Count);
    return Text.leftJustified(Count, QLatin1Char(' '));
}

int Tokenize(const QString &Text, QChar Delimiter, TOpenStringArray &Tokens)
{
    Tokens = Text.split(Delimiter, Qt::KeepEmptyParts);
    return int(Tokens.size());
}

int NumberedPos(const QString &Sub, const QString &Text, int Start, int N, bool IgnoreCase)
{
    if (Sub.isEmpty() || N < 1)
        return 0;
    int from = std::max(1, Start) - 1;
    const Qt::CaseSensitivity cs = IgnoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    int found = -1;
    for (int k = 0; k < N; ++k) {
        found = int(Text.indexOf(Sub, from, cs));
        if (found < 0)
            return 0;
        from = found + 1;
    }
    return found + 1;
}

QString ReplaceCharInString(const QString &Text, QChar OldChar, QChar NewChar)
{
    QString s = Text;
    s.replace(OldChar, NewChar);
    return s;
}

QString StripLeadingChars(const QString &Text, QChar C)
{
    qsizetype i = 0;
    while (i < Text.size() && Text[i] == C)
        ++i;
    return Text.mid(i);
}

QString StripTrailingChars(const QString &Text, QChar C)
{
    qsizetype n = Text.size();
    while (n > 0 && Text[n - 1] == C)
        --n;
    return Text.left(n);
}

QString RemoveControlChars(const QString &Text)
{
    QString s;
    s.reserve(Text.size());
    for (QChar c : Text) {
        const ushort u = c.unicode();
        if (u < 32 || (u >= 127 && u < 160))
            continue;
        s += c;
    }
    return s;
}

QString EnsureTrailingChar(const QString &Text, QChar C)
{
    return Text.endsWith(C) ? Text : Text + C;
}

QString EnsureTrailingBkSlash(const QString &Text) { return EnsureTrailingChar(Text, QDir::separator()); }

QString ReadLnStream(QIODevice *Stream, bool &EndOfStream, int MaxLength)
{
    EndOfStream = true;
    if (!Stream || !Stream->isReadable())
        return QString();
    QByteArray line;
    char c = 0;
    bool gotAny = false;
    while (Stream->getChar(&c)) {
        gotAny = true;
        if (c == '\n')
            break;
        if (c == '\r') {
            char next = 0;
            if (Stream->peek(&next, 1) == 1 && next == '\n')
                Stream->getChar(&next);
            break;
        }
        if (MaxLength <= 0 || line.size() < MaxLength)
            line.append(c);
    }
    Q_UNUSED(gotAny);
    EndOfStream = Stream->atEnd();
    return QString::fromUtf8(line);
}

bool DirExists(const QString &Path) { return !Path.isEmpty() && QFileInfo(Path).isDir(); }

QString ParentDir(const QString &Path)
{
    QString p = QDir::cleanPath(QDir::fromNativeSeparators(Path));
    if (p.isEmpty() || QDir(p).isRoot() || p == QLatin1String("."))
        return QString();
    const qsizetype slash = p.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return QString();
    const QString parent = p.left(slash + 1);
    return QDir::toNativeSeparators(EnsureTrailingChar(parent, QLatin1Char('/')));
}

QString InventPassword(int Length)
{
    static const char kChars[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    constexpr int n = int(sizeof(kChars)) - 1;
    QString s;
    Length = std::max(0, Length);
    s.reserve(Length);
    QRandomGenerator *rng = QRandomGenerator::system(); // the operating system's secure source
    for (int i = 0; i < Length; ++i)
        s += QLatin1Char(kChars[rng->bounded(n)]);
    return s;
}

bool IsValidDecInt(const QString &Text)
{
    if (Text.isEmpty())
        return false;
    bool ok = false;
    Text.toInt(&ok, 10);
    if (!ok)
        return false;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text[i];
        if (c.isDigit() && c.unicode() < 128)
            continue;
        if (i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+')) && Text.size() > 1)
            continue;
        return false;
    }
    return true;
}

namespace {
const char *const kMonthLong[4][12] = {
    {"January", "February", "March", "April", "May", "June", "July", "August", "September", "October",
     "November", "December"},
    {"Januar", "Februar", "M\u00e4rz", "April", "Mai", "Juni", "Juli", "August", "September", "Oktober",
     "November", "Dezember"},
    {"janvier", "f\u00e9vrier", "mars", "avril", "mai", "juin", "juillet", "ao\u00fbt", "septembre", "octobre",
     "novembre", "d\u00e9cembre"},
    {"enero", "febrero", "marzo", "abril", "mayo", "junio", "julio", "agosto", "septiembre", "octubre",
     "noviembre", "diciembre"}};
const char *const kMonthShort[4][12] = {
    {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"},
    {"Jan", "Feb", "M\u00e4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"},
    {"janv", "f\u00e9vr", "mars", "avr", "mai", "juin", "juil", "ao\u00fbt", "sept", "oct", "nov", "d\u00e9c"},
    {"ene", "feb", "mar", "abr", "may", "jun", "jul", "ago", "sep", "oct", "nov", "dic"}};
const char *const kWeekDayShort[4][7] = {{"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su"},
                                         {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"},
                                         {"lu", "ma", "me", "je", "ve", "sa", "di"},
                                         {"lu", "ma", "mi", "ju", "vi", "s\u00e1", "do"}};
int LangIndex(TLanguage L) { return (L >= lgEnglish && L <= lgSpanish) ? int(L) - 1 : 0; }
} // namespace

QString MonthLong(TLanguage Language, int Month)
{
    if (Month < 1 || Month > 12)
        return QString();
    return QString::fromUtf8(kMonthLong[LangIndex(Language)][Month - 1]);
}

QString MonthShort(TLanguage Language, int Month)
{
    if (Month < 1 || Month > 12)
        return QString();
    return QString::fromUtf8(kMonthShort[LangIndex(Language)][Month - 1]);
}

QString WeekDayShort(TLanguage Language, int Day)
{
    if (Day < 0 || Day > 6)
        return QString();
    return QString::fromUtf8(kWeekDayShort[LangIndex(Language)][Day]);
}

void MessageBeep() { QApplication::beep(); }

} // namespace kro
