#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/core/property.h>
#include <krogui/core/strutil.h>
#include <krogui/graphics/colors.h>
#include <krogui/numio/numeditbuffer.h>
#include <krogui/numio/numio2.h>
#include <krogui/numio/numio2_p.h>
#include <krogui/numio/numio2layout.h>

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

TNumIO2::TNumIO2(QWidget *Parent) : TCustomControl(Parent), d(std::make_unique<TNumIO2Private>())
{
    SetDesignSize(160, 28);
    // A field keeps its height in a layout; extra width is outside background.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    FCaretTimer = new TControlTimer(this, [this] { CaretTimerEvent(); });
    UpdateLineColors();
    setAccessibleName(QStringLiteral("Number"));
    UpdateTimer();
    d->FSuppressPaint = false;
    Invalidate();
    d->FNotifiedValue = Value();
    d->FNotifiedText = Text();
}

QAccessible::Role TNumIO2::AccessibleRole() const
{
    return d->FButVisible ? QAccessible::SpinBox : QAccessible::EditableText;
}

bool TNumIO2::AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const
{
    Value = GetNioValue();
    Minimum = d->FMinimum;
    Maximum = d->FMaximum;
    return true;
}

bool TNumIO2::SetAccessibleNumericValue(double Value)
{
    if (d->FReadOnly || std::isnan(Value)) return false;
    SetNioValue(Value);
    return true;
}

void TNumIO2::NotifyValue()
{
    // The value also depends on the format: a new format may give the same text another value.
    const QString t = d->FInBuffer;
    const double v = GetNioValue();
    const bool textChanged = t != d->FNotifiedText;
    const bool valueChanged = v != d->FNotifiedValue;
    d->FNotifiedText = t;
    d->FNotifiedValue = v;
    if (textChanged) Q_EMIT TextChanged(t);
    if (!valueChanged) return;
    Q_EMIT ValueChanged(v);
    NotifyAccessibleValueChanged();
}

TNumIO2::~TNumIO2() = default;

// ---- value and text ----------------------------------------------------------------------------

double TNumIO2::GetNioValue() const
{
    int pos = 1;
    switch (d->FInFormat) {
    case itExp:
    case itFloat:
    case itFixPoint:
        return ScanReal(d->FInBuffer, true, sepEither, pos);
    case itInt: {
        if (d->FInBuffer.isEmpty() || !IsIntText(d->FInBuffer)) return 0.0;
        bool ok = false;
        const int v = d->FInBuffer.toInt(&ok);
        if (ok) return double(v);
        return d->FInBuffer.startsWith(u'-') ? -2147483648.0 : 2147483647.0; // clamped, sign kept
    }
    case itHex:
        return ScanHex(d->FInBuffer, pos);
    case itOct:
        return ScanOct(d->FInBuffer, pos);
    case itBin:
        return ScanBin(d->FInBuffer, pos);
    case itDynamic: {
        if (d->FInBuffer.isEmpty()) return 0.0;
        const QStringView rest = QStringView(d->FInBuffer).mid(1);
        switch (d->FInBuffer[0].unicode()) {
        case u'$':
            return ScanHex(rest, pos);
        case u'%':
            return ScanBin(rest, pos);
        case u'&':
            return ScanOct(rest, pos);
        default:
            return ScanReal(d->FInBuffer, true, sepEither, pos);
        }
    }
    }
    return 0.0;
}

QString TNumIO2::FormatValue(double Value) const
{
    QString s;
    switch (d->FInFormat) {
    case itExp:
        s = FormatReal(d->FSigDig + 6, -2, Value);
        if (s.startsWith(u'*'))
            s = FormatReal(d->FSigDig + 8, -1, Value); // three-digit exponent: keep it readable
        break;
    case itFloat:
    case itFixPoint:
        s = FormatReal(1, d->FDecP, Value);
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
    if (CheckSeparatorMode(d->FDecPSep) == sepComma) s.replace(u'.', u',');
    return s;
}

void TNumIO2::SetNioValue(double Value)
{
    if (std::isnan(Value)) return;
    d->FInBuffer = FormatValue(std::clamp(Value, -uc_MaxDouble, uc_MaxDouble));
    // Caret and selection stay, within the new text.
    d->FCaretPos = std::min<int>(d->FCaretPos, int(d->FInBuffer.size()));
    d->FSelEnd = std::min<int>(d->FSelEnd, int(d->FInBuffer.size()));
    d->FSelBegin = std::min(d->FSelBegin, d->FSelEnd);
    Repaint();
    NotifyValue();
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
        d->FLoadedText = Value;
        d->FHasLoadedText = true;
        return;
    }
    if (Value.size() > kMaxBufferLength || !(Value.isEmpty() || CheckValidity(Value))) return;
    d->FInBuffer = Value;
    d->FCaretPos = d->FSelBegin = d->FSelEnd = 0;
    Repaint();
    NotifyValue();
}

