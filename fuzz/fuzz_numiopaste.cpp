// Clipboard texts pasted into the numeric fields (TNumIO and TNumIO2) with Ctrl+V, in every input
// format, separator choice and range, over an empty field, a selection or a caret inside the
// number. A text TNumIO takes must hold a value inside its range (or 0, which it always allows).
#include "fuzzcommon.h"

#include <krogui/numio/numio.h>
#include <krogui/numio/numio2.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <cmath>

using namespace kro;
using krofuzz::Check;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    krofuzz::InitApp(true);
    return 0;
}

namespace {

void PressCtrlV(QWidget *W)
{
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    QCoreApplication::sendEvent(W, &ctrl);
    QKeyEvent v(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QCoreApplication::sendEvent(W, &v);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    QCoreApplication::sendEvent(W, &up);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *Data, size_t Size)
{
    krofuzz::TInput in(Data, Size);
    const quint8 flags = in.Byte();
    const quint8 setup = in.Byte();
    const auto format = TInFormat(flags % 8);
    const auto sep = TDecPSep((flags >> 3) % 4);
    const int decimals = setup % 6;
    // The range a field made in code has (0..0), and ranges a form would set.
    static constexpr double kRanges[4][2] = {{0, 0}, {-1000, 1000}, {-1e12, 1e12}, {1, 1e6}};
    const double lo = kRanges[(setup >> 4) & 3][0];
    const double hi = kRanges[(setup >> 4) & 3][1];
    const QString text = in.RestText();
    QApplication::clipboard()->setText(text);

    if (flags & 0x80) {
        static TNumIO *field = new TNumIO(nullptr);
        field->SetInputFormat(format);
        field->SetDecPSep(sep);
        field->SetFixPDecPl(decimals);
        field->SetRangeLow(lo);
        field->SetRangeHigh(hi);
        field->SetValue(12.5);
        if (setup & 0x40) field->selectAll();
        else if (setup & 0x80) field->setCursorPosition(1);
        const QString before = field->text();
        PressCtrlV(field);
        const double v = field->Value();
        Check(!std::isnan(v), "TNumIO value is NaN after a paste");
        if (field->text() != before)
            Check(v == 0 || (v >= field->RangeLow() && v <= field->RangeHigh()),
                  "TNumIO took a pasted value outside its range");
    } else {
        static TNumIO2 *field = new TNumIO2(nullptr);
        field->SetInFormatType(format);
        field->SetDecSep(sep);
        field->SetFixPointDecPlaces(decimals);
        field->SetRangeLow(lo);
        field->SetRangeHigh(hi);
        field->SetValue(12.5);
        if (setup & 0x40) {
            field->SetSelBegin(0);
            field->SetSelEnd(100);
        }
        PressCtrlV(field);
        Check(!std::isnan(field->Value()), "TNumIO2 value is NaN after a paste");
        Check(field->Text().size() <= 4096, "TNumIO2 text grew beyond its limit");
    }
    return 0;
}
