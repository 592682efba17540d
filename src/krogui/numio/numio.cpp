#include <krogui/core/keys.h>
#include <krogui/core/kromath.h>
#include <krogui/core/property.h>
#include <krogui/core/strutil.h>
#include <krogui/graphics/colors.h>
#include <krogui/numio/numio.h>

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include <cmath>

namespace kro {

struct TNumIOPrivate
{
    TInFormat FInFormat = itDynamic;
    int FFixPDecPl = 2;
    QString FOldText;
    bool FInternalChg = false;
    bool FBeep = false;
    double FMinimum = 0.0;
    double FMaximum = 0.0;
    bool FRangeSet = false;
    TDecPSep FDecPSep = dsSystem;
    bool FAutoSelect = true;
    bool FAutoSize = true;
    bool FParentColor = false;
    bool FHideSelection = true;
    bool FApplyingFont = false;
    TNotifyEvent FOnChange;
    int FChangeDepth = 0;      // nesting of text-change notifications being handled
    double FNotifiedValue = 0; // value and text last announced by ValueChanged / TextChanged
    QString FNotifiedText;
};

TNumIO::TNumIO(QWidget *Parent)
    : QLineEdit(Parent), TComponentBase(this), TControlCore(this, clWindow),
      d(std::make_unique<TNumIOPrivate>())
{
    BindCoreSignals(this, [this](const QMetaMethod &S) { return isSignalConnected(S); });
    // The field shows the font it inherits until the application gives it one of its own.
    AdoptFont(font());
    SetParentFont(true);
    connect(this, &QLineEdit::textChanged, this, &TNumIO::TextEdited);
    SetEditText(QString());
    FitHeight();
    ApplyPalette();
    UpdateAccessibleText();
    d->FNotifiedValue = Value();
    d->FNotifiedText = text();
}

void TNumIO::TextEdited()
{
    // A refused edit puts the old text back from inside the validation: only the outermost
    // notification announces the outcome, so a refused text is never reported.
    ++d->FChangeDepth;
    SafeInvoke([this] { Change(); });
    if (--d->FChangeDepth == 0) NotifyValue();
}

QAccessible::Role TNumIO::AccessibleRole() const
{
    return QAccessible::EditableText;
}

bool TNumIO::AccessibleNumeric(double &Value, double &Minimum, double &Maximum) const
{
    Value = this->Value();
    Minimum = d->FMinimum;
    Maximum = d->FMaximum;
    return true;
}

bool TNumIO::SetAccessibleNumericValue(double Value)
{
    if (isReadOnly() || std::isnan(Value)) return false;
    if ((Value < d->FMinimum || Value > d->FMaximum) && Value != 0.0) return false; // as typed text
    SetLabValue(Value);
    return true;
}

void TNumIO::NotifyValue()
{
    // The value also depends on the format: a new format may give the same text another value.
    const QString t = text();
    const double v = Value();
    const bool textChanged = t != d->FNotifiedText;
    const bool valueChanged = v != d->FNotifiedValue;
    d->FNotifiedText = t;
    d->FNotifiedValue = v;
    if (textChanged) Q_EMIT TextChanged(t);
    if (!valueChanged) return;
    Q_EMIT ValueChanged(v);
    NotifyAccessibleValueChanged();
}

TNumIO::~TNumIO() = default;

// ---- conversion ------------------------------------------------------------------------------

namespace {

// True when the decimal integer text (optional blanks and sign, digits) lies in the 32-bit range.
bool FitsInt32(QStringView Text)
{
    qsizetype i = 0;
    while (i < Text.size() && Text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < Text.size() && (Text[i] == u'-' || Text[i] == u'+')) negative = Text[i++] == u'-';
    qint64 v = 0;
    for (; i < Text.size(); ++i) {
        const char16_t c = Text[i].unicode();
        if (c < u'0' || c > u'9') break;
        v = v * 10 + (c - u'0');
        if (v > qint64(INT32_MAX) + 1) return false;
    }
    return negative ? v <= qint64(INT32_MAX) + 1 : v <= INT32_MAX;
}

// Pasted or typed text keeps no line breaks or tabs around it, nor trailing blanks (copied from a
// spreadsheet or a terminal). Leading blanks stay: formatted text may start with one.
QString TrimPasted(const QString &Text)
{
    qsizetype from = 0, to = Text.size();
    while (from < to && (Text[from] == u'\n' || Text[from] == u'\r' || Text[from] == u'\t'))
        ++from;
    while (to > from && Text[to - 1].isSpace())
        --to;
    return from == 0 && to == Text.size() ? Text : Text.mid(from, to - from);
}

} // namespace

bool TNumIO::ConvertNumString(QString Text, double &Value) const
{
    return Convert(std::move(Text), Value, EditSeparatorMode(d->FDecPSep));
}

bool TNumIO::Convert(QString Text, double &Value, TSeparatorMode Mode) const
{
    if (Text.isEmpty()) return false;
    Value = 0.0;
    qsizetype lead = 0;
    while (lead < Text.size() && Text[lead] == u' ')
        ++lead;
    Text.remove(0, lead);
    if (Text.contains(u' ')) return false;
    Text = Text.toLower();
    if (Text.isEmpty()) return true; // only blanks

    TInFormat fmt = d->FInFormat;
    QString digits = Text; // what a radix format reads
    if (fmt == itDynamic) {
        const QChar first = Text[0];
        if (first == u'$' || first == u'%' || first == u'&') {
            fmt = first == u'$' ? itHex : first == u'%' ? itBin : itOct;
            digits = Text.mid(1);
            if (digits.startsWith(u'$')) return false; // the prefix is not part of the digits
        } else {
            fmt = itExp;
        }
    }

    int pos = 1;
    switch (fmt) {
    case itExp: {
        const int p = int(Text.indexOf(u'e')) + 1;
        if (p > 0 &&
            (Text.size() == p || (Text.size() == p + 1 && (Text.back() == u'-' || Text.back() == u'+'))))
            Text.truncate(p - 1); // a dangling exponent is ignored while typing
        Value = ScanReal(Text, true, Mode, pos);
        return pos == Text.size() + 1;
    }
    case itFloat:
    case itFixPoint:
        Value = ScanReal(Text, false, Mode, pos);
        return pos == Text.size() + 1;
    case itInt:
        Value = ScanInt(Text, pos);
        // ScanInt wraps; a text whose number does not fit the integer type is not one.
        return pos == Text.size() + 1 && FitsInt32(Text);
    case itHex:
        Value = ScanHex(digits, pos);
        return pos == digits.size() + 1;
    case itOct:
        Value = ScanOct(digits, pos);
        return pos == digits.size() + 1;
    case itBin:
        Value = ScanBin(digits, pos);
        return pos == digits.size() + 1;
    case itDynamic:
        break;
    }
    return false;
}

double TNumIO::GetLabValue() const
{
    QString t = text();
    const qsizetype comma = t.indexOf(u',');
    if (comma >= 0) t[comma] = u'.';
    if (!t.isEmpty() && t.back() == u'.') t += u'0';
    double v = 0.0;
    if (!Convert(t, v, sepEither)) return 0.0;
    return v;
}

QString TNumIO::FormatValue(double Value) const
{
    QString s;
    switch (d->FInFormat) {
    case itExp:
    case itDynamic:
        s = FormatReal(12, -2, Value);
        if (s.startsWith(u'*'))
            s = FormatReal(14, -1, Value); // a three-digit exponent: keep the number readable
        break;
    case itFloat:
        s = FormatReal(1, 8, Value);
        break;
    case itFixPoint:
        s = FormatReal(1, d->FFixPDecPl, Value);
        break;
    case itInt:
        s = FormatReal(1, 0, Value);
        break;
    case itHex:
        return HexDigits(RoundToInt32Bits(Value), 8);
    case itOct:
        return OctDigits(RoundToInt32Bits(Value), 11);
    case itBin:
        return BinDigits(RoundToInt32Bits(Value), 32);
    }
    // Write the separator the field's own conversion reads.
    if (EditSeparatorMode(d->FDecPSep) == sepComma) s.replace(u'.', u',');
    return s;
}

void TNumIO::SetLabValue(double Value)
{
    if (std::isnan(Value)) return;
    Value = std::clamp(Value, -uc_MaxDouble, uc_MaxDouble);
    // The text must read back as the value: an integer field holds 32-bit integers.
    if (d->FInFormat == itInt) Value = std::clamp(Value, double(INT32_MIN), double(INT32_MAX));
    const QString t = FormatValue(Value);
    SetEditText(t);
    // The written text is what a refused edit has to bring back.
    d->FOldText = t;
}

// ---- validation ------------------------------------------------------------------------------

void TNumIO::SetEditText(const QString &Text)
{
    if (Text == text()) return; // no notification would come to clear the flag
    d->FInternalChg = true;
    setText(Text);
    // The notification is synchronous; the flag must not outlive this assignment, or the next
    // user edit would pass unvalidated (a text cut by maxLength, for example).
    d->FInternalChg = false;
}

void TNumIO::Change()
{
    if (IsDesigning()) return;
    if (d->FInternalChg) {
        d->FInternalChg = false;
        return;
    }
    if (IsLoading()) return; // validated once all stored properties are in (Loaded)

    const TSeparatorMode mode = EditSeparatorMode(d->FDecPSep);
    QString cur = TrimPasted(text());
    int caret = std::min(cursorPosition(), int(cur.size()));
    bool rewrite = cur.size() != text().size();
    QString newText = cur;

    if (d->FInFormat == itFixPoint) {
        const int p = SeparatorPos(cur, 1, mode);
        const int q = p > 0 ? SeparatorPos(cur, p + 1, mode) : 0;
        if (q > 0) {
            // A second point: the old text stays, the caret before its point.
            newText = d->FOldText;
            caret = std::max(0, SeparatorPos(d->FOldText, 1, mode) - 1);
            SetEditText(newText);
            setCursorPosition(std::clamp(caret, 0, int(text().size())));
            if (d->FBeep) MessageBeep();
            UpdateAccessibleText();
            return;
        }
        if (p == 0 && (cur.isEmpty() || cur == u"-" || cur == u"+")) {
            // A number being started (typed over a selection, or into an empty field).
            d->FOldText = cur;
            if (rewrite) SetEditText(cur);
            UpdateAccessibleText();
            return;
        }
        if (cur == u"." || cur == u"-.") {
            cur.insert(cur.size() - 1, u'0'); // a point typed over everything starts "0."
            cur += u'0';
            caret = int(cur.size()) - 1;
            rewrite = true;
        }
        if (p > 0 && cur.size() - p > d->FFixPDecPl) {
            cur.truncate(p + d->FFixPDecPl); // typing in the decimals overwrites them
            rewrite = true;
        }
    }

    double v = 0.0;
    bool ok = ConvertNumString(cur, v);
    bool accepted = false;
    if (ok) {
        if (d->FInFormat == itFixPoint) {
            newText = FormatReal(1, d->FFixPDecPl, v);
            if (mode == sepComma) newText.replace(u'.', u',');
            // A typed leading "-" stays even while the number is still zero.
            if (v == 0.0 && cur.startsWith(u'-')) newText.prepend(u'-');
            // The caret keeps its place counted from the point; without a point in the typed
            // text (a number typed over a selection, the point deleted) it stays where it is.
            const int oldPoint = SeparatorPos(cur, 1, mode);
            const int newPoint = SeparatorPos(newText, 1, mode);
            if (oldPoint > 0 && newPoint > 0) caret += newPoint - oldPoint;
            rewrite = true;
        } else if (rewrite) {
            newText = cur;
        }
        if ((v >= d->FMinimum && v <= d->FMaximum) || v == 0.0) {
            // The last accepted text is the one the field shows: in itFixPoint the formatted one.
            d->FOldText = d->FInFormat == itFixPoint ? newText : cur;
            accepted = true;
        } else {
            ok = false;
        }
    }
    if (!ok) {
        newText = d->FOldText;
        rewrite = true;
        caret = caret - 1;
        repaint();
        if (d->FBeep) MessageBeep();
    }
    if (rewrite) {
        SetEditText(newText);
        setCursorPosition(std::clamp(caret, 0, int(text().size())));
    }
    UpdateAccessibleText();
    // Fired last, so that a handler sees (and may change) the final text.
    if (!accepted) return;
    if (d->FOnChange) d->FOnChange(this);
    Q_EMIT onChange(this);
}

void TNumIO::SetInputFormat(TInFormat Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FInFormat, Value)) return;
    d->FOldText.clear();
    Change();
    NotifyValue();
}