void TNumIO2::Loaded()
{
    if (d->FHasLoadedText) {
        d->FHasLoadedText = false;
        SetText(d->FLoadedText);
        d->FLoadedText.clear();
    }
}

bool TNumIO2::CheckValidity(const QString &Instring) const
{
    switch (d->FInFormat) {
    case itExp:
        // Junk behind the number ("1ABC") makes the whole text invalid.
        return IsWholeRealText(Instring, true, d->FDecPSep);
    case itFloat:
        return IsFixedText(Instring, d->FDecPSep);
    case itFixPoint:
        // Exactly FixPointDecPlaces characters after the separator.
        return IsFixedText(Instring, d->FDecPSep) &&
               SeparatorPos(Instring, 1, CheckSeparatorMode(d->FDecPSep)) == Instring.size() - d->FDecP;
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
            return IsFixedText(Instring, d->FDecPSep);
        }
    }
    }
    return false;
}

// ---- format and range ------------------------------------------------------------------------

void TNumIO2::SetInFormatType(TInFormat Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Value == d->FInFormat) return;
    const double v = GetNioValue();
    d->FInFormat = Value;
    SetNioValue(v);
}

void TNumIO2::SetFixPointDecPlaces(int Value)
{
    if (Value < 1 || Value == d->FDecP) return;
    const double v = GetNioValue();
    d->FDecP = std::min(Value, 15);
    SetNioValue(v);
}

void TNumIO2::SetSignificantDigits(int Value)
{
    if (Value < 1 || Value == d->FSigDig) return;
    const double v = GetNioValue();
    d->FSigDig = std::min(Value, 15);
    SetNioValue(v);
}

void TNumIO2::SetDecSep(TDecPSep Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (Value == d->FDecPSep) return;
    if (int(Value) != dsBoth) {
        auto sepOf = [](TDecPSep Choice) {
            return int(Choice) == dsSystem ? SystemDecimalSeparator()
                                           : (int(Choice) == dsComma ? QChar(u',') : QChar(u'.'));
        };
        const QChar oldSep = sepOf(d->FDecPSep), newSep = sepOf(Value);
        if (int(d->FDecPSep) == dsBoth) {
            for (QChar &c : d->FInBuffer)
                if (c == u'.' || c == u',') c = newSep;
        } else if (oldSep != newSep) {
            for (QChar &c : d->FInBuffer)
                if (c == oldSep) c = newSep;
        }
    }
    d->FDecPSep = Value;
    Repaint();
    NotifyValue();
}

void TNumIO2::SetRangeLow(double Value)
{
    if (std::isnan(Value)) return;
    d->FMinimum = Value;
    if (d->FMaximum < d->FMinimum) d->FMaximum = d->FMinimum;
    Repaint();
}

void TNumIO2::SetRangeHigh(double Value)
{
    if (std::isnan(Value)) return;
    d->FMaximum = Value;
    if (d->FMinimum > d->FMaximum) d->FMinimum = d->FMaximum;
    Repaint();
}

bool TNumIO2::OutOfRange() const
{
    const double v = GetNioValue();
    return v < d->FMinimum || v > d->FMaximum;
}

// ---- behaviour ---------------------------------------------------------------------------------

void TNumIO2::SetReadOnly(bool Value)
{
    if (!Store(d->FReadOnly, Value)) return;
    if (d->FReadOnly) {
        FCaretTimer->Kill();
        d->FCaretVisib = false;
        Repaint();
    } else {
        UpdateTimer();
    }
}

void TNumIO2::SetAutoSize(bool Value)
{
    if (!Store(d->FAutoSize, Value)) return;
    Repaint();
}

void TNumIO2::SetHideSelection(bool Value)
{
    if (!Store(d->FHideSel, Value)) return;
    Repaint();
}

void TNumIO2::SetSelBegin(int N)
{
    d->SetSelBegin(N);
    Repaint();
}

void TNumIO2::SetSelEnd(int N)
{
    d->SetSelEnd(N);
    Repaint();
}

