#pragma once
// Private state of TMiniCal and its accessibility glue (not installed).

#include <krogui/minical/holidays.h>
#include <krogui/minical/minical.h>

#include <array>

namespace kro {

struct TMiniCalPrivate
{
    bool FAutoSwitch = true;
    TColor FColorActMon = clBlack;
    TColor FColorInactMon = 0xC0C0C0;
    TColor FColorWknBg = 0xC0C0C0;
    TColor FColorWknFg = clBlack;
    TColor FColorDayIdBg = 0xC0C0C0;
    TColor FColorDayIdFg = clBlack;
    TColor FColorSelBg = 0xD0A040;
    TColor FColorSelFg = 0xFFFFFF;
    TColor FColorHdayBg = 0x9BD8F1;
    TColor FColorHdayFg = 0x0000C0;
    TColor FColorToday = 0x0000FF;
    bool FShowHDayHint = true;
    bool FIndicateHolid = true;
    bool FShowMovHdays = true;
    THolidayList FHDays; // holds FHDayList and FHDayCaptions
    QDate FDate;
    std::array<TColor, 7> FDayColors{0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xF8F8F8, 0xBBDDEE, 0xCCEEFF};
    TLanguage FLanguage = lgEnglish;
    bool FMarkToday = true;
    int FMonOfs = 0;
    bool FMonthShort = true;
    TNotifyEvent FOnChange;
    bool FUpdating = false;
    TDayOfWeek F1stDayWeek = dwMon;
};

/// Registers the accessibility interfaces of the calendar with Qt (once per process).
void InstallMiniCalAccessibility();
/// Tells assistive technology that the calendar's selected day changed.
void NotifyMiniCalFocus(TMiniCal *Cal, int Col, int Row);

} // namespace kro
