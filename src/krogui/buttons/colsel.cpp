#include <krogui/buttons/colsel.h>
#include <krogui/core/keys.h>
#include <krogui/core/property.h>
#include <krogui/graphics/canvas.h>
#include <krogui/graphics/colors.h>

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QColorDialog>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStylePainter>

#include <algorithm>
#include <array>
#include <cmath>

namespace kro {

struct TColSelPrivate
{
    std::array<TColor, TColSel::MaxColors> FColors{};
    std::array<QString, TColSel::MaxColors> FColorNames;
    std::array<bool, TColSel::MaxColors> FIsUserEditable{};
    int FNumColors = 20;
    int FSelColorIx = 1;
    int FColorBarWidth = 30;
    bool FEnabled = true;
    int FMouseAreaCode = 0;
    bool FRebuilding = false;
    QSize FDesignSize{145, 22};
    TOnColorNameChangeEvent FOnCNameChange;
    TColor FNotifiedSelColor = clNone; // SelColor as last reported by SelColorChanged
    TNotifyEvent FOnChange, FOnDropDown;
    bool FApplyingFont = false;
    // SelColor as a stored form holds it, applied once the form is complete.
    bool FHasLoadedSelColor = false;
    TColor FLoadedSelColor = clNone;

    bool InRange(int Index) const { return Index >= 1 && Index <= FNumColors; }
};

/// Draws the items of the open list through the control's DrawItem.
class TColSelDelegate : public QAbstractItemDelegate
{
public:
    explicit TColSelDelegate(TColSel *Owner) : QAbstractItemDelegate(Owner), FOwner(Owner) {}

    void paint(QPainter *Painter, const QStyleOptionViewItem &Option, const QModelIndex &Index) const override
    {
        const QRect r = Option.rect;
        Painter->save();
        {
            TCanvas canvas(Painter);
            SafeInvoke([&] {
                FOwner->DrawItem(Index.row(), Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1),
                                 &canvas);
            });
        }
        Painter->restore();
        // The item under the mouse or the keyboard gets a frame, as the list's focus mark.
        if (Option.state & QStyle::State_Selected) {
            Painter->save();
            Painter->setPen(Option.palette.color(QPalette::Highlight));
            Painter->setBrush(Qt::NoBrush);
            Painter->drawRect(r.adjusted(0, 0, -1, -1));
            Painter->restore();
        }
    }

    QSize sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        return QSize(FOwner->width(), FOwner->ItemHeight());
    }

private:
    TColSel *FOwner;
};

TColSel::TColSel(QWidget *Parent)
    : QComboBox(Parent), TComponentBase(this), TControlCore(this, clWindow),
      d(std::make_unique<TColSelPrivate>())
{
    BindCoreSignals(this, [this](const QMetaMethod &S) { return isSignalConnected(S); });
    // The names show the font the box inherits until the application gives it one of its own.
    AdoptFont(font());
    SetParentFont(true);
    const auto &table = PredefinedColors();
    for (int i = 0; i < MaxColors; ++i) {
        d->FColors[i] = table[i];
        d->FColorNames[i] = ColorToString(table[i]);
    }
    setEditable(false);
    setItemDelegate(new TColSelDelegate(this));
    setMouseTracking(true);
    connect(this, &QComboBox::activated, this, [this](int) { SafeInvoke([this] { Click(); }); });
    connect(this, &QComboBox::currentIndexChanged, this, [this](int Index) { CurrentIndexChanged(Index); });
    LoadColorsIntoComboList();
    d->FDesignSize = QSize(145, std::max(22, QComboBox::sizeHint().height()));
    resize(d->FDesignSize);
}

TColSel::~TColSel() = default;

// ---- properties ----------------------------------------------------------------

int TColSel::ColorBarWidth() const
{
    return d->FColorBarWidth;
}

void TColSel::SetColorBarWidth(int Value)
{
    if (Value < 0 || !Store(d->FColorBarWidth, Value)) return;
    Refresh();
}

int TColSel::NumColors() const
{
    return d->FNumColors;
}

void TColSel::SetNumColors(int Value)
{
    if (Value < 1 || Value > MaxColors || !Store(d->FNumColors, Value)) return;
    d->FSelColorIx = 1;
    LoadColorsIntoComboList();
}

TColor TColSel::SelColor() const
{
    return d->InRange(d->FSelColorIx) ? d->FColors[d->FSelColorIx - 1] : clNone;
}

