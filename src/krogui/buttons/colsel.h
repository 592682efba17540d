#pragma once
// TColSel: a drop-down list of named colours. Each item shows a colour bar and the colour's name;
// the entries come from the predefined colour table in four palettes. Entries marked editable can
// be changed by the user: opening the list with the mouse over the colour bar shows a colour dialog
// for the selected entry first.

#include <krogui/core/component.h>
#include <krogui/core/controlcore.h>
#include <krogui/graphics/propertyfaces.h>

#include <QComboBox>

#include <memory>

namespace kro {

class TCanvas;

/// Lets the application rename a colour: ColorName holds the name derived from the colour.
using TOnColorNameChangeEvent = std::function<void(QObject *Sender, QString &ColorName)>;

struct TColSelPrivate;

class KROGUI_EXPORT TColSel : public QComboBox, public TComponentBase, public TControlCore
{
    Q_OBJECT
    Q_PROPERTY(int ColorBarWidth READ ColorBarWidth WRITE SetColorBarWidth)
    Q_PROPERTY(int NumColors READ NumColors WRITE SetNumColors)
    Q_PROPERTY(QColor SelColor READ SelColorStored WRITE SetSelColor NOTIFY SelColorChanged USER true)
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QColor Color READ ColorStored WRITE SetColor)
    Q_PROPERTY(QFont Font READ FontStored WRITE SetFont)
    Q_PROPERTY(QColor FontColor READ FontColorStored WRITE SetFontColor)
    Q_PROPERTY(bool ParentFont READ ParentFont WRITE SetParentFont)
    Q_PROPERTY(QString Hint READ Hint WRITE SetHint)
    Q_PROPERTY(bool ShowHint READ ShowHint WRITE SetShowHint)

public:
    /// Most entries a selector holds.
    static constexpr int MaxColors = 47;

    /// A selector of 145 pixels width showing the extended palette (20 entries), the first one
    /// selected, colour bars 30 pixels wide, no entry editable.
    explicit TColSel(QWidget *Parent = nullptr);
    ~TColSel() override;

    // ---- properties ----
    /// Width of the colour bar of each item; negative values are ignored.
    int ColorBarWidth() const;
    void SetColorBarWidth(int Value);
    /// How many leading entries the list shows, 1..47 (others are ignored); a new value selects
    /// entry 1 and rebuilds the list.
    int NumColors() const;
    void SetNumColors(int Value);
    /// The colour of the selected entry (clNone when none is selected). Setting a colour selects
    /// the first entry of the same RGB value. A colour not in the list is added as a new entry
    /// behind the others and selected; when the list already holds 47 entries, nothing is
    /// selected instead. No entry is ever overwritten. clNone selects nothing.
    TColor SelColor() const;
    void SetSelColor(TColor Value);
    KRO_COLOR_FACE(SelColor)
    bool Enabled() const;
    void SetEnabled(bool Value);
    // Color (the background of the names, the window colour by default), Font (the inherited font
    // while ParentFont is on), Hint, ShowHint, bounds and the events OnClick, OnEnter, OnExit and
    // the mouse events come from TControlCore.

    // ---- entries (numbered 1..NumColors; outside that range readers give 0, false or an empty
    // string and writers do nothing) ----
    TColor GetArrayColor(int Index) const;
    /// Stores the colour and names it after the colour itself (a system colour keeps its name).
    void SetArrayColor(int Index, TColor Color);
    /// Entry Index as an opaque QColor (system colours resolved), and set from a QColor (the
    /// stored form of special colours is understood).
    QColor GetArrayQColor(int Index) const { return ToQColor(GetArrayColor(Index)); }
    void SetArrayColor(int Index, const QColor &Color) { SetArrayColor(Index, FromStoredColor(Color)); }
    QString ColorNames(int Index) const { return GetArrayColorName(Index); }
    QString GetArrayColorName(int Index) const;
    /// Renames entry Index (the name is shown as given, OnColorNameChange is not called).
    void SetArrayColorName(int Index, const QString &Name);
    bool GetArrayAllowEdit(int Index) const;
    void SetArrayAllowEdit(int Index, bool Value);
    /// The name of the selected entry; empty when no item is selected.
    QString GetSelColorID() const;
    /// The number (1-based) of the selected entry; 0 when none is selected.
    int SelColorIndex() const;

