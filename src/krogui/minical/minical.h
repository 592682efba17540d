#pragma once
// TMiniCal: a small month calendar on the draw grid.
//
// 8 x 8 cells: row 0 navigates ("<<" year back, "<" month back, the month and year, ">" month
// forward, ">>" year forward), row 1 names the weekdays, rows 2..7 show six weeks of day numbers,
// column 0 the ISO week numbers. The top-left "#" selects today. The calendar holds one selected
// date, marks today with a circle and colours holidays: eight fixed ones built in per language,
// holidays the application adds (for one year or every year) and the movable feasts that hang on
// Easter. The selected day's holiday name becomes the control's hint.
//
// Keyboard: arrows move the selected day by a day or a week, Page Up / Page Down by a month
// (with Ctrl by a year), Home / End to the first / last day of the month. The wheel steps months.

#include <krogui/graphics/propertyfaces.h>
#include <krogui/grid/customgrid.h>
#include <krogui/minical/caldate.h>

#include <QDate>
#include <QString>

#include <memory>

namespace kro {

struct TMiniCalPrivate;

class KROGUI_EXPORT TMiniCal : public TCustomDrawGrid
{
    Q_OBJECT
    Q_PROPERTY(bool AutoSwitch READ AutoSwitch WRITE SetAutoSwitch)
    Q_PROPERTY(QColor ColorActiveMonth READ ColorActiveMonthStored WRITE SetColorActiveMonth)
    Q_PROPERTY(QColor ColorInactiveMonth READ ColorInactiveMonthStored WRITE SetColorInactiveMonth)
    Q_PROPERTY(QColor ColorWeekNoBg READ ColorWeekNoBgStored WRITE SetColorWeekNoBg)
    Q_PROPERTY(QColor ColorWeekNoFg READ ColorWeekNoFgStored WRITE SetColorWeekNoFg)
    Q_PROPERTY(QColor ColorDayIdBg READ ColorDayIdBgStored WRITE SetColorDayIdBg)
    Q_PROPERTY(QColor ColorDayIdFg READ ColorDayIdFgStored WRITE SetColorDayIdFg)
    Q_PROPERTY(QColor ColorSelectedBg READ ColorSelectedBgStored WRITE SetColorSelectedBg)
    Q_PROPERTY(QColor ColorSelectedFg READ ColorSelectedFgStored WRITE SetColorSelectedFg)
    Q_PROPERTY(QColor ColorHolidayBg READ ColorHolidayBgStored WRITE SetColorHolidayBg)
    Q_PROPERTY(QColor ColorHolidayFg READ ColorHolidayFgStored WRITE SetColorHolidayFg)
    Q_PROPERTY(QColor ColorToday READ ColorTodayStored WRITE SetColorToday)
    Q_PROPERTY(int Day READ Day WRITE SetDay NOTIFY DayChanged STORED false)
    Q_PROPERTY(int Month READ Month WRITE SetMonth NOTIFY MonthChanged STORED false)
    Q_PROPERTY(int Year READ Year WRITE SetYear NOTIFY YearChanged STORED false)
    Q_PROPERTY(QDate Date READ Date WRITE SetDate NOTIFY DateChanged STORED false USER true)
    Q_PROPERTY(kro::MiniCalEnums::TDayOfWeek FirstDayOfWeek READ FirstDayOfWeek WRITE SetFirstDayOfWeek)
    Q_PROPERTY(bool IndicateHolidays READ IndicateHolidays WRITE SetIndicateHolidays)
    Q_PROPERTY(kro::TLanguage Language READ Language WRITE SetLanguage)
    Q_PROPERTY(bool MarkToday READ MarkToday WRITE SetMarkToday)
    Q_PROPERTY(bool ShowHolidayHint READ ShowHolidayHint WRITE SetShowHolidayHint)
    Q_PROPERTY(bool ShowMonthShort READ ShowMonthShort WRITE SetShowMonthShort)
    Q_PROPERTY(bool ShowMovableHolidays READ ShowMovableHolidays WRITE SetShowMovableHolidays)

public:
    /// Today selected, English, weeks from Monday, all marks on, the eight built-in holidays;
    /// 300 x 180 pixels.
    explicit TMiniCal(QWidget *Parent = nullptr);
    ~TMiniCal() override;

