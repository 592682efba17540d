// The month calendar: a large TMiniCal with a small one beside it, and live editors for the
// language, the first day of the week, the marks and the colours.
#include "gallery.h"

#include <krogui/minical/minical.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

namespace {

using namespace kro;

QString DescribeDate(TMiniCal *Cal)
{
    QString caption;
    const bool holiday = Cal->CheckHoliday(Cal->Year(), Cal->Month(), Cal->Day(), caption);
    return QStringLiteral("%1 · week %2%3")
        .arg(Cal->Date().toString(Qt::ISODate))
        .arg(WeekOfTheYear(Cal->Date()))
        .arg(holiday ? QStringLiteral(" · ") + caption : QString());
}

void AddCheck(gallery::PageWidget *Page, const QString &Label, bool On, std::function<void(bool)> Apply)
{
    auto *box = new QCheckBox(Label);
    box->setChecked(On);
    QObject::connect(box, &QCheckBox::toggled, box, [Apply](bool V) { Apply(V); });
    Page->AddRow(box);
}

void AddColours(gallery::PageWidget *Page, TMiniCal *Cal)
{
    const gallery::ColorChoices selected = {
        {"Ochre (default)", 0xD0A040}, {"Navy", clNavy}, {"Teal", clTeal}, {"Purple", clPurple}};
    const gallery::ColorChoices holiday = {
        {"Sand (default)", 0x9BD8F1}, {"Pink", 0xCBC0FF}, {"Mint", 0xC0FFC0}, {"White", clWhite}};
    const gallery::ColorChoices weekNo = {{"Silver (default)", clSilver},
                                          {"Sky", clSkyBlue},
                                          {"Cream", clCream},
                                          {"Money green", clMoneyGreen}};
    const gallery::ColorChoices today = {
        {"Red (default)", clRed}, {"Blue", clBlue}, {"Green", clGreen}, {"Black", clBlack}};
    Page->AddEditor(
        QStringLiteral("Selected day"),
        gallery::ColorBox(selected, Cal->ColorSelectedBg(), [Cal](TColor c) { Cal->SetColorSelectedBg(c); }));
    Page->AddEditor(
        QStringLiteral("Holidays"),
        gallery::ColorBox(holiday, Cal->ColorHolidayBg(), [Cal](TColor c) { Cal->SetColorHolidayBg(c); }));
    Page->AddEditor(
        QStringLiteral("Week numbers"),
        gallery::ColorBox(weekNo, Cal->ColorWeekNoBg(), [Cal](TColor c) { Cal->SetColorWeekNoBg(c); }));
    Page->AddEditor(QStringLiteral("Today's circle"),
                    gallery::ColorBox(today, Cal->ColorToday(), [Cal](TColor c) { Cal->SetColorToday(c); }));
}

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TMiniCal: a month on a grid with ISO week numbers, holidays (built in per language, the feasts "
        "that hang on Easter, and one added by the page for every 3 October), today circled. Click "
        "<< < > >> to move by years and months, # for today, a greyed day to switch months; arrows, "
        "Page Up/Down (Ctrl: years), Home/End and the wheel work too. The hint names the holiday."));
    auto *cal = new TMiniCal(page->Stage());
    cal->SetBounds(10, 10, 400, 260);
    cal->AddRepeatHoliday(3, 10, QStringLiteral("Gallery Day"));
    cal->show();
    auto *small = new TMiniCal(page->Stage());
    small->SetBounds(10, 285, 220, 140);
    small->SetDate(QDate(2025, 9, 10));
    small->show();

    auto *status = new QLabel(DescribeDate(cal));
    cal->SetOnChange([cal, status](QObject *) { status->setText(DescribeDate(cal)); });
    page->AddRow(status);

    auto *language = new QComboBox;
    language->addItems({QStringLiteral("English"), QStringLiteral("Deutsch"), QStringLiteral("Français"),
                        QStringLiteral("Español")});
    QObject::connect(language, &QComboBox::currentIndexChanged, cal, [cal, small, status](int i) {
        cal->SetLanguage(TLanguage(i + 1));
        small->SetLanguage(TLanguage(i + 1));
        status->setText(DescribeDate(cal));
    });
    page->AddEditor(QStringLiteral("Language"), language);

    auto *first = new QComboBox;
    for (int i = 0; i < 7; ++i)
        first->addItem(QLocale(QLocale::English).dayName(i + 1));
    QObject::connect(first, &QComboBox::currentIndexChanged, cal, [cal, small](int i) {
        cal->SetFirstDayOfWeek(TDayOfWeek(i));
        small->SetFirstDayOfWeek(TDayOfWeek(i));
    });
    page->AddEditor(QStringLiteral("First day"), first);

    AddColours(page, cal);
    AddCheck(page, QStringLiteral("Mark today"), cal->MarkToday(), [cal](bool v) { cal->SetMarkToday(v); });
    AddCheck(page, QStringLiteral("Indicate holidays"), cal->IndicateHolidays(),
             [cal](bool v) { cal->SetIndicateHolidays(v); });
    AddCheck(page, QStringLiteral("Movable holidays"), cal->ShowMovableHolidays(),
             [cal](bool v) { cal->SetShowMovableHolidays(v); });
    AddCheck(page, QStringLiteral("Short month names"), cal->ShowMonthShort(),
             [cal](bool v) { cal->SetShowMonthShort(v); });
    AddCheck(page, QStringLiteral("Switch months on greyed days"), cal->AutoSwitch(),
             [cal](bool v) { cal->SetAutoSwitch(v); });
    AddCheck(page, QStringLiteral("3-D buttons"), cal->Ctl3D(), [cal](bool v) { cal->SetCtl3D(v); });
    auto *last = new QPushButton(QStringLiteral("Last day of the month"));
    QObject::connect(last, &QPushButton::clicked, cal, [cal] { cal->LastDayOfMonth(); });
    page->AddRow(last);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("TMiniCal"), 60, CreatePage);

} // namespace
