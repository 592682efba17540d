// The row editor of the report list view: a generated modal dialog with one field per column.
#include <krogui/replist/reportlistview.h>
#include <krogui/replist/reportlistview_p.h>

#include <krogui/graphics/colors.h>
#include <krogui/numio/numio.h>
#include <krogui/replist/colformat.h>
#include <krogui/replist/datetext.h>

#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimeZone>

#include <algorithm>
#include <optional>
#include <vector>

namespace kro {

namespace {

constexpr int kPitch = 25;        // vertical distance of the fields
constexpr int kButtonBand = 45;   // own form: room for the buttons above the fields
constexpr int kBottomMargin = 38; // below the last field
constexpr int kFieldHeight = 23;  // fits the 25-pixel pitch
constexpr int kMaxFieldWidth = 1600;
constexpr int kMinInnerWidth = 180; // the two buttons of the own form always fit
constexpr int kMaxCellLength = 255;
constexpr int kLanguage = 1; // English month and weekday names
constexpr TColor kReadOnlyBkgd = 0xE0E0E0;
constexpr TColor kReadOnlyText = 0x808080;
// Date columns whose format is empty read and write this one.
const char *const kFallbackDateFormat = "yyyy-MM-dd HH:mm";

QString RuntimeName(const char *Kind, int Col)
{
    return QStringLiteral("runtime_rlre_") + QLatin1String(Kind) + QString::number(Col);
}

// The own form: Escape and the close box answer Cancel.
class TRowEditForm final : public QDialog
{
public:
    using QDialog::QDialog;
    void reject() override { done(TReportListView::mrCancel); }
};

// Enter (or the keypad's Enter) in a field closes the dialog with OK.
class TEnterCloser final : public QObject
{
public:
    explicit TEnterCloser(QDialog *Form) : FForm(Form) {}

protected:
    bool eventFilter(QObject *Watched, QEvent *Event) override
    {
        if (Event->type() == QEvent::KeyPress && FForm) {
            const int key = static_cast<QKeyEvent *>(Event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                FForm->done(TReportListView::mrOK);
                return true;
            }
        }
        return QObject::eventFilter(Watched, Event);
    }

private:
    QPointer<QDialog> FForm;
};

// One generated field and what OK writes for it.
struct TEditField
{
    enum TKind { fkEdit, fkNumIO, fkCBox, fkDtPick } Kind = fkEdit;
    QPointer<QWidget> Widget;
    int Col = 0;
    QString DateFormat;    // fkDtPick: the format that writes the value
    QString Initial;       // the field's value as the dialog opened
    bool KeepCell = false; // left as it was, the field writes nothing
};

QString FieldValue(const TEditField &F)
{
    switch (F.Kind) {
    case TEditField::fkEdit:
        return static_cast<QLineEdit *>(F.Widget.data())->text();
    case TEditField::fkNumIO:
        return static_cast<TNumIO *>(F.Widget.data())->Text();
    case TEditField::fkCBox:
        return static_cast<QComboBox *>(F.Widget.data())->currentText();
    case TEditField::fkDtPick:
        return FormatDateText(F.DateFormat, static_cast<QDateTimeEdit *>(F.Widget.data())->dateTime(),
                              kLanguage);
    }
    return QString();
}

// The text OK writes for a field, or nothing.
std::optional<QString> TextToWrite(const TEditField &F)
{
    if (!F.Widget) return std::nullopt;
    QString v = FieldValue(F);
    if (F.KeepCell && v == F.Initial) return std::nullopt;
    return v;
}

void ShowReadOnly(QWidget *W)
{
    W->setEnabled(false);
    if (auto *n = qobject_cast<TNumIO *>(W)) n->SetColor(kReadOnlyBkgd);
    QPalette pal = W->palette();
    const QColor bk = ToQColor(kReadOnlyBkgd), fg = ToQColor(kReadOnlyText);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
            pal.setColor(group, role, bk);
        for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
            pal.setColor(group, role, fg);
    }
    W->setPalette(pal);
}

// Builds the labels and fields of one dialog and frees them again.
class TRowEditBuilder
{
public:
    TRowEditBuilder(TReportListView *View, int Row, QDialog *Form) : FView(View), FRow(Row), FCloser(Form) {}
    ~TRowEditBuilder()
    {
        for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it)
            delete it->data();
    }
    TRowEditBuilder(const TRowEditBuilder &) = delete;
    TRowEditBuilder &operator=(const TRowEditBuilder &) = delete;

