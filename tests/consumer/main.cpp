// A user's program: builds against the installed package and draws through the canvas.
#include <krogui/graphics/bitmap.h>
#include <krogui/graphics/colors.h>

#include <QGuiApplication>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    kro::TBitmap bmp;
    bmp.SetSize(8, 8);
    bmp.Canvas()->Brush()->SetColor(kro::clRed);
    bmp.Canvas()->FillRect(0, 0, 8, 8);
    return bmp.Canvas()->Pixels(3, 3) == kro::clRed ? 0 : 1;
}