void TNumIO2::SetFocus()
{
    setFocus(Qt::OtherFocusReason);
    if (!d->FReadOnly) UpdateTimer();
}

void TNumIO2::UpdateTimer()
{
    FCaretTimer->Kill();
    d->FCaretVisib = true;
    if (!FCaretTimer->Start(kCaretInterval))
        throw EKRONumIO2Error(ComponentMessage(QStringLiteral("no timer available")));
    Repaint();
}

void TNumIO2::CaretTimerEvent()
{
    if (hasFocus()) {
        d->FCaretVisib = !d->FCaretVisib;
    } else {
        FCaretTimer->Kill();
        d->FCaretVisib = false;
    }
    Repaint();
    NotifyValue();
}

void TNumIO2::DoEnter()
{
    if (!d->FReadOnly) UpdateTimer();
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

// ---- geometry of the text --------------------------------------------------------------------------

TNumIO2Layout TNumIO2::Layout() const
{
    TNumIO2Metrics m;
    m.Width = Width();
    m.Height = Height();
    m.LeftSpace = d->FLeftSpace;
    m.TextBoxWidth = d->FTextBoxWidth;
    m.Alignment = d->FAlignment;
    m.ButVisible = d->FButVisible;
    m.ButWidth = d->FButWidth;
    m.ButHeight = d->FButHeight;
    m.ButSpace = d->FButSpace;
    m.GaugeVisible = d->FGaugeVisible;
    m.GaugeHeight = d->FGaugeHeight;
    m.GaugeWidth = d->FGaugeWidth;
    m.GaugeLeftMargin = d->FGaugeLeftMargin;
    m.GaugeTopMargin = d->FGaugeTopMargin;
    return TNumIO2Layout(m);
}

int TNumIO2::TextW(const QString &S) const
{
    return QFontMetrics(Font()->ToQFont()).horizontalAdvance(S);
}

int TNumIO2::CharPosToXCoords(int N) const
{
    return Layout().CharPosToX(TextW(d->FInBuffer.left(std::max(0, N))), TextW(d->FInBuffer));
}

int TNumIO2::XCoordsToCharPos(int X) const
{
    return Layout().XToCharPos(X, TextW(d->FInBuffer), d->Length());
}

// ---- keys ------------------------------------------------------------------------------------------

void TNumIO2::Beeper() const
{
    if (d->FBeep) MessageBeep();
}

void TNumIO2::keyPressEvent(QKeyEvent *Event)
{
    TCustomControl::keyPressEvent(Event);
    // Every key is the field's own (a refused one beeps); none travels on to the parent.
    if (Event->key() != Qt::Key_Tab && Event->key() != Qt::Key_Backtab) Event->accept();
}

bool TNumIO2::ClipboardKey(quint16 Key)
{
    switch (Key) {
    case 'C':
        if (d->HasSelection()) QGuiApplication::clipboard()->setText(d->SelectedText());
        return false;
    case 'V': {
        const QMimeData *md = QGuiApplication::clipboard()->mimeData();
        if (!md || !md->hasText()) return false;
        // A paste replaces the selection, as typing does; blanks and line breaks around the
        // copied text (a spreadsheet cell, a terminal line) are not part of the number.
        if (d->Paste(md->text().trimmed(), kMaxBufferLength)) return true;
        Beeper();
        return false;
    }
    case 'X':
        if (!d->HasSelection()) return false;
        QGuiApplication::clipboard()->setText(d->SelectedText());
        return d->DeleteSelection(FormatValue(0.0));
    default:
        Beeper();
        return false;
    }
}

bool TNumIO2::EditKey(quint16 Key)
{
    const QChar ch = TNumEditBuffer::CharOfKey(Key, d->FKeyShifted);
    if (!ch.isNull() && d->FInFormat == itFixPoint && !d->HasSelection() && d->FCaretPos < d->Length() &&
        SeparatorPos(QString(ch), 1, CheckSeparatorMode(d->FDecPSep)) == 1 &&
        SeparatorPos(d->FInBuffer, d->FCaretPos + 1, CheckSeparatorMode(d->FDecPSep)) == d->FCaretPos + 1) {
        d->CaretRight(); // a point typed on the point steps over it
        return false;
    }
    if (!ch.isNull()) {
        if (d->Type(ch, kMaxBufferLength)) return true;
        Beeper();
        return false;
    }
    switch (Key) {
    case VK_BACK:
        if (d->FInFormat == itFixPoint && FixPointClearDecimal()) return true;
        return d->Backspace(FormatValue(0.0));
    case VK_DELETE:
        return d->DeleteForward(FormatValue(0.0));
    case VK_TAB:
        focusNextChild();
        break;
    case VK_END:
        d->CaretEnd();
        break;
    case VK_HOME:
        d->CaretHome();
        break;
    case VK_LEFT:
    case VK_UP:
        d->CaretLeft();
        break;
    case VK_RIGHT:
    case VK_DOWN:
        d->CaretRight();
        break;
    default:
        Beeper();
        break;
    }
    return false;
}

void TNumIO2::KeyDown(quint16 &Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift); // the application's OnKeyDown may swallow the key
    if (Key == 0) return;
    if (Key == VK_SHIFT) {
        d->FKeyShifted = true;
        return;
    }
    if (Key == VK_CONTROL) {
        d->FKeyCntrl = true;
        return;
    }
    d->FKeyShifted = Shift & ssShift;
    d->FKeyCntrl = Shift & ssCtrl;
    if (d->FReadOnly && !(d->FKeyCntrl && Key == 'C')) return;

    const TNumEditBuffer before = *d;
    bool changed = d->FKeyCntrl ? ClipboardKey(Key) : EditKey(Key);

    // A fixed-point number typed without its point (into an empty field, over a selection) gets
    // its decimals; the caret stays before the point.
    if (changed && d->FInFormat == itFixPoint) FixPointComplete();
    // On-line check: the incomplete "", "-" and "+" pass.
    if (d->FOnLineCheck && !Exempt(d->FInBuffer) && !CheckValidity(d->FInBuffer)) {
        static_cast<TNumEditBuffer &>(*d) = before;
        changed = false;
        Beeper();
    }
    // In itFixPoint a key inside the decimals overwrites the decimal after the caret.
    if (d->FInFormat == itFixPoint) d->SelectFixPointOverwrite(d->FDecP);

    d->FCaretVisib = true;
    Repaint();
    NotifyValue();
    if (!changed) return;
    if (d->FOnChange) d->FOnChange(this);
    Q_EMIT onChange(this);
}