    /// Label and field of column Col on Parent, the row's top at Y; returns the field's width
    /// (0 when the column gets a label only).
    int AddColumn(int Col, QWidget *Parent, int X0, int Y, int LabelWidth);
    void FocusFirstField();
    const std::vector<TEditField> &Fields() const { return FFields; }

private:
    QWidget *MakeCombo(const TColFormat &F, const QString &Cell, QWidget *Parent, TEditField &Out);
    QWidget *MakeDatePicker(const TColFormat &F, const QString &Cell, QWidget *Parent, TEditField &Out);
    QWidget *MakeNumIO(const TColFormat &F, const QString &Cell, QWidget *Parent, TEditField &Out);
    QWidget *MakeEdit(const TColFormat &F, const QString &Cell, QWidget *Parent, TEditField &Out);

    TReportListView *FView;
    int FRow;
    TEnterCloser FCloser;
    std::vector<QPointer<QWidget>> FCreated;
    std::vector<TEditField> FFields;
};

int TRowEditBuilder::AddColumn(int Col, QWidget *Parent, int X0, int Y, int LabelWidth)
{
    QString format = FView->GetColumnFormat(Col);
    if (const auto &handler = FView->OnRequestEditFormat()) handler(FView, Col, FRow, format);
    Q_EMIT FView->onRequestEditFormat(FView, Col, FRow, format);
    const TColFormat f = ParseColFormat(format);
    const QString name = FView->GetColName(Col).replace(u'\n', u' ');

    auto *label = new QLabel(name + u':', Parent);
    FCreated.emplace_back(label);
    label->setObjectName(RuntimeName("Label", Col));
    label->setProperty("Tag", Col);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(X0 + 8, Y + 3, LabelWidth, label->fontMetrics().height());

    const QString cell = FView->GetElem(Col, FRow);
    TEditField field;
    field.Col = Col;
    QWidget *w = nullptr;
    switch (f.Kind.unicode()) {
    case 'c':
    case 'l':
        w = MakeCombo(f, cell, Parent, field);
        break;
    case 'd':
        w = MakeDatePicker(f, cell, Parent, field);
        break;
    case 'e':
    case 'f':
    case 'h':
    case 'i':
        w = MakeNumIO(f, cell, Parent, field);
        break;
    case 's':
        w = MakeEdit(f, cell, Parent, field);
        break;
    default:
        return 0; // a letter the language does not know: the label alone
    }
    FCreated.emplace_back(w);
    const int width = std::clamp(f.Width, 1, kMaxFieldWidth);
    w->setProperty("Tag", Col);
    w->setAccessibleName(name);
    label->setBuddy(w);
    w->setGeometry(X0 + LabelWidth + 12, Y, width, kFieldHeight);
    if (f.ReadOnly) {
        ShowReadOnly(w);
    } else {
        w->installEventFilter(&FCloser);
        for (QLineEdit *inner : w->findChildren<QLineEdit *>())
            inner->installEventFilter(&FCloser);
    }
    field.Widget = w;
    field.Initial = FieldValue(field);
    FFields.push_back(field);
    return width;
}

QWidget *TRowEditBuilder::MakeCombo(const TColFormat &F, const QString &Cell, QWidget *Parent,
                                    TEditField &Out)
{
    auto *cb = new QComboBox(Parent);
    cb->setObjectName(RuntimeName("CBox", Out.Col));
    const bool free = F.Kind == u'c';
    cb->setEditable(free);
    if (free) cb->lineEdit()->setMaxLength(kMaxCellLength);
    QStringList items = F.DefaultPart.split(u'|');
    if (items.last().isEmpty()) items.removeLast(); // a final "|" may be left out
    cb->addItems(items);
    if (F.KindText.contains(u':')) cb->setMaxVisibleItems(std::clamp(F.DropDownCount, 1, 100));
    const QString shown = Cell.isEmpty() ? ColFmtKindDefault(F.Kind, F.DefaultPart, FRow) : Cell;
    if (free)
        cb->setEditText(shown);
    else
        cb->setCurrentIndex(cb->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive));
    Out.Kind = TEditField::fkCBox;
    Out.KeepCell = !Cell.isEmpty();
    return cb;
}

