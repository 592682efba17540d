#include <krogui/graphics/propertyfaces.h>

namespace kro {

namespace {
constexpr int kAlphaNone = 0;
constexpr int kAlphaSystem = 1;
constexpr int kAlphaDefault = 2;
} // namespace

QColor ToStoredColor(TColor Color)
{
    if (Color == clNone) return QColor(0, 0, 0, kAlphaNone);
    if (Color == clDefault) return QColor(0, 0, 0, kAlphaDefault);
    if ((Color & 0xFF000000u) == 0xFF000000u) return QColor(0, 0, int(Color & 0xFFu), kAlphaSystem);
    // Anything else is an RGB value; a stray high byte is not a colour and is dropped.
    return QColor(int(Color & 0xFFu), int((Color >> 8) & 0xFFu), int((Color >> 16) & 0xFFu));
}

TColor FromStoredColor(const QColor &Color)
{
    if (!Color.isValid()) return clNone;
    const QRgb c = Color.rgba();
    switch (qAlpha(c)) {
    case kAlphaNone:
        return clNone;
    case kAlphaSystem:
        return 0xFF000000u | TColor(qBlue(c));
    case kAlphaDefault:
        return clDefault;
    default:
        return TColor(qRed(c)) | (TColor(qGreen(c)) << 8) | (TColor(qBlue(c)) << 16);
    }
}

QFont ToStoredFont(const TFont &Font)
{
    QFont f(Font.Name());
    f.setPointSize(std::max(1, std::abs(Font.Size())));
    f.setBold(Font.Style() & fsBold);
    f.setItalic(Font.Style() & fsItalic);
    f.setUnderline(Font.Style() & fsUnderline);
    f.setStrikeOut(Font.Style() & fsStrikeOut);
    switch (Font.Quality()) {
    case fqNonAntialiased:
        f.setStyleStrategy(QFont::NoAntialias);
        break;
    case fqAntialiased:
        f.setStyleStrategy(QFont::PreferAntialias);
        break;
    default:
        f.setStyleStrategy(QFont::PreferDefault);
        break;
    }
    return f;
}

void AssignStoredFont(TFont &Current, const QFont &Value)
{
    TFont F;
    F.Assign(Current);
    const QString family = Value.family();
    if (!family.isEmpty()) F.SetName(family);
    if (Value.pointSize() > 0)
        F.SetSize(Value.pointSize());
    else if (Value.pixelSize() > 0)
        F.SetSize(std::max(1, (Value.pixelSize() * 72 + 48) / 96));
    F.SetStyle((Value.bold() ? unsigned(fsBold) : 0u) | (Value.italic() ? unsigned(fsItalic) : 0u) |
               (Value.underline() ? unsigned(fsUnderline) : 0u) |
               (Value.strikeOut() ? unsigned(fsStrikeOut) : 0u));
    if (Value.styleStrategy() & QFont::NoAntialias)
        F.SetQuality(fqNonAntialiased);
    else if (Value.styleStrategy() & QFont::PreferAntialias)
        F.SetQuality(fqAntialiased);
    else
        F.SetQuality(fqDefault);
    Current.Assign(F);
}

} // namespace kro
