#include <krogui/core/kromath.h>
#include <krogui/graphics/graphicsobjects.h>

#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

namespace kro {

// ---- pen, brush, font -----------------------------------------------------------

void TPen::SetColor(TColor Value)
{
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TPen::SetWidth(int Value)
{
    Value = std::max(1, Value);
    if (FWidth != Value) {
        FWidth = Value;
        Changed();
    }
}

void TPen::SetStyle(TPenStyle Value)
{
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TPen::SetMode(TPenMode Value)
{
    if (FMode != Value) {
        FMode = Value;
        Changed();
    }
}

void TPen::Assign(const TPen &Source)
{
    FColor = Source.FColor;
    FWidth = Source.FWidth;
    FStyle = Source.FStyle;
    FMode = Source.FMode;
    Changed();
}

void TBrush::SetColor(TColor Value)
{
    if (FColor != Value) {
        FColor = Value;
        if (FStyle == bsClear)
            FStyle = bsSolid; // as the framework does: giving a colour makes the brush solid
        Changed();
    }
}

void TBrush::SetStyle(TBrushStyle Value)
{
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TBrush::Assign(const TBrush &Source)
{
    FColor = Source.FColor;
    FStyle = Source.FStyle;
    Changed();
}

QString DefaultFontName()
{
    static const QString name = [] {
        const QStringList families = QFontDatabase::families();
        if (families.contains(QStringLiteral("DejaVu Sans"))) return QStringLiteral("DejaVu Sans");
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return name;
}

TFont::TFont() : FName(DefaultFontName()) {}

void TFont::SetName(const QString &Value)
{
    if (FName != Value && !Value.isEmpty()) {
        FName = Value;
        Changed();
    }
}

void TFont::SetSize(int Value)
{
    if (Value != 0 && FSize != Value) {
        FSize = Value;
        Changed();
    }
}

int TFont::Height() const
{
    return -MulDiv(std::abs(FSize), 96, 72);
}

void TFont::SetHeight(int Value)
{
    if (Value != 0) SetSize(MulDiv(std::abs(Value), 72, 96));
}

void TFont::SetColor(TColor Value)
{
    if (FColor != Value) {
        FColor = Value;
        Changed();
    }
}

void TFont::SetStyle(TFontStyles Value)
{
    if (FStyle != Value) {
        FStyle = Value;
        Changed();
    }
}

void TFont::SetOrientation(int Value)
{
    if (FOrientation != Value) {
        FOrientation = Value;
        Changed();
    }
}

void TFont::SetQuality(TFontQuality Value)
{
    if (FQuality != Value) {
        FQuality = Value;
        Changed();
    }
}

void TFont::Assign(const TFont &Source)
{
    if (&Source == this) return;
    FName = Source.FName;
    FSize = Source.FSize;
    FColor = Source.FColor;
    FStyle = Source.FStyle;
    FOrientation = Source.FOrientation;
    FQuality = Source.FQuality;
    Changed();
}

void TFont::AssignQFont(const QFont &Font)
{
    FName = Font.family();
    if (Font.pointSize() > 0)
        FSize = Font.pointSize();
    else if (Font.pixelSize() > 0)
        FSize = std::max(1, MulDiv(Font.pixelSize(), 72, 96));
    FStyle = (Font.bold() ? unsigned(fsBold) : 0u) | (Font.italic() ? unsigned(fsItalic) : 0u) |
             (Font.underline() ? unsigned(fsUnderline) : 0u) |
             (Font.strikeOut() ? unsigned(fsStrikeOut) : 0u);
    Changed();
}

QFont TFont::ToQFont() const
{
    QFont f(FName);
    f.setPixelSize(std::max(1, MulDiv(std::abs(FSize), 96, 72)));
    f.setBold(FStyle & fsBold);
    f.setItalic(FStyle & fsItalic);
    f.setUnderline(FStyle & fsUnderline);
    f.setStrikeOut(FStyle & fsStrikeOut);
    switch (FQuality) {
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

bool TFont::operator==(const TFont &Other) const
{
    return FName == Other.FName && FSize == Other.FSize && FColor == Other.FColor && FStyle == Other.FStyle &&
           FOrientation == Other.FOrientation && FQuality == Other.FQuality;
}

} // namespace kro