    // ---- properties ----------------------------------------------------------------------------
    /// A click on a greyed day of the previous or next month switches to that month (true).
    bool AutoSwitch() const;
    void SetAutoSwitch(bool Value);
    /// Day numbers of the shown month (black) and of its neighbours (silver).
    TColor ColorActiveMonth() const;
    void SetColorActiveMonth(TColor Value);
    KRO_COLOR_FACE(ColorActiveMonth)
    TColor ColorInactiveMonth() const;
    void SetColorInactiveMonth(TColor Value);
    KRO_COLOR_FACE(ColorInactiveMonth)
    /// Week-number column background (silver) and text (black).
    TColor ColorWeekNoBg() const;
    void SetColorWeekNoBg(TColor Value);
    KRO_COLOR_FACE(ColorWeekNoBg)
    TColor ColorWeekNoFg() const;
    void SetColorWeekNoFg(TColor Value);
    KRO_COLOR_FACE(ColorWeekNoFg)
    /// Weekday row background (silver) and text (black).
    TColor ColorDayIdBg() const;
    void SetColorDayIdBg(TColor Value);
    KRO_COLOR_FACE(ColorDayIdBg)
    TColor ColorDayIdFg() const;
    void SetColorDayIdFg(TColor Value);
    KRO_COLOR_FACE(ColorDayIdFg)
    /// Selected day background (0xD0A040) and text (white).
    TColor ColorSelectedBg() const;
    void SetColorSelectedBg(TColor Value);
    KRO_COLOR_FACE(ColorSelectedBg)
    TColor ColorSelectedFg() const;
    void SetColorSelectedFg(TColor Value);
    KRO_COLOR_FACE(ColorSelectedFg)
    /// Holiday background (0x9BD8F1) and text (0x0000C0).
    TColor ColorHolidayBg() const;
    void SetColorHolidayBg(TColor Value);
    KRO_COLOR_FACE(ColorHolidayBg)
    TColor ColorHolidayFg() const;
    void SetColorHolidayFg(TColor Value);
    KRO_COLOR_FACE(ColorHolidayFg)
    /// The circle around today (red).
    TColor ColorToday() const;
    void SetColorToday(TColor Value);
    KRO_COLOR_FACE(ColorToday)

    /// Parts of the selected date. A value that makes no date (day outside the month, month
    /// outside 1..12, year outside 1..9999) is refused and the date stays. Changing the month or
    /// the year keeps the day where the new month has it, else takes the month's last day
    /// (31 January -> February gives the 28th or 29th). A change fires OnChange.
    int Day() const;
    void SetDay(int Value);
    int Month() const;
    void SetMonth(int Value);
    int Year() const;
    void SetYear(int Value);
    /// The selected date.
    QDate Date() const;
    /// Selects Value (an invalid date is refused), shows its month and fires OnChange.
    void SetDate(const QDate &Value);

    /// The weekday of the first column (dwMon). A change fires OnChange.
    TDayOfWeek FirstDayOfWeek() const;
    void SetFirstDayOfWeek(TDayOfWeek Value);
    /// Holidays are coloured (true).
    bool IndicateHolidays() const;
    void SetIndicateHolidays(bool Value);
    /// Language of month, weekday and holiday names (English). The built-in holidays are named
    /// anew; holidays the application added stay. Values outside the enumeration are refused.
    TLanguage Language() const;
    void SetLanguage(TLanguage Value);
    /// Today is circled (true).
    bool MarkToday() const;
    void SetMarkToday(bool Value);
    /// The hint shows the selected day's holiday name (true).
    bool ShowHolidayHint() const;
    void SetShowHolidayHint(bool Value);
    /// The title uses the short month name (true).
    bool ShowMonthShort() const;
    void SetShowMonthShort(bool Value);
    /// The feasts that hang on Easter count as holidays (true).
    bool ShowMovableHolidays() const;
    void SetShowMovableHolidays(bool Value);