void TColSel::SetSelColor(TColor Value)
{
    if (IsLoading()) {
        d->FHasLoadedSelColor = true;
        d->FLoadedSelColor = Value;
        return;
    }
    if (Value == clNone) {
        d->FSelColorIx = 0;
        setCurrentIndex(-1);
        SelectionChanged();
        Refresh();
        return;
    }
    const TColor rgb = ColorToRGB(Value);
    for (int k = 0; k < d->FNumColors; ++k) {
        if (ColorToRGB(d->FColors[k]) != rgb) continue;
        d->FSelColorIx = k + 1;
        d->FColorNames[k] = DeriveName(d->FColors[k]);
        setItemText(k, d->FColorNames[k]);
        setCurrentIndex(k);
        SelectionChanged();
        Refresh();
        return;
    }
    // Not in the list: a new entry behind the others, so that no entry is lost.
    if (d->FNumColors < MaxColors) {
        const int k = d->FNumColors;
        d->FColors[k] = Value;
        d->FColorNames[k] = DeriveName(rgb);
        d->FNumColors = k + 1;
        d->FSelColorIx = k + 1;
        LoadColorsIntoComboList();
    } else {
        d->FSelColorIx = 0;
        setCurrentIndex(-1);
        SelectionChanged();
    }
    Refresh();
}

bool TColSel::Enabled() const
{
    return d->FEnabled;
}

void TColSel::SetEnabled(bool Value)
{
    d->FEnabled = Value;
    setEnabled(Value);
    Refresh();
}

void TColSel::FontChanged()
{
    if (d->FApplyingFont) return;
    d->FApplyingFont = true;
    setFont(ParentFont() ? QFont() : Font()->ToQFont());
    d->FApplyingFont = false;
    Refresh();
}

void TColSel::changeEvent(QEvent *Event)
{
    QComboBox::changeEvent(Event);
    FontEvent(Event);
}

// ---- entries ---------------------------------------------------------------------

TColor TColSel::GetArrayColor(int Index) const
{
    return d->InRange(Index) ? d->FColors[Index - 1] : 0;
}

void TColSel::SetArrayColor(int Index, TColor Color)
{
    if (!d->InRange(Index)) return;
    d->FColors[Index - 1] = Color;
    d->FColorNames[Index - 1] = DeriveName(Color);
    setItemText(Index - 1, d->FColorNames[Index - 1]);
    SelectionChanged();
    Refresh();
}

QString TColSel::GetArrayColorName(int Index) const
{
    return d->InRange(Index) ? d->FColorNames[Index - 1] : QString();
}

void TColSel::SetArrayColorName(int Index, const QString &Name)
{
    if (!d->InRange(Index)) return;
    d->FColorNames[Index - 1] = Name;
    setItemText(Index - 1, Name);
    SelectionChanged();
    Refresh();
}

bool TColSel::GetArrayAllowEdit(int Index) const
{
    return d->InRange(Index) && d->FIsUserEditable[Index - 1];
}

void TColSel::SetArrayAllowEdit(int Index, bool Value)
{
    if (!d->InRange(Index)) return;
    d->FIsUserEditable[Index - 1] = Value;
    Refresh();
}

QString TColSel::GetSelColorID() const
{
    if (currentIndex() < 0 || !d->InRange(d->FSelColorIx)) return QString();
    return d->FColorNames[d->FSelColorIx - 1];
}

int TColSel::SelColorIndex() const
{
    return d->InRange(d->FSelColorIx) ? d->FSelColorIx : 0;
}

// ---- methods --------------------------------------------------------------------------

void TColSel::SetAllColorEditFlags()
{
    d->FIsUserEditable.fill(true);
    Refresh();
}

void TColSel::ResetAllColorEditFlags()
{
    d->FIsUserEditable.fill(false);
    Refresh();
}

void TColSel::LoadPalette(int First, int Count)
{
    const auto &table = PredefinedColors();
    for (int i = 0; i < Count; ++i) {
        d->FColors[i] = table[First + i];
        d->FColorNames[i] = DeriveName(d->FColors[i]);
    }
    d->FSelColorIx = 1;
    d->FNumColors = Count;
    LoadColorsIntoComboList();
}

void TColSel::LoadBasicVGAPalette()
{
    LoadPalette(0, 16);
}
void TColSel::LoadExtendedPalette()
{
    LoadPalette(0, 20);
}
void TColSel::LoadStandardPalette()
{
    LoadPalette(0, 47);
}
void TColSel::LoadWindowsSystemPalette()
{
    LoadPalette(20, 27);
}

QString TColSel::DeriveName(TColor Color)
{
    QString name = ColorToString(Color);
    if (d->FOnCNameChange) d->FOnCNameChange(this, name);
    Q_EMIT onColorNameChange(this, name);
    return name;
}