    // ---- methods ----
    /// Marks all 47 entries editable / not editable.
    void SetAllColorEditFlags();
    void ResetAllColorEditFlags();
    /// Load the predefined entries 1-16, 1-20, 1-47 and 21-47 into entries 1..n, name each
    /// (OnColorNameChange fires once per entry), select entry 1 and show n entries.
    void LoadBasicVGAPalette();
    void LoadExtendedPalette();
    void LoadStandardPalette();
    void LoadWindowsSystemPalette();
    /// Redraws the closed box and the open list.
    void Refresh();
    /// Draws item Index (0-based) into Rect (right and bottom exclusive): the colour bar, the edit
    /// mark of an editable entry and the name. The list and the closed box draw through it.
    virtual void DrawItem(int Index, const TRect &Rect, TCanvas *Canvas);

    // ---- events ----
    void SetOnColorNameChange(TOnColorNameChangeEvent Handler);
    const TOnColorNameChangeEvent &OnColorNameChange() const;
    /// The user chose an entry (after OnClick, which fires for the same choice).
    void SetOnChange(TNotifyEvent Handler);
    const TNotifyEvent &OnChange() const;
    /// The list is about to drop down (after a colour dialog, if one was shown).
    void SetOnDropDown(TNotifyEvent Handler);
    const TNotifyEvent &OnDropDown() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    void showPopup() override;

Q_SIGNALS:
    /// SelColor changed (by the user, the setter, a palette, NumColors or an edited entry); the
    /// argument is the colour in its stored form (special colours kept, see propertyfaces.h).
    void SelColorChanged(const QColor &Value);
    /// The signals of OnColorNameChange, OnChange and OnDropDown, emitted right after the handler.
    void onColorNameChange(QObject *Sender, QString &ColorName);
    void onChange(QObject *Sender);
    void onDropDown(QObject *Sender);

protected:
    void Loaded() override;
    /// The user chose an item: it becomes the selected entry, then OnClick and OnChange fire.
    void Click() override;
    /// Offers the colour dialog for an editable entry when the mouse is over the colour bar, then
    /// fires OnDropDown.
    virtual void DropDown();
    /// Notes whether the mouse is over the colour bar, then fires OnMouseMove.
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    void ColorChanged() override { Refresh(); }
    void FontChanged() override;
    /// Opens the colour dialog on Color; true with the chosen colour in Color when confirmed.
    virtual bool ExecuteColorDialog(TColor &Color);

    void paintEvent(QPaintEvent *Event) override;
    void mouseMoveEvent(QMouseEvent *Event) override;
    void mousePressEvent(QMouseEvent *Event) override;
    void enterEvent(QEnterEvent *Event) override;
    void leaveEvent(QEvent *Event) override;
    void changeEvent(QEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;


    // ---- the core events as signals, emitted right after the handler (see coresignals.h) ----
Q_SIGNALS:
    void onClick(QObject *Sender);
    void onDblClick(QObject *Sender);
    void onMouseDown(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseUp(QObject *Sender, kro::TMouseButton Button, kro::TShiftState Shift, int X, int Y);
    void onMouseMove(QObject *Sender, kro::TShiftState Shift, int X, int Y);
    void onMouseEnter(QObject *Sender);
    void onMouseLeave(QObject *Sender);
    void onResize(QObject *Sender);
    /// Key may be changed by a directly connected slot (0 swallows the key).
    void onKeyDown(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    void onKeyUp(QObject *Sender, quint16 &Key, kro::TShiftState Shift);
    /// Key may be changed by a directly connected slot (QChar() swallows it).
    void onKeyPress(QObject *Sender, QChar &Key);
    void onEnter(QObject *Sender);
    void onExit(QObject *Sender);
    void onStartDrag(QObject *Sender, QMimeData &DragObject);
    /// Accept comes preset to true; a directly connected slot may refuse the drop.
    void onDragOver(QObject *Sender, QObject *Source, int X, int Y, kro::TDragState State, bool &Accept);
    void onDragDrop(QObject *Sender, QObject *Source, int X, int Y);
    void onEndDrag(QObject *Sender, QObject *Target, int X, int Y);

protected:
    void connectNotify(const QMetaMethod &Signal) override;

private:
    QString DeriveName(TColor Color);
    void LoadPalette(int First, int Count);
    void LoadColorsIntoComboList();
    void CurrentIndexChanged(int Index);
    void UpdateAccessibleName();
    void SelectionChanged();
    int ItemHeight() const;

    std::unique_ptr<TColSelPrivate> const d;
    friend class TColSelDelegate;
};

} // namespace kro
