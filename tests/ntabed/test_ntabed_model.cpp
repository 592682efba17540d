// The table editor's grid layout, model operations, change events and the table it shows.
#include "ntabtest.h"

#include <krogui/ntabed/ntabtext.h>

#include <gtest/gtest.h>

using namespace kro;
using namespace kro::test;

namespace {

void ExpectInvariants(TNTabEd &E)
{
    const int oc = E.AttribRowVisible() ? 1 : 0, orw = E.AttribColVisible() ? 1 : 0;
    EXPECT_EQ(E.FixedCols(), 1 + oc);
    EXPECT_EQ(E.FixedRows(), 1 + orw);
    EXPECT_EQ(E.ColCount(), E.NrOfColumns() + oc + 1);
    EXPECT_EQ(E.RowCount(), E.NrOfRows() + orw + 1);
}

} // namespace

TEST(NTabEdModel, Defaults)
{
    TNTabEd e;
    EXPECT_EQ(e.NrOfColumns(), 3);
    EXPECT_EQ(e.NrOfRows(), 4);
    EXPECT_TRUE(e.AttribRowVisible());
    EXPECT_FALSE(e.AttribColVisible());
    ExpectInvariants(e);
    EXPECT_EQ(e.GetColWidths(0), 80);
    EXPECT_EQ(e.GetColWidths(-1), 32);
    EXPECT_EQ(e.GetColWidths(1), 64);
    EXPECT_EQ(e.DefaultRowHeight(), 24);
    EXPECT_EQ(e.Options(), 31u);
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(e.GetDecPlaces(c), 3);
    EXPECT_EQ(e.GetElem(2, 2), 0.0);
    EXPECT_FALSE(e.ExtMatAssigned());
    EXPECT_EQ(e.PopupDMask(), 2147483647);
    EXPECT_EQ(e.PopupDTAction()->objectName(), "PopupDTAction");
    EXPECT_EQ(e.PopupHTAction()->objectName(), "PopupHTAction");
    EXPECT_EQ(e.GetPopupDCaption(10), "Extract from Clipboard");
    EXPECT_EQ(e.GetPopupHCaption(2), "Change Precision");
    EXPECT_EQ(e.GetPopupMCaption(4), "All");
    EXPECT_FALSE(MenuItem(e, QStringLiteral("DIt8"))->isEnabled()); // nothing copied yet

    // The published properties are stored and restored by name, as a form does.
    EXPECT_TRUE(e.setProperty("NrOfColumns", 6));
    EXPECT_TRUE(e.setProperty("AttribColVisible", true));
    EXPECT_TRUE(e.setProperty("ColorMarkedA", QColor(Qt::green)));
    EXPECT_TRUE(e.setProperty("AutoAdvanceDir", QVariant::fromValue(orHorizontal)));
    EXPECT_TRUE(e.setProperty("DefaultColWidth", 50));
    EXPECT_EQ(e.NrOfColumns(), 6);
    EXPECT_TRUE(e.AttribColVisible());
    EXPECT_EQ(e.ColorMarkedA(), TColor(0x00FF00));
    EXPECT_EQ(e.AutoAdvanceDir(), orHorizontal);
    EXPECT_EQ(e.GetColWidths(3), 50);
    EXPECT_EQ(e.GetColWidths(0), 80); // the name column keeps its own width
    EXPECT_EQ(e.property("NrOfRows").toInt(), 4);
}

TEST(NTabEdModel, LayoutInvariantsForEachOffsetCombination)
{
    TNTabEd e;
    e.Redimension(4, 6);
    e.SetColWidths(1, 50);
    e.SetColWidths(2, 61);
    e.SetColWidths(4, 77);
    for (bool rowAttr : {true, false, true})
        for (bool colAttr : {false, true, false}) {
            e.SetAttribRowVisible(rowAttr);
            e.SetAttribColVisible(colAttr);
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(rowAttr).arg(colAttr).toStdString());
            ExpectInvariants(e);
            // Widths stay with their data columns.
            EXPECT_EQ(e.GetColWidths(1), 50);
            EXPECT_EQ(e.GetColWidths(2), 61);
            EXPECT_EQ(e.GetColWidths(4), 77);
            EXPECT_EQ(e.GetColWidths(0), 80);
            EXPECT_EQ(e.GetColWidths(-1), rowAttr ? 32 : 0);
            // Public operations stay in data coordinates.
            e.SetElem(4, 6, 9.5);
            e.SetLeftCol(1);
            EXPECT_EQ(e.LeftCol(), 1);
            EXPECT_EQ(e.TopRow(), 1);
        }
}