void TNumIO::SetFixPDecPl(int Value)
{
    d->FFixPDecPl = std::clamp(Value, 1, 8);
}

void TNumIO::SetDecPSep(TDecPSep Value)
{
    if (!IsDeclaredValue(Value)) return;
    if (!Store(d->FDecPSep, Value)) return;
    d->FOldText.clear();
    Change();
    NotifyValue();
}

void TNumIO::SetRangeLow(double Value)
{
    if (std::isnan(Value)) return;
    d->FRangeSet = true;
    if (IsLoading()) {
        // A stored form sets the bounds one after the other: the first must not be measured
        // against the other's default (Loaded puts them in order).
        d->FMinimum = Value;
        return;
    }
    if (Value >= d->FMaximum) {
        d->FMinimum = d->FMaximum;
        d->FMaximum = Value;
    } else {
        d->FMinimum = Value;
    }
    d->FOldText.clear();
    Change();
    NotifyValue();
}

void TNumIO::SetRangeHigh(double Value)
{
    if (std::isnan(Value)) return;
    d->FRangeSet = true;
    if (IsLoading()) {
        d->FMaximum = Value; // see SetRangeLow
        return;
    }
    if (Value > d->FMinimum) {
        d->FMaximum = Value;
    } else {
        d->FMaximum = d->FMinimum;
        d->FMinimum = Value;
    }
    d->FOldText.clear();
    Change();
    NotifyValue();
}

