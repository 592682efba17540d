#include <krogui/core/property.h>
#include <krogui/graphics/colors.h>
#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/core/strutil.h>
#include <krogui/numio/numio2.h>

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

#include <cmath>

namespace kro {

namespace {

// Longest buffer the field keeps: every paint measures the text, and a pasted megabyte would
// stall the caret blinking.
constexpr int kMaxBufferLength = 4096;

constexpr int kCaretInterval = 500;

bool Exempt(const QString &S)
{
    return S.isEmpty() || S == u"-" || S == u"+";
}

} // namespace

TNumIO2::TNumIO2(QWidget *Parent) : TCustomControl(Parent)
{
    SetDesignSize(160, 28);
    setMinimumHeight(18);
    FCaretTimer = new TControlTimer(this, [this] { CaretTimerEvent(); });
    UpdateLineColors();
    setAccessibleName(QStringLiteral("Number"));
    UpdateTimer();
    FSuppressPaint = false;
    Invalidate();
}

TNumIO2::~TNumIO2() = default;

// ---- value and text ----------------------------------------------------------------------------

double TNumIO2::GetNioValue() const
{
    int pos = 1;
    switch (FInFormat) {
    case itExp:
    case itFloat:
    case itFixPoint:
        return ScanReal(FInBuffer, true, sepEither, pos);
    case itInt: {
        if (FInBuffer.isEmpty() || !IsIntText(FInBuffer)) return 0.0;
        bool ok = false;
        const int v = FInBuffer.toInt(&ok);
        return ok ? double(v) : 2147483647.0;
    }
    case itHex:
        return ScanHex(FInBuffer, pos);
    case itOct:
        return ScanOct(FInBuffer, pos);
    case itBin:
        return ScanBin(FInBuffer, pos);
    case itDynamic: {
        if (FInBuffer.isEmpty()) return 0.0;
        const QStringView rest = QStringView(FInBuffer).mid(1);
        switch (FInBuffer[0].unicode()) {
        case u'$':
            return ScanHex(rest, pos);
        case u'%':
            return ScanBin(rest, pos);
        case u'&':
            return ScanOct(rest, pos);
        default:
            return ScanReal(FInBuffer, true, sepEither, pos);
        }
    }
    }
    return 0.0;
}

QString TNumIO2::FormatValue(double Value) const
{
    QString s;
    switch (FInFormat) {
    case itExp:
        s = FormatReal(FSigDig + 6, -2, Value);
        if (s.startsWith(u'*'))
            s = FormatReal(FSigDig + 8, -1, Value); // three-digit exponent: keep it readable
        break;
    case itFloat:
    case itFixPoint:
        s = FormatReal(1, FDecP, Value);
        break;
    case itInt:
    case itDynamic:
        return QString::number(Round64(Value));
    case itHex:
        return HexDigits(RoundToInt32Bits(Value), 8);
    case itOct:
        return OctDigits(RoundToInt32Bits(Value), 11);
    case itBin:
        return BinDigits(RoundToInt32Bits(Value), 32);
    }
    // The separator the on-line check reads.
    if (CheckSeparatorMode(FDecPSep) == sepComma) s.replace(u'.', u',');
    return s;
}

void TNumIO2::SetNioValue(double Value)
{
    if (std::isnan(Value)) return;
    FInBuffer = FormatValue(std::clamp(Value, -uc_MaxDouble, uc_MaxDouble));
    // Caret and selection stay, within the new text.
    FCaretPos = std::min<int>(FCaretPos, int(FInBuffer.size()));
    FSelEnd = std::min<int>(FSelEnd, int(FInBuffer.size()));
    FSelBegin = std::min(FSelBegin, FSelEnd);
    Repaint();
}

int TNumIO2::GetNioIntValue() const
{
    const double v = GetNioValue();
    if (v > 2147483647.0 || v < -2147483648.0)
        throw EKRONumIO2Error(ComponentMessage(QStringLiteral("integer overflow")));
    return Round(v);
}

void TNumIO2::SetText(const QString &Value)
{
    if (IsLoading()) {
        // Stored properties come in any order: check the text against the stored format.
        FLoadedText = Value;
        FHasLoadedText = true;
        return;
    }
    if (Value.size() > kMaxBufferLength || !(Value.isEmpty() || CheckValidity(Value))) return;
    FInBuffer = Value;
    FCaretPos = FSelBegin = FSelEnd = 0;
    Repaint();
}

void TNumIO2::Loaded()
{
    if (FHasLoadedText) {
        FHasLoadedText = false;
        SetText(FLoadedText);
        FLoadedText.clear();
    }
}

bool TNumIO2::CheckValidity(const QString &Instring) const
{
    switch (FInFormat) {
    case itExp:
        return IsRealText(Instring, true, FDecPSep);
    case itFloat:
        return IsFixedText(Instring, FDecPSep);
    case itFixPoint:
        // Exactly FixPointDecPlaces characters after the separator.
        return IsFixedText(Instring, FDecPSep) &&
               SeparatorPos(Instring, 1, CheckSeparatorMode(FDecPSep)) == Instring.size() - FDecP;
    case itInt:
        return IsIntText(Instring);
    case itHex:
        return IsHexText(Instring);
    case itOct:
        return IsOctText(Instring);
    case itBin:
        return IsBinText(Instring);
    case itDynamic: {
        if (Instring.isEmpty()) return false;
        const QStringView rest = QStringView(Instring).mid(1);
        switch (Instring[0].unicode()) {
        case u'$':
            return IsHexText(rest);
        case u'%':
            return IsBinText(rest);
        case u'&':
            return IsOctText(rest);
        default:
            return IsFixedText(Instring, FDecPSep);
        }
    }
    }
    return false;
}

// ---- format and range ------------------------------------------------------------------------

void TNumIO2::SetInFormatType(TInFormat Value)
{
    if (Value == FInFormat) return;
    const double v = GetNioValue();
    FInFormat = Value;
    SetNioValue(v);
}

void TNumIO2::SetFixPointDecPlaces(int Value)
{
    if (Value < 1 || Value == FDecP) return;
    const double v = GetNioValue();
    FDecP = std::min(Value, 15);
    SetNioValue(v);
}

void TNumIO2::SetSignificantDigits(int Value)
{
    if (Value < 1 || Value == FSigDig) return;
    const double v = GetNioValue();
    FSigDig = std::min(Value, 15);
    SetNioValue(v);
}

void TNumIO2::SetDecSep(TDecPSep Value)
{
    if (Value == FDecPSep) return;
    if (int(Value) != dsBoth) {
        auto sepOf = [](TDecPSep Choice) {
            return int(Choice) == dsSystem ? SystemDecimalSeparator()
                                           : (int(Choice) == dsComma ? QChar(u',') : QChar(u'.'));
        };
        const QChar oldSep = sepOf(FDecPSep), newSep = sepOf(Value);
        if (int(FDecPSep) == dsBoth) {
            for (QChar &c : FInBuffer)
                if (c == u'.' || c == u',') c = newSep;
        } else if (oldSep != newSep) {
            for (QChar &c : FInBuffer)
                if (c == oldSep) c = newSep;
        }
    }
    FDecPSep = Value;
    Repaint();
}

void TNumIO2::SetRangeLow(double Value)
{
    if (std::isnan(Value)) return;
    FMinimum = Value;
    if (FMaximum < FMinimum) FMaximum = FMinimum;
    Repaint();
}

void TNumIO2::SetRangeHigh(double Value)
{
    if (std::isnan(Value)) return;
    FMaximum = Value;
    if (FMinimum > FMaximum) FMinimum = FMaximum;
    Repaint();
}

bool TNumIO2::OutOfRange() const
{
    const double v = GetNioValue();
    return v < FMinimum || v > FMaximum;
}

// ---- behaviour ---------------------------------------------------------------------------------

void TNumIO2::SetReadOnly(bool Value)
{
    if (!Store(FReadOnly, Value)) return;
    if (FReadOnly) {
        FCaretTimer->Kill();
        FCaretVisib = false;
        Repaint();
    } else {
        UpdateTimer();
    }
}

void TNumIO2::SetAutoSize(bool Value)
{
    if (!Store(FAutoSize, Value)) return;
    Repaint();
}

void TNumIO2::SetHideSelection(bool Value)
{
    if (!Store(FHideSel, Value)) return;
    Repaint();
}

void TNumIO2::SetSelBegin(int N)
{
    N = std::clamp(N, 0, int(FInBuffer.size()));
    FSelBegin = N;
    FCaretPos = N;
    if (FSelEnd < N) FSelEnd = N;
    Repaint();
}

void TNumIO2::SetSelEnd(int N)
{
    N = std::clamp(N, 0, int(FInBuffer.size()));
    FSelEnd = N;
    FCaretPos = N;
    if (FSelBegin > N) FSelBegin = N;
    Repaint();
}

void TNumIO2::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
    if (!FReadOnly) UpdateTimer();
}