bool TNumIO2::FixPointClearDecimal()
{
    const TSeparatorMode mode = CheckSeparatorMode(d->FDecPSep);
    const int point = SeparatorPos(d->FInBuffer, 1, mode); // 1-based
    // The decimal after the caret is kept selected for overwriting; any other selection is the
    // user's and goes as usual.
    const bool overwriteMark = d->FSelBegin == d->FCaretPos && d->FSelEnd == d->FCaretPos + 1;
    if ((d->HasSelection() && !overwriteMark) || point == 0 || d->FCaretPos <= point) return false;
    // Backspace inside the decimals clears the digit before the caret to 0.
    d->FInBuffer[d->FCaretPos - 1] = u'0';
    d->PlaceCaret(d->FCaretPos - 1);
    return true;
}

void TNumIO2::FixPointComplete()
{
    const TSeparatorMode mode = CheckSeparatorMode(d->FDecPSep);
    if (Exempt(d->FInBuffer) || SeparatorPos(d->FInBuffer, 1, mode) > 0 || !IsFixedText(d->FInBuffer, mode))
        return;
    if (d->FInBuffer.size() + 1 + d->FDecP > kMaxBufferLength) return;
    d->FInBuffer += mode == sepComma ? u',' : u'.';
    d->FInBuffer += QString(d->FDecP, u'0');
}

void TNumIO2::KeyUp(quint16 &Key, TShiftState Shift)
{
    if (Key == VK_SHIFT)
        d->FKeyShifted = false;
    else if (Key == VK_CONTROL)
        d->FKeyCntrl = false;
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
    double v = Layout().GaugeValueAt(X, d->FMinimum, d->FMaximum);
    if (!ButtonPivots.empty()) v = ButtonPivots[NearestPivot(v)];
    return std::clamp(v, d->FMinimum, d->FMaximum);
}