void TNumIO::Loaded()
{
    if (d->FMinimum > d->FMaximum) std::swap(d->FMinimum, d->FMaximum);
    d->FOldText.clear();
    Change();
    NotifyValue();
}

void TNumIO::DesigningChanged()
{
    if (IsDesigning() && !d->FRangeSet) {
        d->FMinimum = -uc_MaxDouble;
        d->FMaximum = uc_MaxDouble;
    }
}

void TNumIO::Assign(const TComponentBase *Source)
{
    if (Source == this) return;
    if (const auto *src = dynamic_cast<const TNumIO *>(Source)) {
        d->FInFormat = src->d->FInFormat;
        d->FBeep = src->d->FBeep;
        d->FMinimum = src->d->FMinimum;
        d->FMaximum = src->d->FMaximum;
        d->FRangeSet = true;
        d->FDecPSep = src->d->FDecPSep;
        d->FOldText.clear();
        Change();
        NotifyValue();
        return;
    }
    TComponentBase::Assign(Source);
}

bool TNumIO::AssignTo(TComponentBase *Dest) const
{
    if (auto *dst = dynamic_cast<TNumIO *>(Dest)) {
        dst->Assign(this);
        return true;
    }
    return TComponentBase::AssignTo(Dest);
}

// ---- inherited properties ----------------------------------------------------------------------

