// The holiday list: built-in holidays per language, one-year and repeating entries, refusals.
#include <krogui/minical/caldate.h>
#include <krogui/minical/holidays.h>

#include "testutil.h"

#include <gtest/gtest.h>

using namespace kro;

TEST(HolidayList, BuiltInHolidaysOfEachLanguage)
{
    struct Expect
    {
        int Day, Month;
        const char *Name[4];
    };
    // A sample per language, accented names included, in 2025.
    const Expect fixed[] = {
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
    const TLanguage langs[] = {lgEnglish, lgGerman, lgFrench, lgSpanish};
    THolidayList list;
    for (int l = 0; l < 4; ++l) {
        list.SetBuiltIns(langs[l]);
        ASSERT_EQ(list.Count(), THolidayList::NumBuiltIn);
        for (int i = 0; i < THolidayList::NumBuiltIn; ++i) {
            QString caption;
            ASSERT_TRUE(list.Find(2025, fixed[i].Month, fixed[i].Day, caption));
            EXPECT_EQ(caption, QString::fromUtf8(fixed[i].Name[l]));
            int d = 0, m = 0, y = 0;
            bool rep = false;
            ASSERT_TRUE(list.Retrieve(i + 1, d, m, y, rep, caption));
            EXPECT_EQ(d, fixed[i].Day);
            EXPECT_EQ(m, fixed[i].Month);
            EXPECT_EQ(y, RepeatHolidayYear);
            EXPECT_TRUE(rep);
        }
        QString caption = QStringLiteral("x");
        EXPECT_FALSE(list.Find(2025, 12, 24, caption));
        EXPECT_TRUE(caption.isEmpty());
    }
    // Languages without names of their own read English.
    EXPECT_EQ(THolidayList::BuiltInCaption(lgNone, 0), QStringLiteral("Christmas Day"));
    EXPECT_EQ(THolidayList::MovableCaption(lgGerman, 4), QStringLiteral("Pfingstmontag"));
    EXPECT_EQ(THolidayList::MovableCaption(lgFrench, 0), QString::fromUtf8("Le jour de P\u00e2ques"));
    EXPECT_EQ(THolidayList::MovableCaption(lgSpanish, 5), QStringLiteral("Corpus Cristi"));
    EXPECT_TRUE(THolidayList::MovableCaption(lgEnglish, NumMovableHolidays).isEmpty());
}

TEST(HolidayList, OneYearAndRepeatingEntries)
{
    THolidayList list;
    EXPECT_TRUE(list.Add(3, 10, 2024, QStringLiteral("Once")));
    EXPECT_TRUE(list.Add(3, 10, RepeatHolidayYear, QStringLiteral("Always")));
    EXPECT_TRUE(list.Add(29, 2, RepeatHolidayYear, QStringLiteral("Leap day")));
    QString caption;
    // The first matching entry decides.
    ASSERT_TRUE(list.Find(2024, 10, 3, caption));
    EXPECT_EQ(caption, QStringLiteral("Once"));
    ASSERT_TRUE(list.Find(2025, 10, 3, caption));
    EXPECT_EQ(caption, QStringLiteral("Always"));
    EXPECT_TRUE(list.Find(2028, 2, 29, caption));

    // Dates that never occur are refused and change nothing.
    EXPECT_FALSE(list.Add(30, 2, RepeatHolidayYear, QStringLiteral("x")));
    EXPECT_FALSE(list.Add(29, 2, 2023, QStringLiteral("x")));
    EXPECT_FALSE(list.Add(0, 5, 2023, QStringLiteral("x")));
    EXPECT_FALSE(list.Add(1, 13, 2023, QStringLiteral("x")));
    EXPECT_FALSE(list.Add(1, 1, 0, QStringLiteral("x")));
    EXPECT_FALSE(list.Add(1, 1, 10000, QStringLiteral("x")));
    EXPECT_EQ(list.Count(), 3);

    // Out-of-range retrieval leaves the arguments alone.
    int d = 7, m = 7, y = 7;
    bool rep = false;
    QString text = QStringLiteral("keep");
    EXPECT_FALSE(list.Retrieve(0, d, m, y, rep, text));
    EXPECT_FALSE(list.Retrieve(4, d, m, y, rep, text));
    EXPECT_EQ(d + m + y, 21);
    EXPECT_EQ(text, QStringLiteral("keep"));
    ASSERT_TRUE(list.Retrieve(1, d, m, y, rep, text));
    EXPECT_FALSE(rep);
    EXPECT_EQ(y, 2024);
}

TEST(HolidayList, RebuildingTheBuiltInsKeepsTheApplicationsEntries)
{
    THolidayList list;
    list.SetBuiltIns(lgEnglish);
    list.Add(3, 10, RepeatHolidayYear, QStringLiteral("Unity Day"));
    list.Add(14, 7, 2026, QStringLiteral("Bastille 2026"));
    list.SetBuiltIns(lgGerman);
    ASSERT_EQ(list.Count(), THolidayList::NumBuiltIn + 2);
    QString caption;
    ASSERT_TRUE(list.Find(2025, 12, 25, caption));
    EXPECT_EQ(caption, QStringLiteral("Weihnachten"));
    ASSERT_TRUE(list.Find(2030, 10, 3, caption));
    EXPECT_EQ(caption, QStringLiteral("Unity Day"));
    int d = 0, m = 0, y = 0;
    bool rep = true;
    ASSERT_TRUE(list.Retrieve(THolidayList::NumBuiltIn + 2, d, m, y, rep, caption));
    EXPECT_EQ(caption, QStringLiteral("Bastille 2026"));
    EXPECT_FALSE(rep);

    // Clearing removes the built-ins as well; setting them again brings only them back.
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.Find(2025, 12, 25, caption));
    list.Add(3, 10, RepeatHolidayYear, QStringLiteral("Unity Day"));
    list.SetBuiltIns(lgFrench);
    EXPECT_EQ(list.Count(), THolidayList::NumBuiltIn + 1);
}