    // ---- methods ---------------------------------------------------------------------------
    /// Background of the day cells of a weekday (weekdays 0xF8F8F8, Saturday 0xBBDDEE, Sunday
    /// 0xCCEEFF). The setter fires OnChange.
    TColor GetDayColors(TDayOfWeek Day) const;
    void SetDayColors(TDayOfWeek Day, TColor Color);
    /// The same as a QColor (the stored form of special colours is understood) and from a Qt
    /// colour name (so that Qt::red is not taken for the number 7).
    void SetDayColors(TDayOfWeek Day, const QColor &Color) { SetDayColors(Day, FromStoredColor(Color)); }
    void SetDayColors(TDayOfWeek Day, Qt::GlobalColor Color) { SetDayColors(Day, QColor(Color)); }
    /// GetDayColors as an opaque QColor (system colours resolved through the palette).
    QColor GetDayColorsQColor(TDayOfWeek Day) const { return ToQColor(GetDayColors(Day)); }
    /// One month back / forward, keeping the day where the month has it (else its last day).
    void PrevMonth();
    void NextMonth();
    /// One year back / forward; 29 February becomes the 28th in a year that is not a leap year.
    void PrevYear();
    void NextYear();
    /// Selects the last day of the shown month.
    void LastDayOfMonth();
    /// Whether the date is a holiday, with its name in Caption (empty when not).
    bool CheckHoliday(int Year, int Month, int Day, QString &Caption) const;
    /// Removes every holiday, the built-in ones too.
    void ClearHolidayList();
    /// Adds a holiday for one year; false (nothing added) for a date that does not exist.
    bool AddHoliday(int Day, int Month, int Year, const QString &Caption);
    /// Adds a holiday for every year; false for a day the month never has.
    bool AddRepeatHoliday(int Day, int Month, const QString &Caption);
    /// Number of holiday entries.
    int GetNumHolidays() const;
    /// Entry HDIndex (1-based); false and nothing changed outside 1..GetNumHolidays(). Year is
    /// RepeatHolidayYear (-99999) for an entry that repeats every year.
    bool RetrieveHoliday(int HDIndex, int &Day, int &Month, int &Year, bool &IsRepeatHDay,
                         QString &Description) const;
    /// Text a screen reader gives for the day shown at a day cell (Col 1..7, Row 2..7): the full
    /// date in the calendar's language, and the holiday's name when it is one.
    QString DayCellText(int Col, int Row) const;
    /// The date shown at a day cell (Col 1..7, Row 2..7), invalid outside the calendar's years.
    QDate DateAtCell(int Col, int Row) const;

    /// Room for two digits in every cell and a line of text in every row.
    QSize minimumSizeHint() const override;
    /// Assistive tools see a table whose cells are the shown days.
    QAccessible::Role AccessibleRole() const override { return QAccessible::Table; }

    /// Fired after the date was changed by a setter, a navigation method, a key or a click.
    void SetOnChange(TNotifyEvent H);
    const TNotifyEvent &OnChange() const;

Q_SIGNALS:
    /// OnChange as a signal: emitted right after the handler, whether one is assigned or not.
    void onChange(QObject *Sender);
    /// The selected date changed (after OnChange; not when it was set to the date it holds).
    void DateChanged(const QDate &Date);
    /// The day, month or year of the selected date changed (after DateChanged).
    void DayChanged(int Day);
    void MonthChanged(int Month);
    void YearChanged(int Year);

protected:
    void DrawCell(int ACol, int ARow, const TRect &Rect, TGridDrawState State) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void KeyDown(quint16 &Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, const QPoint &MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const QPoint &MousePos) override;
    void Resize() override;
    /// Recomputes the month's placement, moves the current cell to the selected day, updates the
    /// hint and the accessible texts, and invalidates.
    void UpdateCal();

private:
    void ChangeDate(const QDate &Value);
    void FireChange();
    bool StoreColor(TColor &Field, TColor Value);
    void DrawNavCell(int ACol, int ARow, const TRect &Rect);
    void DrawDayCell(int ACol, int ARow, const TRect &Rect);
    void DrawButtonFrame(const TRect &R);
    void DrawCentred(const TRect &R, const QString &Text);
    void ClickDay(int Col, int Row);
    void UpdateAccessibleText();

    std::unique_ptr<TMiniCalPrivate> const d;
};

} // namespace kro
