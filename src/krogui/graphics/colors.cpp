#include <krogui/graphics/colors.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPalette>

namespace kro {

namespace {

struct NamedColor
{
    TColor Value;
    const char *Name;
};

// VGA, extended and system colours with their names, in the order of the predefined table.
constexpr NamedColor kNamed[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
};
static_assert(std::size(kNamed) == NumPredefinedColors);

constexpr NamedColor kSpecial[] = {{clNone, "clNone"}, {clDefault, "clDefault"}};

QPalette AppPalette()
{
    if (qobject_cast<QApplication *>(QCoreApplication::instance()))
        return QApplication::palette();
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return QGuiApplication::palette();
    return QPalette(QColor(240, 240, 240));
}

QColor SystemColor(unsigned Index)
{
    const QPalette pal = AppPalette();
    switch (Index) {
    case 0: return pal.color(QPalette::Button);                         // scroll bar
    case 1: return pal.color(QPalette::Window);                         // desktop
    case 2: return pal.color(QPalette::Active, QPalette::Highlight);    // active caption
    case 3: return pal.color(QPalette::Inactive, QPalette::Highlight);  // inactive caption
    case 4: return pal.color(QPalette::Window);                         // menu
    case 5: return pal.color(QPalette::Base);                           // window
    case 6: return pal.color(QPalette::Shadow);                         // window frame
    case 7: return pal.color(QPalette::WindowText);                     // menu text
    case 8: return pal.color(QPalette::Text);                           // window text
    case 9: return pal.color(QPalette::Active, QPalette::HighlightedText);
    case 10: return pal.color(QPalette::Button);                        // active border
    case 11: return pal.color(QPalette::Button);                        // inactive border
    case 12: return pal.color(QPalette::Mid);                           // application workspace
    case 13: return pal.color(QPalette::Highlight);
    case 14: return pal.color(QPalette::HighlightedText);
    case 15: return pal.color(QPalette::Button);                        // button face
    case 16: return pal.color(QPalette::Dark);                          // button shadow
    case 17: return pal.color(QPalette::Disabled, QPalette::Text);      // gray text
    case 18: return pal.color(QPalette::ButtonText);
    case 19: return pal.color(QPalette::Inactive, QPalette::HighlightedText);
    case 20: return pal.color(QPalette::Light);                         // button highlight
    case 21: return pal.color(QPalette::Shadow);                        // 3D dark shadow
    case 22: return pal.color(QPalette::Midlight);                      // 3D light
    case 23: return pal.color(QPalette::ToolTipText);                   // info text
    case 24: return pal.color(QPalette::ToolTipBase);                   // info background
    case 26: return pal.color(QPalette::Link);                          // hot light
    case 27: return pal.color(QPalette::Active, QPalette::Highlight).lighter(130);
    default: return pal.color(QPalette::Window);
    }
}

} // namespace

TColor ColorToRGB(TColor Color)
{
    if (Color == clNone)
        return clBlack;
    if (Color == clDefault)
        return FromQColor(SystemColor(5));
    if ((Color & 0xFF000000u) == clSystemColor)
        return FromQColor(SystemColor(Color & 0xFFu));
    return Color & 0x00FFFFFFu;
}

QColor ToQColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor FromQColor(const QColor &Color)
{
    const QColor c = Color.toRgb();
    return RGB(c.red(), c.green(), c.blue());
}

QString ColorToString(TColor Color)
{
    for (const auto &n : kNamed)
        if (n.Value == Color)
            return QString::fromLatin1(n.Name);
    for (const auto &n : kSpecial)
        if (n.Value == Color)
            return QString::fromLatin1(n.Name);
    return QStringLiteral("$%1").arg(Color, 8, 16, QLatin1Char('0')).toUpper();
}

TColor StringToColor(const QString &Text, bool *Ok)
{
    const QString t = Text.trimmed();
    auto done = [Ok](bool ok, TColor c) {
        if (Ok)
            *Ok = ok;
        return c;
    };
    for (const auto &n : kNamed)
        if (t.compare(QLatin1String(n.Name), Qt::CaseInsensitive) == 0)
            return done(true, n.Value);
    for (const auto &n : kSpecial)
        if (t.compare(QLatin1String(n.Name), Qt::CaseInsensitive) == 0)
            return done(true, n.Value);
    bool ok = false;
    qulonglong v = 0;
    if (t.startsWith(QLatin1Char('$')))
        v = t.mid(1).toULongLong(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        v = t.mid(2).toULongLong(&ok, 16);
    else
        v = t.toULongLong(&ok, 10);
    if (!ok || v > 0xFFFFFFFFull)
        return done(false, clBlack);
    return done(true, TColor(v));
}

const std::array<TColor, NumPredefinedColors> &PredefinedColors()
{
    static const std::array<TColor, NumPredefinedColors> table = [] {
        std::array<TColor, NumPredefinedColors> t{};
        for (int i = 0; i < NumPredefinedColors; ++i)
            t[i] = kNamed[i].Value;
        return t;
    }();
    return table;
}

TColor MeanColor(TColor C1, TColor C2)
{
    const TColor a = ColorToRGB(C1), b = ColorToRGB(C2);
    return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
               (GetBValue(a) + GetBValue(b)) / 2);
}

void FrameLineColors(TColorScheme Scheme, TColor &GrayLine, TColor &WhiteLine)
{
    const bool bwg = Scheme == csBWG;
    GrayLine = bwg ? TColor(0x808080) : clBtnShadow;
    WhiteLine = bwg ? TColor(0xFFFFFF) : clBtnHighlight;
}

} // namespace kro
