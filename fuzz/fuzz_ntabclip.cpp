// Clipboard text taken into the table editor (TNTabEd): GetClipMatrixSize and "Extract from
// Clipboard" on any text, at any selection, with read-only data or a clipboard without text, and
// the way back: a block copied with full precision or with fixed decimal places extracts as the
// values it shows. A refused extraction, or text without a number, must leave every value and cell
// state as it was; an extraction writes only into the block that GetClipMatrixSize reports.
#include "fuzzcommon.h"

#include <krogui/ntabed/ntabed.h>
#include <krogui/ntabed/ntabtext.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <cmath>
#include <cstring>
#include <vector>

using namespace kro;
using krofuzz::Check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(true);
    return 0;
}

namespace {

struct TSnapshot
{
    int Cols = 0, Rows = 0;
    std::vector<double> Values;
    std::vector<quint8> States;
    QStringList Names;
};

TSnapshot Take(const TNTabEd &E)
{
    TSnapshot s;
    s.Cols = E.NrOfColumns();
    s.Rows = E.NrOfRows();
    for (int c = 1; c <= s.Cols; ++c)
        for (int r = 1; r <= s.Rows; ++r) {
            s.Values.push_back(E.Data()->GetElem(c, r));
            s.States.push_back(E.GetCellState(c, r));
        }
    for (int c = 1; c <= s.Cols; ++c)
        s.Names << E.GetColName(c);
    for (int r = 1; r <= s.Rows; ++r)
        s.Names << E.GetRowName(r);
    return s;
}

bool SameBits(double A, double B)
{
    return std::memcmp(&A, &B, sizeof A) == 0;
}

// The editor is kept for the whole run; each input sizes and fills it anew.
TNTabEd &Editor()
{
    static TNTabEd *e = new TNTabEd(nullptr);
    return *e;
}

// Grid rectangle of the data block (L, T)..(R, B).
TGridRect DataRect(const TNTabEd &E, int L, int T, int R, int B)
{
    const int oc = E.AttribRowVisible() ? 1 : 0, orw = E.AttribColVisible() ? 1 : 0;
    return GridRect(L + oc, T + orw, R + oc, B + orw);
}

void Setup(TNTabEd &E, krofuzz::TInput &In, int &Left, int &Top)
{
    const quint8 shape = In.Byte();
    E.SetDataReadOnly(false);
    E.SetAttribRowVisible(shape & 0x40);
    E.SetAttribColVisible(shape & 0x80);
    E.Redimension(1 + (shape & 7), 1 + ((shape >> 3) & 7));
    const quint8 fill = In.Byte();
    for (int c = 1; c <= E.NrOfColumns(); ++c)
        for (int r = 1; r <= E.NrOfRows(); ++r) {
            E.SetElem(c, r, c * 100 + r + 0.25);
            // A few empty, invalid and application-marked cells, chosen by the input.
            const int k = (c * 7 + r * 3 + fill) % 11;
            E.SetCellState(c, r, k == 0 ? ntsEmpty : k == 1 ? ntsInvalid : k == 2 ? quint8(0x24) : 0);
        }
    Left = 1 + In.Byte() % E.NrOfColumns();
    Top = 1 + In.Byte() % E.NrOfRows();
    E.SetSelection(DataRect(E, Left, Top, Left, Top));
}

void FuzzExtract(TNTabEd &E, krofuzz::TInput &In)
{
    int left = 1, top = 1;
    Setup(E, In, left, top);
    const quint8 mode = In.Byte();
    const bool readOnly = mode & 1;
    E.SetDataReadOnly(readOnly);
    QClipboard *cb = QApplication::clipboard();
    const bool hasText = !(mode & 2);
    if (hasText) {
        cb->setText(In.RestText());
    } else {
        auto *md = new QMimeData;
        md->setData(QStringLiteral("application/x-krogui-fuzz"), In.RestBytes());
        cb->setMimeData(md);
    }
    const TSnapshot before = Take(E);
    int nc = -1, nr = -1;
    const bool any = E.GetClipMatrixSize(nc, nr);
    Check(nc >= 1 && nr >= 1, "GetClipMatrixSize gives a size below 1");
    Check(any || (nc == 1 && nr == 1), "GetClipMatrixSize without numbers is not 1 x 1");
    Check(hasText || !any, "GetClipMatrixSize found numbers on a clipboard without text");
    int pastes = 0;
    E.SetOnPaste([&pastes](QObject *) { ++pastes; });
    E.ExtractFromClipboard();
    E.SetOnPaste({});

    const TSnapshot after = Take(E);
    Check(after.Cols == before.Cols && after.Rows == before.Rows, "extraction changed the table's size");
    Check(after.Names == before.Names, "extraction changed a heading");
    const bool refused = readOnly || !hasText;
    Check(!refused || pastes == 0, "a refused extraction fired OnPaste");
    size_t i = 0;
    for (int c = 1; c <= before.Cols; ++c)
        for (int r = 1; r <= before.Rows; ++r, ++i) {
            const bool inBlock = any && !refused && c >= left && c < left + nc && r >= top && r < top + nr;
            if (!inBlock) {
                Check(SameBits(after.Values[i], before.Values[i]),
                      "extraction changed a value outside its block");
                Check(after.States[i] == before.States[i], "extraction changed a state outside its block");
                continue;
            }
            Check(std::isfinite(after.Values[i]), "extraction stored a value that is not finite");
            Check((after.States[i] | ntsEmpty | ntsInvalid) == (before.States[i] | ntsEmpty | ntsInvalid),
                  "extraction changed a state bit other than empty and invalid");
        }
    if (any && !refused) {
        const TGridRect want =
            DataRect(E, left, top, std::min(left + nc - 1, before.Cols), std::min(top + nr - 1, before.Rows));
        Check(E.Selection() == want, "extraction selected another block than it filled");
    }
}

// Copies a block of input values and extracts it again somewhere else: what lands must be what the
// text showed, within the precision of the copy format.
void FuzzRoundTrip(TNTabEd &E, krofuzz::TInput &In)
{
    int left = 1, top = 1;
    Setup(E, In, left, top);
    const quint8 fmt = In.Byte();
    const bool fullPrec = fmt & 0x80;
    const int decimals = fmt % 11;
    E.SetClipboardUseFullPrec(fullPrec);
    const int w = E.NrOfColumns() - left + 1, h = E.NrOfRows() - top + 1;
    std::vector<double> src;
    for (int c = left; c < left + w; ++c) {
        E.SetDecPlaces(c, decimals);
        for (int r = top; r < top + h; ++r) {
            double v = In.Real();
            // Fixed notation is exact only for magnitudes a double holds to the unit.
            if (!std::isfinite(v) || (!fullPrec && std::fabs(v) >= 1e12)) v = 0;
            E.SetElem(c, r, v);
            E.SetCellState(c, r, 0);
            src.push_back(v);
        }
    }
    E.SetSelection(DataRect(E, left, top, E.NrOfColumns(), E.NrOfRows()));
    E.CopyToClipboard();
    int nc = 0, nr = 0;
    Check(E.GetClipMatrixSize(nc, nr), "a copied block shows no numbers");
    Check(nc == w && nr == h, "GetClipMatrixSize of a copied block is not its size");
    E.Fill(-1);
    E.SetSelection(DataRect(E, 1, 1, 1, 1));
    E.ExtractFromClipboard();
    size_t i = 0;
    for (int c = 1; c <= w; ++c)
        for (int r = 1; r <= h; ++r, ++i) {
            const double v = src[i], x = E.GetElem(c, r);
            const double tol = fullPrec ? std::fabs(v) * 1e-13 + 1e-300
                                        : 0.5000001 * std::pow(10.0, -decimals) + std::fabs(v) * 1e-15;
            Check(std::fabs(x - v) <= tol, "a copied value did not extract as it was shown");
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    TNTabEd &e = Editor();
    if (in.Byte() & 1)
        FuzzRoundTrip(e, in);
    else
        FuzzExtract(e, in);
    return 0;
}