void TNumIO2::UpdateTimer()
{
    FCaretTimer->Kill();
    FCaretVisib = true;
    if (!FCaretTimer->Start(kCaretInterval))
        throw EKRONumIO2Error(ComponentMessage(QStringLiteral("no timer available")));
    Repaint();
}

void TNumIO2::CaretTimerEvent()
{
    if (hasFocus()) {
        FCaretVisib = !FCaretVisib;
    } else {
        FCaretTimer->Kill();
        FCaretVisib = false;
    }
    Repaint();
}

void TNumIO2::DoEnter()
{
    if (!FReadOnly) UpdateTimer();
    TCustomControl::DoEnter();
}

void TNumIO2::DoExit()
{
    Repaint(); // a hidden selection disappears
    TCustomControl::DoExit();
}

void TNumIO2::Click()
{
    SetFocus(); // restarts the timer unless read-only
    TCustomControl::Click();
}

// ---- layout and look -----------------------------------------------------------------------------

void TNumIO2::SetLeftSpace(int Value)
{
    if (Value < 0 || Value == FLeftSpace) return;
    FLeftSpace = std::min(Value, Width());
    Repaint();
}

void TNumIO2::SetTextBoxWidth(int Value)
{
    if (Store(FTextBoxWidth, std::max(0, Value))) Repaint();
}