TEST(NTabEdModel, ResizingCarriesWidthAndPlacesOfTheLastColumn)
{
    TNTabEd e;
    EventLog log;
    log.Attach(e);
    e.SetColWidths(3, 90);
    e.SetDecPlaces(3, 5);
    e.SetDecPlaces(1, 1);
    e.SetNrOfColumns(5);
    ExpectInvariants(e);
    EXPECT_EQ(e.GetColWidths(4), 90);
    EXPECT_EQ(e.GetColWidths(5), 90);
    EXPECT_EQ(e.GetDecPlaces(5), 5);
    EXPECT_EQ(e.GetDecPlaces(1), 1);
    EXPECT_EQ(log.Count("Setup"), 1);
    e.SetNrOfColumns(2);
    e.SetNrOfColumns(4);
    EXPECT_EQ(e.GetDecPlaces(1), 1);
    EXPECT_EQ(e.GetDecPlaces(4), 3); // the places of the last surviving column
    e.SetNrOfRows(7);
    ExpectInvariants(e);
    // Sizes below one and sizes the machine cannot hold are refused without change.
    e.SetNrOfRows(0);
    e.SetNrOfColumns(-3);
    EXPECT_EQ(e.NrOfRows(), 7);
    EXPECT_EQ(e.NrOfColumns(), 4);
    try {
        e.SetNrOfRows(2000000000);
        FAIL() << "no error";
    } catch (const EKROError &err) {
        EXPECT_TRUE(err.Message().contains("TNTabEd.NrOfRows")) << err.Message().toStdString();
    }
    try {
        e.Redimension(2000000000, 2000000000);
        FAIL() << "no error";
    } catch (const EKROError &err) {
        EXPECT_TRUE(err.Message().contains("TNTabEd.Redimension"));
    }
    ExpectInvariants(e);
    EXPECT_EQ(e.NrOfRows(), 7);
    EXPECT_EQ(e.GetDecPlaces(1), 1);
    // After the refusal the editor reports changes again.
    log.Seen.clear();
    e.SetColName(1, QStringLiteral("x"));
    EXPECT_EQ(log.Count("Heading"), 1);
}

TEST(NTabEdModel, AccessorsRefuseIndicesOutsideTheTable)
{
    TNTabEd e;
    EventLog log;
    log.Attach(e);
    e.SetColName(0, QStringLiteral("a"));
    e.SetColName(4, QStringLiteral("a"));
    e.SetRowName(5, QStringLiteral("a"));
    e.SetColAttrib(-1, 3);
    e.SetRowAttrib(9, 3);
    e.SetDecPlaces(0, 2);
    e.SetDecPlaces(4, 2);
    e.SetCellState(4, 1, 0x40);
    e.SetIsEmpty(1, 5, true);
    e.SetElemMarkedA(9, 9, true);
    e.SetElem(0, 0, 1.0);
    EXPECT_EQ(e.GetColName(4), "");
    EXPECT_EQ(e.GetRowName(0), "");
    EXPECT_EQ(e.GetColAttrib(0), 0);
    EXPECT_EQ(e.GetDecPlaces(4), 0);
    EXPECT_EQ(e.GetCellState(0, 1), 0);
    EXPECT_FALSE(e.IfRowMarked(0));
    EXPECT_FALSE(e.IfColumnMarked(4));
    EXPECT_EQ(log.Count("Heading") + log.Count("Attribute"), 0);

    e.SetColName(2, QString(60, QLatin1Char('n')));
    EXPECT_EQ(e.GetColName(2).size(), 50);
    e.SetDecPlaces(1, -7);
    EXPECT_EQ(e.GetDecPlaces(1), -1);
    e.SetDecPlaces(1, 12);
    EXPECT_EQ(e.GetDecPlaces(1), 10);
    e.SetNumWidth(0);
    e.SetNumWidth(21);
    EXPECT_EQ(e.NumWidth(), 1);
    EXPECT_EQ(log.Count("Layout"), 4); // every write of NumWidth reports, accepted or not
    e.SetComment(QStringLiteral("a\tb\nc"));
    EXPECT_EQ(e.Comment(), "abc");
}