QWidget *TRowEditBuilder::MakeDatePicker(const TColFormat &F, const QString &Cell, QWidget *Parent,
                                         TEditField &Out)
{
    QString format = F.KindText.trimmed();
    if (format.isEmpty()) format = QLatin1String(kFallbackDateFormat);
    auto *dt = new QDateTimeEdit(Parent);
    dt->setObjectName(RuntimeName("DtPick", Out.Col));
    dt->setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    dt->setTimeSpec(Qt::UTC);
    dt->setDateTimeRange(QDateTime(QDate(100, 1, 1), QTime(0, 0), QTimeZone::utc()),
                         QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), QTimeZone::utc()));
    dt->setDisplayFormat(DateTextDisplayFormat(format));
    dt->setCalendarPopup(true);
    // The cell, or the default when the cell is empty; what does not read shows day 0.
    const QString source = Cell.isEmpty() ? F.DefaultPart : Cell;
    double value = 0;
    const bool read = !source.isEmpty() && ParseDateText(source, format, kLanguage, value) == dteOK;
    QDateTime when = DayCountToDateTime(read ? value : 0.0);
    if (!when.isValid()) when = DayCountToDateTime(0.0);
    dt->setDateTime(when);
    Out.Kind = TEditField::fkDtPick;
    Out.DateFormat = format;
    Out.KeepCell = !Cell.isEmpty() || !read;
    return dt;
}

QWidget *TRowEditBuilder::MakeNumIO(const TColFormat &F, const QString &Cell, QWidget *Parent,
                                    TEditField &Out)
{
    auto *n = new TNumIO(Parent);
    n->SetName(RuntimeName("NumIO", Out.Col));
    n->SetRangeLow(-1.7e308);
    n->SetRangeHigh(1.7e308);
    switch (F.Kind.unicode()) {
    case 'e':
        n->SetInputFormat(itDynamic);
        break;
    case 'f':
        n->SetInputFormat(itFloat);
        break;
    case 'h':
        n->SetInputFormat(itHex);
        break;
    default:
        n->SetInputFormat(itInt);
        break;
    }
    n->SetAutoSize(false);
    // A text the field refuses leaves it empty; the cell then keeps its text (KeepCell).
    n->SetText(Cell.isEmpty() ? ColFmtKindDefault(F.Kind, F.DefaultPart, FRow) : Cell);
    Out.Kind = TEditField::fkNumIO;
    Out.KeepCell = !Cell.isEmpty();
    return n;
}

QWidget *TRowEditBuilder::MakeEdit(const TColFormat &F, const QString &Cell, QWidget *Parent, TEditField &Out)
{
    auto *e = new QLineEdit(Parent);
    e->setObjectName(RuntimeName("Edit", Out.Col));
    e->setMaxLength(kMaxCellLength);
    e->setText(Cell.isEmpty() ? ColFmtKindDefault(QLatin1Char('s'), F.DefaultPart, FRow) : Cell);
    e->setCursorPosition(0);
    Out.Kind = TEditField::fkEdit;
    Out.KeepCell = !Cell.isEmpty();
    return e;
}

void TRowEditBuilder::FocusFirstField()
{
    for (const TEditField &f : FFields)
        if (f.Widget && f.Widget->isEnabled()) {
            f.Widget->setFocus();
            return;
        }
}

// The widest column name (one line) on Form, plus 8.
int LabelWidth(const TReportListView *View, const QWidget *Form)
{
    int w = 0;
    const QFontMetrics fm = Form->fontMetrics();
    for (int k = 1; k <= View->NrOfColumns(); ++k)
        w = std::max(w, fm.horizontalAdvance(View->GetColName(k).replace(u'\n', u' ')));
    return w + 8;
}

// Room the own form may take on the screen.
QSize ScreenRoom()
{
    const QScreen *s = QGuiApplication::primaryScreen();
    const QRect r = s ? s->availableGeometry() : QRect();
    if (r.width() < 300 || r.height() < 300) return {1600, 1000};
    return {r.width() - 40, r.height() - 80};
}