void TNumIO2::SetLeftText(const QString &Value)
{
    if (Store(FLeftText, Value)) Repaint();
}

void TNumIO2::SetRightText(const QString &Value)
{
    if (Store(FRightText, Value)) Repaint();
}

void TNumIO2::SetLeftTextAlignment(TAlignment Value)
{
    if (Store(FLeftTextAlign, Value)) Repaint();
}

void TNumIO2::SetRightTextAlignment(TAlignment Value)
{
    if (Store(FRightTextAlign, Value)) Repaint();
}

void TNumIO2::SetAlignment(TAlignment Value)
{
    if (Store(FAlignment, Value)) Repaint();
}

void TNumIO2::SetFrameStyle(TFrameStyle Value)
{
    if (Store(FFrameStyle, Value)) Repaint();
}

void TNumIO2::SetColorBoxBG(TColor Value)
{
    if (Store(FColorBoxBG, Value)) Repaint();
}

void TNumIO2::SetColorBoxText(TColor Value)
{
    if (Store(FColorBoxText, Value)) Repaint();
}

void TNumIO2::SetColorOutBG(TColor Value)
{
    if (Store(FColorOutBG, Value)) Repaint();
}

void TNumIO2::SetColorOutText(TColor Value)
{
    if (Store(FColorOutText, Value)) Repaint();
}

void TNumIO2::SetColorWarnBG(TColor Value)
{
    FColorWarnBG = Value;
    Repaint();
}

void TNumIO2::SetColorWarnText(TColor Value)
{
    FColorWarnText = Value;
    Repaint();
}

void TNumIO2::UpdateLineColors()
{
    FrameLineColors(FColorScheme, FColGrayLine, FColWhiteLine);
}

void TNumIO2::SetColorScheme(TColorScheme Value)
{
    if (!Store(FColorScheme, Value)) return;
    UpdateLineColors();
    Repaint();
}

void TNumIO2::SetEnabled(bool Value)
{
    if (Value == Enabled()) return;
    TCustomControl::SetEnabled(Value);
    Repaint();
}

void TNumIO2::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TCustomControl::SetBounds(ALeft, ATop, AWidth, std::max(18, AHeight));
}

void TNumIO2::Resize()
{
    if (FButHeight > Height()) FButHeight = std::max(1, Height());
}

void TNumIO2::SetButVisible(bool Value)
{
    if (Store(FButVisible, Value)) Repaint();
}

void TNumIO2::SetButWidth(int Value)
{
    if (Store(FButWidth, std::clamp(Value, 8, 50))) Repaint();
}

void TNumIO2::SetButHeight(int Value)
{
    if (Store(FButHeight, std::max(18, std::min(Value, Height())))) Repaint();
}

void TNumIO2::SetButSpace(int Value)
{
    if (Store(FButSpace, std::clamp(Value, 0, 50))) Repaint();
}

void TNumIO2::SetButColor(TColor Value)
{
    if (Store(FButColor, Value)) Repaint();
}

void TNumIO2::SetButIncrem(double Value)
{
    if (!std::isnan(Value)) FButIncrem = Value;
}

void TNumIO2::SetBut3D(bool Value)
{
    if (Store(FBut3D, Value)) Repaint();
}

void TNumIO2::SetGaugeVisible(bool Value)
{
    if (Store(FGaugeVisible, Value)) Repaint();
}

void TNumIO2::SetGaugeHeight(int Value)
{
    if (Store(FGaugeHeight, std::max(3, std::min(Value, Height() - FGaugeTopMargin - 18)))) Repaint();
}

void TNumIO2::SetGaugeWidth(int Value)
{
    if (Store(FGaugeWidth, std::max(10, std::min(Value, Width() - FGaugeLeftMargin)))) Repaint();
}

void TNumIO2::SetGaugeLeftMargin(int Value)
{
    if (Store(FGaugeLeftMargin, std::max(0, std::min(Value, Width() - FGaugeWidth)))) Repaint();
}

void TNumIO2::SetGaugeTopMargin(int Value)
{
    if (Store(FGaugeTopMargin, std::max(0, std::min(Value, Height() - FGaugeHeight - 18)))) Repaint();
}

