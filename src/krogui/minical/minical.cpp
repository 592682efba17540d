#include <krogui/minical/minical.h>

#include "minical_p.h"

#include <krogui/core/keys.h>
#include <krogui/core/strutil.h>
#include <krogui/graphics/canvas.h>
#include <krogui/graphics/colors.h>

#include <QFontMetrics>
#include <QLocale>

#include <algorithm>

namespace kro {

namespace {

QLocale LocaleOf(TLanguage Language)
{
    switch (Language) {
    case lgGerman:
        return QLocale(QLocale::German, QLocale::Germany);
    case lgFrench:
        return QLocale(QLocale::French, QLocale::France);
    case lgSpanish:
        return QLocale(QLocale::Spanish, QLocale::Spain);
    default:
        return QLocale(QLocale::English, QLocale::UnitedStates);
    }
}

QString HolidayWord(TLanguage Language)
{
    switch (Language) {
    case lgGerman:
        return QStringLiteral("Feiertag");
    case lgFrench:
        return QStringLiteral("jour f\u00e9ri\u00e9");
    case lgSpanish:
        return QStringLiteral("festivo");
    default:
        return QStringLiteral("holiday");
    }
}

} // namespace

TMiniCal::TMiniCal(QWidget *Parent) : TCustomDrawGrid(Parent), d(std::make_unique<TMiniCalPrivate>())
{
    InstallMiniCalAccessibility();
    SetDefaultDrawing(false);
    SetColCount(8);
    SetRowCount(8);
    SetFixedCols(1);
    SetFixedRows(2);
    SetCtl3D(true);
    SetGridLineWidth(1);
    SetScrollBars(ssNone);
    SetBorderStyle(bsSingle);
    SetOptions((Options() & ~TGridOptions(goRangeSelect)) | goDrawFocusSelected);
    d->FDate = QDate::currentDate();
    SetShowHint(true);
    d->FHDays.SetBuiltIns(d->FLanguage);
    setAccessibleName(QStringLiteral("Calendar"));
    SetDesignSize(300, 180);
    Resize();
    UpdateCal();
}

TMiniCal::~TMiniCal() = default;

// ---- properties ------------------------------------------------------------------------------

bool TMiniCal::AutoSwitch() const
{
    return d->FAutoSwitch;
}
void TMiniCal::SetAutoSwitch(bool Value)
{
    d->FAutoSwitch = Value;
}

bool TMiniCal::StoreColor(TColor &Field, TColor Value)
{
    if (Field == Value) return false;
    Field = Value;
    Repaint();
    return true;
}

TColor TMiniCal::ColorActiveMonth() const
{
    return d->FColorActMon;
}
void TMiniCal::SetColorActiveMonth(TColor Value)
{
    StoreColor(d->FColorActMon, Value);
}
TColor TMiniCal::ColorInactiveMonth() const
{
    return d->FColorInactMon;
}
void TMiniCal::SetColorInactiveMonth(TColor Value)
{
    StoreColor(d->FColorInactMon, Value);
}
TColor TMiniCal::ColorWeekNoBg() const
{
    return d->FColorWknBg;
}
void TMiniCal::SetColorWeekNoBg(TColor Value)
{
    StoreColor(d->FColorWknBg, Value);
}
TColor TMiniCal::ColorWeekNoFg() const
{
    return d->FColorWknFg;
}
void TMiniCal::SetColorWeekNoFg(TColor Value)
{
    StoreColor(d->FColorWknFg, Value);
}
TColor TMiniCal::ColorDayIdBg() const
{
    return d->FColorDayIdBg;
}
void TMiniCal::SetColorDayIdBg(TColor Value)
{
    StoreColor(d->FColorDayIdBg, Value);
}
TColor TMiniCal::ColorDayIdFg() const
{
    return d->FColorDayIdFg;
}
void TMiniCal::SetColorDayIdFg(TColor Value)
{
    StoreColor(d->FColorDayIdFg, Value);
}
TColor TMiniCal::ColorSelectedBg() const
{
    return d->FColorSelBg;
}
void TMiniCal::SetColorSelectedBg(TColor Value)
{
    StoreColor(d->FColorSelBg, Value);
}
TColor TMiniCal::ColorSelectedFg() const
{
    return d->FColorSelFg;
}
void TMiniCal::SetColorSelectedFg(TColor Value)
{
    StoreColor(d->FColorSelFg, Value);
}
TColor TMiniCal::ColorHolidayBg() const
{
    return d->FColorHdayBg;
}
void TMiniCal::SetColorHolidayBg(TColor Value)
{
    StoreColor(d->FColorHdayBg, Value);
}
TColor TMiniCal::ColorHolidayFg() const
{
    return d->FColorHdayFg;
}
void TMiniCal::SetColorHolidayFg(TColor Value)
{
    StoreColor(d->FColorHdayFg, Value);
}
TColor TMiniCal::ColorToday() const
{
    return d->FColorToday;
}
void TMiniCal::SetColorToday(TColor Value)
{
    StoreColor(d->FColorToday, Value);
}

int TMiniCal::Day() const
{
    return d->FDate.day();
}
int TMiniCal::Month() const
{
    return d->FDate.month();
}
int TMiniCal::Year() const
{
    return d->FDate.year();
}
QDate TMiniCal::Date() const
{
    return d->FDate;
}

void TMiniCal::SetDay(int Value)
{
    if (Value == Day() || Value < 1 || Value > DaysPerMonth(Year(), Month()))
        return; // a day the month does not have is refused
    ChangeDate(QDate(Year(), Month(), Value));
}

void TMiniCal::SetMonth(int Value)
{
    if (Value == Month() || Value < 1 || Value > 12) return;
    ChangeDate(ClampedDate(Year(), Value, Day()));
}

void TMiniCal::SetYear(int Value)
{
    if (Value == Year() || Value < MinCalYear || Value > MaxCalYear) return;
    ChangeDate(ClampedDate(Value, Month(), Day()));
}

void TMiniCal::SetDate(const QDate &Value)
{
    if (Value == d->FDate || !Value.isValid() || Value.year() < MinCalYear || Value.year() > MaxCalYear)
        return;
    ChangeDate(Value);
}

void TMiniCal::ChangeDate(const QDate &Value)
{
    const QDate old = d->FDate;
    d->FDate = Value;
    UpdateCal();
    FireChange();
    if (d->FDate == old) return; // a click on the selected day changes nothing
    Q_EMIT DateChanged(d->FDate);
    if (d->FDate.day() != old.day()) Q_EMIT DayChanged(d->FDate.day());
    if (d->FDate.month() != old.month()) Q_EMIT MonthChanged(d->FDate.month());
    if (d->FDate.year() != old.year()) Q_EMIT YearChanged(d->FDate.year());
}

void TMiniCal::FireChange()
{
    if (d->FOnChange) d->FOnChange(this);
    Q_EMIT onChange(this);
}

TDayOfWeek TMiniCal::FirstDayOfWeek() const
{
    return d->F1stDayWeek;
}

void TMiniCal::SetFirstDayOfWeek(TDayOfWeek Value)
{
    if (Value == d->F1stDayWeek || Value < dwMon || Value > dwSun) return;
    d->F1stDayWeek = Value;
    UpdateCal();
    FireChange();
}

bool TMiniCal::IndicateHolidays() const
{
    return d->FIndicateHolid;
}

void TMiniCal::SetIndicateHolidays(bool Value)
{
    if (Value == d->FIndicateHolid) return;
    d->FIndicateHolid = Value;
    UpdateCal();
    Repaint();
}

TLanguage TMiniCal::Language() const
{
    return d->FLanguage;
}

void TMiniCal::SetLanguage(TLanguage Value)
{
    if (Value == d->FLanguage || Value < lgNone || Value > lgSpanish) return;
    d->FLanguage = Value;
    d->FHDays.SetBuiltIns(Value); // the application's holidays stay
    UpdateCal();
}

bool TMiniCal::MarkToday() const
{
    return d->FMarkToday;
}

void TMiniCal::SetMarkToday(bool Value)
{
    if (Value == d->FMarkToday) return;
    d->FMarkToday = Value;
    Repaint();
}

bool TMiniCal::ShowHolidayHint() const
{
    return d->FShowHDayHint;
}

void TMiniCal::SetShowHolidayHint(bool Value)
{
    if (Value == d->FShowHDayHint) return;
    d->FShowHDayHint = Value;
    SetHint(QString());
    if (Value) SetShowHint(true);
    UpdateCal();
    Repaint();
}

bool TMiniCal::ShowMonthShort() const
{
    return d->FMonthShort;
}

void TMiniCal::SetShowMonthShort(bool Value)
{
    if (Value == d->FMonthShort) return;
    d->FMonthShort = Value;
    Repaint();
}

bool TMiniCal::ShowMovableHolidays() const
{
    return d->FShowMovHdays;
}

void TMiniCal::SetShowMovableHolidays(bool Value)
{
    if (Value == d->FShowMovHdays) return;
    d->FShowMovHdays = Value;
    UpdateCal();
    Repaint();
}

// ---- methods ---------------------------------------------------------------------------------

TColor TMiniCal::GetDayColors(TDayOfWeek Day) const
{
    return (Day >= dwMon && Day <= dwSun) ? d->FDayColors[size_t(Day)] : TColor(clBlack);
}

void TMiniCal::SetDayColors(TDayOfWeek Day, TColor Color)
{
    if (Day < dwMon || Day > dwSun) return;
    d->FDayColors[size_t(Day)] = Color;
    UpdateCal();
    FireChange();
}

void TMiniCal::PrevMonth()
{
    const QDate to = StepMonth(d->FDate, -1);
    if (to != d->FDate) SetDate(to);
}

void TMiniCal::NextMonth()
{
    const QDate to = StepMonth(d->FDate, 1);
    if (to != d->FDate) SetDate(to);
}

void TMiniCal::PrevYear()
{
    const QDate to = StepYear(d->FDate, -1);
    if (to != d->FDate) SetDate(to);
}

void TMiniCal::NextYear()
{
    const QDate to = StepYear(d->FDate, 1);
    if (to != d->FDate) SetDate(to);
}

void TMiniCal::LastDayOfMonth()
{
    SetDate(QDate(Year(), Month(), DaysPerMonth(Year(), Month())));
}

bool TMiniCal::CheckHoliday(int Year, int Month, int Day, QString &Caption) const
{
    if (d->FHDays.Find(Year, Month, Day, Caption)) return true;
    if (d->FShowMovHdays) {
        const int i = MovableHolidayIndex(Year, Month, Day);
        if (i >= 0) {
            Caption = THolidayList::MovableCaption(d->FLanguage, i);
            return true;
        }
    }
    return false;
}

void TMiniCal::ClearHolidayList()
{
    d->FHDays.Clear();
    UpdateCal();
    Repaint();
}

bool TMiniCal::AddHoliday(int Day, int Month, int Year, const QString &Caption)
{
    if (!d->FHDays.Add(Day, Month, Year, Caption)) return false;
    UpdateCal();
    Repaint();
    return true;
}

bool TMiniCal::AddRepeatHoliday(int Day, int Month, const QString &Caption)
{
    return AddHoliday(Day, Month, RepeatHolidayYear, Caption);
}

int TMiniCal::GetNumHolidays() const
{
    return d->FHDays.Count();
}

bool TMiniCal::RetrieveHoliday(int HDIndex, int &Day, int &Month, int &Year, bool &IsRepeatHDay,
                               QString &Description) const
{
    return d->FHDays.Retrieve(HDIndex, Day, Month, Year, IsRepeatHDay, Description);
}

QDate TMiniCal::DateAtCell(int Col, int Row) const
{
    if (Col < 1 || Col > 7 || Row < CalFirstWeekRow || Row > CalLastWeekRow) return QDate();
    const QDate first(Year(), Month(), 1);
    const QDate at = first.addDays(DayAtCell(Col, Row, d->FMonOfs) - 1);
    return (at.year() >= MinCalYear && at.year() <= MaxCalYear) ? at : QDate();
}

QString TMiniCal::DayCellText(int Col, int Row) const
{
    const QDate at = DateAtCell(Col, Row);
    if (!at.isValid()) return QString();
    QString text = LocaleOf(d->FLanguage).toString(at, QLocale::LongFormat);
    QString caption;
    if (CheckHoliday(at.year(), at.month(), at.day(), caption))
        text += caption.isEmpty() ? QStringLiteral(", %1").arg(HolidayWord(d->FLanguage))
                                  : QStringLiteral(", %1: %2").arg(HolidayWord(d->FLanguage), caption);
    return text;
}

void TMiniCal::SetOnChange(TNotifyEvent H)
{
    d->FOnChange = std::move(H);
}
const TNotifyEvent &TMiniCal::OnChange() const
{
    return d->FOnChange;
}

// ---- layout ----------------------------------------------------------------------------------

void TMiniCal::UpdateCal()
{
    d->FUpdating = true;
    d->FMonOfs = MonthOffset(Year(), Month(), d->F1stDayWeek);
    int col = 0, row = 0;
    if (CellOfDay(Day(), d->FMonOfs, col, row)) MoveColRow(col, row, false, false);
    if (d->FShowHDayHint) {
        QString caption;
        const bool holiday = d->FIndicateHolid && CheckHoliday(Year(), Month(), Day(), caption);
        SetHint(holiday ? caption : QString());
    }
    UpdateAccessibleText();
    InvalidateGrid();
    d->FUpdating = false;
    NotifyMiniCalFocus(this, col, row);
}

void TMiniCal::UpdateAccessibleText()
{
    const QString text = DayCellText(Col(), Row());
    if (accessibleDescription() != text) setAccessibleDescription(text);
}

QSize TMiniCal::minimumSizeHint() const
{
    const QFontMetrics fm(Font()->ToQFont());
    const int frame = 2 * frameWidth();
    return QSize(8 * (fm.horizontalAdvance(QStringLiteral("88")) + 4 + GridLineWidth()) + frame,
                 8 * (fm.height() + 2 + GridLineWidth()) + frame);
}

void TMiniCal::Resize()
{
    // Seven equal day columns and rows; the week-number column and the navigation row take the rest.
    const int glw = GridLineWidth();
    const int cw = ClientWidth(), ch = ClientHeight();
    const int dcw = std::max(0, (cw - 7 * glw) / 8);
    const int drh = std::max(0, (ch - 7 * glw) / 8);
    SetDefaultColWidth(dcw);
    SetDefaultRowHeight(drh);
    SetColWidths(0, std::max(0, cw - 7 * dcw - 8 * glw));
    SetRowHeights(0, std::max(0, ch - 7 * drh - 8 * glw));
}

} // namespace kro