void TColSel::LoadColorsIntoComboList()
{
    d->FRebuilding = true;
    clear();
    for (int k = 0; k < d->FNumColors; ++k)
        addItem(d->FColorNames[k]);
    setCurrentIndex(d->FSelColorIx - 1);
    d->FRebuilding = false;
    SelectionChanged();
    Refresh();
}

void TColSel::CurrentIndexChanged(int Index)
{
    if (d->FRebuilding) return;
    // Items the application added behind the entries select no entry.
    d->FSelColorIx = Index >= 0 && Index < d->FNumColors ? Index + 1 : 0;
    SelectionChanged();
}

void TColSel::Refresh()
{
    update();
    if (view()) view()->viewport()->update();
}

void TColSel::SelectionChanged()
{
    UpdateAccessibleName();
    const TColor now = SelColor();
    if (now == d->FNotifiedSelColor) return;
    d->FNotifiedSelColor = now;
    Q_EMIT SelColorChanged(ToStoredColor(now));
}

void TColSel::UpdateAccessibleName()
{
    const QString id = GetSelColorID();
    setAccessibleName(tr("Colour: %1").arg(id.isEmpty() ? tr("none") : id));
}

// ---- drawing ---------------------------------------------------------------------------

int TColSel::ItemHeight() const
{
    TFont f;
    f.AssignQFont(font());
    return std::max(16, QFontMetrics(f.ToQFont()).height() + 2);
}

void TColSel::DrawItem(int Index, const TRect &Rect, TCanvas *Canvas)
{
    if (!Canvas || Index < 0 || Index >= count()) return;
    const bool entry = Index < d->FNumColors;
    const bool enabled = isEnabled();
    const int L = Rect.Left, T = Rect.Top, B = Rect.Bottom, cbw = d->FColorBarWidth;
    TPen *pen = Canvas->Pen();
    TBrush *brush = Canvas->Brush();
    const TColor savedBrush = brush->Color(), savedFont = Canvas->Font()->Color();
    pen->SetStyle(psSolid);
    pen->SetMode(pmCopy);
    brush->SetStyle(bsSolid);

    if (cbw > 0 && entry) {
        if (enabled) {
            brush->SetColor(d->FColors[Index]);
        } else {
            pen->SetColor(clSilver);
            brush->SetColor(clSilver);
            Canvas->Rectangle(L - 1, T - 1, L + 3 + cbw, B + 1);
            pen->SetColor(clGray);
        }
        Canvas->Rectangle(L + 3, T + 2, L + 3 + cbw, B - 2);
    }
    if (entry && d->FIsUserEditable[Index] && cbw >= 12 && enabled) {
        // A small page outline, dark on light colours and light on dark ones.
        const TColor rgb = ColorToRGB(d->FColors[Index]);
        const double r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
        pen->SetColor(std::sqrt(r * r + b * b + 2 * g * g) / 2 > 180 ? clBlack : clWhite);
        Canvas->Polyline(
            QPolygon({QPoint(L + 5, T + 4), QPoint(L + 5, B - 5), QPoint(L + 8, B - 5), QPoint(L + 11, B - 8),
                      QPoint(L + 11, T + 7), QPoint(L + 8, T + 4), QPoint(L + 5, T + 4)}));
        pen->SetColor(clBlack);
    }

    Canvas->Font()->AssignQFont(font());
    Canvas->Font()->SetColor(enabled ? clBlack : clGray);
    brush->SetColor(enabled ? Color() : clSilver);
    TRect text = Rect;
    text.Left = L + cbw + 3;
    const QString name = entry ? d->FColorNames[Index] : itemText(Index);
    Canvas->TextRect(text, text.Left + 3, T + (B - T - Canvas->TextHeight(name)) / 2, name);

    brush->SetColor(savedBrush);
    Canvas->Font()->SetColor(savedFont);
}

void TColSel::paintEvent(QPaintEvent *)
{
    QStylePainter p(this);
    QStyleOptionComboBox opt;
    initStyleOption(&opt);
    opt.currentText.clear();
    opt.currentIcon = QIcon();
    p.drawComplexControl(QStyle::CC_ComboBox, opt);
    const int k = currentIndex();
    if (k < 0) return;
    const QRect r = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
    p.save();
    p.setClipRect(r);
    {
        TCanvas canvas(&p);
        SafeInvoke(
            [&] { DrawItem(k, kro::Rect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), &canvas); });
    }
    p.restore();
}

// ---- input ----------------------------------------------------------------------------------