void TNumIO2::SetGaugeColor(TColor Value)
{
    if (Store(FGaugeColor, Value)) Repaint();
}

void TNumIO2::SetGaugeColorBg(TColor Value)
{
    if (Store(FGaugeColorBg, Value)) Repaint();
}

void TNumIO2::SetGaugeColorFrame(TColor Value)
{
    if (Store(FGaugeColorFrame, Value)) Repaint();
}

void TNumIO2::SetGaugeFrameStyle(TFrameStyle Value)
{
    if (Store(FGaugeFrameStyle, Value)) Repaint();
}

// ---- geometry of the text --------------------------------------------------------------------------

int TNumIO2::TextW(const QString &S) const
{
    return QFontMetrics(Font()->ToQFont()).horizontalAdvance(S);
}

int TNumIO2::GaugeStrip() const
{
    return FGaugeVisible ? FGaugeHeight + FGaugeTopMargin + 1 : 0;
}

int TNumIO2::CharPosToXCoords(int N) const
{
    const int tw = TextW(FInBuffer);
    const int pw = TextW(FInBuffer.left(std::max(0, N)));
    switch (FAlignment) {
    case taLeftJustify:
        return pw + FLeftSpace + 4;
    case taRightJustify:
        return pw + FLeftSpace + FTextBoxWidth - tw - 2;
    default:
        return pw + FLeftSpace + (FTextBoxWidth - tw) / 2 + 2;
    }
}

int TNumIO2::XCoordsToCharPos(int X) const
{
    if (FInBuffer.isEmpty()) return 0;
    const int len = int(FInBuffer.size());
    const int tw = TextW(FInBuffer);
    const int a = tw / len;
    if (a == 0) return 0;
    int c;
    switch (FAlignment) {
    case taLeftJustify:
        c = X - FLeftSpace - 3;
        break;
    case taRightJustify:
        c = X + tw - FLeftSpace - FTextBoxWidth + 3;
        break;
    default:
        c = X - FLeftSpace - (FTextBoxWidth - tw) / 2 - 1;
        break;
    }
    c = std::max(c, 0);
    // The average width rounds down, so the nearest boundary could lie one beyond the end.
    return std::min((std::min(tw, c) + a / 2) / a, len);
}

// ---- keys ------------------------------------------------------------------------------------------

void TNumIO2::Beeper() const
{
    if (FBeep) MessageBeep();
}

bool TNumIO2::DeleteSelection(bool ZeroWhenEmpty)
{
    if (FSelBegin >= FSelEnd) return false;
    FInBuffer.remove(FSelBegin, FSelEnd - FSelBegin);
    FCaretPos = FSelEnd = FSelBegin;
    if (ZeroWhenEmpty && FInBuffer.isEmpty()) {
        FInBuffer = FormatValue(0.0); // the formatted zero of the format
        FCaretPos = FSelBegin = FSelEnd = 0;
    }
    return true;
}

void TNumIO2::InsertText(const QString &S)
{
    FCaretPos = std::clamp(FCaretPos, 0, int(FInBuffer.size()));
    FInBuffer.insert(FCaretPos, S);
    FCaretPos += int(S.size());
}

void TNumIO2::keyPressEvent(QKeyEvent *Event)
{
    TCustomControl::keyPressEvent(Event);
    // Every key is the field's own (a refused one beeps); none travels on to the parent.
    if (Event->key() != Qt::Key_Tab && Event->key() != Qt::Key_Backtab) Event->accept();
}