void TNumIO2::ButtonStep(int Y)
{
    const double f = GetNioValue();
    const double e = std::pow(10.0, -d->FDecP);
    const bool lower = Layout().InLowerButton(Y);
    double v;
    if (ButtonPivots.empty()) {
        v = std::clamp(lower ? f - d->FButIncrem : f + d->FButIncrem, d->FMinimum, d->FMaximum);
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
    if (!d->FReadOnly) d->FCaretVisib = true;
    const TNumIO2Layout layout = Layout();
    if (layout.InTextRow(Y)) {
        d->PlaceCaret(XCoordsToCharPos(X));
        Repaint();
    }
    // A read-only field shows its value but does not let the mouse change it.
    if (!d->FReadOnly) {
        if (layout.InGauge(X, Y)) {
            SetNioValue(GaugeValueAt(X));
            d->FValueChanged = true;
        }
        if (layout.InButtons(X, Y)) {
            ButtonStep(Y);
            if (d->FOnChange) d->FOnChange(this);
            Q_EMIT onChange(this);
        }
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TNumIO2::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (d->FValueChanged) {
        d->FValueChanged = false;
        if (d->FOnChange) d->FOnChange(this);
        Q_EMIT onChange(this);
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TNumIO2::MouseMove(TShiftState Shift, int X, int Y)
{
    const TNumIO2Layout layout = Layout();
    d->FMouseAreaCode = layout.AreaCode(X);
    if (Shift & ssLeft) {
        if (layout.InTextRow(Y)) {
            const int p = XCoordsToCharPos(X);
            if (p > d->FSelBegin)
                SetSelEnd(p);
            else
                SetSelBegin(p);
        }
        if (!d->FReadOnly && layout.InGauge(X, Y, 1)) {
            const double v = GaugeValueAt(X);
            SetNioValue(v);
            if (d->FOnGaugeChange) d->FOnGaugeChange(this, Shift, v);
            Q_EMIT onGaugeChange(this, Shift, v);
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
    d->FLeftSpace = s->d->FLeftSpace;
    d->FTextBoxWidth = s->d->FTextBoxWidth;
    d->FDecP = s->d->FDecP;
    d->FSigDig = s->d->FSigDig;
    d->FLeftText = s->d->FLeftText;
    d->FRightText = s->d->FRightText;
    d->FFrameStyle = s->d->FFrameStyle;
    d->FLeftTextAlign = s->d->FLeftTextAlign;
    d->FRightTextAlign = s->d->FRightTextAlign;
    d->FAlignment = s->d->FAlignment;
    d->FColorBoxBG = s->d->FColorBoxBG;
    d->FColorBoxText = s->d->FColorBoxText;
    d->FColorOutBG = s->d->FColorOutBG;
    d->FColorOutText = s->d->FColorOutText;
    d->FColBlackLine = s->d->FColBlackLine;
    d->FColGrayLine = s->d->FColGrayLine;
    d->FColWhiteLine = s->d->FColWhiteLine;
    d->FColorScheme = s->d->FColorScheme;
    d->FInFormat = s->d->FInFormat;
    d->FInBuffer = s->d->FInBuffer;
    d->FCaretPos = s->d->FCaretPos;
    d->FCaretVisib = s->d->FCaretVisib;
    d->FMouseAreaCode = s->d->FMouseAreaCode;
    d->FColorWarnBG = s->d->FColorWarnBG;
    d->FColorWarnText = s->d->FColorWarnText;
    d->FSelBegin = s->d->FSelBegin;
    d->FSelEnd = s->d->FSelEnd;
    d->FDecPSep = s->d->FDecPSep;
    d->FKeyShifted = s->d->FKeyShifted;
    d->FKeyCntrl = s->d->FKeyCntrl;
    d->FHideSel = s->d->FHideSel;
    d->FMinimum = s->d->FMinimum;
    d->FMaximum = s->d->FMaximum;
    d->FOnLineCheck = s->d->FOnLineCheck;
    d->FBeep = s->d->FBeep;
    d->FReadOnly = s->d->FReadOnly;
    d->FAutoSize = s->d->FAutoSize;
    if (d->FReadOnly) {
        FCaretTimer->Kill(); // the timer stays this control's own
        d->FCaretVisib = false;
    }
    Repaint();
}

bool TNumIO2::AssignTo(TComponentBase *Dest) const
{
    if (auto *dst = dynamic_cast<TNumIO2 *>(Dest)) {
        dst->Assign(this);
        return true;
    }
    return TCustomControl::AssignTo(Dest);
}

// ---- readers ----

QString TNumIO2::Text() const
{
    return d->FInBuffer;
}
TInFormat TNumIO2::InputFormat() const
{
    return d->FInFormat;
}
int TNumIO2::FixPointDecPlaces() const
{
    return d->FDecP;
}
int TNumIO2::SignificantDigits() const
{
    return d->FSigDig;
}
TDecPSep TNumIO2::DecPlaceSep() const
{
    return d->FDecPSep;
}
double TNumIO2::RangeLow() const
{
    return d->FMinimum;
}
double TNumIO2::RangeHigh() const
{
    return d->FMaximum;
}
bool TNumIO2::Beep() const
{
    return d->FBeep;
}
void TNumIO2::SetBeep(bool Value)
{
    d->FBeep = Value;
}
bool TNumIO2::ReadOnly() const
{
    return d->FReadOnly;
}
bool TNumIO2::AutoSize() const
{
    return d->FAutoSize;
}
bool TNumIO2::HideSelection() const
{
    return d->FHideSel;
}
int TNumIO2::SelBegin() const
{
    return d->FSelBegin;
}
int TNumIO2::SelEnd() const
{
    return d->FSelEnd;
}
int TNumIO2::CaretPos() const
{
    return d->FCaretPos;
}
bool TNumIO2::CaretVisible() const
{
    return d->FCaretVisib;
}
int TNumIO2::MouseAreaCode() const
{
    return d->FMouseAreaCode;
}
int TNumIO2::LeftSpace() const
{
    return d->FLeftSpace;
}
int TNumIO2::TextBoxWidth() const
{
    return d->FTextBoxWidth;
}
QString TNumIO2::LeftText() const
{
    return d->FLeftText;
}
QString TNumIO2::RightText() const
{
    return d->FRightText;
}
TAlignment TNumIO2::LeftTextAlignment() const
{
    return d->FLeftTextAlign;
}
TAlignment TNumIO2::RightTextAlignment() const
{
    return d->FRightTextAlign;
}
TAlignment TNumIO2::Alignment() const
{
    return d->FAlignment;
}
TFrameStyle TNumIO2::FrameStyle() const
{
    return d->FFrameStyle;
}
TColor TNumIO2::ColorBoxBG() const
{
    return d->FColorBoxBG;
}
TColor TNumIO2::ColorBoxText() const
{
    return d->FColorBoxText;
}
TColor TNumIO2::ColorOutBG() const
{
    return d->FColorOutBG;
}
TColor TNumIO2::ColorOutText() const
{
    return d->FColorOutText;
}
TColor TNumIO2::ColorWarnBG() const
{
    return d->FColorWarnBG;
}
TColor TNumIO2::ColorWarnText() const
{
    return d->FColorWarnText;
}
TColorScheme TNumIO2::ColorScheme() const
{
    return d->FColorScheme;
}
bool TNumIO2::ButVisible() const
{
    return d->FButVisible;
}
int TNumIO2::ButWidth() const
{
    return d->FButWidth;
}
int TNumIO2::ButHeight() const
{
    return d->FButHeight;
}
int TNumIO2::ButSpace() const
{
    return d->FButSpace;
}
TColor TNumIO2::ButColor() const
{
    return d->FButColor;
}
double TNumIO2::ButIncrem() const
{
    return d->FButIncrem;
}
bool TNumIO2::But3D() const
{
    return d->FBut3D;
}
bool TNumIO2::GaugeVisible() const
{
    return d->FGaugeVisible;
}
int TNumIO2::GaugeHeight() const
{
    return d->FGaugeHeight;
}
int TNumIO2::GaugeWidth() const
{
    return d->FGaugeWidth;
}
int TNumIO2::GaugeLeftMargin() const
{
    return d->FGaugeLeftMargin;
}
int TNumIO2::GaugeTopMargin() const
{
    return d->FGaugeTopMargin;
}
TColor TNumIO2::GaugeColor() const
{
    return d->FGaugeColor;
}
TColor TNumIO2::GaugeColorBg() const
{
    return d->FGaugeColorBg;
}
TColor TNumIO2::GaugeColorFrame() const
{
    return d->FGaugeColorFrame;
}
TFrameStyle TNumIO2::GaugeFrameStyle() const
{
    return d->FGaugeFrameStyle;
}
void TNumIO2::SetOnChange(TNotifyEvent H)
{
    d->FOnChange = std::move(H);
}
const TNotifyEvent &TNumIO2::OnChange() const
{
    return d->FOnChange;
}
void TNumIO2::SetOnGaugeChange(TOnGaugeChangeEvent H)
{
    d->FOnGaugeChange = std::move(H);
}
const TOnGaugeChangeEvent &TNumIO2::OnGaugeChange() const
{
    return d->FOnGaugeChange;
}

} // namespace kro