void TColSel::Loaded()
{
    TComponentBase::Loaded();
    if (d->FHasLoadedSelColor) {
        d->FHasLoadedSelColor = false;
        // A selected colour the palette does not hold was added behind the list when the form
        // was saved, and the stored NumColors counts it: it goes back into the last entry
        // rather than behind it.
        const TColor Value = d->FLoadedSelColor;
        const TColor rgb = ColorToRGB(Value);
        const auto Shown = d->FColors.begin() + d->FNumColors;
        if (Value != clNone &&
            std::none_of(d->FColors.begin(), Shown, [&](TColor c) { return ColorToRGB(c) == rgb; })) {
            d->FColors[d->FNumColors - 1] = Value;
            d->FColorNames[d->FNumColors - 1] = DeriveName(rgb);
        }
        SetSelColor(Value);
    }
    LoadColorsIntoComboList();
}

void TColSel::Click()
{
    const int k = currentIndex();
    if (k >= 0 && k < d->FNumColors) d->FSelColorIx = k + 1;
    SelectionChanged();
    TControlCore::Click();
    if (d->FOnChange) d->FOnChange(this);
    Q_EMIT onChange(this);
}

bool TColSel::ExecuteColorDialog(TColor &Color)
{
    QColorDialog dialog(ToQColor(Color), this);
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setWindowTitle(tr("Colour of %1").arg(GetSelColorID()));
    if (dialog.exec() != QDialog::Accepted) return false;
    Color = FromQColor(dialog.selectedColor());
    return true;
}

void TColSel::DropDown()
{
    const int k = currentIndex();
    if (d->FMouseAreaCode == 1 && k >= 0 && k < d->FNumColors && d->FIsUserEditable[k]) {
        TColor c = d->FColors[k];
        if (ExecuteColorDialog(c)) {
            d->FColors[k] = c;
            d->FColorNames[k] = DeriveName(ColorToRGB(c));
            setItemText(k, d->FColorNames[k]);
            SelectionChanged();
        }
        Refresh();
    }
    if (d->FOnDropDown) d->FOnDropDown(this);
    Q_EMIT onDropDown(this);
}

void TColSel::showPopup()
{
    SafeInvoke([this] { DropDown(); });
    QComboBox::showPopup();
}

void TColSel::MouseMove(TShiftState Shift, int X, int Y)
{
    d->FMouseAreaCode = X < d->FColorBarWidth ? 1 : 0;
    TControlCore::MouseMove(Shift, X, Y);
}

void TColSel::MouseLeave()
{
    // Opened from the keyboard after the mouse has gone, the list offers no dialog.
    d->FMouseAreaCode = 0;
    TControlCore::MouseLeave();
}

// The box keeps its own press and release handling (they open and close the list), so only
// moves, crossings and focus go through the core; a choice is reported by Click, from the list.
void TColSel::mouseMoveEvent(QMouseEvent *Event)
{
    Input().MouseMove(Event);
    QComboBox::mouseMoveEvent(Event);
}

void TColSel::mousePressEvent(QMouseEvent *Event)
{
    // The press is the last place the mouse was seen before the list opens.
    d->FMouseAreaCode = Event->position().x() < d->FColorBarWidth ? 1 : 0;
    QComboBox::mousePressEvent(Event);
}

void TColSel::enterEvent(QEnterEvent *Event)
{
    QComboBox::enterEvent(Event);
    Input().Enter();
}

void TColSel::leaveEvent(QEvent *Event)
{
    QComboBox::leaveEvent(Event);
    Input().Leave();
}

void TColSel::focusInEvent(QFocusEvent *Event)
{
    QComboBox::focusInEvent(Event);
    Input().FocusIn();
}

void TColSel::focusOutEvent(QFocusEvent *Event)
{
    QComboBox::focusOutEvent(Event);
    Input().FocusOut();
}

QSize TColSel::sizeHint() const
{
    return d->FDesignSize;
}

QSize TColSel::minimumSizeHint() const
{
    return QSize(std::max(40, d->FColorBarWidth + 30), d->FDesignSize.height());
}

// ---- events ------------------------------------------------------------------------------------

void TColSel::SetOnColorNameChange(TOnColorNameChangeEvent Handler)
{
    d->FOnCNameChange = std::move(Handler);
}
const TOnColorNameChangeEvent &TColSel::OnColorNameChange() const
{
    return d->FOnCNameChange;
}
void TColSel::SetOnChange(TNotifyEvent Handler)
{
    d->FOnChange = std::move(Handler);
}
const TNotifyEvent &TColSel::OnChange() const
{
    return d->FOnChange;
}
void TColSel::SetOnDropDown(TNotifyEvent Handler)
{
    d->FOnDropDown = std::move(Handler);
}
const TNotifyEvent &TColSel::OnDropDown() const
{
    return d->FOnDropDown;
}

KRO_CORE_SIGNAL_LISTENERS(TColSel, QComboBox)

} // namespace kro