void TNumIO2::KeyDown(quint16 &Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift); // the application's OnKeyDown may swallow the key
    if (Key == 0) return;
    if (Key == VK_SHIFT) {
        FKeyShifted = true;
        return;
    }
    if (Key == VK_CONTROL) {
        FKeyCntrl = true;
        return;
    }
    FKeyShifted = Shift & ssShift;
    FKeyCntrl = Shift & ssCtrl;
    if (FReadOnly && !(FKeyCntrl && Key == 'C')) return;

    const QString oldBuffer = FInBuffer;
    const int oldCaret = FCaretPos, oldSelBegin = FSelBegin, oldSelEnd = FSelEnd;
    bool changed = false;
    const int len = int(FInBuffer.size());

    if (FKeyCntrl) {
        switch (Key) {
        case 'C':
            if (FSelBegin < FSelEnd)
                QGuiApplication::clipboard()->setText(FInBuffer.mid(FSelBegin, FSelEnd - FSelBegin));
            break;
        case 'V': {
            const QMimeData *md = QGuiApplication::clipboard()->mimeData();
            if (md && md->hasText()) {
                const QString t = md->text();
                if (FInBuffer.size() - (FSelEnd - FSelBegin) + t.size() > kMaxBufferLength) {
                    Beeper();
                    break;
                }
                // A paste replaces the selection, as typing does.
                if (DeleteSelection(false)) FCaretPos = FSelBegin;
                InsertText(t);
                FSelBegin = FSelEnd = std::min(FSelBegin, int(FInBuffer.size()));
                changed = true;
            }
            break;
        }
        case 'X':
            if (FSelBegin < FSelEnd) {
                QGuiApplication::clipboard()->setText(FInBuffer.mid(FSelBegin, FSelEnd - FSelBegin));
                changed = DeleteSelection(true);
            }
            break;
        default:
            Beeper();
            break;
        }
    } else {
        QChar ch;
        if (Key >= '0' && Key <= '9') {
            ch = QChar(Key);
            if (FKeyShifted) {
                if (Key == '4')
                    ch = u'$';
                else if (Key == '5')
                    ch = u'%';
                else if (Key == '6')
                    ch = u'&';
            }
        } else if (Key >= 'A' && Key <= 'F') {
            ch = QChar(Key);
        } else if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD0 + 9) {
            ch = QChar(u'0' + (Key - VK_NUMPAD0));
        } else if (Key == VK_ADD || Key == VK_OEM_PLUS) {
            ch = u'+';
        } else if (Key == VK_SUBTRACT || Key == VK_OEM_MINUS) {
            ch = u'-';
        } else if (Key == VK_DECIMAL || Key == VK_OEM_COMMA) {
            ch = u',';
        } else if (Key == VK_OEM_PERIOD) {
            ch = u'.';
        }
        if (!ch.isNull()) {
            if (FInBuffer.size() - (FSelEnd - FSelBegin) >= kMaxBufferLength) {
                Beeper();
            } else {
                DeleteSelection(false);
                InsertText(QString(ch));
                changed = true;
            }
        } else {
            switch (Key) {
            case VK_BACK:
                if (DeleteSelection(true)) {
                    changed = true;
                } else if (FCaretPos > 0) {
                    FInBuffer.remove(FCaretPos - 1, 1);
                    --FCaretPos;
                    FSelBegin = FSelEnd = std::min(FSelBegin, int(FInBuffer.size()));
                    changed = true;
                }
                break;
            case VK_TAB:
                focusNextChild();
                break;
            case VK_END:
                FCaretPos = len;
                break;
            case VK_HOME:
                FCaretPos = 0;
                break;
            case VK_LEFT:
            case VK_UP:
                if (FCaretPos > 0) --FCaretPos;
                break;
            case VK_RIGHT:
            case VK_DOWN:
                if (FCaretPos < len) ++FCaretPos;
                break;
            case VK_DELETE:
                if (DeleteSelection(true)) {
                    changed = true;
                } else if (FCaretPos < len) {
                    FInBuffer.remove(FCaretPos, 1);
                    FSelBegin = FSelEnd = std::min(FSelBegin, int(FInBuffer.size()));
                    changed = true;
                }
                break;
            default:
                Beeper();
                break;
            }
        }
    }

    // On-line check: the incomplete "", "-" and "+" pass.
    if (FOnLineCheck && !Exempt(FInBuffer) && !CheckValidity(FInBuffer)) {
        FInBuffer = oldBuffer;
        FCaretPos = oldCaret;
        FSelBegin = oldSelBegin;
        FSelEnd = oldSelEnd;
        changed = false;
        Beeper();
    }

    // In itFixPoint a key inside the decimals overwrites the decimal after the caret.
    if (FInFormat == itFixPoint) {
        const int n = int(FInBuffer.size());
        if (FCaretPos > n - FDecP - 1) {
            FSelBegin = std::min(FCaretPos, n);
            FSelEnd = std::min(FCaretPos + 1, n);
        } else {
            FSelBegin = FSelEnd;
        }
    }

    FCaretVisib = true;
    Repaint();
    if (changed && FOnChange) FOnChange(this);
}

void TNumIO2::KeyUp(quint16 &Key, TShiftState Shift)
{
    if (Key == VK_SHIFT)
        FKeyShifted = false;
    else if (Key == VK_CONTROL)
        FKeyCntrl = false;
    TCustomControl::KeyUp(Key, Shift);
}

// ---- mouse -----------------------------------------------------------------------------------------

int TNumIO2::NearestPivot(double V) const
{
    int best = 0;
    double bestDist = std::fabs(ButtonPivots[0] - V);
    for (int i = 1; i < int(ButtonPivots.size()); ++i) {
        const double d = std::fabs(ButtonPivots[i] - V);
        if (d < bestDist) {
            best = i;
            bestDist = d;
        }
    }
    return best;
}

double TNumIO2::GaugeValueAt(int X) const
{
    double v = FMinimum + double(X - FGaugeLeftMargin) / FGaugeWidth * (FMaximum - FMinimum);
    if (!ButtonPivots.empty()) v = ButtonPivots[NearestPivot(v)];
    return std::clamp(v, FMinimum, FMaximum);
}

