// The grid base: a TDrawGrid of a million rows that draws each cell's coordinates, with switches
// for its options and an in-place editor (column 3 edits through a pick list).
#include "gallery.h"

#include <krogui/grid/customgrid.h>

#include <QCheckBox>
#include <QHash>
#include <QLabel>
#include <QSpinBox>

namespace {

using namespace kro;

class CoordinateGrid : public TDrawGrid
{
public:
    explicit CoordinateGrid(QWidget *Parent) : TDrawGrid(Parent)
    {
        SetColCount(12);
        SetRowCount(1'000'000);
        SetDefaultColWidth(72);
        SetDefaultRowHeight(20);
        SetColWidths(0, 64);
        SetOptions(Options() | goColSizing | goRowSizing | goEditing | goThumbTracking);
        SetOnDrawCell([this](QObject *, int C, int R, TRect Rc, TGridDrawState St) { Draw(C, R, Rc, St); });
        SetOnGetEditText([this](QObject *, int C, int R, QString &V) { V = Text(C, R); });
        SetOnSetEditText([this](QObject *, int C, int R, const QString &V) { FEdited.insert(Key(C, R), V); });
        SetOnGetPickListItems([](QObject *, int, int, QStringList &Items) {
            Items << QStringLiteral("red") << QStringLiteral("green") << QStringLiteral("blue")
                  << QStringLiteral("cyan") << QStringLiteral("magenta") << QStringLiteral("yellow");
        });
    }

protected:
    TEditStyle GetEditStyle(int ACol, int) override { return ACol == 3 ? esPickList : esSimple; }

private:
    static qint64 Key(int C, int R) { return (qint64(R) << 16) | C; }

    QString Text(int C, int R) const
    {
        const auto it = FEdited.constFind(Key(C, R));
        if (it != FEdited.constEnd()) return *it;
        return QStringLiteral("%1:%2").arg(C).arg(R);
    }

    void Draw(int C, int R, const TRect &Rc, TGridDrawState St)
    {
        TCanvas *c = Canvas();
        c->Brush()->SetStyle(bsClear);
        QString text;
        if (R < FixedRows() && C < FixedCols())
            text = QStringLiteral("row");
        else if (R < FixedRows())
            text = QStringLiteral("col %1").arg(C);
        else if (C < FixedCols())
            text = QString::number(R);
        else
            text = Text(C, R);
        if (!(St & gdFixed) && !(St & gdSelected) && FEdited.contains(Key(C, R))) c->Font()->SetColor(clNavy);
        const int y = Rc.Top + (Rc.Height() - c->TextHeight(text)) / 2;
        c->TextRect(Rc, Rc.Left + 3, y, text);
    }

    QHash<qint64, QString> FEdited; // only cells the user changed are stored
};

QWidget *CreatePage()
{
    auto *page = new gallery::PageWidget(QStringLiteral(
        "TDrawGrid with 1,000,000 rows: OnDrawCell draws each cell's column and row. Only the visible cells "
        "are drawn and only cells with their own width or height are stored, so the size costs nothing. "
        "Type, press F2 or Enter, or click the current cell to edit (column 3 offers a pick list); drag the "
        "borders of the header cells to size columns and rows."));
    auto *grid = new CoordinateGrid(page->Stage());
    grid->SetBounds(10, 10, 420, 340);
    grid->show();

    auto *status = new QLabel;
    status->setWordWrap(true);
    auto showState = [grid, status](QObject *) {
        const TGridRect s = grid->Selection();
        status->setText(QStringLiteral("Cell %1, %2 · top row %3 · selection %4,%5 – %6,%7")
                            .arg(grid->Col())
                            .arg(grid->Row())
                            .arg(grid->TopRow())
                            .arg(s.Left)
                            .arg(s.Top)
                            .arg(s.Right)
                            .arg(s.Bottom));
    };
    grid->SetOnClick(showState);
    grid->SetOnTopLeftChanged(showState);
    showState(nullptr);
    page->AddRow(status);

    struct Switch
    {
        const char *Label;
        TGridOption Option;
    };
    static const Switch switches[] = {
        {"Fixed vertical lines", goFixedVertLine},
        {"Fixed horizontal lines", goFixedHorzLine},
        {"Vertical lines", goVertLine},
        {"Horizontal lines", goHorzLine},
        {"Range select", goRangeSelect},
        {"Row select", goRowSelect},
        {"Editing", goEditing},
        {"Always show editor", goAlwaysShowEditor},
        {"Tabs", goTabs},
        {"Column sizing", goColSizing},
        {"Row sizing", goRowSizing},
        {"Column moving", goColMoving},
        {"Row moving", goRowMoving},
        {"Thumb tracking", goThumbTracking},
        {"Draw focus selected", goDrawFocusSelected},
    };
    for (const Switch &s : switches) {
        auto *box = new QCheckBox(QString::fromLatin1(s.Label));
        box->setChecked(grid->Options() & s.Option);
        const TGridOption opt = s.Option;
        QObject::connect(box, &QCheckBox::toggled, grid, [grid, opt, box](bool On) {
            grid->SetOptions(On ? grid->Options() | opt : grid->Options() & ~TGridOptions(opt));
            box->setChecked(grid->Options() & opt); // goRowSelect may refuse goAlwaysShowEditor
        });
        page->AddRow(box);
    }

    auto addSpin = [page](const QString &Label, int Lo, int Hi, int Value, auto Apply) {
        auto *spin = new QSpinBox;
        spin->setRange(Lo, Hi);
        spin->setValue(Value);
        QObject::connect(spin, &QSpinBox::valueChanged, spin, Apply);
        page->AddEditor(Label, spin);
    };
    addSpin(QStringLiteral("Fixed columns"), 0, 3, grid->FixedCols(),
            [grid](int V) { grid->SetFixedCols(V); });
    addSpin(QStringLiteral("Fixed rows"), 0, 3, grid->FixedRows(), [grid](int V) { grid->SetFixedRows(V); });
    addSpin(QStringLiteral("Row height"), 8, 60, grid->DefaultRowHeight(),
            [grid](int V) { grid->SetDefaultRowHeight(V); });
    addSpin(QStringLiteral("Line width"), 0, 4, grid->GridLineWidth(),
            [grid](int V) { grid->SetGridLineWidth(V); });
    auto *ctl3d = new QCheckBox(QStringLiteral("Ctl3D"));
    ctl3d->setChecked(grid->Ctl3D());
    QObject::connect(ctl3d, &QCheckBox::toggled, grid, [grid](bool On) { grid->SetCtl3D(On); });
    page->AddRow(ctl3d);
    return page;
}

const gallery::PageRegistrar reg(QStringLiteral("Draw grid"), 5, CreatePage);

} // namespace
