#pragma once
// String, stream, file and number utilities shared by the controls.

#include <krogui/core/types.h>

#include <QString>
#include <QStringList>

class QIODevice;

namespace kro {

/// Value in fixed-point notation with Decimals places (negative: 0), right-aligned in at least
/// Width characters.
KROGUI_EXPORT QString strff(double Value, int Width, int Decimals);
/// Text padded with blanks or cut to exactly Count characters (Count < 0 counts as 0).
KROGUI_EXPORT QString LeftString(const QString &Text, int Count);
/// Splits Text at every Delimiter into Tokens and returns their count; the empty part after a
/// final delimiter counts (so "a;b;" gives 3). An empty Text gives one empty token.
KROGUI_EXPORT int Tokenize(const QString &Text, QChar Delimiter, TOpenStringArray &Tokens);
/// 1-based position of the N-th occurrence of Sub in Text, searching from position Start
/// (1-based); 0 when there is none. With IgnoreCase the comparison ignores case.
KROGUI_EXPORT int NumberedPos(const QString &Sub, const QString &Text, int Start, int N, bool IgnoreCase);
/// Every OldChar replaced by NewChar.
KROGUI_EXPORT QString ReplaceCharInString(const QString &Text, QChar OldChar, QChar NewChar);
/// Text without leading (trailing) characters C.
KROGUI_EXPORT QString StripLeadingChars(const QString &Text, QChar C);
KROGUI_EXPORT QString StripTrailingChars(const QString &Text, QChar C);
/// Text without control characters (below 32 and 127..159).
KROGUI_EXPORT QString RemoveControlChars(const QString &Text);
/// Text with C appended unless it already ends with C (an empty text gets C).
KROGUI_EXPORT QString EnsureTrailingChar(const QString &Text, QChar C);
/// Text ending with the platform's directory separator ('/' here).
KROGUI_EXPORT QString EnsureTrailingBkSlash(const QString &Text);

/// Reads the next line of Stream (LF, CR LF or CR ends a line; the end is not returned).
/// EndOfStream becomes true when nothing is left after this line. MaxLength limits the line
/// length in bytes (0: unlimited); longer lines are cut and the rest of the line is skipped.
/// Lines are decoded as UTF-8.
KROGUI_EXPORT QString ReadLnStream(QIODevice *Stream, bool &EndOfStream, int MaxLength = 0);

/// True when Path names an existing directory.
KROGUI_EXPORT bool DirExists(const QString &Path);
/// The parent directory of Path, with a trailing separator; empty when there is none.
KROGUI_EXPORT QString ParentDir(const QString &Path);
/// A random password of Length characters (letters and digits) from a cryptographically secure
/// source.
KROGUI_EXPORT QString InventPassword(int Length);

/// True for an optional sign followed by decimal digits that fit in 32 bits.
KROGUI_EXPORT bool IsValidDecInt(const QString &Text);

/// Month names (Month 1..12) and weekday abbreviations (Day 0 = Monday .. 6) in the four
/// languages; lgNone gives English. Out-of-range indices give an empty text.
KROGUI_EXPORT QString MonthLong(TLanguage Language, int Month);
KROGUI_EXPORT QString MonthShort(TLanguage Language, int Month);
KROGUI_EXPORT QString WeekDayShort(TLanguage Language, int Day);

/// Beeps (the framework's MessageBeep).
KROGUI_EXPORT void MessageBeep();

} // namespace kro