void TNumIO::SetAutoSize(bool Value)
{
    if (!Store(d->FAutoSize, Value)) return;
    FitHeight();
}

void TNumIO::FitHeight()
{
    if (d->FAutoSize) {
        setFixedHeight(sizeHint().height());
    } else {
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    }
}

void TNumIO::SetColor(TColor Value)
{
    const bool wasParent = d->FParentColor;
    // A stored form holds both properties as they were saved: while it loads, the colour does not
    // undo ParentColor, whichever of the two comes first.
    if (!IsLoading()) d->FParentColor = false;
    if (Value == Color()) {
        if (wasParent) ApplyPalette();
        return;
    }
    TControlCore::SetColor(Value);
}

void TNumIO::ColorChanged()
{
    ApplyPalette();
}

void TNumIO::FontChanged()
{
    if (d->FApplyingFont) return;
    d->FApplyingFont = true;
    // Following the parent, the field takes Qt's inherited font again.
    setFont(ParentFont() ? QFont() : Font()->ToQFont());
    d->FApplyingFont = false;
}

void TNumIO::SetParentColor(bool Value)
{
    if (!Store(d->FParentColor, Value)) return;
    ApplyPalette();
}

void TNumIO::SetHideSelection(bool Value)
{
    if (!Store(d->FHideSelection, Value)) return;
    ApplyPalette();
}