void TNumIO2::ButtonStep(int Y)
{
    const double f = GetNioValue();
    const double e = std::pow(10.0, -FDecP);
    const bool lower = Y > FButHeight / 2;
    double v;
    if (ButtonPivots.empty()) {
        v = std::clamp(lower ? f - FButIncrem : f + FButIncrem, FMinimum, FMaximum);
    } else {
        int i = NearestPivot(f);
        const int last = int(ButtonPivots.size()) - 1;
        if (lower && ButtonPivots[i] + e >= f && i > 0)
            --i;
        else if (!lower && ButtonPivots[i] - e <= f && i < last)
            ++i;
        v = ButtonPivots[i];
    }
    SetNioValue(v);
}

void TNumIO2::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!FReadOnly) FCaretVisib = true;
    const int G = GaugeStrip();
    if (Y > 0 && Y < Height() - G) {
        FCaretPos = FSelBegin = FSelEnd = XCoordsToCharPos(X);
        Repaint();
    }
    // A read-only field shows its value but does not let the mouse change it.
    if (!FReadOnly) {
        if (FGaugeVisible && Y > Height() - G && X >= FGaugeLeftMargin &&
            X <= FGaugeLeftMargin + FGaugeWidth) {
            SetNioValue(GaugeValueAt(X));
            FValueChanged = true;
        }
        const int bx = FLeftSpace + FTextBoxWidth + FButSpace;
        if (FButVisible && X > bx && X < bx + FButWidth && Y > 0 && Y < FButHeight) {
            ButtonStep(Y);
            if (FOnChange) FOnChange(this);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FValueChanged) {
        FValueChanged = false;
        if (FOnChange) FOnChange(this);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y)
{
    FMouseAreaCode = X > FLeftSpace + FTextBoxWidth ? 2 : X > FLeftSpace ? 1 : 0;
    if (Shift & ssLeft) {
        const int G = GaugeStrip();
        if (Y > 0 && Y < Height() - G) {
            const int p = XCoordsToCharPos(X);
            if (p > FSelBegin)
                SetSelEnd(p);
            else
                SetSelBegin(p);
        }
        if (!FReadOnly && FGaugeVisible && Y > Height() - G && X >= FGaugeLeftMargin - 1 &&
            X <= FGaugeLeftMargin + FGaugeWidth + 1) {
            const double v = GaugeValueAt(X);
            SetNioValue(v);
            if (FOnGaugeChange) FOnGaugeChange(this, Shift, v);
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

// ---- assignment ------------------------------------------------------------------------------------

void TNumIO2::Assign(const TComponentBase *Source)
{
    if (Source == this) return;
    const auto *s = dynamic_cast<const TNumIO2 *>(Source);
    if (!s) {
        TCustomControl::Assign(Source);
        return;
    }
    FLeftSpace = s->FLeftSpace;
    FTextBoxWidth = s->FTextBoxWidth;
    FDecP = s->FDecP;
    FSigDig = s->FSigDig;
    FLeftText = s->FLeftText;
    FRightText = s->FRightText;
    FFrameStyle = s->FFrameStyle;
    FLeftTextAlign = s->FLeftTextAlign;
    FRightTextAlign = s->FRightTextAlign;
    FAlignment = s->FAlignment;
    FColorBoxBG = s->FColorBoxBG;
    FColorBoxText = s->FColorBoxText;
    FColorOutBG = s->FColorOutBG;
    FColorOutText = s->FColorOutText;
    FColBlackLine = s->FColBlackLine;
    FColGrayLine = s->FColGrayLine;
    FColWhiteLine = s->FColWhiteLine;
    FColorScheme = s->FColorScheme;
    FInFormat = s->FInFormat;
    FInBuffer = s->FInBuffer;
    FCaretPos = s->FCaretPos;
    FCaretVisib = s->FCaretVisib;
    FMouseAreaCode = s->FMouseAreaCode;
    FColorWarnBG = s->FColorWarnBG;
    FColorWarnText = s->FColorWarnText;
    FSelBegin = s->FSelBegin;
    FSelEnd = s->FSelEnd;
    FDecPSep = s->FDecPSep;
    FKeyShifted = s->FKeyShifted;
    FKeyCntrl = s->FKeyCntrl;
    FHideSel = s->FHideSel;
    FMinimum = s->FMinimum;
    FMaximum = s->FMaximum;
    FOnLineCheck = s->FOnLineCheck;
    FBeep = s->FBeep;
    FReadOnly = s->FReadOnly;
    FAutoSize = s->FAutoSize;
    if (FReadOnly) {
        FCaretTimer->Kill(); // the timer stays this control's own
        FCaretVisib = false;
    }
    Repaint();
}

bool TNumIO2::AssignTo(TComponentBase *Dest) const
{
    if (auto *d = dynamic_cast<TNumIO2 *>(Dest)) {
        d->Assign(this);
        return true;
    }
    return TCustomControl::AssignTo(Dest);
}

// ---- painting --------------------------------------------------------------------------------------

void TNumIO2::Paint()
{
    if (FSuppressPaint || (!Visible() && !IsDesigning())) return;
    TCanvas *c = Canvas();
    c->SetFont(*Font());

    // 1. Height and background.
    if (FAutoSize) {
        const int h = c->TextHeight(QStringLiteral("E0")) + 6;
        if (h != Height()) {
            SetHeight(h);
            Invalidate(); // composed again at the new size
            return;
        }
    }
    const int W = Width(), H = Height();
    const int G = GaugeStrip();
    const int S = H - G - 4;
    const int th = c->TextHeight(QStringLiteral("(8g]}\u00DC\u00C4\u00A7"));
    const int ty = (H - G - th) / 2;
    const bool enabled = Enabled();
    const bool out = OutOfRange();
    c->SetCopyMode(SRCCOPY);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(FColorOutBG);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColorOutBG);
    c->Rectangle(0, 0, W, H);

    // A side text: enabled on the outside colour, disabled engraved (white one pixel lower
    // right, then gray) on a clear brush.
    auto sideText = [&](int X, const QString &Text) {
        if (enabled) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(FColorOutBG);
            c->Font()->SetColor(FColorOutText);
            c->TextOut(X, ty, Text);
        } else {
            c->Brush()->SetStyle(bsClear);
            c->Font()->SetColor(clWhite);
            c->TextOut(X + 1, ty + 1, Text);
            c->Font()->SetColor(clGray);
            c->TextOut(X, ty, Text);
        }
    };

    // 2. Left text.
    if (!FLeftText.isEmpty()) {
        const int w = c->TextWidth(FLeftText);
        const int x = FLeftTextAlign == taLeftJustify    ? 7
                      : FLeftTextAlign == taRightJustify ? FLeftSpace - w - 5
                                                         : (FLeftSpace - w) / 2;
        sideText(x, FLeftText);
    }

    // 3. Spin buttons.
    int B = 0;
    if (FButVisible) {
        B = FButWidth + FButSpace;
        const int bx = FLeftSpace + FTextBoxWidth + FButSpace;
        const int hb = FButHeight / 2;
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FButColor);
        c->Pen()->SetColor(clGray);
        c->Rectangle(bx, 0, bx + FButWidth + 1, 2 * hb - 1);
        c->LinePath(clGray, {{bx, hb - 1}, {bx + FButWidth, hb - 1}});
        if (FBut3D) {
            c->LinePath(clWhite, {{bx + 1, 2 * hb - 3}, {bx + 1, hb}, {bx + FButWidth, hb}});
            c->LinePath(clWhite, {{bx + 1, hb - 2}, {bx + 1, 1}, {bx + FButWidth, 1}});
            c->LinePath(clBlack, {{bx + 1, 2 * hb - 1}, {bx + FButWidth + 1, 2 * hb - 1}, {bx + FButWidth + 1, 1}});
        }
        const TColor arrow = enabled ? clBlack : clGray;
        const int cx = bx + FButWidth / 2, cy = hb / 2, d = hb + cy;
        c->LinePath(arrow, {{cx, cy - 1}, {cx + 2, cy - 1}});
        c->LinePath(arrow, {{cx - 1, cy}, {cx + 3, cy}});
        c->LinePath(arrow, {{cx - 2, cy + 1}, {cx + 4, cy + 1}});
        c->LinePath(arrow, {{cx, d}, {cx + 2, d}});
        c->LinePath(arrow, {{cx - 1, d - 1}, {cx + 3, d - 1}});
        c->LinePath(arrow, {{cx - 2, d - 2}, {cx + 4, d - 2}});
    }

    // 4. Right text.
    if (!FRightText.isEmpty()) {
        const int w = c->TextWidth(FRightText);
        const int x = FRightTextAlign == taLeftJustify ? FLeftSpace + B + FTextBoxWidth + 7
                      : FRightTextAlign == taRightJustify
                          ? W - w - 6
                          : (W - FLeftSpace - B - FTextBoxWidth - w) / 2 + FLeftSpace + B + FTextBoxWidth + 1;
        sideText(x, FRightText);
    }

    // Two-colour edges of the lowered, raised, embossed and engraved styles: the top-left colour
    // and the bottom-right one.
    auto edgeColors = [this](TFrameStyle Style, TColor &TopLeft, TColor &BottomRight) {
        switch (Style) {
        case fsLowered:
            TopLeft = FColBlackLine, BottomRight = FColWhiteLine;
            break;
        case fsRaised:
            TopLeft = FColWhiteLine, BottomRight = FColBlackLine;
            break;
        case fsEmbossed:
            TopLeft = FColGrayLine, BottomRight = FColGrayLine;
            break;
        default:
            TopLeft = FColWhiteLine, BottomRight = FColWhiteLine;
            break;
        }
    };

    // 5. Gauge.
    if (FGaugeVisible) {
        const int gl = FGaugeLeftMargin, gw = FGaugeWidth, gh = FGaugeHeight;
        const int gy = H - G + FGaugeTopMargin;
        c->Pen()->SetColor(FGaugeFrameStyle != fsNone ? FGaugeColorFrame : FGaugeColorBg);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FGaugeColorBg);
        c->Rectangle(gl, gy, gl + gw, gy + gh);
        const TColor bar = enabled ? FGaugeColor : clGray;
        c->Pen()->SetColor(bar);
        c->Brush()->SetColor(bar);
        double r = 1.0;
        if (FMaximum != FMinimum) r = (GetNioValue() - FMinimum) / (FMaximum - FMinimum);
        r = std::clamp(r, 0.0, 1.0);
        c->Rectangle(gl, gy, gl + Round(gw * r), gy + gh);
        if (FGaugeFrameStyle != fsNone) {
            c->Brush()->SetStyle(bsClear);
            c->Pen()->SetColor(FGaugeFrameStyle == fsSimple     ? FGaugeColorFrame
                               : FGaugeFrameStyle == fsEmbossed ? FColWhiteLine
                                                                : FColGrayLine);
            c->Rectangle(gl, gy, gl + gw, gy + gh);
            if (FGaugeFrameStyle != fsSimple) {
                TColor tl, br;
                edgeColors(FGaugeFrameStyle, tl, br);
                c->LinePath(tl, {{gl + 1, gy + gh - 2}, {gl + 1, gy + 1}, {gl + gw - 1, gy + 1}});
                c->LinePath(br, {{gl + 1, gy + gh}, {gl + gw, gy + gh}, {gl + gw, gy}});
            }
        }
    }

    // 6. Text box.
    const TColor boxBrush = !enabled ? clSilver : out ? FColorWarnBG : FColorBoxBG;
    TColor boxPen = FFrameStyle == fsNone       ? (enabled ? FColorBoxBG : clSilver)
                    : FFrameStyle == fsEmbossed ? FColWhiteLine
                                                : FColGrayLine;
    if (FFrameStyle == fsNone && enabled && out) boxPen = FColorWarnBG;
    c->Pen()->SetColor(boxPen);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(boxBrush);
    const int ls = FLeftSpace, bw = FTextBoxWidth;
    if (FFrameStyle == fsNone || FFrameStyle == fsSimple) {
        c->Rectangle(ls, 0, ls + bw + 2, H - G);
    } else {
        c->Rectangle(ls, 0, ls + bw + 2, H - G - 1);
        TColor tl, br;
        edgeColors(FFrameStyle, tl, br);
        c->LinePath(tl, {{ls + 1, S + 1}, {ls + 1, 1}, {ls + bw + 1, 1}});
        c->LinePath(br, {{ls + 1, S + 3}, {ls + bw + 2, S + 3}, {ls + bw + 2, 0}});
    }

    // 7. Text.
    const int tw = c->TextWidth(FInBuffer);
    c->Font()->SetColor(!enabled ? clGray : out ? FColorWarnText : FColorBoxText);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(boxBrush);
    const int tx = FAlignment == taLeftJustify    ? ls + 4
                   : FAlignment == taRightJustify ? ls + bw - tw - 2
                                                  : ls + (bw - tw) / 2 + 2;
    c->TextRect(Rect(ls + 3, 2, ls + bw - 1, S + 1), tx, ty, FInBuffer);

    // 8. Caret.
    const int cw = c->TextWidth(FInBuffer.left(FCaretPos));
    const int k = FAlignment == taLeftJustify    ? cw + 3
                  : FAlignment == taRightJustify ? bw + cw - tw - 3
                                                 : cw + (bw - tw) / 2 + 1;
    if (k > 0 && k < bw && FCaretVisib) c->LinePath(clBlack, {{ls + k, 3}, {ls + k, H - G - 3}});

    // 9. Selection, inverted.
    if (FSelBegin < FSelEnd && (hasFocus() || !FHideSel)) {
        const int x1 = std::clamp(CharPosToXCoords(FSelBegin), ls, ls + bw);
        const int x2 = std::clamp(CharPosToXCoords(FSelEnd), ls, ls + bw);
        const TRect r = Rect(x1, 3, x2, H - G - 3);
        if (!r.IsEmpty()) {
            c->SetCopyMode(NOTSRCCOPY);
            c->CopyRect(r, *c, r);
            c->SetCopyMode(SRCCOPY);
        }
    }

    const QString name = QStringList{FLeftText, FInBuffer, FRightText}.join(u' ').simplified();
    if (accessibleName() != name && !name.isEmpty()) setAccessibleName(name);
}

} // namespace kro