TEST(NTabEdModel, SuppressionHoldsEventsAndPainting)
{
    TNTabEd e;
    ShowGrid(e, 400, 200);
    EventLog log;
    log.Attach(e);
    const QImage before = e.Surface().copy();
    e.SetSuppressPaint(true);
    e.SetColName(1, QStringLiteral("Speed"));
    e.SetColAttrib(1, 4);
    e.SetElemMarkedA(1, 1, true);
    EXPECT_EQ(e.GetColName(1), "Speed");
    EXPECT_TRUE(log.Seen.empty());
    EXPECT_EQ(e.Surface(), before); // nothing painted meanwhile
    e.SetSuppressPaint(false);
    EXPECT_NE(e.Surface(), before);
    e.SetColName(1, QStringLiteral("Speed2"));
    EXPECT_EQ(log.Count("Heading"), 1);
    // The editor's own bulk operations leave an application's suppression as it was.
    e.SetSuppressPaint(true);
    e.MirrorRows();
    e.InsertRow(1);
    EXPECT_TRUE(e.SuppressPaint());
    e.SetSuppressPaint(false);
}

TEST(NTabEdModel, MarksKeepOtherStateBits)
{
    TNTabEd e;
    EventLog log;
    log.Attach(e);
    e.SetCellState(1, 1, 0x14);
    e.SetElemMarkedA(1, 1, true);
    e.SetElemMarkedB(1, 1, true);
    EXPECT_EQ(e.GetCellState(1, 1), 0x14 | 0xC0);
    EXPECT_TRUE(e.IfRowMarked(1));
    EXPECT_TRUE(e.IfColumnMarked(1));
    EXPECT_FALSE(e.IfRowMarked(2));
    e.SetElemMarkedA(1, 1, false);
    EXPECT_EQ(e.GetCellState(1, 1), 0x94);
    e.MarkAllElemsA();
    EXPECT_EQ(e.NrOfMarkedDataA(), 12);
    EXPECT_EQ(e.NrOfMarkedDataB(), 1);
    e.ExchangeMarkings();
    EXPECT_EQ(e.NrOfMarkedDataA(), 1);
    EXPECT_EQ(e.NrOfMarkedDataB(), 12);
    e.UnMarkAllElems();
    EXPECT_EQ(e.GetCellState(1, 1), 0x14);
    EXPECT_FALSE(e.IfAnyMarked()); // stops at the last row when nothing is marked
    e.SetElemMarkedB(3, 4, true);
    EXPECT_TRUE(e.IfAnyMarked());
    e.SetIsEmpty(2, 2, true);
    EXPECT_TRUE(e.GetIsEmpty(2, 2));
    EXPECT_FALSE(e.GetIsNumber(2, 2));
    EXPECT_EQ(e.FillMarkedCells(7.0, 0x80), 1);
    EXPECT_EQ(e.GetElem(3, 4), 7.0);
    EXPECT_GE(log.Count("CellState"), 9);
}

TEST(NTabEdModel, ShapeOperations)
{
    TNTabEd e;
    e.SetElem(1, 1, 1);
    e.SetElem(3, 1, 3);
    e.InsertColumn(5); // outside 1..4
    e.InsertColumn(2);
    ExpectInvariants(e);
    EXPECT_EQ(e.NrOfColumns(), 4);
    EXPECT_EQ(e.GetElem(4, 1), 3);
    e.RemoveColumn(2);
    e.MirrorColumns();
    EXPECT_EQ(e.GetElem(1, 1), 3);
    EXPECT_EQ(e.GetElem(3, 1), 1);
    for (int i = 0; i < 5; ++i)
        e.RemoveRow(1);
    EXPECT_EQ(e.NrOfRows(), 1); // the last row is never removed
    ExpectInvariants(e);
    e.Clear();
    EXPECT_EQ(e.GetColName(3), "C-3");
    EXPECT_EQ(e.GetRowName(1), "R-1");
    EXPECT_EQ(e.GetElem(1, 1), 0);
    EXPECT_EQ(e.FindColIndex(QStringLiteral("C-2")), 2);
}