void TNumIO::ApplyPalette()
{
    QPalette pal = palette();
    QColor base = ToQColor(Color());
    if (d->FParentColor && parentWidget()) base = parentWidget()->palette().color(QPalette::Window);
    pal.setColor(QPalette::Base, base);
    // A hidden selection is drawn in the colours of the plain text, so it stays (and comes back)
    // but is not seen while another control has the focus.
    const bool hide = d->FHideSelection && !hasFocus();
    const QPalette app = QApplication::palette(this);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        pal.setColor(group, QPalette::Highlight, hide ? base : app.color(group, QPalette::Highlight));
        pal.setColor(group, QPalette::HighlightedText,
                     hide ? pal.color(group, QPalette::Text) : app.color(group, QPalette::HighlightedText));
    }
    setPalette(pal);
}

void TNumIO::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (d->FAutoSize) AHeight = height();
    TControlCore::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TNumIO::UpdateAccessibleText()
{
    static const char *const kFormats[] = {"real number", "real number", "fixed-point number",
                                           "integer",     "hexadecimal", "octal",
                                           "binary",      "number"};
    const QString desc = QStringLiteral("%1 field, %2 to %3")
                             .arg(QLatin1String(kFormats[std::clamp(int(d->FInFormat), 0, 7)]))
                             .arg(d->FMinimum)
                             .arg(d->FMaximum);
    if (accessibleDescription() != desc) setAccessibleDescription(desc);
    if (accessibleName().isEmpty()) setAccessibleName(QStringLiteral("Number"));
}

// ---- input events: the core's router, and the edit's own handling ---------------------------------

