// A user's program: builds against the installed package, draws through the canvas and, when
// the forms component is there, loads a form holding a meter.
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>
#ifdef KROGUI_WITH_FORMS
#include <krogui/forms/formloader.h>
#include <krogui/gauges/meter.h>

#include <QBuffer>
#include <QWidget>
#include <memory>
#endif

#include <QApplication>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kro::TBitmap bmp;
    bmp.SetSize(8, 8);
    bmp.Canvas()->Brush()->SetColor(kro::clRed);
    bmp.Canvas()->FillRect(0, 0, 8, 8);
    if (bmp.Canvas()->Pixels(3, 3) != kro::clRed) return 1;
#ifdef KROGUI_WITH_FORMS
    QByteArray ui = "<ui version=\"4.0\"><widget class=\"QWidget\" name=\"Form\">"
                    "<widget class=\"kro::TMeter\" name=\"meter\">"
                    "<property name=\"Value\"><double>0.75</double></property>"
                    "</widget></widget></ui>";
    QBuffer buffer(&ui);
    const std::unique_ptr<QWidget> form(kro::LoadForm(&buffer));
    auto *meter = form ? form->findChild<kro::TMeter *>("meter") : nullptr;
    if (!meter || meter->Value() != 0.75) return 2;
#endif
    return 0;
}
