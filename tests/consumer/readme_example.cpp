#include <krogui/gauges/meter.h>
#include <krogui/numio/numio.h>

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QWidget window;
    auto *layout = new QVBoxLayout(&window);

    auto *meter = new kro::TMeter(&window);
    meter->SetMeterMaxValue(100); // the scale runs 0..1 until told otherwise
    meter->SetValue(42.0);
    layout->addWidget(meter);

    auto *input = new kro::TNumIO(&window);
    input->SetRangeLow(0);    // made in code, the range is 0..0 and every digit is refused
    input->SetRangeHigh(100);
    input->SetOnChange([=](QObject *) { meter->SetValue(input->Value()); });
    layout->addWidget(input);

    window.show();
    return app.exec();
}