void TNumIO::keyPressEvent(QKeyEvent *Event)
{
    const TInputRouter::TKeyResult r = Input().KeyPress(Event);
    if (r.Swallowed) {
        Event->accept();
        return;
    }
    if (d->FInFormat == itFixPoint && r.Typed && r.Text.size() == 1 && !hasSelectedText() && !isReadOnly()) {
        // A point typed before the point that already stands moves the caret past it.
        const TSeparatorMode mode = EditSeparatorMode(d->FDecPSep);
        const int point = SeparatorPos(text(), 1, mode);
        if (point > 0 && SeparatorPos(r.Text, 1, mode) == 1 && cursorPosition() < point) {
            setCursorPosition(point);
            Event->accept();
            return;
        }
    }
    if (r.Typed && r.Text != Event->text()) {
        // A handler changed the typed character: the edit types the new one.
        QKeyEvent changed(Event->type(), Event->key(), Event->modifiers(), r.Text, Event->isAutoRepeat(),
                          ushort(Event->count()));
        QLineEdit::keyPressEvent(&changed);
        Event->setAccepted(changed.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(Event);
}

void TNumIO::keyReleaseEvent(QKeyEvent *Event)
{
    Input().KeyRelease(Event);
    QLineEdit::keyReleaseEvent(Event);
}

void TNumIO::mousePressEvent(QMouseEvent *Event)
{
    QLineEdit::mousePressEvent(Event);
    Input().MousePress(Event);
}

void TNumIO::mouseReleaseEvent(QMouseEvent *Event)
{
    QLineEdit::mouseReleaseEvent(Event);
    Input().MouseRelease(Event);
}

void TNumIO::mouseDoubleClickEvent(QMouseEvent *Event)
{
    QLineEdit::mouseDoubleClickEvent(Event);
    Input().MouseDoubleClick(Event);
}

void TNumIO::mouseMoveEvent(QMouseEvent *Event)
{
    QLineEdit::mouseMoveEvent(Event);
    Input().MouseMove(Event);
}

void TNumIO::wheelEvent(QWheelEvent *Event)
{
    if (Input().Wheel(Event))
        Event->accept();
    else
        QLineEdit::wheelEvent(Event);
}

void TNumIO::enterEvent(QEnterEvent *Event)
{
    QLineEdit::enterEvent(Event);
    Input().Enter();
}

void TNumIO::leaveEvent(QEvent *Event)
{
    QLineEdit::leaveEvent(Event);
    Input().Leave();
}

// Without drag handlers the edit takes dropped text as any line edit does.
void TNumIO::dragEnterEvent(QDragEnterEvent *Event)
{
    if (!Input().DragEnter(Event)) QLineEdit::dragEnterEvent(Event);
}

void TNumIO::dragMoveEvent(QDragMoveEvent *Event)
{
    if (!Input().DragMove(Event)) QLineEdit::dragMoveEvent(Event);
}

void TNumIO::dragLeaveEvent(QDragLeaveEvent *Event)
{
    if (!Input().DragLeave()) QLineEdit::dragLeaveEvent(Event);
}

void TNumIO::dropEvent(QDropEvent *Event)
{
    if (!Input().Drop(Event)) QLineEdit::dropEvent(Event);
}

void TNumIO::focusInEvent(QFocusEvent *Event)
{
    const bool hadSelection = hasSelectedText();
    QLineEdit::focusInEvent(Event);
    if (!d->FAutoSelect && !hadSelection && hasSelectedText()) deselect();
    ApplyPalette();
    Input().FocusIn();
}

void TNumIO::focusOutEvent(QFocusEvent *Event)
{
    QLineEdit::focusOutEvent(Event);
    ApplyPalette();
    Input().FocusOut();
}

void TNumIO::changeEvent(QEvent *Event)
{
    QLineEdit::changeEvent(Event);
    FontEvent(Event);
    if (Event->type() == QEvent::FontChange && d->FAutoSize)
        FitHeight();
    else if (Event->type() == QEvent::ParentChange && d->FParentColor)
        ApplyPalette();
}

// ---- readers ----

TInFormat TNumIO::InputFormat() const
{
    return d->FInFormat;
}
int TNumIO::FixPointDecPlaces() const
{
    return d->FFixPDecPl;
}
TDecPSep TNumIO::DecPlaceSep() const
{
    return d->FDecPSep;
}
double TNumIO::RangeLow() const
{
    return d->FMinimum;
}
double TNumIO::RangeHigh() const
{
    return d->FMaximum;
}
bool TNumIO::Beep() const
{
    return d->FBeep;
}
void TNumIO::SetBeep(bool Value)
{
    d->FBeep = Value;
}
bool TNumIO::AutoSelect() const
{
    return d->FAutoSelect;
}
void TNumIO::SetAutoSelect(bool Value)
{
    d->FAutoSelect = Value;
}
bool TNumIO::AutoSize() const
{
    return d->FAutoSize;
}
bool TNumIO::ParentColor() const
{
    return d->FParentColor;
}
bool TNumIO::HideSelection() const
{
    return d->FHideSelection;
}
void TNumIO::SetOnChange(TNotifyEvent H)
{
    d->FOnChange = std::move(H);
}
const TNotifyEvent &TNumIO::OnChange() const
{
    return d->FOnChange;
}

KRO_CORE_SIGNAL_LISTENERS(TNumIO, QLineEdit)

} // namespace kro
