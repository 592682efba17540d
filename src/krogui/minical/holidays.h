#pragma once
// The holiday list of the month calendar, free of widgets: the eight fixed holidays built in per
// language, holidays added by the application for one year or for every year, and the names of
// the movable feasts that hang on Easter.

#include <krogui/core/types.h>
#include <krogui/data/intmatrix.h>

#include <QString>
#include <QStringList>

#include <vector>

namespace kro {

/// The year of an entry that repeats every year.
constexpr int RepeatHolidayYear = -99999;

class KROGUI_EXPORT THolidayList
{
public:
    static constexpr int NumBuiltIn = 8;

    /// Name of built-in holiday Index (0..7) in Language; languages other than German, French and
    /// Spanish get the English names. Empty for an index outside.
    static QString BuiltInCaption(TLanguage Language, int Index);
    /// Day and month of built-in holiday Index (0..7); 0 outside.
    static int BuiltInDay(int Index);
    static int BuiltInMonth(int Index);
    /// Name of movable feast Index (see MovableHolidayIndex) in Language, English as for
    /// BuiltInCaption.
    static QString MovableCaption(TLanguage Language, int Index);

    /// An empty list.
    THolidayList();

    /// Number of entries.
    int Count() const { return FHDayList.NrOfRows(); }
    /// Removes every entry, the built-in ones too.
    void Clear();
    /// Adds an entry for Year (RepeatHolidayYear: every year). A date that can never occur (month
    /// outside 1..12, day outside the month, year outside the calendar) is refused: false.
    bool Add(int Day, int Month, int Year, const QString &Caption);
    /// Puts the eight built-in holidays, named in Language, at the head of the list as repeating
    /// entries, replacing the built-in entries held so far; the application's entries stay, in
    /// their order, after them.
    void SetBuiltIns(TLanguage Language);
    /// Entry Index (1-based); false and nothing changed outside 1..Count().
    bool Retrieve(int Index, int &Day, int &Month, int &Year, bool &IsRepeat, QString &Caption) const;
    /// The first entry for the date (a one-year entry of that year or a repeating one): true and
    /// its name, else false and an empty Caption.
    bool Find(int Year, int Month, int Day, QString &Caption) const;

private:
    void Append(int Day, int Month, int Year, const QString &Caption, bool BuiltIn);

    TIntMatrix FHDayList{3, 0}; // (day, month, year) per row
    QStringList FHDayCaptions;  // entry i - 1 names row i
    std::vector<bool> FBuiltIn; // entry i - 1 came from SetBuiltIns
};

} // namespace kro
