#include <krogui/minical/caldate.h>
#include <krogui/minical/holidays.h>

namespace kro {

namespace {

struct TFixedHoliday
{
    int Day, Month;
    const char *Names[4]; // English, German, French, Spanish
};

const TFixedHoliday kFixed[THolidayList::NumBuiltIn] = {
    {25, 12, {"Christmas Day", "Weihnachten", "No\u00ebl", "Navidad"}},
    {26, 12, {"Boxing Day", "Stephanitag", "Jour de boxe", "D\u00eda de San Esteban"}},
    {1, 1, {"New Year's Day", "Neujahrstag", "Nouvel An Jour", "D\u00eda de A\u00f1o Nuevo"}},
    {6, 1, {"Epiphany", "Hl. Drei K\u00f6nige", "\u00c9piphanie", "Epifan\u00eda"}},
    {15, 8, {"Assumption of Mary", "Maria Himmelfahrt", "Assomption", "Asunci\u00f3n"}},
    {1, 11, {"All Saints", "Allerheiligen", "La Toussaint", "D\u00eda de Todos los Santos"}},
    {8,
     12,
     {"Immaculate Conception", "Maria Empf\u00e4ngnis", "Immacul\u00e9e Conception",
      "Inmaculada Concepci\u00f3n"}},
    {1, 5, {"Labor Day", "Tag der Arbeit", "F\u00eate du Travail", "D\u00eda del Trabajo"}},
};

const char *const kMovable[NumMovableHolidays][4] = {
    {"Easter Day", "Ostersonntag", "Le jour de P\u00e2ques", "Domingo de Resurrecci\u00f3n"},
    {"Easter Monday", "Ostermontag", "Lundi de P\u00e2ques", "Lunes de Pascua"},
    {"Ascension Day", "Christi Himmelfahrt", "Ascension du Christ", "Ascensi\u00f3n de Cristo"},
    {"Pentecost", "Pfingstsonntag", "Dimanche de Pentec\u00f4te", "Domingo de Pentecost\u00e9s"},
    {"Whit Monday", "Pfingstmontag", "Lundi de Pentec\u00f4te", "Lunes de Pentecost\u00e9s"},
    {"Corpus Christi", "Fronleichnam", "Corpus Christi", "Corpus Cristi"},
};

int LanguageIndex(TLanguage L)
{
    return (L >= lgEnglish && L <= lgSpanish) ? int(L) - 1 : 0;
}

} // namespace

QString THolidayList::BuiltInCaption(TLanguage Language, int Index)
{
    if (Index < 0 || Index >= NumBuiltIn) return QString();
    return QString::fromUtf8(kFixed[Index].Names[LanguageIndex(Language)]);
}

int THolidayList::BuiltInDay(int Index)
{
    return (Index >= 0 && Index < NumBuiltIn) ? kFixed[Index].Day : 0;
}

int THolidayList::BuiltInMonth(int Index)
{
    return (Index >= 0 && Index < NumBuiltIn) ? kFixed[Index].Month : 0;
}

QString THolidayList::MovableCaption(TLanguage Language, int Index)
{
    if (Index < 0 || Index >= NumMovableHolidays) return QString();
    return QString::fromUtf8(kMovable[Index][LanguageIndex(Language)]);
}

THolidayList::THolidayList() = default;

void THolidayList::Clear()
{
    FHDayList.SetNRows(0);
    FHDayCaptions.clear();
    FBuiltIn.clear();
}

bool THolidayList::Add(int Day, int Month, int Year, const QString &Caption)
{
    if (Month < 1 || Month > 12 || Day < 1) return false;
    if (Year == RepeatHolidayYear) {
        if (Day > DaysPerMonth(2000, Month)) // a leap year: 29 February repeats in leap years
            return false;
    } else if (!IsValidCalDate(Year, Month, Day)) {
        return false;
    }
    Append(Day, Month, Year, Caption, false);
    return true;
}

void THolidayList::Append(int Day, int Month, int Year, const QString &Caption, bool BuiltIn)
{
    const int row = Count() + 1;
    FHDayList.SetNRows(row);
    FHDayList.SetVal(1, row, Day);
    FHDayList.SetVal(2, row, Month);
    FHDayList.SetVal(3, row, Year);
    FHDayCaptions.append(Caption);
    FBuiltIn.push_back(BuiltIn);
}

void THolidayList::SetBuiltIns(TLanguage Language)
{
    // Keep the application's entries, rebuild the list with the built-ins in front.
    struct TEntry
    {
        int Day, Month, Year;
        QString Caption;
    };
    std::vector<TEntry> kept;
    for (int i = 1; i <= Count(); ++i)
        if (!FBuiltIn[size_t(i - 1)])
            kept.push_back({FHDayList.GetVal(1, i), FHDayList.GetVal(2, i), FHDayList.GetVal(3, i),
                            FHDayCaptions[i - 1]});
    Clear();
    for (int i = 0; i < NumBuiltIn; ++i)
        Append(kFixed[i].Day, kFixed[i].Month, RepeatHolidayYear, BuiltInCaption(Language, i), true);
    for (const TEntry &e : kept)
        Append(e.Day, e.Month, e.Year, e.Caption, false);
}

bool THolidayList::Retrieve(int Index, int &Day, int &Month, int &Year, bool &IsRepeat,
                            QString &Caption) const
{
    if (Index < 1 || Index > Count()) return false;
    Day = FHDayList.GetVal(1, Index);
    Month = FHDayList.GetVal(2, Index);
    Year = FHDayList.GetVal(3, Index);
    IsRepeat = Year == RepeatHolidayYear;
    Caption = FHDayCaptions[Index - 1];
    return true;
}

bool THolidayList::Find(int Year, int Month, int Day, QString &Caption) const
{
    Caption.clear();
    for (int i = 1; i <= Count(); ++i) {
        if (FHDayList.GetVal(1, i) != Day || FHDayList.GetVal(2, i) != Month) continue;
        const int y = FHDayList.GetVal(3, i);
        if (y == RepeatHolidayYear || y == Year) {
            Caption = FHDayCaptions[i - 1];
            return true;
        }
    }
    return false;
}

} // namespace kro
