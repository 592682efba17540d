// krogui-render FORM.ui OUT.png [--scale S]: loads a .ui form headless and writes its picture.
//
// The form is loaded through kro::LoadForm, so krogui controls come out exactly as an application
// gets them. --scale renders at that device pixel ratio (2: twice the pixels in each direction).
// Exit status: 0 written, 1 the form or the output failed, 2 bad arguments.

#include <krogui/forms/formloader.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPixmap>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

int Usage(const char *Problem)
{
    std::fprintf(stderr,
                 "krogui-render: %s\nusage: krogui-render FORM.ui OUT.png [--scale S]  (S from 0.5 to 8)\n",
                 Problem);
    return 2;
}

int Fail(const QString &Message)
{
    std::fprintf(stderr, "krogui-render: %s\n", Message.toLocal8Bit().constData());
    return 1;
}

struct TArgs
{
    QString Form, Out;
    double Scale = 1.0;
};

/// Reads the command line; returns an empty text on success, the problem otherwise.
std::string ParseArgs(int argc, char **argv, TArgs &Args)
{
    int Positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string A = argv[i];
        if (A == "--scale" || A.rfind("--scale=", 0) == 0) {
            std::string V;
            if (A == "--scale") {
                if (i + 1 >= argc) return "--scale needs a value";
                V = argv[++i];
            } else {
                V = A.substr(8);
            }
            char *End = nullptr;
            const double S = std::strtod(V.c_str(), &End);
            if (V.empty() || *End != '\0' || !std::isfinite(S) || S < 0.5 || S > 8)
                return "bad scale '" + V + "'";
            Args.Scale = S;
        } else if (A == "-h" || A == "--help") {
            return "help";
        } else if (A.size() > 1 && A[0] == '-') {
            return "unknown option '" + A + "'";
        } else {
            (Positional == 0 ? Args.Form : Args.Out) = QString::fromLocal8Bit(argv[i]);
            if (++Positional > 2) return "too many arguments";
        }
    }
    if (Positional < 2) return "a form and an output file are needed";
    return {};
}

} // namespace

int main(int argc, char **argv)
{
    TArgs Args;
    const std::string Problem = ParseArgs(argc, argv, Args);
    if (!Problem.empty()) return Usage(Problem.c_str());

    // Rendering needs no screen: the offscreen platform unless the caller chose one. The scale
    // becomes the device pixel ratio of the (virtual) screen, so controls draw at that density.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (Args.Scale != 1.0) {
        qputenv("QT_SCALE_FACTOR", QByteArray::number(Args.Scale));
        qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", "PassThrough");
    }
    QApplication App(argc, argv);

    QFile File(Args.Form);
    if (!File.open(QIODevice::ReadOnly))
        return Fail(QStringLiteral("cannot open %1: %2").arg(Args.Form, File.errorString()));
    QString Error;
    std::unique_ptr<QWidget> Top(kro::LoadForm(&File, nullptr, &Error));
    if (!Top) return Fail(QStringLiteral("%1: %2").arg(Args.Form, Error));

    // Shown (never on a real screen) so that layouts and size policies take effect.
    Top->setAttribute(Qt::WA_DontShowOnScreen);
    Top->show();
    App.processEvents();
    if (Top->width() <= 0 || Top->height() <= 0)
        return Fail(QStringLiteral("%1: the form has no size").arg(Args.Form));
    const QImage Picture = Top->grab().toImage();
    QImageWriter Writer(Args.Out, "png");
    if (!Writer.write(Picture))
        return Fail(QStringLiteral("cannot write %1: %2").arg(Args.Out, Writer.errorString()));
    return 0;
}