// Sizes the own form and puts its buttons on: the fields lie on Page, shown in a scroll area
// below the buttons, so a list with many columns still gives a dialog that fits the screen.
QAbstractButton *FinishOwnForm(QDialog *Form, QScrollArea *Scroll, QWidget *Page, int Inner, int Columns,
                               const QString &ButOK, const QString &ButCancel)
{
    const int pageW = Inner + 28;
    const int pageH = Columns * kPitch + kBottomMargin;
    Page->resize(pageW, pageH);
    Scroll->setWidget(Page);
    const QSize room = ScreenRoom();
    const int viewW = std::min(pageW, room.width());
    const int viewH = std::min(pageH, std::max(100, room.height() - kButtonBand));
    const int extraW = viewH < pageH ? Scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    const int extraH = viewW < pageW ? Scroll->style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    Scroll->setGeometry(0, kButtonBand, viewW + extraW, viewH + extraH);
    Form->setFixedSize(viewW + extraW, kButtonBand + viewH + extraH);

    const int right = std::min(Inner, viewW + extraW - 28);
    auto makeButton = [Form](const QString &Text, const char *Name, int Left, int Result) {
        auto *b = new QPushButton(Text, Form);
        b->setObjectName(QLatin1String(Name));
        b->setAutoDefault(false);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(Left, 4, 81, 29);
        QObject::connect(b, &QPushButton::clicked, Form, [Form, Result] { Form->done(Result); });
        return b;
    };
    makeButton(ButOK, "runtime_rlre_ButOK", right - 154, TReportListView::mrOK);
    return makeButton(ButCancel, "runtime_rlre_ButCancel", right - 69, TReportListView::mrCancel);
}

} // namespace

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop)
{
    return RunRowEditor(Row, nullptr, PosLeft, PosTop, QStringLiteral("Editing Row ") + QString::number(Row),
                        QStringLiteral("OK"), QStringLiteral("Cancel"));
}

int TReportListView::EditRowEntries(int Row, int PosLeft, int PosTop, const QString &FormCaption,
                                    const QString &ButOKCaption, const QString &ButCancelCaption)
{
    return RunRowEditor(Row, nullptr, PosLeft, PosTop, FormCaption, ButOKCaption, ButCancelCaption);
}

int TReportListView::EditRowEntries(int Row, QDialog *ContainerForm, int PosLeft, int PosTop)
{
    if (!ContainerForm) return EditRowEntries(Row, PosLeft, PosTop);
    return RunRowEditor(Row, ContainerForm, PosLeft, PosTop, QString(), QString(), QString());
}

int TReportListView::RunRowEditor(int Row, QDialog *ContainerForm, int PosLeft, int PosTop,
                                  const QString &FormCaption, const QString &ButOKCaption,
                                  const QString &ButCancelCaption)
{
    if (!ValidRow(Row) || d->FContainerForm) return mrNone;

    // Frees the own form and forgets the running dialog, also when a handler throws or the view
    // goes away while the dialog runs (it takes its own form with it).
    struct TRunState
    {
        QPointer<TReportListView> View;
        QPointer<QDialog> OwnForm;
        ~TRunState()
        {
            delete OwnForm.data();
            if (View) {
                View->d->FContainerForm = nullptr;
                View->d->FSBERCancel = nullptr;
            }
        }
    } state{this, nullptr};

    QDialog *form = ContainerForm;
    QWidget *page = ContainerForm;
    QScrollArea *scroll = nullptr;
    int x0 = PosLeft, y0 = PosTop;
    if (!form) {
        form = new TRowEditForm(this);
        state.OwnForm = form;
        scroll = new QScrollArea(form);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setFocusPolicy(Qt::NoFocus);
        page = new QWidget;
        page->setObjectName(QStringLiteral("rlre_Page"));
        x0 = y0 = 0;
    }
    d->FContainerForm = form;

    TRowEditBuilder builder(this, Row, form);
    const int columns = NrOfColumns();
    const int lw = LabelWidth(this, form);
    int widest = 0;
    for (int k = 1; k <= columns; ++k)
        widest = std::max(widest, builder.AddColumn(k, page, x0, y0 + (k - 1) * kPitch, lw));

    if (state.OwnForm) {
        d->FSBERCancel = FinishOwnForm(form, scroll, page, std::max(widest + lw, kMinInnerWidth), columns,
                                       ButOKCaption, ButCancelCaption);
        form->setWindowTitle(FormCaption);
        form->move(PosLeft, PosTop);
    } else {
        form->resize(std::max(form->width(), x0 + widest + lw + 28),
                     std::max(form->height(), y0 + columns * kPitch + kBottomMargin));
    }
    builder.FocusFirstField();

    const QPointer<TReportListView> self(this);
    const int result = form->exec();
    if (!self) return result;

    if (result == mrOK) {
        TPaintHold hold(this);
        for (const TEditField &f : builder.Fields())
            if (const auto text = TextToWrite(f)) SetElem(f.Col, Row, *text);
    }
    return result;
}

} // namespace kro
