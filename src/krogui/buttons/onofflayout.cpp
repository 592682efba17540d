#include <krogui/buttons/onofflayout.h>

#include <algorithm>

namespace kro {

QPoint OnOffCaptionPos(const TOnOffGeometry &G, TOnOffCaptionSide Side, TAlignment Align, int TextWidth)
{
    const int w = TextWidth, ls = G.LeftSpace, gw = G.GlyphWidth;
    if (Side == ocsLeft || Side == ocsRight) {
        const int y = G.TopSpace + (G.GlyphHeight - G.TextHeight) / 2;
        int x;
        if (Side == ocsLeft)
            x = Align == taLeftJustify ? 4 : Align == taRightJustify ? ls - w - 3 : (ls - w) / 2;
        else
            x = Align == taLeftJustify    ? ls + gw + 4
                : Align == taRightJustify ? G.Width - w - 4
                                          : ls + gw + 1 + (G.Width - w - ls - gw) / 2;
        return QPoint(x, y);
    }
    const int y = Side == ocsTop ? G.TopSpace - G.TextHeight - 4 : G.TopSpace + G.GlyphHeight + 4;
    const int x = Align == taLeftJustify ? 4 : Align == taRightJustify ? G.Width - w - 4 : ls + (gw - w) / 2;
    return QPoint(x, y);
}

QPoint OnOffCentred(int Width, int Height, int GlyphWidth, int GlyphHeight)
{
    return QPoint((Width - GlyphWidth) / 2, (Height - GlyphHeight) / 2);
}

bool OnOffInGlyph(const TOnOffGeometry &G, int X, int Y)
{
    return X > G.LeftSpace && X < G.LeftSpace + G.GlyphWidth && Y > G.TopSpace &&
           Y < G.TopSpace + G.GlyphHeight;
}

TRect OnOffGlyphRect(const TOnOffGeometry &G, int GW, int GH)
{
    // The offsets may reach the button's size: keep every pixel we touch on the surface.
    const long long l = G.LeftSpace + 1LL, t = G.TopSpace + 1LL;
    TRect r;
    r.Left = int(std::clamp<long long>(l, 0, G.Width));
    r.Top = int(std::clamp<long long>(t, 0, G.Height));
    r.Right = int(std::clamp<long long>(l + std::max(0, GW), r.Left, G.Width));
    r.Bottom = int(std::clamp<long long>(t + std::max(0, GH), r.Top, G.Height));
    return r;
}

std::array<QImage, 4> ExtractGlyphs(const QImage &Sheet)
{
    std::array<QImage, 4> out;
    const int w = Sheet.width() / 2, h = Sheet.height() / 2;
    if (w <= 0 || h <= 0) return out;
    const QImage src = Sheet.convertToFormat(QImage::Format_RGB32);
    out[OnOffGlyphIndex(true, true)] = src.copy(0, 0, w, h);
    out[OnOffGlyphIndex(false, true)] = src.copy(w, 0, w, h);
    out[OnOffGlyphIndex(true, false)] = src.copy(0, h, w, h);
    out[OnOffGlyphIndex(false, false)] = src.copy(w, h, w, h);
    return out;
}

} // namespace kro