TEST(NTabEdModel, SortingColumnsTakesTheirPlacesAlong)
{
    TNTabEd e;
    e.SetElem(1, 1, 30);
    e.SetElem(2, 1, 10);
    e.SetElem(3, 1, 20);
    e.SetDecPlaces(1, 0);
    e.SetDecPlaces(2, 1);
    e.SetDecPlaces(3, 2);
    std::vector<int> percents;
    e.SetOnPercentDone([&](QObject *Sender, int P) {
        EXPECT_EQ(Sender, &e);
        percents.push_back(P);
    });
    e.SortCols(1, true, 1, 1, 3, 4, true);
    ASSERT_GE(percents.size(), 2u);
    EXPECT_EQ(percents.front(), 0);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(e.GetElem(1, 1), 10);
    EXPECT_EQ(e.GetDecPlaces(1), 1);
    EXPECT_EQ(e.GetDecPlaces(2), 2);
    EXPECT_EQ(e.GetDecPlaces(3), 0);
    e.SortCols(1, false, 1, 1, 3, 4, false); // values only: places stay
    EXPECT_EQ(e.GetElem(1, 1), 30);
    EXPECT_EQ(e.GetDecPlaces(1), 1);
}

TEST(NTabEdModel, ExternalTableAndItsDestruction)
{
    TNTabEd e;
    EventLog log;
    log.Attach(e);
    auto ext = std::make_unique<TDataTable>();
    ext->Resize(6, 2);
    ext->SetElem(6, 2, 42);
    e.AssignAnotherDataMatrix(ext.get());
    EXPECT_TRUE(e.ExtMatAssigned());
    EXPECT_EQ(e.Data(), ext.get());
    ExpectInvariants(e);
    EXPECT_EQ(e.GetDecPlaces(6), 3);
    // The editor follows changes made straight to the table.
    ext->InsertRow(1);
    EXPECT_EQ(e.NrOfRows(), 3);
    ExpectInvariants(e);
    log.Seen.clear();
    ext->SetElem(1, 1, 5);
    EXPECT_EQ(log.Count("Change"), 1);

    ext.reset(); // freed before the editor
    EXPECT_FALSE(e.ExtMatAssigned());
    ASSERT_NE(e.Data(), nullptr);
    EXPECT_EQ(e.NrOfColumns(), 6);
    EXPECT_EQ(e.NrOfRows(), 3);
    EXPECT_TRUE(e.GetIsEmpty(6, 3));
    ExpectInvariants(e);
    e.Repaint(); // paints without touching the freed table
    e.SetElem(1, 1, 2);
    EXPECT_EQ(e.GetElem(1, 1), 2);

    // An editor that goes first leaves the table alive and quiet.
    TDataTable kept;
    kept.Resize(2, 2);
    {
        TNTabEd other;
        other.AssignAnotherDataMatrix(&kept);
    }
    kept.SetElem(1, 1, 3);
    kept.Resize(3, 3);
    EXPECT_EQ(kept.GetElem(1, 1), 3);
}

TEST(NTabEdModel, PaintsMarkColoursSelectionAndPositionText)
{
    TNTabEd e;
    ShowGrid(e, 400, 200);
    e.SetElem(1, 1, 1.0);
    e.SetElemMarkedA(1, 1, true);
    SelectData(e, 1, 1, 2, 1);
    e.SetColorMarkedA(0x0000FF);
    e.SetColorRangeSelBG(0x00FFFF);
    const QImage img = e.Surface();
    const TRect r = e.CellRect(2, 1);
    // Background of a selected cell, text of a marked cell in its mark colour.
    EXPECT_EQ(PixelAt(img, r.Right - 2, r.Bottom - 2), TColor(0x00FFFF));
    EXPECT_GT(CountColor(img, 0x0000FF, r.Left, r.Top, r.Right, r.Bottom), 0);
    // Decimal places and NumWidth change the text drawn: its pixels change.
    const QImage a = e.Surface().copy();
    e.SetDecPlaces(1, 0);
    EXPECT_NE(e.Surface(), a);

    // OnBeforeRenderCell sees data coordinates and can change what is drawn.
    int seenCol = 0, seenRow = 0;
    e.SetOnBeforeRenderCell(
        [&](QObject *, int c, int rr, QString &Text, TColor &, TColor &Bg, TFontStyles &) {
            if (c == 3 && rr == 4) {
                seenCol = c;
                seenRow = rr;
                Bg = 0x00FF00;
                Text.clear();
            }
        });
    e.InvalidateGrid();
    const QImage img2 = e.Surface();
    const TRect r2 = e.CellRect(4, 4);
    EXPECT_EQ(seenCol, 3);
    EXPECT_EQ(seenRow, 4);
    EXPECT_EQ(CountColor(img2, 0x00FF00, r2.Left, r2.Top, r2.Right, r2.Bottom), r2.Width() * r2.Height());
}
